#include "convert/title_information.h"

#include "cleaning/name_transliteration.h"

namespace vellumar {

std::string FileNameForm(std::string_view text)
{
    return SpacesToUnderscores(TransliterateName(text));
}

std::optional<std::string> ProposedBookFileName(std::string_view title, std::string_view firstName,
                                                std::string_view lastName)
{
    if (title.empty()) return std::nullopt;
    std::string name = FileNameForm(title);
    if (!firstName.empty()) name.append("-").append(FileNameForm(firstName));
    if (!lastName.empty()) name.append("_").append(FileNameForm(lastName));
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    name.append(".fb2");
    for (char& c : name)
        if (c == '/' || c == '\0') c = '_';
    return name;
}

TitleInformation AskTitleInformation(const ConversionOptions& options, UserInteraction& user)
{
    TitleInformation info;
    if (!options.ShowTitleInfo) return info;
    const std::optional<BookInfoAnswers> answers = user.askBookInfo();
    if (!answers) return info;
    info.title = answers->title;
    info.firstName = answers->firstName;
    info.lastName = answers->lastName;
    info.proposedFileName = ProposedBookFileName(info.title, info.firstName, info.lastName);
    return info;
}

}  // namespace vellumar
