#include "cli/convert_program.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vellumar::testing {

std::filesystem::path ConvertProgramTest::write(const std::string& name, const std::string& bytes)
{
    const std::filesystem::path p = m_dir / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
}

std::string ConvertProgramTest::read(const std::filesystem::path& name) const
{
    std::ifstream in(name.is_absolute() ? name : m_dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Outcome ConvertProgramTest::run(const std::string& args, const std::string& stdinText, const std::string& before)
{
    write(".stdin", stdinText);
    const std::string cmd = "cd '" + m_dir.string() + "' && " + before + "'" VELLUMAR_CONVERT_PATH "' " + args +
                            " <.stdin >.stdout 2>.stderr";
    const int raw = std::system(cmd.c_str());
    return Outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(".stdout"), read(".stderr")};
}

}  // namespace vellumar::testing
