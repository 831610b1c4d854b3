#pragma once
// Turns the tables a conversion collects into PNG pictures embedded in the book. Each picture
// is written into the run's private temporary folder, never into the current folder, so a
// user's own "table1.png" is neither overwritten nor deleted; it is removed once encoded.
// With encodeOn(), tables are drawn here (the font is not shared between threads) and fitted,
// encoded and base64-encoded on the picture workers, in memory.

#include <memory>
#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "base/picture_sink.h"
#include "base/user_interaction.h"
#include "files/temp_folder.h"
#include "pictures/picture_embedder.h"
#include "tables/text_measurer.h"

namespace vellumar {

class TablePictureEmbedder : public TablePictureSink {
public:
    // Draws with the FreeType font of the table pictures, loaded at the first table. The
    // embedder keeps its own copy of the options.
    TablePictureEmbedder(ConversionOptions options, UserInteraction& user);
    // Draws with the given measurer, which must outlive the embedder.
    TablePictureEmbedder(ConversionOptions options, UserInteraction& user, const TextMeasurer& measurer);
    ~TablePictureEmbedder() override;

    // Renders the table as tablePictureName(number) and appends its "image/png" binary element
    // to binaries; a table without any cell adds nothing. A table too large to draw is
    // reported as a warning and comes back as TableOutcome::Text; odd span values are reported
    // as warnings too. Throws PictureError when the picture cannot be written.
    TableOutcome embedTablePicture(int number, std::string_view tableHtml, std::string& binaries) override;

    // Fits, encodes and base64-encodes the pictures on `pictures`' workers, their binary
    // elements placed by its completeBinaries(); `pictures` must outlive the conversion.
    void encodeOn(PictureEmbedder& pictures) { m_encoder = &pictures; }

private:
    const TextMeasurer& measurer();

    const ConversionOptions m_options;
    UserInteraction& m_user;
    const TextMeasurer* m_measurer = nullptr;
    std::unique_ptr<TextMeasurer> m_font;
    TempFolder m_folder;
    PictureEmbedder* m_encoder = nullptr;
};

}  // namespace vellumar
