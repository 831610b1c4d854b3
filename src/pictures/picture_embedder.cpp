#include "pictures/picture_embedder.h"

#include "base/ascii_case.h"
#include "pictures/data_url.h"
#include "pixels/picture_error.h"
#include "pixels/picture_file.h"
#include "pixels/picture_header.h"
#include "pictures/picture_lookup.h"
#include "pictures/picture_preparation.h"
#include "pixels/picture_scaling.h"
#include "pictures/picture_texts.h"
#include "pictures/picture_workers.h"

#include "encodings/text_encoding.h"
#include "encodings/utf8.h"

#include <algorithm>
#include <utility>

#include <sys/stat.h>

namespace vellumar {

namespace fs = std::filesystem;

namespace {

std::string inlineName(std::string_view virtualPath)
{
    std::string name(virtualPath);
    name.append(" (a picture inside the document)");
    return name;
}

bool isUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(text, i, cp);
        if (cp == 0xFFFD && text.compare(i, 3, "\xEF\xBF\xBD") != 0) return false;
        i += length;
    }
    return true;
}

}  // namespace

PictureEmbedder::PictureEmbedder(const ConversionOptions& options, fs::path baseFolder, PictureWorkers* workers,
                                 UserInteraction* user)
    : m_options(options),
      m_baseFolder(std::move(baseFolder)),
      m_workers(workers ? *workers : PictureWorkers::shared()),
      m_user(user)
{
}

PictureEmbedder::~PictureEmbedder() { endConversion(); }

void PictureEmbedder::beginConversion()
{
    waitForWorkers();
    m_table.clear();
    m_ids.clear();
    m_ids.useXmlIds(m_options.complete);
    m_embeddedFiles.clear();
    m_folderListings.clear();
    m_inlineCount = 0;
}

void PictureEmbedder::endConversion() { waitForWorkers(); }

void PictureEmbedder::waitForWorkers()
{
    for (const PendingBinary& pending : m_pending) pending.element.wait();
    m_pending.clear();
}

TextPieces PictureEmbedder::completeBinaries(std::string binaries)
{
    TextPieces pieces;
    if (m_pending.empty()) {
        pieces.push_back(std::move(binaries));
        return pieces;
    }
    std::vector<PendingBinary> pending = std::move(m_pending);
    m_pending.clear();
    pieces.reserve(2 * pending.size() + 1);
    std::size_t cut = 0;
    try {
        // In book order, so that the first picture that fails is the one reported.
        for (PendingBinary& item : pending) {
            if (item.offset > cut) pieces.push_back(binaries.substr(cut, item.offset - cut));
            pieces.push_back(item.element.get());
            cut = item.offset;
        }
    } catch (...) {
        for (const PendingBinary& item : pending)
            if (item.element.valid()) item.element.wait();  // those taken already are done
        throw;
    }
    if (cut < binaries.size()) pieces.push_back(binaries.substr(cut));
    return pieces;
}

void PictureEmbedder::addBinaryLater(const std::string& binaries, std::function<std::string()> makeElement)
{
    m_pending.push_back({binaries.size(), m_workers.run(std::move(makeElement))});
}

void PictureEmbedder::embedPicture(std::string_view src, std::string& body, std::string& binaries)
{
    if (const PictureEntry* known = m_table.find(src)) {
        if (!known->id.empty()) body.append(imageReference(known->id));
        return;
    }
    m_table.addPictureSource(src);
    if (isNetworkSource(src)) return;

    DataUrlPicture inlinePicture = parseDataUrl(src);
    switch (inlinePicture.kind) {
    case DataUrlKind::NotDataUrl: embedFile(src, body, binaries); return;
    case DataUrlKind::Unsupported: return;
    case DataUrlKind::Corrupt:
        throw pictureDecodeError(inlineName("inline~" + std::to_string(m_inlineCount + 1)),
                                 "its base64 text is damaged");
    case DataUrlKind::Picture:
        embedInline(inlinePicture.extension, std::move(inlinePicture.bytes), body, binaries);
        return;
    }
}

void PictureEmbedder::reportMissing(std::string_view src)
{
    if (m_user == nullptr) return;
    // The path shown is the most literal spelling that a terminal can show (UTF-8).
    const std::vector<std::string> spellings = pictureFileSpellings(src);
    const auto shown = std::find_if(spellings.begin(), spellings.end(), isUtf8);
    fs::path tried = shown != spellings.end() ? fs::path(*shown)
                     : spellings.empty()      ? fs::path()
                                              : fs::path(spellings.front());
    if (tried.is_relative() && !m_baseFolder.empty()) tried = m_baseFolder / tried;
    struct stat info {};
    std::string why = "no file " + tried.string();
    if (::stat(tried.c_str(), &info) == 0)
        why = tried.string() + (S_ISDIR(info.st_mode) ? " is a folder" : " is not a regular file");
    m_user->warn("picture '" + windows1251ToUtf8(src) + "' left out: " + why);
}

