#include "convert/complete_walk.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "base/ascii_case.h"
#include "base/text_rules.h"
#include "cleaning/attribute_quoting.h"
#include "convert/complete_tags.h"
#include "convert/xml_text.h"
#include "pictures/picture_texts.h"

namespace vellumar {

namespace {

// Where the walk's text goes now.
enum class Place {
    Flow,      // a section or cite: text opens a paragraph
    Title,     // a section's title: text opens a paragraph of the title
    Subtitle,  // text goes straight into the subtitle
    Cell,      // text goes straight into the table cell
    TableGap,  // inside a table but outside its cells: text opens a cell
};

enum class StyleKind : std::uint8_t { Strong, Emphasis, Strike, Sub, Sup, Code, Link, WebLink, NoLink };

// The FB2 element of a style that is one, else "".
std::string_view inlineElement(StyleKind kind)
{
    switch (kind) {
    case StyleKind::Strong:
        return "strong";
    case StyleKind::Emphasis:
        return "emphasis";
    case StyleKind::Strike:
        return "strikethrough";
    case StyleKind::Sub:
        return "sub";
    case StyleKind::Sup:
        return "sup";
    case StyleKind::Code:
        return "code";
    default:
        return {};
    }
}

// Why a style is open, besides a tag of its own kind: what closes it.
enum class StyleOrigin : std::uint8_t { Tag, Pre, Term, Heading };

struct Style {
    explicit Style(StyleKind styleKind, StyleOrigin styleOrigin = StyleOrigin::Tag)
        : kind(styleKind), origin(styleOrigin)
    {
    }
    StyleKind kind;
    StyleOrigin origin = StyleOrigin::Tag;
    int target = -1;   // Link
    std::string href;  // WebLink, ready for the attribute
};

struct SectionFrame {
    int rank = 0;                                  // 1..6, 7 for the untitled section before any heading
    std::size_t idAt = 0;                          // where an id attribute goes in the opening tag
    std::string id;                                // the id it has, if any
    std::size_t contentStart = std::string::npos;  // where its first block begins
    bool titled = false;
    bool leadImage = false;  // the picture that may stand before the section's blocks
    bool hasBlocks = false;
    bool hasChildren = false;
};

struct ListFrame {
    bool ordered = false;
    int counter = 0;
};

bool isTableTag(std::string_view name)
{
    return name == "table" || name == "tr" || name == "td" || name == "th" || name == "caption";
}

// Elements that never have content, so that "<br/>" means what "<br>" means.
bool isVoidElement(std::string_view name)
{
    static constexpr std::array<std::string_view, 14> kVoid = {
        "area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source", "track", "wbr"};
    return std::find(kVoid.begin(), kVoid.end(), name) != kVoid.end();
}

// Text that shows nothing: blanks, line breaks and no-break spaces only.
bool isBlankText(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\xA0') continue;
        if (c == '&') {
            for (const std::string_view space : {"&nbsp;", "&#160;", "&#xA0;", "&#xa0;"}) {
                if (text.substr(i, space.size()) == space) {
                    i += space.size() - 1;
                    break;
                }
            }
            if (text[i] == ';') continue;
        }
        return false;
    }
    return true;
}

bool isWebAddress(std::string_view href)
{
    for (const std::string_view scheme : {"http://", "https://", "ftp://", "mailto:"})
        if (href.size() > scheme.size() && equalsNoCase(href.substr(0, scheme.size()), scheme)) return true;
    return false;
}

// The id in «<image xlink:href="#ID"/>».
std::string pictureIdOf(std::string_view reference)
{
    const std::size_t start = reference.find("\"#");
    if (start == std::string_view::npos) return {};
    const std::size_t end = reference.find('"', start + 2);
    if (end == std::string_view::npos) return {};
    return std::string(reference.substr(start + 2, end - start - 2));
}

// A cell attribute the book format has, as « name="value"», or nothing.
std::string cellAttribute(std::string_view key, std::string_view value)
{
    std::string v = asciiLower(trimControls(value));
    if (key == "colspan" || key == "rowspan") {
        if (v.empty() || v.size() > 4 ||
            !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            v.find_first_not_of('0') == std::string::npos)
            return {};
    } else if (key == "align") {
        if (v == "middle") v = "center";
        if (v != "left" && v != "right" && v != "center") return {};
    } else if (key == "valign") {
        if (v == "center") v = "middle";
        if (v != "top" && v != "middle" && v != "bottom") return {};
    } else {
        return {};
    }
    return " " + std::string(key) + "=\"" + v + "\"";
}

class CompleteWalk {
public:
    explicit CompleteWalk(CompleteContext& context) : m_c(context), m_parser(context.parser)
    {
        m_inBody = !context.survey.hasBody;
    }

