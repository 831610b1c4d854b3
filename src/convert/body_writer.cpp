#include "convert/body_writer.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "base/ascii_case.h"
#include "base/page_warmer.h"
#include "base/text_rules.h"
#include "cleaning/attribute_quoting.h"
#include "convert/body_balancer.h"
#include "convert/complete_book.h"
#include "convert/document_frame.h"
#include "convert/source_survey.h"
#include "convert/title_information.h"
#include "convert/title_level_choice.h"
#include "convert/xml_text.h"
#include "html/tokenizer.h"
#include "pictures/picture_texts.h"

namespace vellumar {

namespace {

constexpr std::string_view kEmptyParagraph = "<p> </p>\r\n";

bool isOpeningTableTag(std::string_view name)
{
    return name == "table" || name == "tr" || name == "td" || name == "th" || name == "caption";
}

bool isClosingTableTag(std::string_view name)
{
    return name == "/table" || name == "/tr" || name == "/td" || name == "/th" || name == "/caption";
}

// Elements that never have content, so that "<br/>" and "<img src=a.jpg />" mean what
// "<br>" and "<img src=a.jpg>" mean.
bool isVoidElement(std::string_view name)
{
    static constexpr std::array<std::string_view, 14> kVoid = {"area", "base",  "br",   "col",   "embed",  "hr",    "img",
                                                               "input", "link", "meta", "param", "source", "track", "wbr"};
    return std::find(kVoid.begin(), kVoid.end(), name) != kVoid.end();
}

// "<p/>", "<li />", "<b/>": an element that cannot be empty, written as if it were.
bool isSelfClosedNonVoid(const HtmlItem& tag, std::string_view lowerName)
{
    const std::string_view text = tag.tagText();
    return !text.empty() && text.back() == '/' && text.front() != '/' && !isVoidElement(lowerName);
}

// Heading rank 1..6 of "hN" or "/hN", else 0.
int headingRank(std::string_view name)
{
    if (!name.empty() && name[0] == '/') name.remove_prefix(1);
    if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') return name[1] - '0';
    return 0;
}

class BodyWalk {
public:
    BodyWalk(const HtmlParser& parser, const ConversionOptions& options, ConversionServices& services,
             bool tablePictures)
        : m_parser(parser), m_options(options), m_services(services), m_tablePictures(tablePictures)
    {
    }

    // Walks the items the parser shows that have not been walked yet: all of them after
    // parse(), the new ones of each batch of parseInBatches.
    void walkNewItems()
    {
        if (!m_warmer) {  // the first items
            // The body is about as long as the source, often a little longer (line breaks,
            // tags spelled out): room for a quarter more spares a regrowth, which would hold
            // the body twice while it is copied. Room never written to costs no memory.
            m_body.reserve(m_parser.text().size() + m_parser.text().size() / 4);
            m_warmer.emplace(m_body.data(), m_parser.text().size());
        }
        for (; m_nextItem < m_parser.itemCount(); ++m_nextItem) {
            const HtmlItem item = m_parser.item(m_nextItem);
            m_index = m_nextItem;
            if (item.isTag())
                handleTag(item);
            else if (item.isText() && m_bodySeen)
                handleText(item.text());
        }
    }

    // After the last item: ends a table the source never closed.
    void finish()
    {
        m_warmer.reset();
        if (m_inTable) finishTable();
    }

    std::string& body() { return m_body; }
    std::string& binaries() { return m_binaries; }
    bool bodySeen() const { return m_bodySeen; }

private:
    // The lower-case name of the tag (in m_name), with the state every walk keeps. nullopt
    // for a self-closed element that needs content ("<p/>", "<li/>", "<b/>"): it stands for
    // nothing, so no paragraph, list item or cell, and no state of the walk changes.
    std::optional<std::string_view> readTag(const HtmlItem& tag)
    {
        lowerName(tag.name());
        const std::string_view name = m_name;
        if (isSelfClosedNonVoid(tag, name)) return std::nullopt;
        if (!m_bodySeen && name == "body") m_bodySeen = true;
        if (name == "p")
            m_paragraphOpen = true;
        else if (name == "/p")
            m_paragraphOpen = false;
        return name;
    }

    void handleTag(const HtmlItem& tag)
    {
        const std::optional<std::string_view> name = readTag(tag);
        if (!name) return;
        if (m_tablePictures)
            handleTagWithTablePictures(tag, *name);
        else
            handleTagPlain(tag, *name, m_options.tablesContentOnly());
    }

    void handleTagPlain(const HtmlItem& tag, std::string_view name, bool contentOnly)
    {
        if (name == "img") {
            embedPictures(tag);
        } else if (!isOpeningTableTag(name)) {
            if (!contentOnly || !isClosingTableTag(name)) m_body += mapTag(name, m_options.titleLevel, m_paragraphOpen);
        } else if (!contentOnly) {
            writeTableTagAsIs(tag, name);
        }
    }

