#include "convert/source_survey.h"

#include "base/ascii_case.h"

namespace vellumar {

namespace {

int headingRankOf(std::string_view name)
{
    if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') return name[1] - '0';
    return 0;
}

// Word keeps the document's author in its XML island, inside a conditional comment:
// "<o:Author>Name</o:Author>".
std::string_view wordAuthor(std::string_view comment)
{
    constexpr std::string_view kOpen = "<o:Author>";
    const std::size_t start = comment.find(kOpen);
    if (start == std::string_view::npos) return {};
    const std::size_t from = start + kOpen.size();
    const std::size_t end = comment.find("</o:Author>", from);
    if (end == std::string_view::npos) return {};
    return comment.substr(from, end - from);
}

class Survey {
public:
    explicit Survey(const HtmlParser& parser) : m_parser(parser) {}

    SourceSurvey run()
    {
        for (std::int32_t i = 0; i < m_parser.itemCount(); ++i) {
            const HtmlItem item = m_parser.item(i);
            if (item.isTag())
                tag(item, i);
            else if (item.isText())
                text(item.text());
            else if (item.kind() == HtmlItemKind::Comment && m_wordAuthor.empty())
                m_wordAuthor = wordAuthor(item.text());
        }
        if (m_result.metadata.author.empty()) m_result.metadata.author = std::string(m_wordAuthor);
        if (m_result.metadata.title.empty()) m_result.metadata.title = std::move(m_headingText);
        return std::move(m_result);
    }

private:
    void tag(const HtmlItem& item, std::int32_t index)
    {
        const std::string_view name = lowerTagName(item, m_name);
        SourceMetadata& meta = m_result.metadata;
        if (item.paramCount() > 0) anchor(item, name, index);
        if (name == "img") picture(item, index);
        if (name == "body") {
            m_result.hasBody = true;
            m_inBody = true;
        }
        if (name == "html" || name == "body") {
            if (meta.lang.empty()) meta.lang = attributeValue(item, "lang");
            if (meta.lang.empty()) meta.lang = attributeValue(item, "xml:lang");
        } else if (name == "meta") {
            readMeta(item);
        } else if (name == "title") {
            m_inTitle = !m_titleSeen;
            m_titleSeen = true;
        } else if (name == "/title") {
            m_inTitle = false;
        } else if (name == "script" || name == "style") {
            m_skip = true;
        } else if (name == "/script" || name == "/style") {
            m_skip = false;
        } else if (const int rank = headingRankOf(name)) {
            m_result.headings.push_back({rank, m_result.textBytes});
            m_contentSeen = true;
            m_inHeading = m_result.headings.size() == 1;
        } else if (name.size() == 3 && name[0] == '/' && headingRankOf(name.substr(1))) {
            m_inHeading = false;
        }
    }

    void readMeta(const HtmlItem& item)
    {
        SourceMetadata& meta = m_result.metadata;
        const std::string_view name = attributeValue(item, "name");
        const std::string_view content = attributeValue(item, "content");
        if (meta.author.empty() &&
            (equalsNoCase(name, "author") || equalsNoCase(name, "dc.creator") || equalsNoCase(name, "creator")))
            meta.author = content;
        if (meta.lang.empty() &&
            (equalsNoCase(attributeValue(item, "http-equiv"), "content-language") || equalsNoCase(name, "dc.language")))
            meta.lang = content;
    }

    void anchor(const HtmlItem& item, std::string_view name, std::int32_t index)
    {
        bool found = false;
        std::string_view id = attributeValue(item, "id", &found);
        if (!found && name == "a") id = attributeValue(item, "name", &found);
        if (found && !id.empty()) m_result.anchors.emplace(id, index);
        if (name == "a") {
            const std::string_view href = attributeValue(item, "href");
            if (href.size() > 1 && href[0] == '#') m_result.linkedNames.push_back(href.substr(1));
            const std::string_view other = attributeValue(item, "name");
            if (!other.empty() && other != id) m_result.anchors.emplace(other, index);
        }
    }

    void picture(const HtmlItem& item, std::int32_t index)
    {
        if (m_inBody && !m_contentSeen && m_result.leadingPicture < 0) m_result.leadingPicture = index;
        if (m_result.namedCoverPicture >= 0) return;
        for (const std::string_view key : {"src", "id", "class", "alt"}) {
            const std::string_view value = attributeValue(item, key);
            for (std::size_t i = 0; i + 5 <= value.size(); ++i) {
                if (equalsNoCase(value.substr(i, 5), "cover")) {
                    m_result.namedCoverPicture = index;
                    return;
                }
            }
        }
    }

    void text(std::string_view text)
    {
        if (m_skip) return;
        if (m_inTitle) {
            m_result.metadata.title.append(text);
            return;
        }
        if (!m_inBody && m_result.hasBody) return;
        m_result.textBytes += static_cast<std::int64_t>(text.size());
        if (!m_contentSeen && text.find_first_not_of(" \t\r\n") != std::string_view::npos) m_contentSeen = true;
        if (m_inHeading) m_headingText.append(text);
    }

    const HtmlParser& m_parser;
    SourceSurvey m_result;
    std::string m_name;
    std::string m_headingText;
    std::string_view m_wordAuthor;
    bool m_inBody = false;
    bool m_inTitle = false;
    bool m_titleSeen = false;
    bool m_inHeading = false;
    bool m_skip = false;
    bool m_contentSeen = false;  // a heading or text of the body was met
};

}  // namespace

std::string_view lowerTagName(const HtmlItem& tag, std::string& buffer)
{
    buffer.assign(tag.name());
    for (char& c : buffer)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return buffer;
}

std::string_view attributeValue(const HtmlItem& tag, std::string_view key, bool* found)
{
    for (std::int32_t k = 0; k < tag.paramCount(); ++k) {
        const HtmlParam param = tag.param(k);
        if (equalsNoCase(param.key(), key)) {
            if (found) *found = true;
            return param.value();
        }
    }
    if (found) *found = false;
    return {};
}

SourceSurvey surveySource(const HtmlParser& parser) { return Survey(parser).run(); }

}  // namespace vellumar
