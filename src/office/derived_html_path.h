#pragma once
// Where the HTML of a word-processor document goes when it is opened in the window.

#include <filesystem>

namespace vellumar {

// The document's folder and its file name with every space turned into "_" and the
// extension replaced by ".htm": "/home/ann/My Files/Old Book.rtf" gives
// "/home/ann/My Files/Old_Book.htm". Spaces in the folder stay.
std::filesystem::path DerivedHtmlPath(const std::filesystem::path& document);

}  // namespace vellumar
