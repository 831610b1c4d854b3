#include "cli/path_keys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/file_io.h"
#include "files/temp_folder.h"

namespace vellumar::cli {
namespace {

namespace fs = std::filesystem;

TEST(PathKeys, NamesOfOneFileShareAKeyAndOthersDoNot)
{
    TempFolder folder;
    fs::create_directories(folder.file("a"));
    fs::create_directories(folder.file("b"));
    writeFileAtomically(folder.file("a/x.fb2"), "book");
    fs::create_directory_symlink("a", folder.file("to-a"));
    fs::create_symlink("x.fb2", folder.file("a/link.fb2"));
    const std::string top = folder.path().string() + "/";
    struct Case {
        const char* first;
        const char* second;
        bool same;
    };
    const Case cases[] = {
        {"a/x.fb2", "a/./x.fb2", true},      {"a/x.fb2", "b/../a/x.fb2", true},
        {"a/x.fb2", "to-a/x.fb2", true},      // a linked folder
        {"a/x.fb2", "a/link.fb2", true},      // a linked file
        {"a/new.fb2", "to-a/new.fb2", true},  // not there yet
        {"a/x.fb2", "b/x.fb2", false},       {"a/x.fb2", "a/X.fb2", false},
        {"a/new.fb2", "b/new.fb2", false},
    };
    PathKeys keys;
    for (const Case& c : cases) {
        const std::string first = keys.keyOf(top + c.first);
        EXPECT_EQ(first == keys.keyOf(top + c.second), c.same) << c.first << " and " << c.second;
        EXPECT_EQ(keys.keyOf(top + c.first), first) << "asked again: " << c.first;
    }
    // Relative names start at the current folder.
    EXPECT_EQ(keys.keyOf("some.fb2"), (fs::current_path() / "some.fb2").string());
}

}  // namespace
}  // namespace vellumar::cli
