// Open... and Convert through the real main window, with the dialogs answered by a script:
// decoding and cleaning on open, pictures found from the document's folder, the book-info
// answers and the proposed names, the questions on the way, and the caption after each step.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include "scripted_window_test.h"
#include "ui/commands/command_interaction.h"
#include "ui/commands/conversion_commands.h"
#include "ui/commands/file_commands.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

using testing::ScriptedDialogs;

// "Белая ночь", "Щука", "Эхо" as UTF-8 and as windows-1251.
const char* const kTitleUtf8 = "Белая ночь";
constexpr std::string_view kTitle1251 = "\xC1\xE5\xEB\xE0\xFF \xED\xEE\xF7\xFC";
constexpr std::string_view kFirst1251 = "\xD9\xF3\xEA\xE0";
constexpr std::string_view kLast1251 = "\xDD\xF5\xEE";

class ConversionCommandsTest : public testing::ScriptedWindowTest {
protected:
    void SetUp() override
    {
        ScriptedWindowTest::SetUp();
        m_books = m_folder.filePath(QStringLiteral("Книги"));
        ASSERT_TRUE(QDir().mkpath(m_books + QStringLiteral("/img")));
    }

    QString book(const char* name) const { return m_books + '/' + QString::fromUtf8(name); }
    // A folder holding `script` as "soffice", to put in front of PATH.
    QString installOffice(const char* script) const
    {
        const QString bin = m_folder.filePath(QStringLiteral("bin"));
        EXPECT_TRUE(QDir().mkpath(bin));
        write(bin + QStringLiteral("/soffice"), script);
        QFile::setPermissions(bin + QStringLiteral("/soffice"), QFile::ReadOwner | QFile::ExeOwner);
        return bin;
    }
    static void write(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void trigger(ActionId id) { m_window->action(id)->trigger(); }
    std::string sourceText() const { return m_window->sourceEditor()->editor().text(); }
    std::string fb2Text() const { return m_window->fb2Editor()->editor().text(); }
    void showTitleInfo(bool on) { m_window->findChild<QCheckBox*>(QStringLiteral("ChBShowTitleInfo"))->setChecked(on); }
    void open(const QString& file)
    {
        m_dialogs.openNames = {file};
        trigger(ActionId::OpenSource);
    }

    QString m_books;
};

TEST_F(ConversionCommandsTest, OpenDecodesCleansAndNamesTheSourceNew)
{
    write(book("page.html"), QByteArray("<html><head><meta charset=\"utf-8\"><script>x()</script></head>\n<body><p>") +
                                 kTitleUtf8 + "</p></body></html>\n");
    open(book("page.html"));
    const std::string text = sourceText();
    EXPECT_NE(text.find(kTitle1251), std::string::npos) << "UTF-8 shown as windows-1251, not as mojibake";
    EXPECT_EQ(text.find("script"), std::string::npos) << "cleaned on the way in";
    EXPECT_EQ(text.find('\n') == std::string::npos || text.find("\r\n") != std::string::npos, true);
    EXPECT_EQ(m_window->sourceFileName(), "New");
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : New");
    EXPECT_EQ(m_window->fileCommands().documentFolder(), m_books);
    EXPECT_FALSE(m_window->sourceEditor()->hasUnsavedChanges());

    // "Save source HTML" asks for a name instead of overwriting the opened file.
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::SaveSource);
    EXPECT_EQ(m_dialogs.fileDialogs.last().left(9), "SDSource ");
}

