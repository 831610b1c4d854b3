#include "cli/input_conversion.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "cli/item_list.h"
#include "documents/file_io.h"
#include "documents/text_encoding.h"
#include "documents/text_lines.h"
#include "pipeline/pipeline.h"

namespace vellumar::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStdio = "-";

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return a != kStdio && b != kStdio && fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

// Writes the result; never over the INPUT it came from.
void writeOutput(const std::string& input, const std::string& target, std::string_view bytes)
{
    if (sameFile(input, target)) throw FileError("the output '" + target + "' would overwrite the input");
    if (target == kStdio) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::cout.flush();
        if (!std::cout) throw FileError("cannot write standard output");
        return;
    }
    WriteFileAtomically(target, bytes);
}

}  // namespace

InputConversion::InputConversion(const CliOptions& options, CliInteraction& interaction)
    : m_options(options), m_interaction(interaction)
{
}

bool InputConversion::run(const std::string& input, std::size_t index, std::size_t count)
{
    try {
        convert(input, index, count);
        return true;
    } catch (const std::exception& e) {
        std::cerr << "vellumar-convert: " << (input == kStdio ? "standard input" : input) << ": " << e.what() << '\n';
        return false;
    }
}

std::string InputConversion::target(const std::string& input, const std::optional<std::string>& proposedName) const
{
    // -o, or the output folder, or beside the INPUT with ".fb2"; standard input and the text
    // listings go to standard output unless told otherwise.
    const bool fromStdin = input == kStdio;
    const fs::path inputPath = fromStdin ? fs::path("stdin.html") : fs::path(input);
    if (!m_options.output.empty()) return m_options.output;
    if (!m_options.outputDir.empty())
        return (fs::path(m_options.outputDir) / inputPath.filename())
            .replace_extension(m_options.cleanOnly ? ".html" : ".fb2")
            .string();
    if (fromStdin || m_options.items || m_options.cleanOnly) return std::string(kStdio);
    // With book info and no output named, the book takes the (UTF-8) name its title proposes.
    if (proposedName) return (inputPath.parent_path() / Windows1251ToUtf8(*proposedName)).string();
    return fs::path(inputPath).replace_extension(".fb2").string();
}

void InputConversion::showProgress(const std::string& input, std::size_t index, std::size_t count,
                                   const std::string* target) const
{
    if (count <= 1 || m_options.quiet) return;
    const fs::path inputPath = input == kStdio ? fs::path("stdin.html") : fs::path(input);
    std::cerr << '[' << index << '/' << count << "] " << inputPath.filename().string();
    if (target)
        std::cerr << " -> " << (*target == kStdio ? std::string("standard output") : fs::path(*target).filename().string());
    std::cerr << '\n';
}

void InputConversion::convert(const std::string& input, std::size_t index, std::size_t count)
{
    const SourceFile file = input == kStdio ? SourceFile::StandardInput() : SourceFile{input};
    const LoadedSource source =
        LoadSource(file, LoadOptions{m_options.encoding, !m_options.noClean}, m_options.conversion, m_interaction);

    if (m_options.cleanOnly) {
        writeOutput(input, target(input, std::nullopt), source.text);
        return;
    }
    if (m_options.items) {
        TokenizeSource(source.editorText(), m_interaction, m_parser);
        writeOutput(input, target(input, std::nullopt), ItemsAsJsonLines(m_parser));
        return;
    }

    // The book's name may come from its book-info answers: the conversion's warnings wait
    // until the progress line has named the book they belong to.
    std::optional<Fb2Document> book;
    if (count > 1 && !m_options.quiet) m_interaction.holdWarnings();
    try {
        book = ConvertSource(source.editorText(), m_options.conversion, source.folder, m_interaction, m_parser);
    } catch (...) {
        // Without answers the book's name is known; with them it would have come from them.
        const std::string fallback = target(input, std::nullopt);
        showProgress(input, index, count, m_interaction.askBookInfo() ? nullptr : &fallback);
        m_interaction.releaseWarnings();
        throw;
    }
    const std::string bookTarget = target(input, book ? book->proposedFileName : std::nullopt);
    showProgress(input, index, count, &bookTarget);
    m_interaction.releaseWarnings();
    if (!book) throw std::runtime_error("nothing to convert: the text holds no HTML items");
    if (!book->bodySeen) m_interaction.warn(source.name + ": no <body> tag found, the book's body is empty");

    // Made absolute first: a relative name of a file not yet written would not match the
    // canonical name of the same file once it exists.
    std::error_code ec;
    if (bookTarget != kStdio &&
        !m_written.insert(fs::weakly_canonical(fs::absolute(bookTarget, ec), ec).string()).second)
        throw FileError("the output '" + bookTarget + "' would overwrite the book written before it");
    // The saved file holds the document's lines, each ended by CR LF.
    writeOutput(input, bookTarget, JoinLinesCrLf(book->text, true));
}

}  // namespace vellumar::cli
