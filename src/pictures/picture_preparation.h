#pragma once
// What the walk must know of a picture file before it embeds it: which file the src names,
// its first bytes and the plan made from them.

#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "pictures/picture_lookup.h"
#include "pictures/picture_plan.h"

namespace vellumar {

// A picture file as a src names it: the file, its identity and its size.
struct LocatedPicture {
    std::filesystem::path file;
    PictureFileKey key;
    long long size = 0;
};

// The regular file a src names (relative ones from baseFolder), or nothing.
std::optional<LocatedPicture> locatePicture(std::string_view src, const std::filesystem::path& baseFolder,
                                            FolderListings* listings);

// Whether a src can only be a network address or a picture inside the document: nothing to
// look up on disk.
bool isNetworkSource(std::string_view src);

struct PreparedPicture {
    std::optional<LocatedPicture> located;  // nothing: no regular file by that src
    // The file's first kPictureHeaderBytes, all of it when it is shorter or when its header
    // lies further on; nothing when the file was gone by the time it was read.
    std::optional<std::string> head;
    PicturePlan plan;  // made from head; the virtual path is left to the walk
    // What went wrong: while looking the file up (then `located` is empty), reading it or
    // planning it (a PictureError). The walk reports it where it meets the picture.
    std::exception_ptr error;
};

// Everything the walk finds out about the picture file of a src, without throwing.
PreparedPicture preparePicture(std::string_view src, const std::filesystem::path& baseFolder,
                               FolderListings* listings, const ConversionOptions& options);

}  // namespace vellumar
