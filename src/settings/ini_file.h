#pragma once
// INI files (the settings file, language files, settings files the user saves), read and
// written key by key.
//
// The file is a list of lines: "[Section]" headers, "Key=Value" lines, and anything else
// (comments, blank lines, foreign text), which is kept as it is. Writing a key replaces the value
// of its line in place, or adds the key at the end of its section, or adds the section at the
// end of the file; every other byte of the file stays as it was: line ends, comments, unknown
// sections, order, a byte-order mark. Sections and keys are matched without regard to the case
// of ASCII letters; the first section and the first key of a name count.
//
// Values go in and out as UTF-8. A file is read as UTF-8 when it starts with a UTF-8 byte-order
// mark or is valid UTF-8, else as windows-1251 (files carried over from Russian Windows systems).
// A written value is stored in the file's own encoding; when a windows-1251 file cannot hold a
// written value, the whole file is rewritten as UTF-8 so that nothing is lost. New files are UTF-8
// with CR LF line ends.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

enum class IniEncoding { Utf8, Utf8WithBom, Windows1251 };

class IniFile {
public:
    // No settings or language file comes near this size; a larger file is refused, not read.
    static constexpr std::uintmax_t kMaxFileSize = 16u << 20;

    // Reads the file at `path`; a missing file reads as an empty one. Throws FileError naming the
    // file when it exists but cannot be read (a folder, no permission, larger than kMaxFileSize).
    explicit IniFile(std::filesystem::path path);
    // An INI text that is not (yet) a file, for parsing bytes already in memory.
    static IniFile fromBytes(std::filesystem::path path, std::string_view bytes);

    const std::filesystem::path& path() const { return m_path; }
    IniEncoding encoding() const { return m_encoding; }

    // The value of `key` in `section` with surrounding blanks removed, and one pair of matching
    // quotes around it removed; nullopt when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A decimal integer (optional sign) in the range of int; anything else gives `fallback`.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    // An integer, true when not 0; a value that is not an integer gives `fallback`.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;
    // The names of the sections in file order, each name once.
    std::vector<std::string> sections() const;
    // The keys of `section` in file order (first section of the name), empty when it is missing.
    std::vector<std::string> keys(std::string_view section) const;

    // A value with blanks at either end, or one that would read back with its quotes removed, is
    // written in double quotes so that it reads back as it was. Line breaks inside a value would
    // break the file; they are written as blanks.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    // "1" or "0".
    void writeBool(std::string_view section, std::string_view key, bool value);

    // A write since the last save changed the file's text.
    bool modified() const { return m_modified; }
    // The file's bytes as save() writes them.
    std::string bytes() const;
    // Writes the file whole or not at all (temporary file and rename), creating missing folders
    // on the way; does nothing when nothing was changed. A symbolic link is followed, so the file
    // it points to is replaced, not the link. Throws FileError naming the file.
    void save();

private:
    struct Line {
        std::string raw;   // the bytes of the line as stored, without its line end
        std::string text;  // the line as UTF-8
        std::string end;   // "\r\n", "\n", "\r" or "" (last line without an end)
    };
    struct Section {
        std::size_t header = 0;  // index of the "[...]" line
        std::size_t end = 0;     // index of the next header, or the line count
    };

    IniFile() = default;
    void parse(std::string_view bytes);
    std::optional<Section> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Section& section, std::string_view key) const;
    // Sets a line's text and stores it in the file's encoding.
    void setLineText(Line& line, std::string text);
    void insertLine(std::size_t index, std::string text);
    void switchToUtf8();

    std::filesystem::path m_path;
    IniEncoding m_encoding = IniEncoding::Utf8;
    std::vector<Line> m_lines;
    std::string m_newLine = "\r\n";
    bool m_modified = false;
};

}  // namespace vellumar
