#include "convert/title_information.h"

#include "cleaning/name_transliteration.h"
#include "convert/latin_folding.h"
#include "convert/numeric_reference.h"
#include "encodings/text_encoding.h"

namespace vellumar {

namespace {

// Each numeric character reference (a character the code page lacked: "&#233;") written as
// the ASCII letters of its Latin letter, or left out.
std::string foldCharacterReferences(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::uint32_t value = 0;
        if (const std::size_t length = text[i] == '&' ? parseNumericReference(text.substr(i), value) : 0) {
            out.append(foldLatinLetter(numericReferenceCharacter(value)));
            i += length;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// The bytes a windows-1251 byte takes in the UTF-8 file name.
std::size_t utf8Bytes(char byte)
{
    const char32_t cp = windows1251ToUnicode(static_cast<unsigned char>(byte));
    return cp < 0x80 ? 1 : cp < 0x800 ? 2 : 3;
}

}  // namespace

std::string fileNameForm(std::string_view text)
{
    return spacesToUnderscores(transliterateName(foldCharacterReferences(text)));
}

std::optional<std::string> proposedBookFileName(std::string_view title, std::string_view firstName,
                                                std::string_view lastName)
{
    if (title.empty()) return std::nullopt;
    std::string name = fileNameForm(title);
    if (!firstName.empty()) name.append("-").append(fileNameForm(firstName));
    if (!lastName.empty()) name.append("_").append(fileNameForm(lastName));
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    // Cut to fit the file system's limit once written in UTF-8, ".fb2" included.
    constexpr std::string_view kExtension = ".fb2";
    std::size_t bytes = kExtension.size();
    std::size_t fits = 0;
    while (fits < name.size() && bytes + utf8Bytes(name[fits]) <= kMaxFileNameBytes) bytes += utf8Bytes(name[fits++]);
    name.erase(fits);
    if (name.empty()) return std::nullopt;
    name.append(kExtension);
    for (char& c : name)
        if (c == '/' || c == '\0') c = '_';
    return name;
}

TitleInformation askTitleInformation(const ConversionOptions& options, UserInteraction& user)
{
    TitleInformation info;
    if (!options.showTitleInfo) return info;
    const std::optional<BookInfoAnswers> answers = user.askBookInfo();
    if (!answers) return info;
    info.title = answers->title;
    info.firstName = answers->firstName;
    info.lastName = answers->lastName;
    info.proposedFileName = proposedBookFileName(info.title, info.firstName, info.lastName);
    return info;
}

}  // namespace vellumar
