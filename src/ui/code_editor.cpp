#include "ui/code_editor.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerxml.h>

#include "documents/text_encoding.h"
#include "settings/charsets.h"

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
// teal in the source, green in the FB2 text, whose plain text stays black.
QsciLexerHTML* makeLexer(SyntaxColouring colouring, QObject* parent)
{
    QsciLexerHTML* lexer = colouring == SyntaxColouring::Html ? new QsciLexerHTML(parent) : new QsciLexerXML(parent);
    const QFont font = editorFont();
    lexer->setDefaultFont(font);
    lexer->setFont(font, -1);
    lexer->setDefaultPaper(Qt::white);
    lexer->setPaper(Qt::white, -1);
    lexer->setColor(Qt::black, QsciLexerHTML::Default);
    lexer->setColor(colouring == SyntaxColouring::Html ? QColor(0, 128, 128) : QColor(0, 128, 0),
                    QsciLexerHTML::HTMLComment);
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
    setLexer(makeLexer(colouring, this));

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

    connect(this, &QsciScintilla::textChanged, this, [this] { m_unsavedChanges = true; });
}

void CodeEditor::setDocumentText(std::string_view text)
{
    m_editor.setText(text);
    m_unsavedChanges = false;
}

void CodeEditor::setCharset(int charset)
{
    // Showing the same bytes in another code page is no change of the document.
    const bool unsaved = m_unsavedChanges;
    try {
        m_editor.setCodePage(CodePageOfCharset(charset));
    } catch (const EncodingError&) {
        // The system's converter lacks this code page: keep showing the text as it was shown.
        return;
    }
    m_unsavedChanges = unsaved;
    m_charset = charset;
}

void CodeEditor::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popupMenu) {
        QsciScintilla::contextMenuEvent(event);
        return;
    }
    m_popupMenu->popup(event->globalPos());
    event->accept();
}

}  // namespace vellumar
