// An interrupted run leaves nothing behind: the handlers remove registered temporary files
// and folders and end the process by the signal. Tested in child processes.

#include "files/interrupt_cleanup.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "files/file_io.h"
#include "files/temp_folder.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& path) { std::ofstream(path) << "x"; }

// A folder of its own that is not registered (a TempFolder is, and would go too).
class PlainFolder {
public:
    PlainFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "vellumar-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~PlainFolder() { fs::remove_all(m_path); }
    fs::path file(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

TEST(InterruptCleanup, RemovesWhatIsRegisteredAndNothingElse)
{
    PlainFolder scratch;
    const fs::path file = scratch.file("file.tmp");
    const fs::path released = scratch.file("released.tmp");
    const fs::path folder = scratch.file("folder");
    touch(file);
    touch(released);
    fs::create_directories(folder / "1" / "2");
    touch(folder / "a.png");
    touch(folder / "1" / "b.jpg");
    touch(folder / "1" / "2" / "c.jpg");
    // Deeper than any fixed count of levels, as LibreOffice's profile gets, with files and
    // empty folders on the way.
    fs::path deep = folder / "profile";
    for (int level = 0; level < 40; ++level) {
        deep /= "level" + std::to_string(level);
        fs::create_directories(deep.parent_path() / "empty");
        touch(deep.parent_path() / "file");
    }
    fs::create_directories(deep);
    touch(deep / "last");
    {
        InterruptCleanup keptFile(file, CleanupKind::File);
        InterruptCleanup keptFolder(folder, CleanupKind::Folder);
        InterruptCleanup gone(released, CleanupKind::File);
        gone.release();
        removeRegisteredPaths();
    }
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::exists(released));
}

// A child that keeps rewriting one book and holds a private temporary folder is interrupted
// while a temporary file exists: it ends by the signal, and leaves the book whole or absent.
// What the parent registered (its scratch folder) is not the child's to remove.
void interruptWhileWriting(int signal)
{
    TempFolder scratch;
    const fs::path target = scratch.file("book.fb2");
    const fs::path marker = scratch.file("folder-path");
    const std::string book(8 << 20, 'b');
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        installInterruptCleanup();
        TempFolder pictures;
        touch(pictures.file("table1.png"));
        std::ofstream(marker) << pictures.path().string();
        for (;;) writeFileAtomically(target, book);
    }
    // Wait until the child's temporary output is there, then interrupt it.
    bool seen = false;
    for (int i = 0; i < 20000 && !seen; ++i) {
        for (const auto& entry : fs::directory_iterator(scratch.path()))
            if (entry.path().filename().string().starts_with(".book.fb2.")) seen = true;
        if (!seen) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(seen);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), signal);  // the shell shows 128 + the signal: 130, 143
    std::string picturesFolder;
    std::ifstream(marker) >> picturesFolder;
    ASSERT_FALSE(picturesFolder.empty());
    EXPECT_FALSE(fs::exists(picturesFolder));
    for (const auto& entry : fs::directory_iterator(scratch.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".book.fb2.")) << entry.path();
    if (fs::exists(target)) {
        EXPECT_EQ(fs::file_size(target), book.size());
    }
}

TEST(InterruptCleanup, InterruptedInTheMiddleOfAWrite)
{
    // SIGQUIT ends a process with a core dump; none is wanted from the test.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(::strsignal(signal));
        interruptWhileWriting(signal);
    }
}

}  // namespace
}  // namespace vellumar
