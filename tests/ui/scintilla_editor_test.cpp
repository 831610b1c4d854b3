// The QScintilla editor as the commands see it: 8-bit text in a code page, positions that count
// bytes of that text (a line break two), undo, and the FB2 tag commands on the real widget.

#include <QComboBox>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editing/tag_commands.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

// "Привет" and "мир" in windows-1251.
const std::string kHello = "\xCF\xF0\xE8\xE2\xE5\xF2";
const std::string kWorld = "\xEC\xE8\xF0";

long widgetSelectionStart(const CodeEditor& memo)
{
    return memo.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
}

TEST(ScintillaEditor, TextRoundTripsAndLineBreaksBecomeCrLf)
{
    CodeEditor memo(SyntaxColouring::Xml);
    ScintillaEditor& editor = memo.editor();
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {kHello, kHello},
        {kHello + "\r\n" + kWorld, kHello + "\r\n" + kWorld},
        {"a\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
        {std::string("\x98\xFF\x80", 3), std::string("\x98\xFF\x80", 3)},  // 0x98 has no letter in windows-1251
    };
    for (const auto& [input, expected] : cases) {
        editor.setText(input);
        EXPECT_EQ(editor.text(), expected);
        EXPECT_EQ(editor.selectionStart(), 0U);
        EXPECT_FALSE(editor.canUndo());
    }
    editor.setText(kHello);
    EXPECT_EQ(memo.text(), QString::fromUtf8("Привет"));
}

