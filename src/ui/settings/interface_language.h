#pragma once
// The language of the interface as a code ("en", "ru", "pt_BR"): Qt's own texts (the file
// dialogs, the buttons of message boxes, the pop-up menus of text boxes) follow it through
// Debian's catalogues (package qt6-translations-l10n), and so does the help text.
//
// English and Russian are what their choices say. A file chosen as "Other:" names its language
// with the key kLanguageCodeKey in its "Form1" section; without it, Qt speaks English.

#include <QString>

#include "settings/language_files.h"

namespace vellumar {

class IniFile;

inline constexpr const char* kLanguageCodeKey = "LanguageCode";
inline constexpr const char* kEnglishCode = "en";
inline constexpr const char* kRussianCode = "ru";

// A language code as the catalogues' and the help texts' names use it: two or three lower-case
// letters, optionally "_" and two upper-case letters. Nothing else is ever put into a file name.
bool isLanguageCode(const QString& code);

// The language of the choice and its file.
QString interfaceLanguageOf(LanguageChoice choice, const IniFile& file);

// Makes Qt word its own texts in `code`, and write dates as `code` does; English when there is
// no catalogue for it. Widgets that Qt made already are told (a language change event).
void useInterfaceLanguage(const QString& code);
// The language in use: "en" until another is used.
QString interfaceLanguage();

}  // namespace vellumar
