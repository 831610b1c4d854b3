#include "ui/commands/book_encoding.h"

#include "editing/text_lines.h"
#include "encodings/text_encoding.h"

namespace vellumar {

BookEncoding BookEncoding::read(std::string_view bytes, std::string& held)
{
    BookEncoding book;
    const std::string encoding = xmlDocumentEncoding(bytes);
    if (isWindows1251Encoding(encoding)) {
        held.assign(bytes);
        return book;
    }
    book.m_encoding = encoding;
    book.m_byteOrderMark = hasByteOrderMark(bytes, encoding);
    if (book.m_byteOrderMark) bytes.remove_prefix(byteOrderMark(encoding).size());
    if (encoding == "utf-8" || encoding == "utf8") {
        book.m_editorCodePage = "UTF-8";
        held.assign(bytes);
    } else if (isSingleByteEncoding(encoding)) {
        book.m_editorCodePage = encoding;
        held.assign(bytes);
    } else {
        held = codePageToUtf8(bytes, encoding);
        book.m_editorCodePage = "UTF-8";
        book.m_heldAsUtf8 = true;
    }
    book.m_lineFeeds = held.find('\n') != std::string::npos && held.find("\r\n") == std::string::npos;
    book.m_breakAfterLast = held.empty() || held.back() == '\n' || held.back() == '\r';
    return book;
}

std::string BookEncoding::fileBytes(std::string_view editorText) const
{
    if (m_encoding.empty()) return joinLinesCrLf(editorText, true);
    std::string lines = joinLinesCrLf(editorText, m_breakAfterLast);
    if (m_lineFeeds) std::erase(lines, '\r');
    if (m_heldAsUtf8) lines = utf8ToCodePage(lines, m_encoding);
    if (m_byteOrderMark) lines.insert(0, byteOrderMark(m_encoding));
    return lines;
}

}  // namespace vellumar
