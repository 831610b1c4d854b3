#include "ui/window/program_arguments.h"

#include <QFileInfo>

#include "base/program_info.h"
#include "ui/commands/file_commands.h"
#include "ui/window/main_window.h"

namespace vellumar {

ProgramArguments parseProgramArguments(const std::vector<std::string>& arguments)
{
    ProgramArguments parsed;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") break;
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version" || argument == "-v") {
            parsed.version = true;
        } else if (argument.starts_with("--") && parsed.unknownOption.empty()) {
            // Qt's options take a single dash; a double-dash option is the program's own.
            parsed.unknownOption = argument;
        }
    }
    return parsed;
}

std::string programHelpText()
{
    return "Usage: vellumar [OPTION...] [FILE...]\n"
           "Turns HTML and word-processor documents into FictionBook 2 (FB2) e-books and lets you\n"
           "finish them by hand.\n"
           "\n"
           "Each FILE opens as the File menu would open it: an .fb2 book on the \"FB2\" page, an\n"
           ".htm, .html, .doc, .rtf, .docx or .odt document on the \"Source\" page.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n"
           "\n"
           "Qt's own options (-platform, -style, -reverse, ...) are accepted as well.\n"
           "Converting without a window: vellumar-convert --help\n";
}

std::string programVersionText()
{
    return std::string(kProgramName) + " " + std::string(kProgramVersion) + "\n";
}

QStringList fileArguments(const QStringList& arguments)
{
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            files << argument;
        }
    }
    return files;
}

void openFileArguments(MainWindow& window, const QStringList& files)
{
    // The window shows one source document and one book: a second of a kind would replace the
    // first one without a word, so it is named instead.
    bool sourceOpened = false;
    bool bookOpened = false;
    QStringList notOpened;
    for (const QString& file : files) {
        const QString path = QFileInfo(file).absoluteFilePath();
        const FileCommands::FileKind kind = FileCommands::kindOf(path);
        bool& opened = kind == FileCommands::FileKind::Book ? bookOpened : sourceOpened;
        if (kind != FileCommands::FileKind::Other && opened) {
            notOpened << file;
            continue;
        }
        if (window.fileCommands().openFile(path) && kind != FileCommands::FileKind::Other) opened = true;
    }
    if (!notOpened.isEmpty()) window.fileCommands().reportNotOpened(notOpened);
}

}  // namespace vellumar
