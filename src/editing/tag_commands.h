#pragma once
// The FB2 tag commands: each wraps the FB2 editor's selection in FB2 elements (or turns its
// paragraphs into verses) and puts the result in the selection's place as one undoable edit.

#include <string>
#include <string_view>

#include "editing/editor.h"

namespace vellumar {

enum class TagCommand {
    Paragraph,   // CR LF <p>S</p> CR LF
    Epigraph,    // <epigraph>S</epigraph>
    Cite,        // <cite>S</cite>
    TextAuthor,  // <text-author>S</text-author>
    Poem,        // <poem> CR LF S CR LF </poem>
    Stanza,      // <stanza> CR LF verses(S) </stanza>
    Verse,       // verses(S)
    Strong,      // <strong>S</strong>
    Emphasis,    // <emphasis>S</emphasis>
    EmptyLine,   // <empty-line/>, the selection is dropped
};

// Every "<p>" and "<P>" becomes "<v>", then every "</p>" and "</P>" becomes "</v>". Nothing else
// changes: a paragraph tag with attributes keeps its opening tag.
std::string paragraphsToVerses(std::string_view text);

// The text that `command` puts in place of the selected text `selection`.
std::string tagCommandText(TagCommand command, std::string_view selection);

// Runs `command` on the editor's selection (on the caret when nothing is selected); the caret
// ends after the inserted text with nothing selected.
void wrapSelection(Editor& editor, TagCommand command);

}  // namespace vellumar
