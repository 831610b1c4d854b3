#pragma once
// Deciding whether a picture must be shrunk to the box of the picture settings, and writing
// the shrunk or re-encoded copy: JPEG stays JPEG (quality 90), PNG stays PNG of its kind (grey,
// palette or RGB; deflate level 8), a GIF always becomes a JPEG. Where the copy goes is the caller's choice (`target`).
// `name` names the picture in error messages; empty means the path itself.

#include "base/conversion_options.h"
#include "pixels/rgb_image.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace vellumar {

// False when Resize is off or no file exists at the path; otherwise the size is read from the
// file's header and the result says whether it is wider or taller than the box. A picture that
// fits is not decoded, only checked to be whole. Throws PictureError when the file exists but
// is not a picture of that kind, or is cut short or damaged.
bool jpegNeedsScaling(const std::filesystem::path& path, const ConversionOptions& options, std::string_view name = {});
bool pngNeedsScaling(const std::filesystem::path& path, const ConversionOptions& options, std::string_view name = {});

// Decodes the picture at path, shrinks it into the box with area averaging, writes it to
// target and returns target; returns path unchanged when no file exists there. They do not
// look at Resize: call them when the *NeedsScaling test said so.
std::filesystem::path scaleJpeg(const std::filesystem::path& path, const ConversionOptions& options,
                                const std::filesystem::path& target, std::string_view name = {});
std::filesystem::path scalePng(const std::filesystem::path& path, const ConversionOptions& options,
                               const std::filesystem::path& target, std::string_view name = {});
// Re-writes the GIF's first frame as a JPEG at target (shrunk into the box when Resize is on,
// a 1 × 1 result made 2 × 2) and returns target; an empty path when no file exists at path.
std::filesystem::path gifToJpeg(const std::filesystem::path& path, const ConversionOptions& options,
                                const std::filesystem::path& target, std::string_view name = {});

// The same re-encodings in memory: the bytes of a picture in, the bytes of its shrunk or
// re-encoded copy out. They are what scaleJpeg, scalePng and gifToJpeg write, and they touch
// no shared state, so several can run at once. Throw PictureError naming `name`.
std::string shrinkJpegBytes(std::string_view jpeg, const ConversionOptions& options, std::string_view name);
std::string shrinkPngBytes(std::string_view png, const ConversionOptions& options, std::string_view name);
std::string gifToJpegBytes(std::string_view gif, const ConversionOptions& options, std::string_view name);

// Whether a picture of this size exceeds the box of the options (a box side below 1 counts as 1).
bool exceedsBox(PictureSize size, const ConversionOptions& options);

// The path to write a re-encoded picture wanted at `wanted`: itself when no file exists there,
// otherwise the same name with "~temp" before its extension (photo.jpg -> photo~temp.jpg).
std::filesystem::path tempSiblingName(const std::filesystem::path& wanted);

// 1, 2, 4 or 8: the largest DCT reduction at which a JPEG of `size` decodes to at least
// `target` on both sides; the area averaging after it finishes the shrink.
int jpegReductionFor(PictureSize size, PictureSize target);

// A decoded picture shrunk into the box of the options (an unchanged copy when it fits).
RgbImage shrinkToBox(const RgbImage& picture, const ConversionOptions& options);

}  // namespace vellumar
