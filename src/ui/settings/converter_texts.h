#pragma once
// The converter's errors and warnings in the chosen language. The converter has no window and
// words them in English; the window knows the forms it words them in (the message table's
// converter forms) and shows a text of a known form in the language's wording, with the same
// details. A detail that is a text of a known form itself ("picture 'a.png' left out: no file
// a.png") is worded too. Any other text (the system's reason, a library's message) stays as it is.

#include <string_view>

#include <QString>

namespace vellumar {

QString converterText(const QString& text);
// `text` is UTF-8, as the converter's texts are.
QString converterText(std::string_view text);

}  // namespace vellumar
