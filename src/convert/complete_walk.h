#pragma once
// The walk that writes a complete book's body: one pass over the tokenizer's items that keeps
// the book valid as it goes. Text always stands in a paragraph, a title, a subtitle or a
// cell; inline elements (strong, emphasis, strikethrough, sub, sup, code, links) are closed at
// the end of their paragraph and opened again in the next; headings up to the title level open
// sections nested by level, deeper ones become subtitles; tables keep the rows, cells and
// attributes the book format has; notes are left to the notes body and their references
// become note links.

#include <cstdint>
#include <string>
#include <vector>

#include "base/conversion_options.h"
#include "convert/body_writer.h"
#include "convert/link_targets.h"
#include "convert/note_finder.h"
#include "convert/source_survey.h"
#include "html/tokenizer.h"

namespace vellumar {

// What one complete conversion shares between the walks of its body and of its notes.
struct CompleteContext {
    const HtmlParser& parser;
    const ConversionOptions& options;
    ConversionServices& services;
    const SourceSurvey& survey;
    const NotePlan& notes;
    LinkTargets& links;
    std::string& binaries;        // the binary elements, in book order
    int titleLevel = 0;           // 0-based; -1 for none
    std::int32_t coverItem = -1;  // the "img" item that becomes the cover, or -1
    std::string coverId;          // set when the cover picture was embedded
};

// The sections of the main body (without "<body>" and "</body>"), link markers unresolved.
std::string writeCompleteSections(CompleteContext& context);
// The section of one note: «<section id="nN"><title><p>N</p></title>…</section>».
std::string writeNoteSection(CompleteContext& context, const FoundNote& note);

}  // namespace vellumar
