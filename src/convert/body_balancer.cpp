#include "convert/body_balancer.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace vellumar {

namespace {

// What an FB2 element is, as far as nesting goes.
enum class Kind : std::uint8_t {
    Inline,     // strong, emphasis, a ...: inside paragraphs
    Paragraph,  // p, subtitle, v, text-author: hold inline content
    Cell,       // td, th, caption
    Row,        // tr
    Table,
    Title,
    Section,
    Body,
    Other,
};

Kind kindOf(std::string_view name)
{
    switch (name.size()) {
    case 1:
        if (name == "p" || name == "v") return Kind::Paragraph;
        if (name == "a") return Kind::Inline;
        break;
    case 2:
        if (name == "td" || name == "th") return Kind::Cell;
        if (name == "tr") return Kind::Row;
        break;
    case 3:
        if (name == "sub" || name == "sup") return Kind::Inline;
        break;
    case 4:
        if (name == "body") return Kind::Body;
        if (name == "code") return Kind::Inline;
        break;
    case 5:
        if (name == "table") return Kind::Table;
        if (name == "title") return Kind::Title;
        if (name == "style") return Kind::Inline;
        break;
    case 6:
        if (name == "strong") return Kind::Inline;
        break;
    case 7:
        if (name == "section") return Kind::Section;
        if (name == "caption") return Kind::Cell;
        break;
    case 8:
        if (name == "emphasis") return Kind::Inline;
        if (name == "subtitle") return Kind::Paragraph;
        break;
    case 11:
        if (name == "text-author") return Kind::Paragraph;
        break;
    case 13:
        if (name == "strikethrough") return Kind::Inline;
        break;
    default:
        break;
    }
    return Kind::Other;
}

// True when a closing tag of kind `closer` may not reach past an open element of kind `open`:
// a stray "</strong>" inside a cell does not close the paragraph around the table, a stray
// "</td>" does not close the cell of an outer table.
bool stopsSearch(Kind closer, Kind open)
{
    switch (closer) {
    case Kind::Inline:
    case Kind::Paragraph:
        return open == Kind::Cell || open == Kind::Row || open == Kind::Table || open == Kind::Title ||
               open == Kind::Section || open == Kind::Body;
    case Kind::Cell:
    case Kind::Row:
        return open == Kind::Table;
    case Kind::Table:
    case Kind::Title:
        return open == Kind::Section || open == Kind::Body;
    case Kind::Section:
        return open == Kind::Body;
    default:
        return false;
    }
}

// Blocks that cannot stand inside a paragraph or an inline element.
bool isBlock(Kind kind)
{
    return kind == Kind::Paragraph || kind == Kind::Table || kind == Kind::Title || kind == Kind::Section ||
           kind == Kind::Body;
}

// Closing tags of these end their line, as the walk writes them.
bool endsLine(Kind kind)
{
    return kind == Kind::Paragraph || kind == Kind::Row || kind == Kind::Table || kind == Kind::Title ||
           kind == Kind::Section || kind == Kind::Body;
}

enum class TagType : std::uint8_t { Open, Close, Empty, Broken };

struct Tag {
    TagType type = TagType::Broken;
    std::string_view name;
    std::string_view text;  // from "<" to ">" inclusive
};

bool isNameEnd(char c) { return c == ' ' || c == '/' || c == '>' || c == '\t' || c == '\r' || c == '\n'; }

// The tag that starts at body[at] == '<'.
Tag readTag(std::string_view body, std::size_t at)
{
    Tag tag;
    const void* gt = std::memchr(body.data() + at, '>', body.size() - at);
    if (gt == nullptr) {
        tag.text = body.substr(at, 1);
        return tag;
    }
    const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(gt) - body.data()) + 1;
    tag.text = body.substr(at, end - at);
    const bool closing = tag.text.size() > 2 && tag.text[1] == '/';
    std::size_t i = closing ? 2 : 1;
    const std::size_t nameStart = i;
    while (i < tag.text.size() && !isNameEnd(tag.text[i])) ++i;
    tag.name = tag.text.substr(nameStart, i - nameStart);
    if (tag.name.empty() || tag.text[1] == '!' || tag.text[1] == '?') {
        tag.text = body.substr(at, 1);
        return tag;
    }
    if (closing)
        tag.type = TagType::Close;
    else
        tag.type = tag.text[tag.text.size() - 2] == '/' ? TagType::Empty : TagType::Open;
    return tag;
}