    std::string writeBody()
    {
        for (const FoundNote& note : m_c.notes.notes) m_skipRanges.emplace_back(note.first, note.last);
        std::sort(m_skipRanges.begin(), m_skipRanges.end());
        m_out.reserve(m_parser.text().size());
        walk(0, m_parser.itemCount());
        finish();
        if (!m_sectionWritten) m_out += "<section>\r\n<empty-line/>\r\n</section>\r\n";
        return std::move(m_out);
    }

    std::string writeNote(const FoundNote& note)
    {
        m_noteMode = true;
        m_inBody = true;
        m_backLinks = &note.backLinks;
        const std::string number = std::to_string(note.number);
        m_out += "<section id=\"n" + number + "\">\r\n<title><p>" + number + "</p></title>\r\n";
        SectionFrame frame;
        frame.titled = true;
        frame.id = "n" + number;
        m_sections.push_back(frame);
        walk(note.first + 1, note.last + 1);
        finish();
        return std::move(m_out);
    }

private:
    // ---- the item loop -------------------------------------------------------------------

    void walk(std::int32_t first, std::int32_t end)
    {
        std::size_t nextRange = 0;
        for (m_i = first;; ++m_i) {
            if (m_i >= end) {
                if (m_collecting == 0) break;
                finishTablePicture();  // a table the source never closes
                continue;
            }
            while (nextRange < m_skipRanges.size() && m_skipRanges[nextRange].second < m_i) ++nextRange;
            if (nextRange < m_skipRanges.size() && m_skipRanges[nextRange].first == m_i && m_collecting == 0) {
                m_i = m_skipRanges[nextRange].second;
                continue;
            }
            const HtmlItem item = m_parser.item(m_i);
            if (item.isTag())
                tag(item);
            else if (item.isText())
                text(item.text());
        }
    }

    void tag(const HtmlItem& item)
    {
        const std::string_view name = lowerTagName(item, m_name);
        if (!m_hiddenEnd.empty()) {
            if (name == m_hiddenEnd) m_hiddenEnd.clear();
            return;
        }
        if (m_skipLink) {
            if (name == "/a") m_skipLink = false;
            return;
        }
        if (m_collecting > 0) {
            collectTableTag(item, name);
            return;
        }
        const std::string_view text = item.tagText();
        if (!text.empty() && text.back() == '/' && text.front() != '/' && !isVoidElement(name)) return;
        if (name == "body") m_inBody = true;
        const bool closing = name[0] == '/';
        const CompleteTag kind = completeTagOf(closing ? name.substr(1) : name);
        if (kind == CompleteTag::Hidden && !closing) {
            m_hiddenEnd = "/" + std::string(name);
            return;
        }
        if (!m_inBody) return;
        handleTag(item, name, kind, closing);
        if (!m_c.links.empty())
            if (const std::optional<int> target = m_c.links.numberOf(m_i)) placeTarget(*target);
    }

