#pragma once
// Finds a source's footnotes and endnotes: the links that refer to a note and the stretch of
// items that holds each note's text.
//
// A link is a note reference when it points to an anchor of the same source and either has a
// note form that word processors and page generators write (Word's "#_ftnN" and "#_ednN",
// LibreOffice's "#sdfootnoteNsym" and "#sdendnoteNsym", class "footnote-ref", "noteref" or
// "fnanchor", role "doc-noteref", epub:type "noteref"), or is short (a number, a star, "[3]")
// and the note it points to links back to it. A note comes after its reference. A note's text is the block that holds
// the anchor: the element carrying the anchor when it is a block, else the paragraph, list item or division around it,
// widened to a division or list item named as a note ("ftn1", "footnote").

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/source_survey.h"
#include "html/tokenizer.h"

namespace vellumar {

struct FoundNote {
    int number = 0;          // 1, 2, ... in the order of the first references
    std::int32_t first = 0;  // the item that opens the note's block
    std::int32_t last = 0;   // the item that closes it
    // Items of the note that only lead back to the reference ("[1]", "^"): left out.
    std::vector<std::int32_t> backLinks;
};

struct NotePlan {
    std::vector<FoundNote> notes;                             // by number
    std::unordered_map<std::int32_t, int> numberOfReference;  // "a" item -> note number
};

NotePlan findNotes(const HtmlParser& parser, const SourceSurvey& survey);

}  // namespace vellumar
