#pragma once
// The error that ends a conversion when a picture exists but cannot be decoded or written.

#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumar {

class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// «cannot decode the picture NAME: REASON».
PictureError pictureDecodeError(std::string_view name, std::string_view reason);

// Largest picture the decoders accept: a header announcing more pixels, or a longer side, is
// refused before anything is allocated, so a few crafted bytes cannot claim gigabytes.
inline constexpr long long kMaxPicturePixels = 100'000'000;
inline constexpr long long kMaxPictureSide = 32'767;

// Throws pictureDecodeError(name, ...) when width × height is empty or over the limits above.
void checkPictureSize(long long width, long long height, std::string_view name);

}  // namespace vellumar