    void handleTag(const HtmlItem& item, std::string_view name, CompleteTag kind, bool closing)
    {
        const std::string_view bare = closing ? name.substr(1) : name;
        switch (kind) {
        case CompleteTag::Strong:
            return styleTag(StyleKind::Strong, closing);
        case CompleteTag::Emphasis:
            return styleTag(StyleKind::Emphasis, closing);
        case CompleteTag::Strike:
            return styleTag(StyleKind::Strike, closing);
        case CompleteTag::Sub:
            return styleTag(StyleKind::Sub, closing);
        case CompleteTag::Sup:
            return styleTag(StyleKind::Sup, closing);
        case CompleteTag::Code:
            return styleTag(StyleKind::Code, closing);
        case CompleteTag::Link:
            if (!closing) return openLink(item);
            return closeStyle([](const Style& s) {
                return s.kind == StyleKind::Link || s.kind == StyleKind::WebLink || s.kind == StyleKind::NoLink;
            });
        case CompleteTag::Picture:
            return closing ? void() : picture(item);
        case CompleteTag::Break:
            return lineBreak();
        case CompleteTag::Heading:
            return closing ? closeHeading() : openHeading(bare[1] - '0');
        case CompleteTag::Table:
            return tableTag(item, name, closing);
        case CompleteTag::Paragraph:
            return paragraphTag(closing);
        case CompleteTag::List:
            return listTag(bare == "ol", closing);
        case CompleteTag::ListItem:
            return listItem(closing);
        case CompleteTag::Definition:
            return definitionTag(bare, closing);
        case CompleteTag::Quote:
            return closing ? closeCiteTag() : openCite();
        case CompleteTag::Pre:
            return closing ? closePre() : openPre();
        case CompleteTag::Rule:
            endHeadingForBlock();
            if (m_place == Place::Flow) emptyLine();
            return;
        case CompleteTag::Block:
            return boundary();
        case CompleteTag::Hidden:
        case CompleteTag::Other:
            return;
        }
    }

    void styleTag(StyleKind kind, bool closing)
    {
        if (closing)
            closeStyle([kind](const Style& s) { return s.kind == kind && s.origin == StyleOrigin::Tag; });
        else
            m_styles.push_back(Style{kind});
    }

    // ---- text ----------------------------------------------------------------------------

    void text(std::string_view text)
    {
        if (!m_hiddenEnd.empty() || m_skipLink || !m_inBody) return;
        if (m_collecting > 0) {
            m_tableHtml.append(text);
            if (m_inCaption && m_collecting == 1) appendText(m_caption, text);
            return;
        }
        if (m_preDepth > 0 && (m_place == Place::Flow)) return preText(text);
        if (isBlankText(text) && !inlineOpen()) return;
        ensureInline();
        appendText(m_out, text);
        m_blankParagraph = false;
    }

    void appendText(std::string& out, std::string_view text)
    {
        if (m_preDepth == 0) return appendBodyText(out, text, m_c.options.straightenText);
        // Preformatted text keeps its line breaks, and its tabs become spaces.
        std::string t(text);
        if (t.find('&') != std::string::npos) t = applyEntityRules(replaceEntityByChar(t, 32, "&nbsp;"));
        std::replace(t.begin(), t.end(), '\t', ' ');
        appendXmlSafeText(out, t);
    }

    // Preformatted text: each line a paragraph of code, a blank line an empty line.
    void preText(std::string_view text)
    {
        std::size_t at = 0;
        while (at <= text.size()) {
            const std::size_t end = text.find('\n', at);
            std::string_view line = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (!line.empty()) {
                ensureInline();
                appendText(m_out, line);
                m_blankParagraph = false;
            }
            if (end == std::string_view::npos) break;
            if (m_paraOpen)
                closeInline();
            else if (!m_preFresh)
                emptyLine();
            m_preFresh = false;
            at = end + 1;
        }
        if (!text.empty()) m_preFresh = false;
    }

    bool inlineOpen() const
    {
        return m_place == Place::Subtitle || m_place == Place::Cell ||
               ((m_place == Place::Flow || m_place == Place::Title) && m_paraOpen);
    }

    // Opens what the text needs: a paragraph (or a cell) and the inline elements in force.
    void ensureInline()
    {
        if (m_place == Place::Flow && !m_paraOpen) {
            beginBlock();
            m_out += "<p";
            openWithTargets();
            m_out += '>';
            m_paraOpen = true;
            m_out += m_itemPrefix;
            m_itemPrefix.clear();
        } else if (m_place == Place::Title && !m_paraOpen) {
            m_out += "<p>";
            m_paraOpen = true;
        } else if (m_place == Place::TableGap) {
            openCell("td", {});
        }
        m_lastBreak = false;
        while (m_written < m_styles.size()) writeStyleOpen(m_styles[m_written++]);
    }

