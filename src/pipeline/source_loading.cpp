#include "pipeline/source_loading.h"

#include <mutex>
#include <utility>

#include "base/ascii_case.h"
#include "cleaning/source_normalizer.h"
#include "editing/text_lines.h"
#include "encodings/text_encoding.h"
#include "office/derived_html_path.h"
#include "office/document_kinds.h"

namespace vellumar {

namespace {

constexpr std::string_view kStandardInput = "-";

// A word-processor document loaded on its own, saved as HTML beside it: `file` with its html.
SourceFile savedBesideDocument(const SourceFile& file, const LibreOfficeSettings& settings)
{
    // The HTML files written beside documents by this run of the program; another file of a
    // derived name is the user's and stays.
    static std::mutex mutex;
    static WrittenHtmlFiles written;
    std::unique_lock lock(mutex);
    SourceFile saved = file;
    saved.html = written.pathFor(file.path);
    // Not held while LibreOffice works: the events a window lets run meanwhile may load too.
    lock.unlock();
    const HtmlExportJob job{file.path, saved.html};
    const HtmlExportResult result = LibreOfficeRunner(settings).saveAsHtml({&job, 1}).front();
    if (!result.ok()) throw DocumentConversionError(result.reason);
    saved.warnings = result.warnings;
    lock.lock();
    written.add(saved.html);
    return saved;
}

}  // namespace

std::string SourceFile::displayName() const { return standardInput ? std::string("standard input") : path.string(); }

std::filesystem::path SourceFile::folder() const
{
    if (standardInput) return {};
    return html.empty() ? path.parent_path() : html.parent_path();
}

bool isWordProcessorDocument(const std::filesystem::path& path) { return wordProcessorDocumentKind(path).has_value(); }

std::string LoadedSource::editorText() const { return joinLinesCrLf(text, false); }

std::string LoadedSource::takeEditorText()
{
    // Every line already ends with CR LF: only the last line's break goes, and a large text
    // is not read once more to find that out.
    std::string lines = std::move(text);
    if (lines.ends_with("\r\n")) lines.resize(lines.size() - 2);
    return lines;
}

std::string readSource(const SourceFile& file, std::size_t maxBytes)
{
    if (file.standardInput) return readStandardInput(maxBytes);
    return readFileBytes(file.html.empty() ? file.path : file.html, maxBytes);
}

namespace {

// The front ends say which source a warning is about, so the core's text does not repeat it.
EncodingWarningHandler warningsTo(UserInteraction& user)
{
    return [&user](std::string_view warning) { user.warn(warning); };
}

}  // namespace

std::string decodeSource(std::string_view bytes, std::string_view encoding, UserInteraction& user)
{
    return sourceToWindows1251(bytes, encoding, warningsTo(user));
}

std::string cleanSource(std::string text, const ConversionOptions& options, UserInteraction& user)
{
    // The cleaner ends every line of the text with CR LF first, as an opened file gives it.
    return normalizeTakenSourceHtml(std::move(text), options, user);
}

LoadedSource loadSource(const SourceFile& given, const LoadOptions& load, const ConversionOptions& options,
                        UserInteraction& user)
{
    const SourceFile file = !given.standardInput && given.html.empty() && isWordProcessorDocument(given.path)
                                ? savedBesideDocument(given, load.libreOffice)
                                : given;
    for (const std::string& warning : file.warnings) user.warn(warning);
    LoadedSource source;
    source.name = file.displayName();
    source.folder = file.folder();
    // A word processor's HTML is UTF-8.
    const std::string_view encoding = file.html.empty() ? std::string_view(load.encoding) : "utf-8";
    std::string bytes = readSource(file, load.maxBytes);
    source.encoding = asciiLower(encoding);
    if (source.encoding.empty() || source.encoding == "auto")
        source.encoding = detectSourceEncoding(bytes, warningsTo(user));
    source.byteOrderMark = hasByteOrderMark(bytes, source.encoding);
    // Converted where the bytes were read: a large source is held once, not twice.
    std::string text = sourceToWindows1251Taken(std::move(bytes), source.encoding);
    source.text = joinLinesCrLfOwned(load.clean ? cleanSource(std::move(text), options, user) : std::move(text), true);
    return source;
}

SourceBatch::SourceBatch(std::span<const std::string> inputs, LibreOfficeSettings libreOffice)
    : m_inputs(inputs.begin(), inputs.end()), m_libreOffice(std::move(libreOffice)), m_documents(m_libreOffice, inputs)
{
}

SourceFile SourceBatch::source(std::size_t index) const
{
    const std::string& input = m_inputs.at(index);
    if (input == kStandardInput) return SourceFile::fromStandardInput();
    SourceFile file{input};
    if (m_documents.isDocument(index)) {
        const HtmlExportResult& result = m_documents.result(index);
        if (!result.ok()) throw DocumentConversionError(result.reason);
        file.html = m_documents.html(index);
        file.warnings = result.warnings;
    }
    return file;
}

}  // namespace vellumar
