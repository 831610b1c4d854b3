// Language files on the real windows: the Russian start, the language choice, what a file
// changes and leaves, the recreate command, and the shipped files against the built-in texts.

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "settings_fixture.h"
#include "ui/actions/action_hint.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/widgets/color_button.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/action_table.h"
#include "ui/window/application_windows.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

const std::filesystem::path kShipped = VELLUMAR_DATA_DIR;

class LanguageFiles : public testing::SettingsFixture {
protected:
    template <typename Widget>
    static Widget* find(const QWidget& window, const char* name)
    {
        return window.findChild<Widget*>(QString::fromLatin1(name));
    }
    static QString tab(const MainWindow& form, int index) { return form.pages()->tabText(index); }
    std::filesystem::path besideProgram(const char* name) const { return programFolderPath() / name; }
};

TEST_F(LanguageFiles, RussianStartShowsRussianInEveryWindow)
{
    installShippedLanguageFile("Vellumar_ru.lng");
    writeFile(userSettingsPath(), "[RadioButtons]\nRadioButton2=1\n");
    const ApplicationWindows windows;
    MainWindow& form = windows.mainWindow();
    form.show();
    EXPECT_TRUE(find<QRadioButton>(form, "RadioButton2")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(form, "RadioButton2")->isEnabled());
    EXPECT_EQ(tab(form, 0), QString::fromUtf8("Исходный текст"));
    EXPECT_EQ(tab(form, 4), QString::fromUtf8("Общие настройки"));
    EXPECT_EQ(find<QGroupBox>(form, "GroupBox2")->title(), QString::fromUtf8("Рамка таблицы"));
    EXPECT_EQ(find<QMenu>(form, "mm_File1")->title(), QString::fromUtf8("&Файл"));
    EXPECT_EQ(form.action(ActionId::Paste)->text(), QString::fromUtf8("Вст&авить"));
    EXPECT_EQ(windows.findDialog().windowTitle(), QString::fromUtf8("Поиск"));
    EXPECT_EQ(find<ColorButton>(windows.replaceDialog(), "ButAll")->text(), QString::fromUtf8("&Все"));
    EXPECT_EQ(windows.aboutBox().windowTitle(), QString::fromUtf8("О программе"));
    // The about box's facts stay what the program is.
    EXPECT_EQ(find<QLabel>(windows.aboutBox(), "Label1")->text(), "Vellumar");
    EXPECT_EQ(form.windowTitle(), "Vellumar");
}

TEST_F(LanguageFiles, WithoutTheRussianFileEnglishIsForced)
{
    writeFile(userSettingsPath(), "[RadioButtons]\nRadioButton2=1\n");
    MainWindow form;
    EXPECT_TRUE(find<QRadioButton>(form, "RadioButton1")->isChecked());
    EXPECT_FALSE(find<QRadioButton>(form, "RadioButton2")->isEnabled());
    EXPECT_EQ(tab(form, 0), "Source");
}

TEST_F(LanguageFiles, RussianFileInTheInstalledFolderIsFound)
{
    const auto installed = m_root / "share" / "vellumar";
    std::filesystem::create_directories(installed);
    std::filesystem::copy_file(kShipped / "Vellumar_ru.lng", installed / "Vellumar_ru.lng");
    MainWindow form;
    EXPECT_TRUE(find<QRadioButton>(form, "RadioButton2")->isEnabled());
    find<QRadioButton>(form, "RadioButton2")->setChecked(true);
    EXPECT_EQ(tab(form, 3), QString::fromUtf8("Настройки"));
}

TEST_F(LanguageFiles, MissingFileChangesNoTextAndForgetsTheOtherPath)
{
    installShippedLanguageFile("Vellumar_ru.lng");
    MainWindow form;
    find<QRadioButton>(form, "RadioButton2")->setChecked(true);
    auto* path = find<QLabel>(form, "Label1");
    path->setText(QStringLiteral("/somewhere/mine.lng"));
    find<QRadioButton>(form, "RadioButton1")->setChecked(true);  // no English file anywhere
    EXPECT_EQ(tab(form, 0), QString::fromUtf8("Исходный текст"));
    EXPECT_TRUE(path->text().isEmpty());
}

