#include "convert/note_finder.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/ascii_case.h"

namespace vellumar {

namespace {

// How far the finder looks for the block around an anchor, and how long a note may be.
constexpr std::int32_t kAroundLimit = 400;
constexpr std::int32_t kNoteItemLimit = 4000;
// The most bytes of text a reference without a note form may show ("[12]", "*", "iv").
constexpr std::size_t kShortReference = 8;

bool isNoteBlock(std::string_view name)
{
    static constexpr std::array<std::string_view, 8> kBlocks = {"p",  "div",     "li",         "aside",
                                                                "dd", "section", "blockquote", "article"};
    return std::find(kBlocks.begin(), kBlocks.end(), name) != kBlocks.end();
}

bool isHeadingName(std::string_view name)
{
    return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
}

bool containsNoCase(std::string_view text, std::string_view part)
{
    if (part.size() > text.size()) return false;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (equalsNoCase(text.substr(i, part.size()), part)) return true;
    return false;
}

bool startsWithDigitsThen(std::string_view text, std::string_view prefix, std::string_view suffix)
{
    if (text.size() <= prefix.size() + suffix.size() || text.substr(0, prefix.size()) != prefix ||
        text.substr(text.size() - suffix.size()) != suffix)
        return false;
    const std::string_view digits = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A link written in one of the note forms of word processors and page generators.
bool hasNoteForm(const HtmlItem& link, std::string_view target)
{
    const std::string_view classes = attributeValue(link, "class");
    if (containsNoCase(classes, "footnote-ref") || containsNoCase(classes, "noteref") ||
        containsNoCase(classes, "fnanchor") || containsNoCase(classes, "sdfootnoteanc") ||
        containsNoCase(classes, "sdendnoteanc"))
        return true;
    if (equalsNoCase(attributeValue(link, "role"), "doc-noteref")) return true;
    if (equalsNoCase(attributeValue(link, "epub:type"), "noteref")) return true;
    return startsWithDigitsThen(target, "_ftn", "") || startsWithDigitsThen(target, "_edn", "") ||
           startsWithDigitsThen(target, "sdfootnote", "sym") || startsWithDigitsThen(target, "sdendnote", "sym");
}

// A division or list item whose id or class names it as one note (not as the list of them).
bool isNamedNote(const HtmlItem& tag)
{
    for (const std::string_view key : {"id", "class"}) {
        const std::string_view value = attributeValue(tag, key);
        if (containsNoCase(value, "footnotes") || containsNoCase(value, "endnotes")) return false;
        if (containsNoCase(value, "ftn") || containsNoCase(value, "edn") || containsNoCase(value, "note")) return true;
    }
    return false;
}

// "a" or "A", opening.
bool isLinkTag(const HtmlItem& item)
{
    if (!item.isTag()) return false;
    const std::string_view name = item.name();
    return name.size() == 1 && (name[0] | 0x20) == 'a';
}

struct Extent {
    std::int32_t first = -1;
    std::int32_t last = -1;
};

class Finder {
public:
    Finder(const HtmlParser& parser, const SourceSurvey& survey) : m_parser(parser), m_survey(survey) {}

    NotePlan run()
    {
        struct Candidate {
            std::int32_t reference;
            Extent extent;
            std::vector<std::int32_t> backLinks;
        };
        std::vector<Candidate> candidates;
        std::vector<std::int32_t> notesFound;
        for (std::int32_t i = 0; i < m_parser.itemCount(); ++i) {
            const HtmlItem item = m_parser.item(i);
            if (!isLinkTag(item)) continue;
            const std::string_view href = attributeValue(item, "href");
            if (href.size() < 2 || href[0] != '#') continue;
            const std::string_view target = href.substr(1);
            const auto anchor = m_survey.anchors.find(target);
            if (anchor == m_survey.anchors.end() || anchor->second == i) continue;
            // Only a link that looks like a reference is worth finding its note for.
            const bool form = hasNoteForm(item, target);
            if (!form && !m_extents.contains(anchor->second) && !isShortReference(i)) continue;
            const Extent extent = noteExtent(anchor->second);
            // A note follows its reference; a link back up is the note's way back, not a note.
            if (extent.first <= i) continue;
            std::vector<std::int32_t> backLinks = linksBack(extent, i);
            // A note already found may be referred to again, by a link of any form.
            const bool known = std::find(notesFound.begin(), notesFound.end(), extent.first) != notesFound.end();
            if (!known && !form && (backLinks.empty() || !isShortReference(i))) continue;
            candidates.push_back({i, extent, std::move(backLinks)});
            if (!known) notesFound.push_back(extent.first);
        }
        // A note is one stretch of items: of two that overlap, the one met first stays.
        std::vector<Candidate> byPlace = candidates;
        std::stable_sort(byPlace.begin(), byPlace.end(),
                         [](const Candidate& a, const Candidate& b) { return a.extent.first < b.extent.first; });
        std::vector<Extent> kept;
        for (const Candidate& c : byPlace) {
            if (!kept.empty() && kept.back().first == c.extent.first && kept.back().last == c.extent.last) continue;
            if (!kept.empty() && c.extent.first <= kept.back().last) continue;
            kept.push_back(c.extent);
        }
        NotePlan plan;
        std::unordered_map<std::int32_t, int> numberOfStart;
        for (Candidate& c : candidates) {
            const auto found = std::lower_bound(kept.begin(), kept.end(), c.extent.first,
                                                [](const Extent& e, std::int32_t first) { return e.first < first; });
            if (found == kept.end() || found->first != c.extent.first || found->last != c.extent.last) continue;
            auto [place, added] = numberOfStart.emplace(c.extent.first, static_cast<int>(plan.notes.size()) + 1);
            if (added) plan.notes.push_back({place->second, c.extent.first, c.extent.last, {}});
            FoundNote& note = plan.notes[static_cast<std::size_t>(place->second - 1)];
            note.backLinks.insert(note.backLinks.end(), c.backLinks.begin(), c.backLinks.end());
            plan.numberOfReference.emplace(c.reference, place->second);
        }
        return plan;
    }

private:
    std::string_view nameAt(std::int32_t i)
    {
        const HtmlItem item = m_parser.item(i);
        return item.isTag() ? lowerTagName(item, m_name) : std::string_view();
    }

    // The block that holds the anchor carried by item `at`.
    Extent noteExtent(std::int32_t at)
    {
        if (const auto cached = m_extents.find(at); cached != m_extents.end()) return cached->second;
        std::int32_t block = isNoteBlock(nameAt(at)) ? at : enclosingBlock(at);
        if (block >= 0 && nameAt(block) == "p") {
            const std::int32_t outer = enclosingBlock(block);
            const std::string_view outerName = outer >= 0 ? nameAt(outer) : std::string_view();
            if ((outerName == "div" || outerName == "li" || outerName == "aside") && isNamedNote(m_parser.item(outer)))
                block = outer;
        }
        Extent extent;
        if (block >= 0) {
            const std::int32_t last = closingItem(block);
            if (last >= 0) extent = {block, last};
        }
        m_extents.emplace(at, extent);
        return extent;
    }

    // The nearest note block opened before item `at` and not closed before it, or -1.
    std::int32_t enclosingBlock(std::int32_t at)
    {
        std::vector<std::string> closed;
        for (std::int32_t i = at - 1; i >= 0 && i >= at - kAroundLimit; --i) {
            const std::string_view name = nameAt(i);
            if (name.empty()) continue;
            if (isHeadingName(name) || name == "body") return -1;
            if (name[0] == '/' && isNoteBlock(name.substr(1))) {
                closed.emplace_back(name.substr(1));
            } else if (isNoteBlock(name)) {
                const auto open = std::find(closed.rbegin(), closed.rend(), name);
                if (open == closed.rend()) return i;
                closed.erase(std::next(open).base());
            }
        }
        return -1;
    }

    // The item that closes the block opened at `first`: its end tag, or for a paragraph the
    // item before the next block; -1 when the block holds a heading or is too long for a note.
    std::int32_t closingItem(std::int32_t first)
    {
        const std::string name(nameAt(first));
        int depth = 0;
        for (std::int32_t i = first + 1; i < m_parser.itemCount() && i <= first + kNoteItemLimit; ++i) {
            const std::string_view tag = nameAt(i);
            if (tag.empty()) continue;
            if (isHeadingName(tag) || tag == "/body") return name == "p" && depth == 0 ? i - 1 : -1;
            if (tag == name) {
                if (name == "p") return i - 1;
                ++depth;
            } else if (tag[0] == '/' && tag.substr(1) == name) {
                if (depth-- == 0) return i;
            } else if (name == "p" && (isNoteBlock(tag) || (tag[0] == '/' && isNoteBlock(tag.substr(1))))) {
                return i - 1;
            }
        }
        return -1;
    }

    // The links of a note that lead to an anchor at (or just around) the reference.
    std::vector<std::int32_t> linksBack(Extent extent, std::int32_t reference)
    {
        std::vector<std::int32_t> links;
        for (std::int32_t i = extent.first; i <= extent.last; ++i) {
            const HtmlItem item = m_parser.item(i);
            if (!item.isTag() || lowerTagName(item, m_name) != "a") continue;
            const std::string_view href = attributeValue(item, "href");
            if (href.size() < 2 || href[0] != '#') continue;
            const auto anchor = m_survey.anchors.find(href.substr(1));
            if (anchor != m_survey.anchors.end() && anchor->second >= reference - 4 && anchor->second <= reference + 2)
                links.push_back(i);
        }
        return links;
    }

    // The link's text is a short mark ("1", "*", "[12]").
    bool isShortReference(std::int32_t link)
    {
        std::string text;
        for (std::int32_t i = link + 1; i < m_parser.itemCount() && i <= link + 12; ++i) {
            const HtmlItem item = m_parser.item(i);
            if (item.isTag() && lowerTagName(item, m_name) == "/a") break;
            if (item.isText()) text.append(item.text());
            if (text.size() > 64) return false;
        }
        std::size_t begin = 0;
        std::size_t end = text.size();
        while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
        while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
        return end > begin && end - begin <= kShortReference;
    }

    const HtmlParser& m_parser;
    const SourceSurvey& m_survey;
    std::string m_name;
    std::unordered_map<std::int32_t, Extent> m_extents;
};

}  // namespace

NotePlan findNotes(const HtmlParser& parser, const SourceSurvey& survey) { return Finder(parser, survey).run(); }

}  // namespace vellumar
