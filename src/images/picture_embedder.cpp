#include "images/picture_embedder.h"

#include "base/ascii_case.h"
#include "images/data_url.h"
#include "images/picture_error.h"
#include "images/picture_file.h"
#include "images/picture_header.h"
#include "images/picture_lookup.h"
#include "images/picture_scaling.h"
#include "images/picture_texts.h"
#include "images/picture_workers.h"

#include "documents/text_encoding.h"
#include "documents/utf8.h"

#include <algorithm>

#include <sys/stat.h>

namespace vellumar {

namespace fs = std::filesystem;

namespace {

bool isNetworkSource(std::string_view src)
{
    const std::size_t first = src.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) return false;
    const std::string start = AsciiLower(src.substr(first, 8));
    return start.starts_with("http:") || start.starts_with("https:") || start.starts_with("ftp:") ||
           start.starts_with("//");
}

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
        const std::size_t length = DecodeUtf8(text, i, cp);
        if (cp == 0xFFFD && text.compare(i, 3, "\xEF\xBF\xBD") != 0) return false;
        i += length;
    }
    return true;
}

bool isJpegExtension(std::string_view extension) { return extension == ".jpg" || extension == ".jpeg"; }

// Enough of a file's start for the size in its header, nearly always.
constexpr std::size_t kHeaderBytes = 64 * 1024;

}  // namespace

PictureEmbedder::PictureEmbedder(const ConversionOptions& options, fs::path baseFolder, PictureWorkers* workers,
                                 UserInteraction* user)
    : m_options(options),
      m_baseFolder(std::move(baseFolder)),
      m_workers(workers ? *workers : PictureWorkers::shared()),
      m_user(user)
{
}

PictureEmbedder::~PictureEmbedder() { waitForWorkers(); }

void PictureEmbedder::beginConversion()
{
    waitForWorkers();
    m_table.clear();
    m_ids.clear();
    m_embeddedFiles.clear();
    m_folderListings.clear();
    m_inlineCount = 0;
}

void PictureEmbedder::endConversion() { waitForWorkers(); }

void PictureEmbedder::waitForWorkers()
{
    for (PendingBinary& pending : m_pending)
        if (pending.element.valid()) pending.element.wait();
    m_pending.clear();
}

void PictureEmbedder::completeBinaries(std::string& binaries)
{
    if (m_pending.empty()) return;
    std::vector<PendingBinary> pending = std::move(m_pending);
    m_pending.clear();
    std::string complete;
    std::size_t copied = 0;
    try {
        std::vector<std::string> elements;
        elements.reserve(pending.size());
        std::size_t size = binaries.size();
        // In book order, so that the first picture that fails is the one reported.
        for (PendingBinary& item : pending) {
            elements.push_back(item.element.get());
            size += elements.back().size();
        }
        complete.reserve(size);
        for (std::size_t i = 0; i < pending.size(); ++i) {
            complete.append(binaries, copied, pending[i].offset - copied);
            complete.append(elements[i]);
            copied = pending[i].offset;
        }
    } catch (...) {
        for (PendingBinary& item : pending)
            if (item.element.valid()) item.element.wait();
        throw;
    }
    complete.append(binaries, copied);
    binaries = std::move(complete);
}

void PictureEmbedder::addBinaryLater(const std::string& binaries, std::function<std::string()> makeElement)
{
    m_pending.push_back({binaries.size(), m_workers.run(std::move(makeElement))});
}

