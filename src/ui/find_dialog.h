#pragma once
// The find dialog: a small window that stays on top of the main window and holds the find text.
// The search itself is run by the main window's find commands.

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QRadioButton;
namespace vellumar {

class ColorButton;

class FindDialog : public QDialog {
    Q_OBJECT

public:
    explicit FindDialog(QWidget* parent = nullptr);

    QLineEdit* findEdit() const { return m_edit1; }
    ColorButton* findButton() const { return m_butFind; }
    ColorButton* closeButton() const { return m_butClose; }

    // Shows the text box in the code page of `charset` (the main window's chosen set).
    void setCharset(int charset);

protected:
    // Focuses the text box.
    void showEvent(QShowEvent* event) override;
    // Esc presses "&Close".
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* m_edit1 = nullptr;
    QGroupBox* m_origin = nullptr;
    ColorButton* m_butFind = nullptr;
    ColorButton* m_butClose = nullptr;
};

}  // namespace vellumar
