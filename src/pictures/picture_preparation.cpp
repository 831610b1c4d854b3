#include "pictures/picture_preparation.h"

#include "base/ascii_case.h"
#include "pixels/picture_error.h"
#include "pixels/picture_file.h"
#include "pictures/picture_ids.h"

namespace vellumar {

namespace fs = std::filesystem;

std::optional<LocatedPicture> locatePicture(std::string_view src, const fs::path& baseFolder,
                                            FolderListings* listings)
{
    std::optional<FoundPictureFile> found = lookUpPictureFile(src, baseFolder, listings);
    if (!found) return std::nullopt;
    return LocatedPicture{std::move(found->path),
                          PictureFileKey{found->device, found->inode, asciiLower(pathExtension(src))}, found->size};
}

bool isNetworkSource(std::string_view src)
{
    const std::size_t first = src.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) return false;
    const std::string start = asciiLower(src.substr(first, 8));
    return start.starts_with("http:") || start.starts_with("https:") || start.starts_with("ftp:") ||
           start.starts_with("//");
}

PreparedPicture preparePicture(std::string_view src, const fs::path& baseFolder, FolderListings* listings,
                               const ConversionOptions& options)
{
    PreparedPicture prepared;
    try {
        prepared.located = locatePicture(src, baseFolder, listings);
        if (!prepared.located) return prepared;
        const fs::path& file = prepared.located->file;
        const std::string& extension = std::get<2>(prepared.located->key);
        // Only the file's start is read, for the picture's size. A JPEG whose frame header
        // lies further on (behind a large thumbnail) is read whole.
        prepared.head = readPictureFileStart(file, kPictureHeaderBytes);
        if (!prepared.head) return prepared;
        try {
            prepared.plan = planPicture(*prepared.head, extension, src, options);
        } catch (const PictureError&) {
            if (prepared.head->size() < kPictureHeaderBytes) throw;
            prepared.head = readPictureFile(file);
            if (!prepared.head) return prepared;
            prepared.plan = planPicture(*prepared.head, extension, src, options);
        }
    } catch (...) {
        prepared.error = std::current_exception();
    }
    return prepared;
}

}  // namespace vellumar
