#pragma once
// The title-information step of a conversion: the three header values, asked of the user
// when "Show title info" is on, and the book file name proposed from the answers.

#include <optional>
#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "base/user_interaction.h"

namespace vellumar {

struct TitleInformation {
    std::string title = "Book Title";
    std::string firstName = "First Name";
    std::string lastName = "Last Name";
    // Set when the answers propose a file name for the book (a confirmed, non-empty title).
    std::optional<std::string> proposedFileName;
};

// The longest file name, in bytes of its UTF-8 form, that file systems commonly take.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// The file-name form of a name: transliterated, then spaces written as "_". A character the
// code page lacked (a numeric reference such as "&#233;") is written as the ASCII letters of
// its Latin letter ("e"), or left out: no reference goes into a file name.
std::string fileNameForm(std::string_view text);

// The file name proposed for a book from the three answers: the title's file-name form, then
// "-" and the first name's form when there is a first name, then "_" and the last name's form
// when there is a last name, with everything from the last "." on replaced by ".fb2" (".fb2"
// appended when there is no "."). The part before ".fb2" is cut so that the whole name takes
// at most kMaxFileNameBytes bytes in UTF-8. "/" and NUL, which no file name may hold, become
// "_". Nothing is proposed for an empty title, or when nothing of it is left for the name.
std::optional<std::string> proposedBookFileName(std::string_view title, std::string_view firstName,
                                                std::string_view lastName);

// The defaults when "Show title info" is off or the user cancels; otherwise the three answers
// as given (empty texts included) and the name they propose.
TitleInformation askTitleInformation(const ConversionOptions& options, UserInteraction& user);

}  // namespace vellumar
