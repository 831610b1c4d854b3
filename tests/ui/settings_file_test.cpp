// The main window's settings file: where it lives, what the start reads and the close writes,
// values it cannot take, and the radio groups the load relies on.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "message_box_catcher.h"
#include "settings/ini_file.h"
#include "settings_fixture.h"
#include "ui/settings/settings_store.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

class SettingsFile : public testing::SettingsFixture {
protected:
    std::unique_ptr<MainWindow> start() { return std::make_unique<MainWindow>(); }

    template <typename Widget>
    static Widget* find(const MainWindow& form, const char* name)
    {
        return form.findChild<Widget*>(QString::fromLatin1(name));
    }
    static bool checked(const MainWindow& form, const char* name)
    {
        if (auto* box = find<QCheckBox>(form, name)) return box->isChecked();
        return find<QRadioButton>(form, name)->isChecked();
    }
};

TEST_F(SettingsFile, FirstStartUsesDefaultsAndFirstCloseWritesTheUsersFile)
{
    auto form = start();
    EXPECT_EQ(form->pos(), QPoint(10, 10));
    EXPECT_EQ(form->size(), QSize(550, 490));
    form->close();

    EXPECT_FALSE(std::filesystem::exists(programFolderPath() / "vellumar_ui_tests.ini"));
    const IniFile file(userSettingsPath());
    EXPECT_EQ(file.sections(), (std::vector<std::string>{"Position", "CheckBoxes", "RadioButtons", "IntValues",
                                                          "Labels", "ComboBoxes"}));
    EXPECT_EQ(file.keys("Position"), (std::vector<std::string>{"State", "PosX", "PosY", "Width", "Height"}));
    EXPECT_EQ(file.readString("Position", "State", ""), "2");
    EXPECT_EQ(file.keys("CheckBoxes").size(), 5u);
    EXPECT_EQ(file.keys("RadioButtons").size(), 10u);
    // Books are written in windows-1251 and not zipped until the user says otherwise.
    EXPECT_EQ(file.readString("RadioButtons", "RBBookWindows1251", ""), "1");
    EXPECT_EQ(file.readString("RadioButtons", "RBBookUtf8", ""), "0");
    EXPECT_EQ(file.readString("CheckBoxes", "ChBZipBook", ""), "0");
    EXPECT_EQ(file.readString("RadioButtons", "RadioButton5", ""), "1");
    EXPECT_EQ(file.readString("IntValues", "SpinEdit1", ""), "580");
    EXPECT_EQ(file.readString("ComboBoxes", "Combo2", ""), "4");
}

TEST_F(SettingsFile, PortableFileBesideTheProgramIsReadAndWritten)
{
    const auto portable = programFolderPath() / "vellumar_ui_tests.ini";
    writeFile(portable, "[CheckBoxes]\r\nCheckBox22=0\r\n");
    auto form = start();
    EXPECT_FALSE(checked(*form, "CheckBox22"));
    form->close();
    EXPECT_EQ(IniFile(portable).readString("IntValues", "SpinEdit2", ""), "700");
    EXPECT_FALSE(std::filesystem::exists(userSettingsPath()));
}

