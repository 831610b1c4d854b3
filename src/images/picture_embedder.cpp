#include "images/picture_embedder.h"

#include "images/base64.h"
#include "images/data_url.h"
#include "images/picture_error.h"
#include "images/picture_file.h"
#include "images/picture_scaling.h"
#include "images/picture_texts.h"

#include <sys/stat.h>

namespace vellumar {

namespace fs = std::filesystem;

namespace {

// The extension of the last path segment ("" when it has none), "/" and "\" both separating.
std::string_view extensionOf(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return {};
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos && slash > dot) return {};
    return path.substr(dot);
}

bool isNetworkSource(std::string_view src)
{
    const std::size_t first = src.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) return false;
    const std::string start = LowerAscii(src.substr(first, 8));
    return start.starts_with("http:") || start.starts_with("https:") || start.starts_with("ftp:") ||
           start.starts_with("//");
}

std::string inlineName(std::string_view virtualPath)
{
    std::string name(virtualPath);
    name.append(" (a picture inside the document)");
    return name;
}

}  // namespace

PictureEmbedder::PictureEmbedder(const ConversionOptions& options, fs::path baseFolder)
    : m_options(options), m_baseFolder(std::move(baseFolder))
{
}

void PictureEmbedder::beginConversion()
{
    m_table.clear();
    m_ids.clear();
    m_embeddedFiles.clear();
    m_copies.clear();
    m_inlineCount = 0;
    m_copyCount = 0;
    m_temp.clear();
}

void PictureEmbedder::endConversion()
{
    m_copies.clear();
    m_temp.clear();
}

void PictureEmbedder::EmbedPicture(std::string_view src, std::string& body, std::string& binaries)
{
    if (const TPictureEntry* known = m_table.find(src)) {
        if (!known->Id.empty()) body.append(ImageReference(known->Id));
        return;
    }
    m_table.AddPictureSource(src);
    if (isNetworkSource(src)) return;

    const DataUrlPicture inlinePicture = ParseDataUrl(src);
    switch (inlinePicture.kind) {
    case DataUrlKind::NotDataUrl: embedFile(src, body, binaries); return;
    case DataUrlKind::Unsupported: return;
    case DataUrlKind::Corrupt:
        throw PictureDecodeError(inlineName("inline~" + std::to_string(m_inlineCount + 1)),
                                 "its base64 text is damaged");
    case DataUrlKind::Picture: embedInline(inlinePicture.extension, inlinePicture.bytes, body, binaries); return;
    }
}

void PictureEmbedder::DeleteTempPicture(const fs::path& path)
{
    if (m_copies.erase(path) == 0) return;
    std::error_code error;
    fs::remove(path, error);
}

fs::path PictureEmbedder::resolve(std::string_view path) const
{
    const auto absolute = [this](const fs::path& p) { return p.is_relative() && !m_baseFolder.empty() ? m_baseFolder / p : p; };
    fs::path direct = absolute(fs::path(path));
    if (path.find('\\') == std::string_view::npos) return direct;
    // Documents made on Windows may separate folders with "\": try that reading too.
    std::error_code error;
    if (fs::exists(direct, error)) return direct;
    std::string slashed(path);
    for (char& c : slashed)
        if (c == '\\') c = '/';
    return absolute(fs::path(slashed));
}

void PictureEmbedder::embedFile(std::string_view src, std::string& body, std::string& binaries)
{
    const fs::path file = resolve(src);
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;

    // The same file under another src (./a.jpg and a.jpg) is one picture: one binary element.
    const std::string extension = LowerAscii(extensionOf(src));
    const FileKey key{static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino),
                      extension};
    if (const auto found = m_embeddedFiles.find(key); found != m_embeddedFiles.end()) {
        body.append(ImageReference(found->second.Id));
        m_table.SetEmbeddedPath(found->second.EmbeddedPath, found->second.Id);
        return;
    }
    const Prepared prepared = prepare(file, src, extension, src, false);
    if (embedPrepared(prepared, body, binaries)) m_embeddedFiles.emplace(key, m_table.entries().back());
}

