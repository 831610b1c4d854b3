#pragma once
// The syntax-colouring editor of the "Source" and "FB2" pages: a QScintilla widget with word
// wrap, a gutter without line numbers, the "Courier New" face at 13 pixels, undo, and its own
// pop-up menu. Its colours follow a dark desktop palette (editor_colours.h). It holds the
// program's 8-bit text through its ScintillaEditor.

#include <Qsci/qsciscintilla.h>

#include <string>
#include <string_view>

#include "ui/editor/scintilla_editor.h"

class QMenu;
class QsciLexerHTML;

namespace vellumar {

enum class SyntaxColouring { Html, Xml };

class CodeEditor : public QsciScintilla {
    Q_OBJECT
    // The font character-set number whose code page shows the text (1, the default set, at start).
    Q_PROPERTY(int charset READ charset WRITE setCharset)

public:
    CodeEditor(SyntaxColouring colouring, QWidget* parent = nullptr);

    // The editor operations on this widget's 8-bit text.
    ScintillaEditor& editor() { return m_editor; }
    const ScintillaEditor& editor() const { return m_editor; }

    // The menu shown on a right click, Shift+F10 or the Menu key instead of QScintilla's own;
    // may be null.
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    QMenu* popupMenu() const { return m_popupMenu; }

    SyntaxColouring colouring() const { return m_colouring; }

    // Whether the text differs from what the program last put here as a whole document or
    // saved: the editor's save point, so that changes undone again are no changes. A new
    // widget has none.
    bool hasUnsavedChanges() const { return SendScintilla(SCI_GETMODIFY) != 0; }
    // The text is saved now, or is again what the program put here.
    void markSaved() { SendScintilla(SCI_SETSAVEPOINT); }
    // Replaces the whole text with a document the program loaded or made; it counts as saved.
    void setDocumentText(std::string_view text);

    int charset() const { return m_charset; }
    // Shows the same bytes in the code page of `charset`, unless the document has a code page
    // of its own; the text does not change.
    void setCharset(int charset);
    // A document in an encoding of its own (an FB2 book in UTF-8 or KOI8-R) is shown in that
    // code page (an iconv name), whatever the character set; empty: the character set's again.
    // Throws EncodingError, changing nothing, for a code page iconv does not know.
    void setDocumentCodePage(const std::string& codePage);
    const std::string& documentCodePage() const { return m_documentCodePage; }

    // Where a pop-up menu opened from the keyboard appears: below the caret, in global
    // coordinates.
    QPoint caretMenuPosition() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    SyntaxColouring m_colouring;
    QsciLexerHTML* m_lexer = nullptr;
    ScintillaEditor m_editor;
    QMenu* m_popupMenu = nullptr;
    // Shows the bytes in `codePage`; false when iconv does not know it.
    void showIn(std::string_view codePage);

    int m_charset = 1;
    std::string m_documentCodePage;
};

}  // namespace vellumar
