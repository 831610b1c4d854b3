#include "office/libreoffice_runner.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "files/file_io.h"
#include "files/temp_folder.h"
#include "office/child_process.h"
#include "office/document_kinds.h"
#include "office/libreoffice_output.h"
#include "office/program_lookup.h"

namespace vellumar {

namespace fs = std::filesystem;

namespace {

// A file: URL for LibreOffice's -env: options.
std::string fileUrl(const fs::path& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : path.string()) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

HtmlExportResult failure(HtmlExportFailure kind, std::string reason) { return HtmlExportResult{kind, std::move(reason)}; }

// The document's kind when it can be read and its first bytes fit its extension.
std::optional<DocumentKind> checkDocument(const fs::path& document, HtmlExportResult& result)
{
    const std::optional<DocumentKind> kind = wordProcessorDocumentKind(document);
    if (!kind) {
        result = failure(HtmlExportFailure::NotADocument,
                         "the file is not a word-processor document (.doc, .rtf, .docx or .odt)");
        return std::nullopt;
    }
    std::error_code ec;
    if (fs::exists(document, ec) && !fs::is_regular_file(document, ec)) {
        result = failure(HtmlExportFailure::Unreadable, "cannot read it: it is not a file");
        return std::nullopt;
    }
    std::ifstream in(document, std::ios::binary);
    if (!in) {
        result = failure(HtmlExportFailure::Unreadable, std::string("cannot read it: ") + std::strerror(errno));
        return std::nullopt;
    }
    std::string head(kDocumentSignatureSize, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (!hasDocumentSignature(*kind, head)) {
        result = failure(HtmlExportFailure::NotADocument, notADocumentReason(*kind));
        return std::nullopt;
    }
    return kind;
}

std::optional<fs::path> findLibreOffice(const LibreOfficeSettings& settings)
{
    std::string searchPath;
    if (settings.searchPath) {
        searchPath = *settings.searchPath;
    } else if (const char* path = std::getenv("PATH")) {
        searchPath = path;
    }
    for (const std::string_view name : {"soffice", "libreoffice"})
        if (std::optional<fs::path> program = findProgram(name, searchPath)) return program;
    return std::nullopt;
}

// LibreOffice's complaints: its "Error: ..." lines on standard error (it also writes
// harmless warnings there, and its exit status is 0 whatever happened).
std::string errorLines(const fs::path& stderrFile)
{
    std::ifstream in(stderrFile, std::ios::binary);
    std::string line;
    std::string errors;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.starts_with("Error:")) continue;
        line.erase(0, line.find_first_not_of(' ', 6));
        if (errors.find(line) != std::string::npos) continue;
        if (!errors.empty()) errors += "; ";
        errors += line;
    }
    return errors;
}

struct Staged {
    std::size_t job;
    std::string stem;  // the copy's name without extension; LibreOffice names its output after it
};

// One LibreOffice start over some of the documents.
class Batch {
public:
    Batch(TempFolder& work, std::string name) : m_work(work), m_name(std::move(name)) {}

    void add(std::size_t job, const fs::path& document, const std::string& stem, HtmlExportResult& result)
    {
        const fs::path copy = m_work.file(m_name) / (stem + document.extension().string());
        std::error_code ec;
        fs::create_directories(copy.parent_path(), ec);
        if (!ec) fs::copy_file(document, copy, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            result = failure(HtmlExportFailure::Unreadable, "cannot read it: " + ec.message());
            return;
        }
        m_copies.push_back(copy);
        m_staged.push_back(Staged{job, stem});
    }

    bool empty() const { return m_staged.empty(); }
    const std::vector<Staged>& staged() const { return m_staged; }
    fs::path outputFolder() const { return m_work.file(m_name + "-html"); }

