// The LibreOffice runner against the real LibreOffice, on documents the tests make.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <filesystem>
#include <string>
#include <vector>

#include "files/temp_folder.h"
#include "libreoffice/office_documents.h"
#include "office/derived_html_path.h"
#include "office/libreoffice_runner.h"
#include "support/process_check.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using vellumar::HtmlExportFailure;
using vellumar::HtmlExportJob;
using vellumar::testing::fileBytes;

std::vector<std::string> filesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class LibreOfficeRunnerTest : public ::testing::Test {
protected:
    // The runner's private folders go into a temporary folder of the test, to see them go.
    void SetUp() override
    {
        m_tmp = m_folder.file("tmp");
        m_docs = m_folder.file("My Files");
        fs::create_directories(m_tmp);
        fs::create_directories(m_docs);
        if (const char* tmpdir = std::getenv("TMPDIR")) m_savedTmpdir = tmpdir;
        ::setenv("TMPDIR", m_tmp.c_str(), 1);
    }
    void TearDown() override
    {
        if (m_savedTmpdir) ::setenv("TMPDIR", m_savedTmpdir->c_str(), 1);
        else ::unsetenv("TMPDIR");
        EXPECT_TRUE(fs::is_empty(m_tmp)) << "a private folder was left behind";
    }

    fs::path write(const std::string& name, const std::string& bytes)
    {
        const fs::path p = m_docs / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    static HtmlExportJob beside(const fs::path& document) { return {document, vellumar::derivedHtmlPath(document)}; }

    vellumar::TempFolder m_folder;
    fs::path m_tmp;
    fs::path m_docs;
    std::optional<std::string> m_savedTmpdir;
};

TEST_F(LibreOfficeRunnerTest, EveryKindInOneCall)
{
    const fs::path rtf = write("Old Book.rtf", vellumar::testing::rtfBook());
    const fs::path made = m_folder.file("made");
    fs::create_directories(made);
    std::vector<HtmlExportJob> jobs = {beside(rtf)};
    for (const char* format : {"doc", "docx"}) {
        const fs::path document = m_docs / ("book." + std::string(format));
        fs::rename(vellumar::testing::makeWithLibreOffice(rtf, format, made), document);
        jobs.push_back(beside(document));
    }
    const std::string rtfBytes = fileBytes(rtf);

    const std::vector<vellumar::HtmlExportResult> results = vellumar::LibreOfficeRunner().saveAsHtml(jobs);

    ASSERT_EQ(results.size(), jobs.size());
    std::set<std::string> pictures;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        SCOPED_TRACE(jobs[i].document.filename().string());
        ASSERT_TRUE(results[i].ok()) << results[i].reason;
        const std::string html = fileBytes(jobs[i].html);
        EXPECT_NE(html.find("<h1"), std::string::npos);
        EXPECT_NE(html.find("Глава первая"), std::string::npos);
        EXPECT_NE(html.find("<b>bold</b>"), std::string::npos);
        EXPECT_NE(html.find("<i>italic</i>"), std::string::npos);
        EXPECT_NE(html.find("Да."), std::string::npos);
        // The picture lies beside the HTML under the name its <img src> gives.
        const std::size_t src = html.find("<img src=\"");
        ASSERT_NE(src, std::string::npos);
        const std::size_t start = src + 10;
        const std::string picture = html.substr(start, html.find('"', start) - start);
        EXPECT_TRUE(fs::exists(m_docs / picture)) << picture;
        pictures.insert(picture);
    }
    EXPECT_EQ(fileBytes(rtf), rtfBytes);
    // Nothing but the documents, their HTML and the pictures: no lock file, no profile.
    for (const std::string& name : filesIn(m_docs))
        EXPECT_TRUE(name.find("_html_") != std::string::npos || name.ends_with(".htm") ||
                    name.starts_with("book.") || name == "Old Book.rtf")
            << name;
    EXPECT_EQ(filesIn(m_docs).size(), 2 * jobs.size() + pictures.size());
    EXPECT_TRUE(fs::exists(m_docs / "Old_Book.htm"));
}

TEST_F(LibreOfficeRunnerTest, EachBadDocumentFailsWithItsReasonAndTheOthersConvert)
{
    const std::string rtf = vellumar::testing::rtfBook();
    const struct {
        const char* name;
        std::string bytes;
        HtmlExportFailure failure;
        const char* reason;
    } cases[] = {
        {"random.doc", std::string(3000, '\x5a'), HtmlExportFailure::NotADocument, "not a Word 97-2003 document"},
        {"cut.rtf", rtf.substr(0, 120), HtmlExportFailure::OfficeFailed, "source file could not be loaded"},
        {"zip.docx", "not a zip", HtmlExportFailure::NotADocument, "not a Word document (.docx)"},
        {"notes.txt", "text", HtmlExportFailure::NotADocument, "not a word-processor document"},
        {"good.rtf", rtf, HtmlExportFailure::None, ""},
    };
    std::vector<HtmlExportJob> jobs;
    for (const auto& c : cases) jobs.push_back(beside(write(c.name, c.bytes)));
    jobs.push_back(beside(m_docs / "missing.rtf"));

    const std::vector<vellumar::HtmlExportResult> results = vellumar::LibreOfficeRunner().saveAsHtml(jobs);

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(results[i].failure, cases[i].failure);
        EXPECT_NE(results[i].reason.find(cases[i].reason), std::string::npos) << results[i].reason;
        EXPECT_EQ(fs::exists(jobs[i].html), results[i].ok());
    }
    EXPECT_EQ(results.back().failure, HtmlExportFailure::Unreadable);
    EXPECT_NE(results.back().reason.find("No such file"), std::string::npos) << results.back().reason;
}

TEST_F(LibreOfficeRunnerTest, WithoutLibreOfficeNothingStarts)
{
    const HtmlExportJob jobs[] = {beside(write("book.rtf", vellumar::testing::rtfBook()))};
    vellumar::LibreOfficeSettings settings;
    settings.searchPath = m_folder.path().string();
    const auto results = vellumar::LibreOfficeRunner(settings).saveAsHtml(jobs);
    EXPECT_EQ(results[0].failure, HtmlExportFailure::NotInstalled);
    EXPECT_NE(results[0].reason.find("LibreOffice is not installed"), std::string::npos);
    EXPECT_FALSE(fs::exists(jobs[0].html));
}

TEST_F(LibreOfficeRunnerTest, TimeLimitEndsLibreOfficeAndItsHelpers)
{
    const HtmlExportJob jobs[] = {beside(write("book.rtf", vellumar::testing::rtfBook()))};
    vellumar::LibreOfficeSettings settings;
    settings.timeLimitPerDocument = 300ms;
    const auto results = vellumar::LibreOfficeRunner(settings).saveAsHtml(jobs);
    EXPECT_EQ(results[0].failure, HtmlExportFailure::TimeLimit);
    EXPECT_NE(results[0].reason.find("did not finish within 0.3 seconds"), std::string::npos) << results[0].reason;
    EXPECT_FALSE(fs::exists(jobs[0].html));
    EXPECT_FALSE(vellumar::testing::processWithEnvironmentAlive("TMPDIR=" + m_tmp.string() + "/"));
}

}  // namespace
