#pragma once
// Turning word-processor documents into HTML files through an outside program.
// One call stands for the whole session with the program: start it, open each document,
// save it as HTML, close it, quit. The window converts one document at a time, the command
// line a list of them in one start.

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vellumar {

struct HtmlExportJob {
    std::filesystem::path document;  // never modified
    // Where the HTML goes; the picture files it refers to go into the same folder, under
    // the names its <img src> attributes give. An existing file there is replaced whole.
    std::filesystem::path html;
};

enum class HtmlExportFailure {
    None,
    NotInstalled,   // no word processor found
    Unreadable,     // the document is missing or cannot be read
    NotADocument,   // its first bytes do not fit its extension, or the extension is not one we know
    OfficeFailed,   // the word processor ran but wrote no HTML for it
    TimeLimit,      // the word processor took too long and was stopped
    Stopped,        // the caller asked to stop (Ctrl-C)
    CannotWrite,    // the HTML or a picture could not be written where it was asked for
};

struct HtmlExportResult {
    HtmlExportFailure failure = HtmlExportFailure::None;
    std::string reason;  // for the user, when it failed: what went wrong and what to do
    std::vector<std::string> warnings;  // when it worked: pictures the document links, left out

    bool ok() const { return failure == HtmlExportFailure::None; }
};

class WordProcessor {
public:
    virtual ~WordProcessor() = default;
    // One result per job, in the jobs' order. A failure of one document leaves the others
    // to be converted; nothing is written for a document that failed.
    virtual std::vector<HtmlExportResult> saveAsHtml(std::span<const HtmlExportJob> jobs) = 0;
};

}  // namespace vellumar