void PictureEmbedder::EmbedPicture(std::string_view src, std::string& body, std::string& binaries)
{
    if (const TPictureEntry* known = m_table.find(src)) {
        if (!known->Id.empty()) body.append(ImageReference(known->Id));
        return;
    }
    m_table.AddPictureSource(src);
    if (isNetworkSource(src)) return;

    DataUrlPicture inlinePicture = ParseDataUrl(src);
    switch (inlinePicture.kind) {
    case DataUrlKind::NotDataUrl: embedFile(src, body, binaries); return;
    case DataUrlKind::Unsupported: return;
    case DataUrlKind::Corrupt:
        throw PictureDecodeError(inlineName("inline~" + std::to_string(m_inlineCount + 1)),
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
    const std::vector<std::string> spellings = PictureFileSpellings(src);
    const auto shown = std::find_if(spellings.begin(), spellings.end(), isUtf8);
    fs::path tried = shown != spellings.end() ? fs::path(*shown)
                     : spellings.empty()      ? fs::path()
                                              : fs::path(spellings.front());
    if (tried.is_relative() && !m_baseFolder.empty()) tried = m_baseFolder / tried;
    struct stat info {};
    std::string why = "no file " + tried.string();
    if (::stat(tried.c_str(), &info) == 0)
        why = tried.string() + (S_ISDIR(info.st_mode) ? " is a folder" : " is not a regular file");
    m_user->warn("picture '" + Windows1251ToUtf8(src) + "' left out: " + why);
}

void PictureEmbedder::embedFile(std::string_view src, std::string& body, std::string& binaries)
{
    const fs::path file = FindPictureFile(src, m_baseFolder, &m_folderListings);
    struct stat info {};
    if (file.empty() || ::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        reportMissing(src);
        return;
    }

    // The same file under another src (./a.jpg and a.jpg) is one picture: one binary element.
    const std::string extension = AsciiLower(PathExtension(src));
    const FileKey key{static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino),
                      extension};
    if (const auto found = m_embeddedFiles.find(key); found != m_embeddedFiles.end()) {
        body.append(ImageReference(found->second.Id));
        m_table.SetEmbeddedPath(found->second.EmbeddedPath, found->second.Id);
        return;
    }
    // Only the file's start is read here, for the picture's size; a worker reads it whole. A
    // JPEG whose frame header lies further on (behind a large thumbnail) is read whole here.
    std::optional<std::string> head = ReadPictureFileStart(file, kHeaderBytes);
    if (!head) return;
    Plan plan;
    try {
        plan = planFor(*head, extension, src);
    } catch (const PictureError&) {
        if (head->size() < kHeaderBytes) throw;
        head = ReadPictureFile(file);
        if (!head) return;
        plan = planFor(*head, extension, src);
    }
    if (plan.work == Work::AsIs && info.st_size == 0) return;  // nothing to embed
    plan.virtualPath = std::string(src);
    if (plan.work != Work::AsIs) {
        // The copy is named as if it were written beside the file: with "~temp" when a file
        // of the copy's name is there already.
        const std::string_view newExtension = plan.work == Work::ShrinkPng ? ".png" : ".jpg";
        fs::path wanted = file;
        wanted.replace_extension(std::string(newExtension));
        plan.virtualPath = std::string(src.substr(0, src.size() - PathExtension(src).size()));
        if (TempSiblingName(wanted) != wanted) plan.virtualPath.append("~temp");
        plan.virtualPath.append(newExtension);
    }
    // A small file, read whole already, goes to the worker as its bytes.
    PictureBytes source = file;
    if (head->size() < kHeaderBytes) source = std::move(*head);
    if (embedPlanned(std::move(source), plan, src, body, binaries)) m_embeddedFiles.emplace(key, m_table.entries().back());
}

void PictureEmbedder::embedInline(std::string_view extension, std::string bytes, std::string& body,
                                  std::string& binaries)
{
    const std::string stem = "inline~" + std::to_string(++m_inlineCount);
    const std::string name = inlineName(stem + std::string(extension));
    Plan plan = planFor(bytes, extension, name);
    if (plan.work == Work::AsIs && bytes.empty()) return;
    // A picture inside the document keeps its inline~N name, with the extension of its copy.
    plan.virtualPath = stem + std::string(plan.work == Work::AsIs     ? extension
                                          : plan.work == Work::ShrinkPng ? ".png"
                                                                        : ".jpg");
    embedPlanned(std::move(bytes), plan, name, body, binaries);
}

PictureEmbedder::Plan PictureEmbedder::planFor(std::string_view head, std::string_view extension,
                                               std::string_view name) const
{
    Plan plan;
    if (extension == ".gif") {
        ReadHeaderSize(head, PictureFormat::Gif, name);
        plan.work = Work::GifToJpeg;
        return plan;
    }
    const bool jpeg = isJpegExtension(extension);
    if (!m_options.Resize || (!jpeg && extension != ".png")) return plan;
    plan.format = jpeg ? PictureFormat::Jpeg : PictureFormat::Png;
    if (ExceedsBox(ReadHeaderSize(head, plan.format, name), m_options)) {
        plan.work = jpeg ? Work::ShrinkJpeg : Work::ShrinkPng;
    } else {
        // A picture that fits is carried as it is: not decoded, but one cut short or with a
        // damaged chunk is reported rather than carried into the book.
        plan.checkWhole = true;
    }
    return plan;
}

bool PictureEmbedder::embedPlanned(PictureBytes source, const Plan& plan, std::string_view name, std::string& body,
                                   std::string& binaries)
{
    const std::string id = AsciiLower(PictureIdFromPath(plan.virtualPath));
    std::string contentType = PictureContentType(id);
    if (id.empty() || contentType.empty()) return false;
    std::string uniqueId = m_ids.claim(id);
    body.append(ImageReference(uniqueId));
    m_table.SetEmbeddedPath(plan.virtualPath, uniqueId);
    // The binary element is made by a worker; its place in the binaries is kept.
    m_pending.push_back({binaries.size(), m_workers.run([plan, source = std::move(source), options = m_options,
                                                         name = std::string(name),
                                                         contentType = std::move(contentType),
                                                         uniqueId = std::move(uniqueId)]() mutable {
                             std::string bytes;
                             if (auto* file = std::get_if<fs::path>(&source)) {
                                 std::optional<std::string> read = ReadPictureFile(*file);
                                 if (!read) throw PictureError("cannot read the picture " + name + ": it is gone");
                                 bytes = std::move(*read);
                             } else {
                                 bytes = std::move(std::get<std::string>(source));
                             }
                             if (plan.checkWhole) CheckPictureWhole(bytes, plan.format, name);
                             switch (plan.work) {
                             case Work::AsIs: break;
                             case Work::ShrinkJpeg: bytes = ShrinkJpegBytes(bytes, options, name); break;
                             case Work::ShrinkPng: bytes = ShrinkPngBytes(bytes, options, name); break;
                             case Work::GifToJpeg: bytes = GifToJpegBytes(bytes, options, name); break;
                             }
                             return BinaryElementOfBytes(contentType, uniqueId, bytes);
                         })});
    return true;
}

}  // namespace vellumar
