#include "settings/ini_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <system_error>

#include "files/file_io.h"
#include "encodings/text_encoding.h"
#include "encodings/utf8.h"

namespace vellumar {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(bytes, i, cp);
        // A broken sequence decodes as U+FFFD of length 1; a real U+FFFD takes three bytes.
        if (cp == 0xFFFD && length == 1) return false;
        i += length;
    }
    return true;
}

bool fitsWindows1251(std::string_view utf8)
{
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        i += decodeUtf8(utf8, i, cp);
        if (!unicodeToWindows1251(cp)) return false;
    }
    return true;
}

// The name of a "[Section]" line, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view text)
{
    const std::string_view line = trimmed(text);
    if (line.empty() || line.front() != '[') return std::nullopt;
    std::string_view name = line.substr(1);
    if (const std::size_t close = name.find(']'); close != std::string_view::npos) name = name.substr(0, close);
    return trimmed(name);
}

struct KeyLine {
    std::string_view key;
    std::string_view value;  // everything after the first "="
};

// The key and value of a "Key=value" line; comments and lines without a key give nullopt.
std::optional<KeyLine> keyLine(std::string_view text)
{
    const std::string_view line = trimmed(text);
    if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') return std::nullopt;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = trimmed(text.substr(0, equals));
    if (key.empty()) return std::nullopt;
    return KeyLine{key, text.substr(equals + 1)};
}

bool quotedPair(std::string_view s)
{
    return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

std::string unquoted(std::string_view raw)
{
    std::string_view value = trimmed(raw);
    if (quotedPair(value)) value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// The text that reads back as `value` through unquoted().
std::string quotedForFile(std::string_view value)
{
    std::string text(value);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    const bool needsQuotes =
        !text.empty() && (isBlank(text.front()) || isBlank(text.back()) || quotedPair(text));
    return needsQuotes ? '"' + text + '"' : text;
}

std::optional<int> decimalInteger(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    int result = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return result;
}

}  // namespace

IniFile::IniFile(std::filesystem::path path) : m_path(std::move(path))
{
    std::error_code error;
    const bool exists = std::filesystem::exists(m_path, error);
    if (error && error != std::errc::no_such_file_or_directory)
        throw FileError("cannot read '" + m_path.string() + "': " + error.message());
    if (!exists) return;
    // Only a regular file, and only so much of it: a FIFO or a link to a device at the name must
    // neither stop the window nor fill its memory.
    if (std::filesystem::is_regular_file(m_path, error) && std::filesystem::file_size(m_path, error) > kMaxFileSize)
        throw FileError("cannot read '" + m_path.string() + "': too large for a settings or language file");
    parse(readRegularFileBytes(m_path, kMaxFileSize));
}

IniFile IniFile::fromBytes(std::filesystem::path path, std::string_view bytes)
{
    IniFile file;
    file.m_path = std::move(path);
    file.parse(bytes);
    return file;
}

void IniFile::parse(std::string_view bytes)
{
    m_lines.clear();
    if (bytes.starts_with(kUtf8Bom)) {
        m_encoding = IniEncoding::Utf8WithBom;
        bytes.remove_prefix(kUtf8Bom.size());
    } else {
        m_encoding = isValidUtf8(bytes) ? IniEncoding::Utf8 : IniEncoding::Windows1251;
    }
    bool newLineSeen = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t stop = bytes.find_first_of("\r\n", start);
        Line line;
        if (stop == std::string_view::npos) {
            stop = bytes.size();
        } else {
            const std::size_t endLength = bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n' ? 2 : 1;
            line.end = std::string(bytes.substr(stop, endLength));
        }
        line.raw = std::string(bytes.substr(start, stop - start));
        line.text = m_encoding == IniEncoding::Windows1251 ? windows1251ToUtf8(line.raw) : line.raw;
        if (!newLineSeen && !line.end.empty()) {
            m_newLine = line.end;
            newLineSeen = true;
        }
        start = stop + line.end.size();
        m_lines.push_back(std::move(line));
    }
}

