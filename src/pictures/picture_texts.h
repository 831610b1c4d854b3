#pragma once
// The FB2 texts that stand for a picture: the reference in the body and the binary element.

#include <string>
#include <string_view>

namespace vellumar {

// «<image xlink:href="#id"/>», no line break around it.
std::string imageReference(std::string_view id);
// "table" + number + ".png": the id and file name of a table picture.
std::string tablePictureName(int number);
// CR LF, the image reference of tablePictureName(number), CR LF.
std::string tablePictureReference(int number);
// «<binary content-type="image/TYPE" id="ID">BASE64» CR LF «</binary>» CR LF.
std::string binaryElement(std::string_view contentType, std::string_view id, std::string_view base64);
// The same for the picture's bytes, encoded straight into the element.
std::string binaryElementOfBytes(std::string_view contentType, std::string_view id, std::string_view bytes);

}  // namespace vellumar