    void handleTagWithTablePictures(const HtmlItem& tag, std::string_view name)
    {
        // A table inside a cell belongs to the picture of the outermost table: its cells'
        // texts become the text of the cell that holds it.
        if (m_tableDepth > 1 || (m_tableDepth == 1 && name == "table")) {
            if (name == "table") {
                ++m_tableDepth;
            } else if (name == "/table") {
                --m_tableDepth;
            } else if (!isOpeningTableTag(name) && !isClosingTableTag(name)) {
                collectTableTag(tag, name);
            }
            return;
        }
        if (name == "table") {
            m_inTable = true;
            m_tableDepth = 1;
            ++m_tableCount;
            if (m_tableHtml.empty()) {
                m_tableHtml = "<html>\r\n";
                m_tableStart = m_index;
                m_bodySeenAtTableStart = m_bodySeen;
            }
        } else if (name == "/table") {
            finishTable();
            return;
        }

        if (m_inTable) {
            collectTableTag(tag, name);
            if (name == "caption") m_inCaption = true;
            if (name == "/caption") m_inCaption = false;
        } else if (name == "img") {
            embedPictures(tag);
        } else {
            m_body += mapTag(name, m_options.titleLevel, m_paragraphOpen);
        }
    }

    // Ends the collection of a table (also of one the source never closes) and puts its
    // picture where it stood, or its text when it cannot be drawn.
    void finishTable()
    {
        m_inTable = false;
        m_tableDepth = 0;
        m_tableHtml += "</table>\r\n</html>";
        const TableOutcome outcome = m_services.tablePictures.embedTablePicture(m_tableCount, m_tableHtml, m_binaries);
        m_tableHtml.clear();
        if (outcome == TableOutcome::Text && m_tableStart >= 0) {
            writeTableAsText(m_tableStart, m_index);
        } else {
            m_body += "\r\n<empty-line/>\r\n";
            // The table's caption, which its picture does not show, stands above it.
            if (!trimControls(m_caption).empty()) m_body.append("<p>").append(trimControls(m_caption)).append("</p>");
            m_body += tablePictureReference(m_tableCount);
        }
        m_tableStart = -1;
        m_inCaption = false;
        m_caption.clear();
    }

    // A collected table that cannot be drawn, written as "Content only" writes tables: its
    // items walked again, from its "table" tag to its "/table", table tags writing nothing.
    void writeTableAsText(std::int32_t first, std::int32_t last)
    {
        m_bodySeen = m_bodySeenAtTableStart;
        for (std::int32_t i = first; i <= last; ++i) {
            const HtmlItem item = m_parser.item(i);
            if (item.isTag()) {
                if (const std::optional<std::string_view> name = readTag(item)) handleTagPlain(item, *name, true);
            } else if (item.isText() && m_bodySeen) {
                handleText(item.text());
            }
        }
    }

    void handleText(std::string_view text)
    {
        if (m_inTable) {
            m_tableHtml.append(text);
            if (m_inCaption && m_tableDepth == 1) appendText(m_caption, text);
            return;
        }
        appendText(m_body, text);
    }

    // A text item as the body holds text: line breaks straightened, entity rules applied.
    void appendText(std::string& out, std::string_view text) { appendBodyText(out, text, m_options.straightenText); }

    void embedPictures(const HtmlItem& tag)
    {
        for (std::int32_t k = 0; k < tag.paramCount(); ++k) {
            const HtmlParam param = tag.param(k);
            if (equalsNoCase(param.key(), "src"))
                m_services.pictures.embedPicture(param.value(), m_body, m_binaries);
        }
    }

    // A table tag kept as an FB2 table tag: " <name attr="value"...>". "border" is dropped, and
    // so are attributes that could not stand in XML (no proper name, or named twice).
    void writeTableTagAsIs(const HtmlItem& tag, std::string_view name)
    {
        m_body += " <";
        m_body += name;
        std::vector<std::string> written;
        for (std::int32_t k = 0; k < tag.paramCount(); ++k) {
            const HtmlParam param = tag.param(k);
            std::string key = asciiLower(param.key());
            if (key == "border" || !isXmlName(key) || std::find(written.begin(), written.end(), key) != written.end())
                continue;
            m_body += ' ';
            m_body += key;
            m_body += '=';
            m_body += quoteValue(xmlSafeAttributeValue(param.value()));
            written.push_back(std::move(key));
        }
        m_body += '>';
    }

    void collectTableTag(const HtmlItem& tag, std::string_view name) { appendStartTag(m_tableHtml, name, tag); }

    void lowerName(std::string_view name)
    {
        m_name.assign(name);
        for (char& c : m_name)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }

    const HtmlParser& m_parser;
    const ConversionOptions& m_options;
    ConversionServices& m_services;
    const bool m_tablePictures;

