#pragma once
// What becomes of a picture on its way into a book, decided from its header, and the work that
// carries the decision out. The walk plans each picture; the work runs on the picture workers.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <tuple>

#include "base/conversion_options.h"
#include "pixels/picture_header.h"

namespace vellumar {

enum class PictureWork { AsIs, ShrinkJpeg, ShrinkPng, GifToJpeg };

struct PicturePlan {
    PictureWork work = PictureWork::AsIs;
    PictureFormat format = PictureFormat::Jpeg;
    bool checkWhole = false;  // carried as it is, once checked to be whole
    PictureSize size;         // as the header gives it, when the picture is to be re-encoded
    std::string virtualPath;  // the path the picture's id comes from
};

// A file's identity on disk and the lower-cased extension its src gave it: one picture,
// whatever the spelling of its src.
using PictureFileKey = std::tuple<unsigned long long, unsigned long long, std::string>;

// Enough of a file's start for the size in its header, nearly always.
inline constexpr std::size_t kPictureHeaderBytes = 64 * 1024;

// The plan for a picture from its first bytes (or all of them) and the lower-case extension of
// its src; `name` names it in errors. Throws PictureError when the header is not one of its
// kind. The virtual path is left for the caller.
PicturePlan planPicture(std::string_view head, std::string_view extension, std::string_view name,
                        const ConversionOptions& options);

// About how much work carrying out the plan is, for the order of the picture workers' jobs: 0
// for a picture carried as it is; a PNG's deflate at level 8 costs several times a JPEG's
// encoding of as many pixels.
std::size_t planWeight(const PicturePlan& plan);

// The bytes to embed: checked, shrunk or re-encoded as planned. Throws PictureError.
std::string carryOutPlan(std::string bytes, const PicturePlan& plan, const ConversionOptions& options,
                         std::string_view name);

// A planned picture file, read whole when its work begins. Throws PictureError naming the
// picture when the file is gone by then.
std::string readPlannedPicture(const std::filesystem::path& file, std::string_view name);

}  // namespace vellumar
