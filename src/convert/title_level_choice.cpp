#include "convert/title_level_choice.h"

#include <algorithm>

namespace vellumar {

namespace {

// Whether the headings of rank up to `rank` make more than one section, few of them short.
bool splitsWell(const std::vector<HeadingMark>& headings, std::int64_t textBytes, int rank)
{
    int sections = 0;
    int shortSections = 0;
    std::int64_t start = -1;
    int startRank = 0;
    // A heading right above a deeper one ("Book" over "Chapter 1") heads a part, not a short
    // section.
    const auto endSection = [&](std::int64_t end, int nextRank) {
        if (start < 0) return;
        ++sections;
        if (end - start < kShortSectionBytes && nextRank <= startRank) ++shortSections;
    };
    for (const HeadingMark& heading : headings) {
        if (heading.rank > rank) continue;
        endSection(heading.textBefore, heading.rank);
        start = heading.textBefore;
        startRank = heading.rank;
    }
    endSection(textBytes, 0);
    return sections > 1 && shortSections * 4 <= sections;
}

}  // namespace

int chooseTitleLevel(const std::vector<HeadingMark>& headings, std::int64_t textBytes)
{
    int highest = 7;
    for (const HeadingMark& heading : headings) highest = std::min(highest, heading.rank);
    if (highest == 7) return 0;
    for (int rank = 6; rank >= highest; --rank) {
        const bool present = std::any_of(headings.begin(), headings.end(),
                                         [rank](const HeadingMark& heading) { return heading.rank == rank; });
        if (present && splitsWell(headings, textBytes, rank)) return rank - 1;
    }
    return highest - 1;
}

}  // namespace vellumar
