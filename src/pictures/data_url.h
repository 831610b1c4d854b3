#pragma once
// Pictures carried inside the document as "data:" URLs (data:image/png;base64,...).

#include <string>
#include <string_view>

namespace vellumar {

enum class DataUrlKind {
    NotDataUrl,   // an ordinary src
    Unsupported,  // a data: URL of another type, or not in base64
    Corrupt,      // a JPEG, PNG or GIF data: URL whose base64 text is broken
    Picture,      // a JPEG, PNG or GIF picture: extension and bytes are set
};

struct DataUrlPicture {
    DataUrlKind kind = DataUrlKind::NotDataUrl;
    std::string extension;  // ".jpg", ".png" or ".gif"
    std::string bytes;
};

// Letter case of "data:", the media type and ";base64" does not matter; white space inside the
// base64 text is skipped.
DataUrlPicture parseDataUrl(std::string_view src);

}  // namespace vellumar
