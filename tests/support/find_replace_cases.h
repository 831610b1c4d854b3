#pragma once
// Cases of find and replace, shared by the tests on the in-memory editor and on the window's
// editor: start text and selection, one step, and the text, selection and outcome afterwards.

#include <cstddef>
#include <ostream>
#include <string_view>

#include "editing/find_replace.h"

namespace vellumar::testing {

enum class SearchStep { Find, Replace, All };

struct FindReplaceCase {
    std::string_view name;
    std::string_view text;
    std::size_t selectionStart;
    std::size_t selectionLength;
    SearchStep step;
    std::string_view pattern;
    std::string_view replacement;
    std::string_view expectedText;
    std::size_t expectedStart;
    std::size_t expectedLength;
    FindResult expectedResult;    // Find and Replace
    std::size_t expectedCount;    // All
};

inline std::ostream& operator<<(std::ostream& out, const FindReplaceCase& c) { return out << c.name; }

constexpr FindResult kFound = FindResult::Found;
constexpr FindResult kNotFound = FindResult::NotFound;
constexpr FindResult kNoSearch = FindResult::NoSearch;
constexpr FindResult kAny = FindResult::NoSearch;  // for All, which reports a count

// clang-format off
inline constexpr FindReplaceCase kFindReplaceCases[] = {
    // Find
    {"SelectedPatternFindsTheNextOne", "ab ab ab", 0, 2, SearchStep::Find, "ab", "", "ab ab ab", 3, 2, kFound, 0},
    {"OccurrenceAtTheCaretIsFound", "xab", 1, 0, SearchStep::Find, "ab", "", "xab", 1, 2, kFound, 0},
    {"OtherSelectionSearchesFromItsStart", "abc abc", 0, 1, SearchStep::Find, "abc", "", "abc abc", 0, 3, kFound, 0},
    {"OnlyBeforeTheCaretReportsTheEnd", "ab cd", 3, 0, SearchStep::Find, "ab", "", "ab cd", 3, 0, kNotFound, 0},
    {"LastOccurrenceSelectedReportsTheEnd", "ab ab", 3, 2, SearchStep::Find, "ab", "", "ab ab", 3, 2, kNotFound, 0},
    {"CaseSensitive", "Word word", 0, 0, SearchStep::Find, "word", "", "Word word", 5, 4, kFound, 0},
    {"CapitalDoesNotMatchLowerCase", "Word", 0, 0, SearchStep::Find, "word", "", "Word", 0, 0, kNotFound, 0},
    {"LineBreaksCountTwo", "a\r\nb\r\nab", 0, 0, SearchStep::Find, "ab", "", "a\r\nb\r\nab", 6, 2, kFound, 0},
    {"PatternOverALineBreak", "xa\r\nb", 0, 0, SearchStep::Find, "a\r\nb", "", "xa\r\nb", 1, 4, kFound, 0},
    {"HalfALineBreakIsNeverMatched", "x\r\nab", 0, 0, SearchStep::Find, "\nab", "", "x\r\nab", 0, 0, kNotFound, 0},
    {"EmptyPatternDoesNothing", "abc", 1, 1, SearchStep::Find, "", "", "abc", 1, 1, kNoSearch, 0},
    {"Cp1251Letters", "\xCF\xF0\xE8 \xCF\xF0\xE8", 0, 3, SearchStep::Find, "\xCF\xF0\xE8", "", "\xCF\xF0\xE8 \xCF\xF0\xE8", 4, 3, kFound, 0},
    // Replace
    {"FirstReplaceOnOtherSelectionOnlyFinds", "a b a", 0, 0, SearchStep::Replace, "a", "x", "a b a", 0, 1, kFound, 0},
    {"ReplaceSelectedAndSelectNext", "a b a", 0, 1, SearchStep::Replace, "a", "x", "x b a", 4, 1, kFound, 0},
    {"ReplaceLastLeavesCaretBehindIt", "a b", 0, 1, SearchStep::Replace, "a", "xy", "xy b", 2, 0, kNotFound, 0},
    {"ReplaceByNothing", "<b>a<b>", 0, 3, SearchStep::Replace, "<b>", "", "a<b>", 1, 3, kFound, 0},
    {"ReplaceWithEmptyPatternDoesNothing", "a", 0, 1, SearchStep::Replace, "", "x", "a", 0, 1, kNoSearch, 0},
    // All
    {"AllWithNothingSelectedReplacesNothing", "a a", 0, 0, SearchStep::All, "a", "x", "a a", 0, 0, kAny, 0},
    {"AllWithOtherSelectionReplacesNothing", "ab a", 0, 2, SearchStep::All, "a", "x", "ab a", 0, 2, kAny, 0},
    {"AllFromTheFoundOneToTheEnd", "b a b a", 2, 1, SearchStep::All, "a", "c", "b c b c", 7, 0, kAny, 2},
    {"AllLeavesEarlierOccurrences", "a a a", 2, 1, SearchStep::All, "a", "x", "a x x", 5, 0, kAny, 2},
    {"AllWithPatternInTheReplacement", "a-a-a", 0, 1, SearchStep::All, "a", "aa", "aa-aa-aa", 8, 0, kAny, 3},
    {"AllCaretBehindTheLastReplacement", "ab ab tail", 0, 2, SearchStep::All, "ab", "X", "X X tail", 3, 0, kAny, 2},
    {"AllByNothing", "ab ab", 0, 2, SearchStep::All, "ab", "", " ", 1, 0, kAny, 2},
    {"AllLineBreaks", "a\r\nb\r\nc", 1, 2, SearchStep::All, "\r\n", " ", "a b c", 4, 0, kAny, 2},
    {"AllAdjacentOccurrences", "aaaa", 0, 2, SearchStep::All, "aa", "b", "bb", 2, 0, kAny, 2},
};
// clang-format on

}  // namespace vellumar::testing
