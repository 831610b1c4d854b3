#pragma once
// Embeds the pictures of a conversion: every src of an img tag becomes an image reference in
// the body and, the first time its picture is met, a binary element after the body.

#include "convert/conversion_options.h"
#include "convert/picture_sink.h"
#include "documents/temp_folder.h"
#include "images/picture_ids.h"
#include "images/picture_table.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

namespace vellumar {

class PictureEmbedder : public PictureSink {
public:
    // Relative srcs are taken relative to baseFolder (the source document's folder); an empty
    // baseFolder means the current folder.
    PictureEmbedder(const ConversionOptions& options, std::filesystem::path baseFolder);

    void beginConversion() override;
    void embedPicture(std::string_view src, std::string& body, std::string& binaries) override
    {
        EmbedPicture(src, body, binaries);
    }
    void endConversion() override;

    // One src: appends the image reference to body and, for a picture not embedded before in
    // this conversion, its binary element to binaries. Missing files, network addresses and
    // other kinds of pictures are dropped without a word. Throws PictureError naming the
    // picture when it exists but cannot be decoded, or its copy cannot be written.
    void EmbedPicture(std::string_view src, std::string& body, std::string& binaries);
    // Deletes path when it is a copy that this conversion wrote; never touches other files.
    void DeleteTempPicture(const std::filesystem::path& path);

    const PictureTable& pictures() const { return m_table; }

private:
    struct Prepared {
        std::string virtualPath;             // the path the id comes from
        std::filesystem::path file;          // the file whose bytes are embedded
    };
    // A file's identity on disk and the lower-cased extension its src gave it.
    using FileKey = std::tuple<unsigned long long, unsigned long long, std::string>;

    void embedFile(std::string_view src, std::string& body, std::string& binaries);
    void embedInline(std::string_view extension, const std::string& bytes, std::string& body, std::string& binaries);
    Prepared prepare(const std::filesystem::path& file, std::string_view virtualPath, std::string_view extension,
                     std::string_view name, bool inTempFolder);
    bool embedPrepared(const Prepared& prepared, std::string& body, std::string& binaries);
    std::filesystem::path resolve(std::string_view path) const;
    std::string siblingVirtualPath(std::string_view virtualPath, std::string_view extension, bool inTempFolder);
    std::filesystem::path copyPath(const std::string& virtualPath);

    ConversionOptions m_options;
    std::filesystem::path m_baseFolder;
    PictureTable m_table;
    PictureIdSet m_ids;
    std::map<FileKey, TPictureEntry> m_embeddedFiles;  // file -> the entry that embedded it
    std::set<std::filesystem::path> m_copies;
    int m_inlineCount = 0;
    int m_copyCount = 0;
    TempFolder m_temp;
};

}  // namespace vellumar