    ChildProcessResult run(const fs::path& program, const std::vector<std::string>& options,
                           const LibreOfficeSettings& settings, std::string& errors)
    {
        ChildProcessRun run;
        run.arguments = {program.string(), "--headless", "--norestore", "--nologo", "--nodefault", "--nolockcheck",
                         "-env:UserInstallation=" + fileUrl(m_work.file("profile"))};
        run.arguments.insert(run.arguments.end(), options.begin(), options.end());
        run.arguments.insert(run.arguments.end(),
                             {"--convert-to", "html:HTML (StarWriter)", "--outdir", outputFolder().string()});
        for (const fs::path& copy : m_copies) run.arguments.push_back(copy.string());
        // LibreOffice's own temporary files stay in the private folder too.
        const fs::path tmp = m_work.file("tmp");
        fs::create_directories(tmp);
        run.environment = {"TMPDIR=" + tmp.string()};
        run.stdoutFile = m_work.file(m_name + ".out");
        run.stderrFile = m_work.file(m_name + ".err");
        run.timeLimit = settings.timeLimitPerDocument * static_cast<long>(m_staged.size());
        run.keepWaiting = settings.keepWaiting;
        const ChildProcessResult result = runChildProcess(run);
        errors = errorLines(run.stderrFile);
        return result;
    }

private:
    TempFolder& m_work;
    std::string m_name;
    std::vector<fs::path> m_copies;
    std::vector<Staged> m_staged;
};

std::string seconds(std::chrono::milliseconds time)
{
    std::ostringstream s;
    s << static_cast<double>(time.count()) / 1000.0;
    return s.str();
}

}  // namespace

LibreOfficeRunner::LibreOfficeRunner(LibreOfficeSettings settings) : m_settings(std::move(settings)) {}

std::vector<HtmlExportResult> LibreOfficeRunner::saveAsHtml(std::span<const HtmlExportJob> jobs)
{
    std::vector<HtmlExportResult> results(jobs.size());
    std::vector<std::optional<DocumentKind>> kinds(jobs.size());
    bool anyLeft = false;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        kinds[i] = checkDocument(jobs[i].document, results[i]);
        anyLeft = anyLeft || kinds[i].has_value();
    }
    if (!anyLeft) return results;

    const std::optional<fs::path> program = findLibreOffice(m_settings);
    if (!program) {
        for (std::size_t i = 0; i < jobs.size(); ++i)
            if (kinds[i])
                results[i] = failure(HtmlExportFailure::NotInstalled,
                                     "LibreOffice is not installed (neither soffice nor libreoffice was found); "
                                     "install it, on Debian with: apt-get install libreoffice-writer-nogui");
        return results;
    }

    TempFolder work;
    Batch wordFiles(work, "doc");
    Batch otherFiles(work, "other");
    StemChooser stems;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        if (kinds[i])
            (*kinds[i] == DocumentKind::Doc ? wordFiles : otherFiles)
                .add(i, jobs[i].document, stems.choose(jobs[i].html), results[i]);

    bool stopped = false;
    for (auto [batch, options] : {std::pair{&wordFiles, std::vector<std::string>{"--infilter=MS Word 97"}},
                                  std::pair{&otherFiles, std::vector<std::string>{}}}) {
        if (batch->empty()) continue;
        std::string errors;
        ChildProcessResult run;
        std::string startProblem;
        try {
            if (!stopped) run = batch->run(*program, options, m_settings, errors);
        } catch (const std::runtime_error& e) {
            startProblem = e.what();
        }
        stopped = stopped || run.end == ChildProcessEnd::Stopped;
        const OutputFiles outputs(batch->outputFolder());
        for (const Staged& s : batch->staged()) {
            HtmlExportResult& result = results[s.job];
            if (!startProblem.empty()) {
                result = failure(HtmlExportFailure::OfficeFailed, "LibreOffice could not be run: " + startProblem);
            } else if (stopped) {
                result = failure(HtmlExportFailure::Stopped, "stopped before LibreOffice finished");
            } else if (run.end == ChildProcessEnd::TimeLimit) {
                result = failure(HtmlExportFailure::TimeLimit,
                                 "LibreOffice did not finish within " +
                                     seconds(m_settings.timeLimitPerDocument * static_cast<long>(batch->staged().size())) +
                                     " seconds and was stopped");
            } else if (!outputs.hasHtml(s.stem)) {
                result = failure(HtmlExportFailure::OfficeFailed,
                                 errors.empty() ? std::string("LibreOffice could not convert it (it wrote no HTML)")
                                                : "LibreOffice could not convert it (" + errors + ")");
            } else {
                try {
                    outputs.deliver(s.stem, jobs[s.job].html);
                } catch (const std::exception& e) {
                    result = failure(HtmlExportFailure::CannotWrite, e.what());
                }
            }
        }
    }
    return results;
}

}  // namespace vellumar
