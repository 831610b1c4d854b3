#include "pipeline/book_conversion.h"

#include <utility>

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
    return writeBook(std::move(sourceText), options, services);
}

}  // namespace vellumar
