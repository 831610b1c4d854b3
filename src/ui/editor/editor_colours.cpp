#include "ui/editor/editor_colours.h"

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include "ui/editor/code_editor.h"

namespace vellumar {

namespace {

// QScintilla numbers a lexer's styles below 128.
constexpr int kStyleCount = 128;

QColor commentColour(SyntaxColouring colouring)
{
    return colouring == SyntaxColouring::Html ? QColor(0, 128, 128) : QColor(0, 128, 0);
}

}  // namespace

bool isDarkPalette(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

QColor colourForDarkPaper(const QColor& colour)
{
    const float lightness = colour.lightnessF();
    if (lightness >= 0.5F) return colour;
    return QColor::fromHslF(colour.hslHueF(), colour.hslSaturationF(), 1.0F - lightness * 0.8F);
}

void applyEditorColours(QsciScintilla& editor, QsciLexerHTML& lexer, SyntaxColouring colouring,
                        const QPalette& palette)
{
    const bool dark = isDarkPalette(palette);
    const QColor paper = dark ? palette.color(QPalette::Base) : QColor(Qt::white);
    const QColor text = dark ? palette.color(QPalette::Text) : QColor(Qt::black);
    for (int style = 0; style < kStyleCount; ++style) {
        if (lexer.description(style).isEmpty()) continue;
        const QColor own = lexer.defaultColor(style);
        lexer.setColor(dark ? colourForDarkPaper(own) : own, style);
    }
    lexer.setDefaultPaper(paper);
    lexer.setPaper(paper, -1);
    lexer.setDefaultColor(text);
    lexer.setColor(text, QsciLexerHTML::Default);
    const QColor comment = commentColour(colouring);
    lexer.setColor(dark ? colourForDarkPaper(comment) : comment, QsciLexerHTML::HTMLComment);

    editor.setCaretForegroundColor(text);
    editor.setMarginsBackgroundColor(palette.color(QPalette::Window));
    editor.setMarginsForegroundColor(palette.color(QPalette::WindowText));
    editor.setSelectionBackgroundColor(palette.color(QPalette::Highlight));
    editor.setSelectionForegroundColor(palette.color(QPalette::HighlightedText));
}

}  // namespace vellumar
