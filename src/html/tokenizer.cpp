#include "html/tokenizer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "base/ascii_case.h"
#include "base/byte_scan.h"

namespace vellumar {

namespace {

// Items to a batch of parseInBatches: a batch and its text stay in the processor's caches.
constexpr std::size_t kBatchItems = 8192;

bool startsWithNoCase(const char* data, std::int32_t rest, std::string_view prefix)
{
    return rest >= static_cast<std::int32_t>(prefix.size()) && equalsNoCase(std::string_view(data, prefix.size()), prefix);
}

// True when the text holds "<html", "<script" or "<body" (any letter case).
bool hasHtmlMarkers(const char* data, std::int32_t length)
{
    // One pass over the "<" bytes instead of three whole-buffer searches.
    std::int32_t i = 0;
    while ((i = scan::findChar(data, length, i, '<')) >= 0) {
        const std::int32_t rest = length - i;
        if (startsWithNoCase(data + i, rest, "<html") || startsWithNoCase(data + i, rest, "<script") ||
            startsWithNoCase(data + i, rest, "<body"))
            return true;
        ++i;
    }
    return false;
}

}  // namespace

void HtmlParser::report(std::string_view message, HtmlSpan span, bool bracketed)
{
    m_filling.problems.push_back(HtmlItemTable::Problem{message, span, bracketed});
}

void HtmlParser::start(std::string text)
{
    m_text = std::move(text);
    m_shown.clear();
    m_filling.clear();
    m_lastTagName = {};
}

void HtmlParser::parse(std::string text, const HtmlErrorHandler& onError)
{
    start(std::move(text));
    tokenize();
    reportProblems(m_filling, onError);
    std::swap(m_shown, m_filling);
    m_filling.clear();
}

void HtmlParser::reportProblems(const HtmlItemTable& batch, const HtmlErrorHandler& onError) const
{
    if (!onError) return;
    for (const HtmlItemTable::Problem& problem : batch.problems) {
        const std::string_view text = view(problem.span);
        if (problem.bracketed) {
            std::string tag;
            tag.reserve(text.size() + 2);
            tag.append("<").append(text).append(">");
            onError(problem.message, tag);
        } else {
            onError(problem.message, text);
        }
    }
}

void HtmlParser::show(HtmlItemTable& batch, const HtmlErrorHandler& onError, Batches batches)
{
    reportProblems(batch, onError);
    if (batches == Batches::Dropped) {
        std::swap(m_shown, batch);
    } else {
        // Each batch counts its attributes from 0: its items are numbered on from the list's.
        const auto base = static_cast<std::int32_t>(m_shown.params.size());
        const std::size_t from = m_shown.items.size();
        m_shown.items.insert(m_shown.items.end(), batch.items.begin(), batch.items.end());
        for (std::size_t i = from; i < m_shown.items.size(); ++i) m_shown.items[i].firstParam += base;
        m_shown.params.insert(m_shown.params.end(), batch.params.begin(), batch.params.end());
    }
    batch.clear();
}

void HtmlParser::shown(Batches batches)
{
    if (batches == Batches::Dropped) m_shown.clear();
}

void HtmlParser::clear()
{
    m_lastTagName = {};
    std::string().swap(m_text);
    m_shown = HtmlItemTable();
    m_filling = HtmlItemTable();
}

void HtmlParser::tokenize()
{
    using namespace scan;
    // Offsets are 32-bit; a larger text is tokenized up to that limit.
    const auto n = static_cast<std::int32_t>(
        std::min<std::size_t>(m_text.size(), static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 8)));
    std::int32_t tagStart = 0;
    std::int32_t tagEnd = 0;
    std::int32_t lastEnd = -1;
    if (n <= 0) return;
    const char* data = m_text.data();
    if (!hasHtmlMarkers(data, n)) {
        m_filling.items.push_back(HtmlItemPos::markup(HtmlItemKind::Text, HtmlSpan{0, n}, 0));
        return;
    }
    // Books average a few dozen bytes per item. Reserve for twice as many as that: a regrowth
    // would hold the old and the new table at once, while reserved room never written to takes
    // no memory.
    m_filling.items.reserve(m_handOver ? kBatchItems + 2 : static_cast<std::size_t>(n / 16));

