#include "convert/title_information.h"

namespace vellumar {

TitleInformation AskTitleInformation(const ConversionOptions& options, UserInteraction& user)
{
    TitleInformation info;
    if (!options.ShowTitleInfo) return info;
    const std::optional<BookInfoAnswers> answers = user.askBookInfo();
    if (!answers) return info;
    info.title = answers->title;
    info.firstName = answers->firstName;
    info.lastName = answers->lastName;
    return info;
}

}  // namespace vellumar
