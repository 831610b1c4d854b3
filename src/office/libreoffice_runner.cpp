#include "office/libreoffice_runner.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
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

HtmlExportResult failure(HtmlExportFailure kind, std::string reason)
{
    return HtmlExportResult{kind, std::move(reason), {}};
}

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
    if (const std::uintmax_t size = fs::file_size(document, ec); !ec && size > kMaxDocumentBytes) {
        result = failure(HtmlExportFailure::Unreadable, "it is larger than " + std::to_string(kMaxDocumentBytes) +
                                                            " bytes, more than any book: not converted");
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

constexpr const char* kDefaultSearchPath = "/bin:/usr/bin";

std::optional<fs::path> findLibreOffice(const LibreOfficeSettings& settings)
{
    // Without a PATH, the system's default one, as a shell has: an empty one would mean the
    // current folder, where anyone's "soffice" may lie.
    std::string searchPath = kDefaultSearchPath;
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

// The most address space LibreOffice may take: half the memory, and no less than it needs for
// large documents. A document that would take more fails alone instead of pushing the system
// into swapping or its out-of-memory killer.
std::size_t officeMemoryLimit()
{
    constexpr std::size_t kLeast = std::size_t{2} << 30;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return kLeast;
    return std::max(kLeast, static_cast<std::size_t>(pages) / 2 * static_cast<std::size_t>(pageSize));
}

// Settings of LibreOffice's private profile: a document's links to pictures elsewhere (a web
// address, another machine) are not followed while it is read, so converting it sends nothing.
constexpr std::string_view kProfileSettings = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="BlockUntrustedRefererLinks" oor:op="fuse"><value>true</value></prop></item>
</oor:items>
)";

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
    fs::path copyFolder() const { return m_work.file(m_name); }

    // Runs LibreOffice over the documents from the `next`th on, each within the time limit, and
    // moves `next` past the last one whose HTML is there. On a time limit, `next` is the
    // document it was stuck on.
    ChildProcessResult run(const fs::path& program, const std::vector<std::string>& options,
                           const LibreOfficeSettings& settings, std::string& errors, std::size_t& next)
    {
        const std::string start = std::to_string(next);
        ChildProcessRun run;
        run.arguments = {program.string(), "--headless", "--norestore", "--nologo", "--nodefault", "--nolockcheck",
                         "-env:UserInstallation=" + fileUrl(m_work.file("profile"))};
        run.arguments.insert(run.arguments.end(), options.begin(), options.end());
        run.arguments.insert(run.arguments.end(),
                             {"--convert-to", "html:HTML (StarWriter)", "--outdir", outputFolder().string()});
        for (std::size_t i = next; i < m_copies.size(); ++i) run.arguments.push_back(m_copies[i].string());
        // LibreOffice's own temporary files stay in the private folder too.
        const fs::path tmp = m_work.file("tmp");
        fs::create_directories(tmp);
        run.environment = {"TMPDIR=" + tmp.string()};
        run.stdoutFile = m_work.file(m_name + start + ".out");
        run.stderrFile = m_work.file(m_name + start + ".err");
        run.timeLimit = settings.timeLimitPerDocument;
        run.keepWaiting = settings.keepWaiting;
        // A document is done once its HTML is there (LibreOffice writes it last, under its name),
        // and so is every one before it, converted or not: LibreOffice takes them in order.
        const auto madeProgress = [&] {
            std::error_code ec;
            for (std::size_t last = m_staged.size(); last > next; --last) {
                if (fs::exists(outputFolder() / (m_staged[last - 1].stem + ".html"), ec)) {
                    next = last;
                    return true;
                }
            }
            return false;
        };
        run.madeProgress = madeProgress;
        run.withoutNetwork = true;
        run.memoryLimit = officeMemoryLimit();
        const ChildProcessResult result = runChildProcess(run);
        if (result.end == ChildProcessEnd::Exited)
            next = m_staged.size();
        else
            madeProgress();
        const std::string found = errorLines(run.stderrFile);
        if (!found.empty() && errors.find(found) == std::string::npos) errors += (errors.empty() ? "" : "; ") + found;
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
    fs::create_directories(work.file("profile/user"));
    writeFileAtomically(work.file("profile/user/registrymodifications.xcu"), kProfileSettings);
    Batch wordFiles(work, "doc");
    Batch otherFiles(work, "other");
    StemChooser stems;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        if (kinds[i])
            (*kinds[i] == DocumentKind::Doc ? wordFiles : otherFiles)
                .add(i, jobs[i].document, stems.choose(jobs[i].html), results[i]);

    // A .doc the Word 97 filter cannot read (a Word 95 or Word 6 one) gets a second try with the
    // type LibreOffice finds in it; its first bytes were checked to be a Word file's already.
    Batch wordFilesAgain(work, "doc-any");
    bool stopped = false;
    for (auto [batch, options] :
         {std::pair{&wordFiles, std::vector<std::string>{"--infilter=MS Word 97"}},
          std::pair{&otherFiles, std::vector<std::string>{}}, std::pair{&wordFilesAgain, std::vector<std::string>{}}}) {
        if (batch->empty()) continue;
        std::string errors;
        std::string startProblem;
        // A document LibreOffice is stuck on costs only itself: the documents before it are
        // delivered, and a new start takes the ones after it.
        std::set<std::size_t> timedOut;
        std::size_t next = 0;
        while (next < batch->staged().size() && !stopped) {
            ChildProcessResult run;
            try {
                run = batch->run(*program, options, m_settings, errors, next);
            } catch (const std::runtime_error& e) {
                startProblem = e.what();
                break;
            }
            stopped = run.end == ChildProcessEnd::Stopped;
            if (run.end != ChildProcessEnd::TimeLimit) break;
            timedOut.insert(next++);
        }
        const OutputFiles outputs(batch->outputFolder());
        for (std::size_t i = 0; i < batch->staged().size(); ++i) {
            const Staged& s = batch->staged()[i];
            HtmlExportResult& result = results[s.job];
            if (timedOut.contains(i)) {
                result = failure(HtmlExportFailure::TimeLimit, "LibreOffice did not finish within " +
                                                                   seconds(m_settings.timeLimitPerDocument) +
                                                                   " seconds and was stopped");
            } else if (!startProblem.empty() && i >= next) {
                result = failure(HtmlExportFailure::OfficeFailed, "LibreOffice could not be run: " + startProblem);
            } else if (stopped) {
                result = failure(HtmlExportFailure::Stopped, "stopped before LibreOffice finished");
            } else if (!outputs.hasHtml(s.stem)) {
                result = failure(HtmlExportFailure::OfficeFailed,
                                 errors.empty() ? std::string("LibreOffice could not convert it (it wrote no HTML)")
                                                : "LibreOffice could not convert it (" + errors + ")");
                if (batch == &wordFiles) wordFilesAgain.add(s.job, jobs[s.job].document, s.stem, result);
            } else {
                result = HtmlExportResult{};  // a failure of an earlier try goes
                try {
                    std::error_code ec;
                    const LinkedPictures linked{fs::absolute(jobs[s.job].document, ec).parent_path(),
                                                batch->copyFolder(), batch->outputFolder()};
                    result.warnings = outputs.deliver(s.stem, jobs[s.job].html, linked);
                } catch (const std::exception& e) {
                    result = failure(HtmlExportFailure::CannotWrite, e.what());
                }
            }
        }
    }
    return results;
}

}  // namespace vellumar
