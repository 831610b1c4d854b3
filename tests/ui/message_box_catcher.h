#pragma once
// Answers the message boxes a window test provokes: while it lives, every message box that opens
// is closed at once and its text and owner are recorded.

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace vellumar::testing {

class MessageBoxCatcher {
public:
    MessageBoxCatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                formats << box->textFormat();
                owners << box->parentWidget();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start(5);
    }
    QStringList texts;
    QList<const QWidget*> owners;  // the window each box opened over
    QList<Qt::TextFormat> formats;

private:
    QTimer m_timer;
};

}  // namespace vellumar::testing
