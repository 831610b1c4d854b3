// The window's message boxes show their texts as plain text: a tokenizer problem quoting a tag,
// or a file name with "<", is never taken for rich text and shown as an empty body.

#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

#include "message_box_catcher.h"
#include "ui/commands/dialog_interaction.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/desktop_dialogs.h"

namespace vellumar {
namespace {

TEST(PlainMessageBoxes, TextsThatLookLikeTagsAreShownAsTheyAre)
{
    QWidget owner;
    BookInfoDialog bookInfo;
    DesktopDialogs dialogs(&owner, &bookInfo);
    DialogInteraction interaction(&owner, bookInfo, 1);
    const QString text = QStringLiteral("<a =x");
    struct Case {
        const char* name;
        std::function<void()> show;
    };
    const Case cases[] = {
        {"message", [&] { dialogs.showMessage(QStringLiteral("problem"), text); }},
        {"error", [&] { dialogs.showError(text); }},
        {"replace question", [&] { dialogs.confirmReplace(text); }},
        {"unsaved question", [&] { dialogs.askUnsavedChanges(text); }},
        {"tokenizer problem in a dialog", [&] { interaction.reportTokenizerProblem("problem", "<a =x"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::MessageBoxCatcher catcher;
        c.show();
        ASSERT_EQ(catcher.formats.size(), 1);
        EXPECT_EQ(catcher.formats[0], Qt::PlainText);
        EXPECT_TRUE(catcher.texts[0].contains(text));
    }
}

}  // namespace
}  // namespace vellumar
