#include "encodings/single_byte_code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "encodings/text_encoding.h"

namespace vellumar {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code points iconv reads from one byte on its own, from a fresh start and without the
// final flush: nothing when the byte does not stand alone (a lead byte, a shift sequence) or
// when the converter holds it back to see what follows.
std::optional<std::vector<char32_t>> readAlone(iconv_t cd, unsigned char byte)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[1] = {static_cast<char>(byte)};
    char* from = in;
    std::size_t fromLeft = 1;
    char out[64];
    char* to = out;
    std::size_t toLeft = sizeof out;
    if (iconv(cd, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1)) {
        if (errno == EILSEQ) return std::vector<char32_t>{kReplacement};
        return std::nullopt;
    }
    const std::size_t written = sizeof out - toLeft;
    if (fromLeft != 0 || written == 0 || written % 4 != 0) return std::nullopt;
    std::vector<char32_t> codePoints(written / 4);
    for (std::size_t i = 0; i < codePoints.size(); ++i) {
        std::uint32_t value = 0;
        std::memcpy(&value, out + i * 4, 4);
        codePoints[i] = static_cast<char32_t>(value);
    }
    return codePoints;
}

std::shared_ptr<const SingleByteCodePage> makeTable(const std::string& iconvName)
{
    iconv_t cd = iconv_open("UTF-32LE", iconvName.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    std::array<std::string, 256> texts;
    bool single = true;
    for (int byte = 0; byte < 256 && single; ++byte) {
        const std::optional<std::vector<char32_t>> codePoints = readAlone(cd, static_cast<unsigned char>(byte));
        if (!codePoints) {
            single = false;
            break;
        }
        std::string text;
        for (const char32_t cp : *codePoints) {
            if (const std::optional<unsigned char> mapped = unicodeToWindows1251(cp))
                text.push_back(static_cast<char>(*mapped));
            else
                text.append("&#").append(std::to_string(static_cast<std::uint32_t>(cp))).push_back(';');
        }
        texts[static_cast<std::size_t>(byte)] = std::move(text);
    }
    iconv_close(cd);
    return single ? std::make_shared<const SingleByteCodePage>(texts) : nullptr;
}

}  // namespace

SingleByteCodePage::SingleByteCodePage(const std::array<std::string, 256>& texts)
{
    for (std::size_t byte = 0; byte < texts.size(); ++byte) {
        if (texts[byte].size() == 1) m_byte[byte] = texts[byte][0];
        else m_reference[byte] = texts[byte];
    }
}

std::string SingleByteCodePage::toWindows1251(std::string_view bytes) const
{
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (m_reference[byte].empty()) out.push_back(m_byte[byte]);
        else out.append(m_reference[byte]);
    }
    return out;
}

std::shared_ptr<const SingleByteCodePage> singleByteCodePageOf(const std::string& iconvName)
{
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const SingleByteCodePage>> tables;
    const std::lock_guard lock(mutex);
    const auto known = tables.find(iconvName);
    if (known != tables.end()) return known->second;
    return tables.emplace(iconvName, makeTable(iconvName)).first->second;
}

}  // namespace vellumar
