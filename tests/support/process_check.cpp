#include "support/process_check.h"

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace vellumar::testing {

namespace {

bool aliveNow(const std::string& text)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it("/proc", ec), end; !ec && it != end; it.increment(ec)) {
        std::ifstream in(it->path() / "environ", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        if (s.str().find(text) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

bool processWithEnvironmentAlive(const std::string& text)
{
    for (int i = 0; i < 100 && aliveNow(text); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return aliveNow(text);
}

bool networkOfItsOwnPossible()
{
    const pid_t child = ::fork();
    if (child == 0) ::_exit(::unshare(CLONE_NEWNET) == 0 || ::unshare(CLONE_NEWUSER | CLONE_NEWNET) == 0 ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace vellumar::testing