TEST(ScintillaEditor, PositionsCountBytesOfThe8BitText)
{
    CodeEditor memo(SyntaxColouring::Html);
    ScintillaEditor& editor = memo.editor();
    // 6 letters, a line break, "ab", 3 letters: positions 0..5, 6..7, 8..9, 10..12.
    editor.setText(kHello + "\r\nab" + kWorld);
    struct Case {
        std::size_t start, length;
        std::string selected;
        long widgetStart;  // UTF-8 bytes: each Cyrillic letter takes two
    };
    const Case cases[] = {
        {0, 6, kHello, 0},
        {3, 2, "\xE2\xE5", 6},
        {6, 2, "\r\n", 12},
        {8, 2, "ab", 14},
        {8, 5, "ab" + kWorld, 14},
        {5, 4, "\xF2\r\na", 10},
        {10, 100, kWorld, 16},  // clamped to the end
        {10, SIZE_MAX, kWorld, 16},
        {13, 0, "", 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        editor.select(c.start, c.length);
        EXPECT_EQ(editor.selectedText(), c.selected);
        EXPECT_EQ(editor.selectionStart(), c.start);
        EXPECT_EQ(editor.selectionLength(), c.selected.size());
        EXPECT_EQ(widgetSelectionStart(memo), c.widgetStart);
    }
    // A position inside the line break moves to its start.
    editor.select(7, 0);
    EXPECT_EQ(editor.selectionStart(), 6U);
}

TEST(ScintillaEditor, ReplaceSelectionIsOneUndoStepAndLeavesTheCaretAfter)
{
    CodeEditor memo(SyntaxColouring::Xml);
    ScintillaEditor& editor = memo.editor();
    editor.setText(kHello + "\r\n" + kWorld);
    editor.select(8, 3);
    editor.replaceSelection("<v>" + kWorld + "</v>\r\n");
    EXPECT_EQ(editor.text(), kHello + "\r\n<v>" + kWorld + "</v>\r\n");
    EXPECT_EQ(editor.selectionStart(), editor.text().size());
    EXPECT_EQ(editor.selectionLength(), 0U);
    ASSERT_TRUE(editor.canUndo());
    editor.undo();
    EXPECT_EQ(editor.text(), kHello + "\r\n" + kWorld);
    EXPECT_FALSE(editor.canUndo());

    // Nothing to replace and nothing to insert: no edit at all.
    editor.select(2, 0);
    editor.replaceSelection("");
    EXPECT_FALSE(editor.canUndo());
    // A lone line feed is written as a line break.
    editor.replaceSelection("x\ny");
    EXPECT_EQ(editor.text(), kHello.substr(0, 2) + "x\r\ny" + kHello.substr(2) + "\r\n" + kWorld);
    EXPECT_EQ(editor.selectionStart(), 6U);
}

TEST(ScintillaEditor, CharactersTheCodePageLacksBecomeReferences)
{
    CodeEditor memo(SyntaxColouring::Xml);
    ScintillaEditor& editor = memo.editor();
    editor.setText("ab");
    memo.insertAt(QString::fromUtf8("中"), 0, 1);
    EXPECT_EQ(editor.text(), "a&#20013;b");
    editor.select(9, 1);
    EXPECT_EQ(editor.selectedText(), "b");
    editor.select(0, 9);
    EXPECT_EQ(editor.selectedText(), "a&#20013;");
}

TEST(ScintillaEditor, SwitchingTheCodePageShowsTheSameBytesAnew)
{
    CodeEditor memo(SyntaxColouring::Xml);
    ScintillaEditor& editor = memo.editor();
    const std::string bytes = std::string("\xC0\xE9\x81 ") + kWorld;
    editor.setText(bytes);
    editor.select(1, 2);
    const std::pair<const char*, const char*> shown[] = {
        {"WINDOWS-1251", "Ай\xD0\x83 мир"},
        {"WINDOWS-1252", "Àé\xEF\x9E\x81 ìèð"},  // 0x81 is undefined there and kept as it is
        {"CP866", "└щ\xD0\x91 ьшЁ"},
        {"WINDOWS-1251", "Ай\xD0\x83 мир"},
    };
    for (const auto& [codePage, text] : shown) {
        SCOPED_TRACE(codePage);
        editor.setCodePage(codePage);
        EXPECT_EQ(editor.codePage(), codePage);
        EXPECT_EQ(memo.text(), QString::fromUtf8(text));
        EXPECT_EQ(editor.text(), bytes);
        EXPECT_EQ(editor.selectionStart(), 1U);
        EXPECT_EQ(editor.selectionLength(), 2U);
    }
}

TEST(ScintillaEditor, UndoHistoryOutlivesACodePageChange)
{
    CodeEditor memo(SyntaxColouring::Html);
    ScintillaEditor& editor = memo.editor();
    editor.setText(kHello);
    // Three edits: a word after the text, one before it, and a removal; the last is undone
    // before the change, so it must stay redoable.
    editor.select(kHello.size(), 0);
    editor.replaceSelection(" " + kWorld);
    editor.select(0, 0);
    editor.replaceSelection("<p>");
    editor.select(3, 2);
    editor.replaceSelection("");
    editor.undo();
    const std::string beforeChange = editor.text();
    ASSERT_EQ(beforeChange, "<p>" + kHello + " " + kWorld);
    editor.select(3, 4);

    editor.setCodePage("CP866");
    EXPECT_EQ(editor.text(), beforeChange);
    EXPECT_EQ(editor.selectionStart(), 3U);
    EXPECT_EQ(editor.selectionLength(), 4U);
    ASSERT_TRUE(memo.isRedoAvailable()) << "the undone removal is redoable still";
    memo.redo();
    EXPECT_EQ(editor.text(), "<p>" + kHello.substr(2) + " " + kWorld);
    memo.undo();
    EXPECT_EQ(editor.text(), beforeChange);

    editor.setCodePage("WINDOWS-1251");
    EXPECT_EQ(memo.text(), QString::fromUtf8("<p>Привет мир"));
    ASSERT_TRUE(editor.canUndo());
    editor.undo();
    EXPECT_EQ(editor.text(), kHello + " " + kWorld);
    editor.undo();
    EXPECT_EQ(editor.text(), kHello);
    EXPECT_FALSE(editor.canUndo()) << "the text the program set is the oldest";
}

TEST(MainWindowCharset, ChoosingACharsetKeepsTheEditorsUndoAndUnsavedState)
{
    setProgramFolder(QStringLiteral("/nonexistent"));
    MainWindow form;
    form.fb2Editor()->setDocumentText(kWorld);
    form.fb2Editor()->editor().select(0, 0);
    form.fb2Editor()->editor().replaceSelection("<p>");
    ASSERT_TRUE(form.fb2Editor()->hasUnsavedChanges());
    form.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->setCurrentText(QStringLiteral("OEM_CHARSET"));
    EXPECT_TRUE(form.fb2Editor()->hasUnsavedChanges());
    ASSERT_TRUE(form.fb2Editor()->editor().canUndo());
    form.fb2Editor()->editor().undo();
    EXPECT_EQ(form.fb2Editor()->editor().text(), kWorld);
    setProgramFolder(QString());
}

TEST(ScintillaEditor, DoubleByteCodePageCountsTwoPerCharacter)
{
    CodeEditor memo(SyntaxColouring::Xml);
    ScintillaEditor& editor = memo.editor();
    editor.setCodePage("CP932");
    const std::string bytes = "a\x82\xA0\r\nb";  // "a", hiragana A, line break, "b"
    editor.setText(bytes);
    EXPECT_EQ(memo.text(), QString::fromUtf8("aあ\r\nb"));
    editor.select(5, 1);
    EXPECT_EQ(editor.selectedText(), "b");
    editor.select(1, 2);
    EXPECT_EQ(editor.selectedText(), "\x82\xA0");
    EXPECT_EQ(editor.text(), bytes);
}

TEST(ScintillaEditor, UpdatesNestAndRepaintAtTheEnd)
{
    CodeEditor memo(SyntaxColouring::Html);
    ScintillaEditor& editor = memo.editor();
    {
        EditorUpdateGuard outer(editor);
        EditorUpdateGuard inner(editor);
        EXPECT_FALSE(memo.updatesEnabled());
    }
    EXPECT_TRUE(memo.updatesEnabled());
    editor.endUpdate();  // unbalanced: ignored
    EXPECT_TRUE(memo.updatesEnabled());
}

// The tag commands on the real editor: text, caret and one undo step, as on any editor.
TEST(ScintillaEditor, TagCommandsWrapTheSelectionAsOneUndoStep)
{
    struct Case {
        TagCommand command;
        std::size_t start, length;
        std::string expected;
    };
    const std::string text = "<p>" + kHello + "</p>\r\n<P>" + kWorld + "</P>";
    const Case cases[] = {
        {TagCommand::Epigraph, 0, 0, "<epigraph></epigraph>" + text},
        {TagCommand::Paragraph, 0, 0, "\r\n<p></p>\r\n" + text},
        {TagCommand::Strong, 3, 6, "<p><strong>" + kHello + "</strong></p>\r\n<P>" + kWorld + "</P>"},
        {TagCommand::Stanza, 0, text.size(),
         "<stanza>\r\n<v>" + kHello + "</v>\r\n<v>" + kWorld + "</v></stanza>"},
        {TagCommand::Poem, 0, 13, "<poem>\r\n<p>" + kHello + "</p>\r\n</poem>\r\n<P>" + kWorld + "</P>"},
        {TagCommand::EmptyLine, 3, 6, "<p><empty-line/></p>\r\n<P>" + kWorld + "</P>"},
    };
    CodeEditor memo(SyntaxColouring::Xml);
    ScintillaEditor& editor = memo.editor();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        editor.setText(text);
        editor.select(c.start, c.length);
        wrapSelection(editor, c.command);
        EXPECT_EQ(editor.text(), c.expected);
        const std::size_t inserted = c.expected.size() - (text.size() - c.length);
        EXPECT_EQ(editor.selectionStart(), c.start + inserted);
        EXPECT_EQ(editor.selectionLength(), 0U);
        editor.undo();
        EXPECT_EQ(editor.text(), text);
        EXPECT_FALSE(editor.canUndo());
    }
}

