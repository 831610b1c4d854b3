// vellumar-convert interrupted by a signal or stopped by a file-size limit: nothing is left
// behind (hidden temporary output, private temporary folder), the previous book survives.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/convert_program.h"
#include "pixels/png_codec.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

class InterruptedRunsCli : public vellumar::testing::ConvertProgramTest {
protected:
    // A page whose pictures take a while to shrink: large flat PNGs, quick to write, each
    // decoded whole on a picture worker.
    std::string slowPicturePage()
    {
        vellumar::PngWriteOptions quick;
        quick.compressionLevel = 1;
        quick.filter = vellumar::PngRowFilter::None;
        const std::string png = vellumar::EncodePng(vellumar::RgbImage(4000, 3000, 200), quick);
        // Enough pictures that the run lasts well past the moment the test interrupts it,
        // even on a fast machine; an interrupted run stops long before it reaches them all.
        std::string html = "<html><body>";
        for (int i = 0; i < 60; ++i) {
            const std::string name = "pics/p" + std::to_string(i) + ".png";
            write(name, png);
            html += "<p><img src=" + name + "></p>";
        }
        return html + "</body></html>";
    }

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

    void interruptWhileConverting(int signal)
    {
        write("book.html", slowPicturePage());
        write("book.fb2", "the previous book");
        fs::create_directories(m_dir / "tmp");
        const std::string tmpdir = "TMPDIR=" + (m_dir / "tmp").string();
        std::vector<char*> env{const_cast<char*>(tmpdir.c_str())};
        for (char** e = environ; *e != nullptr; ++e)
            if (!std::string_view(*e).starts_with("TMPDIR=")) env.push_back(*e);
        env.push_back(nullptr);
        const std::string program = VELLUMAR_CONVERT_PATH;
        const std::string input = (m_dir / "book.html").string();
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("-q"), const_cast<char*>(input.c_str()),
                        nullptr};
        // The child starts with the signals at their defaults, whatever this test inherited.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes, &signals);
        sigaddset(&signals, SIGINT);
        sigaddset(&signals, SIGTERM);
        posix_spawnattr_setsigdefault(&attributes, &signals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        pid_t child = 0;
        const int spawned = ::posix_spawn(&child, program.c_str(), nullptr, &attributes, argv, env.data());
        posix_spawnattr_destroy(&attributes);
        ASSERT_EQ(spawned, 0);

        // Interrupt it while it shrinks the pictures.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        int status = 0;
        const bool running = ::waitpid(child, &status, WNOHANG) == 0;
        ::kill(child, signal);
        if (running) {
            ASSERT_EQ(::waitpid(child, &status, 0), child);
        }
        ASSERT_TRUE(running) << "the conversion ended before it could be interrupted";
        ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
        EXPECT_EQ(WTERMSIG(status), signal);  // what a shell shows as 130 or 143
        EXPECT_EQ(read("book.fb2"), "the previous book");
    }
};

TEST_F(InterruptedRunsCli, SigintLeavesNothingBehind)
{
    interruptWhileConverting(SIGINT);
    EXPECT_EQ(leftovers(), (std::vector<std::string>{"book.fb2", "book.html", "pics", "tmp"}));
}

TEST_F(InterruptedRunsCli, SigtermLeavesNothingBehind)
{
    interruptWhileConverting(SIGTERM);
    EXPECT_EQ(leftovers(), (std::vector<std::string>{"book.fb2", "book.html", "pics", "tmp"}));
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