TEST_F(SettingsFile, StoredValuesReachTheControls)
{
    writeFile(userSettingsPath(),
              "[Position]\nPosX=40\nPosY=30\nWidth=700\nHeight=520\n"
              "[CheckBoxes]\nCheckBox18=0\nChBShowTitleInfo=0\n"
              "[RadioButtons]\nRadioButton6=1\nRadioButton7=1\nRadioButton8=0\nRadioButton4=1\n"
              "[IntValues]\nSpinEdit1=-25\nSpinEdit2=1200\n"
              "[Labels]\nLabel1=/books, old/my.lng\n"
              "[ComboBoxes]\nCombo1=3\nCombo2=13\n");
    auto form = start();
    EXPECT_EQ(form->pos(), QPoint(40, 30));
    EXPECT_EQ(form->size(), QSize(700, 520));
    EXPECT_FALSE(form->isMaximized());
    const ConversionOptions options = form->conversionOptions();
    EXPECT_FALSE(options.resize);
    EXPECT_FALSE(options.showTitleInfo);
    EXPECT_TRUE(options.straightenText);  // no key: stays as it was
    EXPECT_EQ(options.maxWidth, -25);
    EXPECT_EQ(options.maxHeight, 1200);
    // Two "1" in the Tables group: the later button wins; the border group is a group of its own.
    EXPECT_EQ(options.tableMode, TableMode::ContentOnly);
    EXPECT_FALSE(checked(*form, "RadioButton6"));
    EXPECT_EQ(options.tableBorder, TableBorder::AsSource);
    EXPECT_EQ(options.titleLevel, 3);
    EXPECT_EQ(find<QComboBox>(*form, "ComboBox1")->currentText(), "H4");
    EXPECT_EQ(find<QComboBox>(*form, "ComboBox2")->currentText(), "RUSSIAN_CHARSET");
    EXPECT_EQ(form->charset(), 204);
    EXPECT_EQ(find<QLabel>(*form, "Label1")->text(), "/books, old/my.lng");
}

TEST_F(SettingsFile, ValuesTheControlsCannotTakeGiveTheDefaults)
{
    writeFile(userSettingsPath(),
              "[Position]\nPosX=-30000\nPosY=99999\nWidth=abc\n"
              "[IntValues]\nSpinEdit1=wide\nSpinEdit2=99999999999\n"
              "[RadioButtons]\nRadioButton6=yes\n"
              "[ComboBoxes]\nCombo1=9\nCombo2=40\n");
    auto form = start();
    EXPECT_EQ(form->conversionOptions().maxWidth, 580);
    EXPECT_EQ(form->conversionOptions().maxHeight, 700);
    EXPECT_TRUE(checked(*form, "RadioButton6"));
    EXPECT_EQ(find<QComboBox>(*form, "ComboBox1")->currentIndex(), 0);
    EXPECT_EQ(find<QComboBox>(*form, "ComboBox2")->currentText(), "DEFAULT_CHARSET");
    EXPECT_EQ(form->charset(), 1);
    // A window placed where no screen shows it comes back where it can be reached.
    EXPECT_GE(form->x(), 0);
    EXPECT_GE(form->y(), 0);
    EXPECT_EQ(form->width(), 550);
}

