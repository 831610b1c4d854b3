#include "ui/editor/code_editor.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerxml.h>

#include "encodings/text_encoding.h"
#include "settings/charsets.h"
#include "ui/editor/editor_colours.h"

namespace vellumar {

namespace {

constexpr int kFontPixels = 13;
constexpr int kGutterWidth = 16;

QFont editorFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    // QScintilla sizes its styles in points: 13 pixels at the screen's resolution.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    font.setPointSizeF(kFontPixels * 72.0 / (dpi > 0 ? dpi : 96.0));
    return font;
}

// HTML or XML colouring in the editor font. Only the comment colour differs between the two:
// teal in the source, green in the FB2 text, whose plain text stays black (editor_colours.h).
QsciLexerHTML* makeLexer(SyntaxColouring colouring, QObject* parent)
{
    QsciLexerHTML* lexer = colouring == SyntaxColouring::Html ? new QsciLexerHTML(parent) : new QsciLexerXML(parent);
    const QFont font = editorFont();
    lexer->setDefaultFont(font);
    lexer->setFont(font, -1);
    return lexer;
}

}  // namespace

CodeEditor::CodeEditor(SyntaxColouring colouring, QWidget* parent)
    : QsciScintilla(parent), m_colouring(colouring), m_editor(*this)
{
    setUtf8(true);
    setEolMode(EolWindows);
    setWrapMode(WrapWord);
    setBraceMatching(NoBraceMatch);
    setFont(editorFont());
    m_lexer = makeLexer(colouring, this);
    setLexer(m_lexer);
    applyEditorColours(*this, *m_lexer, m_colouring, palette());

    // A plain gutter: one symbol margin, no line numbers, no folding.
    setMarginType(0, SymbolMargin);
    setMarginLineNumbers(0, false);
    setMarginWidth(0, kGutterWidth);
    setMarginWidth(1, 0);
    setMarginWidth(2, 0);

    // Ctrl+U belongs to the window (it shows the hidden menu), not to lower-casing the selection.
    // Unbinding it in the command set also stops the editor from claiming the key first.
    if (QsciCommand* lowerCase = standardCommands()->boundTo(QKeyCombination(Qt::ControlModifier, Qt::Key_U).toCombined()))
        lowerCase->setKey(0);
}

void CodeEditor::changeEvent(QEvent* event)
{
    QsciScintilla::changeEvent(event);
    // A desktop switching between light and dark changes the palette while the program runs.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        applyEditorColours(*this, *m_lexer, m_colouring, palette());
}

void CodeEditor::setDocumentText(std::string_view text)
{
    m_editor.setText(text);
    markSaved();
}

void CodeEditor::showIn(std::string_view codePage)
{
    // Showing the same bytes in another code page is no change of the document: the editor
    // keeps its save point.
    m_editor.setCodePage(codePage);
}

void CodeEditor::setCharset(int charset)
{
    if (m_documentCodePage.empty()) {
        try {
            showIn(codePageOfCharset(charset));
        } catch (const EncodingError&) {
            // The system's converter lacks this code page: keep showing the text as it was shown.
            return;
        }
    }
    m_charset = charset;
}

void CodeEditor::setDocumentCodePage(const std::string& codePage)
{
    if (codePage.empty()) {
        m_documentCodePage.clear();
        setCharset(m_charset);
        return;
    }
    showIn(codePage);
    m_documentCodePage = codePage;
}

QPoint CodeEditor::caretMenuPosition() const
{
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    const auto x = static_cast<int>(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, caret));
    const auto y = static_cast<int>(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, caret));
    const auto lineHeight = static_cast<int>(SendScintilla(SCI_TEXTHEIGHT, 0UL));
    // A caret scrolled out of sight opens the menu at the editor's corner instead.
    const QPoint below = viewport()->rect().contains(x, y) ? QPoint(x, y + lineHeight) : QPoint(0, 0);
    return viewport()->mapToGlobal(below);
}

void CodeEditor::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popupMenu) {
        QsciScintilla::contextMenuEvent(event);
        return;
    }
    m_popupMenu->popup(event->reason() == QContextMenuEvent::Keyboard ? caretMenuPosition() : event->globalPos());
    event->accept();
}

void CodeEditor::keyPressEvent(QKeyEvent* event)
{
    // The keyboard's ways to the pop-up menu: the Menu key and Shift+F10, as on other desktops.
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, caretMenuPosition() - viewport()->mapToGlobal(QPoint()),
                               caretMenuPosition());
        contextMenuEvent(&menu);
        event->accept();
        return;
    }
    QsciScintilla::keyPressEvent(event);
}

}  // namespace vellumar
