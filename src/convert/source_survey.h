#pragma once
// One quick pass over a source's items before a complete book is written: what the book's
// header, its sections and its links need to know of the whole source in advance.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "html/tokenizer.h"

namespace vellumar {

// What the source says of itself, as windows-1251 text with its entities not yet applied.
struct SourceMetadata {
    std::string title;   // <title>, else the first heading's text
    std::string author;  // <meta name="author">, Dublin Core's creator, Word's document author
    std::string lang;    // <html lang>, xml:lang, Content-Language; empty when none says
};

// A heading, with how much text came before it: what the automatic title level weighs.
struct HeadingMark {
    int rank = 0;                 // 1..6
    std::int64_t textBefore = 0;  // bytes of body text before the heading
};

struct SourceSurvey {
    SourceMetadata metadata;
    bool hasBody = false;
    std::int64_t textBytes = 0;  // bytes of body text in all
    std::vector<HeadingMark> headings;
    // Every anchor of the source ("id" of any element, "name" of "a"), with the item that
    // carries it; the first of two with one name wins.
    std::unordered_map<std::string_view, std::int32_t> anchors;
    // The anchor names that links of the source lead to ("#x"), in source order, repeats kept.
    std::vector<std::string_view> linkedNames;
    // The first picture whose src, id, class or alt says "cover", and the first picture that
    // stands before any heading or text of the body; -1 when there is none.
    std::int32_t namedCoverPicture = -1;
    std::int32_t leadingPicture = -1;
};

SourceSurvey surveySource(const HtmlParser& parser);

// The lower-case name of a tag, in a small buffer reused from call to call.
std::string_view lowerTagName(const HtmlItem& tag, std::string& buffer);

// The value of the attribute `key` (compared without case), or nullopt-like empty view with
// `found` false.
std::string_view attributeValue(const HtmlItem& tag, std::string_view key, bool* found = nullptr);

}  // namespace vellumar
