#pragma once
// The description header of a complete book.

#include <string>
#include <string_view>

namespace vellumar {

// The header's values, each already XML text (escaped).
struct CompleteHeaderValues {
    std::string title;
    std::string firstName;
    std::string lastName;
    std::string genre;
    std::string lang;     // a language code such as "en"
    std::string coverId;  // the cover picture's id, or empty
    std::string date;     // YYYY-MM-DD
    std::string id;       // the document's id
};

// From "<?xml ...?>" to "</description>", each line ended by CR LF: title-info with genre,
// author, book-title, coverpage (when there is a cover) and lang; document-info with the
// author, program-used, date, id and version.
std::string buildCompleteHeader(const CompleteHeaderValues& values);

// A fresh random UUID ("xxxxxxxx-xxxx-4xxx-yxxx-xxxxxxxxxxxx").
std::string randomUuid();
// Today's date (UTC) as YYYY-MM-DD.
std::string todayDate();
// The language code of a source's language value ("en-US" -> "en", " RU " -> "ru"); "ru" when
// the value holds none.
std::string languageCode(std::string_view value);

}  // namespace vellumar