// A stored size larger than the screen is limited to the screen's available area, at start
// and in the file written on close.
TEST_F(SettingsFile, StoredSizeIsLimitedToTheScreen)
{
    const QSize area = QGuiApplication::primaryScreen()->availableGeometry().size();
    struct Case {
        const char* values;
        QSize expected;
    };
    const Case cases[] = {
        {"Width=2147483647\nHeight=100000\n", area},
        {"Width=100000\nHeight=520\n", QSize(area.width(), 520)},
        {"Width=700\nHeight=520\n", QSize(700, 520)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        writeFile(userSettingsPath(), std::string("[Position]\nPosX=0\nPosY=0\n") + c.values);
        auto form = start();
        EXPECT_EQ(form->size(), c.expected);
        form->close();
        const IniFile file(userSettingsPath());
        EXPECT_EQ(file.readString("Position", "Width", ""), std::to_string(c.expected.width()));
        EXPECT_EQ(file.readString("Position", "Height", ""), std::to_string(c.expected.height()));
    }
}

// Load and save of a file that already holds every key as the window shows it: not one byte
// changes, foreign lines, comments, line ends and a value with a comma included.
TEST_F(SettingsFile, LoadAndSaveKeepEveryByte)
{
    const std::string bytes =
        "; my settings, carried over\r\n"
        "[Position]\r\nState=2\r\nPosX=40\r\nPosY=30\r\nWidth=700\r\nHeight=520\r\n"
        "\r\n[Somebody Else]\r\nlist=a, b, c\r\nno equals sign here\n"
        "[CheckBoxes]\r\nCheckBox18=1\r\nCheckBox22=0\r\nChBShowTitleInfo=1\r\nChBCompleteBook=1\r\nChBZipBook=1\r\n"
        "[RadioButtons]\r\nRadioButton4=0\r\nRadioButton5=1\r\nRadioButton6=0\r\nRadioButton7=0\r\n"
        "RadioButton8=1\r\nRadioButton1=1\r\nRadioButton2=0\r\nRadioButton3=0\r\n"
        "RBBookWindows1251=0\r\nRBBookUtf8=1\r\n"
        "[IntValues]\r\nSpinEdit1=580\r\nSpinEdit2=-1\r\n"
        "[Labels]\r\nLabel1=C:\\Books, old\\my.lng\r\n"
        "[ComboBoxes]\r\nCombo1=2\r\nCombo2=13\r\n"
        "# the end";
    writeFile(userSettingsPath(), bytes);
    auto form = start();
    EXPECT_EQ(form->conversionOptions().outputEncoding, OutputEncoding::Utf8);
    EXPECT_TRUE(form->conversionOptions().zipBook);
    form->close();
    EXPECT_EQ(readFileBytes(userSettingsPath()), bytes);
}

TEST_F(SettingsFile, MaximizedWindowKeepsItsFormerPlace)
{
    writeFile(userSettingsPath(), "[Position]\nState=0\nPosX=40\nPosY=30\nWidth=700\nHeight=520\n");
    auto form = start();
    EXPECT_TRUE(form->isMaximized());
    form->close();
    const IniFile file(userSettingsPath());
    EXPECT_EQ(file.readString("Position", "State", ""), "0");
    EXPECT_EQ(file.readString("Position", "PosX", ""), "40");
    EXPECT_EQ(file.readString("Position", "Width", ""), "700");
}

TEST_F(SettingsFile, WriteFailureIsReportedOnceNamingTheFile)
{
    // A file stands where the configuration folder should be made.
    writeFile(m_root / "config" / "vellumar", "not a folder");
    auto form = start();
    testing::MessageBoxCatcher catcher;
    form->close();
    ASSERT_EQ(catcher.texts.size(), 1);
    EXPECT_TRUE(catcher.texts[0].contains(QString::fromStdString((m_root / "config" / "vellumar").string())))
        << catcher.texts[0].toStdString();
}

TEST_F(SettingsFile, UserFileHoldsOnlyTheCheckBoxes)
{
    const auto chosen = m_root / "mine.txt";
    writeFile(chosen, "[Position]\nState=0\n[CheckBoxes]\nCheckBox18=1\nother=x\n");
    auto form = start();
    find<QCheckBox>(*form, "CheckBox18")->setChecked(false);
    find<QSpinBox>(*form, "SpinEdit1")->setValue(1);
    IniFile file(chosen);
    saveCheckBoxes(*form, file);
    file.save();
    EXPECT_EQ(readFileBytes(chosen),
              "[Position]\nState=0\n[CheckBoxes]\nCheckBox18=0\nother=x\nChBShowTitleInfo=1\nCheckBox22=1\n"
              "ChBCompleteBook=0\nChBZipBook=0\n");

    // Loading touches the check boxes alone; keys the file lacks leave their boxes.
    writeFile(chosen, "[CheckBoxes]\nCheckBox18=1\nCheckBox22=0\n[IntValues]\nSpinEdit1=5\n");
    find<QCheckBox>(*form, "ChBShowTitleInfo")->setChecked(false);
    loadCheckBoxes(*form, IniFile(chosen));
    EXPECT_TRUE(checked(*form, "CheckBox18"));
    EXPECT_FALSE(checked(*form, "CheckBox22"));
    EXPECT_FALSE(checked(*form, "ChBShowTitleInfo"));
    EXPECT_EQ(find<QSpinBox>(*form, "SpinEdit1")->value(), 1);
}

TEST_F(SettingsFile, TablesAndBorderAreSeparateGroups)
{
    auto form = start();
    auto* asIs = find<QRadioButton>(*form, "RadioButton6");
    auto* toImage = find<QRadioButton>(*form, "RadioButton8");
    auto* asSource = find<QRadioButton>(*form, "RadioButton4");
    auto* visible = find<QRadioButton>(*form, "RadioButton5");
    asSource->setChecked(true);
    EXPECT_TRUE(asIs->isChecked());
    toImage->setChecked(true);
    EXPECT_TRUE(asSource->isChecked());
    EXPECT_FALSE(visible->isChecked());
    // A click on the checked button leaves it checked: the group is never empty.
    toImage->click();
    EXPECT_TRUE(toImage->isChecked());
    // The arrow keys stay inside the group.
    form->show();
    QTest::keyClick(toImage, Qt::Key_Down);
    EXPECT_TRUE(asSource->isChecked());
    EXPECT_FALSE(visible->isChecked());
    EXPECT_TRUE(asIs->isChecked() || find<QRadioButton>(*form, "RadioButton7")->isChecked() || toImage->isChecked());
}

// Answers the next file dialog with `path` (an empty path cancels it) and records its title.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(QString path) : m_path(std::move(path))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            title = dialog->windowTitle();
            if (m_path.isEmpty()) {
                dialog->reject();
            } else {
                // Typed into the name field, as a user would: selectFile() leaves a focused
                // field as it is, and the dialog then never takes the name.
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(m_path);
                else
                    dialog->selectFile(m_path);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
        m_timer.start(5);
    }
    QString title;

private:
    QString m_path;
    QTimer m_timer;
};

