#include "cli/cli_options.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>

#include "base/program_info.h"
#include "convert/genre_names.h"

namespace vellumar::cli {

namespace {

// The long options' codes, past the range of characters: a problem with an option then names
// it as it was given, long or short.
enum LongOption : int {
    OptionHelp = 256,
    OptionVersion,
    OptionOutput,
    OptionOutputDir,
    OptionNoClean,
    OptionCleanOnly,
    OptionCheck,
    OptionItems,
    OptionTables,
    OptionBorder,
    OptionTitleLevel,
    OptionNoStraighten,
    OptionNoResize,
    OptionMaxWidth,
    OptionMaxHeight,
    OptionTitle,
    OptionFirstName,
    OptionLastName,
    OptionEncoding,
    OptionOutputEncoding,
    OptionZip,
    OptionQuiet,
    OptionJobs,
    OptionComplete,
    OptionGenre,
    OptionCover,
};

// Every option once, in the order --help lists them: the parser's table and the help are both
// made from these rows.
struct OptionRow {
    LongOption code;
    const char* name;
    char letter;            // the short form, or 0
    const char* valueName;  // the value's name in the help; null for an option without one
    std::string_view help;  // "\n" continues the text on the next line, under the first
};

constexpr OptionRow kOptionRows[] = {
    {OptionHelp, "help", 'h', nullptr, "print this help and exit"},
    {OptionVersion, "version", 0, nullptr, "print the version and exit"},
    {OptionOutput, "output", 'o', "FILE", "output file (one INPUT only); \"-\" writes to standard output"},
    {OptionOutputDir, "output-dir", 'd', "DIR",
     "folder for the outputs of several INPUTs; made (with\nthe folders above it) when it does not exist"},
    {OptionNoClean, "no-clean", 0, nullptr, "convert the text as given, as if typed into the source editor"},
    {OptionCleanOnly, "clean-only", 0, nullptr, "write the cleaned HTML instead of FB2"},
    {OptionCheck, "check", 0, nullptr,
     "check FB2 books (the INPUTs) for well-formedness and against the\n"
     "FictionBook 2.0 schema; exit status 1 when one is not well-formed"},
    {OptionItems, "items", 0, nullptr,
     "write the item list (JSON lines) of the text the conversion reads\ninstead of FB2"},
    {OptionTables, "tables", 0, "MODE", "tables: asis, content or image (default asis)"},
    {OptionBorder, "border", 0, "MODE", "table picture borders: source or visible (default visible)"},
    {OptionTitleLevel, "title-level", 0, "N",
     "deepest heading that starts a section: 1..6, none or auto\n(chosen from the book's headings) (default 1)"},
    {OptionNoStraighten, "no-straighten", 0, nullptr, "keep line breaks inside text (\"Straighten text\" off)"},
    {OptionNoResize, "no-resize", 0, nullptr, "embed pictures at their own size"},
    {OptionMaxWidth, "max-width", 0, "PIXELS", "largest picture width (default 580)"},
    {OptionMaxHeight, "max-height", 0, "PIXELS", "largest picture height (default 700)"},
    {OptionComplete, "complete", 0, nullptr,
     "complete book: notes, nested sections, links, cover and the\n"
     "source's title, author and language, valid against the FB2 schema"},
    {OptionGenre, "genre", 0, "NAME",
     "the book's genre, a name of the FB2 genre list (complete books;\ndefault unrecognised)"},
    {OptionCover, "cover", 0, "FILE", "a picture for the book's cover (complete books)"},
    {OptionTitle, "title", 0, "TEXT", "book title"},
    {OptionFirstName, "first-name", 0, "TEXT", "author's first name"},
    {OptionLastName, "last-name", 0, "TEXT", "author's last name"},
    {OptionEncoding, "encoding", 0, "NAME", "the sources' encoding: auto (default) or a charset name"},
    {OptionOutputEncoding, "output-encoding", 0, "NAME", "the books' encoding: windows-1251 (default) or utf-8"},
    {OptionZip, "zip", 0, nullptr, "write each book zipped alone: NAME.fb2.zip holding NAME.fb2"},
    {OptionQuiet, "quiet", 'q', nullptr, "no progress and no warnings"},
    {OptionJobs, "jobs", 'j', "N", "convert up to N INPUTs at once (default: one per processor)"},
};
constexpr std::size_t kOptionCount = std::size(kOptionRows);

constexpr std::string_view kHelpHead =
    "Converts HTML and word-processor documents into FictionBook 2 (FB2) e-books.\n"
    "Usage: vellumar-convert [OPTIONS] INPUT...\n"
    "       vellumar-convert --check BOOK.fb2...\n"
    "\n"
    "  INPUT                   an HTML file (\"-\" for standard input) or a word-processor\n"
    "                          document (.doc, .rtf, .docx, .odt, through LibreOffice);\n"
    "                          with --check, an FB2 book\n"
    "\n"
    "Options:\n";
constexpr std::string_view kHelpTail =
    "\n"
    "Without -o, each INPUT.html (or .doc, .rtf, .docx, .odt) is written beside it as INPUT.fb2\n"
    "(INPUT.fb2.zip with --zip).\n"
    "INPUT \"-\" reads standard input.\n"
    "Examples:\n"
    "  vellumar-convert book.html\n"
    "  vellumar-convert --title \"My Book\" --first-name Ann --last-name Lee book.html\n"
    "  vellumar-convert --tables content -d out/ chapters/*.html\n"
    "  vellumar-convert --output-encoding utf-8 --zip book.html\n"
    "  vellumar-convert --check book.fb2\n";

std::string helpText()
{
    constexpr std::size_t kTextColumn = 26;
    std::string text(kHelpHead);
    for (const OptionRow& row : kOptionRows) {
        std::string line = row.letter ? std::string("  -") + row.letter + ", --" : std::string("      --");
        line += row.name;
        if (row.valueName) line.append(" ").append(row.valueName);
        line.resize(std::max(kTextColumn, line.size() + 1), ' ');
        for (const char c : row.help) line += c == '\n' ? "\n" + std::string(kTextColumn, ' ') : std::string(1, c);
        text += line + '\n';
    }
    return text.append(kHelpTail);
}

// getopt_long's table, ended by a row of zeros.
std::array<option, kOptionCount + 1> getoptTable()
{
    std::array<option, kOptionCount + 1> table{};
    for (std::size_t i = 0; i < kOptionCount; ++i) {
        const OptionRow& row = kOptionRows[i];
        table[i] = {row.name, row.valueName ? required_argument : no_argument, nullptr, row.code};
    }
    return table;
}

// getopt's short options: ":" first, so that a missing value is told from an unknown option.
std::string shortOptions()
{
    std::string letters = ":";
    for (const OptionRow& row : kOptionRows) {
        if (!row.letter) continue;
        letters += row.letter;
        if (row.valueName) letters += ':';
    }
    return letters;
}

// The option a short one stands for.
int longForm(int code)
{
    for (const OptionRow& row : kOptionRows)
        if (row.letter && row.letter == code) return row.code;
    return code;
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
    case OptionOutput: o.output = value; break;
    case OptionOutputDir: o.outputDir = value; break;
    case OptionNoClean: o.noClean = true; break;
    case OptionCleanOnly: o.cleanOnly = true; break;
    case OptionCheck: o.check = true; break;
    case OptionItems: o.items = true; break;
    case OptionTables:
        if (auto problem = oneOf("--tables", {"asis", "content", "image"})) return problem;
        o.conversion.tableMode = value == "asis"      ? TableMode::AsIs
                                 : value == "content" ? TableMode::ContentOnly
                                                      : TableMode::ConvertToImage;
        break;
    case OptionBorder:
        if (auto problem = oneOf("--border", {"source", "visible"})) return problem;
        o.conversion.tableBorder = value == "source" ? TableBorder::AsSource : TableBorder::Visible;
        break;
    case OptionTitleLevel:
        if (auto problem = oneOf("--title-level", {"1", "2", "3", "4", "5", "6", "none", "auto"})) return problem;
        o.conversion.titleLevel = value == "none" ? -1 : value == "auto" ? kTitleLevelAuto : value[0] - '1';
        break;
    case OptionNoStraighten: o.conversion.straightenText = false; break;
    case OptionNoResize: o.conversion.resize = false; break;
    case OptionMaxWidth: return number("--max-width", o.conversion.maxWidth);
    case OptionMaxHeight: return number("--max-height", o.conversion.maxHeight);
    case OptionTitle: o.title = std::string(value); break;
    case OptionFirstName: o.firstName = std::string(value); break;
    case OptionLastName: o.lastName = std::string(value); break;
    case OptionEncoding: o.encoding = value; break;
    case OptionOutputEncoding:
        if (auto problem = oneOf("--output-encoding", {"windows-1251", "utf-8"})) return problem;
        o.conversion.outputEncoding = value == "utf-8" ? OutputEncoding::Utf8 : OutputEncoding::Windows1251;
        break;
    case OptionZip:
        o.conversion.zipBook = true;
        break;
    case OptionQuiet: o.quiet = true; break;
    case OptionComplete:
        o.conversion.complete = true;
        break;
    case OptionGenre:
        if (!isKnownGenre(value))
            return "--genre: '" + std::string(value) +
                   "' is not a genre of the FB2 genre list (such as sf, prose_classic, " + std::string(kDefaultGenre) +
                   ")";
        o.conversion.genre = value;
        break;
    case OptionCover:
        if (value.empty()) return std::string("--cover: the picture file's name is empty");
        o.conversion.coverFile = std::filesystem::absolute(std::filesystem::path(value)).string();
        break;
    case OptionJobs:
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
    if (!o.conversion.complete && (!o.conversion.genre.empty() || !o.conversion.coverFile.empty()))
        return "--genre and --cover belong to complete books: add --complete";
    if (o.check && (o.cleanOnly || o.items || !o.output.empty() || !o.outputDir.empty()))
        return "--check writes no output; it cannot be used with --clean-only, --items, --output or --output-dir";
    const bool bookFormat = o.conversion.zipBook || o.conversion.outputEncoding != OutputEncoding::Windows1251;
    if (bookFormat && (o.cleanOnly || o.items || o.check))
        return "--zip and --output-encoding shape the books written; they cannot be used with --clean-only, --items "
               "or --check";
    return std::nullopt;
}

ParseResult usageError(TextOutput& err, std::string_view problem)
{
    err << "vellumar-convert: " << problem << "\nTry 'vellumar-convert --help' for more information.\n";
    return ParseResult{std::nullopt, 2};
}

}  // namespace

ParseResult parseCommandLine(int argc, char** argv, TextOutput& out, TextOutput& err)
{
    CliOptions o;
    // getopt keeps its place between calls; 0 starts it afresh (and lets it move the INPUTs
    // given between options to the end, so options may come anywhere).
    optind = 0;
    opterr = 0;
    const std::array<option, kOptionCount + 1> table = getoptTable();
    const std::string letters = shortOptions();
    for (;;) {
        const int code = ::getopt_long(argc, argv, letters.c_str(), table.data(), nullptr);
        if (code == -1) break;
        if (code == '?' || code == ':') {
            // A short option is known by its letter; a long one is the argument just read.
            std::string what = optopt > 0 && optopt < 256 ? std::string("-") + static_cast<char>(optopt)
                                                          : std::string(argv[optind - 1]);
            what = what.substr(0, what.find('='));
            return usageError(err, code == '?' ? "unknown option '" + what + "'" : "option '" + what + "' needs a value");
        }
        const int option = longForm(code);
        if (option == OptionHelp) {
            out << helpText();
            return ParseResult{std::nullopt, 0};
        }
        if (option == OptionVersion) {
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
    o.conversion.showTitleInfo = o.title || o.firstName || o.lastName;
    return ParseResult{std::move(o), 0};
}

}  // namespace vellumar::cli
