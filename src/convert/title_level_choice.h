#pragma once
// The automatic title level: the deepest heading level that splits a book into chapters.

#include <cstdint>
#include <vector>

#include "convert/source_survey.h"

namespace vellumar {

// A section shorter than this many bytes of text is "a line or two".
inline constexpr std::int64_t kShortSectionBytes = 200;

// The 0-based title level (0 for "h1") whose headings, with those above them, split the book
// into more than one section while at most a quarter of the sections are short; the level of
// the highest heading there is when no level does; 0 for a book without headings.
int chooseTitleLevel(const std::vector<HeadingMark>& headings, std::int64_t textBytes);

}  // namespace vellumar
