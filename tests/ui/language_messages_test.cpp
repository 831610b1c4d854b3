// The program's messages in the language files: the shipped Russian file words every English
// text, the converter's texts are worded by their forms, and a language file whose every message
// is marked shows its marks on every message path of the window.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QTreeWidget>

#include <set>

#include "message_box_catcher.h"
#include "scripted_window_test.h"
#include "settings/ini_file.h"
#include "settings_fixture.h"
#include "ui/commands/conversion_commands.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/images_commands.h"
#include "ui/commands/word_conversion.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/desktop_dialogs.h"
#include "ui/dialogs/help_window.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/converter_texts.h"
#include "ui/settings/interface_language.h"
#include "ui/settings/message_texts.h"
#include "ui/widgets/book_check_panel.h"
#include "ui/window/application_windows.h"

namespace vellumar {
namespace {

const std::filesystem::path kShipped = VELLUMAR_DATA_DIR;
const QString kMark = QString::fromUtf8("»");

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The accelerator letter of a caption ("За&крыть" gives "к"), or an empty text.
QString accelerator(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.mid(i + 1, 1).toLower();
    }
    return {};
}

std::set<QString> detailsOf(const QString& text)
{
    std::set<QString> details;
    static const QRegularExpression detail(QStringLiteral("%[1-9]"));
    for (QRegularExpressionMatchIterator it = detail.globalMatch(text); it.hasNext();)
        details.insert(it.next().captured());
    return details;
}

// The interface speaks English again after every test.
void resetLanguage()
{
    resetLanguageMessages();
    useInterfaceLanguage(QStringLiteral("en"));
}

// A language file whose every message begins with the mark; the texts are the English ones.
void writeMarkedLanguageFile(const QString& path)
{
    IniFile file(std::filesystem::path(path.toStdString()));
    for (const MessageRow& row : messageRows()) {
        std::string text = std::string("»") + row.english;
        for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos;) text.replace(at, 1, "\\n");
        file.writeString(kMessagesSection, row.key, text);
    }
    file.save();
}

TEST(ShippedLanguageFiles, RussianWordsEveryEnglishText)
{
    const IniFile english(kShipped / "Vellumar_eng.lng");
    const IniFile russian(kShipped / "Vellumar_ru.lng");
    for (const std::string& section : english.sections()) {
        for (const std::string& key : english.keys(section)) {
            SCOPED_TRACE(section + '/' + key);
            const std::optional<std::string> translated = russian.value(section, key);
            ASSERT_TRUE(translated);
            const QString englishText = fromUtf8(*english.value(section, key));
            const QString russianText = fromUtf8(*translated);
            EXPECT_FALSE(russianText.isEmpty());
            EXPECT_EQ(accelerator(englishText).isEmpty(), accelerator(russianText).isEmpty())
                << russianText.toStdString();
            // A message names what the English one names: a lost "%1" would lose the file's name.
            EXPECT_EQ(detailsOf(englishText), detailsOf(russianText)) << russianText.toStdString();
        }
    }
    // Every message of the program (the English file is checked against the built-in texts
    // where the windows' texts are).
    for (const MessageRow& row : messageRows()) EXPECT_TRUE(russian.value(kMessagesSection, row.key)) << row.key;
    EXPECT_EQ(russian.readString("Form1", kLanguageCodeKey, ""), "ru");
}

// In a dialog, Alt and a letter reaches one button.
TEST(ShippedLanguageFiles, RussianDialogsGiveEachButtonItsOwnLetter)
{
    const IniFile russian(kShipped / "Vellumar_ru.lng");
    for (const char* section : {"FBookInfo", "FFind", "FReplace"}) {
        std::set<QString> letters;
        for (const std::string& key : russian.keys(section)) {
            const QString letter = accelerator(fromUtf8(russian.readString(section, key, "")));
            if (letter.isEmpty()) continue;
            EXPECT_TRUE(letters.insert(letter).second) << section << '/' << key << " repeats " << letter.toStdString();
        }
    }
    // One word for one thing: the same English text has one Russian text in every dialog.
    EXPECT_EQ(russian.readString("FFind", "Label1", ""), russian.readString("FReplace", "Label1", ""));
    EXPECT_EQ(russian.readString("FFind", "ButClose", ""), russian.readString("FReplace", "ButClose", ""));
    EXPECT_NE(russian.readString("Form1", "Act_NewHTMLDoc", ""), russian.readString("Form1", "Act_NewFB2Doc", ""));
}

