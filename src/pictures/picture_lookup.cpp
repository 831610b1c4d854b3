#include "pictures/picture_lookup.h"

#include "encodings/text_encoding.h"
#include "encodings/utf8.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include <sys/stat.h>

namespace vellumar {

namespace fs = std::filesystem;

namespace {

std::optional<FoundPictureFile> regularFile(const fs::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return FoundPictureFile{path, static_cast<unsigned long long>(info.st_dev),
                            static_cast<unsigned long long>(info.st_ino), static_cast<long long>(info.st_size)};
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "%20" and the like as their bytes; a "%" not followed by two hex digits stays as it is.
std::string percentDecoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// "file:///a/b", "file://localhost/a/b" and "file:/a/b" are the path /a/b; nullopt for a src
// that is not a "file:" URL.
std::optional<std::string> filePathOfUrl(std::string_view src)
{
    if (!startsWithNoCase(src, "file:")) return std::nullopt;
    std::string_view rest = src.substr(5);
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    }
    return std::string(rest);
}

// A numeric character reference at text[i] ("&#233;", "&#xE9;"): its code point and length.
std::size_t numericReference(std::string_view text, std::size_t i, char32_t& cp)
{
    if (text.substr(i, 2) != "&#") return 0;
    std::size_t at = i + 2;
    const bool hex = at < text.size() && (text[at] == 'x' || text[at] == 'X');
    if (hex) ++at;
    char32_t value = 0;
    const std::size_t digitsStart = at;
    for (; at < text.size() && at - digitsStart < 8; ++at) {
        const int digit = hex ? hexValue(text[at]) : (text[at] >= '0' && text[at] <= '9' ? text[at] - '0' : -1);
        if (digit < 0) break;
        value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    if (at == digitsStart || at >= text.size() || text[at] != ';' || value == 0 || value > 0x10FFFF) return 0;
    cp = value;
    return at + 1 - i;
}

// windows-1251 text as UTF-8, its numeric references (the letters windows-1251 lacks) and
// "&amp;" read as their characters.
std::string utf8Spelling(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        if (const std::size_t length = numericReference(text, i, cp)) {
            appendUtf8(out, cp);
            i += length;
        } else if (text.substr(i, 5) == "&amp;") {
            out.push_back('&');
            i += 5;
        } else {
            appendUtf8(out, windows1251ToUnicode(static_cast<unsigned char>(text[i])));
            ++i;
        }
    }
    return out;
}

char32_t foldCase(char32_t cp)
{
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;  // accented Latin
    if (cp >= 0x410 && cp <= 0x42F) return cp + 32;               // Cyrillic А-Я
    if (cp >= 0x400 && cp <= 0x40F) return cp + 80;               // Cyrillic Ѐ-Џ
    return cp;
}

void addSpelling(std::vector<std::string>& spellings, std::string spelling)
{
    if (spelling.empty()) return;
    if (std::find(spellings.begin(), spellings.end(), spelling) == spellings.end()) spellings.push_back(std::move(spelling));
}

// The names in folder by their folded names (empty when it cannot be read).
std::multimap<std::string, std::string> listFolder(const fs::path& folder)
{
    std::multimap<std::string, std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        names.emplace(foldFileNameCase(name), std::move(name));
    }
    return names;
}

// The entry of folder whose name equals `name` without regard to case (the first in name order
// when several do); nullopt when none does.
std::optional<fs::path> entryIgnoringCase(const fs::path& folder, const std::string& name, FolderListings& listings)
{
    auto listed = listings.find(folder);
    if (listed == listings.end()) listed = listings.emplace(folder, listFolder(folder)).first;
    const auto [first, last] = listed->second.equal_range(foldFileNameCase(name));
    std::optional<std::string> found;
    for (auto it = first; it != last; ++it)
        if (!found || it->second < *found) found = it->second;
    if (!found) return std::nullopt;
    return folder / *found;
}

// The path with each part that does not exist as written replaced by an entry of its folder
// that matches it without regard to case.
std::optional<fs::path> matchIgnoringCase(const fs::path& path, FolderListings& listings)
{
    fs::path resolved;
    bool first = true;
    for (const fs::path& part : path) {
        const std::string name = part.string();
        if (first && path.has_root_directory()) {
            resolved = part;
            first = false;
            continue;
        }
        first = false;
        if (name.empty()) continue;
        fs::path next = resolved / part;
        std::error_code error;
        if (name != "." && name != ".." && !fs::exists(next, error)) {
            const std::optional<fs::path> match = entryIgnoringCase(resolved, name, listings);
            if (!match) return std::nullopt;
            next = *match;
        }
        resolved = std::move(next);
    }
    return resolved;
}

}  // namespace

std::string foldFileNameCase(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(name, i, cp);
        if (cp == 0xFFFD && length == 1 && static_cast<unsigned char>(name[i]) >= 0x80) {
            out.push_back(name[i]);  // not UTF-8: kept as the byte it is
        } else {
            appendUtf8(out, foldCase(cp));
        }
        i += length;
    }
    return out;
}

std::vector<std::string> pictureFileSpellings(std::string_view src)
{
    std::vector<std::string> literal;
    addSpelling(literal, std::string(src));
    if (src.find('\\') != std::string_view::npos) {
        std::string slashed(src);
        std::replace(slashed.begin(), slashed.end(), '\\', '/');
        addSpelling(literal, std::move(slashed));
    }
    std::vector<std::string> decoded = literal;
    if (const std::optional<std::string> path = filePathOfUrl(src)) {
        decoded.clear();  // a URL is always escaped: its path is read decoded only
        addSpelling(decoded, percentDecoded(*path));
    } else {
        for (const std::string& spelling : literal)
            if (spelling.find('%') != std::string::npos) addSpelling(decoded, percentDecoded(spelling));
    }
    std::vector<std::string> spellings;
    for (const std::string& spelling : decoded) {
        addSpelling(spellings, spelling);
        addSpelling(spellings, utf8Spelling(spelling));
    }
    return spellings;
}

std::optional<FoundPictureFile> lookUpPictureFile(std::string_view src, const fs::path& baseFolder,
                                                  FolderListings* listings)
{
    FolderListings ownListings;
    FolderListings& known = listings != nullptr ? *listings : ownListings;
    const std::vector<std::string> spellings = pictureFileSpellings(src);
    std::vector<fs::path> paths;
    paths.reserve(spellings.size());
    for (const std::string& spelling : spellings) {
        const fs::path path(spelling);
        paths.push_back(path.is_relative() && !baseFolder.empty() ? baseFolder / path : path);
    }
    for (const fs::path& path : paths)
        if (std::optional<FoundPictureFile> found = regularFile(path)) return found;
    for (const fs::path& path : paths)
        if (const std::optional<fs::path> match = matchIgnoringCase(path, known))
            if (std::optional<FoundPictureFile> found = regularFile(*match)) return found;
    return std::nullopt;
}

fs::path findPictureFile(std::string_view src, const fs::path& baseFolder, FolderListings* listings)
{
    std::optional<FoundPictureFile> found = lookUpPictureFile(src, baseFolder, listings);
    return found ? std::move(found->path) : fs::path();
}

}  // namespace vellumar
