#include "cli/cli_options.h"

#include <getopt.h>

#include <charconv>
#include <string_view>

#include "base/program_info.h"

namespace vellumar::cli {

namespace {

constexpr std::string_view kHelpText =
    "Converts HTML documents into FictionBook 2 (FB2) e-books.\n"
    "Usage: vellumar-convert [OPTIONS] INPUT...\n"
    "\n"
    "  INPUT                   HTML files to convert (\"-\" for standard input)\n"
    "\n"
    "Options:\n"
    "  -h, --help              print this help and exit\n"
    "      --version           print the version and exit\n"
    "  -o, --output FILE       output file (one INPUT only); \"-\" writes to standard output\n"
    "  -d, --output-dir DIR    folder for the outputs of several INPUTs\n"
    "      --no-clean          convert the text as given, as if typed into the source editor\n"
    "      --clean-only        write the cleaned HTML instead of FB2\n"
    "      --check             check FB2 books (the INPUTs) for well-formedness and against the\n"
    "                          FictionBook 2.0 schema; exit status 1 when one is not well-formed\n"
    "      --items             write the item list (JSON lines) of the text the conversion reads\n"
    "                          instead of FB2\n"
    "      --tables MODE       tables: asis, content or image (default asis)\n"
    "      --border MODE       table picture borders: source or visible (default visible)\n"
    "      --title-level N     deepest heading that starts a section: 1..6 or none (default 1)\n"
    "      --no-straighten     keep line breaks inside text (\"Straighten text\" off)\n"
    "      --no-resize         embed pictures at their own size\n"
    "      --max-width PIXELS  largest picture width (default 580)\n"
    "      --max-height PIXELS largest picture height (default 700)\n"
    "      --title TEXT        book title\n"
    "      --first-name TEXT   author's first name\n"
    "      --last-name TEXT    author's last name\n"
    "      --encoding NAME     the sources' encoding: auto (default) or a charset name\n"
    "  -q, --quiet             no progress and no warnings\n"
    "  -j, --jobs N            convert up to N INPUTs at once (default: one per processor)\n"
    "\n"
    "Without -o, each INPUT.html is written beside it as INPUT.fb2. INPUT \"-\" reads standard input.\n"
    "Examples:\n"
    "  vellumar-convert book.html\n"
    "  vellumar-convert --title \"My Book\" --first-name Ann --last-name Lee book.html\n"
    "  vellumar-convert --tables content -d out/ chapters/*.html\n"
    "  vellumar-convert --check book.fb2\n";

// The long options' codes, past the range of characters: a problem with an option then names
// it as it was given, long or short.
enum LongOption : int {
    kHelp = 256,
    kVersion,
    kOutput,
    kOutputDir,
    kQuiet,
    kJobs,
    kNoClean,
    kCleanOnly,
    kCheck,
    kItems,
    kTables,
    kBorder,
    kTitleLevel,
    kNoStraighten,
    kNoResize,
    kMaxWidth,
    kMaxHeight,
    kTitle,
    kFirstName,
    kLastName,
    kEncoding,
};

constexpr option kOptions[] = {
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {"output", required_argument, nullptr, kOutput},
    {"output-dir", required_argument, nullptr, kOutputDir},
    {"no-clean", no_argument, nullptr, kNoClean},
    {"clean-only", no_argument, nullptr, kCleanOnly},
    {"check", no_argument, nullptr, kCheck},
    {"items", no_argument, nullptr, kItems},
    {"tables", required_argument, nullptr, kTables},
    {"border", required_argument, nullptr, kBorder},
    {"title-level", required_argument, nullptr, kTitleLevel},
    {"no-straighten", no_argument, nullptr, kNoStraighten},
    {"no-resize", no_argument, nullptr, kNoResize},
    {"max-width", required_argument, nullptr, kMaxWidth},
    {"max-height", required_argument, nullptr, kMaxHeight},
    {"title", required_argument, nullptr, kTitle},
    {"first-name", required_argument, nullptr, kFirstName},
    {"last-name", required_argument, nullptr, kLastName},
    {"encoding", required_argument, nullptr, kEncoding},
    {"quiet", no_argument, nullptr, kQuiet},
    {"jobs", required_argument, nullptr, kJobs},
    {nullptr, 0, nullptr, 0},
};

// The option a short one stands for.
int longForm(int code)
{
    switch (code) {
    case 'h': return kHelp;
    case 'o': return kOutput;
    case 'd': return kOutputDir;
    case 'q': return kQuiet;
    case 'j': return kJobs;
    default: return code;
    }
}

// A whole number from `least` to `most`, the whole argument; nothing otherwise.
template <typename Number>
std::optional<Number> wholeNumber(std::string_view text, Number least, Number most)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most) return std::nullopt;
    return value;
}