    void writeStyleOpen(const Style& style)
    {
        if (style.kind == StyleKind::Link)
            m_out += linkOpenMarker(style.target);
        else if (style.kind == StyleKind::WebLink)
            m_out.append("<a xlink:href=\"").append(style.href).append("\">");
        else if (const std::string_view name = inlineElement(style.kind); !name.empty())
            m_out.append("<").append(name).append(">");
    }

    void writeStyleClose(const Style& style)
    {
        if (style.kind == StyleKind::Link)
            m_out += kLinkClose;
        else if (style.kind == StyleKind::WebLink)
            m_out += "</a>";
        else if (const std::string_view name = inlineElement(style.kind); !name.empty())
            m_out.append("</").append(name).append(">");
    }

    void closeWrittenStyles()
    {
        while (m_written > 0) writeStyleClose(m_styles[--m_written]);
    }

    // Ends the innermost style that `matches`; those opened after it are opened again with
    // the next text.
    template <typename Match>
    void closeStyle(Match matches)
    {
        for (std::size_t k = m_styles.size(); k-- > 0;) {
            if (!matches(m_styles[k])) continue;
            while (m_written > k) writeStyleClose(m_styles[--m_written]);
            m_styles.erase(m_styles.begin() + static_cast<std::ptrdiff_t>(k));
            return;
        }
    }

    // Ends the paragraph (of the flow or of a title) with its inline elements.
    void closeInline()
    {
        closeWrittenStyles();
        if (m_paraOpen) {
            m_out += m_place == Place::Title ? "</p>" : "</p>\r\n";
            m_paraOpen = false;
        }
        m_slotAt = std::string::npos;
        m_slotId.clear();
    }

    // A place where a block boundary is no more than a space.
    void softBreak()
    {
        if (inlineOpen()) m_out += ' ';
    }

    void boundary()
    {
        if (m_place == Place::Flow || m_place == Place::Title)
            closeInline();
        else
            softBreak();
        m_lastBreak = false;
    }

    // ---- blocks and sections -------------------------------------------------------------

    SectionFrame& ensureSection()
    {
        if (m_sections.empty()) openSection(7, false);
        return m_sections.back();
    }

    // A block of the flow begins: its section counts it (blocks inside a cite are the cite's).
    void beginBlock()
    {
        SectionFrame& frame = ensureSection();
        if (m_citeOpen) return;
        if (!frame.hasBlocks) {
            frame.hasBlocks = true;
            if (frame.contentStart == std::string::npos) frame.contentStart = m_out.size();
        }
    }

    void emptyLine()
    {
        closeInline();
        beginBlock();
        m_out += "<empty-line/>\r\n";
    }

    void openSection(int rank, bool titled)
    {
        closeInline();
        endCite();
        while (!m_sections.empty() && m_sections.back().rank >= rank) closeSection();
        if (!m_sections.empty()) {
            SectionFrame& parent = m_sections.back();
            // A section holds either blocks or sections: blocks met before its first
            // subsection become an untitled subsection of their own.
            if (parent.hasBlocks) {
                m_out.insert(parent.contentStart, "<section>\r\n");
                m_out += "</section>\r\n";
                parent.hasBlocks = false;
            }
            parent.hasChildren = true;
        }
        SectionFrame frame;
        frame.rank = rank;
        frame.titled = titled;
        m_out += "<section";
        frame.idAt = m_out.size();
        m_sections.push_back(std::move(frame));
        openWithTargets();
        m_sections.back().id = m_slotId;
        m_slotAt = std::string::npos;
        m_slotId.clear();
        m_out += ">\r\n";
        m_sectionWritten = true;
    }

    void closeSection()
    {
        const SectionFrame& frame = m_sections.back();
        // A title or picture alone makes no section: it needs a block after them.
        if (!frame.hasChildren && !frame.hasBlocks && (frame.titled || frame.leadImage)) m_out += "<empty-line/>\r\n";
        m_out += "</section>\r\n";
        m_sections.pop_back();
    }

