#pragma once
// Word wrap of the lines nobody sees yet. QScintilla wraps the lines on screen when it paints
// them, and all the others in the background, in slices of at least a screenful and fifty lines
// run between events. In a text of long lines (an HTML book has a paragraph a line) one slice
// takes 20 to 400 ms, and a key typed meanwhile waits for it; a 10 MB text keeps it busy for
// seconds, a 50 MB text for most of a minute, and every key typed above the wrapped part starts
// it again from there. For a large text the background wrapping is held, so that only the
// lines shown are wrapped; the vertical scroll bar then counts a line not yet shown as one
// line, and grows as the text is paged through.
//
// QScintilla offers no switch for this: its background work runs on a zero-interval QTimer of
// its platform object, made the first time work is pending, started when work is pending and
// stopped when none is left. Holding stops that timer while QScintilla still counts it as
// running, so QScintilla does not start it again; releasing starts it again and lets it finish
// the pending work.

#include <QObject>
#include <QPointer>

class QTimer;
class QsciScintilla;

namespace vellumar {

class BackgroundWrapping {
public:
    // Finds the widget's timer by making QScintilla create it: word wrap is switched on and back
    // to the widget's mode. A widget whose timer exists already (or another QScintilla build)
    // gives none, and then holding changes nothing.
    explicit BackgroundWrapping(QsciScintilla& widget);

    // Holds the pending background work. Nothing changes when none is pending, or when this
    // QScintilla's timer is not found (another QScintilla build): the work runs as before.
    void hold();
    // Lets the held work run again; nothing when none is held.
    void release();
    bool held() const { return m_held; }

    // Whether the widget's timer was found.
    bool canHold() const { return !m_timer.isNull(); }

private:
    QTimer* timer() const;

    QPointer<QObject> m_timer;
    bool m_held = false;
};

}  // namespace vellumar
