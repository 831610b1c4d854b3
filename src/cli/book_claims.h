#pragma once
// Which INPUT of a run writes which file, so that books are written as soon as they are made
// and the run still ends as converting the INPUTs one after another would: a file written by
// an INPUT is never read or written by an earlier one afterwards, and of two books of one
// name the later is refused.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/ordered_jobs.h"
#include "cli/path_keys.h"

namespace vellumar::cli {

class BookClaims {
public:
    // Looks at every INPUT of `options` once, and at the file its book is normally written to.
    BookClaims(const CliOptions& options, PathKeys& keys);

    // Waits in `turns` until no INPUT before `job` that may read or write `target` is still
    // running. With `refuseEarlier`, throws FileError when a book before it was written (or
    // started to be) to the same file, and otherwise claims the file for `job`. Standard output
    // ("-") needs neither: what jobs write there keeps their order.
    void claim(std::size_t job, const std::string& target, JobTurns& turns, bool refuseEarlier);

private:
    struct Input {
        std::string key;     // empty for standard input
        std::string target;  // the file the book is normally written to, as named
        std::string targetKey;
        bool anyTarget = false;  // named after its book's answers, known only once made
    };
    PathKeys& m_keys;
    std::vector<Input> m_inputs;
    std::mutex m_mutex;
    std::map<std::string, std::size_t> m_claimed;  // file key -> the first job that wrote it
};

}  // namespace vellumar::cli