struct Open {
    std::string_view name;
    std::string_view text;  // the opening tag, for opening it again
    Kind kind;
    bool closedInOrder;  // the body closes it with its own closing tag
};

// How far down the open elements a closing tag looks for its element. Deeper nesting only
// comes from tag soup; the bound keeps such a body linear.
constexpr std::size_t kSearchDepth = 256;
// Elements nested deeper than this are left out (their text stays): XML readers refuse books
// nested a few hundred deep, and only tag soup nests like that.
constexpr std::size_t kMaxDepth = 128;
// At most this many inline elements go on into the next paragraph.
constexpr std::size_t kMaxCarried = 4;

// Index of the open element that a closing tag of this name and kind closes, or -1.
std::ptrdiff_t findOpen(const std::vector<Open>& stack, std::string_view name, Kind kind)
{
    const std::ptrdiff_t top = static_cast<std::ptrdiff_t>(stack.size()) - 1;
    for (std::ptrdiff_t k = top; k >= 0 && top - k < static_cast<std::ptrdiff_t>(kSearchDepth); --k) {
        const Open& open = stack[static_cast<std::size_t>(k)];
        if (open.name == name) return k;
        if (stopsSearch(kind, open.kind)) return -1;
    }
    return -1;
}

// True when every closing tag closes the element opened last, nothing is left open and no tag
// is broken or nested too deep: a body that needs no mending, as most are. Only the open
// elements' names are kept.
bool isWellFormed(std::string_view body)
{
    std::vector<std::string_view> open;
    for (std::size_t at = body.find('<'); at != std::string_view::npos; at = body.find('<', at + 1)) {
        const Tag tag = readTag(body, at);
        switch (tag.type) {
        case TagType::Open:
            if (open.size() == kMaxDepth) return false;
            open.push_back(tag.name);
            break;
        case TagType::Close:
            if (open.empty() || open.back() != tag.name) return false;
            open.pop_back();
            break;
        case TagType::Empty:
            break;
        case TagType::Broken:
            return false;
        }
        at += tag.text.size() - 1;
    }
    return open.empty();
}

// For a body to mend: per opening tag, in body order, whether the body closes it itself.
std::vector<bool> tagsClosedInOrder(std::string_view body)
{
    std::vector<bool> closedInOrder;
    std::vector<Open> stack;  // closedInOrder unused here; ordinals of the open tags beside it
    std::vector<std::size_t> ordinals;
    for (std::size_t at = body.find('<'); at != std::string_view::npos; at = body.find('<', at + 1)) {
        const Tag tag = readTag(body, at);
        if (tag.type == TagType::Open) {
            stack.push_back(Open{tag.name, {}, kindOf(tag.name), false});
            ordinals.push_back(closedInOrder.size());
            closedInOrder.push_back(false);
        } else if (tag.type == TagType::Close) {
            const std::ptrdiff_t k = findOpen(stack, tag.name, kindOf(tag.name));
            if (k >= 0) {
                const auto index = static_cast<std::size_t>(k);
                closedInOrder[ordinals[index]] = true;
                stack.resize(index);
                ordinals.resize(index);
            }
        }
        at += tag.text.size() - 1;
    }
    return closedInOrder;
}

// Second pass: writes the body again with the faults mended.
class Balancer {
public:
    Balancer(std::string_view body, const std::vector<bool>& closedInOrder)
        : m_body(body), m_closedInOrder(closedInOrder)
    {
        m_out.reserve(body.size() + body.size() / 16 + 64);
    }

