#pragma once
// The replace dialog: a small window that stays on top of the main window and holds the find
// text and its replacement. The replacing itself is run by the main window's replace commands.

#include <QDialog>

class QGroupBox;
class QLineEdit;
class TColorButton;

class TFReplace : public QDialog {
    Q_OBJECT

public:
    explicit TFReplace(QWidget* parent = nullptr);

    QLineEdit* findEdit() const { return m_edit1; }
    QLineEdit* replaceEdit() const { return m_edit2; }
    TColorButton* findButton() const { return m_butFind; }
    TColorButton* replaceButton() const { return m_butReplace; }
    TColorButton* allButton() const { return m_butAll; }
    TColorButton* closeButton() const { return m_butClose; }

protected:
    // Shows the character set chosen in the main window in the text boxes, focuses the first.
    void showEvent(QShowEvent* event) override;
    // Esc presses "&Close".
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit2 = nullptr;
    QGroupBox* m_origin = nullptr;
    TColorButton* m_butFind = nullptr;
    TColorButton* m_butReplace = nullptr;
    TColorButton* m_butAll = nullptr;
    TColorButton* m_butClose = nullptr;
};