class MessageWordingTest : public ::testing::Test {
protected:
    void TearDown() override { resetLanguage(); }

    // Takes `messages` ("Key=Text" lines) as a language file's "Messages" section.
    static void useMessages(const char* messages)
    {
        applyLanguageMessages(IniFile::fromBytes("test.lng", std::string("[Messages]\n") + messages));
    }
};

TEST_F(MessageWordingTest, DetailsTakeTheirPlacesInOnePass)
{
    struct Case {
        const char* pattern;
        QStringList details;
        const char* filled;
    };
    const Case cases[] = {
        {"%1 and %2", {"a", "b"}, "a and b"},
        {"%2 before %1", {"a", "b"}, "b before a"},
        // A detail that holds "%2" is not filled again.
        {"%1: %2", {"50%2 off", "x"}, "50%2 off: x"},
        {"%1 of %3", {"a"}, "a of %3"},
        {"100% sure", {"a"}, "100% sure"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fillMessage(QString::fromUtf8(c.pattern), c.details), QString::fromUtf8(c.filled)) << c.pattern;
}

TEST_F(MessageWordingTest, LineBreaksAndBackslashesSurviveTheFile)
{
    useMessages("UnsavedSource=first\\nsecond \\\\n \\x\n");
    EXPECT_EQ(messageText(MessageId::UnsavedSource), QStringLiteral("first\nsecond \\n \\x"));
    IniFile written = IniFile::fromBytes("out.lng", "");
    writeLanguageMessages(written);
    EXPECT_EQ(written.readString(kMessagesSection, "UnsavedSource", ""), "first\\nsecond \\\\n \\\\x");
    resetLanguageMessages();
    applyLanguageMessages(written);
    EXPECT_EQ(messageText(MessageId::UnsavedSource), QStringLiteral("first\nsecond \\n \\x"));
    // A key the file does not hold keeps its text.
    EXPECT_EQ(messageText(MessageId::UnsavedBook), QString::fromUtf8(messageRow(MessageId::UnsavedBook).english));
}

TEST_F(MessageWordingTest, ConverterTextsAreWordedByTheirForms)
{
    useMessages(
        "PictureLeftOut=изображение «%1» пропущено: %2\n"
        "PictureNoFile=нет файла %1\n"
        "FileCannotRead=не удаётся прочитать «%1»: %2\n"
        "OfficeNotThatKind=это не %1\n"
        "OfficeKindRtf=документ RTF\n"
        "OfficeCannotRead=не удаётся прочитать: %1\n"
        "OfficeNotAFile=это не файл\n");
    struct Case {
        const char* converter;
        const char* shown;
    };
    const Case cases[] = {
        {"picture 'a b.png' left out: no file /x/a b.png", "изображение «a b.png» пропущено: нет файла /x/a b.png"},
        // The system's reason stays as the system words it.
        {"cannot read '/x/y': Permission denied", "не удаётся прочитать «/x/y»: Permission denied"},
        {"the file is not an RTF document, its content does not match its extension", "это не документ RTF"},
        // The particular form wins over the wider one.
        {"cannot read it: it is not a file", "это не файл"},
        {"cannot read it: No such file", "не удаётся прочитать: No such file"},
        // A reason of no known form stays; a name is never worded, whatever it looks like.
        {"picture 'x' left out: no such thing", "изображение «x» пропущено: no such thing"},
        {"picture 'no file x' left out: no file y", "изображение «no file x» пропущено: нет файла y"},
        // Texts of no known form, or a form with more around it, stay.
        {"Opening and ending tag mismatch: p line 3 and body", "Opening and ending tag mismatch: p line 3 and body"},
        {"note: cannot read '/x': gone", "note: cannot read '/x': gone"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(converterText(std::string_view(c.converter)), QString::fromUtf8(c.shown)) << c.converter;
}

// Every converter form is recognised as itself in a text of its form: no form before it in the
// table takes its texts.
TEST_F(MessageWordingTest, EveryConverterFormIsRecognised)
{
    applyLanguageMessages([] {
        IniFile file = IniFile::fromBytes("marked.lng", "");
        for (const MessageRow& row : messageRows())
            file.writeString(kMessagesSection, row.key, std::string("»") + row.key);
        return file;
    }());
    for (const MessageRow& row : messageRows()) {
        if (row.use != MessageUse::ConverterForm) continue;
        QString sample = QString::fromUtf8(row.english);
        for (int number = 1; number <= 9; ++number)
            sample.replace(QStringLiteral("%") + QString::number(number),
                           QStringLiteral("d") + QString::number(number));
        EXPECT_EQ(converterText(sample), kMark + QString::fromLatin1(row.key)) << sample.toStdString();
    }
}

TEST_F(MessageWordingTest, LanguageCodesNeverNameAnotherFile)
{
    for (const char* code : {"ru", "de", "pt_BR", "fil"})
        EXPECT_TRUE(isLanguageCode(QString::fromLatin1(code))) << code;
    for (const char* code : {"", "RU", "r", "ru-RU", "../ru", "ru/..", "ru_br", "russian", "ru_RU.UTF-8"})
        EXPECT_FALSE(isLanguageCode(QString::fromLatin1(code))) << code;
    struct Case {
        LanguageChoice choice;
        const char* file;
        const char* language;
    };
    const Case cases[] = {
        {LanguageChoice::English, "[Form1]\nLanguageCode=ru\n", "en"},
        {LanguageChoice::Russian, "[Form1]\nLanguageCode=de\n", "ru"},
        {LanguageChoice::Other, "[Form1]\nLanguageCode=de\n", "de"},
        {LanguageChoice::Other, "[Form1]\nLanguageCode=../../tmp/x\n", "en"},
        {LanguageChoice::Other, "[Form1]\nForm1=Vellumar\n", "en"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(interfaceLanguageOf(c.choice, IniFile::fromBytes("x.lng", c.file)), QString::fromLatin1(c.language))
            << c.file;
}

// With the Russian file, Qt's own texts are Russian; English takes them back; an "Other:" file
// that names no language gets Qt's English.
class QtLanguageTest : public testing::SettingsFixture {
protected:
    static QString lookIn() { return QCoreApplication::translate("QFileDialog", "Look in:"); }
};

TEST_F(QtLanguageTest, QtTextsAndHelpFollowTheChosenLanguage)
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ru.qm")))
        GTEST_SKIP() << "Qt's catalogues (qt6-translations-l10n) are not installed";
    installShippedLanguageFile("Vellumar_ru.lng");
    installShippedLanguageFile("Vellumar_eng.lng");
    writeFile(programFolderPath() / "help.txt", "English help\n");
    writeFile(programFolderPath() / "help_ru.txt", "Русская справка\n");
    writeFile(m_root / "other.lng", "[Form1]\nTabSheet1=Quelltext\n");
    const ApplicationWindows windows;
    MainWindow& form = windows.mainWindow();
    HelpWindow& help = *form.dialogWindows().helpWindow;
    const auto helpText = [&help] {
        help.loadHelpText();
        return help.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
    };
    form.findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->setChecked(true);
    EXPECT_EQ(lookIn(), QString::fromUtf8("Перейти к:"));
    EXPECT_EQ(helpText(), QString::fromUtf8("Русская справка\n"));
    EXPECT_EQ(messageText(MessageId::CheckError), QString::fromUtf8("ошибка"));

    form.findChild<QRadioButton*>(QStringLiteral("RadioButton1"))->setChecked(true);
    EXPECT_EQ(lookIn(), QStringLiteral("Look in:"));
    EXPECT_EQ(helpText(), QStringLiteral("English help\n"));
    EXPECT_EQ(messageText(MessageId::CheckError), QStringLiteral("error"));

    form.findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->setChecked(true);
    form.findChild<QLabel*>(QStringLiteral("Label1"))->setText(QString::fromStdString((m_root / "other.lng").string()));
    form.findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->setChecked(true);
    EXPECT_EQ(lookIn(), QStringLiteral("Look in:"));
    EXPECT_EQ(helpText(), QStringLiteral("English help\n"));

    // A language without a help text of its own shows the English one.
    std::filesystem::remove(programFolderPath() / "help_ru.txt");
    form.findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->setChecked(true);
    EXPECT_EQ(lookIn(), QString::fromUtf8("Перейти к:"));
    EXPECT_EQ(helpText(), QStringLiteral("English help\n"));
}

// Every message the window shows comes from the language file: with a file whose every message
// is marked, each message path shows the mark (and a converter's text inside it its own).
class MarkedMessagesTest : public testing::ScriptedWindowTest {
protected:
    void SetUp() override
    {
        ScriptedWindowTest::SetUp();
        const QString file = m_folder.filePath(QStringLiteral("marked.lng"));
        writeMarkedLanguageFile(file);
        m_window->applyLanguage(file);
    }
    void TearDown() override
    {
        ScriptedWindowTest::TearDown();
        resetLanguage();
    }
    QString path(const char* name) const { return m_folder.filePath(QString::fromUtf8(name)); }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static int marks(const QString& text) { return static_cast<int>(text.count(kMark)); }
};

TEST_F(MarkedMessagesTest, FileCommandsAskAndReport)
{
    FileCommands& files = m_window->fileCommands();
    m_window->sourceEditor()->setDocumentText("<p>a</p>");
    m_window->sourceEditor()->editor().replaceSelection("x");
    m_window->fb2Editor()->setDocumentText("<book/>");
    m_window->fb2Editor()->editor().replaceSelection("x");
    m_dialogs.unsavedAnswers = {UnsavedAnswer::Cancel, UnsavedAnswer::Cancel};
    files.newSourceDocument();
    files.newFb2Document();
    files.openFile(path("notes.xyz"));
    files.reportNotOpened({path("a.fb2"), path("b.fb2")});
    write("book.fb2", "<?xml version=\"1.0\" encoding=\"x-no-such-set\"?><FictionBook/>");
    files.loadFb2File(path("book.fb2"));
    m_dialogs.desktopOpens = false;
    files.viewFile(path("book.fb2"));
    files.loadFb2File(path("missing.fb2"));

    ASSERT_EQ(m_dialogs.unsavedQuestions.size(), 2);
    for (const QString& question : m_dialogs.unsavedQuestions) EXPECT_EQ(marks(question), 1) << question.toStdString();
    ASSERT_EQ(m_dialogs.errors.size(), 3) << m_dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(marks(m_dialogs.errors[0]), 1) << "cannot be opened";
    EXPECT_EQ(marks(m_dialogs.errors[1]), 2) << "the set and the unknown set: " << m_dialogs.errors[1].toStdString();
    EXPECT_EQ(marks(m_dialogs.errors[2]), 1) << "cannot read: " << m_dialogs.errors[2].toStdString();
    ASSERT_EQ(m_dialogs.messages.size(), 2);
    for (const QString& text : m_dialogs.messages) EXPECT_EQ(marks(text), 1) << text.toStdString();
}

TEST_F(MarkedMessagesTest, ReplaceQuestionAndLanguageFileErrorsInTheirBoxes)
{
    BookInfoDialog bookInfo;
    DesktopDialogs dialogs(m_window.get(), &bookInfo);
    testing::MessageBoxCatcher catcher;
    dialogs.confirmReplace(path("book.fb2"));
    // Larger than any language file (a sparse file: nothing is written).
    QFile huge(path("huge.lng"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(static_cast<qint64>(IniFile::kMaxFileSize) + 1));
    huge.close();
    m_window->applyLanguage(path("huge.lng"));
    ASSERT_EQ(catcher.texts.size(), 2);
    EXPECT_EQ(marks(catcher.texts[0]), 1) << catcher.texts[0].toStdString();
    EXPECT_EQ(marks(catcher.texts[1]), 2) << "cannot read, too large: " << catcher.texts[1].toStdString();
}

TEST_F(MarkedMessagesTest, ConversionProblemsWarningsAndLibreOfficeFailures)
{
    m_window->findChild<QCheckBox*>(QStringLiteral("ChBShowTitleInfo"))->setChecked(false);
    std::string page = "<html><body>";
    for (int i = 0; i < 6; ++i) page += "<p =a>x</p><img =b><a =c>y</a>";
    for (int i = 0; i < 12; ++i) page += "<img src=\"gone" + std::to_string(i) + ".png\">";
    m_window->sourceEditor()->setDocumentText(page);
    m_dialogs.saveNames = {QString()};
    m_window->conversionCommands().convert();
    ASSERT_GE(m_dialogs.messages.size(), 2);
    const QString counted = m_dialogs.messages[m_dialogs.messages.size() - 2];
    const QString warnings = m_dialogs.messages.last();
    EXPECT_EQ(marks(counted), 1) << counted.toStdString();
    // Ten warnings, each "left out" with "no file", then "... and 2 more.".
    EXPECT_EQ(marks(warnings), 21) << warnings.toStdString();

    // No LibreOffice on the way: the reason is the language's, after the description's words.
    write("book.doc", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0'));
    write("fake.rtf", "not rtf");
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", path("none").toLocal8Bit());
    m_dialogs.messages.clear();
    m_window->conversionCommands().openSourceFile(path("book.doc"));
    m_window->conversionCommands().openSourceFile(path("fake.rtf"));
    qputenv("PATH", savedPath);
    ASSERT_EQ(m_dialogs.messages.size(), 2);
    for (const QString& text : m_dialogs.messages) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(" не конвертирован.\n") + kMark)) << text.toStdString();
    }
    EXPECT_EQ(marks(m_dialogs.messages[1]), 2) << "the kind of document is worded too";

    WordConversionProgress progress(m_window.get(), path("book.doc"));
    const auto* dialog = m_window->findChild<QProgressDialog*>(QStringLiteral("WordConversionProgress"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(marks(dialog->labelText()), 1) << dialog->labelText().toStdString();
}

TEST_F(MarkedMessagesTest, PictureErrorsOnTheImagesPage)
{
    testing::MessageBoxCatcher catcher;
    write("broken.png", "not a picture");
    m_window->imagesCommands().loadPicture(path("broken.png"));
    ASSERT_EQ(catcher.texts.size(), 1);
    EXPECT_EQ(marks(catcher.texts[0]), 2) << "cannot decode, not a PNG: " << catcher.texts[0].toStdString();
}

TEST_F(MarkedMessagesTest, CheckPanelIsWordedAndRewordedWhenTheLanguageChanges)
{
    BookCheckPanel& panel = *m_window->checkPanel();
    BookCheckResult result;
    result.wellFormed = true;
    result.schemaChecked = true;
    result.problems = {{3, ProblemSeverity::Error, "Element 'p': This element is not expected."},
                       {1, ProblemSeverity::Warning, messageRow(MessageId::CheckNoGenre).english}};
    panel.showResult(result);
    const QTreeWidget& list = *panel.problemList();
    const auto shown = [&] {
        QStringList texts{panel.summary(), panel.findChild<QToolButton*>()->toolTip()};
        for (int column = 0; column < 3; ++column) texts << list.headerItem()->text(column);
        for (int row = 0; row < list.topLevelItemCount(); ++row) texts << list.topLevelItem(row)->text(1);
        texts << list.topLevelItem(1)->text(2);
        return texts;
    };
    for (const QString& text : shown()) EXPECT_TRUE(text.startsWith(kMark)) << text.toStdString();
    // "1 error, 1 warning" inside the summary, and libxml2's own words as it gives them.
    EXPECT_EQ(marks(panel.summary()), 4) << panel.summary().toStdString();
    EXPECT_EQ(list.topLevelItem(0)->text(2), QStringLiteral("Element 'p': This element is not expected."));

    resetLanguageMessages();
    for (const QString& text : shown()) EXPECT_FALSE(text.contains(kMark)) << text.toStdString();
    EXPECT_EQ(panel.summary(), QStringLiteral("The FB2 text is not valid FB2: 1 error, 1 warning."));
}

using CheckPanelColumns = testing::ScriptedWindowTest;

// The columns of the Check FB2 list take the width of what the language writes in them.
TEST_F(CheckPanelColumns, FitTheLanguagesWords)
{
    applyLanguageMessages(IniFile(kShipped / "Vellumar_ru.lng"));
    m_window->show();
    BookCheckPanel& panel = *m_window->checkPanel();
    BookCheckResult result;
    result.wellFormed = true;
    result.schemaChecked = true;
    result.problems = {{12345, ProblemSeverity::Warning, "w"}, {1, ProblemSeverity::Error, "e"}};
    panel.showResult(result);
    const QTreeWidget& list = *panel.problemList();
    for (int column : {0, 1})
        for (int row = 0; row < list.topLevelItemCount(); ++row)
            EXPECT_GE(list.header()->sectionSize(column),
                      list.fontMetrics().horizontalAdvance(list.topLevelItem(row)->text(column)))
                << list.topLevelItem(row)->text(column).toStdString();
    resetLanguage();
}

}  // namespace
}  // namespace vellumar
