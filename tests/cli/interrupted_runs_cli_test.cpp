// vellumar-convert interrupted by a signal or stopped by a file-size limit: nothing is left
// behind (hidden temporary output, private temporary folder, child processes), the previous
// book survives.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/convert_program.h"
#include "support/process_check.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

class InterruptedRunsCli : public vellumar::testing::ConvertProgramTest {
protected:
    // Names in the test's folder and in its private TMPDIR, the shell's own files left out.
    std::vector<std::string> leftovers()
    {
        std::vector<std::string> names;
        for (const fs::path& folder : {m_dir, m_dir / "tmp"})
            for (const auto& entry : fs::directory_iterator(folder))
                if (!entry.path().filename().string().starts_with(".std")) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Starts vellumar-convert with `args` in the background, with the test's bin/ first on its
    // PATH and its tmp/ as TMPDIR, and the signals at their defaults whatever this test
    // inherited. The process id, or -1.
    pid_t startConverter(const std::vector<std::string>& args)
    {
        const std::string tmpdir = "TMPDIR=" + (m_dir / "tmp").string();
        const std::string path = "PATH=" + (m_dir / "bin").string() + ":/usr/bin:/bin";
        std::vector<char*> env{const_cast<char*>(tmpdir.c_str()), const_cast<char*>(path.c_str())};
        for (char** e = environ; *e != nullptr; ++e)
            if (!std::string_view(*e).starts_with("TMPDIR=") && !std::string_view(*e).starts_with("PATH="))
                env.push_back(*e);
        env.push_back(nullptr);
        const std::string program = VELLUMAR_CONVERT_PATH;
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes, &signals);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&signals, signal);
        posix_spawnattr_setsigdefault(&attributes, &signals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        pid_t child = -1;
        const int spawned = ::posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), env.data());
        posix_spawnattr_destroy(&attributes);
        return spawned == 0 ? child : -1;
    }
};

// The run is interrupted at a point it reaches for certain: a word-processor document is
// being saved as HTML by a LibreOffice that never finishes, and says so once it has started.
// By then the run has its private folder (the document's staged copy) and a child process.
TEST_F(InterruptedRunsCli, InterruptedWhileLibreOfficeWorksLeavesNothingBehind)
{
    // SIGQUIT ends a process with a core dump; none is wanted from the test.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(::strsignal(signal));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "tmp");
        const fs::path started = m_dir / "started";
        // It fills its temporary folder deeper than a fixed count of levels first.
        write("bin/soffice",
              "#!/bin/sh\nmkdir -p \"$TMPDIR/a/b/c/d/e/f/g/h\" && touch \"$TMPDIR/a/b/c/d/e/f/g/h/x\"\n"
              "touch '" +
                  started.string() + "'\nexec sleep 60\n");
        fs::permissions(m_dir / "bin/soffice", fs::perms::owner_exec, fs::perm_options::add);
        write("book.rtf", "{\\rtf1\\ansi A short book.\\par}");
        write("book.fb2", "the previous book");

        const pid_t child = startConverter({"-q", (m_dir / "book.rtf").string()});
        ASSERT_GT(child, 0);
        for (int waited = 0; !fs::exists(started) && waited < 3000; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const bool privateFolder = !fs::is_empty(m_dir / "tmp");
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        ASSERT_TRUE(fs::exists(started)) << "LibreOffice was not started";
        EXPECT_TRUE(privateFolder) << "the private folder did not exist while LibreOffice worked";
        ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
        EXPECT_EQ(WTERMSIG(status), signal);  // what a shell shows as 130 or 143
        EXPECT_FALSE(vellumar::testing::processWithEnvironmentAlive("TMPDIR=" + (m_dir / "tmp").string() + "/"));
        EXPECT_EQ(read("book.fb2"), "the previous book");
        EXPECT_EQ(leftovers(), (std::vector<std::string>{"bin", "book.fb2", "book.rtf", "started", "tmp"}));
        EXPECT_TRUE(fs::is_empty(m_dir / "tmp"));
    }
}

// Past the file-size limit the write fails (EFBIG) instead of the process being killed, and
// the failed write is cleaned up like any other.
TEST_F(InterruptedRunsCli, FileSizeLimitFailsTheWriteAndLeavesThePreviousBook)
{
    write("book.html", "<html><body><p>" + std::string(20000, 'x') + "</p></body></html>");
    write("book.fb2", "the previous book");
    const vellumar::testing::Outcome outcome = ConvertProgramTest::run("book.html", "", "ulimit -f 4; ");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("book.fb2"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("File too large"), std::string::npos) << outcome.err;
    EXPECT_EQ(read("book.fb2"), "the previous book");
    fs::create_directories(m_dir / "tmp");
    EXPECT_EQ(leftovers(), (std::vector<std::string>{"book.fb2", "book.html", "tmp"}));
}

}  // namespace