void PictureEmbedder::embedInline(std::string_view extension, const std::string& bytes, std::string& body,
                                  std::string& binaries)
{
    const std::string name = "inline~" + std::to_string(++m_inlineCount) + std::string(extension);
    const fs::path file = m_temp.file(name);
    WritePictureFile(file, bytes);
    m_copies.insert(file);
    const Prepared prepared = prepare(file, name, extension, inlineName(name), true);
    embedPrepared(prepared, body, binaries);
    DeleteTempPicture(file);
}

PictureEmbedder::Prepared PictureEmbedder::prepare(const fs::path& file, std::string_view virtualPath,
                                                   std::string_view extension, std::string_view name,
                                                   bool inTempFolder)
{
    Prepared prepared{std::string(virtualPath), file};
    const bool jpeg = extension == ".jpg" || extension == ".jpeg";
    if (jpeg && JpegNeedsScaling(file, m_options, name)) {
        prepared.virtualPath = siblingVirtualPath(virtualPath, ".jpg", inTempFolder);
        prepared.file = ScaleJpeg(file, m_options, copyPath(prepared.virtualPath), name);
    } else if (extension == ".png" && PngNeedsScaling(file, m_options, name)) {
        prepared.virtualPath = siblingVirtualPath(virtualPath, ".png", inTempFolder);
        prepared.file = ScalePng(file, m_options, copyPath(prepared.virtualPath), name);
    } else if (extension == ".gif") {
        prepared.virtualPath = siblingVirtualPath(virtualPath, ".jpg", inTempFolder);
        prepared.file = GifToJpeg(file, m_options, copyPath(prepared.virtualPath), name);
    }
    return prepared;
}

std::string PictureEmbedder::siblingVirtualPath(std::string_view virtualPath, std::string_view extension,
                                                bool inTempFolder)
{
    const std::string_view stem = virtualPath.substr(0, virtualPath.size() - extensionOf(virtualPath).size());
    std::string wanted(stem);
    wanted.append(extension);
    // A picture inside the document keeps its inline~N name; a file's copy is named as if it
    // were written beside the file, with "~temp" when that name is taken there.
    if (inTempFolder) return wanted;
    const fs::path wantedFile = resolve(wanted);
    if (TempSiblingName(wantedFile) == wantedFile) return wanted;
    std::string sibling(stem);
    sibling.append("~temp").append(extension);
    return sibling;
}

fs::path PictureEmbedder::copyPath(const std::string& virtualPath)
{
    // Each copy in its own numbered folder: copies of a/x.jpg and b/x.jpg never meet.
    const fs::path folder = m_temp.file(std::to_string(++m_copyCount));
    std::error_code error;
    fs::create_directory(folder, error);
    if (error) throw PictureError("cannot create the folder " + folder.string() + ": " + error.message());
    std::string fileName(virtualPath.substr(virtualPath.find_last_of("/\\") + 1));
    fs::path copy = folder / (fileName.empty() ? std::string("picture") : fileName);
    m_copies.insert(copy);
    return copy;
}

bool PictureEmbedder::embedPrepared(const Prepared& prepared, std::string& body, std::string& binaries)
{
    const std::string id = LowerAscii(PictureIdFromPath(prepared.virtualPath));
    const std::string contentType = PictureContentType(id);
    if (id.empty() || contentType.empty() || prepared.file.empty()) {
        DeleteTempPicture(prepared.file);
        return false;
    }
    const std::string base64 = EncodeFileBase64(prepared.file);
    DeleteTempPicture(prepared.file);
    if (base64.empty()) return false;
    const std::string uniqueId = m_ids.claim(id);
    body.append(ImageReference(uniqueId));
    binaries.append(BinaryElement(contentType, uniqueId, base64));
    m_table.SetEmbeddedPath(prepared.virtualPath, uniqueId);
    return true;
}

}  // namespace vellumar
