#pragma once
// The window program's command line: `vellumar [OPTION...] [FILE...]`. --help and --version are
// answered before any window or display is needed; every other argument that does not begin
// with "-" is a file to open. Qt's own options (-platform, -style, ...) are taken out by
// QApplication before the files are read.

#include <string>
#include <vector>

#include <QStringList>

namespace vellumar {

class MainWindow;

struct ProgramArguments {
    bool help = false;
    bool version = false;
    // An option the program does not know, as given; empty when all were known.
    std::string unknownOption;
};

// Looks for --help (-h) and --version (-v) in argv; "--" ends the options.
ProgramArguments parseProgramArguments(const std::vector<std::string>& arguments);

// The texts printed for --help and --version, each ending in a line break.
std::string programHelpText();
std::string programVersionText();

// The files among `arguments` (the program name first, as QCoreApplication::arguments() gives).
QStringList fileArguments(const QStringList& arguments);

// Opens each file as the window's commands would: an .fb2 on the "FB2" page, a source document
// (.htm, .html, .doc, .rtf, .docx, .odt) on the "Source" page. A file of another kind or one that
// cannot be read is reported by message box; the others still open. Only the first source
// document and the first book open: the window holds one of each, and one message names the
// files left unopened. The page of the last file opened stays active.
void openFileArguments(MainWindow& window, const QStringList& files);

}  // namespace vellumar
