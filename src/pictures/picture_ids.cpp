#include "pictures/picture_ids.h"

#include <algorithm>

#include "base/xml_id.h"

namespace vellumar {

namespace {

bool isTablePictureName(std::string_view id)
{
    constexpr std::string_view prefix = "table";
    constexpr std::string_view suffix = ".png";
    if (id.size() <= prefix.size() + suffix.size() || !id.starts_with(prefix) || !id.ends_with(suffix)) return false;
    const std::string_view digits = id.substr(prefix.size(), id.size() - prefix.size() - suffix.size());
    return digits[0] != '0' && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string pictureIdFromPath(std::string_view path)
{
    const std::size_t slash = path.find('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string pictureContentType(std::string_view id)
{
    const std::string_view extension = pathExtension(id);
    if (extension == ".jpg" || extension == ".jpeg") return "jpeg";
    if (extension == ".png") return "png";
    return {};
}

std::string_view pathExtension(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return {};
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos && slash > dot) return {};
    return path.substr(dot);
}

std::string PictureIdSet::claim(std::string_view wanted)
{
    std::string id = m_xmlIds ? xmlIdForm(wanted) : std::string(wanted);
    for (char& c : id)
        if (c == '"' || c == '<' || c == '>' || c == '&' || static_cast<unsigned char>(c) < 0x20) c = '_';
    if (!m_used.contains(id) && !isTablePictureName(id)) {
        m_used.insert(id);
        return id;
    }
    const std::string_view extension = pathExtension(id);
    const std::string stem = id.substr(0, id.size() - extension.size());
    for (int number = 2;; ++number) {
        std::string candidate = stem + (m_xmlIds ? "_" : "~") + std::to_string(number);
        candidate.append(extension);
        if (!m_used.contains(candidate)) {
            m_used.insert(candidate);
            return candidate;
        }
    }
}

}  // namespace vellumar
