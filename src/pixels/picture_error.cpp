#include "pixels/picture_error.h"

namespace vellumar {

PictureError pictureDecodeError(std::string_view name, std::string_view reason)
{
    std::string message("cannot decode the picture ");
    message.append(name).append(": ").append(reason);
    return PictureError(message);
}

void checkPictureSize(long long width, long long height, std::string_view name)
{
    if (width <= 0 || height <= 0) throw pictureDecodeError(name, "the picture has no pixels");
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
        throw pictureDecodeError(name, "the picture is too large (" + std::to_string(width) + " x " +
                                           std::to_string(height) + " pixels)");
}

}  // namespace vellumar
