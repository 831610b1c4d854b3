#pragma once
// An opened FB2 book is read in the encoding its XML declaration names and written back in it.
// Books in windows-1251 (what the converter writes) are held as they are and shown in the
// chosen character set. A book in a single-byte encoding or in UTF-8 is held as its own bytes
// and shown in its own code page, so that what the user does not change is written back byte
// for byte; other encodings (UTF-16, ...) are held as UTF-8 and turned back on saving. The
// line breaks the file used (CR LF or LF, and a break after the last line or none) are kept.

#include <string>
#include <string_view>

namespace vellumar {

class BookEncoding {
public:
    // A new or converted book: windows-1251.
    BookEncoding() = default;
    // Reads a book file's bytes; `held` receives the text the FB2 editor holds. Throws
    // EncodingError when the declared encoding is not known.
    static BookEncoding read(std::string_view bytes, std::string& held);

    // The code page the editor shows the held text in; empty: the character set's.
    const std::string& editorCodePage() const { return m_editorCodePage; }
    // The encoding the file is written in, as the book names it; empty for windows-1251.
    const std::string& encoding() const { return m_encoding; }

    // The file's bytes for the editor's text (lines joined by CR LF).
    std::string fileBytes(std::string_view editorText) const;

private:
    std::string m_encoding;
    std::string m_editorCodePage;
    bool m_byteOrderMark = false;
    bool m_heldAsUtf8 = false;
    bool m_lineFeeds = false;
    bool m_breakAfterLast = true;
};

}  // namespace vellumar
