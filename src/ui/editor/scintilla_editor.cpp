#include "ui/editor/scintilla_editor.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include <Qsci/qsciscintilla.h>
#include <QAccessible>

#include "base/byte_scan.h"
#include "encodings/code_page_codec.h"

namespace vellumar {

namespace {

using Sci = QsciScintillaBase;

// Codecs are built once per code page and kept for the run: building a multi-byte one measures
// every character of the plane.
const CodePageCodec& codecFor(std::string_view codePage)
{
    static std::map<std::string, std::unique_ptr<CodePageCodec>, std::less<>> codecs;
    auto it = codecs.find(codePage);
    if (it == codecs.end())
        it = codecs.emplace(std::string(codePage), std::make_unique<CodePageCodec>(codePage)).first;
    return *it->second;
}

// Bytes of room for typing after a whole text was put into the widget: an eighth of the text,
// at least 64 KB.
std::size_t typingRoom(std::size_t textBytes) { return std::max<std::size_t>(textBytes / 8, 64 * 1024); }

}  // namespace

ScintillaEditor::ScintillaEditor(QsciScintilla& widget)
    : m_widget(widget), m_codec(&codecFor("WINDOWS-1251")), m_backgroundWrapping(widget)
{
}

ScintillaEditor::~ScintillaEditor() = default;

const std::string& ScintillaEditor::codePage() const
{
    return m_codec->codePage();
}

namespace {

// One step of the undo history, as a change of the 8-bit text: `removed` bytes at `start` were
// replaced by `inserted`.
struct ByteStep {
    std::size_t start = 0;
    std::size_t removed = 0;
    std::string inserted;
};

// The step that turns `before` into `after`: everything between their common start and end.
ByteStep stepBetween(const std::string& before, const std::string& after)
{
    std::size_t prefix = 0;
    const std::size_t shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return {prefix, before.size() - prefix - suffix, after.substr(prefix, after.size() - prefix - suffix)};
}

}  // namespace

void ScintillaEditor::setCodePage(std::string_view codePage)
{
    const CodePageCodec& codec = codecFor(codePage);
    if (&codec == m_codec) return;
    const EditorUpdateGuard noRepaint(*this);
    const std::size_t start = selectionStart();
    const std::size_t length = selectionLength();

    // The undo history is kept: it is walked back to its oldest text, each step recorded as a
    // change of the 8-bit text, and then made again on the same bytes shown in the new code page.
    // Steps that were undone stay redoable.
    // The save point (the text as last saved) is kept too, as a number of steps back from the
    // current text or forward into what can be redone.
    auto atSavePoint = [this] { return m_widget.SendScintilla(Sci::SCI_GETMODIFY) == 0; };
    std::optional<std::size_t> savedBack;
    std::optional<std::size_t> savedForward;
    if (atSavePoint()) savedBack = 0;
    std::string current = text();
    std::vector<ByteStep> undone;  // newest first
    std::size_t undoSteps = 0;     // with the steps that left the bytes as they were
    while (m_widget.SendScintilla(Sci::SCI_CANUNDO)) {
        m_widget.SendScintilla(Sci::SCI_UNDO);
        ++undoSteps;
        std::string older = text();
        if (older != current) undone.push_back(stepBetween(older, current));
        current = std::move(older);
        if (!savedBack && atSavePoint()) savedBack = undone.size();
    }
    const std::string oldest = current;
    for (std::size_t i = 0; i < undoSteps; ++i) m_widget.SendScintilla(Sci::SCI_REDO);
    current = text();
    std::vector<ByteStep> redoable;  // oldest first
    while (m_widget.SendScintilla(Sci::SCI_CANREDO)) {
        m_widget.SendScintilla(Sci::SCI_REDO);
        std::string newer = text();
        if (newer != current) redoable.push_back(stepBetween(current, newer));
        current = std::move(newer);
        if (!savedBack && !savedForward && atSavePoint()) savedForward = redoable.size();
    }

    m_codec = &codec;
    setText(oldest);
    auto replay = [this](const ByteStep& step) {
        select(step.start, step.removed);
        replaceSelection(step.inserted);
    };
    for (std::size_t i = undone.size(); i-- > 0;) replay(undone[i]);
    for (const ByteStep& step : redoable) replay(step);
    for (std::size_t i = 0; i < redoable.size(); ++i) m_widget.SendScintilla(Sci::SCI_UNDO);
    auto steps = [this](int message, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) m_widget.SendScintilla(message);
    };
    if (savedBack) {
        steps(Sci::SCI_UNDO, *savedBack);
        m_widget.SendScintilla(Sci::SCI_SETSAVEPOINT);
        steps(Sci::SCI_REDO, *savedBack);
    } else if (savedForward) {
        steps(Sci::SCI_REDO, *savedForward);
        m_widget.SendScintilla(Sci::SCI_SETSAVEPOINT);
        steps(Sci::SCI_UNDO, *savedForward);
    }
    select(start, length);
}

