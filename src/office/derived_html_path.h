#pragma once
// Where the HTML of a word-processor document goes when it is opened in the window.

#include <filesystem>

#include "files/written_files.h"

namespace vellumar {

// The document's folder and its file name with every space turned into "_" and the
// extension replaced by ".htm": "/home/ann/My Files/Old Book.rtf" gives
// "/home/ann/My Files/Old_Book.htm". Spaces in the folder stay.
std::filesystem::path derivedHtmlPath(const std::filesystem::path& document);

// The HTML files this run of the program wrote beside documents. A file of the derived name
// that is not among them belongs to the user and is never replaced.
class WrittenHtmlFiles {
public:
    // derivedHtmlPath(document) when nothing lies there or this run wrote it, else the first
    // of "Old_Book~2.htm", "Old_Book~3.htm", ... for which the same holds.
    std::filesystem::path pathFor(const std::filesystem::path& document) const;
    void add(const std::filesystem::path& html) { m_written.add(html); }

private:
    WrittenFiles m_written;
};

}  // namespace vellumar
