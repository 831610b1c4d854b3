#include "pipeline/source_loading.h"

#include "cleaning/source_normalizer.h"
#include "documents/text_encoding.h"
#include "documents/text_lines.h"

namespace vellumar {

std::string SourceFile::displayName() const { return standardInput ? std::string("standard input") : path.string(); }

std::filesystem::path SourceFile::folder() const { return standardInput ? std::filesystem::path() : path.parent_path(); }

std::string LoadedSource::editorText() const { return JoinLinesCrLf(text, false); }

std::string ReadSource(const SourceFile& file, std::size_t maxBytes)
{
    return file.standardInput ? ReadStandardInput(maxBytes) : ReadFileBytes(file.path, maxBytes);
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

std::string CleanSource(std::string_view text, const ConversionOptions& options, UserInteraction& user)
{
    // The cleaner takes the text with every line ended by CR LF, as an opened file gives it.
    return NormalizeSourceHtml(JoinLinesCrLf(text, true), options, user);
}

LoadedSource LoadSource(const SourceFile& file, const LoadOptions& load, const ConversionOptions& options,
                        UserInteraction& user)
{
    LoadedSource source;
    source.name = file.displayName();
    source.folder = file.folder();
    const std::string text = DecodeSource(ReadSource(file, load.maxBytes), load.encoding, source.name, user);
    source.text = JoinLinesCrLf(load.clean ? CleanSource(text, options, user) : text, true);
    return source;
}

}  // namespace vellumar
