#pragma once
// Code-page conversions at the edges of the program. Inside core every text is bytes in
// windows-1251; these turn other encodings into it and the editors' code pages into Unicode.
// A character that the target code page lacks becomes a numeric character reference
// ("&#8230;"), so nothing is lost.

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumar {

class EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The code point of a windows-1251 byte (0x98, which has none, gives U+FFFD).
char32_t windows1251ToUnicode(unsigned char byte);
// The windows-1251 byte of a code point, or nullopt when windows-1251 lacks it.
std::optional<unsigned char> unicodeToWindows1251(char32_t codePoint);

// windows-1251 bytes as UTF-8.
std::string windows1251ToUtf8(std::string_view text);
// UTF-8 as windows-1251 bytes; lacking characters become "&#N;", invalid bytes U+FFFD's reference.
std::string utf8ToWindows1251(std::string_view utf8);
// The same, converted where it stands from byte `from` on (the bytes before it, a byte-order
// mark, are dropped): a large source is not copied. Gives what utf8ToWindows1251 gives for
// utf8.substr(from).
std::string utf8ToWindows1251InPlace(std::string&& utf8, std::size_t from = 0);

// `bytes` in the code page `codePage` (any name iconv knows: "windows-1252", "cp866",
// "macintosh", ...) as UTF-8. Throws EncodingError naming the code page when iconv lacks it.
std::string codePageToUtf8(std::string_view bytes, std::string_view codePage);
// UTF-8 in `codePage`; characters it lacks become "&#N;". Throws EncodingError as above.
std::string utf8ToCodePage(std::string_view utf8, std::string_view codePage);

// Receives a warning (UTF-8) about a source's declared encoding; the reading goes on.
using EncodingWarningHandler = std::function<void(std::string_view)>;

// How a source file declares or shows its encoding: a byte-order mark, a <meta charset> or
// http-equiv Content-Type in the first 4 KB, or (nothing declared) valid UTF-8 holding non-ASCII
// bytes, else windows-1251. Returns the charset name as found ("utf-8", "windows-1251", ...).
// As in browsers, a <meta> naming UTF-16 means UTF-8 (the label itself was ASCII), and a label
// no one knows is ignored (reported to onWarning) and the search goes on.
std::string detectSourceEncoding(std::string_view bytes, const EncodingWarningHandler& onWarning = {});
// A source file's bytes as windows-1251: `encoding` is a charset name or "auto" for
// detectSourceEncoding. A UTF-8 byte-order mark is dropped. Throws EncodingError for a charset
// that iconv does not know ("unknown character set 'x'"): one the user named is not ignored.
std::string sourceToWindows1251(std::string_view bytes, std::string_view encoding = "auto",
                                const EncodingWarningHandler& onWarning = {});
// The same for bytes that are not needed afterwards: windows-1251 and UTF-8 are converted where
// they stand rather than copied.
std::string sourceToWindows1251Taken(std::string&& bytes, std::string_view encoding,
                                     const EncodingWarningHandler& onWarning = {});
// windows-1251 text written back in a source's encoding (a charset name as
// DetectSourceEncoding gives it), so that a page saved again declares what its bytes are.
// Characters the encoding lacks become references; `withByteOrderMark` puts the encoding's
// mark (UTF-8, UTF-16) in front.
std::string windows1251ToSource(std::string_view text, std::string_view encoding, bool withByteOrderMark = false);
// How an XML document's bytes are encoded: a byte-order mark (UTF-8, UTF-16) or UTF-16 text
// without one, else the encoding its <?xml?> declaration names (lower case), else UTF-8, the
// XML default, when the bytes are valid UTF-8, and windows-1251 when they are not.
std::string xmlDocumentEncoding(std::string_view bytes);
// Whether `name` names windows-1251 (any case).
bool isWindows1251Encoding(std::string_view name);
// Whether iconv reads `name` one byte per character, every byte on its own (KOI8-R,
// ISO-8859-5, ...); false for multi-byte encodings and for names iconv does not know.
bool isSingleByteEncoding(std::string_view name);
// The byte-order mark of `encoding` (UTF-8, UTF-16LE, UTF-16BE), empty for other encodings,
// and whether `bytes` start with it.
std::string_view byteOrderMark(std::string_view encoding);
bool hasByteOrderMark(std::string_view bytes, std::string_view encoding);

}  // namespace vellumar
