#pragma once
// The Convert table command: the table the user selected in the source editor drawn into a PNG
// file, and the image reference and binary element for the images page. The object keeps what
// outlives one command: the picture counter and the files this run has written.

#include <filesystem>
#include <optional>
#include <string_view>

#include "base/conversion_options.h"
#include "base/user_interaction.h"
#include "files/written_files.h"
#include "pictures/picture_page.h"
#include "tables/text_measurer.h"

namespace vellumar {

class TablePictureCommand {
public:
    // The number of the last picture; 0 at start and after reset().
    int counter() const { return m_counter; }
    // A new FB2 document begins: the next picture is table1.png again.
    void reset() { m_counter = 0; }

    // Runs the command on the selected text. Without a selection nothing happens. Otherwise
    // the counter advances, the selection is cleaned as a source and its table rows are drawn
    // into folder / FileFor(...); nothing more when there is no table cell. Tokenizer problems
    // go to user. Throws PictureError when the file cannot be written and std::runtime_error
    // for a span that is not a whole number.
    std::optional<PictureTexts> run(std::string_view selection, const std::filesystem::path& folder,
                                    const ConversionOptions& options, const TextMeasurer& measurer,
                                    UserInteraction& user);

    // The file for picture `number` in folder: tableN.png, unless a file of that name exists
    // that this object did not write; then the first free of tableN~2.png, tableN~3.png, ...
    // A user's own file is never replaced; a picture of this run is written again.
    std::filesystem::path fileFor(const std::filesystem::path& folder, int number) const;

private:
    int m_counter = 0;
    WrittenFiles m_written;
};

// Where the command writes its pictures: the folder of the FB2 file when there is one, else
// the folder of the last opened source document (sourceFolder, empty before an open), else
// the current folder.
std::filesystem::path tablePictureFolder(const std::filesystem::path& fb2File,
                                         const std::filesystem::path& sourceFolder);

}  // namespace vellumar
