#pragma once
// vellumar-convert --check: checks FB2 books instead of converting. Each problem is printed as
// "FILE:LINE: error: message" (or "warning:"), then one summary line per book. A book may be
// zipped (.fb2.zip): the book inside is checked.

#include <filesystem>
#include <string>
#include <vector>

#include "cli/text_output.h"

namespace vellumar::cli {

// Checks every book in `files` against the schema `schema`; problems and summaries go to `out`,
// files that cannot be read to `err`. Returns the exit status: 1 when a book could not be read or
// is not well-formed XML, 0 otherwise (schema problems and warnings are reported, not failed).
int checkBooks(const std::vector<std::string>& files, const std::filesystem::path& schema, TextOutput& out,
               TextOutput& err);

// The folder of the running program, for finding the schema beside it.
std::filesystem::path runningProgramFolder(const char* argv0);

}  // namespace vellumar::cli
