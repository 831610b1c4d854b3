// The find and replace windows as the main window's commands find them: names, captions, the
// hidden "Origin" group, and closing with Esc.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/widgets/color_button.h"

namespace vellumar {
namespace {

struct Named {
    const char* name;
    const char* caption;
};

void expectComponents(const QDialog& dialog, std::initializer_list<Named> labels,
                      std::initializer_list<const char*> edits, std::initializer_list<Named> buttons)
{
    for (const Named& n : labels) {
        auto* label = dialog.findChild<QLabel*>(n.name);
        ASSERT_NE(label, nullptr) << n.name;
        EXPECT_EQ(label->text(), n.caption);
    }
    for (const char* name : edits)
        EXPECT_NE(dialog.findChild<QLineEdit*>(name), nullptr) << name;
    for (const Named& n : buttons) {
        auto* button = dialog.findChild<ColorButton*>(n.name);
        ASSERT_NE(button, nullptr) << n.name;
        EXPECT_EQ(button->text(), n.caption);
    }
    auto* origin = dialog.findChild<QGroupBox*>("GroupBox1");
    ASSERT_NE(origin, nullptr);
    EXPECT_EQ(origin->title(), "Origin");
    EXPECT_TRUE(origin->isHidden());
    auto* fromCursor = origin->findChild<QRadioButton*>("RadioButton1");
    auto* entireScope = origin->findChild<QRadioButton*>("RadioButton2");
    ASSERT_NE(fromCursor, nullptr);
    ASSERT_NE(entireScope, nullptr);
    EXPECT_EQ(fromCursor->text(), "&From cursor");
    EXPECT_TRUE(fromCursor->isChecked());
    EXPECT_EQ(entireScope->text(), "&Entire scope");
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog.isModal());
}

TEST(SearchDialogs, FindWindowComponents)
{
    FindDialog find;
    EXPECT_EQ(find.objectName(), "FFind");
    EXPECT_EQ(find.windowTitle(), "Find");
    EXPECT_EQ(find.size(), QSize(345, 89));
    expectComponents(find, {{"Label1", "Find:"}}, {"Edit1"}, {{"ButFind", "&Find"}, {"ButClose", "&Close"}});
}

TEST(SearchDialogs, ReplaceWindowComponents)
{
    ReplaceDialog replace;
    EXPECT_EQ(replace.objectName(), "FReplace");
    EXPECT_EQ(replace.windowTitle(), "Replace");
    EXPECT_EQ(replace.size(), QSize(337, 138));
    expectComponents(replace, {{"Label1", "Find:"}, {"Label2", "Replace with:"}}, {"Edit1", "Edit2"},
                     {{"ButFind", "&Find"}, {"ButReplace", "&Replace"}, {"ButAll", "&All"}, {"ButClose", "&Close"}});
    EXPECT_EQ(replace.findEdit()->nextInFocusChain(), replace.replaceEdit());
}

TEST(SearchDialogs, EscHidesAndKeepsTheTexts)
{
    FindDialog find;
    ReplaceDialog replace;
    for (SearchDialog* dialog : {static_cast<SearchDialog*>(&find), static_cast<SearchDialog*>(&replace)}) {
        dialog->show();
        QLineEdit* edit = dialog->findEdit();
        edit->setText("kept");
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible()) << dialog->objectName().toStdString();
        EXPECT_EQ(edit->text(), "kept");
    }
}

TEST(SearchDialogs, OriginChoiceIsOneOfTheTwoButtons)
{
    FindDialog find;
    ReplaceDialog replace;
    for (SearchDialog* dialog : {static_cast<SearchDialog*>(&find), static_cast<SearchDialog*>(&replace)}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        auto* fromCursor = dialog->findChild<QRadioButton*>("RadioButton1");
        auto* entireScope = dialog->findChild<QRadioButton*>("RadioButton2");
        dialog->setFromCursor(false);
        EXPECT_FALSE(dialog->fromCursor());
        EXPECT_TRUE(entireScope->isChecked());
        EXPECT_FALSE(fromCursor->isChecked());
        dialog->setFromCursor(true);
        EXPECT_TRUE(dialog->fromCursor());
        EXPECT_FALSE(entireScope->isChecked());
        entireScope->setChecked(true);
        EXPECT_FALSE(dialog->fromCursor());
    }
}

}  // namespace
}  // namespace vellumar
