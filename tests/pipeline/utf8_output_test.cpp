// A page converted into a windows-1251 book and into a UTF-8 book: both read back as the same
// document, text, structure and pictures.

#include <gtest/gtest.h>

#include <string>

#include "base/conversion_options.h"
#include "base/user_interaction.h"
#include "encodings/text_encoding.h"
#include "files/temp_folder.h"
#include "pipeline/pipeline.h"
#include "support/test_pictures.h"
#include "support/xml_check.h"

namespace vellumar {
namespace {

// The same page converted in both encodings parses to the same document.
TEST(Utf8Book, BothEncodingsReadBackAlike)
{
    const std::string page =
        "<html><head><title>Mixed</title></head><body>\n<h1>Заглавие &mdash; Title</h1>\n"
        "<p>Français: déjà vu, œuvre &eacute;t&eacute; &#8230; &#x2014;</p>\n"
        "<p>Ελληνικά: αβγ &alpha;&beta; &#150; &lt;tag&gt; &amp; &quot;q&quot;</p>\n"
        "<p>中文：你好，世界 &#128512; A&#65;</p>\n<p>Tab\there</p>\n<p><img src=\"pic.png\" alt=\"é\"></p>\n"
        "</body></html>\n";
    TempFolder folder;
    test::writeBytes(folder.file("pic.png"), test::pngBytes(30, 20, 2, 0x336699ff));
    std::string books[2];
    for (int i = 0; i < 2; ++i) {
        ConversionOptions options;
        options.outputEncoding = i == 0 ? OutputEncoding::Windows1251 : OutputEncoding::Utf8;
        SilentInteraction user;
        const std::optional<Fb2Document> book =
            convertSource(sourceToWindows1251(page, "utf-8"), options, folder.path(), user);
        ASSERT_TRUE(book);
        books[i] = book->text();
        EXPECT_EQ(testing::xmlProblem(books[i]), "") << i;
    }
    EXPECT_NE(books[0].find("encoding=\"windows-1251\""), std::string::npos);
    EXPECT_NE(books[1].find("encoding=\"utf-8\""), std::string::npos);
    EXPECT_NE(books[1].find("déjà vu, œuvre été … —"), std::string::npos);
    EXPECT_NE(books[1].find("中文：你好，世界 😀 AA"), std::string::npos);
    EXPECT_EQ(books[1].find("&#9"), std::string::npos);
    EXPECT_NE(books[1].find("<binary"), std::string::npos) << "the picture is in the book";
    EXPECT_FALSE(testing::canonicalXml(books[0]).empty());
    EXPECT_EQ(testing::canonicalXml(books[0]), testing::canonicalXml(books[1]));
}

}  // namespace
}  // namespace vellumar
