#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include <memory>

#include "settings/charsets.h"
#include "ui/apply_charset.h"
#include "ui/book_info_dialog.h"
#include "ui/charset_text.h"
#include "ui/find_dialog.h"
#include "ui/replace_dialog.h"

namespace vellumar {
namespace {


// "Привет" in windows-1251.
constexpr std::string_view kCyrillic = "\xCF\xF0\xE8\xE2\xE5\xF2";

TEST(CharsetText, SameBytesShowPerCodePage)
{
    struct Case {
        const char* charsetName;
        const char* shown;  // UTF-8
    };
    const Case cases[] = {
        {"DEFAULT_CHARSET", "Привет"},   {"RUSSIAN_CHARSET", "Привет"}, {"ANSI_CHARSET", "Ïðèâåò"},
        {"EASTEUROPE_CHARSET", "Ďđčâĺň"}, {"GREEK_CHARSET", "Οπθβες"},  {"OEM_CHARSET", "╧ЁштхЄ"},
        {"SYMBOL_CHARSET", "Ïðèâåò"},
    };
    for (const Case& c : cases) {
        const int charset = vellumar::CharsetByName(c.charsetName);
        const QString shown = DecodeBytes(kCyrillic, charset);
        EXPECT_EQ(shown, QString::fromUtf8(c.shown)) << c.charsetName;
        EXPECT_EQ(EncodeText(shown, charset), kCyrillic) << c.charsetName << ": read back unchanged";
    }
}

TEST(CharsetText, MissingCharactersComeBackAsReferences)
{
    EXPECT_EQ(EncodeText(QString::fromUtf8("a…€"), 204), "a\x85\x88");
    EXPECT_EQ(EncodeText(QString::fromUtf8("Ω"), 204), "&#937;");
    EXPECT_EQ(EncodeText(QString::fromUtf8("Ж"), 0), "&#1046;");
}

// A stand-in for the main window: the list and the two editors, found by name.
struct FakeMainWindow {
    FakeMainWindow()
    {
        window->setObjectName("Form1");
        list = new QComboBox(window.get());
        list->setObjectName("ComboBox2");
        for (std::string_view name : vellumar::kCharsetNames)
            list->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        list->setCurrentIndex(vellumar::kDefaultCharsetIndex);
        for (const char* name : {"SynMemo1", "SynMemo2"}) {
            auto* editor = new QWidget(window.get());
            editor->setObjectName(name);
        }
    }
    int editorCharset(const char* name) const
    {
        return window->findChild<QWidget*>(name)->property("charset").toInt();
    }
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QComboBox* list = nullptr;
};

TEST(ApplyCharset, WorksBeforeTheDialogsExist)
{
    FakeMainWindow main;
    main.list->setCurrentIndex(13);
    ApplyCharset(main.window.get());
    EXPECT_EQ(main.editorCharset("SynMemo1"), 204);
    EXPECT_EQ(main.editorCharset("SynMemo2"), 204);
    main.list->setCurrentIndex(-1);
    ApplyCharset(main.window.get());
    EXPECT_EQ(main.editorCharset("SynMemo1"), 1) << "no selection gives the default set";
}

TEST(ApplyCharset, ReachesEveryDialogTextBoxAndRedisplaysTheSameBytes)
{
    FakeMainWindow main;
    BookInfoDialog bookInfo;
    FindDialog find;
    ReplaceDialog replace;
    std::vector<QLineEdit*> boxes = {bookInfo.titleEdit(), bookInfo.firstNameEdit(), bookInfo.lastNameEdit(),
                                     find.findEdit(), replace.findEdit(), replace.replaceEdit()};
    for (QLineEdit* box : boxes)
        vellumar::SetTextBoxBytes(box, kCyrillic);
    EXPECT_EQ(find.findEdit()->text(), QString::fromUtf8("Привет"));

    main.list->setCurrentIndex(0);  // ANSI_CHARSET
    ApplyCharset(main.window.get());
    EXPECT_EQ(main.editorCharset("SynMemo1"), 0);
    for (QLineEdit* box : boxes) {
        EXPECT_EQ(vellumar::TextBoxCharset(box), 0) << box->objectName().toStdString();
        EXPECT_EQ(box->text(), QString::fromUtf8("Ïðèâåò"));
        EXPECT_EQ(vellumar::TextBoxBytes(box), kCyrillic);
    }

    main.list->setCurrentIndex(13);  // RUSSIAN_CHARSET
    ApplyCharset(main.window.get());
    for (QLineEdit* box : boxes)
        EXPECT_EQ(box->text(), QString::fromUtf8("Привет"));
}

TEST(ApplyCharset, ShownDialogTakesTheChosenSet)
{
    FakeMainWindow main;
    main.list->setCurrentIndex(13);
    EXPECT_EQ(vellumar::ChosenCharset(), 204);
    FindDialog find;
    find.show();
    EXPECT_EQ(vellumar::TextBoxCharset(find.findEdit()), 204);
    find.hide();
}

}  // namespace
}  // namespace vellumar
