#include "pipeline/book_conversion.h"

#include "pictures/picture_embedder.h"
#include "tables/table_picture_embedder.h"

namespace vellumar {

std::optional<Fb2Document> ConvertSource(std::string sourceText, ConversionOptions options,
                                         const std::filesystem::path& pictureFolder, UserInteraction& user,
                                         THTMLParser& parser)
{
    PictureEmbedder pictures(options, pictureFolder, nullptr, &user);
    TablePictureEmbedder tablePictures(options, user);
    // Table pictures are fitted and encoded on the picture workers too, in book order.
    tablePictures.encodeOn(pictures);
    ConversionServices services{user, pictures, tablePictures};
    // The tokenizer takes the text over: a book's source is not copied again.
    parser.Buffer = std::move(sourceText);
    return ConvertParserText(parser, options, services);
}

void TokenizeSource(std::string_view sourceText, UserInteraction& user, THTMLParser& parser)
{
    parser.Buffer.assign(sourceText);
    parser.OnError = [&user](std::string_view message, std::string_view text) {
        user.reportTokenizerProblem(message, text);
    };
    parser.Parse();
    parser.OnError = nullptr;
}

}  // namespace vellumar
