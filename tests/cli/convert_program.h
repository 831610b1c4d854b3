#pragma once
// A test fixture that runs the real vellumar-convert program in a folder of its own.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/temp_folder.h"

namespace vellumar::testing {

struct Outcome {
    int status = -1;  // exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

class ConvertProgramTest : public ::testing::Test {
protected:
    // A private folder: test programs of other builds may run at the same time.
    void SetUp() override { m_dir = m_folder.path(); }

    // Writes a file under the test's folder, making the folders on its way.
    std::filesystem::path write(const std::string& name, const std::string& bytes);
    // A file's bytes ("" when it is missing); a relative name is taken in the test's folder.
    std::string read(const std::filesystem::path& name) const;
    // Runs vellumar-convert with the arguments (shell words) in the test's folder, after the
    // shell commands `before` (for example "ulimit -f 4; ").
    Outcome run(const std::string& args, const std::string& stdinText = "", const std::string& before = "");

    TempFolder m_folder;
    std::filesystem::path m_dir;
};

}  // namespace vellumar::testing
