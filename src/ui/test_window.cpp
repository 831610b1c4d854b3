#include "ui/test_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TFTest::TFTest(QWidget* parent) : QWidget(parent, Qt::Window)
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
