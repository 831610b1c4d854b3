#include "office/converted_documents.h"

#include "office/derived_html_path.h"
#include "office/document_kinds.h"

namespace vellumar {

namespace fs = std::filesystem;

ConvertedDocuments::ConvertedDocuments(WordProcessor& wordProcessor, std::span<const std::string> inputs)
    : m_entries(inputs.size())
{
    std::vector<HtmlExportJob> jobs;
    std::vector<std::size_t> indexes;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!wordProcessorDocumentKind(inputs[i])) continue;
        // A folder per document: two documents of the same name from different folders,
        // and their pictures, stay apart.
        const fs::path folder = m_folder.file(std::to_string(i + 1));
        fs::create_directories(folder);
        jobs.push_back(HtmlExportJob{inputs[i], folder / derivedHtmlPath(inputs[i]).filename()});
        indexes.push_back(i);
    }
    if (jobs.empty()) return;
    const std::vector<HtmlExportResult> results = wordProcessor.saveAsHtml(jobs);
    for (std::size_t j = 0; j < jobs.size(); ++j) m_entries[indexes[j]] = Entry{jobs[j].html, results[j]};
}

}  // namespace vellumar