TEST(MainWindowCharset, ChoosingACharsetRedisplaysBothEditors)
{
    setProgramFolder(QStringLiteral("/nonexistent"));
    MainWindow form;
    form.sourceEditor()->editor().setText(kHello);
    form.fb2Editor()->editor().setText(kWorld);
    auto* charsets = form.findChild<QComboBox*>(QStringLiteral("ComboBox2"));
    EXPECT_EQ(form.sourceEditor()->editor().codePage(), "WINDOWS-1251");

    charsets->setCurrentText(QStringLiteral("OEM_CHARSET"));
    EXPECT_EQ(form.sourceEditor()->editor().codePage(), "CP866");
    EXPECT_EQ(form.fb2Editor()->editor().codePage(), "CP866");
    EXPECT_EQ(form.fb2Editor()->editor().text(), kWorld);

    charsets->setCurrentText(QStringLiteral("RUSSIAN_CHARSET"));
    EXPECT_EQ(form.fb2Editor()->text(), QString::fromUtf8("мир"));
    EXPECT_EQ(form.sourceEditor()->text(), QString::fromUtf8("Привет"));

    // No entry selected: the default character set.
    charsets->setCurrentText(QStringLiteral("GREEK_CHARSET"));
    charsets->setCurrentIndex(-1);
    EXPECT_EQ(form.sourceEditor()->editor().codePage(), "WINDOWS-1251");
    setProgramFolder(QString());
}

// The character set changes how the editors show their bytes, never the bytes: through every
// entry of the list, in order and back, a Russian page loaded while any of them is chosen and
// every byte value survive, the editors stay unchanged and the undo history stays.
TEST(MainWindowCharset, EveryCharsetKeepsTheEditorsBytes)
{
    setProgramFolder(QStringLiteral("/nonexistent"));
    MainWindow form;
    auto* charsets = form.findChild<QComboBox*>(QStringLiteral("ComboBox2"));
    std::string allBytes;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') allBytes.push_back(static_cast<char>(b));  // line breaks become CR LF
    const std::string page = "<p>" + kHello + " " + kWorld + "</p>\r\n\x81\xFF\x98 " + allBytes;
    form.fb2Editor()->setDocumentText(page);
    form.fb2Editor()->editor().select(0, 0);
    form.fb2Editor()->editor().replaceSelection("<a/>");
    const std::string edited = form.fb2Editor()->editor().text();
    std::vector<int> order;
    for (int i = 0; i < charsets->count(); ++i) order.push_back(i);
    for (int i = charsets->count(); i-- > 0;) order.push_back(i);
    for (const int index : order) {
        const QString name = charsets->itemText(index);
        SCOPED_TRACE(name.toStdString());
        charsets->setCurrentIndex(index);
        // A page loaded while this character set is chosen, as a stored choice does at start.
        form.sourceEditor()->setDocumentText(page);
        EXPECT_EQ(form.sourceEditor()->editor().text(), page);
        EXPECT_FALSE(form.sourceEditor()->hasUnsavedChanges());
        EXPECT_EQ(form.fb2Editor()->editor().text(), edited);
        EXPECT_TRUE(form.fb2Editor()->hasUnsavedChanges());
    }
    charsets->setCurrentText(QStringLiteral("SHIFTJIS_CHARSET"));
    ASSERT_TRUE(form.fb2Editor()->editor().canUndo());
    form.fb2Editor()->editor().undo();
    EXPECT_EQ(form.fb2Editor()->editor().text(), page);
    setProgramFolder(QString());
}

}  // namespace
}  // namespace vellumar
