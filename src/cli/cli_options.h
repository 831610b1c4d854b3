#pragma once
// The options of vellumar-convert, parsed from the command line.

#include <optional>
#include <string>
#include <vector>

#include "base/conversion_options.h"
#include "cli/text_output.h"

namespace vellumar::cli {

struct CliOptions {
    std::vector<std::string> inputs;
    std::string output;     // -o: one INPUT only; "-" is standard output
    std::string outputDir;  // -d
    bool noClean = false;
    bool cleanOnly = false;
    bool items = false;
    bool check = false;  // --check: INPUTs are FB2 books to check, not sources to convert
    bool quiet = false;
    unsigned jobs = 0;  // -j: INPUTs converted at once; 0 means one per processor
    std::string encoding = "auto";
    // The book-info answers as given (UTF-8); none given means the header's defaults.
    std::optional<std::string> title;
    std::optional<std::string> firstName;
    std::optional<std::string> lastName;
    ConversionOptions conversion;
    // Not an option: standard error is a terminal, where a batch's progress is one line
    // rewritten in place rather than a line per INPUT.
    bool progressInPlace = false;
};

// Parses argv (reordering it: INPUTs given between options go last). Returns the options, or
// an exit status when the run should end now: 0 after --help or --version (printed on out),
// 2 after a usage error (its message printed on err).
struct ParseResult {
    std::optional<CliOptions> options;
    int exitStatus = 0;
};
ParseResult parseCommandLine(int argc, char** argv, TextOutput& out, TextOutput& err);

}  // namespace vellumar::cli
