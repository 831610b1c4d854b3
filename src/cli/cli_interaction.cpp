#include "cli/cli_interaction.h"

#include "encodings/text_encoding.h"

namespace vellumar::cli {

CliInteraction::CliInteraction(const CliOptions& options, const std::string& input, TextOutput& err)
    : m_err(err),
      // Which program and which INPUT: in a long batch's messages each warning can be traced.
      m_warningStart("vellumar-convert: " + (input == "-" ? std::string("standard input") : input) + ": warning: "),
      m_quiet(options.quiet)
{
    if (options.title || options.firstName || options.lastName) {
        // Arguments are UTF-8; the book's text is windows-1251.
        m_answers = BookInfoAnswers{utf8ToWindows1251(options.title.value_or("")),
                                    utf8ToWindows1251(options.firstName.value_or("")),
                                    utf8ToWindows1251(options.lastName.value_or(""))};
    }
}

void CliInteraction::reportTokenizerProblem(std::string_view message, std::string_view text)
{
    if (m_quiet) return;
    // The start of the offending text, on one line.
    constexpr std::size_t kShown = 60;
    std::string start = windows1251ToUtf8(text.substr(0, kShown));
    for (char& c : start)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    print(m_warningStart + std::string(message) + ": " + start + (text.size() > kShown ? "..." : "") + '\n');
}

std::optional<BookInfoAnswers> CliInteraction::askBookInfo() { return m_answers; }

void CliInteraction::warn(std::string_view text)
{
    if (!m_quiet) print(m_warningStart + std::string(text) + '\n');
}

void CliInteraction::holdWarnings() { m_holding = true; }

void CliInteraction::releaseWarnings()
{
    m_holding = false;
    m_err << m_held;
    m_held.clear();
}

void CliInteraction::print(const std::string& line)
{
    if (m_holding) m_held.append(line);
    else m_err << line;
}

}  // namespace vellumar::cli
