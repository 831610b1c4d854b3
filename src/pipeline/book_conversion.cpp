#include "pipeline/book_conversion.h"

#include <utility>

#include "convert/utf8_book.h"
#include "pictures/picture_embedder.h"
#include "tables/table_picture_embedder.h"

namespace vellumar {

std::optional<Fb2Document> convertSource(std::string sourceText, ConversionOptions options,
                                         const std::filesystem::path& pictureFolder, UserInteraction& user)
{
    PictureEmbedder pictures(options, pictureFolder, nullptr, &user);
    TablePictureEmbedder tablePictures(options, user);
    // Table pictures are fitted and encoded on the picture workers too, in book order.
    tablePictures.encodeOn(pictures);
    ConversionServices services{user, pictures, tablePictures};
    std::optional<Fb2Document> book = writeBook(std::move(sourceText), options, services);
    // The encoding is the last stage: every book is made in windows-1251 first.
    if (book && options.outputEncoding == OutputEncoding::Utf8) encodeBookAsUtf8(book->pieces);
    return book;
}

}  // namespace vellumar