std::string_view ScintillaEditor::utf8Text() const
{
    const auto length = static_cast<std::size_t>(m_widget.SendScintilla(Sci::SCI_GETLENGTH));
    if (length == 0) return {};
    const auto* data = static_cast<const char*>(m_widget.SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    return {data, length};
}

long ScintillaEditor::toWidgetPosition(std::size_t position) const
{
    const std::string_view all = utf8Text();
    std::size_t offset = m_codec->utf8Offset(all, position);
    if (offset > 0 && offset < all.size() && all[offset - 1] == '\r' && all[offset] == '\n') --offset;
    return static_cast<long>(offset);
}

std::string ScintillaEditor::text() const
{
    return m_codec->encode(utf8Text());
}

std::string ScintillaEditor::widgetText(std::string_view text) const
{
    // Most texts have CR LF breaks already, and are decoded without a normalised copy.
    if (scan::endsEveryLineWithCrLf(text)) return m_codec->decode(text);
    return m_codec->decode(normalizeLineBreaks(text));
}

void ScintillaEditor::setText(std::string_view text)
{
    const std::string utf8 = widgetText(text);
    const EditorUpdateGuard noRepaint(*this);
    const bool readOnly = m_widget.isReadOnly();
    m_widget.setReadOnly(false);
    // The old text and the new are neither kept for undo nor announced change by change (the
    // widget would copy both whole, for the undo history and into a QString for each notice);
    // one textChanged, and one notice to screen readers, tell of the new text at the end.
    m_widget.SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 0UL);
    const long notices = m_widget.SendScintilla(Sci::SCI_GETMODEVENTMASK);
    m_widget.SendScintilla(Sci::SCI_SETMODEVENTMASK, 0UL);
    m_widget.SendScintilla(Sci::SCI_CLEARALL);
    // Room for typing: the widget's buffer keeps a gap at the place of the last change, and
    // moves it there, or grows it copying the whole text, when the gap is used up. The buffer is
    // made big enough for the text and a good deal of typing, and its gap moved to the start,
    // where the caret is, so that the first keys typed into a large text copy none of it.
    m_widget.SendScintilla(Sci::SCI_ALLOCATE, static_cast<unsigned long>(utf8.size() + typingRoom(utf8.size())));
    m_widget.SendScintilla(Sci::SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
    if (!utf8.empty()) {
        m_widget.SendScintilla(Sci::SCI_INSERTTEXT, 0UL, " ");
        m_widget.SendScintilla(Sci::SCI_DELETERANGE, 0UL, 1L);
    }
    m_widget.SendScintilla(Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(notices));
    m_widget.SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 1UL);
    m_widget.SendScintilla(Sci::SCI_EMPTYUNDOBUFFER);
    m_widget.SendScintilla(Sci::SCI_GOTOPOS, 0L);
    m_widget.setReadOnly(readOnly);
    emit m_widget.textChanged();
    // Screen readers, who were not told of the change piece by piece, learn of it as a whole.
    if (QAccessible::isActive()) {
        QAccessibleEvent replaced(&m_widget, QAccessible::TextUpdated);
        QAccessible::updateAccessibility(&replaced);
    }
}

std::string ScintillaEditor::selectedText() const
{
    const auto start = static_cast<std::size_t>(m_widget.SendScintilla(Sci::SCI_GETSELECTIONSTART));
    const auto end = static_cast<std::size_t>(m_widget.SendScintilla(Sci::SCI_GETSELECTIONEND));
    if (end <= start) return {};
    return m_codec->encode(utf8Text().substr(start, end - start));
}