    for (;;) {
        if (m_handOver && m_filling.items.size() >= kBatchItems) {
            if (!(*m_handOver)()) return;
            m_filling.items.reserve(kBatchItems + 2);
        }
        if (data[tagStart] == '<') {
            const bool comment = tagStart + 3 < n && data[tagStart + 1] == '!' && data[tagStart + 2] == '-' &&
                                 data[tagStart + 3] == '-';
            if (tagStart + 1 < n && data[tagStart + 1] == '%') {
                tagEnd = findTextNoCase(data, n, tagStart + 2, "%>");
                if (tagEnd > 0) tagEnd += 1;
            } else if (comment) {
                tagEnd = findTextNoCase(data, n, tagStart + 2, "-->");
                if (tagEnd > 0) tagEnd += 2;
            } else {
                tagEnd = findCharOutsideQuotes(data, n, tagStart + 1, '>');
            }
            if (tagEnd < 0) {
                report("> not found", HtmlSpan{tagStart, n - tagStart});
                return;
            }
            makeMarkupItem(tagStart, tagEnd);
            tagStart = tagEnd;
            lastEnd = tagEnd;
            continue;
        }

        const std::string_view rawElement =
            equalsNoCase(m_lastTagName, "script") ? "script" : (equalsNoCase(m_lastTagName, "style") ? "style" : "");
        if (!rawElement.empty()) {
            const bool script = rawElement == "script";
            tagStart = findTextNoCase(data, n, tagEnd + 1, script ? "</script" : "</style");
            if (tagStart < 0) {
                const std::int32_t from = std::min(tagEnd + 1, n);
                report(script ? "</script> not match" : "</style> not match", HtmlSpan{from, n - from});
                return;
            }
        } else {
            tagStart = findChar(data, n, tagEnd + 1, '<');
            if (tagStart < 0) {
                makeTextItem(n, lastEnd);
                return;
            }
        }
        makeTextItem(tagStart, lastEnd);
    }
}

void HtmlParser::makeTextItem(std::int32_t tagStart, std::int32_t lastEnd)
{
    const std::int32_t length = tagStart - lastEnd - 1;
    if (length > 0)
        m_filling.items.push_back(
            HtmlItemPos::markup(HtmlItemKind::Text, HtmlSpan{lastEnd + 1, length}, paramsSoFar()));
}

void HtmlParser::makeMarkupItem(std::int32_t tagStart, std::int32_t tagEnd)
{
    const std::int32_t inner = tagEnd - tagStart - 1;
    if (inner <= 0) return;  // "<>" makes no item
    const char* data = m_text.data();
    if (data[tagStart + 1] == '%') {
        m_filling.items.push_back(HtmlItemPos::markup(HtmlItemKind::ServerScript,
                                                      HtmlSpan{tagStart + 2, std::max(inner - 2, 0)}, paramsSoFar()));
    } else if (startsWithNoCase(data + tagStart + 1, inner, "!--")) {
        m_filling.items.push_back(
            HtmlItemPos::markup(HtmlItemKind::Comment, HtmlSpan{tagStart + 4, std::max(inner - 5, 0)}, paramsSoFar()));
    } else {
        splitTag(tagStart + 1, inner);
    }
}

void HtmlParser::splitTag(std::int32_t start, std::int32_t length)
{
    using namespace scan;
    const char* t = m_text.data() + start;
    HtmlItemPos item{HtmlSpan{start, length}, 0, paramsSoFar()};

    // A self-closing mark ("<br/>", "<img src=a.jpg />") belongs neither to the name nor to the
    // last attribute value; closing tags ("</a/>") keep it.
    std::int32_t n = length;
    if (t[n - 1] == '/' && t[0] != '/') --n;

    auto finish = [&] {
        m_filling.items.push_back(item);
        m_lastTagName = view(HtmlSpan{start, item.nameLength});
    };

    const std::int32_t nameEnd = findSpaceOutsideQuotes(t, n, 0);
    if (nameEnd < 0) {
        item.nameLength = n;
        finish();
        return;
    }
    item.nameLength = nameEnd;
    std::int32_t cur = nameEnd;
    for (;;) {
        const std::int32_t pos = skipSpaces(t, n, cur + 1);
        if (pos < 0) break;
        const std::int32_t eq = findCharOutsideQuotes(t, n, pos, '=');
        if (eq < 0) {
            // No further "=": the whole rest of the tag is one valueless key.
            const std::int32_t keyEnd = skipSpacesBack(t, n, n - 1);
            if (keyEnd >= pos)
                m_filling.params.push_back(HtmlParamPos{HtmlSpan{start + pos, keyEnd - pos + 1}, HtmlSpan{}});
            break;
        }
        std::int32_t vs = skipSpaces(t, n, eq + 1);
        if (vs < 0) vs = n;
        std::int32_t ve = findSpaceOutsideQuotes(t, n, vs);
        if (ve < 0) ve = n;
        const std::int32_t first = (vs < n && isQuote(t[vs])) ? vs + 1 : vs;
        const std::int32_t last = isQuote(t[ve - 1]) ? ve - 2 : ve - 1;
        const std::int32_t keyEnd = skipSpacesBack(t, n, eq - 1);
        if (keyEnd >= pos) {
            m_filling.params.push_back(HtmlParamPos{HtmlSpan{start + pos, keyEnd - pos + 1},
                                                    HtmlSpan{start + first, std::max(last - first + 1, 0)}});
        } else {
            report("key not defined in tag", HtmlSpan{start, length}, true);
        }
        cur = ve;
    }
    finish();
}

}  // namespace vellumar
