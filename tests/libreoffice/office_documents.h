#pragma once
// Word-processor documents for the tests: an RTF written by hand, and the other kinds made
// from it by the real LibreOffice.

#include <filesystem>
#include <string>

namespace vellumar::testing {

// An RTF book: a heading "Глава первая" (chapter one), a paragraph with "bold" in bold and
// "italic" in italic and the Russian word "Да", an 8 × 6 red PNG picture, and a second
// heading "Two".
std::string rtfBook();

// Has LibreOffice convert `source` into `format` ("doc", "docx", "odt", ...) in `folder`,
// under the source's stem with the format as extension; returns that path. Fails the test
// (ADD_FAILURE) when no file appears.
std::filesystem::path makeWithLibreOffice(const std::filesystem::path& source, const std::string& format,
                                          const std::filesystem::path& folder);

// The bytes of a file, "" when it cannot be read.
std::string fileBytes(const std::filesystem::path& path);

}  // namespace vellumar::testing
