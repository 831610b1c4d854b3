#pragma once
// Loading a source document: its bytes read, its encoding found, turned into windows-1251,
// and (unless the text is to be taken as typed) cleaned, as the source page shows it.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "base/user_interaction.h"
#include "files/file_io.h"

namespace vellumar {

// Where a source is read from: a file, or the program's standard input.
struct SourceFile {
    std::filesystem::path path;  // not used for standard input
    bool standardInput = false;
    // For a word-processor document (`path`): the HTML a word processor saved for it, which
    // is read in its place, as UTF-8 whatever LoadOptions says. Messages still name `path`.
    std::filesystem::path html = {};

    static SourceFile StandardInput() { return SourceFile{{}, true}; }
    // How messages name it: the path as given, or "standard input".
    std::string displayName() const;
    // Where the pictures it names by relative paths are found: the file's folder (the HTML's
    // folder for a converted document), or the current folder (an empty path) for standard
    // input.
    std::filesystem::path folder() const;
};

// Whether the file is a word-processor document (.doc, .rtf, .docx, .odt, in any case),
// which a word processor must save as HTML before it can be loaded (office/).
bool IsWordProcessorDocument(const std::filesystem::path& path);

struct LoadOptions {
    // A charset name, or "auto": byte-order mark, <meta charset>, UTF-8 detection.
    std::string encoding = "auto";
    // false: the text as typed into the source page, without the cleaning an opened file gets.
    bool clean = true;
    // A longer source is refused rather than read.
    std::size_t maxBytes = kMaxSourceBytes;
};

struct LoadedSource {
    // windows-1251, every line ended by CR LF: the lines the source page shows, and what
    // "Save as HTML" writes.
    std::string text;
    // Where relative picture paths start (SourceFile::folder).
    std::filesystem::path folder;
    // The source as messages name it (SourceFile::displayName).
    std::string name;

    // The text as the source editor hands it to a conversion: its lines joined by CR LF.
    std::string editorText() const;
    // The same, taken out of `text` rather than copied: `text` is left empty.
    std::string takeEditorText();
};

// The steps of LoadSource, for callers that need one of them alone.
//
// The source's bytes. Throws FileError naming the source when it cannot be read or holds more
// than maxBytes.
std::string ReadSource(const SourceFile& file, std::size_t maxBytes = kMaxSourceBytes);
// The bytes as windows-1251 (`encoding` as in LoadOptions). Doubts about a declared encoding
// go to user.warn, prefixed with "`sourceName`: ". Throws EncodingError for a charset that is
// not known.
std::string DecodeSource(std::string_view bytes, std::string_view encoding, std::string_view sourceName,
                         UserInteraction& user);
// The cleaned source, every line ended by CR LF. Tokenizer problems go to user.
std::string CleanSource(std::string text, const ConversionOptions& options, UserInteraction& user);

// Reads, decodes and (when load.clean) cleans one source.
LoadedSource LoadSource(const SourceFile& file, const LoadOptions& load, const ConversionOptions& options,
                        UserInteraction& user);

}  // namespace vellumar
