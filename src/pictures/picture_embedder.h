#pragma once
// Embeds the pictures of a conversion: every src of an img tag becomes an image reference in
// the body and, the first time its picture is met, a binary element after the body.
//
// A picture that fits the box is carried as it is, checked only by its header. The walk
// writes each reference at once (the id comes from the picture's name) and goes on, while the
// picture workers shrink, re-encode and base64-encode; completeBinaries() then puts every
// binary element where the walk would have written it, so the book is byte for byte the one
// that doing each picture in turn would give.

#include "base/conversion_options.h"
#include "base/picture_sink.h"
#include "base/user_interaction.h"
#include "pixels/picture_header.h"
#include "pictures/picture_ids.h"
#include "pictures/picture_lookup.h"
#include "pictures/picture_plan.h"
#include "pictures/picture_table.h"

#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <variant>
#include <vector>

namespace vellumar {

class PictureWorkers;

class PictureEmbedder : public PictureSink {
public:
    // Relative srcs are taken relative to baseFolder (the source document's folder); an empty
    // baseFolder means the current folder. Re-encoding runs on `workers` (the shared pool when
    // none is given). A picture file that cannot be found is reported to `user`, when given.
    PictureEmbedder(const ConversionOptions& options, std::filesystem::path baseFolder,
                    PictureWorkers* workers = nullptr, UserInteraction* user = nullptr);
    ~PictureEmbedder() override;

    void beginConversion() override;
    // One src: appends the image reference to body and, for a picture not embedded before in
    // this conversion, has its binary element made for binaries (placed there by
    // completeBinaries). Missing files (reported to the user as warnings naming the src and
    // the path tried), network addresses and other kinds of pictures are left out. Throws
    // PictureError naming the picture when its header shows it is not a picture of its kind;
    // an error while reading, checking, decoding or re-encoding comes from completeBinaries.
    void embedPicture(std::string_view src, std::string& body, std::string& binaries) override;
    TextPieces completeBinaries(std::string binaries) override;
    void endConversion() override;

    // For the other pictures of the same conversion (table pictures): `makeElement` runs on the
    // picture workers and its binary element is placed, at completeBinaries, where binaries
    // ends now.
    void addBinaryLater(const std::string& binaries, std::function<std::string()> makeElement);

    const PictureTable& pictures() const { return m_table; }

private:
    // A binary element still being made by a worker, and where in the binaries text it belongs.
    struct PendingBinary {
        std::size_t offset;
        std::future<std::string> element;
    };
    // A picture file to read, or the bytes of a picture inside the document.
    using PictureBytes = std::variant<std::filesystem::path, std::string>;

    void embedFile(std::string_view src, std::string& body, std::string& binaries);
    void reportMissing(std::string_view src);
    // A picture file of a kind no book embeds (.bmp, .svg, no extension, ...): left out, and
    // the user told so.
    void reportUnembeddable(std::string_view src);
    void embedInline(std::string_view extension, std::string bytes, std::string& body, std::string& binaries);
    bool embedPlanned(PictureBytes source, const PicturePlan& plan, std::string_view name, std::string& body,
                      std::string& binaries);
    void waitForWorkers();

    ConversionOptions m_options;
    std::filesystem::path m_baseFolder;
    PictureWorkers& m_workers;
    UserInteraction* m_user;
    PictureTable m_table;
    PictureIdSet m_ids;
    std::map<PictureFileKey, PictureEntry> m_embeddedFiles;  // file -> the entry that embedded it
    std::vector<PendingBinary> m_pending;
    FolderListings m_folderListings;
    int m_inlineCount = 0;
};

}  // namespace vellumar
