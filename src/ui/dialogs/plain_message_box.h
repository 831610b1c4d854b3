#pragma once
// Message boxes whose texts are shown as plain text. QMessageBox guesses rich text from a text
// that looks like a tag, and a tokenizer problem such as "<a =x" or a file name with "<" would
// then show an empty body.

#include <QMessageBox>

namespace vellumar {

QMessageBox::StandardButton showPlainMessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

}  // namespace vellumar
