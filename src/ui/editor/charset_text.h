#pragma once
// The program's 8-bit text shown in Qt widgets. The character set chosen on the "Common Settings"
// page picks the code page in which the bytes are shown and into which typed text is read back;
// a character the code page lacks is read back as a numeric character reference.

#include <string>
#include <string_view>

#include <QString>

class QLineEdit;

namespace vellumar {

// `bytes` shown in the code page of font character set `charset`.
QString decodeBytes(std::string_view bytes, int charset);
// `text` as bytes of that code page.
std::string encodeText(const QString& text, int charset);

// A text box remembers the character set it shows (1, the default set, until one is set).
// Changing it re-displays the same bytes in the new code page.
void setTextBoxCharset(QLineEdit* box, int charset);
int textBoxCharset(const QLineEdit* box);
// The text box's text as bytes of its code page, and setting it from such bytes.
std::string textBoxBytes(const QLineEdit* box);
void setTextBoxBytes(QLineEdit* box, std::string_view bytes);

}  // namespace vellumar