TEST_F(SettingsFile, SaveAndLoadCommandsAskForTheFile)
{
    auto form = start();
    const auto chosen = m_root / "checks";  // no extension is added
    find<QCheckBox>(*form, "CheckBox22")->setChecked(false);
    {
        FileDialogAnswer answer(QString::fromStdString(chosen.string()));
        form->action(ActionId::SaveSettingsFile)->trigger();
        EXPECT_EQ(answer.title, "Save settings");
    }
    EXPECT_EQ(readFileBytes(chosen),
              "[CheckBoxes]\r\nChBShowTitleInfo=1\r\nCheckBox18=1\r\nCheckBox22=0\r\nChBCompleteBook=0\r\nChBZipBook=0\r\n");

    writeFile(chosen, "[CheckBoxes]\nCheckBox22=1\nCheckBox18=0\n");
    {
        FileDialogAnswer cancel{QString()};
        form->action(ActionId::LoadSettingsFile)->trigger();
        EXPECT_EQ(cancel.title, "Open settings file");
    }
    EXPECT_FALSE(checked(*form, "CheckBox22"));
    {
        FileDialogAnswer answer(QString::fromStdString(chosen.string()));
        form->action(ActionId::LoadSettingsFile)->trigger();
    }
    EXPECT_TRUE(checked(*form, "CheckBox22"));
    EXPECT_FALSE(checked(*form, "CheckBox18"));
}

TEST_F(SettingsFile, ChosenLanguageFileIsUsedOnlyWithOther)
{
    auto form = start();
    const auto mine = m_root / "mine.lng";
    writeFile(mine, "[Form1]\nTabSheet2=Buch\n");
    auto* path = find<QLabel>(*form, "Label1");
    {
        // "English" is checked and its file is missing: the chosen path is forgotten again.
        FileDialogAnswer answer(QString::fromStdString(mine.string()));
        form->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
        EXPECT_EQ(answer.title, "Open language file");
    }
    EXPECT_TRUE(path->text().isEmpty());
    EXPECT_EQ(form->pages()->tabText(1), "FB2");
    find<QRadioButton>(*form, "RadioButton3")->setChecked(true);
    {
        FileDialogAnswer answer(QString::fromStdString(mine.string()));
        form->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
    }
    EXPECT_EQ(path->text().toStdString(), mine.string());
    EXPECT_EQ(form->pages()->tabText(1), "Buch");
    // The choice and the path survive a restart, even without the Russian file.
    form->close();
    form = start();
    EXPECT_EQ(find<QLabel>(*form, "Label1")->text().toStdString(), mine.string());
    EXPECT_TRUE(find<QRadioButton>(*form, "RadioButton3")->isChecked());
    form->show();
    EXPECT_EQ(form->pages()->tabText(1), "Buch");
}

}  // namespace
}  // namespace vellumar
