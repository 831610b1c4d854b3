#include "cleaning/source_normalizer.h"

#include <utility>

#include "base/page_warmer.h"
#include "base/text_rules.h"
#include "cleaning/class_style_rules.h"
#include "cleaning/cp1251_case.h"
#include "cleaning/open_tag_stack.h"
#include "cleaning/style_block.h"
#include "cleaning/tag_rebuilder.h"
#include "cleaning/tag_tables.h"
#include "editing/text_lines.h"
#include "html/tokenizer.h"

namespace vellumar {

namespace {

// One run of the cleaning: its tables and stack live exactly as long as the run.
class Normalizer {
public:
    Normalizer(bool straightenText, bool keepStructure, std::string& out)
        : m_straighten(straightenText), m_keepStructure(keepStructure), m_out(out)
    {
        m_rebuilder.keepIds(keepStructure);
    }

    void tag(const HtmlItem& item);
    void text(const HtmlItem& item);

private:
    void closeElement(std::string_view name);

    bool m_straighten;
    // Complete books: ids stay, and preformatted text keeps its line breaks.
    bool m_keepStructure;
    int m_preDepth = 0;
    std::string& m_out;
    ClassStyleRules m_rules;
    TagRebuilder m_rebuilder;
    OpenTagStack m_open;
    std::string m_styleText;
    std::string m_name;
    std::string m_key;
    bool m_inScript = false;
    bool m_inStyle = false;
};

void Normalizer::tag(const HtmlItem& item)
{
    lowerCp1251Into(item.name(), m_name);
    // Compared as views: their sizes first, before any bytes.
    const std::string_view name = m_name;
    // Scripts are dropped, and style blocks become rules; neither is written.
    bool ended = false;
    if (name == "script") {
        m_inScript = true;
    } else if (name == "/script") {
        m_inScript = false;
        ended = true;
    } else if (name == "style") {
        m_inStyle = true;
        m_styleText.clear();
    } else if (name == "/style") {
        m_inStyle = false;
        parseStyleBlock(m_styleText, m_rules);
        ended = true;
    }
    if (ended || m_inScript || m_inStyle || name.empty()) return;
    if (m_keepStructure && name == "pre") ++m_preDepth;
    if (m_keepStructure && name == "/pre" && m_preDepth > 0) --m_preDepth;

    if (m_name.front() == '/') {
        closeElement(m_name);
        return;
    }
    const RebuiltTag& r = m_rebuilder.rebuild(item, m_name, m_rules);
    m_out.append(lineBreakBefore(m_name)).append(r.openText);
    if (!r.isEmpty) m_open.pushOpenTag(r.closeText, r.closeTag);
}

// A closing tag ends the element on top of the stack when it is that element's; when the
// element below is, the one left open inside is closed first. Otherwise the tag is written as
// it stands, unless it belongs to a dissolved wrapper.
void Normalizer::closeElement(std::string_view name)
{
    const std::string_view lineBreak = lineBreakBefore(name);
    m_key.clear();
    m_key.push_back('<');
    m_key.append(name);
    m_key.push_back('>');
    OpenTagEntry top = m_open.popOpenTag();
    if (top.closeKey == m_key) {
        m_out.append(lineBreak).append(top.closeText);
    } else if (!m_open.empty() && m_open.topOpenTagIs(m_key)) {
        m_out.append(lineBreak).append(top.closeText);
        top = m_open.popOpenTag();
        m_out.append(lineBreak).append(top.closeText);
    } else if (!isDissolvedTag(name)) {
        m_out.append(lineBreak).append(m_key);
    }
}

void Normalizer::text(const HtmlItem& item)
{
    const std::string_view text = item.text();
    if (text.empty()) return;
    if (m_inStyle) {
        m_styleText.append(text);
        return;
    }
    if (m_inScript) return;
    // Line breaks inside the text become spaces.
    if (m_straighten && m_preDepth == 0)
        appendStraightened(m_out, text);
    else m_out.append(text);
}

// Cleans `text`, which ends every line with CR LF.
std::string normalizeLines(std::string text, bool straightenText, UserInteraction& user, bool keepStructure = false)
{
    std::string out;
    // The cleaned text is about as long as the source, often a little longer (line breaks
    // before tags): room for a quarter more spares a regrowth, which would hold it twice.
    out.reserve(text.size() + text.size() / 4);
    const PageWarmer warmer(out.data(), text.size());
    Normalizer run(straightenText, keepStructure, out);
    HtmlParser parser;
    parser.parseInBatches(
        std::move(text),
        [&user](std::string_view message, std::string_view problem) { user.reportTokenizerProblem(message, problem); },
        [&parser, &run] {
            for (std::int32_t i = 0; i < parser.itemCount(); ++i) {
                const HtmlItem item = parser.item(i);
                if (item.isTag())
                    run.tag(item);
                else if (item.isText())
                    run.text(item);
            }
        });
    return out;
}

}  // namespace

std::string normalizeSourceHtml(std::string_view html, bool straightenText, UserInteraction& user)
{
    return normalizeLines(joinLinesCrLf(html, true), straightenText, user);
}

std::string normalizeSourceHtml(std::string_view html, const ConversionOptions& options, UserInteraction& user)
{
    return normalizeLines(joinLinesCrLf(html, true), options.straightenText, user, options.complete);
}

std::string normalizeTakenSourceHtml(std::string html, const ConversionOptions& options, UserInteraction& user)
{
    return normalizeLines(joinLinesCrLfOwned(std::move(html), true), options.straightenText, user, options.complete);
}

}  // namespace vellumar
