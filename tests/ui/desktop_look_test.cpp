// How the window fits a Linux desktop: editors and tool-bar pictures that follow a dark palette,
// distinct pictures for the search commands, dialogs and message boxes over the main window, and
// an About link that looks like a link.

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QStyle>
#include <QTemporaryDir>
#include <QWindow>
#include <Qsci/qscilexerhtml.h>
#include <gtest/gtest.h>

#include "message_box_catcher.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/diagnostic_window.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/editor/code_editor.h"
#include "ui/editor/editor_colours.h"
#include "ui/settings/program_folder.h"
#include "ui/widgets/link_label.h"
#include "ui/window/application_windows.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(45, 45, 48));
    palette.setColor(QPalette::WindowText, QColor(220, 220, 220));
    palette.setColor(QPalette::Base, QColor(30, 30, 30));
    palette.setColor(QPalette::Text, QColor(230, 230, 230));
    palette.setColor(QPalette::Button, QColor(55, 55, 58));
    palette.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    palette.setColor(QPalette::Highlight, QColor(40, 90, 160));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(110, 160, 255));
    return palette;
}

// Sets a dark application palette for the life of the object. Widgets hear of a new palette
// through posted events.
class DarkDesktop {
public:
    DarkDesktop() : m_saved(QApplication::palette())
    {
        QApplication::setPalette(darkPalette());
        QCoreApplication::sendPostedEvents();
    }
    ~DarkDesktop()
    {
        QApplication::setPalette(m_saved);
        QCoreApplication::sendPostedEvents();
    }

private:
    QPalette m_saved;
};

class DesktopLookTest : public ::testing::Test {
protected:
    void SetUp() override { setProgramFolder(m_folder.path()); }
    void TearDown() override { setProgramFolder(QString()); }
    QTemporaryDir m_folder;
};

QsciLexerHTML& lexerOf(const CodeEditor& editor)
{
    return *static_cast<QsciLexerHTML*>(editor.lexer());
}

QImage iconImage(const MainWindow& window, ActionId action, int size = 16)
{
    return window.action(action)->icon().pixmap(size, size).toImage();
}

TEST(EditorColours, DarkColoursKeepTheirHueAndLightColoursStay)
{
    EXPECT_EQ(colourForDarkPaper(Qt::black).rgb(), QColor(Qt::white).rgb());
    const QColor navy = colourForDarkPaper(QColor(0, 0, 128));
    EXPECT_GE(navy.lightness(), 128);
    EXPECT_EQ(navy.hslHue(), QColor(0, 0, 128).hslHue());
    EXPECT_EQ(colourForDarkPaper(QColor(255, 230, 150)).rgb(), QColor(255, 230, 150).rgb());
    EXPECT_TRUE(isDarkPalette(darkPalette()));
}

TEST_F(DesktopLookTest, EditorsFollowADarkPaletteAndReturnToTheirOwnColours)
{
    MainWindow window;
    const QColor teal(0, 128, 128);
    EXPECT_EQ(lexerOf(*window.sourceEditor()).paper(QsciLexerHTML::Default), QColor(Qt::white));
    EXPECT_EQ(lexerOf(*window.sourceEditor()).color(QsciLexerHTML::HTMLComment), teal);
    {
        const DarkDesktop dark;
        for (CodeEditor* editor : {window.sourceEditor(), window.fb2Editor()}) {
            SCOPED_TRACE(editor->objectName().toStdString());
            QsciLexerHTML& lexer = lexerOf(*editor);
            EXPECT_EQ(lexer.paper(QsciLexerHTML::Default), darkPalette().color(QPalette::Base));
            EXPECT_EQ(lexer.color(QsciLexerHTML::Default), darkPalette().color(QPalette::Text));
            EXPECT_GE(lexer.color(QsciLexerHTML::HTMLComment).lightness(), 128);
            EXPECT_GE(lexer.color(QsciLexerHTML::Tag).lightness(), 128);
            EXPECT_EQ(lexer.paper(QsciLexerHTML::Tag), darkPalette().color(QPalette::Base));
        }
    }
    EXPECT_EQ(lexerOf(*window.fb2Editor()).paper(QsciLexerHTML::Tag), QColor(Qt::white));
    EXPECT_EQ(lexerOf(*window.sourceEditor()).color(QsciLexerHTML::HTMLComment), teal);
    EXPECT_EQ(lexerOf(*window.fb2Editor()).color(QsciLexerHTML::HTMLComment), QColor(0, 128, 0));
}

TEST_F(DesktopLookTest, DrawnToolBarPicturesHaveLightLinesOnADarkToolBar)
{
    MainWindow window;
    // The magnifier's handle runs through (13, 13) of the 16-pixel picture.
    EXPECT_LT(iconImage(window, ActionId::Find).pixelColor(13, 13).lightness(), 110);
    {
        const DarkDesktop dark;
        EXPECT_GT(iconImage(window, ActionId::Find).pixelColor(13, 13).lightness(), 170);
    }
    EXPECT_LT(iconImage(window, ActionId::Find).pixelColor(13, 13).lightness(), 110);
}

TEST_F(DesktopLookTest, SearchCommandsHaveDistinctPictures)
{
    MainWindow window;
    const ActionId ids[] = {ActionId::Find, ActionId::FindNext, ActionId::Replace, ActionId::CheckFb2};
    for (ActionId a : ids) {
        for (ActionId b : ids) {
            if (a != b) {
                EXPECT_NE(iconImage(window, a), iconImage(window, b))
                    << window.action(a)->objectName().toStdString() << " and " << window.action(b)->objectName().toStdString();
            }
        }
    }
    const QImage reload = window.style()->standardIcon(QStyle::SP_BrowserReload).pixmap(16, 16).toImage();
    EXPECT_NE(iconImage(window, ActionId::Replace), reload);
    // Sharp at double scale: a 32-pixel drawing, not a blown-up 16-pixel one.
    EXPECT_EQ(window.action(ActionId::Find)->icon().availableSizes().contains(QSize(32, 32)), true);
}

TEST_F(DesktopLookTest, DialogsAndMessageBoxesOpenOverTheMainWindow)
{
    const ApplicationWindows windows;
    MainWindow* main = &windows.mainWindow();
    for (QWidget* dialog : std::initializer_list<QWidget*>{&windows.aboutBox(), &windows.helpWindow(),
                                                          &windows.bookInfoDialog(), &windows.findDialog(),
                                                          &windows.replaceDialog(), &windows.diagnosticWindow()}) {
        ASSERT_NE(dialog->windowHandle(), nullptr) << dialog->objectName().toStdString();
        EXPECT_EQ(dialog->windowHandle()->transientParent(), main->windowHandle()) << dialog->objectName().toStdString();
    }
    // No help text in the program's folder: the message names it, over the main window.
    testing::MessageBoxCatcher boxes;
    windows.helpWindow().setProgramFolder(m_folder.path());
    EXPECT_FALSE(windows.helpWindow().loadHelpText());
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts.front().endsWith(QStringLiteral("help.txt not found.")));
    ASSERT_EQ(boxes.owners.size(), 1);
    EXPECT_EQ(boxes.owners.front(), main);
}

TEST_F(DesktopLookTest, AboutLinkIsUnderlinedAndChangesUnderTheMouse)
{
    AboutBox about;
    auto* link = about.findChild<LinkLabel*>(QStringLiteral("ASLink1"));
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->font().underline());
    EXPECT_NE(link->linkColor(), link->fontColor());
}

}  // namespace
}  // namespace vellumar