std::size_t ScintillaEditor::selectionStart() const
{
    const auto start = static_cast<std::size_t>(m_widget.SendScintilla(Sci::SCI_GETSELECTIONSTART));
    return m_codec->encodedLength(utf8Text().substr(0, start));
}

std::size_t ScintillaEditor::selectionLength() const
{
    const auto start = static_cast<std::size_t>(m_widget.SendScintilla(Sci::SCI_GETSELECTIONSTART));
    const auto end = static_cast<std::size_t>(m_widget.SendScintilla(Sci::SCI_GETSELECTIONEND));
    if (end <= start) return 0;
    return m_codec->encodedLength(utf8Text().substr(start, end - start));
}

void ScintillaEditor::select(std::size_t start, std::size_t length)
{
    const long from = toWidgetPosition(start);
    // A length reaching past the end (even past the largest position) selects up to the end.
    const std::size_t end = length > SIZE_MAX - start ? SIZE_MAX : start + length;
    const long to = length == 0 ? from : toWidgetPosition(end);
    m_widget.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(from), to);
    m_widget.SendScintilla(Sci::SCI_SCROLLCARET);
}

void ScintillaEditor::replaceSelection(std::string_view text)
{
    const std::string utf8 = widgetText(text);
    const long start = m_widget.SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long end = m_widget.SendScintilla(Sci::SCI_GETSELECTIONEND);
    if (utf8.empty() && start == end) return;
    m_widget.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    m_widget.SendScintilla(Sci::SCI_TARGETFROMSELECTION);
    m_widget.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()), utf8.data());
    const long after = m_widget.SendScintilla(Sci::SCI_GETTARGETEND);
    m_widget.SendScintilla(Sci::SCI_ENDUNDOACTION);
    m_widget.SendScintilla(Sci::SCI_GOTOPOS, after);
}

bool ScintillaEditor::canUndo() const
{
    return m_widget.SendScintilla(Sci::SCI_CANUNDO) != 0;
}

void ScintillaEditor::undo()
{
    m_widget.SendScintilla(Sci::SCI_UNDO);
}

void ScintillaEditor::beginUpdate()
{
    if (m_updateDepth++ > 0) return;
    m_widget.setUpdatesEnabled(false);
    // With word wrap on, the widget re-wraps every changed line up to the caret at once; a
    // change of a whole 10 MB text would take many seconds. Wrapping is switched off while
    // the changes are made; switching it back on wraps the lines shown, and the others in the
    // background, or for a large text only as they are shown.
    m_wrapMode = m_widget.SendScintilla(Sci::SCI_GETWRAPMODE);
    if (m_wrapMode != Sci::SC_WRAP_NONE) m_widget.SendScintilla(Sci::SCI_SETWRAPMODE, Sci::SC_WRAP_NONE);
}

void ScintillaEditor::endUpdate()
{
    if (m_updateDepth == 0) return;
    if (--m_updateDepth == 0) {
        if (m_wrapMode != Sci::SC_WRAP_NONE) {
            m_widget.SendScintilla(Sci::SCI_SETWRAPMODE, m_wrapMode);
            m_widget.SendScintilla(Sci::SCI_SCROLLCARET);
            // The widget keeps the measured layout of every line it has wrapped (QScintilla's
            // choice with word wrap on), and walks them all at every key. For a large text
            // only the lines on screen are kept.
            if (static_cast<std::size_t>(m_widget.SendScintilla(Sci::SCI_GETLENGTH)) > kWrapShownOnlyAbove) {
                m_widget.SendScintilla(Sci::SCI_SETLAYOUTCACHE, Sci::SC_CACHE_PAGE);
                m_backgroundWrapping.hold();
            } else {
                m_widget.SendScintilla(Sci::SCI_SETLAYOUTCACHE, Sci::SC_CACHE_DOCUMENT);
                m_backgroundWrapping.release();
            }
        }
        m_widget.setUpdatesEnabled(true);
        m_widget.viewport()->update();
    }
}

}  // namespace vellumar
