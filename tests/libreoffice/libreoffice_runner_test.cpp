// The LibreOffice runner against the real LibreOffice, on documents the tests make.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>
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

// A stand-in for LibreOffice that converts each document at once, except one whose name says
// it is stuck, on which it waits for ever; it counts its starts.
TEST_F(LibreOfficeRunnerTest, AStuckDocumentCostsOnlyItselfAndOversizedOnesAreRefused)
{
    const fs::path bin = m_folder.file("bin");
    fs::create_directories(bin);
    std::ofstream(bin / "soffice")
        << "#!/bin/sh\n"
           "echo start >> '"
        << (bin / "starts").string()
        << "'\n"
           "while [ \"$1\" != --outdir ]; do shift; done; out=$2; shift 2; mkdir -p \"$out\"\n"
           "for d; do n=${d##*/}; case $n in *stuck*) sleep 60;; esac\n"
           "  echo '<html><body><p>done</p></body></html>' > \"$out/${n%.*}.html\"; done\n";
    fs::permissions(bin / "soffice", fs::perms::owner_exec, fs::perm_options::add);
    const std::string rtf = vellumar::testing::rtfBook();
    const struct {
        const char* name;
        HtmlExportFailure failure;
        const char* reason;
    } cases[] = {
        {"first.rtf", HtmlExportFailure::None, ""},
        {"stuck.rtf", HtmlExportFailure::TimeLimit, "did not finish within 1 seconds"},
        {"third.rtf", HtmlExportFailure::None, ""},
        {"stuck again.rtf", HtmlExportFailure::TimeLimit, "did not finish within 1 seconds"},
        {"last.rtf", HtmlExportFailure::None, ""},
        {"huge.rtf", HtmlExportFailure::Unreadable, "larger than 268435456 bytes"},
    };
    std::vector<HtmlExportJob> jobs;
    for (const auto& c : cases) jobs.push_back(beside(write(c.name, rtf)));
    fs::resize_file(jobs.back().document, vellumar::kMaxDocumentBytes + 1);  // sparse: no disk taken

    vellumar::LibreOfficeSettings settings;
    settings.searchPath = bin.string();
    settings.timeLimitPerDocument = 1s;
    const auto results = vellumar::LibreOfficeRunner(settings).saveAsHtml(jobs);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(results[i].failure, cases[i].failure);
        EXPECT_NE(results[i].reason.find(cases[i].reason), std::string::npos) << results[i].reason;
        EXPECT_EQ(fs::exists(jobs[i].html), results[i].ok());
    }
    EXPECT_EQ(fileBytes(bin / "starts"), "start\nstart\nstart\n");
}

// A stand-in for LibreOffice whose Word 97 filter reads none of the .doc files given (as with a
// Word 95 one): each is converted on a second start that lets LibreOffice find the type, and a
// file that is no Word file at all is still refused before any start.
TEST_F(LibreOfficeRunnerTest, ADocTheWord97FilterCannotReadIsTriedWithTheDetectedType)
{
    const fs::path bin = m_folder.file("bin");
    fs::create_directories(bin);
    std::ofstream(bin / "soffice")
        << "#!/bin/sh\n"
           "echo \"$*\" | grep -o -- '--infilter=[^-]*' >> '"
        << (bin / "starts").string()
        << "' "
           "|| echo detected >> '"
        << (bin / "starts").string()
        << "'\n"
           "case \"$*\" in *--infilter=*) exit 0;; esac\n"
           "while [ \"$1\" != --outdir ]; do shift; done; out=$2; shift 2; mkdir -p \"$out\"\n"
           "for d; do n=${d##*/}; echo '<html><body><p>old</p></body></html>' > \"$out/${n%.*}.html\"; done\n";
    fs::permissions(bin / "soffice", fs::perms::owner_exec, fs::perm_options::add);
    const std::string ole = std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0');
    const struct {
        const char* name;
        std::string bytes;
        HtmlExportFailure failure;
    } cases[] = {
        {"word95.doc", ole, HtmlExportFailure::None},
        {"word6.doc", ole, HtmlExportFailure::None},
        {"text.doc", "plain text, no Word file", HtmlExportFailure::NotADocument},
    };
    std::vector<HtmlExportJob> jobs;
    for (const auto& c : cases) jobs.push_back(beside(write(c.name, c.bytes)));
    vellumar::LibreOfficeSettings settings;
    settings.searchPath = bin.string();
    const auto results = vellumar::LibreOfficeRunner(settings).saveAsHtml(jobs);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(results[i].failure, cases[i].failure) << results[i].reason;
        EXPECT_EQ(fs::exists(jobs[i].html), results[i].ok());
    }
    EXPECT_EQ(fileBytes(bin / "starts"), "--infilter=MS Word 97 \ndetected\n");
}

// A web server on the loopback that answers every request "not found" and counts them. Its
// port is taken at once; it answers only once started, so documents can be made first.
class CountingServer {
public:
    CountingServer()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            ADD_FAILURE() << "cannot bind a loopback socket";
        m_port = ntohs(address.sin_port);
    }
    ~CountingServer()
    {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        ::close(m_socket);
    }
    void start()
    {
        ASSERT_EQ(::listen(m_socket, 16), 0);
        m_thread = std::thread([this] {
            while (!m_stop) {
                pollfd ready{m_socket, POLLIN, 0};
                if (::poll(&ready, 1, 50) <= 0) continue;
                const int client = ::accept(m_socket, nullptr, nullptr);
                if (client < 0) continue;
                ++m_requests;
                char buffer[4096];
                pollfd readable{client, POLLIN, 0};
                if (::poll(&readable, 1, 1000) > 0) [[maybe_unused]]
                    auto got = ::read(client, buffer, sizeof buffer);
                constexpr std::string_view kNotFound = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
                [[maybe_unused]] auto put = ::write(client, kNotFound.data(), kNotFound.size());
                ::close(client);
            }
        });
    }
    int port() const { return m_port; }
    int requests() const { return m_requests; }

private:
    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};

// Documents of every kind that link (not embed) a picture on a web server: converting them
// makes no request at all, and the books still come out.
TEST_F(LibreOfficeRunnerTest, LinkedPicturesOnTheNetworkAreNotFetched)
{
    CountingServer server;
    const fs::path page = m_folder.file("linked.html");
    std::ofstream(page) << "<html><body><p>Linked</p><p><img src=\"http://127.0.0.1:" << server.port()
                        << "/x.png\" width=\"10\" height=\"10\"></p></body></html>";
    // Only a network of its own keeps the Word 97 reader from fetching a linked picture; where
    // the system allows none, the .doc is left out of the test.
    std::vector<std::string> formats = {"docx", "odt"};
    if (vellumar::testing::networkOfItsOwnPossible()) formats.push_back("doc");
    std::vector<HtmlExportJob> jobs;
    for (const std::string& format : formats) {
        const fs::path document = m_docs / ("linked." + format);
        fs::rename(vellumar::testing::makeWithLibreOffice(page, format, m_folder.path()), document);
        jobs.push_back(beside(document));
    }
    server.start();
    const std::vector<vellumar::HtmlExportResult> results = vellumar::LibreOfficeRunner().saveAsHtml(jobs);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        SCOPED_TRACE(jobs[i].document.filename().string());
        ASSERT_TRUE(results[i].ok()) << results[i].reason;
        EXPECT_NE(fileBytes(jobs[i].html).find("Linked"), std::string::npos);
    }
    EXPECT_EQ(server.requests(), 0);
}

}  // namespace
