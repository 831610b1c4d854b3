#include "pipeline/source_loading.h"

#include <utility>

#include "cleaning/source_normalizer.h"
#include "encodings/text_encoding.h"
#include "editing/text_lines.h"
#include "office/document_kinds.h"

namespace vellumar {

std::string SourceFile::displayName() const { return standardInput ? std::string("standard input") : path.string(); }

std::filesystem::path SourceFile::folder() const
{
    if (standardInput) return {};
    return html.empty() ? path.parent_path() : html.parent_path();
}

bool IsWordProcessorDocument(const std::filesystem::path& path) { return WordProcessorDocumentKind(path).has_value(); }

std::string LoadedSource::editorText() const { return JoinLinesCrLf(text, false); }

std::string LoadedSource::takeEditorText() { return JoinLinesCrLfOwned(std::move(text), false); }

std::string ReadSource(const SourceFile& file, std::size_t maxBytes)
{
    if (file.standardInput) return ReadStandardInput(maxBytes);
    return ReadFileBytes(file.html.empty() ? file.path : file.html, maxBytes);
}

std::string DecodeSource(std::string_view bytes, std::string_view encoding, std::string_view sourceName,
                         UserInteraction& user)
{
    return SourceToWindows1251(bytes, encoding, [&](std::string_view warning) {
        std::string text(sourceName);
        text.append(": ").append(warning);
        user.warn(text);
    });
}

std::string CleanSource(std::string text, const ConversionOptions& options, UserInteraction& user)
{
    // The cleaner ends every line of the text with CR LF first, as an opened file gives it.
    return NormalizeTakenSourceHtml(std::move(text), options, user);
}

LoadedSource LoadSource(const SourceFile& file, const LoadOptions& load, const ConversionOptions& options,
                        UserInteraction& user)
{
    LoadedSource source;
    source.name = file.displayName();
    source.folder = file.folder();
    // A word processor's HTML is UTF-8.
    const std::string_view encoding = file.html.empty() ? std::string_view(load.encoding) : "utf-8";
    std::string text = DecodeSource(ReadSource(file, load.maxBytes), encoding, source.name, user);
    source.text = JoinLinesCrLfOwned(load.clean ? CleanSource(std::move(text), options, user) : std::move(text), true);
    return source;
}

}  // namespace vellumar
