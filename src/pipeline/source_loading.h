#pragma once
// Loading a source document: its bytes read, its encoding found, turned into windows-1251,
// and (unless the text is to be taken as typed) cleaned, as the source page shows it. A
// word-processor document is saved as HTML by LibreOffice first, and that HTML is loaded.

#include <cstddef>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/conversion_options.h"
#include "base/user_interaction.h"
#include "files/file_io.h"
#include "office/converted_documents.h"
#include "office/libreoffice_runner.h"

namespace vellumar {

// Where a source is read from: a file, or the program's standard input.
struct SourceFile {
    std::filesystem::path path;  // not used for standard input
    bool standardInput = false;
    // For a word-processor document (`path`) saved as HTML already (SourceBatch): that HTML,
    // which is read in its place, as UTF-8 whatever LoadOptions says. Messages still name `path`.
    std::filesystem::path html = {};
    // What the conversion into that HTML left out (pictures the document links from outside its
    // folder), for the user when the source is loaded.
    std::vector<std::string> warnings = {};

    static SourceFile fromStandardInput() { return SourceFile{{}, true}; }
    // How messages name it: the path as given, or "standard input".
    std::string displayName() const;
    // Where the pictures it names by relative paths are found: the file's folder (the HTML's
    // folder for a converted document), or the current folder (an empty path) for standard
    // input.
    std::filesystem::path folder() const;
};

// Whether the file is a word-processor document (.doc, .rtf, .docx, .odt, in any case),
// which LibreOffice must save as HTML before it can be loaded.
bool isWordProcessorDocument(const std::filesystem::path& path);

// A word-processor document that LibreOffice could not save as HTML; the message says why and
// what to do (LibreOffice missing, not a document of its kind, too slow, ...).
class DocumentConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct LoadOptions {
    // A charset name, or "auto": byte-order mark, <meta charset>, UTF-8 detection.
    std::string encoding = "auto";
    // false: the text as typed into the source page, without the cleaning an opened file gets.
    bool clean = true;
    // A longer source is refused rather than read.
    std::size_t maxBytes = kMaxSourceBytes;
    // How LibreOffice runs for a word-processor document loaded on its own; a window lets its
    // events run meanwhile (keepWaiting).
    LibreOfficeSettings libreOffice = {};
};

struct LoadedSource {
    // windows-1251, every line ended by CR LF: the lines the source page shows, and what
    // "Save as HTML" writes.
    std::string text;
    // Where relative picture paths start (SourceFile::folder).
    std::filesystem::path folder;
    // The source as messages name it (SourceFile::displayName).
    std::string name;
    // The encoding the source's bytes were read in ("utf-8", "koi8-r", "utf-16le", ...), and
    // whether they started with its byte-order mark: what a save of the page writes again
    // (windows1251ToSource).
    std::string encoding = "windows-1251";
    bool byteOrderMark = false;

    // The text as the source editor hands it to a conversion: its lines joined by CR LF.
    std::string editorText() const;
    // The same, taken out of `text` rather than copied: `text` is left empty.
    std::string takeEditorText();
};

// The steps of loadSource, for callers that need one of them alone.
//
// The source's bytes. Throws FileError naming the source when it cannot be read or holds more
// than maxBytes.
std::string readSource(const SourceFile& file, std::size_t maxBytes = kMaxSourceBytes);
// The bytes as windows-1251 (`encoding` as in LoadOptions). Doubts about a declared encoding
// go to user.warn. Throws EncodingError for a charset that is not known.
std::string decodeSource(std::string_view bytes, std::string_view encoding, UserInteraction& user);
// The cleaned source, every line ended by CR LF. Tokenizer problems go to user.
std::string cleanSource(std::string text, const ConversionOptions& options, UserInteraction& user);

// Reads, decodes and (when load.clean) cleans one source. A word-processor document without
// its `html` is first saved as HTML beside it, with its pictures, which stay there: "Old
// Book.rtf" gives "Old_Book.htm", or "Old_Book~2.htm" when a file of that name is there that
// this run of the program did not write. Throws DocumentConversionError when LibreOffice
// cannot save it.
LoadedSource loadSource(const SourceFile& file, const LoadOptions& load, const ConversionOptions& options,
                        UserInteraction& user);

// The sources of one run, opened together: their word-processor documents are saved as HTML
// by one start of LibreOffice, into a private temporary folder that lives as long as the batch.
class SourceBatch {
public:
    // `inputs` are paths, "-" standing for standard input. Throws (naming the folder) when the
    // temporary folder cannot be made.
    explicit SourceBatch(std::span<const std::string> inputs, LibreOfficeSettings libreOffice = {});

    // inputs[index] as loadSource takes it. Throws DocumentConversionError when it is a
    // word-processor document that LibreOffice could not save as HTML.
    SourceFile source(std::size_t index) const;

private:
    std::vector<std::string> m_inputs;
    LibreOfficeRunner m_libreOffice;
    ConvertedDocuments m_documents;
};

}  // namespace vellumar
