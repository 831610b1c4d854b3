#pragma once
// One INPUT of vellumar-convert, from reading it to writing its book.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/book_claims.h"
#include "cli/cli_interaction.h"
#include "cli/cli_options.h"
#include "cli/ordered_jobs.h"
#include "cli/text_output.h"
#include "pipeline/source_loading.h"

namespace vellumar::cli {

// Where the result of `input` goes: -o, the output folder, or beside the INPUT; standard input
// and the text listings go to standard output unless told otherwise. `proposedName`
// (windows-1251) is the name the book's answers propose, if any.
std::string outputTarget(const CliOptions& options, const std::string& input,
                         const std::optional<std::string>& proposedName);

// Makes the -d folder with the folders above it, as `mkdir -p` does; the problem's text when
// it cannot (a file of that name is in the way), nothing otherwise or without -d.
std::optional<std::string> makeOutputFolder(const CliOptions& options);

// The line reporting that `input` failed with `problem`: "vellumar-convert: INPUT: problem",
// or without "INPUT: " when the problem names the INPUT already.
std::string inputErrorLine(const std::string& input, std::string_view problem);

class InputConversion {
public:
    // Messages go to err, results written to standard output go to out.
    InputConversion(const CliOptions& options, CliInteraction& interaction, BookClaims& claims, TextOutput& err,
                    TextOutput& out);
    // Converts one INPUT ("-" is standard input), source number `index` - 1 of `sources`.
    // Returns true on success; on failure prints one line naming the file and the problem.
    // `index` and `count` number the progress line. Before writing a file it waits in `turns`
    // for the INPUTs before it (job index - 1) that read or write that file (`claims`). A
    // word-processor document's book is named after the document.
    bool run(const std::string& input, std::size_t index, std::size_t count, JobTurns& turns,
             const SourceBatch& sources);

private:
    void convert(const std::string& input, std::size_t index, std::size_t count, const SourceBatch& sources);
    // Writes the pieces, one after another, as the output of `input`, once no earlier INPUT
    // reads or writes the target any more; never over the INPUT it came from. A book
    // (`isBook`) is refused when an earlier INPUT's book went to the same file.
    void writeOutput(const std::string& input, const std::string& target, std::span<const std::string_view> pieces,
                     bool isBook);
    void writeOutput(const std::string& input, const std::string& target, std::string_view bytes)
    {
        writeOutput(input, target, std::span<const std::string_view>(&bytes, 1), false);
    }
    // "[index/count] input -> target" on stderr when several INPUTs are converted.
    void showProgress(const std::string& input, std::size_t index, std::size_t count, const std::string* target) const;

    const CliOptions& m_options;
    CliInteraction& m_interaction;
    BookClaims& m_claims;
    TextOutput& m_err;
    TextOutput& m_out;
    JobTurns* m_turns = nullptr;
    std::size_t m_job = 0;
    std::size_t m_count = 0;
};

}  // namespace vellumar::cli