    bool startsSection(int rank) const { return !m_noteMode && m_c.titleLevel >= 0 && rank <= m_c.titleLevel + 1; }

    void openHeading(int rank)
    {
        if (m_tableDepth > 0 || m_place == Place::Cell || m_place == Place::TableGap) {
            m_styles.push_back(Style{StyleKind::Strong, StyleOrigin::Heading});
            return;
        }
        endHeading();
        if (startsSection(rank)) {
            openSection(rank, true);
            m_out += "<title>";
            m_place = Place::Title;
        } else {
            closeInline();
            beginBlock();
            m_out += "<subtitle";
            openWithTargets();
            m_out += '>';
            m_place = Place::Subtitle;
        }
        m_lastBreak = false;
    }

    void closeHeading()
    {
        const auto heading = std::find_if(m_styles.begin(), m_styles.end(),
                                          [](const Style& s) { return s.origin == StyleOrigin::Heading; });
        if (heading != m_styles.end())
            closeStyle([](const Style& s) { return s.origin == StyleOrigin::Heading; });
        else
            endHeading();
    }

    void endHeading()
    {
        if (m_place == Place::Title) {
            closeInline();
            m_out += "</title>\r\n";
            m_place = Place::Flow;
        } else if (m_place == Place::Subtitle) {
            closeWrittenStyles();
            m_out += "</subtitle>\r\n";
            m_place = Place::Flow;
            m_slotAt = std::string::npos;
            m_slotId.clear();
        }
    }

    // A block that cannot stand in a title or subtitle ends the heading first.
    void endHeadingForBlock()
    {
        if (m_place == Place::Title || m_place == Place::Subtitle) endHeading();
    }

    void paragraphTag(bool closing)
    {
        if (m_place != Place::Flow) return boundary();
        closeInline();
        if (closing && m_blankParagraph) emptyLine();
        m_blankParagraph = !closing;
        m_lastBreak = false;
    }

    void lineBreak()
    {
        if (m_place == Place::Title) return closeInline();
        if (m_place != Place::Flow) return softBreak();
        if (m_paraOpen)
            closeInline();
        else if (m_lastBreak)
            emptyLine();
        m_lastBreak = true;
    }

    void listTag(bool ordered, bool closing)
    {
        endHeadingForBlock();
        boundary();
        if (!closing)
            m_lists.push_back({ordered, 0});
        else if (!m_lists.empty())
            m_lists.pop_back();
        m_itemPrefix.clear();
    }

    void listItem(bool closing)
    {
        endHeadingForBlock();
        boundary();
        m_itemPrefix.clear();
        if (closing || m_place != Place::Flow) return;
        if (!m_lists.empty() && m_lists.back().ordered)
            m_itemPrefix = std::to_string(++m_lists.back().counter) + ". ";
        else
            m_itemPrefix = "\x95 ";
    }

    void definitionTag(std::string_view name, bool closing)
    {
        endHeadingForBlock();
        closeStyle([](const Style& s) { return s.origin == StyleOrigin::Term; });
        boundary();
        if (name == "dt" && !closing) m_styles.push_back(Style{StyleKind::Strong, StyleOrigin::Term});
    }

    void openCite()
    {
        endHeadingForBlock();
        if (m_place != Place::Flow) return boundary();
        closeInline();
        if (m_citeDepth++ > 0) return;
        beginBlock();
        m_out += "<cite>\r\n";
        m_citeOpen = true;
    }

    // "</blockquote>": the cite ends with the outermost one.
    void closeCiteTag()
    {
        if (m_citeDepth == 0 || m_place != Place::Flow || m_tableDepth > 0) return;
        if (--m_citeDepth == 0) endCite();
    }

    void endCite()
    {
        if (!m_citeOpen) return;
        if (m_place == Place::Flow) closeInline();
        m_citeDepth = 0;
        m_citeOpen = false;
        m_out += "</cite>\r\n";
    }

