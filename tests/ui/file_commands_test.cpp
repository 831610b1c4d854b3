// The window's file commands with the dialogs answered by a script: new, open and save of the
// FB2 document and the source, the extension rules, failed saves, the unsaved-changes questions,
// View FB2 and the caption after each step.

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "scripted_window_test.h"
#include "ui/commands/command_interaction.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/file_names.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

using testing::ScriptedDialogs;

TEST(FileNames, ExtensionRules)
{
    struct Case {
        const char* path;
        const char* fb2;     // fb2SavePath
        const char* source;  // sourceSavePath
    };
    const Case cases[] = {
        {"/d/book.txt", "/d/book.fb2", "/d/book.htm"},   {"/d/book", "/d/book.fb2", "/d/book.htm"},
        {"/d/my.book", "/d/my.fb2", "/d/my.htm"},        {"/d/BOOK.FB2", "/d/BOOK.FB2", "/d/BOOK.htm"},
        {"/d/page.HTML", "/d/page.fb2", "/d/page.HTML"}, {"/d/page.htm", "/d/page.fb2", "/d/page.htm"},
        {"/a.b/book", "/a.b/book.fb2", "/a.b/book.htm"}, {"New", "New.fb2", "New.htm"},
        {"", ".fb2", ".htm"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fb2SavePath(QString::fromUtf8(c.path)), QString::fromUtf8(c.fb2)) << c.path;
        EXPECT_EQ(sourceSavePath(QString::fromUtf8(c.path)), QString::fromUtf8(c.source)) << c.path;
    }
    EXPECT_EQ(withExtension(QStringLiteral("/d/BOOK.FB2"), QStringLiteral(".fb2")), "/d/BOOK.fb2");
}

TEST(CommandInteraction, ShowsThreeReportsThenCountsTheRest)
{
    ScriptedDialogs dialogs;
    CommandInteraction user(dialogs, 1);
    for (int i = 0; i < 5; ++i) user.reportTokenizerProblem("> not found", "<p");
    EXPECT_EQ(dialogs.messages.size(), CommandInteraction::kShownReports);
    EXPECT_EQ(dialogs.messages.value(0), "> not found|<p");
    user.finish();
    ASSERT_EQ(dialogs.messages.size(), 4);
    EXPECT_EQ(dialogs.messages.last(), "Vellumar|2 more problems in the HTML");
    user.finish();
    EXPECT_EQ(dialogs.messages.size(), 4) << "the count is shown once";
}

TEST(CommandInteraction, WarningsOfOneCommandShareOneBox)
{
    ScriptedDialogs dialogs;
    CommandInteraction user(dialogs, 1);
    for (int i = 1; i <= CommandInteraction::kShownWarnings + 2; ++i)
        user.warn("picture " + std::to_string(i) + ".png not found");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "nothing while the work goes on";
    user.finish();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Vellumar|picture 1.png not found\npicture 2.png"));
    EXPECT_TRUE(dialogs.messages[0].endsWith("\n... and 2 more."));
}

