#include "pictures/picture_plan.h"

#include <algorithm>
#include <optional>

#include "pixels/picture_error.h"
#include "pixels/picture_file.h"
#include "pixels/picture_scaling.h"

namespace vellumar {

namespace {

bool isJpegExtension(std::string_view extension) { return extension == ".jpg" || extension == ".jpeg"; }

}  // namespace

PicturePlan planPicture(std::string_view head, std::string_view extension, std::string_view name,
                        const ConversionOptions& options)
{
    PicturePlan plan;
    if (extension == ".gif") {
        plan.size = readHeaderSize(head, PictureFormat::Gif, name);
        plan.work = PictureWork::GifToJpeg;
        return plan;
    }
    const bool jpeg = isJpegExtension(extension);
    if (!options.resize || (!jpeg && extension != ".png")) return plan;
    plan.format = jpeg ? PictureFormat::Jpeg : PictureFormat::Png;
    const PictureSize size = readHeaderSize(head, plan.format, name);
    if (exceedsBox(size, options)) {
        plan.work = jpeg ? PictureWork::ShrinkJpeg : PictureWork::ShrinkPng;
        plan.size = size;
    } else {
        // A picture that fits is carried as it is: not decoded, but one cut short or with a
        // damaged chunk is reported rather than carried into the book.
        plan.checkWhole = true;
    }
    return plan;
}

std::size_t planWeight(const PicturePlan& plan)
{
    if (plan.work == PictureWork::AsIs) return 0;
    const std::size_t pixels =
        static_cast<std::size_t>(std::max(plan.size.width, 0)) * static_cast<std::size_t>(std::max(plan.size.height, 0));
    return 1 + pixels * (plan.work == PictureWork::ShrinkPng ? 4 : 1);
}

std::string carryOutPlan(std::string bytes, const PicturePlan& plan, const ConversionOptions& options,
                         std::string_view name)
{
    if (plan.checkWhole) checkPictureWhole(bytes, plan.format, name);
    switch (plan.work) {
    case PictureWork::AsIs: return bytes;
    case PictureWork::ShrinkJpeg: return shrinkJpegBytes(bytes, options, name);
    case PictureWork::ShrinkPng: return shrinkPngBytes(bytes, options, name);
    case PictureWork::GifToJpeg: return gifToJpegBytes(bytes, options, name);
    }
    return bytes;
}

std::string readPlannedPicture(const std::filesystem::path& file, std::string_view name)
{
    std::optional<std::string> bytes = readPictureFile(file);
    if (!bytes) throw PictureError("cannot read the picture " + std::string(name) + ": it is gone");
    return std::move(*bytes);
}

}  // namespace vellumar
