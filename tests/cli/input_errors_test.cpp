#include <gtest/gtest.h>

#include <string>

#include "cli/input_conversion.h"

namespace vellumar::cli {
namespace {

// Each file is named once in a failed INPUT's line.
TEST(InputErrors, TheInputIsNamedOnce)
{
    struct Case {
        std::string input;
        std::string problem;
        std::string line;
    };
    const Case cases[] = {
        {"zero.html", "cannot read 'zero.html': No such file or directory",
         "vellumar-convert: cannot read 'zero.html': No such file or directory\n"},
        {"-", "cannot read standard input: Is a directory",
         "vellumar-convert: cannot read standard input: Is a directory\n"},
        // A problem about another file, or about none, says which INPUT it belongs to.
        {"b.html", "the output 'same.fb2' would overwrite the input",
         "vellumar-convert: b.html: the output 'same.fb2' would overwrite the input\n"},
        {"b.html", "cannot write 'out/b.fb2': Permission denied",
         "vellumar-convert: b.html: cannot write 'out/b.fb2': Permission denied\n"},
        {"-", "nothing to convert: the text holds no HTML items",
         "vellumar-convert: standard input: nothing to convert: the text holds no HTML items\n"},
        // A name that only contains the INPUT's name is another file.
        {"a.html", "cannot read 'data.html': No such file or directory",
         "vellumar-convert: a.html: cannot read 'data.html': No such file or directory\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(inputErrorLine(c.input, c.problem), c.line) << c.problem;
}

}  // namespace
}  // namespace vellumar::cli
