#include "cli/cli_options.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <map>

#include "base/program_info.h"

namespace vellumar::cli {

ParseResult ParseCommandLine(int argc, char** argv)
{
    CliOptions o;
    CLI::App app{"Converts HTML documents into FictionBook 2 (FB2) e-books.", "vellumar-convert"};
    app.set_version_flag("--version", std::string("vellumar-convert ") + std::string(kProgramVersion));
    app.footer(
        "Without -o, each INPUT.html is written beside it as INPUT.fb2. INPUT \"-\" reads standard input.\n"
        "Examples:\n"
        "  vellumar-convert book.html\n"
        "  vellumar-convert --title \"My Book\" --first-name Ann --last-name Lee book.html\n"
        "  vellumar-convert --tables content -d out/ chapters/*.html\n"
        "  vellumar-convert --check book.fb2");

    std::string tables = "asis";
    std::string border = "visible";
    std::string titleLevel = "1";
    bool noStraighten = false;
    bool noResize = false;
    std::string title, firstName, lastName;

    app.add_option("INPUT", o.inputs, "HTML files to convert (\"-\" for standard input)")->required();
    app.add_option("-o,--output", o.output, "output file (one INPUT only); \"-\" writes to standard output");
    app.add_option("-d,--output-dir", o.outputDir, "folder for the outputs of several INPUTs");
    app.add_flag("--no-clean", o.noClean, "convert the text as given, as if typed into the source editor");
    app.add_flag("--clean-only", o.cleanOnly, "write the cleaned HTML instead of FB2");
    app.add_flag("--check", o.check,
                 "check FB2 books (the INPUTs) for well-formedness and against the FictionBook 2.0 schema; "
                 "exit status 1 when one is not well-formed");
    app.add_flag("--items", o.items, "write the item list (JSON lines) of the text the conversion reads instead of FB2");
    app.add_option("--tables", tables, "tables: asis, content or image (default asis)")
        ->check(CLI::IsMember({"asis", "content", "image"}));
    app.add_option("--border", border, "table picture borders: source or visible (default visible)")
        ->check(CLI::IsMember({"source", "visible"}));
    app.add_option("--title-level", titleLevel, "deepest heading that starts a section: 1..6 or none (default 1)")
        ->check(CLI::IsMember({"1", "2", "3", "4", "5", "6", "none"}));
    app.add_flag("--no-straighten", noStraighten, "keep line breaks inside text (\"Straighten text\" off)");
    app.add_flag("--no-resize", noResize, "embed pictures at their own size");
    app.add_option("--max-width", o.conversion.MaxWidth, "largest picture width in pixels (default 580)");
    app.add_option("--max-height", o.conversion.MaxHeight, "largest picture height in pixels (default 700)");
    auto* titleOption = app.add_option("--title", title, "book title");
    auto* firstOption = app.add_option("--first-name", firstName, "author's first name");
    auto* lastOption = app.add_option("--last-name", lastName, "author's last name");
    app.add_option("--encoding", o.encoding, "the sources' encoding: auto (default) or a charset name");
    app.add_flag("-q,--quiet", o.quiet, "no progress and no warnings");
    app.add_option("-j,--jobs", o.jobs, "convert up to N INPUTs at once (default: one per processor)")
        ->type_name("N")
        ->check(CLI::Range(1u, 1024u));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return ParseResult{std::nullopt, status == 0 ? 0 : 2};
    }

    if (!o.output.empty() && o.inputs.size() > 1) {
        std::cerr << "vellumar-convert: --output takes one INPUT only; use --output-dir for several\n";
        return ParseResult{std::nullopt, 2};
    }
    if (!o.output.empty() && !o.outputDir.empty()) {
        std::cerr << "vellumar-convert: --output and --output-dir cannot be used together\n";
        return ParseResult{std::nullopt, 2};
    }
    if (o.cleanOnly && o.noClean) {
        std::cerr << "vellumar-convert: --clean-only and --no-clean cannot be used together\n";
        return ParseResult{std::nullopt, 2};
    }
    if (o.cleanOnly && o.items) {
        std::cerr << "vellumar-convert: --clean-only and --items cannot be used together\n";
        return ParseResult{std::nullopt, 2};
    }

    if (o.check && (o.cleanOnly || o.items || !o.output.empty() || !o.outputDir.empty())) {
        std::cerr << "vellumar-convert: --check writes no output; it cannot be used with --clean-only, --items, "
                     "--output or --output-dir\n";
        return ParseResult{std::nullopt, 2};
    }

    static const std::map<std::string, TableMode> kTables = {
        {"asis", TableMode::AsIs}, {"content", TableMode::ContentOnly}, {"image", TableMode::ConvertToImage}};
    o.conversion.tableMode = kTables.at(tables);
    o.conversion.tableBorder = border == "source" ? TableBorder::AsSource : TableBorder::Visible;
    o.conversion.TitleLevel = titleLevel == "none" ? -1 : std::stoi(titleLevel) - 1;
    o.conversion.StraightenText = !noStraighten;
    o.conversion.Resize = !noResize;
    if (titleOption->count() > 0) o.title = title;
    if (firstOption->count() > 0) o.firstName = firstName;
    if (lastOption->count() > 0) o.lastName = lastName;
    // Asking is what the flags stand for: without any of them the header keeps its defaults.
    o.conversion.ShowTitleInfo = o.title || o.firstName || o.lastName;
    return ParseResult{std::move(o), 0};
}

}  // namespace vellumar::cli
