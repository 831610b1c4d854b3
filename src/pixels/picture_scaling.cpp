#include "pixels/picture_scaling.h"

#include "pixels/fit_to_box.h"
#include "pixels/gif_codec.h"
#include "pixels/jpeg_codec.h"
#include "pixels/picture_file.h"
#include "pixels/picture_header.h"
#include "pixels/png_codec.h"

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

bool needsScaling(const std::filesystem::path& path, PictureFormat format, const ConversionOptions& options,
                  std::string_view name)
{
    if (!options.Resize) return false;
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return false;
    const std::string shown = displayName(path, name);
    if (ExceedsBox(ReadHeaderSize(*bytes, format, shown), options)) return true;
    // A picture that fits is embedded as it is: it is not decoded, but one cut short or with a
    // damaged chunk is reported rather than carried into the book.
    CheckPictureWhole(*bytes, format, shown);
    return false;
}

}  // namespace

bool ExceedsBox(PictureSize size, const ConversionOptions& options)
{
    return size.width > std::max(options.MaxWidth, 1) || size.height > std::max(options.MaxHeight, 1);
}

bool JpegNeedsScaling(const std::filesystem::path& path, const ConversionOptions& options, std::string_view name)
{
    return needsScaling(path, PictureFormat::Jpeg, options, name);
}

bool PngNeedsScaling(const std::filesystem::path& path, const ConversionOptions& options, std::string_view name)
{
    return needsScaling(path, PictureFormat::Png, options, name);
}

int JpegReductionFor(PictureSize size, PictureSize target)
{
    for (int reduction : {8, 4, 2}) {
        const int width = (size.width + reduction - 1) / reduction;
        const int height = (size.height + reduction - 1) / reduction;
        if (width >= target.width && height >= target.height) return reduction;
    }
    return 1;
}

RgbImage ShrinkToBox(const RgbImage& picture, const ConversionOptions& options)
{
    const PictureSize size = FitToBox(picture.width, picture.height, options.MaxWidth, options.MaxHeight);
    return ScaleAreaAverage(picture, size.width, size.height);
}

std::string ShrinkJpegBytes(std::string_view jpeg, const ConversionOptions& options, std::string_view name)
{
    const PictureSize size = ReadJpegSize(jpeg, name);
    const PictureSize box = FitToBox(size.width, size.height, options.MaxWidth, options.MaxHeight);
    // Decoding a large photograph at a reduced DCT scale skips most of the inverse DCT, the
    // colour conversion and the averaging: the scaled inverse DCT is itself a smooth shrink of
    // each block. The area averaging then finishes the shrink.
    const int reduction = JpegReductionFor(size, box);
    const RgbImage picture = DecodeJpeg(jpeg, name, reduction);
    // A side that is not a multiple of the reduction leaves a last column or row that stands
    // for fewer source pixels: it counts for just that part.
    const RgbImage shrunk = ScaleAreaAverageRegion(picture, static_cast<double>(size.width) / reduction,
                                                   static_cast<double>(size.height) / reduction, box.width, box.height);
    return EncodeJpeg(shrunk, kJpegQuality);
}

std::string ShrinkPngBytes(std::string_view png, const ConversionOptions& options, std::string_view name)
{
    const RgbImage picture = DecodePng(png, name);
    PngWriteOptions write;
    write.compressionLevel = kShrunkPngLevel;
    return EncodePng(ShrinkToBox(picture, options), write);
}

std::string GifToJpegBytes(std::string_view gif, const ConversionOptions& options, std::string_view name)
{
    const RgbImage picture = DecodeGif(gif, name);
    if (!options.Resize) return EncodeJpeg(picture, kJpegQuality);
    PictureSize size = FitToBox(picture.width, picture.height, options.MaxWidth, options.MaxHeight);
    // A 1 × 1 picture is written as 2 × 2: some readers cannot show a single pixel.
    if (size.width == 1 && size.height == 1) size = {2, 2};
    return EncodeJpeg(ScaleAreaAverage(picture, size.width, size.height), kJpegQuality);
}

std::filesystem::path ScaleJpeg(const std::filesystem::path& path, const ConversionOptions& options,
                                const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return path;
    WritePictureFile(target, ShrinkJpegBytes(*bytes, options, displayName(path, name)));
    return target;
}

std::filesystem::path ScalePng(const std::filesystem::path& path, const ConversionOptions& options,
                               const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return path;
    WritePictureFile(target, ShrinkPngBytes(*bytes, options, displayName(path, name)));
    return target;
}

std::filesystem::path GifToJpeg(const std::filesystem::path& path, const ConversionOptions& options,
                                const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = ReadPictureFile(path);
    if (!bytes) return {};
    WritePictureFile(target, GifToJpegBytes(*bytes, options, displayName(path, name)));
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
