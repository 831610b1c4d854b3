#include "convert/complete_book.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <filesystem>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "base/xml_id.h"
#include "checking/book_check.h"
#include "pictures/picture_texts.h"

namespace vellumar {
namespace {

const std::filesystem::path kSchema = std::filesystem::path(VELLUMAR_DATA_DIR) / "schema" / "FictionBook.xsd";

class ScriptedUser : public UserInteraction {
public:
    std::optional<BookInfoAnswers> answers;
    void reportTokenizerProblem(std::string_view, std::string_view) override {}
    std::optional<BookInfoAnswers> askBookInfo() override { return answers; }
};

// Embeds every picture as a tiny binary with an id made from its src, as the picture code
// does in complete books; tables too large to draw are the ones numbered in `tooLarge`.
class StandInPictures : public PictureSink, public TablePictureSink {
public:
    std::vector<int> tooLarge;
    void embedPicture(std::string_view src, std::string& body, std::string& binaries) override
    {
        const std::string id = xmlIdForm(src) + "_" + std::to_string(++m_count) + ".jpg";
        body += imageReference(id);
        binaries += binaryElement("jpeg", id, "AAAA");
    }
    TableOutcome embedTablePicture(int number, std::string_view, std::string& binaries) override
    {
        if (std::find(tooLarge.begin(), tooLarge.end(), number) != tooLarge.end()) return TableOutcome::Text;
        binaries += binaryElement("png", tablePictureName(number), "AAAA");
        return TableOutcome::Picture;
    }

private:
    int m_count = 0;
};

struct Book {
    std::string whole;
    std::string body;   // the main body, "<body>" to "</body>"
    std::string notes;  // the notes body, or empty
};

ConversionOptions completeOptions(TableMode tables = TableMode::AsIs)
{
    ConversionOptions options;
    options.complete = true;
    options.showTitleInfo = false;
    options.tableMode = tables;
    return options;
}

Book convert(const std::string& html, const ConversionOptions& options = completeOptions(),
             ScriptedUser* userIn = nullptr, StandInPictures* picturesIn = nullptr)
{
    ScriptedUser localUser;
    StandInPictures localPictures;
    ScriptedUser& user = userIn ? *userIn : localUser;
    StandInPictures& pictures = picturesIn ? *picturesIn : localPictures;
    ConversionServices services{user, pictures, pictures};
    const auto doc = writeBook(html, options, services);
    if (!doc) return {};
    Book book;
    book.whole = doc->text();
    const std::size_t start = book.whole.find("<body>");
    const std::size_t end = book.whole.find("</body>", start) + 7;
    book.body = book.whole.substr(start, end - start);
    const std::size_t notes = book.whole.find("<body name=\"notes\">");
    if (notes != std::string::npos)
        book.notes = book.whole.substr(notes, book.whole.find("</body>", notes) + 7 - notes);
    return book;
}

// The schema's complaints about a book; empty when it is valid.
std::string schemaProblems(const std::string& book)
{
    const BookCheckResult result = checkFb2Book(book, kSchema);
    std::string text;
    if (!result.wellFormed) text += "not well-formed; ";
    for (const BookProblem& problem : result.problems)
        text += std::to_string(problem.line) + ": " + problem.message + "; ";
    return text;
}

// ---- validity -------------------------------------------------------------------------

struct PageCase {
    const char* name;
    std::string html;
};

const PageCase kPages[] = {
    {"Empty", "<html><body></body></html>"},
    {"NoBodyTag", "<p>a<h1>T</h1>b"},
    {"BareText", "<body>text outside any paragraph<div>more</div>tail"},
    {"HeadingsEveryLevel", "<body><h1>A</h1><h2>B</h2>x<h3>C</h3><h4>D</h4>y<h5>E</h5><h6>F</h6>z<h2>G</h2>"},
    {"HeadingOnly", "<body><h1>Only a title</h1>"},
    {"TextThenSubsection", "<body><h1>A</h1>intro<h2>B</h2>body"},
    {"BlocksInHeading", "<body><h1>A<p>B</p><br>C<table><tr><td>x</table></h1><h4>s<br>t<ul><li>u</ul></h4>"},
    {"SubtitleBelowLevel", "<body><h3>sub <b>bold</b> <img src=a.jpg></h3>"},
    {"PreBlock", "<body><pre>\nline one\n\n  <b>line</b> three\n</pre>"},
    {"PictureIds",
     "<body><img src='cover~temp.jpg'><img src='b/c.png'><img src='../images/amaya.jpg'><p>x<img src=a.jpg>"},
    {"PicturesInARow", "<body><h1>T</h1><img src=a.jpg><img src=b.jpg><img src=c.jpg>"},
    {"TableAllParts",
     "<body><table border=1 width=5><caption>Cap</caption><tr align=middle><th colspan=2 "
     "rowspan=x align=justify valign=center>h</th><td style=x>d<p>e</p><br>f</td></tr>text"
     "<tr></tr><td>lone</td></table>"},
    {"NestedTables", "<body><table><tr><td><table><tr><td>in</td></tr></table></td></tr></table>"},
    {"TableNeverClosed", "<body><table><tr><td>a<td>b"},
    {"EmptyTable", "<body><h2>x</h2><table></table>"},
    {"Lists", "<body><ol><li>a<li>b<ul><li>c</ul></ol><dl><dt>t<dd>d</dl>"},
    {"Quotes",
     "<body><blockquote>q<blockquote>inner</blockquote><h3>s</h3><img src=q.jpg><table><tr><td>c"
     "</table></blockquote>"},
    {"HeadingInQuote", "<body><blockquote>q<h1>T</h1>after</blockquote>x"},
    {"InlineElements",
     "<body>a<sup>1</sup><sub>2</sub><s>s</s><del>d</del><code>c</code><tt>t</tt><kbd>k</kbd>"
     "<b><i>bi</b>i</i>"},
    {"Misnested", "<body><b><p>one<i>two</b>three</p></i><p>four"},
    {"Links",
     "<body><a href='#t'>to <b>target</b></a><a href='http://x.org/a b?c=\"1\"&d'>web</a>"
     "<a href='#none'>dead</a><a href='other.html'>file</a><p id=t>here<a name=t2></a></p>"
     "<a href='#t2'>second</a><a href='#t'><a href='#t'>nested</a></a>"},
    {"AnchorsInHeadings",
     "<body><p><a href='#c1'>one</a> <a href='#c2'>two</a><h1 id=c1>C1</h1>"
     "<h2><a name=c2>C2</a></h2><a href='#c1'>back</a>"},
    {"AnchorIdsNeedMending",
     "<body><a href='#1 x'>a</a><a href='#n1'>b</a><p id='1 x'>t</p><p id=n1>u</p>"
     "<sup><a href='#f'>1</a></sup><p id=f>note <a href='#n1'>back</a></p>"},
    {"BlankParagraphsAndRules", "<body><p>&nbsp;</p><p></p><hr><p>x</p><br><br><br>y"},
    {"Hidden", "<head><title>T</title><style>p{}</style></head><body><script>a<b</script>x<svg><text>s</text></svg>"},
    {"Controls", std::string("<body>a\x01\x02\x03 b\x98 &#1; &#x1F; c]]>d") + "<p id='\x01'>x</p>"},
};

class ValidBooks : public ::testing::TestWithParam<PageCase> {};

TEST_P(ValidBooks, EveryTableModeValidates)
{
    for (const TableMode mode : {TableMode::AsIs, TableMode::ContentOnly, TableMode::ConvertToImage}) {
        const Book book = convert(GetParam().html, completeOptions(mode));
        EXPECT_EQ(schemaProblems(book.whole), "") << "tables " << static_cast<int>(mode) << "\n" << book.whole;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ValidBooks, ::testing::ValuesIn(kPages), vellumar::testing_support::CaseName{});

// Tag soups: random runs of the tags the walk treats specially, opened and closed anywhere.
std::string tagSoup(unsigned seed)
{
    static const std::vector<std::string> kPieces = {"<p>",
                                                     "</p>",
                                                     "<b>",
                                                     "</b>",
                                                     "<i>",
                                                     "</i>",
                                                     "<h1>",
                                                     "</h1>",
                                                     "<h2>",
                                                     "</h2>",
                                                     "<h3 id=h>",
                                                     "</h3>",
                                                     "<h5>",
                                                     "</h5>",
                                                     "<table>",
                                                     "</table>",
                                                     "<tr>",
                                                     "</tr>",
                                                     "<td colspan=2>",
                                                     "</td>",
                                                     "<th>",
                                                     "<caption>",
                                                     "</caption>",
                                                     "<ul>",
                                                     "<ol>",
                                                     "</ul>",
                                                     "<li>",
                                                     "</li>",
                                                     "<pre>",
                                                     "</pre>",
                                                     "<blockquote>",
                                                     "</blockquote>",
                                                     "<a href='#h'>",
                                                     "<a href='#x1'>",
                                                     "<a name=x1>",
                                                     "<a href='http://e.org'>",
                                                     "</a>",
                                                     "<sup>",
                                                     "</sup>",
                                                     "<sub>",
                                                     "<s>",
                                                     "</s>",
                                                     "<code>",
                                                     "</code>",
                                                     "<img src=p.jpg>",
                                                     "<br>",
                                                     "<hr>",
                                                     "<dl>",
                                                     "<dt>",
                                                     "<dd>",
                                                     "</dl>",
                                                     "<div>",
                                                     "</div>",
                                                     "<body>",
                                                     "</body>",
                                                     "text ",
                                                     "more text\n",
                                                     "&nbsp;",
                                                     "&amp;",
                                                     " ",
                                                     "\n\n",
                                                     "<sup><a href='#fn'>1</a></sup>",
                                                     "<p id=fn>A note <a href='#h'>back</a></p>",
                                                     "<p/>",
                                                     "<b/>"};
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::string html;
    const int count = 20 + static_cast<int>(seed % 80);
    for (int i = 0; i < count; ++i) html += kPieces[pick(random)];
    return html;
}

TEST(CompleteBook, TagSoupsValidate)
{
    for (unsigned seed = 1; seed <= 150; ++seed) {
        const std::string html = tagSoup(seed);
        const TableMode mode = static_cast<TableMode>(seed % 3);
        const Book book = convert(html, completeOptions(mode));
        ASSERT_EQ(schemaProblems(book.whole), "") << "seed " << seed << "\n" << html << "\n" << book.whole;
    }
}

// ---- notes ----------------------------------------------------------------------------

struct NoteCase {
    const char* name;
    std::string html;
    std::string noteText;  // in the note, and no longer in the main body
    std::string gone;      // a back link's text that the book no longer shows, or empty
};

const NoteCase kNotes[] = {
    {"Word",
     "<body><p>late<a style='mso-footnote-id:ftn1' href='#_ftn1' name='_ftnref1' title=''><span>[1]</span>"
     "</a> text</p><div style='mso-element:footnote-list'><div style='mso-element:footnote' id=ftn1>"
     "<p class=MsoFootnoteText><a href='#_ftnref1' name='_ftn1' title=''>[1]</a> Word note.</p></div></div>",
     "Word note.", "[1]"},
    {"WordEndnote",
     "<body><p>late<a href='#_edn1' name='_ednref1'>[i]</a></p><div id=edn1><p><a href='#_ednref1' "
     "name='_edn1'>[i]</a> End note.</p></div>",
     "End note.", "[i]"},
    {"LibreOffice",
     "<body><p>late<a class='sdfootnoteanc' name='sdfootnote1anc' href='#sdfootnote1sym'><sup>1</sup>"
     "</a></p><div id='sdfootnote1'><p class='sdfootnote'><a class='sdfootnotesym' "
     "name='sdfootnote1sym' href='#sdfootnote1anc'>1</a>Office note.</p></div>",
     "Office note.", ""},
    {"LibreOfficeEndnote",
     "<body><p>late<a class='sdendnoteanc' name='sdendnote1anc' href='#sdendnote1sym'>"
     "<sup>i</sup></a></p><div id='sdendnote1'><p class='sdendnote'><a class='sdendnotesym' "
     "name='sdendnote1sym' href='#sdendnote1anc'>i</a>Office endnote.</p></div>",
     "Office endnote.", ""},
    {"Pandoc",
     "<body><p>late<a href='#fn1' class='footnote-ref' id='fnref1' role='doc-noteref'><sup>1</sup></a></p>"
     "<section class='footnotes' role='doc-endnotes'><hr /><ol><li id='fn1'><p>Pandoc note.<a href='#fnref1'"
     " class='footnote-back' role='doc-backlink'>&#8617;</a></p></li></ol></section>",
     "Pandoc note.", "&#8617;"},
    {"Epub",
     "<body><p>late<a epub:type='noteref' href='#n-a'>*</a></p><aside epub:type='footnote' id='n-a'>"
     "<p>Epub note.</p></aside>",
     "Epub note.", ""},
    {"Gutenberg",
     "<body><p>late<a name='FNanchor_1_1' id='FNanchor_1_1'></a><a href='#Footnote_1_1' "
     "class='fnanchor'>[1]</a></p><div class='footnote'><p><a name='Footnote_1_1' id='Footnote_1_1'>"
     "</a><a href='#FNanchor_1_1'><span class='label'>[1]</span></a> Gutenberg note.</p></div>",
     "Gutenberg note.", "[1]"},
    {"Generic", "<body><p>late<a href='#x' id='r'><sup>1</sup></a> on</p><p id='x'><a href='#r'>^</a> Plain note.</p>",
     "Plain note.", "^"},
};

class Notes : public ::testing::TestWithParam<NoteCase> {};

TEST_P(Notes, BecomeNotes)
{
    const Book book = convert(GetParam().html);
    EXPECT_NE(book.body.find("late<a xlink:href=\"#n1\" type=\"note\">1</a>"), std::string::npos) << book.body;
    EXPECT_EQ(book.body.find(GetParam().noteText), std::string::npos) << book.body;
    EXPECT_NE(book.notes.find("<section id=\"n1\">\r\n<title><p>1</p></title>"), std::string::npos) << book.notes;
    EXPECT_NE(book.notes.find(GetParam().noteText), std::string::npos) << book.notes;
    // The section's id is the only one: readers take an id inside a note for the start of the
    // next note and show the note's number alone.
    EXPECT_EQ(book.notes.find(" id=", book.notes.find("<section id=") + 9), std::string::npos) << book.notes;
    if (!GetParam().gone.empty()) {
        EXPECT_EQ(book.notes.find(GetParam().gone), std::string::npos) << book.notes;
    }
    EXPECT_EQ(schemaProblems(book.whole), "") << book.whole;
}

INSTANTIATE_TEST_SUITE_P(Forms, Notes, ::testing::ValuesIn(kNotes), vellumar::testing_support::CaseName{});

TEST(CompleteBook, LinksThatAreNotNotesStayLinks)
{
    // A long target, and one that does not link back: links, not notes.
    const Book book = convert(
        "<body><p><a href='#a'>1</a> <a href='#b'>2</a></p><p id=a>Plain paragraph "
        "with no way back.</p><h2 id=b>Chapter</h2>");
    EXPECT_EQ(book.notes, "");
    EXPECT_NE(book.body.find("<a xlink:href=\"#a\">1</a>"), std::string::npos) << book.body;
    EXPECT_NE(book.body.find("<p id=\"a\">Plain paragraph"), std::string::npos) << book.body;
}

TEST(CompleteBook, NotesNumberedInReferenceOrder)
{
    const Book book = convert(
        "<body><p>a<sup><a href='#f2' id=r2>2</a></sup> b<sup><a href='#f1' id=r1>1</a></sup>"
        " c<sup><a href='#f2'>2</a></sup></p><p id=f1><a href='#r1'>1</a> first</p>"
        "<p id=f2><a href='#r2'>2</a> second</p>");
    EXPECT_NE(book.body.find("a<sup><a xlink:href=\"#n1\" type=\"note\">1</a></sup> b<sup><a xlink:href=\"#n2\" "
                             "type=\"note\">2</a></sup> c<sup><a xlink:href=\"#n1\" type=\"note\">1</a></sup>"),
              std::string::npos)
        << book.body;
    EXPECT_LT(book.notes.find("second"), book.notes.find("first"));
}

// ---- mappings -------------------------------------------------------------------------

struct MappingCase {
    const char* name;
    std::string html;
    std::string body;  // what the main body holds
};

const MappingCase kMappings[] = {
    {"Sup", "<body>E=mc<sup>2</sup>", "<p>E=mc<sup>2</sup></p>"},
    {"Sub", "<body>H<sub>2</sub>O", "<p>H<sub>2</sub>O</p>"},
    {"Strike", "<body><s>a</s><strike>b</strike><del>c</del>",
     "<p><strikethrough>a</strikethrough><strikethrough>b</strikethrough><strikethrough>c</strikethrough></p>"},
    {"Code", "<body><code>a</code><tt>b</tt><kbd>c</kbd>", "<p><code>a</code><code>b</code><code>c</code></p>"},
    {"Pre", "<body><pre>\none\n\ntwo</pre>", "<p><code>one</code></p>\r\n<empty-line/>\r\n<p><code>two</code></p>"},
    {"Blockquote", "<body><blockquote><p>q</p></blockquote>", "<cite>\r\n<p>q</p>\r\n</cite>"},
    {"BlankParagraph", "<body><p>a</p><p>&nbsp;</p><p>b</p>", "<p>a</p>\r\n<empty-line/>\r\n<p>b</p>"},
    {"Rule", "<body>a<hr>b", "<p>a</p>\r\n<empty-line/>\r\n<p>b</p>"},
    {"DoubleBreak", "<body>a<br><br>b", "<p>a</p>\r\n<empty-line/>\r\n<p>b</p>"},
    {"Definitions", "<body><dl><dt>term<dd>meaning</dl>", "<p><strong>term</strong></p>\r\n<p>meaning</p>"},
    {"OrderedList", "<body><ol><li>a<li>b</ol>", "<p>1. a</p>\r\n<p>2. b</p>"},
    {"BoldAcrossParagraphs", "<body><b>a<p>b</b>c", "<p><strong>a</strong></p>\r\n<p><strong>b</strong>c</p>"},
    {"WebLink", "<body><a href='https://e.org/a b'>e</a>", "<p><a xlink:href=\"https://e.org/a%20b\">e</a></p>"},
    {"DeadLink", "<body><a href='#nowhere'>x</a><a href='file.html'>y</a>", "<p>xy</p>"},
    {"AnchorLink", "<body><a href='#t'>go</a><p>x<a name=t></a>y</p>",
     "<p><a xlink:href=\"#t\">go</a></p>\r\n<p id=\"t\">xy</p>"},
    {"Sections", "<body><h1>A</h1><h2>B</h2>b<h2>C</h2>c",
     "<section>\r\n<title><p>A</p></title>\r\n<section>\r\n<title><p>B</p></title>\r\n<p>b</p>\r\n</section>\r\n"
     "<section>\r\n<title><p>C</p></title>\r\n<p>c</p>\r\n</section>\r\n</section>"},
    {"IntroBeforeSubsection", "<body><h1>A</h1>intro<h2>B</h2>b",
     "<title><p>A</p></title>\r\n<section>\r\n<p>intro</p>\r\n</section>\r\n<section>\r\n<title><p>B</p></title>"},
    {"SubtitleBelowTitleLevel", "<body><h1>A</h1><h4>s</h4>x", "<subtitle>s</subtitle>\r\n<p>x</p>"},
    {"TableAttributes", "<body><table border=1><tr align=center><td colspan=2 valign=middle width=3>a</td></table>",
     "<table>\r\n<tr align=\"center\"><td colspan=\"2\" valign=\"middle\">a</td></tr>\r\n</table>"},
    {"TableCaption", "<body><table><caption>Cap</caption><tr><td>a</td></table>", "<p>Cap</p>\r\n<table>"},
};

class Mappings : public ::testing::TestWithParam<MappingCase> {};

TEST_P(Mappings, BodyHolds)
{
    ConversionOptions options = completeOptions();
    options.titleLevel = 1;  // "h2"
    const Book book = convert(GetParam().html, options);
    EXPECT_NE(book.body.find(GetParam().body), std::string::npos) << book.body;
    EXPECT_EQ(schemaProblems(book.whole), "") << book.whole;
}

INSTANTIATE_TEST_SUITE_P(Elements, Mappings, ::testing::ValuesIn(kMappings), vellumar::testing_support::CaseName{});

// ---- header, cover and title level ----------------------------------------------------

std::string header(const Book& book) { return book.whole.substr(0, book.whole.find("</description>")); }

TEST(CompleteBook, HeaderFromTheSource)
{
    const Book book = convert(
        "<html lang='en-GB'><head><title>Pride &amp; Prejudice</title>"
        "<meta name='DC.creator' content='Jane Austen'></head><body>x");
    const std::string h = header(book);
    EXPECT_NE(h.find("<genre>unrecognised</genre>"), std::string::npos) << h;
    EXPECT_NE(h.find("<book-title>Pride &amp; Prejudice</book-title>"), std::string::npos) << h;
    EXPECT_NE(h.find("<first-name>Jane</first-name>\r\n  <last-name>Austen</last-name>"), std::string::npos) << h;
    EXPECT_NE(h.find("<lang>en</lang>"), std::string::npos) << h;
    EXPECT_TRUE(std::regex_search(
        h, std::regex("<id>[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}</id>")))
        << h;
    EXPECT_TRUE(std::regex_search(h, std::regex("<date value=\"\\d{4}-\\d\\d-\\d\\d\">"))) << h;
    EXPECT_NE(convert("<body>x").whole.find("<id>"), std::string::npos);
    EXPECT_NE(header(convert("<body>x")).find("<lang>ru</lang>"), std::string::npos);
}

TEST(CompleteBook, HeaderSources)
{
    struct Row {
        std::string html;
        std::string wanted;
    };
    const Row rows[] = {
        {"<body><h2>First heading</h2>x", "<book-title>First heading</book-title>"},
        {"<meta name=author content='Ann'><body>x", "<last-name>Ann</last-name>"},
        {"<!--[if gte mso 9]><xml><o:Author>Sam Lee</o:Author></xml><![endif]--><body>x",
         "<first-name>Sam</first-name>"},
        {"<meta http-equiv='Content-Language' content='de'><body>x", "<lang>de</lang>"},
        {"<html xml:lang='fr'><body>x", "<lang>fr</lang>"},
        {"<body lang=EN-US>x", "<lang>en</lang>"},
    };
    for (const Row& row : rows) EXPECT_NE(header(convert(row.html)).find(row.wanted), std::string::npos) << row.html;
}

TEST(CompleteBook, AnswersGoFirst)
{
    ScriptedUser user;
    user.answers = BookInfoAnswers{"Typed <Title>", "", ""};
    ConversionOptions options = completeOptions();
    options.showTitleInfo = true;
    options.genre = "prose_classic";
    const Book book = convert("<title>Source</title><meta name=author content='Jane Austen'><body>x", options, &user);
    const std::string h = header(book);
    EXPECT_NE(h.find("<book-title>Typed &lt;Title&gt;</book-title>"), std::string::npos) << h;
    EXPECT_NE(h.find("<last-name>Austen</last-name>"), std::string::npos) << h;  // no typed author
    EXPECT_NE(h.find("<genre>prose_classic</genre>"), std::string::npos) << h;
    options.genre = "no_such_genre";
    EXPECT_NE(header(convert("<body>x", options, &user)).find("<genre>unrecognised</genre>"), std::string::npos);
}

// Records what the book-info dialog was offered, and cancels it.
class ProposalUser : public ScriptedUser {
public:
    std::optional<BookInfoAnswers> proposed;
    std::optional<BookInfoAnswers> askBookInfoProposing(const BookInfoAnswers& offer) override
    {
        proposed = offer;
        return answers;
    }
};

TEST(CompleteBook, TheDialogIsOfferedWhatTheSourceSays)
{
    ProposalUser user;
    ConversionOptions options = completeOptions();
    options.showTitleInfo = true;
    const Book cancelled =
        convert("<title> R&amp;D\r\n notes </title><meta name=author content='Ann Mary Lee'><body>x", options, &user);
    ASSERT_TRUE(user.proposed.has_value());
    EXPECT_EQ(user.proposed->title, "R&D notes");
    EXPECT_EQ(user.proposed->firstName, "Ann Mary");
    EXPECT_EQ(user.proposed->lastName, "Lee");
    EXPECT_NE(header(cancelled).find("<book-title>R&amp;D notes</book-title>"), std::string::npos);

    user.answers = BookInfoAnswers{"Mine", "", ""};
    const Book typed = convert("<meta name=author content='Ann Lee'><body>x", options, &user);
    EXPECT_NE(header(typed).find("<book-title>Mine</book-title>"), std::string::npos);
    EXPECT_NE(header(typed).find("<first-name>Ann</first-name>"), std::string::npos);
}

TEST(CompleteBook, Cover)
{
    struct Row {
        std::string html;
        std::string coverSrc;  // the src of the picture that becomes the cover
    };
    const Row rows[] = {
        {"<body><img src=front.jpg><h1>T</h1>x<img src=later.jpg>", "front.jpg"},
        {"<body><h1>T</h1>x<img src=a.jpg><img src=img/Cover.jpg>", "img_Cover.jpg"},
        {"<body>text first<img src=a.jpg>", ""},
    };
    for (const Row& row : rows) {
        const Book book = convert(row.html);
        if (row.coverSrc.empty()) {
            EXPECT_EQ(book.whole.find("<coverpage>"), std::string::npos) << row.html;
        } else {
            const std::size_t cover = book.whole.find("<coverpage><image xlink:href=\"#" + xmlIdForm(row.coverSrc));
            EXPECT_NE(cover, std::string::npos) << book.whole;
            EXPECT_EQ(book.body.find(xmlIdForm(row.coverSrc)), std::string::npos) << book.body;
        }
        EXPECT_EQ(schemaProblems(book.whole), "") << book.whole;
    }
}

TEST(CompleteBook, AutomaticTitleLevel)
{
    const std::string chapter(400, 'x');
    ConversionOptions options = completeOptions();
    options.titleLevel = kTitleLevelAuto;
    // Chapters under h3: the h3 level splits the book well.
    const Book deep = convert("<body><h1>Book</h1><h3>One</h3>" + chapter + "<h3>Two</h3>" + chapter, options);
    EXPECT_NE(deep.body.find("<title><p>Two</p></title>"), std::string::npos) << deep.body;
    // h4 headings a line apart would make sections of a line: they stay subtitles.
    const Book shallow =
        convert("<body><h2>One</h2><h4>a</h4>b<h4>c</h4>d<h4>e</h4>f" + chapter + "<h2>Two</h2>" + chapter, options);
    EXPECT_NE(shallow.body.find("<title><p>Two</p></title>"), std::string::npos) << shallow.body;
    EXPECT_NE(shallow.body.find("<subtitle>a</subtitle>"), std::string::npos) << shallow.body;
}

TEST(CompleteBook, TablePicturesAndTheirText)
{
    StandInPictures pictures;
    pictures.tooLarge = {2};
    const Book book = convert(
        "<body><table><caption>One</caption><tr><td>a</table><table><tr><td>big</td>"
        "<td>cells</td></table>",
        completeOptions(TableMode::ConvertToImage), nullptr, &pictures);
    EXPECT_NE(book.body.find("<p>One</p>\r\n<image xlink:href=\"#table1.png\"/>"), std::string::npos) << book.body;
    EXPECT_NE(book.body.find("<p>big</p>\r\n<p>cells</p>"), std::string::npos) << book.body;
    EXPECT_EQ(schemaProblems(book.whole), "") << book.whole;
}

}  // namespace
}  // namespace vellumar
