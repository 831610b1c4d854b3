#include "images/picture_scaling.h"

#include "images/fit_to_box.h"
#include "images/gif_codec.h"
#include "images/jpeg_codec.h"
#include "images/picture_file.h"
#include "images/png_codec.h"

#include <algorithm>
#include <optional>
#include <string>

namespace vellumar {

namespace {

constexpr int kJpegQuality = 90;
constexpr int kShrunkPngLevel = 8;

std::string displayName(const std::filesystem::path& path, std::string_view name)
{
    return name.empty() ? path.string() : std::string(name);
}

bool exceedsBox(PictureSize size, const ConversionOptions& options)
{
    return size.width > std::max(options.MaxWidth, 1) || size.height > std::max(options.MaxHeight, 1);
}

}  // namespace

bool JpegNeedsScaling(const std::filesystem::path& path, const ConversionOptions& options, std::string_view name)
{
    if (!options.Resize) return false;
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return false;
    const std::string shown = displayName(path, name);
    if (exceedsBox(ReadJpegSize(*bytes, shown), options)) return true;
    // A picture that fits is embedded as it is: decode it anyway, so that a broken one is
    // reported rather than carried into the book.
    DecodeJpeg(*bytes, shown);
    return false;
}

bool PngNeedsScaling(const std::filesystem::path& path, const ConversionOptions& options, std::string_view name)
{
    if (!options.Resize) return false;
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return false;
    const std::string shown = displayName(path, name);
    if (exceedsBox(ReadPngSize(*bytes, shown), options)) return true;
    DecodePng(*bytes, shown);
    return false;
}

int JpegReductionFor(PictureSize size, PictureSize target)
{
    for (int reduction : {8, 4, 2}) {
        const int width = (size.width + reduction - 1) / reduction;
        const int height = (size.height + reduction - 1) / reduction;
        if (width >= 2 * target.width && height >= 2 * target.height) return reduction;
    }
    return 1;
}

RgbImage ShrinkToBox(const RgbImage& picture, const ConversionOptions& options)
{
    const PictureSize size = FitToBox(picture.width, picture.height, options.MaxWidth, options.MaxHeight);
    return ScaleAreaAverage(picture, size.width, size.height);
}

std::filesystem::path ScaleJpeg(const std::filesystem::path& path, const ConversionOptions& options,
                                const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return path;
    const std::string shown = displayName(path, name);
    const PictureSize size = ReadJpegSize(*bytes, shown);
    const PictureSize box = FitToBox(size.width, size.height, options.MaxWidth, options.MaxHeight);
    // Decoding a large photograph at a reduced DCT scale skips most of the inverse DCT and
    // colour conversion; the area averaging then finishes the shrink from at least twice the size.
    const int reduction = JpegReductionFor(size, box);
    const RgbImage picture = DecodeJpeg(*bytes, shown, reduction);
    // A side that is not a multiple of the reduction leaves a last column or row that stands
    // for fewer source pixels: it counts for just that part.
    const RgbImage shrunk = ScaleAreaAverageRegion(picture, static_cast<double>(size.width) / reduction,
                                                   static_cast<double>(size.height) / reduction, box.width, box.height);
    WriteJpeg(shrunk, target, kJpegQuality);
    return target;
}

std::filesystem::path ScalePng(const std::filesystem::path& path, const ConversionOptions& options,
                               const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return path;
    const RgbImage picture = DecodePng(*bytes, displayName(path, name));
    PngWriteOptions png;
    png.compressionLevel = kShrunkPngLevel;
    WritePng(ShrinkToBox(picture, options), target, png);
    return target;
}

std::filesystem::path GifToJpeg(const std::filesystem::path& path, const ConversionOptions& options,
                                const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return {};
    const RgbImage picture = DecodeGif(*bytes, displayName(path, name));
    if (!options.Resize) {
        WriteJpeg(picture, target, kJpegQuality);
        return target;
    }
    PictureSize size = FitToBox(picture.width, picture.height, options.MaxWidth, options.MaxHeight);
    // A 1 × 1 picture is written as 2 × 2: some readers cannot show a single pixel.
    if (size.width == 1 && size.height == 1) size = {2, 2};
    WriteJpeg(ScaleAreaAverage(picture, size.width, size.height), target, kJpegQuality);
    return target;
}

std::filesystem::path TempSiblingName(const std::filesystem::path& wanted)
{
    std::error_code error;
    if (!std::filesystem::exists(wanted, error)) return wanted;
    std::filesystem::path result = wanted;
    std::string name = wanted.stem().string();
    name.append("~temp").append(wanted.extension().string());
    result.replace_filename(name);
    return result;
}

}  // namespace vellumar