class FileCommandsTest : public testing::ScriptedWindowTest {
protected:
    QString path(const char* name) const { return m_folder.filePath(QString::fromUtf8(name)); }
    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void trigger(ActionId id) { m_window->action(id)->trigger(); }
    FileCommands& commands() { return m_window->fileCommands(); }
    CodeEditor& source() { return *m_window->sourceEditor(); }
    CodeEditor& fb2() { return *m_window->fb2Editor(); }
    // Text typed by the user.
    static void type(CodeEditor& editor, const char* text)
    {
        editor.editor().select(0, 0);
        editor.editor().replaceSelection(text);
    }
    QStringList entries() const { return QDir(m_folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }
};

TEST_F(FileCommandsTest, SaveFb2AsWritesCrLfLinesAndSaveWritesThereAgain)
{
    fb2().setDocumentText("<a>\r\n<b/>");
    m_dialogs.saveNames = {path("book.fb2")};
    trigger(ActionId::SaveFb2As);
    EXPECT_EQ(read(path("book.fb2")), "<a>\r\n<b/>\r\n");
    EXPECT_EQ(m_window->windowTitle(), path("book.fb2")) << "the path alone";
    EXPECT_EQ(m_window->fb2FileName(), path("book.fb2"));
    EXPECT_EQ(commands().fb2SaveName(), path("book.fb2"));

    type(fb2(), "<c/>");
    trigger(ActionId::SaveFb2);
    EXPECT_EQ(m_dialogs.fileDialogs.size(), 1) << "no second question";
    EXPECT_EQ(read(path("book.fb2")), "<c/><a>\r\n<b/>\r\n");
    EXPECT_FALSE(fb2().hasUnsavedChanges());
    EXPECT_EQ(entries(), QStringList{"book.fb2"}) << "no temporary file is left behind";
}

TEST_F(FileCommandsTest, SaveFb2AsAppliesTheExtensionRuleAndConfirmsAReplacedOtherName)
{
    fb2().setDocumentText("new");
    write(path("book.fb2"), "old");
    m_dialogs.saveNames = {path("book.txt")};
    m_dialogs.replaceAnswers = {false};
    EXPECT_FALSE(commands().saveFb2As());
    EXPECT_EQ(m_dialogs.replaceQuestions, QStringList{path("book.fb2")});
    EXPECT_EQ(read(path("book.fb2")), "old");

    m_dialogs.saveNames = {path("book.txt")};
    m_dialogs.replaceAnswers = {true};
    EXPECT_TRUE(commands().saveFb2As());
    EXPECT_EQ(read(path("book.fb2")), "new\r\n");
    EXPECT_FALSE(QFile::exists(path("book.txt")));
    EXPECT_EQ(m_window->fb2FileName(), path("book.fb2"));
}

TEST_F(FileCommandsTest, CancelledSaveForgetsTheProposedName)
{
    commands().setFb2SaveName(QStringLiteral("proposed.fb2"));
    commands().setDocumentFolder(m_folder.path());
    m_dialogs.saveNames = {QString()};
    EXPECT_FALSE(commands().saveFb2As());
    EXPECT_EQ(m_dialogs.fileDialogs, QStringList{"SD " + path("proposed.fb2")}) << "offered in the document's folder";
    EXPECT_TRUE(commands().fb2SaveName().isEmpty());
    EXPECT_EQ(m_window->windowTitle(), "Vellumar");
}

TEST_F(FileCommandsTest, FailedSaveKeepsTheOldFileAndTheNames)
{
    fb2().setDocumentText("text");
    ASSERT_TRUE(QDir(m_folder.path()).mkpath(QStringLiteral("book.fb2/inside")));
    m_dialogs.saveNames = {path("book.fb2")};
    EXPECT_FALSE(commands().saveFb2As());
    ASSERT_EQ(m_dialogs.errors.size(), 1);
    EXPECT_TRUE(m_dialogs.errors[0].contains(path("book.fb2"))) << m_dialogs.errors[0].toStdString();
    EXPECT_TRUE(QDir(path("book.fb2/inside")).exists());
    EXPECT_EQ(entries(), QStringList{"book.fb2"}) << "no temporary file is left behind";
    EXPECT_TRUE(m_window->fb2FileName().isEmpty());
    EXPECT_EQ(m_window->windowTitle(), "Vellumar");
    EXPECT_EQ(commands().fb2SaveName(), path("book.fb2")) << "the dialog keeps the name as chosen";

    m_dialogs.saveNames = {path("missing/book.fb2")};
    EXPECT_FALSE(commands().saveFb2As());
    EXPECT_EQ(m_dialogs.errors.size(), 2);
}

TEST_F(FileCommandsTest, OpenFb2FileLoadsTheBytesAndTheNextSaveAsks)
{
    write(path("in.fb2"), "<a>\n<b>\xE0</b>");
    m_dialogs.openNames = {path("in.fb2")};
    trigger(ActionId::OpenFb2);
    EXPECT_EQ(fb2().editor().text(), "<a>\r\n<b>\xE0</b>");
    EXPECT_EQ(m_window->fb2FileName(), path("in.fb2"));
    EXPECT_FALSE(fb2().hasUnsavedChanges());
    EXPECT_EQ(m_window->windowTitle(), "Vellumar") << "the caption changes with the next page change";
    m_window->onPageChanged(MainWindow::Fb2Page);
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : " + path("in.fb2"));

    m_dialogs.saveNames = {QString()};
    trigger(ActionId::SaveFb2);
    EXPECT_EQ(m_dialogs.fileDialogs.last(), "SD ") << "asks with an empty name";
}

TEST_F(FileCommandsTest, OpenFb2FileThatCannotBeReadLeavesAnEmptyDocument)
{
    fb2().setDocumentText("before");
    m_window->setFb2FileName(path("before.fb2"));
    m_dialogs.openNames = {path("missing.fb2")};
    trigger(ActionId::OpenFb2);
    EXPECT_EQ(m_dialogs.errors.size(), 1);
    EXPECT_EQ(fb2().editor().text(), "");
    EXPECT_TRUE(m_window->fb2FileName().isEmpty());
}

TEST_F(FileCommandsTest, NewFb2DocumentEmptiesEverythingButTheCaption)
{
    fb2().setDocumentText("text");
    commands().setFb2SaveName(path("x.fb2"));
    m_window->setFb2FileName(path("x.fb2"));
    m_window->setWindowTitle(QStringLiteral("caption"));
    trigger(ActionId::NewFb2Document);
    EXPECT_EQ(fb2().editor().text(), "");
    EXPECT_TRUE(commands().fb2SaveName().isEmpty());
    EXPECT_TRUE(m_window->fb2FileName().isEmpty());
    EXPECT_EQ(m_window->tablePictureCounter(), 0);
    EXPECT_EQ(m_window->windowTitle(), "caption");
}

TEST_F(FileCommandsTest, SourceSavesFollowTheirRulesAndCaption)
{
    source().setDocumentText("<p>a</p>");
    m_dialogs.saveNames = {path("page.txt")};
    trigger(ActionId::SaveSource);
    EXPECT_EQ(read(path("page.htm")), "<p>a</p>\r\n");
    EXPECT_EQ(m_window->sourceFileName(), path("page.htm"));
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : " + path("page.htm"));

    type(source(), "x");
    trigger(ActionId::SaveSource);
    EXPECT_EQ(m_dialogs.fileDialogs.size(), 1) << "writes to the saved name without asking";
    EXPECT_EQ(read(path("page.htm")), "x<p>a</p>\r\n");

    m_dialogs.saveNames = {path("page.HTML")};
    trigger(ActionId::SaveSourceAs);
    EXPECT_TRUE(QFile::exists(path("page.HTML")));
    EXPECT_EQ(m_window->sourceFileName(), path("page.HTML"));
}

// Each command that replaces a document asks about unsaved changes, and each answer does what
// it says.
TEST_F(FileCommandsTest, UnsavedChangesAreNeverThrownAwayWithoutAQuestion)
{
    struct Case {
        const char* name;
        ActionId action;
        bool sourceEdited;
        UnsavedAnswer answer;
        bool replaced;  // whether the edited text is gone afterwards
    };
    const Case cases[] = {
        {"new source, cancel", ActionId::NewSourceDocument, true, UnsavedAnswer::Cancel, false},
        {"new source, discard", ActionId::NewSourceDocument, true, UnsavedAnswer::Discard, true},
        {"new source, save", ActionId::NewSourceDocument, true, UnsavedAnswer::Save, true},
        {"new FB2, cancel", ActionId::NewFb2Document, false, UnsavedAnswer::Cancel, false},
        {"new FB2, discard", ActionId::NewFb2Document, false, UnsavedAnswer::Discard, true},
        {"new FB2, save", ActionId::NewFb2Document, false, UnsavedAnswer::Save, true},
        {"open FB2, cancel", ActionId::OpenFb2, false, UnsavedAnswer::Cancel, false},
        {"open source, cancel", ActionId::OpenSource, true, UnsavedAnswer::Cancel, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CodeEditor& editor = c.sourceEdited ? source() : fb2();
        editor.setDocumentText("loaded");
        type(editor, "typed ");
        m_dialogs = ScriptedDialogs();
        m_dialogs.unsavedAnswers = {c.answer};
        const QString saved = path(c.sourceEdited ? "saved.htm" : "saved.fb2");
        if (c.answer == UnsavedAnswer::Save) m_dialogs.saveNames = {saved};
        trigger(c.action);
        EXPECT_EQ(m_dialogs.unsavedQuestions.size(), 1);
        EXPECT_EQ(editor.editor().text().empty(), c.replaced);
        if (c.answer == UnsavedAnswer::Save) {
            EXPECT_EQ(read(saved), "typed loaded\r\n");
        }
        if (c.answer == UnsavedAnswer::Cancel) {
            EXPECT_TRUE(m_dialogs.fileDialogs.isEmpty());
        }
        EXPECT_TRUE(m_dialogs.saveNames.empty());
    }
}

TEST_F(FileCommandsTest, TextTheProgramPutThereIsReplacedWithoutAQuestion)
{
    source().setDocumentText("loaded");
    fb2().setDocumentText("converted");
    // Showing the text in another code page is no change.
    m_window->findChild<QComboBox*>(QStringLiteral("ComboBox2"))->setCurrentText(QStringLiteral("OEM_CHARSET"));
    trigger(ActionId::NewSourceDocument);
    trigger(ActionId::NewFb2Document);
    EXPECT_TRUE(m_dialogs.unsavedQuestions.isEmpty());
    EXPECT_EQ(source().editor().text(), "");
}

// Changes undone again are no changes: the question follows the text as last loaded or saved,
// also across a change of the character set.
TEST_F(FileCommandsTest, UndoneChangesAreNoUnsavedChanges)
{
    auto* charsets = m_window->findChild<QComboBox*>(QStringLiteral("ComboBox2"));
    struct Case {
        const char* name;
        int typed;             // characters typed after loading
        int undone;            // of them undone
        bool saveAfterTyping;  // saved after typing, then undone
        bool changeCharset;    // a character set chosen at the end
        bool asked;
    };
    const Case cases[] = {
        {"typed and undone", 1, 1, false, false, false},
        {"typed twice, one undone", 2, 1, false, false, true},
        {"typed, undone, charset", 1, 1, false, true, false},
        {"typed, saved, nothing undone", 1, 0, true, false, false},
        {"typed, saved, undone", 1, 1, true, false, true},
        {"typed, saved, undone, charset", 1, 1, true, true, true},
        {"typed, saved, charset", 2, 0, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        charsets->setCurrentText(QStringLiteral("DEFAULT_CHARSET"));
        source().setDocumentText("loaded");
        for (int i = 0; i < c.typed; ++i) type(source(), "x");
        if (c.saveAfterTyping) {
            m_dialogs.saveNames = {path("saved.htm")};
            ASSERT_TRUE(commands().saveSourceHtmlAs());
        }
        for (int i = 0; i < c.undone; ++i) source().editor().undo();
        if (c.changeCharset) charsets->setCurrentText(QStringLiteral("SHIFTJIS_CHARSET"));
        EXPECT_EQ(source().hasUnsavedChanges(), c.asked);
        m_dialogs.unsavedQuestions.clear();
        m_dialogs.unsavedAnswers = {UnsavedAnswer::Discard};
        trigger(ActionId::NewSourceDocument);
        EXPECT_EQ(m_dialogs.unsavedQuestions.size(), c.asked ? 1 : 0);
        m_dialogs.unsavedAnswers.clear();
    }
}

TEST_F(FileCommandsTest, SaveCancelledInTheQuestionKeepsTheText)
{
    type(fb2(), "typed");
    m_dialogs.unsavedAnswers = {UnsavedAnswer::Save};
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::NewFb2Document);
    EXPECT_EQ(fb2().editor().text(), "typed");
}

TEST_F(FileCommandsTest, ClosingAsksForEachEditorAndCancelKeepsTheWindow)
{
    type(source(), "s");
    type(fb2(), "f");
    m_window->show();
    m_dialogs.unsavedAnswers = {UnsavedAnswer::Discard, UnsavedAnswer::Cancel};
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(m_dialogs.unsavedQuestions.size(), 2);

    m_dialogs.unsavedAnswers = {UnsavedAnswer::Discard, UnsavedAnswer::Discard};
    EXPECT_TRUE(m_window->close());
}

TEST_F(FileCommandsTest, ViewFb2SavesFirstAndHandsTheFileToTheDesktop)
{
    fb2().setDocumentText("<book/>");
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::ViewFb2);
    EXPECT_TRUE(m_dialogs.openedWithDesktop.isEmpty()) << "cancelled save: nothing to view";

    m_dialogs.saveNames = {path("view.fb2")};
    trigger(ActionId::ViewFb2);
    EXPECT_EQ(m_dialogs.openedWithDesktop, QStringList{path("view.fb2")});

    // The file was removed since: the save is offered again.
    QFile::remove(path("view.fb2"));
    m_dialogs.saveNames = {path("view.fb2")};
    m_dialogs.desktopOpens = false;
    trigger(ActionId::ViewFb2);
    EXPECT_TRUE(QFile::exists(path("view.fb2")));
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(m_dialogs.messages[0].contains("No program is set to open FB2 files")) << "said, not silent";
}

TEST_F(FileCommandsTest, ViewFileOfAMissingFileSaysSo)
{
    commands().viewFile(path("gone.fb2"));
    EXPECT_EQ(m_dialogs.messages, QStringList{"Vellumar|File " + path("gone.fb2") + " not exist."});
    commands().viewFile(QString());
    EXPECT_EQ(m_dialogs.messages.size(), 1);
}

}  // namespace
}  // namespace vellumar
