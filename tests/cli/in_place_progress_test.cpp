#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/text_output.h"

namespace vellumar::cli {
namespace {

// What reaches the terminal: a progress line ("...\r") is rewritten in place, other lines are
// printed above it and it is drawn again under them.
TEST(InPlaceProgress, ProgressStaysOnOneLine)
{
    struct Case {
        const char* name;
        std::vector<std::string> writes;
        std::size_t columns;
        std::string shown;
    };
    const Case cases[] = {
        {"plain lines pass as they are", {"a\n", "b\n"}, 80, "a\nb\n"},
        {"progress is rewritten", {"[1/2] a\r", "[2/2] b\r"}, 80, "\r[1/2] a\x1b[K\r[2/2] b\x1b[K\n"},
        {"a warning goes above the progress",
         {"[1/2] a\r", "w\n", "[2/2] b\r"},
         80,
         "\r[1/2] a\x1b[K\r\x1b[Kw\n[1/2] a\r[2/2] b\x1b[K\n"},
        {"pieces make up lines", {"[1/", "2] a\rw", "arn\n"}, 80, "\r[1/2] a\x1b[K\r\x1b[Kwarn\n[1/2] a\n"},
        {"a long line is cut to the width", {"[1/2] abcdefgh\r"}, 8, "\r[1/2] a\x1b[K\n"},
        {"not inside a UTF-8 character", {"[1/2] \xd0\xaf\xd0\xaf\r"}, 9, "\r[1/2] \xd0\xaf\x1b[K\n"},
        {"an unended line is ended", {"[1/2] a\r", "end"}, 80, "\r[1/2] a\x1b[K\r\x1b[Kend\n[1/2] a\n"},
    };
    for (const Case& c : cases) {
        StringOutput terminal;
        InPlaceProgressOutput progress(terminal, c.columns);
        for (const std::string& w : c.writes) progress.write(w);
        progress.finish();
        EXPECT_EQ(terminal.text(), c.shown) << c.name;
    }
}

}  // namespace
}  // namespace vellumar::cli
