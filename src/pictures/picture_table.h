#pragma once
// The pictures met during one conversion, in the order their sources were first met.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vellumar {

struct PictureEntry {
    std::string source;        // the src value exactly as written
    std::string embeddedPath;  // the path whose data went into the binary element ("" if none)
    std::string id;            // the id of that binary element ("" if none)
};

class PictureTable {
public:
    void clear();
    // Appends an entry for source with no embedded path yet.
    void addPictureSource(std::string_view source);
    // Records the newest entry's embedded file and id.
    void setEmbeddedPath(std::string_view path, std::string_view id);
    bool isKnownPictureSource(std::string_view source) const;
    // The first entry for source, or nullptr.
    const PictureEntry* find(std::string_view source) const;
    std::string embeddedPathOf(std::string_view source) const;

    const std::vector<PictureEntry>& entries() const { return m_entries; }

private:
    std::vector<PictureEntry> m_entries;
    std::unordered_map<std::string, std::size_t> m_bySource;
};

}  // namespace vellumar
