#pragma once
// The title-information step of a conversion: the three header values, asked of the user
// when "Show title info" is on, and the book file name proposed from the answers.

#include <optional>
#include <string>

#include "convert/conversion_options.h"
#include "convert/user_interaction.h"

namespace vellumar {

struct TitleInformation {
    std::string title = "Book Title";
    std::string firstName = "First Name";
    std::string lastName = "Last Name";
    // Set when the answers propose a file name for the book (a confirmed, non-empty title).
    std::optional<std::string> proposedFileName;
};

TitleInformation AskTitleInformation(const ConversionOptions& options, UserInteraction& user);

}  // namespace vellumar