TEST_F(LanguageFiles, OtherFileSetsWhatItHoldsAndLeavesTheRest)
{
    const auto mine = m_root / "mine.lng";
    writeFile(mine,
              "[Form1]\r\nTabSheet1=Quelle\r\nEditCopy1=&Kopieren\r\nCheckBox18=\r\nLabel1=/from/the/file.lng\r\n");
    ApplicationWindows windows;
    MainWindow& form = windows.mainWindow();
    const QString findCaption = windows.findDialog().windowTitle();
    find<QLabel>(form, "Label1")->setText(QString::fromStdString(mine.string()));
    find<QRadioButton>(form, "RadioButton3")->setChecked(true);
    EXPECT_EQ(tab(form, 0), "Quelle");
    EXPECT_EQ(tab(form, 1), "FB2");
    EXPECT_EQ(find<QCheckBox>(form, "CheckBox18")->text(), "");  // an empty value sets an empty text
    // The stored path is a setting, not a text: the file does not replace it.
    EXPECT_EQ(find<QLabel>(form, "Label1")->text(), QString::fromStdString(mine.string()));
    // The hint follows the caption: the long hint of the edit action is gone.
    QAction* copy = form.action(ActionId::Copy);
    EXPECT_EQ(copy->text(), "&Kopieren");
    EXPECT_EQ(actionHint(*copy), "&Kopieren");
    EXPECT_EQ(windows.findDialog().windowTitle(), findCaption);  // no section for it
}

TEST_F(LanguageFiles, EveryActionTipIsItsCaptionAfterALanguage)
{
    installShippedLanguageFile("Vellumar_eng.lng");
    MainWindow form;
    form.applyLanguage(form.languageFilePath());
    ASSERT_EQ(form.actions().size(), kActionCount);
    for (const QAction* action : form.actions())
        EXPECT_EQ(actionHint(*action), action->text()) << action->objectName().toStdString();
}

// The shipped English file holds exactly the built-in texts that the recreate command writes (in
// the order of the windows' pages rather than the order the components are made in).
TEST_F(LanguageFiles, ShippedEnglishFileIsWhatRecreateWrites)
{
    const ApplicationWindows windows;
    windows.mainWindow().recreateLanguageFile();
    const IniFile written(besideProgram("Vellumar_eng.lng"));
    const IniFile shipped(kShipped / "Vellumar_eng.lng");
    EXPECT_FALSE(written.value("Form1", "Label1")) << "the other language file's path is no text";
    EXPECT_FALSE(IniFile(kShipped / "Vellumar_ru.lng").value("Form1", "Label1"));
    for (const std::string& section : written.sections())
        for (const std::string& key : written.keys(section))
            EXPECT_EQ(shipped.value(section, key), written.value(section, key)) << section << '/' << key;
    for (const std::string& section : shipped.sections())
        for (const std::string& key : shipped.keys(section))
            EXPECT_TRUE(written.value(section, key)) << section << '/' << key << " is no text of the program";
}

// Every Russian text lands on a component: after the Russian file, the recreate command writes
// the Russian texts into the English file name, keeping keys it does not write.
TEST_F(LanguageFiles, RecreateWhileRussianWritesTheRussianTexts)
{
    installShippedLanguageFile("Vellumar_ru.lng");
    writeFile(besideProgram("Vellumar_eng.lng"), "; kept\r\n[Form1]\r\nTabSheet1=Source\r\nOld=kept\r\n");
    const ApplicationWindows windows;
    find<QRadioButton>(windows.mainWindow(), "RadioButton2")->setChecked(true);
    windows.mainWindow().recreateLanguageFile();
    const IniFile written(besideProgram("Vellumar_eng.lng"));
    const IniFile russian(kShipped / "Vellumar_ru.lng");
    EXPECT_EQ(written.readString("Form1", "Old", ""), "kept");
    for (const std::string& section : russian.sections())
        for (const std::string& key : russian.keys(section))
            EXPECT_EQ(written.value(section, key), russian.value(section, key)) << section << '/' << key;
}

TEST_F(LanguageFiles, RecreateWritesIntoTheUsersFolderWhenItHoldsACopy)
{
    writeFile(userDataFolder() / "Vellumar_eng.lng", "[Form1]\nForm1=Old\n");
    MainWindow form;
    form.recreateLanguageFile();
    EXPECT_EQ(IniFile(userDataFolder() / "Vellumar_eng.lng").readString("Form1", "TabSheet2", ""), "FB2");
    EXPECT_FALSE(std::filesystem::exists(besideProgram("Vellumar_eng.lng")));
}

}  // namespace
}  // namespace vellumar
