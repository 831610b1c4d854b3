#pragma once
// The pictures met during one conversion, in the order their sources were first met.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vellumar {

struct TPictureEntry {
    std::string Source;        // the src value exactly as written
    std::string EmbeddedPath;  // the path whose data went into the binary element ("" if none)
    std::string Id;            // the id of that binary element ("" if none)
};

class PictureTable {
public:
    void clear();
    // Appends an entry for source with no embedded path yet.
    void AddPictureSource(std::string_view source);
    // Records the newest entry's embedded file and id.
    void SetEmbeddedPath(std::string_view path, std::string_view id);
    bool IsKnownPictureSource(std::string_view source) const;
    // The first entry for source, or nullptr.
    const TPictureEntry* find(std::string_view source) const;
    std::string EmbeddedPathOf(std::string_view source) const;

    const std::vector<TPictureEntry>& entries() const { return m_entries; }

private:
    std::vector<TPictureEntry> m_entries;
    std::unordered_map<std::string, std::size_t> m_bySource;
};

}  // namespace vellumar
