#pragma once
// The command line's answers to the core: warnings on stderr (or the stream of one INPUT's
// messages when several are converted at once), book info from the flags.

#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "cli/text_output.h"
#include "base/user_interaction.h"

namespace vellumar::cli {

class CliInteraction : public UserInteraction {
public:
    // `input` is the INPUT the warnings come from ("-" for standard input).
    CliInteraction(const CliOptions& options, const std::string& input, TextOutput& err);
    void reportTokenizerProblem(std::string_view message, std::string_view text) override;
    std::optional<BookInfoAnswers> askBookInfo() override;
    // Prints "vellumar-convert: INPUT: warning: ..." unless quiet.
    void warn(std::string_view text) override;
    // Keeps the warnings from now on until releaseWarnings() prints them, in their order.
    void holdWarnings();
    void releaseWarnings();

private:
    void print(const std::string& line);

    TextOutput& m_err;
    // "vellumar-convert: INPUT: warning: ", what every warning starts with.
    std::string m_warningStart;
    bool m_quiet;
    bool m_holding = false;
    std::string m_held;
    std::optional<BookInfoAnswers> m_answers;
};

}  // namespace vellumar::cli
