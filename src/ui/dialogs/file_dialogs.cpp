#include "ui/dialogs/file_dialogs.h"

#include <array>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace vellumar {

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr std::array<FileFilter, 3> kSourceFilters = {{
    {"Source files (*.doc; *rtf; *.docx; *.odt; *.htm; *.html)", "*.doc; *.rtf; *.docx; *.odt; *.htm; *.html"},
    {"html files", "*.html;*.htm"},
    {"MS Word files (*.doc;*.rtf)", "*.doc;*.rtf"},
}};
constexpr std::array<FileFilter, 2> kFb2SaveFilters = {{
    {"Fiction Book files (*.fb2)", "*.fb2"},
    {"FB2 book in zip (*.fb2.zip)", "*.fb2.zip"},
}};
constexpr std::array<FileFilter, 1> kHtmlSaveFilters = {{{"HTML Files (*.htm;*.html)", "*.htm;*.html"}}};
constexpr std::array<FileFilter, 3> kFb2OpenFilters = {{
    {"FictionBook files (*.fb2; *.fb2.zip)", "*.fb2;*.fb2.zip"},
    {"FB2 book in zip (*.fb2.zip)", "*.fb2.zip"},
    {"All Files (*.*)", "*.*"},
}};
constexpr std::array<FileFilter, 3> kPictureFilters = {{
    {"Images (*.png;*.jpg;)", "*.png;*.jpg;*.jpeg"},
    {"Portable Network Graphics (*.png)", "*.png"},
    {"JPEG Image File (*.jpg)", "*.jpg;*.jpeg"},
}};
constexpr std::array<FileFilter, 2> kSettingsFilters = {{
    {"Text Files (*.txt)", "*.txt"},
    {"All Files (*.*)", "*.*"},
}};
constexpr std::array<FileFilter, 2> kLanguageFilters = {{
    {"Language Files (*.lng)", "*.lng"},
    {"All Files (*.*)", "*.*"},
}};

const std::array<FileDialogDefinition, 8> kDialogs = {{
    {"OpenDialog1", "Open html file", kSourceFilters},
    {"SD", "Save html file", kFb2SaveFilters},
    {"SDSource", "", kHtmlSaveFilters},
    {"ODFB2", "", kFb2OpenFilters},
    {"OPD", "", kPictureFilters},
    {"SD2", "Save settings", kSettingsFilters},
    {"OD2", "Open settings file", kSettingsFilters},
    {"OD3", "Open language file", kLanguageFilters},
}};

QStringList filterPatterns(const FileFilter& filter)
{
    QStringList patterns;
    for (const QString& pattern : fromView(filter.patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (!trimmed.isEmpty()) patterns << trimmed;
    }
    return patterns;
}

QString toolkitFilter(const FileFilter& filter)
{
    QString description = fromView(filter.description).trimmed();
    if (description.endsWith(QLatin1Char(')'))) {
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0) description = description.left(open).trimmed();
    }
    const QStringList patterns = filterPatterns(filter);
    return description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

}  // namespace

std::span<const FileDialogDefinition> fileDialogDefinitions()
{
    return kDialogs;
}

const FileDialogDefinition* fileDialogDefinition(std::string_view name)
{
    for (const FileDialogDefinition& dialog : kDialogs) {
        if (dialog.name == name) return &dialog;
    }
    return nullptr;
}

QStringList fileDialogFilters(const FileDialogDefinition& dialog)
{
    QStringList filters;
    for (const FileFilter& filter : dialog.filters) filters << toolkitFilter(filter);
    return filters;
}

QString askOpenFileName(QWidget* owner, std::string_view dialogName, const QString& proposed)
{
    const FileDialogDefinition* dialog = fileDialogDefinition(dialogName);
    if (!dialog) return {};
    const QStringList filters = fileDialogFilters(*dialog);
    QString selected = filters.value(0);
    return QFileDialog::getOpenFileName(owner, fromView(dialog->title), proposed, filters.join(QStringLiteral(";;")),
                                        &selected);
}

QString askSaveFileName(QWidget* owner, std::string_view dialogName, const QString& proposed)
{
    const FileDialogDefinition* dialog = fileDialogDefinition(dialogName);
    if (!dialog) return {};
    const QStringList filters = fileDialogFilters(*dialog);
    // The filter the proposed name matches ("Book.fb2.zip": the zip's), else the first.
    QString selected = filters.value(0);
    const QString proposedName = QFileInfo(proposed).fileName();
    for (std::size_t i = 0; i < dialog->filters.size(); ++i)
        if (QDir::match(filterPatterns(dialog->filters[i]), proposedName)) {
            selected = filters.value(static_cast<qsizetype>(i));
            break;
        }
    return QFileDialog::getSaveFileName(owner, fromView(dialog->title), proposed, filters.join(QStringLiteral(";;")),
                                        &selected);
}

}  // namespace vellumar
