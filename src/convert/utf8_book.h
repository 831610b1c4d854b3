#pragma once
// A finished book written in UTF-8 instead of windows-1251, as the last stage of a conversion.
// The body writer makes every book in windows-1251, with a numeric reference ("&#8230;") for
// each character windows-1251 lacks; this stage turns the bytes into UTF-8, writes each such
// character as itself and makes the declaration say encoding="utf-8". The references XML needs
// stay: those to '<', '&', '>', '"', '\'' and to TAB, LF and CR (which a parser would otherwise
// read as markup or fold into spaces), and those to characters XML does not allow. The book's
// text, structure and pictures read back exactly as from the windows-1251 book.

#include <string>
#include <string_view>

#include "base/text_pieces.h"

namespace vellumar {

// One piece of a windows-1251 book (any piece: the header, the body, a picture) in UTF-8, with
// the references resolved as above. The declaration is left as it is.
std::string windows1251BookTextToUtf8(std::string_view text);

// The whole book, piece by piece, in UTF-8, its declaration naming utf-8. Pieces that hold
// nothing to change (the pictures' base64) are kept without a copy.
void encodeBookAsUtf8(TextPieces& pieces);

}  // namespace vellumar
