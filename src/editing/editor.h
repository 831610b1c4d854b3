#pragma once
// The text editor as the commands see it. The window's syntax-colouring editors and the plain
// in-memory buffer of the tests both implement it, so the FB2 tag commands and find/replace are
// written once against this interface.
//
// The text is the program's 8-bit text: lines joined by CR LF (no line break after the last
// line). Every position and length counts bytes of that text, so a single-byte character counts
// one and a line break two (a double-byte character of an East Asian code page counts two).

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumar {

class Editor {
public:
    virtual ~Editor() = default;

    // The whole text, lines joined by CR LF.
    virtual std::string text() const = 0;
    // Replaces the whole text and forgets the undo history; the caret goes to the start.
    // CR LF, a lone CR and a lone LF all end a line.
    virtual void setText(std::string_view text) = 0;

    // The selected text (lines of a multi-line selection joined by CR LF); empty when nothing
    // is selected.
    virtual std::string selectedText() const = 0;
    // 0-based index of the selection's first byte in text(); the caret when nothing is selected.
    virtual std::size_t selectionStart() const = 0;
    // Length of the selection in bytes of text(); 0 when nothing is selected.
    virtual std::size_t selectionLength() const = 0;
    // Selects `length` bytes from `start`; both are clamped to the text. Length 0 places the caret.
    virtual void select(std::size_t start, std::size_t length) = 0;

    // Puts `text` in place of the selection (at the caret when nothing is selected) as one
    // undoable edit; afterwards the caret stands right after the inserted text and nothing is
    // selected. Replacing an empty selection by an empty text changes nothing.
    virtual void replaceSelection(std::string_view text) = 0;

    // Whether there is an edit to undo, and undoing the last one.
    virtual bool canUndo() const = 0;
    virtual void undo() = 0;

    // Suspends repainting while a command makes many changes; calls nest, and the editor
    // repaints once when the last endUpdate() balances the first beginUpdate().
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;
};

// Keeps an editor's repainting suspended for the life of the guard, also when a command throws.
class EditorUpdateGuard {
public:
    explicit EditorUpdateGuard(Editor& editor) : m_editor(editor) { m_editor.beginUpdate(); }
    ~EditorUpdateGuard() { m_editor.endUpdate(); }
    EditorUpdateGuard(const EditorUpdateGuard&) = delete;
    EditorUpdateGuard& operator=(const EditorUpdateGuard&) = delete;

private:
    Editor& m_editor;
};

// `text` with every line break (CR LF, a lone CR, a lone LF) written as CR LF.
std::string normalizeLineBreaks(std::string_view text);

}  // namespace vellumar
