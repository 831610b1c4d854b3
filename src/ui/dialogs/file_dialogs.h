#pragma once
// The main window's file dialogs: their names, titles and filters. A command asks for a file
// name through the dialog it names ("OpenDialog1", "SD", ...); the first filter is selected when
// the dialog opens.

#include <span>
#include <string_view>

#include <QString>
#include <QStringList>

class QWidget;

namespace vellumar {

struct FileFilter {
    std::string_view description;
    std::string_view patterns;  // "*.htm;*.html"
};

struct FileDialogDefinition {
    std::string_view name;
    std::string_view title;  // empty: the system's default title
    std::span<const FileFilter> filters;
};

// Every file dialog of the main window.
std::span<const FileDialogDefinition> fileDialogDefinitions();
// The dialog named `name`, or null.
const FileDialogDefinition* fileDialogDefinition(std::string_view name);

// The filters of a dialog in the toolkit's form: the description, then the patterns in
// parentheses ("Source files (*.doc *.rtf *.htm *.html)"). A description that already ends in
// a parenthesised pattern list has that list replaced by the real patterns.
QStringList fileDialogFilters(const FileDialogDefinition& dialog);

// Asks for an existing file, or for a file name to save under, with the named dialog; `proposed`
// is the file name or folder the dialog starts at. Returns the empty text when cancelled.
QString askOpenFileName(QWidget* owner, std::string_view dialogName, const QString& proposed = {});
QString askSaveFileName(QWidget* owner, std::string_view dialogName, const QString& proposed = {});

}  // namespace vellumar
