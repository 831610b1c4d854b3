#pragma once
// What the core asks of whoever drives it (the window with dialogs, the command line with
// flags and stderr, tests with scripted answers).

#include <optional>
#include <string>
#include <string_view>

namespace vellumar {

// The three texts of the book-info dialog, as 8-bit text in the code page of the editors
// (windows-1251 with the default character set).
struct BookInfoAnswers {
    std::string title;
    std::string firstName;
    std::string lastName;
};

class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // A tokenizer problem; the work goes on with the items made so far.
    virtual void reportTokenizerProblem(std::string_view message, std::string_view text) = 0;
    // Shows the book-info dialog with empty fields; nullopt when it was cancelled or closed.
    virtual std::optional<BookInfoAnswers> askBookInfo() = 0;
    // The same dialog with its fields filled with `proposed` (what the source says of itself,
    // for complete books); those who cannot fill it ask as askBookInfo does.
    virtual std::optional<BookInfoAnswers> askBookInfoProposing(const BookInfoAnswers& proposed)
    {
        static_cast<void>(proposed);
        return askBookInfo();
    }
    // Something the user should know about while the work goes on as well as it can (a
    // picture that was not found, a table written as its text, an odd attribute value). The
    // text (UTF-8) names what it is about; those who cannot show it may ignore it.
    virtual void warn(std::string_view text) { static_cast<void>(text); }
};

// Answers nothing and ignores reports: for callers that have no user at hand.
class SilentInteraction : public UserInteraction {
public:
    void reportTokenizerProblem(std::string_view, std::string_view) override {}
    std::optional<BookInfoAnswers> askBookInfo() override { return std::nullopt; }
};

}  // namespace vellumar