void PictureEmbedder::reportUnembeddable(std::string_view src)
{
    if (m_user == nullptr) return;
    const std::string_view extension = pathExtension(src);
    const std::string why = extension.empty()
                                ? std::string("its name has no extension")
                                : "pictures named '" + windows1251ToUtf8(extension) + "' are not embedded";
    m_user->warn("picture '" + windows1251ToUtf8(src) + "' left out: " + why +
                 "; a book takes .jpg, .jpeg, .png and .gif pictures");
}

void PictureEmbedder::embedFile(std::string_view src, std::string& body, std::string& binaries)
{
    PreparedPicture prepared = preparePicture(src, m_baseFolder, &m_folderListings, m_options);
    if (!prepared.located) {
        if (prepared.error) std::rethrow_exception(prepared.error);
        reportMissing(src);
        return;
    }
    const LocatedPicture& located = *prepared.located;
    const fs::path& file = located.file;
    if (static_cast<unsigned long long>(located.size) > kMaxPictureBytes) {
        m_user->warn("picture '" + windows1251ToUtf8(src) + "' left out: " + file.string() + " is larger than " +
                     std::to_string(kMaxPictureBytes) + " bytes, more than any picture of a book");
        return;
    }

    // The same file under another src (./a.jpg and a.jpg) is one picture: one binary element.
    if (const auto found = m_embeddedFiles.find(located.key); found != m_embeddedFiles.end()) {
        body.append(imageReference(found->second.id));
        m_table.setEmbeddedPath(found->second.embeddedPath, found->second.id);
        return;
    }
    if (prepared.error) std::rethrow_exception(prepared.error);
    if (!prepared.head) return;
    PicturePlan& plan = prepared.plan;
    if (plan.work == PictureWork::AsIs && located.size == 0) return;  // nothing to embed
    plan.virtualPath = std::string(src);
    if (plan.work != PictureWork::AsIs) {
        // The copy is named as if it were written beside the file: with "~temp" when a file
        // of the copy's name is there already.
        const std::string_view newExtension = plan.work == PictureWork::ShrinkPng ? ".png" : ".jpg";
        fs::path wanted = file;
        wanted.replace_extension(std::string(newExtension));
        plan.virtualPath = std::string(src.substr(0, src.size() - pathExtension(src).size()));
        if (tempSiblingName(wanted) != wanted) plan.virtualPath.append("~temp");
        plan.virtualPath.append(newExtension);
    }
    // A small file, read whole already, goes to the worker as its bytes; a worker reads a
    // larger one whole.
    PictureBytes source = file;
    if (prepared.head->size() < kPictureHeaderBytes) source = std::move(*prepared.head);
    if (embedPlanned(std::move(source), plan, src, body, binaries))
        m_embeddedFiles.emplace(located.key, m_table.entries().back());
    else
        reportUnembeddable(src);
}

void PictureEmbedder::embedInline(std::string_view extension, std::string bytes, std::string& body,
                                  std::string& binaries)
{
    const std::string stem = "inline~" + std::to_string(++m_inlineCount);
    const std::string name = inlineName(stem + std::string(extension));
    PicturePlan plan = planPicture(bytes, extension, name, m_options);
    if (plan.work == PictureWork::AsIs && bytes.empty()) return;
    // A picture inside the document keeps its inline~N name, with the extension of its copy.
    plan.virtualPath = stem + std::string(plan.work == PictureWork::AsIs        ? extension
                                          : plan.work == PictureWork::ShrinkPng ? ".png"
                                                                               : ".jpg");
    embedPlanned(std::move(bytes), plan, name, body, binaries);
}

bool PictureEmbedder::embedPlanned(PictureBytes source, const PicturePlan& plan, std::string_view name,
                                   std::string& body, std::string& binaries)
{
    const std::string id = asciiLower(pictureIdFromPath(plan.virtualPath));
    std::string contentType = pictureContentType(id);
    if (id.empty() || contentType.empty()) return false;
    std::string uniqueId = m_ids.claim(id);
    body.append(imageReference(uniqueId));
    m_table.setEmbeddedPath(plan.virtualPath, uniqueId);
    // The binary element is made by a worker; its place in the binaries is kept.
    auto makeElement = [plan, source = std::move(source), options = m_options, name = std::string(name),
                        contentType = std::move(contentType), uniqueId = std::move(uniqueId)]() mutable {
        std::string bytes = std::holds_alternative<fs::path>(source)
                                ? readPlannedPicture(std::get<fs::path>(source), name)
                                : std::move(std::get<std::string>(source));
        return binaryElementOfBytes(contentType, uniqueId, carryOutPlan(std::move(bytes), plan, options, name));
    };
    m_pending.push_back({binaries.size(), m_workers.run(std::move(makeElement), planWeight(plan))});
    return true;
}

}  // namespace vellumar
