#pragma once
// The editor operations on a QScintilla widget. QScintilla holds its text as UTF-8 and counts
// positions in UTF-8 bytes; the program counts positions in bytes of its 8-bit text. This adapter
// decodes the 8-bit text in the chosen code page for display, encodes it back when the text is
// read, and converts every position between the two.

#include <memory>
#include <string>
#include <string_view>

#include "editing/editor.h"
#include "ui/editor/background_wrapping.h"

class QsciScintilla;

namespace vellumar {

class CodePageCodec;

class ScintillaEditor : public Editor {
public:
    // The widget must outlive the adapter. The code page starts as windows-1251.
    explicit ScintillaEditor(QsciScintilla& widget);
    ~ScintillaEditor() override;

    // Shows the same 8-bit text decoded in another code page (an iconv name); the text's bytes
    // do not change, and the selection and the undo history (with what can be redone) are kept.
    // Throws EncodingError for a code page that iconv does not know, and then nothing changes.
    void setCodePage(std::string_view codePage);
    const std::string& codePage() const;

    std::string text() const override;
    void setText(std::string_view text) override;
    std::string selectedText() const override;
    std::size_t selectionStart() const override;
    std::size_t selectionLength() const override;
    void select(std::size_t start, std::size_t length) override;
    void replaceSelection(std::string_view text) override;
    bool canUndo() const override;
    void undo() override;
    void beginUpdate() override;
    void endUpdate() override;

    // Whether the lines not shown yet are left unwrapped (a large text, background_wrapping.h).
    bool wrapsOnlyLinesShown() const { return m_backgroundWrapping.held(); }
    // Texts of more UTF-8 bytes than this are wrapped only as far as they are shown.
    static constexpr std::size_t kWrapShownOnlyAbove = 2 * 1024 * 1024;

private:
    // 8-bit text as the widget holds it: UTF-8 with CR LF line breaks.
    std::string widgetText(std::string_view text) const;
    // The widget's whole text as UTF-8, valid until the text changes.
    std::string_view utf8Text() const;
    // A position of the 8-bit text as a UTF-8 position of the widget, never inside a CR LF pair.
    long toWidgetPosition(std::size_t position) const;

    QsciScintilla& m_widget;
    const CodePageCodec* m_codec;
    int m_updateDepth = 0;
    long m_wrapMode = 0;  // the widget's wrap mode while repainting is suspended
    BackgroundWrapping m_backgroundWrapping;
};

}  // namespace vellumar
