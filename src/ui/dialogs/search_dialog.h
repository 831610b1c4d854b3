#pragma once
// What the find and replace dialogs share: a small fixed-size tool window that stays on top of
// the main window, the find text box "Edit1" with its label, the hidden "Origin" choice ("From
// cursor" or "Entire scope"), the "&Find" and "&Close" buttons, Esc for Close and the focus in
// the find text when shown. The searching itself is run by the main window's search commands.

#include <QDialog>
#include <QList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vellumar {

class ColorButton;

class SearchDialog : public QDialog {
    Q_OBJECT

public:
    QLineEdit* findEdit() const { return m_findEdit; }
    ColorButton* findButton() const { return m_findButton; }
    ColorButton* closeButton() const { return m_closeButton; }

    // "From cursor" rather than "Entire scope".
    bool fromCursor() const;
    void setFromCursor(bool fromCursor);

    // Shows the text boxes in the code page of `charset` (the main window's chosen set).
    void setCharset(int charset);

protected:
    // The dialog's own parts are made by the derived dialog, in the order of its keyboard focus,
    // starting with the find text box, which is made here.
    SearchDialog(const QString& name, const QString& caption, QSize size, QWidget* parent);

    QLineEdit* addTextBox(const char* name);
    QLabel* addLabel(const char* name, const QString& caption, QWidget* buddy);
    QGroupBox* addOriginGroup();
    ColorButton* addButton(const char* name, const QString& caption);
    ColorButton* addFindButton();
    ColorButton* addCloseButton();

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<QLineEdit*> m_textBoxes;
    QLineEdit* m_findEdit = nullptr;
    QRadioButton* m_fromCursor = nullptr;
    QRadioButton* m_entireScope = nullptr;
    ColorButton* m_findButton = nullptr;
    ColorButton* m_closeButton = nullptr;
};

}  // namespace vellumar
