#pragma once
// The syntax-colouring editor of the "Source" and "FB2" pages: a QScintilla widget with word
// wrap, a gutter without line numbers, the "Courier New" face at 13 pixels, undo, and its own
// pop-up menu. It holds the program's 8-bit text through its ScintillaEditor.

#include <Qsci/qsciscintilla.h>

#include "ui/scintilla_editor.h"

class QMenu;

namespace vellumar {

enum class SyntaxColouring { Html, Xml };

class TSynMemo : public QsciScintilla {
    Q_OBJECT

public:
    TSynMemo(SyntaxColouring colouring, QWidget* parent = nullptr);

    // The editor operations on this widget's 8-bit text.
    ScintillaEditor& editor() { return m_editor; }
    const ScintillaEditor& editor() const { return m_editor; }

    // The menu shown on a right click instead of QScintilla's own; may be null.
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    QMenu* popupMenu() const { return m_popupMenu; }

    SyntaxColouring colouring() const { return m_colouring; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    SyntaxColouring m_colouring;
    ScintillaEditor m_editor;
    QMenu* m_popupMenu = nullptr;
};

}  // namespace vellumar