    void openPre()
    {
        endHeadingForBlock();
        boundary();
        ++m_preDepth;
        m_preFresh = true;
        m_styles.push_back(Style{StyleKind::Code, StyleOrigin::Pre});
    }

    void closePre()
    {
        if (m_preDepth == 0) return;
        --m_preDepth;
        closeStyle([](const Style& s) { return s.origin == StyleOrigin::Pre; });
        boundary();
    }

    // ---- ids and links -------------------------------------------------------------------

    // Writes the id of the first anchor waiting for a place as the id of the element being
    // opened (its tag written up to the attributes); the others share it.
    void openWithTargets()
    {
        m_slotAt = m_out.size();
        m_slotId.clear();
        for (const int target : m_pendingTargets) placeInSlot(target);
        m_pendingTargets.clear();
    }

    void placeInSlot(int target)
    {
        if (!m_slotId.empty()) return m_c.links.shareId(target, m_slotId);
        m_slotId = m_c.links.claimId(target);
        m_out.insert(m_slotAt, " id=\"" + m_slotId + "\"");
    }

    // The anchor of link target `target` stands here: the element holding it carries its id.
    void placeTarget(int target)
    {
        // A note is one target: readers take any id inside it for the start of another note
        // and show the note's title alone.
        if (m_noteMode && !m_sections.empty()) return m_c.links.shareId(target, m_sections.front().id);
        if (m_place == Place::Title && !m_sections.empty()) {
            SectionFrame& frame = m_sections.back();
            if (!frame.id.empty()) return m_c.links.shareId(target, frame.id);
            frame.id = m_c.links.claimId(target);
            m_out.insert(frame.idAt, " id=\"" + frame.id + "\"");
            return;
        }
        if (m_slotAt != std::string::npos && inlineOpen()) return placeInSlot(target);
        m_pendingTargets.push_back(target);
    }

    bool insideLink() const
    {
        return std::any_of(m_styles.begin(), m_styles.end(), [](const Style& s) {
            return s.kind == StyleKind::Link || s.kind == StyleKind::WebLink || s.kind == StyleKind::NoLink;
        });
    }

    void openLink(const HtmlItem& item)
    {
        if (const auto note = m_c.notes.numberOfReference.find(m_i); note != m_c.notes.numberOfReference.end()) {
            noteReference(note->second);
            m_skipLink = true;
            return;
        }
        if (m_backLinks != nullptr && std::find(m_backLinks->begin(), m_backLinks->end(), m_i) != m_backLinks->end()) {
            m_skipLink = true;
            return;
        }
        Style style{StyleKind::NoLink};
        const std::string_view href = attributeValue(item, "href");
        if (insideLink()) {
            // A link inside a link is its text.
        } else if (href.size() > 1 && href[0] == '#') {
            const auto anchor = m_c.survey.anchors.find(href.substr(1));
            if (anchor != m_c.survey.anchors.end())
                if (const std::optional<int> target = m_c.links.numberOf(anchor->second)) {
                    style.kind = StyleKind::Link;
                    style.target = *target;
                }
        } else if (isWebAddress(href)) {
            style.kind = StyleKind::WebLink;
            style.href = replaceAllText(xmlSafeAttributeValue(trimControls(href)), " ", "%20");
        }
        m_styles.push_back(std::move(style));
    }

    void noteReference(int number)
    {
        if (m_place == Place::TableGap) openCell("td", {});
        const std::string n = std::to_string(number);
        ensureInline();
        if (insideLink())
            m_out.append("[").append(n).append("]");
        else
            m_out.append("<a xlink:href=\"#n").append(n).append("\" type=\"note\">").append(n).append("</a>");
        m_blankParagraph = false;
    }

    // ---- pictures ------------------------------------------------------------------------

    void picture(const HtmlItem& item)
    {
        for (std::int32_t k = 0; k < item.paramCount(); ++k) {
            const HtmlParam param = item.param(k);
            if (!equalsNoCase(param.key(), "src")) continue;
            std::string reference;
            m_c.services.pictures.embedPicture(param.value(), reference, m_c.binaries);
            if (reference.empty()) continue;
            if (m_i == m_c.coverItem && m_c.coverId.empty()) {
                m_c.coverId = pictureIdOf(reference);
                continue;
            }
            placePicture(reference);
        }
    }

