#pragma once
// The about box: the program's name, version, author and web address, with a link that opens the
// address in the desktop's browser.

#include <QDialog>

#include "convert/program_info.h"

class QFrame;
class QLabel;
class TASLink;
class TColorButton;

// Shown by "About...".
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    TASLink* link() const { return m_link; }

protected:
    // Esc presses OK.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QFrame* m_panel = nullptr;
    TASLink* m_link = nullptr;
    TColorButton* m_okButton = nullptr;
};