TEST_F(ConversionCommandsTest, OpenDispatchesOnTheExtensionInAnyCase)
{
    struct Case {
        const char* file;
        bool loaded;
        const char* caption;
        const char* message;  // "" for none
    };
    const Case cases[] = {
        {"BOOK.HTM", true, "Vellumar : New", ""},
        {"notes.txt", false, "Vellumar : ", ""},
        {"page.xhtml", false, "Vellumar : ", ""},
        // Not an RTF inside: refused before LibreOffice starts, the reason on a second line.
        {"Story.RTF", false, "Vellumar : ",
         " не конвертирован.\nthe file is not an RTF document, its content does not match its extension"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        write(book(c.file), "<p>text</p>");
        m_dialogs = ScriptedDialogs();
        open(book(c.file));
        EXPECT_EQ(sourceText().empty(), !c.loaded);
        EXPECT_EQ(m_window->windowTitle(), QString::fromUtf8(c.caption));
        if (*c.message) {
            EXPECT_EQ(m_dialogs.messages, QStringList{"Vellumar|" + book(c.file) + QString::fromUtf8(c.message)});
        } else {
            EXPECT_TRUE(m_dialogs.messages.isEmpty());
        }
    }
}

// Stands in for LibreOffice: writes NAME.html (UTF-8, a heading "Глава") and the picture
// NAME_html_1.png it shows into the --outdir.
constexpr const char* kFakeOffice = R"(#!/bin/sh
while [ $# -gt 1 ]; do [ "$1" = --outdir ] && out=$2; shift; done
name=$(basename "$1")
mkdir -p "$out"
printf 'picture' > "$out/${name%.*}_html_1.png"
printf '<html><body><h1>\320\223\320\273\320\260\320\262\320\260</h1><p><img src="%s"></p></body></html>' \
  "${name%.*}_html_1.png" > "$out/${name%.*}.html"
)";

TEST_F(ConversionCommandsTest, OpenWordProcessorDocumentsThroughLibreOffice)
{
    const QString bin = installOffice(kFakeOffice);
    const QByteArray savedPath = qgetenv("PATH");
    struct Case {
        const char* file;
        QString path;  // PATH while LibreOffice is looked up
        bool loaded;
        const char* caption;
        const char* message;  // after the document's path; "" for none
    };
    const Case cases[] = {
        {"Old Book.rtf", bin + ':' + savedPath, true, "Vellumar : New", ""},
        {"other.docx", m_folder.filePath(QStringLiteral("none")), false, "Vellumar : ",
         " не конвертирован.\nLibreOffice is not installed (neither soffice nor libreoffice was found); "
         "install it, on Debian with: apt-get install libreoffice-writer-nogui"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray bytes = QByteArray(c.file).endsWith(".rtf") ? QByteArray("{\\rtf1 text}") : QByteArray("PK\3\4");
        write(book(c.file), bytes);
        m_dialogs = ScriptedDialogs();
        qputenv("PATH", c.path.toLocal8Bit());
        open(book(c.file));
        qputenv("PATH", savedPath);
        EXPECT_EQ(m_window->windowTitle(), QString::fromUtf8(c.caption));
        if (c.loaded) {
            // The HTML stays beside the document, under its name with "_" for spaces.
            EXPECT_TRUE(QFile::exists(book("Old_Book.htm")));
            EXPECT_NE(sourceText().find("\xC3\xEB\xE0\xE2\xE0"), std::string::npos) << sourceText();
            EXPECT_EQ(m_window->fileCommands().documentFolder(), m_books);
            EXPECT_TRUE(m_dialogs.messages.isEmpty());
        } else {
            EXPECT_EQ(sourceText(), "");
            EXPECT_EQ(m_dialogs.messages, QStringList{"Vellumar|" + book(c.file) + QString::fromUtf8(c.message)});
        }
        EXPECT_EQ(read(book(c.file)), bytes) << "the document is never changed";
    }
}

// Stands in for a LibreOffice that takes long; it would write the HTML only at the end.
constexpr const char* kSlowOffice = R"(#!/bin/sh
while [ $# -gt 1 ]; do [ "$1" = --outdir ] && out=$2; shift; done
name=$(basename "$1")
sleep 60
mkdir -p "$out"
printf '<html><body><p>late</p></body></html>' > "$out/${name%.*}.html"
)";

// A small dialog shows LibreOffice at work; its Cancel stops LibreOffice and leaves nothing
// behind: no HTML beside the document, the source page and the caption as they were, no message.
TEST_F(ConversionCommandsTest, CancelInTheProgressDialogStopsLibreOffice)
{
    const QString bin = installOffice(kSlowOffice);
    write(book("Old Book.rtf"), "{\\rtf1 text}");
    const QStringList before = QDir(m_books).entryList(QDir::Files);
    QString label;
    // Cancel is pressed once the dialog is there, as a user would.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* progress = m_window->findChild<QProgressDialog*>(QStringLiteral("WordConversionProgress"));
        if (progress == nullptr || !progress->isVisible()) return;
        label = progress->labelText();
        if (auto* cancel = progress->findChild<QPushButton*>()) QTest::mouseClick(cancel, Qt::LeftButton);
    });
    poll.start(50);
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit() + ':' + savedPath);
    open(book("Old Book.rtf"));
    qputenv("PATH", savedPath);
    poll.stop();
    EXPECT_TRUE(label.contains(QStringLiteral("Old Book.rtf"))) << label.toStdString();
    EXPECT_EQ(sourceText(), "");
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : ") << "as after any document that could not be opened";
    EXPECT_TRUE(m_dialogs.messages.isEmpty()) << m_dialogs.messages.join('\n').toStdString();
    EXPECT_EQ(QDir(m_books).entryList(QDir::Files), before) << "nothing left beside the document";
    EXPECT_EQ(m_window->findChild<QProgressDialog*>(QStringLiteral("WordConversionProgress")), nullptr);
}

