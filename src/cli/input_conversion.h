#pragma once
// One INPUT of vellumar-convert, from reading it to writing its book.

#include <cstddef>
#include <optional>
#include <set>
#include <string>

#include "cli/cli_interaction.h"
#include "cli/cli_options.h"
#include "html/tokenizer.h"

namespace vellumar::cli {

class InputConversion {
public:
    InputConversion(const CliOptions& options, CliInteraction& interaction);
    // Converts one INPUT ("-" is standard input). Returns true on success; on failure prints
    // one line naming the file and the problem. `index` and `count` number the progress line.
    bool run(const std::string& input, std::size_t index, std::size_t count);

private:
    void convert(const std::string& input, std::size_t index, std::size_t count);
    // Where the result of `input` goes; `proposedName` (windows-1251) is the name the book's
    // answers propose, if any.
    std::string target(const std::string& input, const std::optional<std::string>& proposedName) const;
    // "[index/count] input -> target" on stderr when several INPUTs are converted.
    void showProgress(const std::string& input, std::size_t index, std::size_t count, const std::string* target) const;

    const CliOptions& m_options;
    CliInteraction& m_interaction;
    THTMLParser m_parser;  // reused by every INPUT, as the window reuses its one parser
    std::set<std::string> m_written;  // the books written by this run
};

}  // namespace vellumar::cli
