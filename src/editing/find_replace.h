#pragma once
// Find and replace on an editor: plain text, case-sensitive, forward only, from the caret,
// never wrapping around to the top. Every step reads the editor's selection afresh, so the
// user may edit, move the caret or switch editors between two steps.
//
// A null editor stands for "no editor to search" (a page without an editor is active): every
// step then does nothing at all.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "editing/editor.h"

namespace vellumar {

enum class FindResult {
    NoSearch,  // no editor or an empty pattern: nothing was looked at
    Found,     // the next occurrence is selected
    NotFound,  // no occurrence behind the start; the selection is unchanged
};

// The editor a search works on for the main window's page: page 0 (the source page) gives
// the source editor, page 1 (the FB2 page) the FB2 editor, every other page none.
Editor* searchEditorForPage(int pageIndex, Editor& sourceEditor, Editor& fb2Editor);

// Index of the first occurrence of pattern in text at or after from, or npos. An occurrence
// that would begin or end between the CR and the LF of a line break is passed over: an editor
// cannot select half a line break.
std::size_t findOccurrence(std::string_view text, std::string_view pattern, std::size_t from);

// Selects the next occurrence of pattern. The search starts just behind the selection when the
// selection is the pattern itself (so repeated steps walk through the text), else at the
// selection's start, so an occurrence beginning at the caret is found.
FindResult findFrom(Editor* editor, std::string_view pattern);

// Replaces the selection by replacement when it is the pattern (one undoable edit), then
// selects the next occurrence like findFrom. A first step on another selection only finds.
FindResult replaceCurrent(Editor* editor, std::string_view pattern, std::string_view replacement);

// When the selection is the pattern, replaces it and every later occurrence; occurrences
// before the selection stay. The text behind each inserted replacement is searched, never the
// replacement itself, so a replacement containing the pattern changes each occurrence once.
// Returns how many were replaced (0 when the selection is not the pattern), or nothing without
// an editor. All replacements form one undoable edit, the editor repaints once, and the caret
// ends behind the last replacement; the work takes one pass over the text.
std::optional<std::size_t> replaceAll(Editor* editor, std::string_view pattern, std::string_view replacement);

// The message of a search that reached the end: "The End" framed by fourteen blanks each side.
std::string_view endOfTextMessage();
// "N items replaced."
std::string itemsReplacedMessage(std::size_t count);

}  // namespace vellumar