// The user's own "Old_Book.htm" and a picture of the name LibreOffice gives stay as they are:
// the HTML goes to "Old_Book~2.htm", which the next open of the document replaces again.
TEST_F(ConversionCommandsTest, OpeningAWordProcessorDocumentNeverReplacesTheUsersFiles)
{
    const QString bin = installOffice(kFakeOffice);
    const QByteArray savedPath = qgetenv("PATH");
    write(book("Old Book.rtf"), "{\\rtf1 text}");
    write(book("Old_Book.htm"), "<p>my own page</p>");
    write(book("Old_Book~2_html_1.png"), "my own picture");

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        m_dialogs = ScriptedDialogs();
        qputenv("PATH", (bin + ':' + savedPath).toLocal8Bit());
        open(book("Old Book.rtf"));
        qputenv("PATH", savedPath);
        EXPECT_TRUE(m_dialogs.messages.isEmpty()) << m_dialogs.messages.join('\n').toStdString();
        EXPECT_NE(sourceText().find("Old_Book~2_html_1~2.png"), std::string::npos) << sourceText();
        EXPECT_EQ(read(book("Old_Book.htm")), "<p>my own page</p>");
        EXPECT_EQ(read(book("Old_Book~2_html_1.png")), "my own picture");
        EXPECT_EQ(read(book("Old_Book~2_html_1~2.png")), "picture");
        EXPECT_TRUE(read(book("Old_Book~2.htm")).contains("src=\"Old_Book~2_html_1~2.png\""));
        EXPECT_FALSE(QFile::exists(book("Old_Book~3.htm")));
        EXPECT_FALSE(QFile::exists(book("Old_Book~2_html_1~3.png")));
    }
}

TEST_F(ConversionCommandsTest, OpenCancelledOrUnreadableKeepsWhatTheDescriptionSays)
{
    m_window->sourceEditor()->setDocumentText("<p>before</p>");
    m_window->setWindowTitle(QStringLiteral("caption"));
    m_dialogs.openNames = {QString()};
    trigger(ActionId::OpenSource);
    EXPECT_EQ(sourceText(), "<p>before</p>");

    open(book("missing.htm"));
    ASSERT_EQ(m_dialogs.errors.size(), 1);
    EXPECT_TRUE(m_dialogs.errors[0].contains(book("missing.htm"))) << m_dialogs.errors[0].toStdString();
    EXPECT_EQ(sourceText(), "") << "emptied before reading";
    EXPECT_EQ(m_window->windowTitle(), "caption");
}

TEST_F(ConversionCommandsTest, ConvertWithAnEmptySourceOpensFirstAndCancelEndsQuietly)
{
    m_dialogs.openNames = {QString()};
    trigger(ActionId::Convert);
    EXPECT_EQ(m_dialogs.fileDialogs, QStringList{"OpenDialog1 "});
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
    EXPECT_EQ(fb2Text(), "");
}

TEST_F(ConversionCommandsTest, ConvertAsksTitleInformationAndSavesUnderTheProposedName)
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(book("img/pic.png"), "PNG"));
    write(book("story.htm"), "<html><body><h1>Chapter</h1><p>Some <b>bold</b> text.</p><img src=\"img/pic.png\">"
                             "</body></html>");
    open(book("story.htm"));

    m_dialogs.bookInfoAnswers = {BookInfoAnswers{std::string(kTitle1251), std::string(kFirst1251), std::string(kLast1251)}};
    m_dialogs.saveNames = {book("belaja_noch-shuka_eho.fb2")};
    trigger(ActionId::Convert);
    EXPECT_EQ(m_dialogs.bookInfoQuestions, 1);
    EXPECT_EQ(m_dialogs.fileDialogs.last(), "SD " + book("belaja_noch-shuka_eho.fb2"))
        << "the proposed name, in the document's folder";
    const std::string text = fb2Text();
    EXPECT_NE(text.find(std::string("<book-title>") + std::string(kTitle1251) + "</book-title>"), std::string::npos);
    EXPECT_NE(text.find("<strong>bold</strong>"), std::string::npos);
    EXPECT_NE(text.find("<binary"), std::string::npos) << "the picture was found from the document's folder";
    EXPECT_EQ(m_window->pages()->currentIndex(), MainWindow::Fb2Page);
    EXPECT_EQ(read(book("belaja_noch-shuka_eho.fb2")), QByteArray::fromStdString(text) + "\r\n");
    EXPECT_EQ(m_window->windowTitle(), book("belaja_noch-shuka_eho.fb2"));
    EXPECT_TRUE(m_dialogs.messages.isEmpty()) << m_dialogs.messages.join('\n').toStdString();

    // A second conversion proposes the name chosen at the first save.
    m_dialogs.bookInfoAnswers = {std::nullopt};
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::Convert);
    EXPECT_EQ(m_dialogs.fileDialogs.last(), "SD " + book("belaja_noch-shuka_eho.fb2"));
    EXPECT_NE(fb2Text().find("<book-title>Book Title</book-title>"), std::string::npos) << "cancelled: defaults";
}

