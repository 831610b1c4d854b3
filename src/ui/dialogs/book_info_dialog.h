#pragma once
// The book-info dialog: the user types the book's title and the author's first and last name
// before a conversion writes the book's header. The caller sets the result flag to 0, empties the
// three boxes, shows the dialog modally and reads the flag: 1 means OK, anything else cancelled.

#include <optional>

#include <QDialog>

#include "base/user_interaction.h"

class QGroupBox;
class QLabel;
class QLineEdit;
namespace vellumar {

class ColorButton;

class BookInfoDialog : public QDialog {
    Q_OBJECT

public:
    explicit BookInfoDialog(QWidget* parent = nullptr);

    // Sets the result flag to 0, empties the three boxes (or fills them with `proposed`), shows
    // the dialog modally and returns the typed texts (bytes of the boxes' code page) when "&Ok"
    // closed it, else nullopt.
    std::optional<BookInfoAnswers> ask(const BookInfoAnswers* proposed = nullptr);

    int resultFlag() const { return m_resultFlag; }
    void setResultFlag(int flag) { m_resultFlag = flag; }

    QLineEdit* titleEdit() const { return m_titleEdit; }
    QLineEdit* firstNameEdit() const { return m_firstNameEdit; }
    QLineEdit* lastNameEdit() const { return m_lastNameEdit; }

    // Shows the three boxes in the code page of `charset` (the main window's chosen set).
    void setCharset(int charset);

protected:
    // Puts the focus into the title box.
    void showEvent(QShowEvent* event) override;
    // Enter in a text box moves the focus on; Esc presses "&Cancel".
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* m_titleEdit = nullptr;
    QLineEdit* m_firstNameEdit = nullptr;
    QLineEdit* m_lastNameEdit = nullptr;
    ColorButton* m_okButton = nullptr;
    ColorButton* m_cancelButton = nullptr;
    int m_resultFlag = 0;
};

}  // namespace vellumar
