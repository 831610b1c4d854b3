#include "ui/editor/background_wrapping.h"

#include <Qsci/qsciscintilla.h>
#include <QChildEvent>
#include <QCoreApplication>
#include <QTimer>

namespace vellumar {

namespace {

// Notes the first object given a parent of QScintilla's platform class while it watches.
class ChildCatcher : public QObject {
public:
    QObject* child = nullptr;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!child && event->type() == QEvent::ChildAdded &&
            qstrcmp(watched->metaObject()->className(), "QsciScintillaQt") == 0)
            child = static_cast<QChildEvent*>(event)->child();
        return false;
    }
};

}  // namespace

BackgroundWrapping::BackgroundWrapping(QsciScintilla& widget)
{
    using Sci = QsciScintillaBase;
    ChildCatcher catcher;
    QCoreApplication::instance()->installEventFilter(&catcher);
    const long mode = widget.SendScintilla(Sci::SCI_GETWRAPMODE);
    widget.SendScintilla(Sci::SCI_SETWRAPMODE, Sci::SC_WRAP_NONE);
    widget.SendScintilla(Sci::SCI_SETWRAPMODE, Sci::SC_WRAP_WORD);
    widget.SendScintilla(Sci::SCI_SETWRAPMODE, mode);
    QCoreApplication::instance()->removeEventFilter(&catcher);
    m_timer = catcher.child;
}

QTimer* BackgroundWrapping::timer() const
{
    auto* timer = qobject_cast<QTimer*>(m_timer.data());
    return timer && timer->interval() == 0 ? timer : nullptr;
}

void BackgroundWrapping::hold()
{
    if (m_held) return;
    QTimer* idle = timer();
    // A timer that is not running has no work pending, and QScintilla counts it as stopped:
    // stopping it would change nothing, and starting it later would run it without end.
    if (!idle || !idle->isActive()) return;
    idle->stop();
    m_held = true;
}

void BackgroundWrapping::release()
{
    if (!m_held) return;
    m_held = false;
    if (QTimer* idle = timer()) idle->start(0);
}

}  // namespace vellumar
