#include "editing/find_replace.h"

namespace vellumar {

namespace {

bool splitsLineBreak(std::string_view text, std::size_t at)
{
    return at > 0 && at < text.size() && text[at - 1] == '\r' && text[at] == '\n';
}

}  // namespace

Editor* searchEditorForPage(int pageIndex, Editor& sourceEditor, Editor& fb2Editor)
{
    switch (pageIndex) {
    case 0: return &sourceEditor;
    case 1: return &fb2Editor;
    default: return nullptr;
    }
}

std::size_t findOccurrence(std::string_view text, std::string_view pattern, std::size_t from)
{
    if (pattern.empty()) return std::string_view::npos;
    for (std::size_t at = text.find(pattern, from); at != std::string_view::npos; at = text.find(pattern, at + 1)) {
        if (!splitsLineBreak(text, at) && !splitsLineBreak(text, at + pattern.size())) return at;
    }
    return std::string_view::npos;
}

FindResult findFrom(Editor* editor, std::string_view pattern)
{
    if (editor == nullptr || pattern.empty()) return FindResult::NoSearch;
    std::size_t start = editor->selectionStart();
    if (editor->selectionLength() == pattern.size() && editor->selectedText() == pattern) start += pattern.size();
    const std::size_t found = findOccurrence(editor->text(), pattern, start);
    if (found == std::string_view::npos) return FindResult::NotFound;
    editor->select(found, pattern.size());
    return FindResult::Found;
}

FindResult replaceCurrent(Editor* editor, std::string_view pattern, std::string_view replacement)
{
    if (editor == nullptr || pattern.empty()) return FindResult::NoSearch;
    if (editor->selectionLength() == pattern.size() && editor->selectedText() == pattern)
        editor->replaceSelection(replacement);
    return findFrom(editor, pattern);
}

std::optional<std::size_t> replaceAll(Editor* editor, std::string_view pattern, std::string_view replacement)
{
    if (editor == nullptr) return std::nullopt;
    const EditorUpdateGuard noRepaint(*editor);
    if (pattern.empty() || editor->selectionLength() != pattern.size() || editor->selectedText() != pattern)
        return 0;

    // Replacing occurrence after occurrence in the editor would move the rest of the text once
    // per occurrence; instead the changed stretch, from the selection to the end of the last
    // occurrence, is built in one pass and put in place as one edit.
    const std::string text = editor->text();
    const std::string with = normalizeLineBreaks(replacement);
    const std::size_t first = editor->selectionStart();
    std::string changed;
    std::size_t count = 0;
    std::size_t copied = first;
    for (std::size_t at = first; at != std::string_view::npos; at = findOccurrence(text, pattern, copied)) {
        changed.append(text, copied, at - copied);
        changed.append(with);
        copied = at + pattern.size();
        ++count;
    }
    editor->select(first, copied - first);
    editor->replaceSelection(changed);
    return count;
}

std::string_view endOfTextMessage()
{
    return "              The End              ";
}

std::string itemsReplacedMessage(std::size_t count)
{
    return std::to_string(count) + " items replaced.";
}

}  // namespace vellumar
