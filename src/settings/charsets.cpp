#include "settings/charsets.h"

namespace vellumar {

namespace {

struct CharsetEntry {
    std::string_view name;
    int number;
    std::string_view codePage;
};

// VIETNAMESE_CHARSET is known here although the list does not offer it.
constexpr std::array<CharsetEntry, 19> kCharsets = {{
    {"ANSI_CHARSET", 0, "WINDOWS-1252"},
    {"DEFAULT_CHARSET", 1, "WINDOWS-1251"},
    {"SYMBOL_CHARSET", 2, "ISO-8859-1"},
    {"MAC_CHARSET", 77, "MACINTOSH"},
    {"SHIFTJIS_CHARSET", 128, "CP932"},
    {"HANGEUL_CHARSET", 129, "CP949"},
    {"JOHAB_CHARSET", 130, "CP1361"},
    {"GB2312_CHARSET", 134, "CP936"},
    {"CHINESEBIG5_CHARSET", 136, "CP950"},
    {"GREEK_CHARSET", 161, "WINDOWS-1253"},
    {"TURKISH_CHARSET", 162, "WINDOWS-1254"},
    {"VIETNAMESE_CHARSET", 163, "WINDOWS-1258"},
    {"HEBREW_CHARSET", 177, "WINDOWS-1255"},
    {"ARABIC_CHARSET", 178, "WINDOWS-1256"},
    {"BALTIC_CHARSET", 186, "WINDOWS-1257"},
    {"RUSSIAN_CHARSET", 204, "WINDOWS-1251"},
    {"THAI_CHARSET", 222, "WINDOWS-874"},
    {"EASTEUROPE_CHARSET", 238, "WINDOWS-1250"},
    {"OEM_CHARSET", 255, "CP866"},
}};

constexpr int kDefaultCharset = 1;

}  // namespace

int charsetByName(std::string_view name)
{
    for (const CharsetEntry& entry : kCharsets) {
        if (entry.name == name)
            return entry.number;
    }
    return kDefaultCharset;
}

std::string_view charsetNameAt(int index)
{
    if (index < 0 || index >= static_cast<int>(kCharsetNames.size()))
        return kCharsetNames[kDefaultCharsetIndex];
    return kCharsetNames[static_cast<std::size_t>(index)];
}

std::string_view codePageOfCharset(int charset)
{
    for (const CharsetEntry& entry : kCharsets) {
        if (entry.number == charset)
            return entry.codePage;
    }
    return "WINDOWS-1251";
}

}  // namespace vellumar