    std::string run()
    {
        std::size_t done = 0;
        for (std::size_t at = m_body.find('<'); at != std::string_view::npos; at = m_body.find('<', at)) {
            m_out.append(m_body.substr(done, at - done));
            const Tag tag = readTag(m_body, at);
            switch (tag.type) {
            case TagType::Open:
                open(tag);
                break;
            case TagType::Close:
                close(tag);
                break;
            case TagType::Empty:
                m_out.append(tag.text);
                break;
            case TagType::Broken:
                m_out.append("&lt;");
                break;
            }
            at += tag.text.size();
            done = at;
        }
        m_out.append(m_body.substr(done));
        while (!m_stack.empty()) popAndClose();
        return std::move(m_out);
    }

private:
    void open(const Tag& tag)
    {
        const Kind kind = kindOf(tag.name);
        const bool closedInOrder = m_ordinal < m_closedInOrder.size() && m_closedInOrder[m_ordinal];
        ++m_ordinal;
        const bool paragraph = tag.name == "p";
        if (!paragraph) m_carry.clear();

        if (isBlock(kind)) {
            // A block cannot stand inside a paragraph or inline element that is never closed:
            // close those first; the inline ones go on inside a new paragraph.
            std::vector<Open> closedInline;
            while (!m_stack.empty() && !m_stack.back().closedInOrder &&
                   (m_stack.back().kind == Kind::Inline || m_stack.back().kind == Kind::Paragraph)) {
                if (m_stack.back().kind == Kind::Inline) closedInline.push_back(m_stack.back());
                popAndClose();
            }
            if (paragraph && !closedInline.empty()) carry(std::move(closedInline));
        } else if (kind == Kind::Cell || kind == Kind::Row) {
            // A cell opened over a cell, or a row over a row, that is never closed closes it.
            const std::size_t bottom = m_stack.size() > kSearchDepth ? m_stack.size() - kSearchDepth : 0;
            for (std::size_t k = m_stack.size(); k-- > bottom;) {
                const Kind open = m_stack[k].kind;
                if (open == Kind::Table) break;
                if (open == kind) {
                    if (!m_stack[k].closedInOrder)
                        while (m_stack.size() > k) popAndClose();
                    break;
                }
            }
        }

        if (m_stack.size() >= kMaxDepth) return;
        m_out.append(tag.text);
        m_stack.push_back(Open{tag.name, tag.text, kind, closedInOrder});
        if (paragraph) reopenCarried();
    }

    void close(const Tag& tag)
    {
        const Kind kind = kindOf(tag.name);
        if (kind == Kind::Inline) {
            // "<p><b>a</p></b>": the bold that waits for the next paragraph ends here.
            for (std::size_t k = m_carry.size(); k-- > 0;) {
                if (m_carry[k].name == tag.name) {
                    m_carry.erase(m_carry.begin() + static_cast<std::ptrdiff_t>(k));
                    return;
                }
            }
        } else {
            m_carry.clear();
        }
        const std::ptrdiff_t k = findOpen(m_stack, tag.name, kind);
        if (k < 0) return;  // closes nothing: dropped
        std::vector<Open> closedInline;
        while (m_stack.size() > static_cast<std::size_t>(k) + 1) {
            if (m_stack.back().kind == Kind::Inline) closedInline.push_back(m_stack.back());
            popAndClose();
        }
        m_out.append(tag.text);
        m_stack.pop_back();
        if (tag.name == "p") carry(std::move(closedInline));
    }

    // Inline elements closed with a paragraph, innermost first, to open again outermost first.
    void carry(std::vector<Open> closedInline)
    {
        m_carry.assign(closedInline.rbegin(), closedInline.rend());
        if (m_carry.size() > kMaxCarried) m_carry.resize(kMaxCarried);
    }

    void reopenCarried()
    {
        for (const Open& open : m_carry) {
            if (m_stack.size() >= kMaxDepth) break;
            m_out.append(open.text);
            m_stack.push_back(Open{open.name, open.text, open.kind, false});
        }
        m_carry.clear();
    }

    void popAndClose()
    {
        const Open& open = m_stack.back();
        m_out.append("</").append(open.name).append(">");
        if (endsLine(open.kind)) m_out.append("\r\n");
        m_stack.pop_back();
    }

    std::string_view m_body;
    const std::vector<bool>& m_closedInOrder;
    std::size_t m_ordinal = 0;
    std::vector<Open> m_stack;
    std::vector<Open> m_carry;  // inline elements to open again after the next "<p>"
    std::string m_out;
};

}  // namespace

std::string balanceBody(std::string body)
{
    if (isWellFormed(body)) return body;
    const std::vector<bool> closedInOrder = tagsClosedInOrder(body);
    return Balancer(body, closedInOrder).run();
}

}  // namespace vellumar
