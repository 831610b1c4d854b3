#include "ui/dialogs/diagnostic_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace vellumar {

DiagnosticWindow::DiagnosticWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FTest"));
    setWindowTitle(QStringLiteral("FTest"));
    resize(500, 400);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
}

}  // namespace vellumar
