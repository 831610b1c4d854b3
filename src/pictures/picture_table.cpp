#include "pictures/picture_table.h"

namespace vellumar {

void PictureTable::clear()
{
    m_entries.clear();
    m_bySource.clear();
}

void PictureTable::addPictureSource(std::string_view source)
{
    m_entries.push_back({std::string(source), {}, {}});
    m_bySource.try_emplace(std::string(source), m_entries.size() - 1);
}

void PictureTable::setEmbeddedPath(std::string_view path, std::string_view id)
{
    if (m_entries.empty()) return;
    m_entries.back().embeddedPath = path;
    m_entries.back().id = id;
}

bool PictureTable::isKnownPictureSource(std::string_view source) const { return find(source) != nullptr; }

const PictureEntry* PictureTable::find(std::string_view source) const
{
    const auto found = m_bySource.find(std::string(source));
    return found == m_bySource.end() ? nullptr : &m_entries[found->second];
}

std::string PictureTable::embeddedPathOf(std::string_view source) const
{
    const PictureEntry* entry = find(source);
    return entry != nullptr ? entry->embeddedPath : std::string();
}

}  // namespace vellumar