std::optional<IniFile::Section> IniFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i].text);
        if (!name || !sameName(*name, section)) continue;
        Section found{i, m_lines.size()};
        for (std::size_t j = i + 1; j < m_lines.size(); ++j) {
            if (sectionName(m_lines[j].text)) {
                found.end = j;
                break;
            }
        }
        return found;
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(const Section& section, std::string_view key) const
{
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const auto line = keyLine(m_lines[i].text);
        if (line && sameName(line->key, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const auto found = findSection(section);
    if (!found) return std::nullopt;
    const auto index = findKey(*found, key);
    if (!index) return std::nullopt;
    return unquoted(keyLine(m_lines[*index].text)->value);
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    auto found = value(section, key);
    return found ? std::move(*found) : std::string(fallback);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const
{
    const auto found = value(section, key);
    const auto number = found ? decimalInteger(*found) : std::nullopt;
    return number.value_or(fallback);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const
{
    const auto found = value(section, key);
    const auto number = found ? decimalInteger(*found) : std::nullopt;
    return number ? *number != 0 : fallback;
}

std::vector<std::string> IniFile::sections() const
{
    std::vector<std::string> result;
    for (const Line& line : m_lines) {
        const auto name = sectionName(line.text);
        if (!name) continue;
        bool known = false;
        for (const std::string& seen : result) known = known || sameName(seen, *name);
        if (!known) result.emplace_back(*name);
    }
    return result;
}

std::vector<std::string> IniFile::keys(std::string_view section) const
{
    std::vector<std::string> result;
    const auto found = findSection(section);
    if (!found) return result;
    for (std::size_t i = found->header + 1; i < found->end; ++i)
        if (const auto line = keyLine(m_lines[i].text)) result.emplace_back(line->key);
    return result;
}

void IniFile::switchToUtf8()
{
    for (Line& line : m_lines) line.raw = line.text;
    m_encoding = IniEncoding::Utf8;
}

void IniFile::setLineText(Line& line, std::string text)
{
    line.text = std::move(text);
    if (m_encoding != IniEncoding::Windows1251) {
        line.raw = line.text;
    } else if (fitsWindows1251(line.text)) {
        line.raw = utf8ToWindows1251(line.text);
    } else {
        switchToUtf8();
    }
}

void IniFile::insertLine(std::size_t index, std::string text)
{
    // The line before the new one gets a line end when it was the file's unfinished last line.
    if (index > 0 && m_lines[index - 1].end.empty()) m_lines[index - 1].end = m_newLine;
    Line line;
    line.end = m_newLine;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    setLineText(m_lines[index], std::move(text));
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string stored = quotedForFile(value);
    const auto found = findSection(section);
    if (!found) {
        insertLine(m_lines.size(), '[' + std::string(section) + ']');
        insertLine(m_lines.size(), std::string(key) + '=' + stored);
        m_modified = true;
        return;
    }
    if (const auto index = findKey(*found, key)) {
        Line& line = m_lines[*index];
        // The key and whatever stands before the value stay as they were.
        std::size_t valueStart = line.text.find('=') + 1;
        while (valueStart < line.text.size() && isBlank(line.text[valueStart])) ++valueStart;
        std::string text = line.text.substr(0, valueStart) + stored;
        if (text == line.text) return;
        setLineText(line, std::move(text));
        m_modified = true;
        return;
    }
    // After the section's last non-blank line, so that blank lines between sections stay between them.
    std::size_t at = found->end;
    while (at > found->header + 1 && trimmed(m_lines[at - 1].text).empty()) --at;
    insertLine(at, std::string(key) + '=' + stored);
    m_modified = true;
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

std::string IniFile::bytes() const
{
    std::string result;
    if (m_encoding == IniEncoding::Utf8WithBom) result = kUtf8Bom;
    for (const Line& line : m_lines) result.append(line.raw).append(line.end);
    return result;
}

void IniFile::save()
{
    if (!m_modified) return;
    std::filesystem::path target = m_path;
    std::error_code error;
    if (std::filesystem::is_symlink(target, error)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
        if (!error) target = resolved;
        // A link to someone else's file is not written through: the settings would replace it.
        struct stat info {};
        if (!error && ::stat(target.c_str(), &info) == 0 && info.st_uid != ::geteuid())
            throw FileError("cannot write '" + m_path.string() + "': it is a link to '" + target.string() +
                            "', which belongs to another user");
    }
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), error);
        if (error) throw FileError("cannot create the folder '" + target.parent_path().string() + "': " + error.message());
    }
    writeFileAtomically(target, bytes());
    m_modified = false;
}

}  // namespace vellumar
