#include "office/libreoffice_output.h"

#include <algorithm>

#include "files/file_io.h"

namespace vellumar {

namespace fs = std::filesystem;

namespace {

bool isPlainStem(const std::string& stem)
{
    if (stem.empty() || stem.front() == '.' || stem.front() == '-' || stem.find("_html_") != std::string::npos)
        return false;
    return std::all_of(stem.begin(), stem.end(), [](unsigned char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == '.' || c == '~';
    });
}

// Whether `file` is a regular file holding exactly `bytes`.
bool holds(const fs::path& file, std::string_view bytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(file, ec)) || fs::file_size(file, ec) != bytes.size() || ec)
        return false;
    try {
        return readFileBytes(file) == bytes;
    } catch (const std::exception&) {
        return false;
    }
}

// Replaces every "from" (with its quotes) in `html` by "to": the picture's src attribute.
void replaceQuoted(std::string& html, const std::string& from, const std::string& to)
{
    const std::string quotedFrom = '"' + from + '"';
    const std::string quotedTo = '"' + to + '"';
    for (std::size_t at = html.find(quotedFrom); at != std::string::npos; at = html.find(quotedFrom, at + quotedTo.size()))
        html.replace(at, quotedFrom.size(), quotedTo);
}

// The text of a src attribute with its %XX escapes undone.
std::string percentDecoded(std::string_view text)
{
    const auto hex = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Whether `path` lies in `folder` or below it, once links and ".." are followed.
bool isInside(const fs::path& path, const fs::path& folder)
{
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(path, ec);
    if (ec) return false;
    const fs::path realFolder = fs::weakly_canonical(folder, ec);
    if (ec) return false;
    const fs::path relative = real.lexically_relative(realFolder);
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

std::vector<std::string> LinkedPictures::relink(std::string& html, const fs::path& htmlFolder,
                                                const std::string& stem) const
{
    std::vector<std::string> warnings;
    std::size_t tag = 0;
    for (std::size_t from = 0; (tag = html.find("<img", from)) != std::string::npos;) {
        from = tag + 1;
        const std::size_t end = html.find('>', tag);
        const std::size_t src = html.find(" src=\"", tag);
        if (end == std::string::npos || src == std::string::npos || src > end) continue;
        const std::size_t start = src + 6;
        const std::size_t close = html.find('"', start);
        if (close == std::string::npos || close > end) continue;
        const std::string value = html.substr(start, close - start);
        // The pictures LibreOffice wrote out of the document itself, and addresses elsewhere
        // (which nothing reads), stay as they are.
        const bool fileUrl = value.starts_with("file://");
        if (value.starts_with(stem + "_html_") || value.starts_with("data:") ||
            (!fileUrl && value.find("://") != std::string::npos))
            continue;
        fs::path linked = fileUrl ? fs::path(percentDecoded(value.substr(7)))
                                  : (outputFolder / percentDecoded(value)).lexically_normal();
        // A link relative to the document was taken relative to its private copy.
        if (isInside(linked, copyFolder.parent_path()))
            linked = (documentFolder / linked.lexically_relative(copyFolder)).lexically_normal();
        std::error_code ec;
        const std::string replacement = linked.lexically_relative(fs::absolute(htmlFolder, ec)).string();
        if (!isInside(linked, documentFolder) || replacement.find_first_of("\"<>&") != std::string::npos) {
            warnings.push_back("picture '" + linked.string() +
                               "' left out: the document links it from outside its own folder");
            html.erase(tag, end + 1 - tag);
            from = tag;
            continue;
        }
        html.replace(start, close - start, replacement);
    }
    return warnings;
}

OutputFiles::PicturePlace OutputFiles::placeForPicture(const fs::path& folder, const std::string& name,
                                                       std::string_view bytes)
{
    // A file of the name that holds other bytes is someone else's: the picture takes the
    // next free "NAME~2.png", "NAME~3.png", ...; one holding the same bytes already serves.
    const fs::path original(name);
    const std::string stem = original.stem().string();
    const std::string extension = original.extension().string();
    std::string candidate = name;
    for (int variant = 2;; ++variant) {
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(folder / candidate, ec))) return {candidate, true};
        if (holds(folder / candidate, bytes)) return {candidate, false};
        candidate = stem + "~" + std::to_string(variant) + extension;
    }
}

std::string StemChooser::choose(const fs::path& htmlTarget)
{
    std::string stem = htmlTarget.stem().string();
    while (!isPlainStem(stem) || m_used.contains(stem)) stem = "document" + std::to_string(++m_counter);
    m_used.insert(stem);
    return stem;
}

OutputFiles::OutputFiles(const fs::path& folder) : m_folder(folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) m_names.push_back(it->path().filename().string());
}

bool OutputFiles::hasHtml(const std::string& stem) const
{
    std::error_code ec;
    const fs::path html = m_folder / (stem + ".html");
    return std::find(m_names.begin(), m_names.end(), stem + ".html") != m_names.end() &&
           fs::file_size(html, ec) > 0 && !ec;
}

std::vector<std::string> OutputFiles::deliver(const std::string& stem, const fs::path& htmlTarget,
                                              const LinkedPictures& linked) const
{
    std::vector<std::string> warnings;
    const fs::path folder = htmlTarget.parent_path();
    std::vector<fs::path> created;
    auto write = [&created](const fs::path& to, std::string_view bytes) {
        std::error_code ec;
        const bool existed = fs::exists(fs::symlink_status(to, ec));
        writeFileAtomically(to, bytes);
        if (!existed) created.push_back(to);
    };
    try {
        std::string html = readFileBytes(m_folder / (stem + ".html"));
        warnings = linked.relink(html, folder, stem);
        for (const std::string& name : m_names) {
            if (!name.starts_with(stem + "_html_")) continue;
            const std::string bytes = readFileBytes(m_folder / name);
            const PicturePlace place = placeForPicture(folder, name, bytes);
            if (place.name != name) replaceQuoted(html, name, place.name);
            if (place.mustWrite) write(folder / place.name, bytes);
        }
        write(htmlTarget, html);
    } catch (...) {
        std::error_code ec;
        for (const fs::path& file : created) fs::remove(file, ec);
        throw;
    }
    return warnings;
}

}  // namespace vellumar