// Reads the option `code` with its `value` into `o`; the problem's text when the value is not
// one the option takes.
std::optional<std::string> applyOption(int code, std::string_view value, CliOptions& o)
{
    const auto oneOf = [&](std::string_view name, std::initializer_list<std::string_view> allowed)
        -> std::optional<std::string> {
        for (std::string_view a : allowed)
            if (value == a) return std::nullopt;
        std::string problem = std::string(name) + ": '" + std::string(value) + "' is not one of";
        for (std::string_view a : allowed) problem.append(" ").append(a);
        return problem;
    };
    const auto number = [&](std::string_view name, int& into) -> std::optional<std::string> {
        const std::optional<int> n = wholeNumber(value, 1, 1 << 20);
        if (!n) return std::string(name) + ": '" + std::string(value) + "' is not a number of pixels from 1 up";
        into = *n;
        return std::nullopt;
    };
    switch (code) {
    case kOutput: o.output = value; break;
    case kOutputDir: o.outputDir = value; break;
    case kNoClean: o.noClean = true; break;
    case kCleanOnly: o.cleanOnly = true; break;
    case kCheck: o.check = true; break;
    case kItems: o.items = true; break;
    case kTables:
        if (auto problem = oneOf("--tables", {"asis", "content", "image"})) return problem;
        o.conversion.tableMode = value == "asis"      ? TableMode::AsIs
                                 : value == "content" ? TableMode::ContentOnly
                                                      : TableMode::ConvertToImage;
        break;
    case kBorder:
        if (auto problem = oneOf("--border", {"source", "visible"})) return problem;
        o.conversion.tableBorder = value == "source" ? TableBorder::AsSource : TableBorder::Visible;
        break;
    case kTitleLevel:
        if (auto problem = oneOf("--title-level", {"1", "2", "3", "4", "5", "6", "none"})) return problem;
        o.conversion.TitleLevel = value == "none" ? -1 : value[0] - '1';
        break;
    case kNoStraighten: o.conversion.StraightenText = false; break;
    case kNoResize: o.conversion.Resize = false; break;
    case kMaxWidth: return number("--max-width", o.conversion.MaxWidth);
    case kMaxHeight: return number("--max-height", o.conversion.MaxHeight);
    case kTitle: o.title = std::string(value); break;
    case kFirstName: o.firstName = std::string(value); break;
    case kLastName: o.lastName = std::string(value); break;
    case kEncoding: o.encoding = value; break;
    case kQuiet: o.quiet = true; break;
    case kJobs:
        if (const std::optional<unsigned> n = wholeNumber(value, 1u, 1024u)) o.jobs = *n;
        else return "--jobs: '" + std::string(value) + "' is not a number from 1 to 1024";
        break;
    default: break;
    }
    return std::nullopt;
}

// The options that cannot go together, or nothing.
std::optional<std::string_view> conflict(const CliOptions& o)
{
    if (!o.output.empty() && o.inputs.size() > 1) return "--output takes one INPUT only; use --output-dir for several";
    if (!o.output.empty() && !o.outputDir.empty()) return "--output and --output-dir cannot be used together";
    if (o.cleanOnly && o.noClean) return "--clean-only and --no-clean cannot be used together";
    if (o.cleanOnly && o.items) return "--clean-only and --items cannot be used together";
    if (o.check && (o.cleanOnly || o.items || !o.output.empty() || !o.outputDir.empty()))
        return "--check writes no output; it cannot be used with --clean-only, --items, --output or --output-dir";
    return std::nullopt;
}

ParseResult usageError(TextOutput& err, std::string_view problem)
{
    err << "vellumar-convert: " << problem << "\nTry 'vellumar-convert --help' for more information.\n";
    return ParseResult{std::nullopt, 2};
}

}  // namespace

ParseResult ParseCommandLine(int argc, char** argv, TextOutput& out, TextOutput& err)
{
    CliOptions o;
    // getopt keeps its place between calls; 0 starts it afresh (and lets it move the INPUTs
    // given between options to the end, so options may come anywhere).
    optind = 0;
    opterr = 0;
    for (;;) {
        const int code = ::getopt_long(argc, argv, ":ho:d:qj:", kOptions, nullptr);
        if (code == -1) break;
        if (code == '?' || code == ':') {
            // A short option is known by its letter; a long one is the argument just read.
            std::string what = optopt > 0 && optopt < 256 ? std::string("-") + static_cast<char>(optopt)
                                                          : std::string(argv[optind - 1]);
            what = what.substr(0, what.find('='));
            return usageError(err, code == '?' ? "unknown option '" + what + "'" : "option '" + what + "' needs a value");
        }
        const int option = longForm(code);
        if (option == kHelp) {
            out << kHelpText;
            return ParseResult{std::nullopt, 0};
        }
        if (option == kVersion) {
            out << "vellumar-convert " << kProgramVersion << '\n';
            return ParseResult{std::nullopt, 0};
        }
        if (std::optional<std::string> problem = applyOption(option, optarg ? optarg : "", o))
            return usageError(err, *problem);
    }
    for (int i = optind; i < argc; ++i) o.inputs.emplace_back(argv[i]);
    if (o.inputs.empty()) return usageError(err, "INPUT is required: name at least one file to convert");
    if (const std::optional<std::string_view> problem = conflict(o)) return usageError(err, *problem);
    // Asking is what the flags stand for: without any of them the header keeps its defaults.
    o.conversion.ShowTitleInfo = o.title || o.firstName || o.lastName;
    return ParseResult{std::move(o), 0};
}

}  // namespace vellumar::cli
