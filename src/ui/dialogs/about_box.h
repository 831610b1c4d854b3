#pragma once
// The about box: the program's name, version, author and web address, with a link that opens the
// address in the desktop's browser.

#include <QDialog>

#include "base/program_info.h"

class QFrame;
class QLabel;

namespace vellumar {

class ColorButton;
class LinkLabel;

// Shown by "About...".
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    LinkLabel* link() const { return m_link; }

protected:
    // Esc presses OK.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QFrame* m_panel = nullptr;
    LinkLabel* m_link = nullptr;
    ColorButton* m_okButton = nullptr;
};

}  // namespace vellumar
