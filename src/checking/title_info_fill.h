#pragma once
// The title-info parts the schema requires and the converter's header lacks: a genre and an
// author. Reported as warnings, then stood in for in the parsed tree so that the schema check
// does not report them a second time.

#include <vector>

#include <libxml/tree.h>

#include "checking/book_check.h"

namespace vellumar {

// Looks at FictionBook/description/title-info of `document`; for a missing genre or author adds
// a warning to `problems` and puts a stand-in element into the tree where the schema expects it.
void fillMissingTitleInfo(xmlDoc& document, std::vector<BookProblem>& problems);

}  // namespace vellumar
