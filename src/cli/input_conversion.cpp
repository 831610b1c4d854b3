#include "cli/input_conversion.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "cleaning/source_normalizer.h"
#include "cli/item_list.h"
#include "convert/body_writer.h"
#include "convert/title_information.h"
#include "documents/file_io.h"
#include "documents/text_encoding.h"
#include "documents/text_lines.h"
#include "images/picture_embedder.h"
#include "tables/table_picture_embedder.h"

namespace vellumar::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStdio = "-";

std::string readInput(const std::string& input)
{
    return input == kStdio ? ReadStandardInput() : ReadFileBytes(input);
}

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

// The file name that the book-info answers propose, as a UTF-8 file name; nullopt without
// answers or with an empty title.
std::optional<std::string> proposedBookName(const CliOptions& options)
{
    if (!options.conversion.ShowTitleInfo) return std::nullopt;
    const std::optional<std::string> name =
        ProposedBookFileName(Utf8ToWindows1251(options.title.value_or("")),
                             Utf8ToWindows1251(options.firstName.value_or("")),
                             Utf8ToWindows1251(options.lastName.value_or("")));
    if (!name) return std::nullopt;
    return Windows1251ToUtf8(*name);
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

void InputConversion::convert(const std::string& input, std::size_t index, std::size_t count)
{
    const bool fromStdin = input == kStdio;
    const bool textOutput = m_options.items || m_options.cleanOnly;

    // Where the result goes: -o, or the output folder, or beside the INPUT with ".fb2";
    // standard input and the text listings go to standard output unless told otherwise.
    std::string target;
    const fs::path inputPath = fromStdin ? fs::path("stdin.html") : fs::path(input);
    if (!m_options.output.empty()) {
        target = m_options.output;
    } else if (!m_options.outputDir.empty()) {
        target = (fs::path(m_options.outputDir) / inputPath.filename())
                     .replace_extension(m_options.cleanOnly ? ".html" : ".fb2")
                     .string();
    } else if (fromStdin || textOutput) {
        target = std::string(kStdio);
    } else if (const std::optional<std::string> proposed = proposedBookName(m_options)) {
        // With book info and no output named, the book takes the name its title proposes.
        target = (inputPath.parent_path() / *proposed).string();
    } else {
        target = fs::path(inputPath).replace_extension(".fb2").string();
    }

    const std::string inputName = fromStdin ? std::string("standard input") : input;
    const std::string text = SourceToWindows1251(readInput(input), m_options.encoding, [&](std::string_view warning) {
        m_interaction.warn(inputName + ": " + std::string(warning));
    });
    // Opening a source cleans it (its lines each ended by CR LF); the conversion reads the
    // cleaned text as the source editor holds it, its lines joined by CR LF.
    std::string source;
    if (m_options.noClean) {
        source = JoinLinesCrLf(text, false);
    } else {
        const std::string cleaned = NormalizeSourceHtml(JoinLinesCrLf(text, true), m_options.conversion, m_interaction);
        if (m_options.cleanOnly) {
            writeOutput(input, target, JoinLinesCrLf(cleaned, true));
            return;
        }
        source = JoinLinesCrLf(cleaned, false);
    }

    if (m_options.items) {
        m_parser.Buffer.assign(source);
        m_parser.OnError = [this](std::string_view message, std::string_view t) {
            m_interaction.reportTokenizerProblem(message, t);
        };
        m_parser.Parse();
        m_parser.OnError = nullptr;
        writeOutput(input, target, ItemsAsJsonLines(m_parser));
        return;
    }

    if (count > 1 && !m_options.quiet)
        std::cerr << '[' << index << '/' << count << "] " << inputPath.filename().string() << " -> "
                  << (target == kStdio ? std::string("standard output") : fs::path(target).filename().string())
                  << '\n';

    // Relative picture paths are taken from the INPUT's folder (standard input: the current one).
    PictureEmbedder pictures(m_options.conversion, fromStdin ? fs::path() : inputPath.parent_path(), nullptr,
                             &m_interaction);
    TablePictureEmbedder tablePictures(m_options.conversion, m_interaction);
    ConversionServices services{m_interaction, pictures, tablePictures};
    const std::optional<Fb2Document> book = ConvertToFb2(m_parser, source, m_options.conversion, services);
    if (!book) throw std::runtime_error("nothing to convert: the text holds no HTML items");
    if (!book->bodySeen)
        m_interaction.warn((fromStdin ? std::string("standard input") : input) +
                           ": no <body> tag found, the book's body is empty");

    std::error_code ec;
    if (target != kStdio && !m_written.insert(fs::weakly_canonical(target, ec).string()).second)
        throw FileError("the output '" + target + "' would overwrite the book written before it");
    // The saved file holds the document's lines, each ended by CR LF.
    writeOutput(input, target, JoinLinesCrLf(book->text, true));
}

}  // namespace vellumar::cli
