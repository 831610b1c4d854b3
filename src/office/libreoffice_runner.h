#pragma once
// Word-processor documents to HTML through LibreOffice in headless mode, as a child process.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "office/word_processor.h"

namespace vellumar {

// The largest document handed to LibreOffice: far above any book, below what would have it
// spend minutes and gigabytes on one file.
inline constexpr std::uintmax_t kMaxDocumentBytes = std::uintmax_t{256} << 20;

struct LibreOfficeSettings {
    // The PATH in which "soffice", then "libreoffice", is looked up; this process's PATH
    // when unset.
    std::optional<std::string> searchPath;
    // The time each document of a list may take. LibreOffice is stopped when one takes longer;
    // that document fails, those done before it are kept, and a new start takes the rest.
    std::chrono::milliseconds timeLimitPerDocument{std::chrono::seconds(120)};
    // Called every few milliseconds while LibreOffice works (a window lets pending events
    // run); returning false stops LibreOffice and ends the call with the Stopped failure.
    std::function<bool()> keepWaiting;
};

// Every call works in a private temporary folder holding a LibreOffice profile of its own
// (a shared profile hands the work to another running LibreOffice, even the user's), copies
// of the documents (LibreOffice leaves lock files beside what it opens) and LibreOffice's
// output; the folder is removed on every way out. Documents whose first bytes do not fit
// their extension are refused before LibreOffice starts. All documents of a call share one
// LibreOffice start, except that .doc files get one of their own (they are read with the
// Word 97 filter forced, so that nothing else slips in as plain text); a .doc that filter
// cannot read (Word 95, Word 6) is tried once more with the type LibreOffice detects.
// LibreOffice runs without a network where the system allows, with a profile that follows no
// link to a picture elsewhere, and under a memory limit.
class LibreOfficeRunner : public WordProcessor {
public:
    explicit LibreOfficeRunner(LibreOfficeSettings settings = {});

    std::vector<HtmlExportResult> saveAsHtml(std::span<const HtmlExportJob> jobs) override;

private:
    LibreOfficeSettings m_settings;
};

}  // namespace vellumar
