#include "cli/input_conversion.h"

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "files/file_io.h"
#include "encodings/text_encoding.h"
#include "editing/text_lines.h"
#include "pipeline/pipeline.h"

namespace vellumar::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStdio = "-";

bool sameFile(const std::string& a, const std::string& b)
{
    if (a == kStdio || b == kStdio) return false;
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

std::optional<std::string> makeOutputFolder(const CliOptions& options)
{
    if (options.outputDir.empty()) return std::nullopt;
    const std::string& folder = options.outputDir;
    std::error_code error;
    fs::create_directories(folder, error);
    // An existing folder (or a link to one) is used as it is; anything else in its place is not.
    if (!error && fs::is_directory(folder, error)) return std::nullopt;
    if (!error || error == std::errc::file_exists || error == std::errc::not_a_directory)
        return "cannot make the output folder '" + folder + "': a file is in the way";
    return "cannot make the output folder '" + folder + "': " + error.message();
}

std::string inputErrorLine(const std::string& input, std::string_view problem)
{
    // File errors name their file, quoted ("cannot read 'book.html': ..."), or standard input:
    // when that file is the INPUT itself, the INPUT is not named a second time before it.
    const bool fromStdin = input == kStdio;
    const std::string named = fromStdin ? std::string("standard input") : "'" + input + "'";
    std::string line = "vellumar-convert: ";
    if (problem.find(named) == std::string_view::npos) line.append(fromStdin ? "standard input" : input).append(": ");
    return line.append(problem).append("\n");
}

std::string outputTarget(const CliOptions& options, const std::string& input,
                         const std::optional<std::string>& proposedName)
{
    const bool fromStdin = input == kStdio;
    const fs::path inputPath = fromStdin ? fs::path("stdin.html") : fs::path(input);
    if (!options.output.empty()) return options.output;
    if (!options.outputDir.empty())
        return (fs::path(options.outputDir) / inputPath.filename())
            .replace_extension(options.cleanOnly ? ".html" : ".fb2")
            .string();
    if (fromStdin || options.items || options.cleanOnly) return std::string(kStdio);
    // With book info and no output named, the book takes the (UTF-8) name its title proposes.
    if (proposedName) return (inputPath.parent_path() / windows1251ToUtf8(*proposedName)).string();
    return fs::path(inputPath).replace_extension(".fb2").string();
}

InputConversion::InputConversion(const CliOptions& options, CliInteraction& interaction, BookClaims& claims,
                                 TextOutput& err, TextOutput& out)
    : m_options(options), m_interaction(interaction), m_claims(claims), m_err(err), m_out(out)
{
}

bool InputConversion::run(const std::string& input, std::size_t index, std::size_t count, JobTurns& turns,
                          const SourceBatch& sources)
{
    m_turns = &turns;
    m_job = index - 1;
    m_count = count;
    try {
        convert(input, index, count, sources);
        return true;
    } catch (const std::exception& e) {
        m_err << inputErrorLine(input, e.what());
        return false;
    }
}

void InputConversion::writeOutput(const std::string& input, const std::string& target,
                                  std::span<const std::string_view> pieces, bool isBook)
{
    // Books are written as they are made; only a file an earlier INPUT reads or writes waits
    // for it. A single INPUT has no book before it.
    m_claims.claim(m_job, target, *m_turns, isBook && m_count > 1);
    if (sameFile(input, target)) throw FileError("the output '" + target + "' would overwrite the input");
    if (target == kStdio) {
        for (std::string_view piece : pieces) m_out.write(piece);
        m_out.flush();
        if (!m_out.good()) throw FileError("cannot write standard output");
        return;
    }
    // Only a name the user gave with -o may lead into a device, FIFO or socket.
    const TargetNaming naming = m_options.output.empty() ? TargetNaming::Derived : TargetNaming::NamedByUser;
    writeFileAtomically(target, pieces, Durability::WriteBack, naming);
}

void InputConversion::showProgress(const std::string& input, std::size_t index, std::size_t count,
                                   const std::string* target) const
{
    if (count <= 1 || m_options.quiet) return;
    const fs::path inputPath = input == kStdio ? fs::path("stdin.html") : fs::path(input);
    m_err << '[' << index << '/' << count << "] " << inputPath.filename().string();
    if (target)
        m_err << " -> " << (*target == kStdio ? std::string("standard output") : fs::path(*target).filename().string());
    m_err << (m_options.progressInPlace ? '\r' : '\n');
}

void InputConversion::convert(const std::string& input, std::size_t index, std::size_t count,
                              const SourceBatch& sources)
{
    const SourceFile file = sources.source(index - 1);
    LoadedSource source =
        loadSource(file, LoadOptions{m_options.encoding, !m_options.noClean}, m_options.conversion, m_interaction);

    if (m_options.cleanOnly) {
        writeOutput(input, outputTarget(m_options, input, std::nullopt), source.text);
        return;
    }
    if (m_options.items) {
        writeOutput(input, outputTarget(m_options, input, std::nullopt),
                    sourceItemList(source.takeEditorText(), m_interaction));
        return;
    }

    // With book-info answers and no output named, the book takes the name the answers propose,
    // known only once it is made: its warnings then wait for the progress line naming it.
    const bool nameFromAnswers =
        m_interaction.askBookInfo() && m_options.output.empty() && m_options.outputDir.empty() && input != kStdio;
    const std::string plainTarget = outputTarget(m_options, input, std::nullopt);
    if (!nameFromAnswers) showProgress(input, index, count, &plainTarget);
    else if (count > 1 && !m_options.quiet) m_interaction.holdWarnings();
    std::optional<Fb2Document> book;
    try {
        book = convertSource(source.takeEditorText(), m_options.conversion, source.folder, m_interaction);
    } catch (...) {
        if (nameFromAnswers) {
            showProgress(input, index, count, nullptr);
            m_interaction.releaseWarnings();
        }
        throw;
    }
    const std::string bookTarget = outputTarget(m_options, input, book ? book->proposedFileName : std::nullopt);
    if (nameFromAnswers) {
        showProgress(input, index, count, &bookTarget);
        m_interaction.releaseWarnings();
    }
    if (!book) throw std::runtime_error("nothing to convert: the text holds no HTML items");
    if (!book->bodySeen) m_interaction.warn("no <body> tag found, the book's body is empty");

    // The saved file holds the document's lines, each ended by CR LF.
    endLinesCrLf(book->pieces);
    const std::vector<std::string_view> pieces(book->pieces.begin(), book->pieces.end());
    writeOutput(input, bookTarget, pieces, true);
}

}  // namespace vellumar::cli