    void placePicture(std::string_view reference)
    {
        if (m_place == Place::Flow && !m_paraOpen && m_citeDepth == 0 && m_styles.empty()) {
            // A section may open with one picture; a picture after it needs a block before it.
            SectionFrame& frame = ensureSection();
            if (!frame.hasBlocks && !frame.leadImage && m_pendingTargets.empty())
                frame.leadImage = true;
            else if (!frame.hasBlocks)
                emptyLine();
            m_out.append(reference).append("\r\n");
        } else {
            ensureInline();
            m_out.append(reference);
        }
        m_blankParagraph = false;
        m_blankParagraph = false;
        m_lastBreak = false;
    }

    // ---- tables --------------------------------------------------------------------------

    bool tablesAsText() const { return m_c.options.tablesContentOnly() || m_i <= m_contentOnlyUntil; }

    void tableTag(const HtmlItem& item, std::string_view name, bool closing)
    {
        if (tablesAsText()) return boundary();
        if (m_c.options.tablesToPictures()) {
            if (name == "table") startTablePicture(item);
            return boundary();
        }
        if (name == "table") {
            if (m_tableDepth++ > 0) return softBreak();
            endHeadingForBlock();
            if (m_place == Place::Flow) closeInline();
            m_place = Place::TableGap;
            m_tableWritten = false;
            m_rowWritten = false;
            m_rowAlign.clear();
            return;
        }
        if (m_tableDepth == 0) return boundary();
        if (m_tableDepth > 1) {
            if (name == "/table") --m_tableDepth;
            return softBreak();
        }
        if (name == "/table") return closeTable();
        if (name == "caption") {
            if (!m_tableWritten && m_place == Place::TableGap) {
                m_place = Place::Flow;
                m_inTableCaption = true;
            }
            return;
        }
        if (name == "/caption") return endTableCaption();
        endTableCaption();
        if (name == "tr" || name == "/tr") {
            closeCell();
            closeRow();
            if (!closing) m_rowAlign = cellAttribute("align", attributeValue(item, "align"));
            return;
        }
        if (closing) return closeCell();
        std::string attributes;
        for (const std::string_view key : {"colspan", "rowspan", "align", "valign"})
            attributes += cellAttribute(key, attributeValue(item, key));
        openCell(name, attributes);
    }

    void endTableCaption()
    {
        if (!m_inTableCaption) return;
        closeInline();
        m_inTableCaption = false;
        m_place = Place::TableGap;
    }

    void openCell(std::string_view name, std::string_view attributes)
    {
        endTableCaption();
        closeCell();
        if (!m_tableWritten) {
            beginBlock();
            m_out += "<table>\r\n";
            m_tableWritten = true;
        }
        if (!m_rowWritten) {
            m_out.append("<tr").append(m_rowAlign).append(">");
            m_rowWritten = true;
        }
        m_cellName = name;
        m_out.append("<").append(name);
        m_place = Place::Cell;
        openWithTargets();
        m_out.append(attributes).append(">");
    }

    void closeCell()
    {
        if (m_place != Place::Cell) return;
        closeWrittenStyles();
        m_out.append("</").append(m_cellName).append(">");
        m_place = Place::TableGap;
        m_slotAt = std::string::npos;
        m_slotId.clear();
    }

    void closeRow()
    {
        if (!m_rowWritten) return;
        m_out += "</tr>\r\n";
        m_rowWritten = false;
    }

    void closeTable()
    {
        endTableCaption();
        closeCell();
        closeRow();
        if (m_tableWritten) m_out += "</table>\r\n";
        m_tableWritten = false;
        m_tableDepth = 0;
        m_place = Place::Flow;
    }