TEST_F(ConversionCommandsTest, ProposedNamesWithoutTitleInformation)
{
    // Typed source, no document opened: "New.fb2" in the current folder, not a hidden ".fb2".
    showTitleInfo(false);
    m_window->sourceEditor()->setDocumentText("<html><body><p>typed</p></body></html>");
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::Convert);
    EXPECT_EQ(m_dialogs.bookInfoQuestions, 0);
    EXPECT_EQ(m_dialogs.fileDialogs.last(), "SD " + QDir::current().filePath(QStringLiteral("New.fb2")));

    // An opened document: its own name with .fb2 in its folder; the cancelled save was forgotten.
    write(book("a.html"), "<html><body><p>a</p></body></html>");
    open(book("a.html"));
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::Convert);
    EXPECT_EQ(m_dialogs.fileDialogs.last(), "SD " + book("a.fb2"));

    // Confirmed with an empty title: no name proposed from it.
    showTitleInfo(true);
    m_dialogs.bookInfoAnswers = {BookInfoAnswers{"", "First", "Last"}};
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::Convert);
    EXPECT_EQ(m_dialogs.fileDialogs.last(), "SD " + book("a.fb2"));
    EXPECT_NE(fb2Text().find("<first-name>First</first-name>"), std::string::npos);
}

// After a book was saved, a document opened from another folder proposes its own book, never
// the first one's file.
TEST_F(ConversionCommandsTest, AnotherDocumentProposesItsOwnBook)
{
    showTitleInfo(false);
    ASSERT_TRUE(QDir().mkpath(m_folder.filePath(QStringLiteral("other"))));
    const QString second = m_folder.filePath(QStringLiteral("other/b.htm"));
    write(book("a.htm"), "<html><body><p>a</p></body></html>");
    write(second, "<html><body><p>b</p></body></html>");
    struct Step {
        QString document;
        BookInfoAnswers answers;  // with "Show title information"; empty title: none asked
        QString proposed;
    };
    const Step steps[] = {
        {book("a.htm"), {}, book("a.fb2")},
        {second, {}, m_folder.filePath(QStringLiteral("other/b.fb2"))},
        {book("a.htm"), {std::string(kTitle1251), "", ""}, book("belaja_noch.fb2")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.document.toStdString());
        open(step.document);
        showTitleInfo(!step.answers.title.empty());
        if (!step.answers.title.empty()) m_dialogs.bookInfoAnswers = {step.answers};
        m_dialogs.saveNames = {step.proposed};
        m_dialogs.unsavedAnswers = {UnsavedAnswer::Discard};
        trigger(ActionId::Convert);
        EXPECT_EQ(m_dialogs.fileDialogs.last(), "SD " + step.proposed);
        EXPECT_TRUE(QFile::exists(step.proposed));
    }
}

TEST_F(ConversionCommandsTest, ConvertAsksBeforeReplacingAnEditedBook)
{
    showTitleInfo(false);
    m_window->sourceEditor()->setDocumentText("<html><body><p>new</p></body></html>");
    m_window->fb2Editor()->setDocumentText("<book/>");
    m_window->fb2Editor()->editor().replaceSelection("edited ");
    m_dialogs.unsavedAnswers = {UnsavedAnswer::Cancel};
    trigger(ActionId::Convert);
    EXPECT_EQ(fb2Text(), "edited <book/>");
    EXPECT_TRUE(m_dialogs.fileDialogs.isEmpty());

    m_dialogs.unsavedAnswers = {UnsavedAnswer::Discard};
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::Convert);
    EXPECT_NE(fb2Text().find("<p>new</p>"), std::string::npos);
    EXPECT_FALSE(m_window->fb2Editor()->hasUnsavedChanges()) << "the program's own text";
}

TEST_F(ConversionCommandsTest, TokenizerReportsAreCappedPerConversion)
{
    showTitleInfo(false);
    std::string broken = "<html><body>";
    for (int i = 0; i < 6; ++i) broken += "<p =a>x</p><img =b><a =c>y</a><table =d><tr><td =e>z</td></tr></table>";
    m_window->sourceEditor()->setDocumentText(broken);
    m_dialogs.saveNames = {QString()};
    trigger(ActionId::Convert);
    ASSERT_EQ(m_dialogs.messages.size(), CommandInteraction::kShownReports + 1)
        << m_dialogs.messages.join('\n').toStdString();
    EXPECT_TRUE(m_dialogs.messages.last().contains("more problem")) << m_dialogs.messages.join('\n').toStdString();
}

}  // namespace
}  // namespace vellumar
