#include "cli/cli_options.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

namespace vellumar::cli {
namespace {

struct Parsed {
    ParseResult result;
    std::string out;
    std::string err;
};

Parsed parse(std::vector<std::string> args)
{
    args.insert(args.begin(), "vellumar-convert");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    StringOutput out;
    StringOutput err;
    ParseResult result = parseCommandLine(static_cast<int>(args.size()), argv.data(), out, err);
    return Parsed{std::move(result), out.text(), err.text()};
}

TEST(CommandLine, OptionsAnywhereLongOrShort)
{
    struct Case {
        std::vector<std::string> args;
        std::function<bool(const CliOptions&)> holds;
    };
    const Case cases[] = {
        {{"a.html"}, [](const CliOptions& o) {
             return o.inputs == std::vector<std::string>{"a.html"} && o.jobs == 0 && !o.quiet &&
                    o.conversion.tableMode == TableMode::AsIs && o.conversion.straightenText &&
                    o.conversion.resize && !o.conversion.showTitleInfo && o.encoding == "auto";
         }},
        {{"a.html", "-qo", "b.fb2"}, [](const CliOptions& o) { return o.quiet && o.output == "b.fb2"; }},
        {{"--output=b.fb2", "-", "--quiet"}, [](const CliOptions& o) { return o.quiet && o.output == "b.fb2" && o.inputs[0] == "-"; }},
        {{"-j", "3", "a", "--jobs=5", "b"}, [](const CliOptions& o) { return o.jobs == 5 && o.inputs.size() == 2; }},
        {{"-d", "out", "a", "--", "-b.html"}, [](const CliOptions& o) {
             return o.outputDir == "out" && o.inputs == std::vector<std::string>{"a", "-b.html"};
         }},
        {{"--tables", "image", "--border", "source", "a"}, [](const CliOptions& o) {
             return o.conversion.tableMode == TableMode::ConvertToImage &&
                    o.conversion.tableBorder == TableBorder::AsSource;
         }},
        {{"--title-level", "3", "a"}, [](const CliOptions& o) { return o.conversion.titleLevel == 2; }},
        {{"--title-level", "none", "a"}, [](const CliOptions& o) { return o.conversion.titleLevel == -1; }},
        {{"--no-straighten", "--no-resize", "--max-width", "300", "--max-height", "400", "a"},
         [](const CliOptions& o) {
             return !o.conversion.straightenText && !o.conversion.resize && o.conversion.maxWidth == 300 &&
                    o.conversion.maxHeight == 400;
         }},
        {{"--title", "", "a"}, [](const CliOptions& o) { return o.title == "" && o.conversion.showTitleInfo; }},
        {{"--last-name", "Lee", "--encoding", "koi8-r", "a"}, [](const CliOptions& o) {
             return o.lastName == "Lee" && !o.title && o.conversion.showTitleInfo && o.encoding == "koi8-r";
         }},
        {{"--check", "a.fb2"}, [](const CliOptions& o) { return o.check; }},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args) + " " + p.err);
        ASSERT_TRUE(p.result.options.has_value());
        EXPECT_TRUE(c.holds(*p.result.options));
        EXPECT_EQ(p.err, "");
    }
}

TEST(CommandLine, UsageErrorsNameTheOptionAsGiven)
{
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{}, "INPUT is required"},
        {{"--tables", "pictures", "a"}, "--tables: 'pictures' is not one of asis content image"},
        {{"--title-level", "7", "a"}, "--title-level: '7'"},
        {{"--no-such-flag=1", "a"}, "unknown option '--no-such-flag'"},
        {{"-x", "a"}, "unknown option '-x'"},
        {{"a", "--output"}, "option '--output' needs a value"},
        {{"a", "-o"}, "option '-o' needs a value"},
        {{"--max-width", "wide", "a"}, "--max-width: 'wide'"},
        {{"--max-height", "0", "a"}, "--max-height: '0'"},
        {{"-j", "0", "a"}, "--jobs: '0' is not a number from 1 to 1024"},
        {{"-j", "2x", "a"}, "--jobs: '2x'"},
        {{"-o", "x.fb2", "a", "b"}, "--output takes one INPUT only"},
        {{"-o", "x.fb2", "-d", "out", "a"}, "cannot be used together"},
        {{"--clean-only", "--no-clean", "a"}, "--clean-only and --no-clean"},
        {{"--check", "--items", "a"}, "--check writes no output"},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_FALSE(p.result.options.has_value());
        EXPECT_EQ(p.result.exitStatus, 2);
        EXPECT_EQ(p.err.rfind("vellumar-convert: ", 0), 0u) << p.err;
        EXPECT_NE(p.err.find(c.message), std::string::npos) << p.err;
        EXPECT_EQ(p.out, "");
    }
}

TEST(CommandLine, HelpAndVersionEndTheRunWell)
{
    for (const char* flag : {"--help", "-h", "--version"}) {
        const Parsed p = parse({flag, "--no-such-flag"});
        EXPECT_FALSE(p.result.options.has_value());
        EXPECT_EQ(p.result.exitStatus, 0);
        EXPECT_NE(p.out.find("vellumar-convert"), std::string::npos);
        EXPECT_EQ(p.err, "");
    }
    const std::string help = parse({"--help"}).out;
    // What INPUT may be, for conversion and for --check.
    for (const char* shown :
         {"--max-width PIXELS", "word-processor", ".doc, .rtf, .docx, .odt", "with --check, an FB2 book"})
        EXPECT_NE(help.find(shown), std::string::npos) << shown;
}

// What a descriptor shows: whole lines as they are ended, the rest once flushed.
TEST(CommandLine, StandardStreamsGetWholeLines)
{
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_NONBLOCK), 0);
    const auto readable = [&] {
        char buffer[8192];
        const ssize_t got = ::read(ends[0], buffer, sizeof buffer);
        return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : std::string();
    };
    {
        DescriptorOutput output(ends[1]);
        output << "progress " << 3 << '/';
        EXPECT_EQ(readable(), "");
        output << std::size_t{7} << "\nnext";
        EXPECT_EQ(readable(), "progress 3/7\n");
        output.flush();
        EXPECT_EQ(readable(), "next");
        output << "held";
    }
    EXPECT_EQ(readable(), "held");
    {
        // A large piece behind a held start goes out after it, whole.
        DescriptorOutput output(ends[1]);
        output << "<";
        const std::string large(5000, 'x');
        output << large;
        std::string got;
        for (std::string part = readable(); !part.empty(); part = readable()) got += part;
        EXPECT_EQ(got, "<" + large);
    }
    ::close(ends[0]);
    ::close(ends[1]);
}

}  // namespace
}  // namespace vellumar::cli
