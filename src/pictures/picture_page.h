#pragma once
// The "Load picture" command of the images page: a JPEG or PNG file turned into the two texts
// the user pastes into an FB2 text by hand, the image reference and the binary element.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "files/temp_folder.h"

namespace vellumar {

// The two texts of the images page. The id in them is the picture's file name as the file
// system spells it (UTF-8 on this platform); everything else is ASCII.
struct PictureTexts {
    std::string reference;  // Memo1
    std::string binary;     // Memo2
};

// Extensions the images page takes, lower-cased: ".jpg", ".jpeg" and ".png".
bool isPicturePageExtension(std::string_view lowerExtension);

// The texts for the picture at path. A JPEG or PNG larger than the picture box (with Resize
// on) is first shrunk into a copy named like the file with "~temp" before its extension
// (photo.jpg -> photo~temp.jpg), written into copies, never beside the user's picture; that
// copy is encoded and its name is the id. The id keeps the file name's letter case; the
// content type comes from its extension in lower case. Nothing for other kinds of files (GIF
// too) and for a file that does not exist, is empty or cannot be read. Throws PictureError
// naming the file when it has to be measured (Resize on) and is not a picture of its kind.
std::optional<PictureTexts> loadPictureTexts(const std::filesystem::path& path, const ConversionOptions& options,
                                             TempFolder& copies);

// The id a file name gives in the FB2 text: characters that would end the id's attribute or
// break the XML ('"', '<', '>', '&', control characters) become "_".
std::string pictureIdFromFileName(std::string_view fileName);

}  // namespace vellumar
