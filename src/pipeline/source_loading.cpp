#include "pipeline/source_loading.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "base/byte_scan.h"
#include "cleaning/source_normalizer.h"
#include "encodings/text_encoding.h"
#include "editing/text_lines.h"
#include "pictures/picture_workers.h"
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

std::string CleanSource(std::string text, const ConversionOptions& options, UserInteraction& user,
                        PictureScout* pictures)
{
    std::function<void(std::vector<std::string>)> imagesFound;
    if (pictures) imagesFound = [pictures](std::vector<std::string> srcs) { pictures->lookAhead(std::move(srcs)); };
    // The cleaner ends every line of the text with CR LF first, as an opened file gives it.
    return NormalizeTakenSourceHtml(std::move(text), options, user, imagesFound);
}

LoadedSource LoadSource(const SourceFile& file, const LoadOptions& load, const ConversionOptions& options,
                        UserInteraction& user)
{
    LoadedSource source;
    source.name = file.displayName();
    source.folder = file.folder();
    // A word processor's HTML is UTF-8.
    const std::string_view encoding = file.html.empty() ? std::string_view(load.encoding) : "utf-8";
    PictureWorkers& workers = PictureWorkers::shared();
    bool lookAhead = false;
    std::string text;
    {
        const std::string bytes = ReadSource(file, load.maxBytes);
        // Only a source that names pictures gets a worker, and gets it now: waiting, not new,
        // it is placed on an idle processor as soon as the look-ahead has work for it.
        lookAhead = load.lookAheadPictures && load.clean && !workers.runsInline() && scan::HoldsImgTag(bytes);
        if (lookAhead) workers.startThread();
        text = DecodeSource(bytes, encoding, source.name, user);
    }
    if (lookAhead)
        source.pictures = std::make_shared<PictureScout>(options, source.folder, workers);
    source.text = JoinLinesCrLfOwned(
        load.clean ? CleanSource(std::move(text), options, user, source.pictures.get()) : std::move(text), true);
    return source;
}

}  // namespace vellumar
