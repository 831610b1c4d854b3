#pragma once
// Cases of the FB2 tag commands, shared by the tests on the in-memory editor and on the window's
// editor: start text, selection, command, and the text and caret expected afterwards.

#include <cstddef>
#include <ostream>
#include <string_view>

#include "editing/tag_commands.h"

namespace vellumar::testing {

struct TagCommandCase {
    std::string_view name;
    std::string_view text;
    std::size_t selectionStart;
    std::size_t selectionLength;
    TagCommand command;
    std::string_view expectedText;
    std::size_t expectedCaret;
};

inline std::ostream& operator<<(std::ostream& out, const TagCommandCase& c) { return out << c.name; }

inline constexpr TagCommandCase kTagCommandCases[] = {
    {"ParagraphAroundWord", "one two three", 4, 3, TagCommand::Paragraph, "one \r\n<p>two</p>\r\n three", 18},
    {"ParagraphAtCaret", "ab", 1, 0, TagCommand::Paragraph, "a\r\n<p></p>\r\nb", 12},
    {"EpigraphAtCaret", "ab", 1, 0, TagCommand::Epigraph, "a<epigraph></epigraph>b", 22},
    {"EpigraphOverLines", "x\r\ny\r\nz", 0, 4, TagCommand::Epigraph, "<epigraph>x\r\ny</epigraph>\r\nz", 25},
    {"Cite", "abc", 0, 3, TagCommand::Cite, "<cite>abc</cite>", 16},
    {"TextAuthor", "by Ann", 3, 3, TagCommand::TextAuthor, "by <text-author>Ann</text-author>", 33},
    {"Poem", "<p>a</p>", 0, 8, TagCommand::Poem, "<poem>\r\n<p>a</p>\r\n</poem>", 25},
    {"PoemAtCaret", "", 0, 0, TagCommand::Poem, "<poem>\r\n\r\n</poem>", 17},
    {"StanzaTurnsBothCasesIntoVerses", "<p>a</p>\r\n<P>b</P>", 0, 18, TagCommand::Stanza,
     "<stanza>\r\n<v>a</v>\r\n<v>b</v></stanza>", 37},
    {"StanzaAtCaret", "", 0, 0, TagCommand::Stanza, "<stanza>\r\n</stanza>", 19},
    {"VerseKeepsOpeningTagWithAttribute", "<p id=\"x\">a</p>", 0, 15, TagCommand::Verse, "<p id=\"x\">a</v>", 15},
    {"VerseLeavesOtherCasesAndNeighbours", "[<p>a</p>]", 1, 8, TagCommand::Verse, "[<v>a</v>]", 9},
    {"VerseWithoutParagraphTagsChangesNothing", "plain text", 0, 5, TagCommand::Verse, "plain text", 5},
    {"VerseAtCaretChangesNothing", "abc", 2, 0, TagCommand::Verse, "abc", 2},
    {"Strong", "a b", 2, 1, TagCommand::Strong, "a <strong>b</strong>", 20},
    {"Emphasis", "\xCF\xF0\xE8", 0, 3, TagCommand::Emphasis, "<emphasis>\xCF\xF0\xE8</emphasis>", 24},
    {"EmptyLineReplacesSelection", "a\r\nb", 1, 2, TagCommand::EmptyLine, "a<empty-line/>b", 14},
    {"EmptyLineAtEnd", "ab", 2, 0, TagCommand::EmptyLine, "ab<empty-line/>", 15},
};

}  // namespace vellumar::testing
