#pragma once
// The word-processor documents of a list of inputs, converted into HTML files in a private
// temporary folder by one call of the word processor (LibreOffice starts once for all of
// them). The folder and everything in it go with the object.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/temp_folder.h"
#include "office/word_processor.h"

namespace vellumar {

class ConvertedDocuments {
public:
    // Converts every input whose extension names a word-processor document (.doc, .rtf,
    // .docx, .odt, in any case); the other inputs are left alone.
    ConvertedDocuments(WordProcessor& wordProcessor, std::span<const std::string> inputs);

    // Whether inputs[index] is a word-processor document; only then the two below apply.
    bool isDocument(std::size_t index) const { return m_entries.at(index).has_value(); }
    // How its conversion went.
    const HtmlExportResult& result(std::size_t index) const { return m_entries.at(index)->result; }
    // Its HTML file when the conversion went well; the pictures lie beside it.
    const std::filesystem::path& html(std::size_t index) const { return m_entries.at(index)->html; }

private:
    struct Entry {
        std::filesystem::path html;
        HtmlExportResult result;
    };
    TempFolder m_folder;
    std::vector<std::optional<Entry>> m_entries;
};

}  // namespace vellumar
