#pragma once
// A user who answers nothing and writes down every tokenizer report.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/user_interaction.h"

namespace vellumar::testing {

class RecordingInteraction : public UserInteraction {
public:
    void reportTokenizerProblem(std::string_view message, std::string_view text) override
    {
        reports.emplace_back(std::string(message), std::string(text));
    }
    std::optional<BookInfoAnswers> askBookInfo() override { return answers; }
    void warn(std::string_view text) override { warnings.emplace_back(text); }

    std::vector<std::pair<std::string, std::string>> reports;
    std::vector<std::string> warnings;
    std::optional<BookInfoAnswers> answers;
};

}  // namespace vellumar::testing
