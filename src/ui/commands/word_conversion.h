#pragma once
// Saving a word-processor document as HTML from the window: LibreOffice runs as a child
// process while the window keeps repainting; commands given meanwhile are refused.

#include <filesystem>

#include "office/derived_html_path.h"
#include "office/libreoffice_runner.h"

namespace vellumar {

// Has LibreOffice write `document` as HTML at `html` (pictures beside it). Returns how it
// went; the caller shows the message. While LibreOffice works, pending events run every few
// milliseconds, except the user's input (keys, clicks, closing a window), which is dropped.
// `settings` lets a test point at another program or shorten the time limit; its
// keepWaiting is replaced.
HtmlExportResult convertWithWord(const std::filesystem::path& document, const std::filesystem::path& html,
                                 LibreOfficeSettings settings = {});

// The HTML files written beside documents by the windows of this run of the program; another
// file of a derived name is the user's and stays.
WrittenHtmlFiles& htmlWrittenThisRun();

}  // namespace vellumar
