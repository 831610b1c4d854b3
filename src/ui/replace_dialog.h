#pragma once
// The replace dialog: a small window that stays on top of the main window and holds the find
// text and its replacement. The replacing itself is run by the main window's replace commands.

#include <QDialog>

class QGroupBox;
class QLineEdit;
namespace vellumar {

class ColorButton;

class ReplaceDialog : public QDialog {
    Q_OBJECT

public:
    explicit ReplaceDialog(QWidget* parent = nullptr);

    QLineEdit* findEdit() const { return m_edit1; }
    QLineEdit* replaceEdit() const { return m_edit2; }
    ColorButton* findButton() const { return m_butFind; }
    ColorButton* replaceButton() const { return m_butReplace; }
    ColorButton* allButton() const { return m_butAll; }
    ColorButton* closeButton() const { return m_butClose; }

    // Shows both text boxes in the code page of `charset` (the main window's chosen set).
    void setCharset(int charset);

protected:
    // Focuses the first text box.
    void showEvent(QShowEvent* event) override;
    // Esc presses "&Close".
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit2 = nullptr;
    QGroupBox* m_origin = nullptr;
    ColorButton* m_butFind = nullptr;
    ColorButton* m_butReplace = nullptr;
    ColorButton* m_butAll = nullptr;
    ColorButton* m_butClose = nullptr;
};

}  // namespace vellumar
