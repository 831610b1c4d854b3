#include "fuzz/support/fuzz_book.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "convert/utf8_book.h"
#include "checking/book_check.h"
#include "files/file_io.h"
#include "files/temp_folder.h"
#include "pictures/picture_embedder.h"
#include "pipeline/book_conversion.h"
#include "pixels/jpeg_codec.h"
#include "pixels/png_codec.h"
#include "support/xml_check.h"
#include "tables/freetype_text_measurer.h"
#include "tables/table_picture_embedder.h"

// fontconfig keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace vellumar::fuzz {

namespace {

RgbImage gradient(int width, int height)
{
    RgbImage image(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 7);
    return image;
}

const TextMeasurer& tableFont()
{
    static const FreeTypeTextMeasurer font;
    return font;
}

// The book written in UTF-8 is the same document as the windows-1251 book.
void checkUtf8Book(const Fb2Document& book)
{
    TextPieces utf8 = book.pieces;
    encodeBookAsUtf8(utf8);
    const std::string text = joinPieces(utf8);
    checkWellFormed(text);
    if (testing::canonicalXml(text) == testing::canonicalXml(book.text())) return;
    std::fprintf(stderr, "the UTF-8 book reads otherwise than the windows-1251 book:\n%s\n", text.c_str());
    std::abort();
}

template <typename Convert>
void convertInEveryTableMode(bool straighten, int titleLevel, Convert convert)
{
    for (const TableMode mode : {TableMode::AsIs, TableMode::ContentOnly, TableMode::ConvertToImage}) {
        ConversionOptions options;
        options.tableMode = mode;
        options.straightenText = straighten;
        options.titleLevel = titleLevel;
        try {
            if (const std::optional<Fb2Document> book = convert(options)) {
                checkWellFormed(book->text());
                checkUtf8Book(*book);
            }
        } catch (const std::runtime_error&) {
            // A failure the user is told about (PictureError, a span that is no number).
        }
    }
}

}  // namespace

// The pictures are made once with the real encoders.
const std::filesystem::path& pictureFolder()
{
    static TempFolder folder;
    static const bool made = [] {
        writeFileAtomically(folder.file("a.png"), encodePng(gradient(3, 2)));
        writeFileAtomically(folder.file("b.jpg"), encodeJpeg(gradient(8, 8)));
        writeFileAtomically(folder.file("wide.png"), encodePng(gradient(600, 4)));
        writeFileAtomically(folder.file("broken.jpg"), std::string("\xff\xd8\xff\xe0 not a picture"));
        return true;
    }();
    (void)made;
    return folder.path();
}

void addDefaultMaxLen(int* argc, char*** argv)
{
    for (int i = 1; i < *argc; ++i)
        if (std::strncmp((*argv)[i], "-max_len=", 9) == 0) return;
    static std::vector<char*> args;
    static char maxLen[] = "-max_len=65536";
    args.assign(*argv, *argv + *argc);
    args.push_back(maxLen);
    args.push_back(nullptr);
    *argc = static_cast<int>(args.size()) - 1;
    *argv = args.data();
    // Made here, outside any input, so that their one-time allocations are not taken for leaks.
    pictureFolder();
    tableFont();
}

void checkWellFormed(std::string_view book)
{
    const std::string problem = testing::xmlProblem(book);
    if (problem.empty()) return;
    std::fprintf(stderr, "book is not well-formed XML: %s\n%.*s\n", problem.c_str(), static_cast<int>(book.size()),
                 book.data());
    std::abort();
}

void convertInEveryTableMode(std::string_view source, bool straighten, int titleLevel)
{
    SilentInteraction user;
    convertInEveryTableMode(straighten, titleLevel, [&](const ConversionOptions& options) {
        PictureEmbedder pictures(options, pictureFolder());
        TablePictureEmbedder tablePictures(options, user, tableFont());
        ConversionServices services{user, pictures, tablePictures};
        return writeBook(std::string(source), options, services);
    });
}

void convertCompleteInEveryTableMode(std::string_view source, bool straighten, int titleLevel)
{
    static const std::filesystem::path schema = std::filesystem::path(VELLUMAR_DATA_DIR) / "schema" / "FictionBook.xsd";
    SilentInteraction user;
    for (const TableMode mode : {TableMode::AsIs, TableMode::ContentOnly, TableMode::ConvertToImage}) {
        ConversionOptions options;
        options.complete = true;
        options.tableMode = mode;
        options.straightenText = straighten;
        options.titleLevel = titleLevel;
        try {
            PictureEmbedder pictures(options, pictureFolder());
            TablePictureEmbedder tablePictures(options, user, tableFont());
            ConversionServices services{user, pictures, tablePictures};
            const std::optional<Fb2Document> book = writeBook(std::string(source), options, services);
            if (!book) continue;
            const std::string text = book->text();
            const BookCheckResult result = checkFb2Book(text, schema);
            if (!result.wellFormed || !result.problems.empty()) {
                for (const BookProblem& problem : result.problems)
                    std::fprintf(stderr, "line %d: %s\n", problem.line, problem.message.c_str());
                std::fprintf(stderr, "%s\n", text.c_str());
                std::abort();
            }
        } catch (const std::runtime_error&) {
            // A failure the user is told about (PictureError, a span that is no number).
        }
    }
}

void convertSourceInEveryTableMode(std::string_view sourceText, bool straighten, int titleLevel)
{
    SilentInteraction user;
    convertInEveryTableMode(straighten, titleLevel, [&](const ConversionOptions& options) {
        return convertSource(std::string(sourceText), options, pictureFolder(), user);
    });
}

}  // namespace vellumar::fuzz
