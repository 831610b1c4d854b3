// A book written in UTF-8 at the end of a conversion: what becomes itself and what stays a
// reference.

#include "convert/utf8_book.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumar {
namespace {

TEST(Utf8Book, CharactersAsThemselvesAndTheReferencesXmlNeeds)
{
    struct Case {
        const char* name;
        std::string windows1251;
        std::string utf8;
    };
    const Case cases[] = {
        {"ascii", "<p>plain</p>", "<p>plain</p>"},
        {"cyrillic bytes", "\xcf\xf0\xe8\xe2\xe5\xf2 \x97 \xab\xbb", "Привет — «»"},
        {"decimal and hex", "&#945;&#x3b2;&#20013;&#128512;", "αβ中😀"},
        {"ascii reference", "&#65;&#x42;", "AB"},
        {"markup stays", "&#60;&#38;&#62;&#34;&#39;&#x3C;", "&#60;&#38;&#62;&#34;&#39;&#x3C;"},
        {"whitespace stays", "a&#9;b&#10;c&#13;&#xD;", "a&#9;b&#10;c&#13;&#xD;"},
        {"c1 control stays what it is", "&#150;", "\u0096"},
        {"not allowed in xml stays", "&#1;&#xFFFE;&#xD800;", "&#1;&#xFFFE;&#xD800;"},
        {"capital x is no reference", "&#X41;", "&#X41;"},
        {"entities untouched", "&amp;#233; &lt; &quot;", "&amp;#233; &lt; &quot;"},
        {"unfinished references", "&#233 &#; &#x;", "&#233 &#; &#x;"},
    };
    for (const Case& c : cases) EXPECT_EQ(windows1251BookTextToUtf8(c.windows1251), c.utf8) << c.name;
}

TEST(Utf8Book, DeclarationNamesUtf8AndPlainPiecesStay)
{
    TextPieces pieces = {"<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<FictionBook>\xc0",
                         "<binary id=\"a.png\">iVBORw0KGgo=</binary>", "</FictionBook>"};
    const char* binary = pieces[1].data();
    encodeBookAsUtf8(pieces);
    EXPECT_EQ(pieces[0], "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<FictionBook>А");
    EXPECT_EQ(pieces[1].data(), binary) << "a picture's base64 is not copied";
    // The declaration's words elsewhere in a book are text, not the declaration.
    TextPieces text = {"<?xml version=\"1.0\"?>\r\n<p>encoding=\"windows-1251\"</p>"};
    encodeBookAsUtf8(text);
    EXPECT_EQ(text[0], "<?xml version=\"1.0\"?>\r\n<p>encoding=\"windows-1251\"</p>");
}

}  // namespace
}  // namespace vellumar
