#pragma once
// Which INPUTs of a run must not be read before the INPUTs before them are done: one that may
// be the book an earlier INPUT writes (vellumar-convert a.html a.fb2), and a second "-" (the
// first one reads standard input to its end). Converted one after another they would read what
// the earlier ones left; converted at once they must wait to do the same.

#include <vector>

#include "cli/cli_options.h"
#include "cli/path_keys.h"

namespace vellumar::cli {

std::vector<bool> inputsToReadAfterEarlierOnes(const CliOptions& options, PathKeys& keys);

}  // namespace vellumar::cli