    std::string m_name;  // the current tag's lower-case name, reused to avoid an allocation per tag
    std::string m_body;
    std::string m_binaries;
    std::string m_tableHtml;
    std::string m_caption;  // the text of the collected table's caption, as body text
    bool m_inCaption = false;
    bool m_bodySeen = false;
    bool m_paragraphOpen = false;
    bool m_inTable = false;
    int m_tableDepth = 0;  // tables open inside one another, picture walk only
    int m_tableCount = 0;
    std::int32_t m_index = 0;        // the item being walked
    std::int32_t m_nextItem = 0;     // the first item not walked yet
    std::int32_t m_tableStart = -1;  // the "table" item that began the table being collected
    bool m_bodySeenAtTableStart = false;
    // Makes the body's pages meanwhile; it stops before the body can go.
    std::optional<PageWarmer> m_warmer;
};

}  // namespace

std::string quoteValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size() + 2);
    out.append("\"").append(value).append("\"");
    return out;
}

std::string_view mapHeading(std::string_view name, int titleLevel)
{
    const int rank = headingRank(name);
    if (rank == 0 || titleLevel < 0 || titleLevel > 5) return {};
    const bool closing = name[0] == '/';
    if (rank <= titleLevel + 1)
        return closing ? "</strong></p></title>\r\n" : "</section>\r\n<section>\r\n<title><p><strong>";
    if (rank == titleLevel + 2) return closing ? "</strong></p></subtitle>\r\n" : "\r\n<subtitle><p><strong>";
    return closing ? "</strong></p>\r\n<p> </p>\r\n" : "\r\n<p> </p>\r\n<p><strong>";
}

std::string_view mapTag(std::string_view name, int titleLevel, bool& paragraphOpen)
{
    if (headingRank(name) != 0) return mapHeading(name, titleLevel);
    struct Row {
        std::string_view name;
        std::string_view text;
    };
    static constexpr std::array<Row, 17> kRows = {{
        {"p", "<p>"},
        {"/p", "</p>\r\n"},
        {"b", "<strong>"},
        {"/b", "</strong>"},
        {"i", "<emphasis>"},
        {"/i", "</emphasis>"},
        {"body", "<body>\r\n<section>\r\n"},
        {"/body", "</section>\r\n</body>\r\n"},
        {"/table", "</table>\r\n"},
        {"/tr", "</tr>\r\n"},
        {"/td", "</td>"},
        {"/th", "</th>"},
        {"/caption", "</caption>\r\n"},
        {"ul", kEmptyParagraph},
        {"ol", kEmptyParagraph},
        {"/ul", kEmptyParagraph},
        {"/ol", kEmptyParagraph},
    }};
    for (const Row& row : kRows)
        if (row.name == name) return row.text;
    if (name == "li") {
        paragraphOpen = true;
        return "<p>\x95 ";
    }
    if (name == "/li") {
        paragraphOpen = false;
        return "</p>\r\n";
    }
    if (name == "br") return paragraphOpen ? "</p>\r\n<p>" : kEmptyParagraph;
    return {};
}

std::optional<Fb2Document> writeBook(std::string sourceText, const ConversionOptions& options,
                                     ConversionServices& services)
{
    if (options.complete) return writeCompleteBook(std::move(sourceText), options, services);
    PictureConversionScope scope(services.pictures);
    HtmlParser parser;
    const HtmlErrorHandler onError = [&services](std::string_view message, std::string_view text) {
        services.user.reportTokenizerProblem(message, text);
    };
    ConversionOptions walkOptions = options;
    BodyWalk walk(parser, walkOptions, services, options.tablesToPictures());
    try {
        if (options.titleLevel == kTitleLevelAuto) {
            // The title level is chosen from the headings of the whole source.
            parser.parse(std::move(sourceText), onError);
            const SourceSurvey survey = surveySource(parser);
            walkOptions.titleLevel = chooseTitleLevel(survey.headings, survey.textBytes);
            walk.walkNewItems();
        } else {
            // The walk takes the items as they come while the rest is still being tokenized.
            parser.parseInBatches(
                std::move(sourceText), onError, [&walk] { walk.walkNewItems(); }, HtmlParser::Batches::Kept);
        }
        walk.finish();
    } catch (...) {
        // A picture met earlier that fails to decode is the error to report, as when each
        // picture is done in turn.
        services.pictures.completeBinaries(std::move(walk.binaries()));
        throw;
    }
    if (parser.itemCount() == 0) return std::nullopt;
    // The walk is over: the source and its items go before the body is balanced, which may
    // build it anew.
    parser.clear();
    // The body is finished while the picture workers still shrink and encode.
    std::string body = balanceBody(std::move(walk.body()));
    collapseSpaceRunsInPlace(body);
    walk.body().clear();
    walk.body().shrink_to_fit();
    TextPieces binaries = services.pictures.completeBinaries(std::move(walk.binaries()));

    const TitleInformation info = askTitleInformation(options, services.user);
    Fb2Document doc;
    doc.proposedFileName = info.proposedFileName;
    doc.bodySeen = walk.bodySeen();
    doc.pieces.reserve(binaries.size() + 3);
    doc.pieces.push_back(buildHeader(info.title, info.firstName, info.lastName));
    doc.pieces.push_back(std::move(body));
    std::move(binaries.begin(), binaries.end(), std::back_inserter(doc.pieces));
    doc.pieces.push_back(closeDocument());
    return doc;
}

}  // namespace vellumar
