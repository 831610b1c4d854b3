#include "ui/dialogs/help_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

namespace vellumar {
namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_window.setProgramFolder(m_folder.path());
        m_window.setMessageSink([this](const QString& message) { m_messages << message; });
    }
    QString shownText() const { return m_window.findChild<QPlainTextEdit*>("Memo1")->toPlainText(); }

    QTemporaryDir m_folder;
    HelpWindow m_window;
    QStringList m_messages;
};

TEST_F(HelpWindowTest, NamesCaptionAndReadOnlyText)
{
    EXPECT_EQ(m_window.objectName(), "Form4");
    EXPECT_EQ(m_window.windowTitle(), "Help");
    auto* memo = m_window.findChild<QPlainTextEdit*>("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(HelpWindowTest, PathsOfTheHelpFileHaveNoDoubleSeparator)
{
    EXPECT_EQ(m_window.helpFilePath(), m_folder.path() + "/help.txt");
    EXPECT_EQ(m_window.installedHelpFilePath(), QDir::cleanPath(m_folder.path() + "/../share/vellumar/help.txt"));
}

TEST_F(HelpWindowTest, LoadsTheFileLinesEveryTime)
{
    writeFile(m_folder.filePath("help.txt"), "First line\r\nSecond line\r\n");
    EXPECT_TRUE(m_window.loadHelpText());
    EXPECT_EQ(shownText(), "First line\nSecond line\n");
    writeFile(m_folder.filePath("help.txt"), "Changed\n");
    EXPECT_TRUE(m_window.loadHelpText());
    EXPECT_EQ(shownText(), "Changed\n");
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(HelpWindowTest, ReadsUtf8AndWindows1251Files)
{
    writeFile(m_folder.filePath("help.txt"), "\xCF\xF0\xE8\xE2\xE5\xF2");  // windows-1251
    m_window.loadHelpText();
    EXPECT_EQ(shownText(), QString::fromUtf8("Привет"));
    writeFile(m_folder.filePath("help.txt"), "\xEF\xBB\xBFHello \xD0\x9C\xD0\xB8\xD1\x80");  // UTF-8 with BOM
    m_window.loadHelpText();
    EXPECT_EQ(shownText(), QString::fromUtf8("Hello Мир"));
}

TEST_F(HelpWindowTest, MissingFileGivesMessageAndKeepsTheOldText)
{
    EXPECT_FALSE(m_window.loadHelpText());
    ASSERT_EQ(m_messages.size(), 1);
    // The installed place, as a clean path (not "bin//help.txt").
    EXPECT_EQ(m_messages[0], QDir::cleanPath(m_folder.path() + "/../share/vellumar/help.txt") + " not found.");
    EXPECT_TRUE(shownText().isEmpty());

    writeFile(m_folder.filePath("help.txt"), "Kept\n");
    m_window.loadHelpText();
    QFile::remove(m_folder.filePath("help.txt"));
    EXPECT_FALSE(m_window.loadHelpText());
    EXPECT_EQ(m_messages.size(), 2);
    EXPECT_EQ(shownText(), "Kept\n");
}

TEST_F(HelpWindowTest, InstalledProgramFindsTheSharedHelpText)
{
    // bin/ beside share/vellumar/, as cmake --install lays them out.
    ASSERT_TRUE(QDir(m_folder.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(m_folder.path()).mkpath("share/vellumar"));
    writeFile(m_folder.filePath("share/vellumar/help.txt"), "Installed\n");
    m_window.setProgramFolder(m_folder.filePath("bin"));
    EXPECT_TRUE(m_window.loadHelpText());
    EXPECT_EQ(shownText(), "Installed\n");
}

TEST_F(HelpWindowTest, ExecLoadsBeforeShowing)
{
    writeFile(m_folder.filePath("help.txt"), "Shown\n");
    QString textWhenShown;
    QTimer::singleShot(0, &m_window, [&] {
        textWhenShown = shownText();
        m_window.accept();
    });
    m_window.exec();
    EXPECT_EQ(textWhenShown, "Shown\n");
}

// The shipped help describes this program: its document kinds, keys and files, and nothing of
// another program's.
TEST(ShippedHelp, DescribesTheProgramAsItIs)
{
    QFile file(QStringLiteral(VELLUMAR_DATA_DIR "/help.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString help = QString::fromUtf8(file.readAll());
    for (const char* present : {".docx", ".odt", "LibreOffice", "F8", "Shift+F10", "xlink:href", "Check FB2",
                                "share/vellumar/help.txt", "~/.config/vellumar/vellumar.ini", "vellumar-convert"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(present))) << present;
    for (const char* absent : {"Microsoft Word", "<program>.ini", "l:href"})
        EXPECT_FALSE(help.contains(QString::fromUtf8(absent))) << absent;
}

}  // namespace
}  // namespace vellumar
