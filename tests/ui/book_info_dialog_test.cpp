#include "ui/dialogs/book_info_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

#include "ui/commands/dialog_interaction.h"
#include "ui/widgets/color_button.h"

namespace vellumar {
namespace {

// Runs `act` on the dialog once its modal loop runs, then shows it modally.
void execWith(BookInfoDialog& dialog, std::function<void()> act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        if (!dialog.isVisible()) {
            ADD_FAILURE() << "the dialog is not shown";
            return;
        }
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog))
            ADD_FAILURE() << "the dialog did not become active";
        act();
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog.done(QDialog::Rejected);
        }
    });
    dialog.exec();
}

TEST(BookInfoDialog, ComponentsCarryTheirNamesAndCaptions)
{
    BookInfoDialog dialog;
    EXPECT_EQ(dialog.objectName(), "FBookInfo");
    EXPECT_EQ(dialog.windowTitle(), "FBookInfo");
    EXPECT_EQ(dialog.size(), QSize(513, 236));
    struct Named {
        const char* name;
        const char* caption;
    };
    for (const Named& n : {Named{"Label1", "book-title"}, Named{"Label2", "First Name"}, Named{"Label3", "Last Name"}}) {
        auto* label = dialog.findChild<QLabel*>(n.name);
        ASSERT_NE(label, nullptr) << n.name;
        EXPECT_EQ(label->text(), n.caption);
    }
    for (const Named& n : {Named{"Edit1", "Edit1"}, Named{"Edit2", "Edit2"}, Named{"Edit3", "Edit3"}}) {
        auto* edit = dialog.findChild<QLineEdit*>(n.name);
        ASSERT_NE(edit, nullptr) << n.name;
        EXPECT_EQ(edit->text(), n.caption);
    }
    auto* group = dialog.findChild<QGroupBox*>("GroupBox1");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "Author");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit2")->parentWidget(), group);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit3")->parentWidget(), group);
    for (const Named& n : {Named{"ButOk", "&Ok"}, Named{"ButCancel", "&Cancel"}}) {
        auto* button = dialog.findChild<ColorButton*>(n.name);
        ASSERT_NE(button, nullptr) << n.name;
        EXPECT_EQ(button->text(), n.caption);
    }
}

TEST(BookInfoDialog, EnterWalksToOkWithoutClosing)
{
    BookInfoDialog dialog;
    bool checked = false;
    execWith(dialog, [&] {
        EXPECT_EQ(QApplication::focusWidget(), dialog.titleEdit());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), dialog.firstNameEdit());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        EXPECT_EQ(QApplication::focusWidget(), dialog.lastNameEdit());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<ColorButton*>("ButOk"));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.titleEdit()->text(), "Edit1") << "the Enter key itself is dropped";
        checked = true;
        // Enter on the focused "&Ok" presses it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialog.resultFlag(), 1);
}

TEST(BookInfoDialog, HowItClosesSetsTheFlag)
{
    struct Case {
        const char* name;
        int flagBefore;
        std::function<void(BookInfoDialog&)> close;
        int expectedFlag;
    };
    const Case cases[] = {
        {"Ok", 0, [](BookInfoDialog& d) { d.findChild<ColorButton*>("ButOk")->click(); }, 1},
        {"Cancel", 5, [](BookInfoDialog& d) { d.findChild<ColorButton*>("ButCancel")->click(); }, 0},
        {"Esc", 5, [](BookInfoDialog&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }, 0},
        {"CloseBoxLeavesFlag", 7, [](BookInfoDialog& d) { d.close(); }, 7},
    };
    for (const Case& c : cases) {
        BookInfoDialog dialog;
        dialog.setResultFlag(c.flagBefore);
        execWith(dialog, [&] {
            QTest::keyClicks(dialog.titleEdit(), "typed");
            c.close(dialog);
        });
        EXPECT_EQ(dialog.resultFlag(), c.expectedFlag) << c.name;
    }
}

TEST(DialogInteraction, AnswersAreTheTypedTextsAsBytes)
{
    BookInfoDialog dialog;
    DialogInteraction user(nullptr, dialog, 1);
    dialog.titleEdit()->setText("left over");
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(dialog.titleEdit()->text().isEmpty()) << "the boxes start empty";
        dialog.titleEdit()->setText(QString::fromUtf8("Война и мир"));
        dialog.firstNameEdit()->setText("Lev");
        dialog.lastNameEdit()->setText(QString::fromUtf8("Толстой"));
        dialog.findChild<ColorButton*>("ButOk")->click();
    });
    const auto answers = user.askBookInfo();
    ASSERT_TRUE(answers.has_value());
    // Without a main window the default character set shows windows-1251.
    EXPECT_EQ(answers->title, "\xC2\xEE\xE9\xED\xE0 \xE8 \xEC\xE8\xF0");
    EXPECT_EQ(answers->firstName, "Lev");
    EXPECT_EQ(answers->lastName, "\xD2\xEE\xEB\xF1\xF2\xEE\xE9");
}

TEST(DialogInteraction, ProposedAnswersFillTheBoxes)
{
    BookInfoDialog dialog;
    DialogInteraction user(nullptr, dialog, 1);
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.titleEdit()->text(), QString::fromUtf8("Война"));
        EXPECT_EQ(dialog.firstNameEdit()->text(), "Lev");
        dialog.lastNameEdit()->clear();
        dialog.findChild<ColorButton*>("ButOk")->click();
    });
    const auto answers = user.askBookInfoProposing({"\xC2\xEE\xE9\xED\xE0", "Lev", "Tolstoy"});
    ASSERT_TRUE(answers.has_value());
    EXPECT_EQ(answers->title, "\xC2\xEE\xE9\xED\xE0");
    EXPECT_EQ(answers->firstName, "Lev");
    EXPECT_EQ(answers->lastName, "");
}

TEST(DialogInteraction, CloseBoxAfterTypingIsCancel)
{
    BookInfoDialog dialog;
    DialogInteraction user(nullptr, dialog, 1);
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(dialog.titleEdit(), "A title");
        dialog.close();
    });
    EXPECT_FALSE(user.askBookInfo().has_value());
}

}  // namespace
}  // namespace vellumar