    // A table drawn as a picture: its HTML is collected from "table" to "/table".
    void startTablePicture(const HtmlItem& item)
    {
        endHeadingForBlock();
        if (m_place == Place::Flow) closeInline();
        m_collecting = 1;
        m_collectStart = m_i;
        m_tableHtml = "<html>\r\n";
        m_caption.clear();
        m_inCaption = false;
        appendTableHtml(item, "table");
    }

    void collectTableTag(const HtmlItem& item, std::string_view name)
    {
        if (name == "table") {
            ++m_collecting;
            return;
        }
        if (name == "/table") {
            if (--m_collecting == 0) finishTablePicture();
            return;
        }
        if (m_collecting > 1 && (isTableTag(name) || (name[0] == '/' && isTableTag(name.substr(1))))) return;
        appendTableHtml(item, name);
        if (m_collecting == 1 && name == "caption") m_inCaption = true;
        if (m_collecting == 1 && name == "/caption") m_inCaption = false;
    }

    void appendTableHtml(const HtmlItem& item, std::string_view name) { appendStartTag(m_tableHtml, name, item); }

    void finishTablePicture()
    {
        m_collecting = 0;
        m_tableHtml += "</table>\r\n</html>";
        const int number = ++m_tableCount;
        const TableOutcome outcome = m_c.services.tablePictures.embedTablePicture(number, m_tableHtml, m_c.binaries);
        m_tableHtml.clear();
        if (outcome == TableOutcome::Text) {
            // Written as "Content only" writes tables: its items walked again.
            m_contentOnlyUntil = m_i;
            m_i = m_collectStart;
            return;
        }
        const std::string_view caption = trimControls(m_caption);
        if (!caption.empty()) {
            ensureInline();
            m_out.append(caption);
            closeInline();
        }
        placePicture(imageReference(tablePictureName(number)));
    }

    // ---- the end -------------------------------------------------------------------------

    void finish()
    {
        if (m_place == Place::Cell || m_place == Place::TableGap || m_inTableCaption) closeTable();
        endHeading();
        closeInline();
        m_styles.clear();
        endCite();
        while (!m_sections.empty()) closeSection();
    }

    CompleteContext& m_c;
    const HtmlParser& m_parser;
    std::string m_out;
    std::string m_name;
    std::int32_t m_i = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> m_skipRanges;  // the notes' items
    const std::vector<std::int32_t>* m_backLinks = nullptr;
    bool m_noteMode = false;
    bool m_inBody = false;
    std::string m_hiddenEnd;  // the end tag of the hidden element being skipped
    bool m_skipLink = false;  // inside a note reference or a link back from a note

    Place m_place = Place::Flow;
    bool m_paraOpen = false;
    std::vector<Style> m_styles;  // the inline elements in force, outermost first
    std::size_t m_written = 0;    // how many of them are open in the text written
    std::vector<SectionFrame> m_sections;
    bool m_sectionWritten = false;
    int m_citeDepth = 0;
    bool m_citeOpen = false;
    std::vector<ListFrame> m_lists;
    std::string m_itemPrefix;  // the list item's bullet or number, for its paragraph
    int m_preDepth = 0;
    bool m_preFresh = false;  // the line break right after "<pre>" is not a blank line
    bool m_blankParagraph = false;
    bool m_lastBreak = false;

    std::size_t m_slotAt = std::string::npos;  // where the open element's id attribute goes
    std::string m_slotId;
    std::vector<int> m_pendingTargets;

    int m_tableDepth = 0;
    bool m_tableWritten = false;
    bool m_rowWritten = false;
    bool m_inTableCaption = false;
    std::string m_rowAlign;
    std::string m_cellName = "td";

    int m_collecting = 0;  // depth of the tables being collected for a picture
    std::int32_t m_collectStart = -1;
    std::int32_t m_contentOnlyUntil = -1;
    std::string m_tableHtml;
    std::string m_caption;
    bool m_inCaption = false;
    int m_tableCount = 0;
};

}  // namespace

std::string writeCompleteSections(CompleteContext& context) { return CompleteWalk(context).writeBody(); }

std::string writeNoteSection(CompleteContext& context, const FoundNote& note)
{
    return CompleteWalk(context).writeNote(note);
}

}  // namespace vellumar
