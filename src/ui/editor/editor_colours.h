#pragma once
// The editors' colours. On a light desktop they are the program's own: black text on white, HTML
// comments in teal, FB2 comments in green. On a dark desktop they follow its palette: the
// palette's base and text colours, and every colour of the syntax colouring lightened so that it
// reads on the dark paper with the hue it has on white.

#include <QColor>
#include <QPalette>

class QsciLexerHTML;
class QsciScintilla;

namespace vellumar {

enum class SyntaxColouring;

// Whether `palette` is a dark one: its text fields are darker than middle grey.
bool isDarkPalette(const QPalette& palette);

// `colour` as it should look on dark paper: a dark colour gets the lightness of its mirror image
// (black becomes white, navy a light blue); a light colour stays.
QColor colourForDarkPaper(const QColor& colour);

// Sets the colours of `editor` and its `lexer` for `palette`.
void applyEditorColours(QsciScintilla& editor, QsciLexerHTML& lexer, SyntaxColouring colouring,
                        const QPalette& palette);

}  // namespace vellumar
