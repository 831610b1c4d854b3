#include "pixels/picture_scaling.h"

#include "pixels/fit_to_box.h"
#include "pixels/gif_codec.h"
#include "pixels/jpeg_codec.h"
#include "pixels/palette_quantizer.h"
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
constexpr int kPaletteGrowth = 2;

std::string displayName(const std::filesystem::path& path, std::string_view name)
{
    return name.empty() ? path.string() : std::string(name);
}

bool needsScaling(const std::filesystem::path& path, PictureFormat format, const ConversionOptions& options,
                  std::string_view name)
{
    if (!options.resize) return false;
    const std::optional<std::string> bytes = readPictureFile(path);
    if (!bytes) return false;
    const std::string shown = displayName(path, name);
    if (exceedsBox(readHeaderSize(*bytes, format, shown), options)) return true;
    // A picture that fits is embedded as it is: it is not decoded, but one cut short or with a
    // damaged chunk is reported rather than carried into the book.
    checkPictureWhole(*bytes, format, shown);
    return false;
}

}  // namespace

bool exceedsBox(PictureSize size, const ConversionOptions& options)
{
    return size.width > std::max(options.maxWidth, 1) || size.height > std::max(options.maxHeight, 1);
}

bool jpegNeedsScaling(const std::filesystem::path& path, const ConversionOptions& options, std::string_view name)
{
    return needsScaling(path, PictureFormat::Jpeg, options, name);
}

bool pngNeedsScaling(const std::filesystem::path& path, const ConversionOptions& options, std::string_view name)
{
    return needsScaling(path, PictureFormat::Png, options, name);
}

int jpegReductionFor(PictureSize size, PictureSize target)
{
    for (int reduction : {8, 4, 2}) {
        const int width = (size.width + reduction - 1) / reduction;
        const int height = (size.height + reduction - 1) / reduction;
        if (width >= target.width && height >= target.height) return reduction;
    }
    return 1;
}

RgbImage shrinkToBox(const RgbImage& picture, const ConversionOptions& options)
{
    const PictureSize size = fitToBox(picture.width, picture.height, options.maxWidth, options.maxHeight);
    return scaleAreaAverage(picture, size.width, size.height);
}

std::string shrinkJpegBytes(std::string_view jpeg, const ConversionOptions& options, std::string_view name)
{
    const PictureSize size = readJpegSize(jpeg, name);
    const PictureSize box = fitToBox(size.width, size.height, options.maxWidth, options.maxHeight);
    // Decoding a large photograph at a reduced DCT scale skips most of the inverse DCT, the
    // colour conversion and the averaging: the scaled inverse DCT is itself a smooth shrink of
    // each block. The area averaging then finishes the shrink.
    const int reduction = jpegReductionFor(size, box);
    const RgbImage picture = decodeJpeg(jpeg, name, reduction);
    // A side that is not a multiple of the reduction leaves a last column or row that stands
    // for fewer source pixels: it counts for just that part.
    const RgbImage shrunk = scaleAreaAverageRegion(picture, static_cast<double>(size.width) / reduction,
                                                   static_cast<double>(size.height) / reduction, box.width, box.height);
    return encodeJpeg(shrunk, kJpegQuality);
}

std::string shrinkPngBytes(std::string_view png, const ConversionOptions& options, std::string_view name)
{
    // A shrunk picture keeps its source's kind: grey stays grey (the very values the RGB shrink
    // gives each channel), a palette picture gets a palette again, RGB stays RGB.
    PngWriteOptions write;
    write.compressionLevel = kShrunkPngLevel;
    const PngKind kind = readPngKind(png, name);
    if (kind.colours == PngColours::Grey) {
        const GreyImage picture = decodePngGrey(png, name);
        const PictureSize size = fitToBox(picture.width, picture.height, options.maxWidth, options.maxHeight);
        return encodePng(scaleAreaAverage(picture, size.width, size.height), write);
    }
    if (kind.colours == PngColours::Rgb) return encodePng(shrinkToBox(decodePng(png, name), options), write);
    // Shrinking blends neighbouring colours at every edge. Twice the source's colours leave a
    // blend between the colours that meet most, which keeps a drawing's look (in the worst of
    // our test books' pictures a mean error of about 1 % of the range, at the edges only) at
    // about the size of its source. Palette rows are not filtered: indices are not intensities.
    // A palette of greys (scanned line art) is shrunk as grey, a third of the work for the
    // same values.
    write.filter = PngRowFilter::None;
    const int colours = kPaletteGrowth * kind.paletteSize;
    std::variant<GreyImage, RgbImage> picture = decodePalettePng(png, name);
    if (const GreyImage* grey = std::get_if<GreyImage>(&picture)) {
        const PictureSize size = fitToBox(grey->width, grey->height, options.maxWidth, options.maxHeight);
        return encodePng(quantizeToPalette(scaleAreaAverage(*grey, size.width, size.height), colours, name), write);
    }
    return encodePng(quantizeToPalette(shrinkToBox(std::get<RgbImage>(picture), options), colours, name), write);
}

std::string gifToJpegBytes(std::string_view gif, const ConversionOptions& options, std::string_view name)
{
    const RgbImage picture = decodeGif(gif, name);
    if (!options.resize) return encodeJpeg(picture, kJpegQuality);
    PictureSize size = fitToBox(picture.width, picture.height, options.maxWidth, options.maxHeight);
    // A 1 × 1 picture is written as 2 × 2: some readers cannot show a single pixel.
    if (size.width == 1 && size.height == 1) size = {2, 2};
    return encodeJpeg(scaleAreaAverage(picture, size.width, size.height), kJpegQuality);
}

std::filesystem::path scaleJpeg(const std::filesystem::path& path, const ConversionOptions& options,
                                const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = readPictureFile(path);
    if (!bytes) return path;
    writePictureFile(target, shrinkJpegBytes(*bytes, options, displayName(path, name)));
    return target;
}

std::filesystem::path scalePng(const std::filesystem::path& path, const ConversionOptions& options,
                               const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = readPictureFile(path);
    if (!bytes) return path;
    writePictureFile(target, shrinkPngBytes(*bytes, options, displayName(path, name)));
    return target;
}

std::filesystem::path gifToJpeg(const std::filesystem::path& path, const ConversionOptions& options,
                                const std::filesystem::path& target, std::string_view name)
{
    const std::optional<std::string> bytes = readPictureFile(path);
    if (!bytes) return {};
    writePictureFile(target, gifToJpegBytes(*bytes, options, displayName(path, name)));
    return target;
}

std::filesystem::path tempSiblingName(const std::filesystem::path& wanted)
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
