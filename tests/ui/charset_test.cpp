#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include <vector>

#include "settings/charsets.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/editor/charset_text.h"

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
        const int charset = vellumar::charsetByName(c.charsetName);
        const QString shown = decodeBytes(kCyrillic, charset);
        EXPECT_EQ(shown, QString::fromUtf8(c.shown)) << c.charsetName;
        EXPECT_EQ(encodeText(shown, charset), kCyrillic) << c.charsetName << ": read back unchanged";
    }
}

TEST(CharsetText, MissingCharactersComeBackAsReferences)
{
    EXPECT_EQ(encodeText(QString::fromUtf8("a…€"), 204), "a\x85\x88");
    EXPECT_EQ(encodeText(QString::fromUtf8("Ω"), 204), "&#937;");
    EXPECT_EQ(encodeText(QString::fromUtf8("Ж"), 0), "&#1046;");
}

TEST(DialogCharset, EveryTextBoxRedisplaysTheSameBytes)
{
    BookInfoDialog bookInfo;
    FindDialog find;
    ReplaceDialog replace;
    const std::vector<QLineEdit*> boxes = {bookInfo.titleEdit(), bookInfo.firstNameEdit(), bookInfo.lastNameEdit(),
                                           find.findEdit(),      replace.findEdit(),       replace.replaceEdit()};
    for (QLineEdit* box : boxes)
        setTextBoxBytes(box, kCyrillic);
    EXPECT_EQ(find.findEdit()->text(), QString::fromUtf8("Привет"));

    const auto setAll = [&](int charset) {
        bookInfo.setCharset(charset);
        find.setCharset(charset);
        replace.setCharset(charset);
    };
    setAll(0);  // ANSI_CHARSET
    for (QLineEdit* box : boxes) {
        EXPECT_EQ(textBoxCharset(box), 0) << box->objectName().toStdString();
        EXPECT_EQ(box->text(), QString::fromUtf8("Ïðèâåò"));
        EXPECT_EQ(textBoxBytes(box), kCyrillic);
    }
    setAll(204);  // RUSSIAN_CHARSET
    for (QLineEdit* box : boxes)
        EXPECT_EQ(box->text(), QString::fromUtf8("Привет"));
}

}  // namespace
}  // namespace vellumar
