// The desktop dialogs: message boxes show their texts as plain text (a tokenizer problem quoting
// a tag, or a file name with "<", is never taken for rich text), and the viewer starts in the
// book's folder.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>

#include "message_box_catcher.h"
#include "ui/commands/dialog_interaction.h"
#include "ui/commands/images_commands.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/desktop_dialogs.h"
#include "ui/dialogs/help_window.h"
#include "ui/settings/settings_store.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

TEST(PlainMessageBoxes, TextsThatLookLikeTagsAreShownAsTheyAre)
{
    QWidget owner;
    BookInfoDialog bookInfo;
    DesktopDialogs dialogs(&owner, &bookInfo);
    DialogInteraction interaction(&owner, bookInfo, 1);
    const QString text = QStringLiteral("<a =x");
    // A folder whose name looks like a tag, holding a picture that is none.
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(text));
    QFile picture(folder.filePath(text + QStringLiteral(".png")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write("not a picture");
    picture.close();
    MainWindow window;
    HelpWindow help;
    help.setProgramFolder(folder.filePath(text + QStringLiteral("/bin")));
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
        {"settings problem", [&] { reportSettingsProblem(&owner, text); }},
        {"picture that cannot be read", [&] { window.imagesCommands().loadPicture(picture.fileName()); }},
        {"missing help text", [&] { help.loadHelpText(); }},
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

// View FB2 hands the book to the desktop's viewer, which starts in the book's folder, not in
// the folder this program was started in.
TEST(DesktopViewer, StartsInTheBooksFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("books")));
    const QString viewer = folder.filePath(QStringLiteral("viewer.sh"));
    const QString report = folder.filePath(QStringLiteral("report.txt"));
    {
        QFile script(viewer);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\npwd > \"%1.part\"; echo \"$1\" >> \"%1.part\"; mv \"%1.part\" \"%1\"\n")
                         .arg(report)
                         .toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString book = folder.filePath(QStringLiteral("books/book.fb2"));
    ASSERT_TRUE(startInFileFolder(viewer, book));
    for (int i = 0; i < 600 && !QFile::exists(report); ++i) QTest::qWait(50);
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), folder.filePath(QStringLiteral("books")) + '\n' + book + '\n');
}

}  // namespace
}  // namespace vellumar
