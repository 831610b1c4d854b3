#include "tables/table_picture_embedder.h"

#include <filesystem>
#include <system_error>

#include "pictures/base64.h"
#include "pictures/picture_texts.h"
#include "tables/freetype_text_measurer.h"
#include "tables/table_picture.h"

namespace vellumar {

namespace {

// Removes the picture file when the embedding ends, also after a failure.
class RemoveOnExit {
public:
    explicit RemoveOnExit(std::filesystem::path path) : m_path(std::move(path)) {}
    RemoveOnExit(const RemoveOnExit&) = delete;
    RemoveOnExit& operator=(const RemoveOnExit&) = delete;
    ~RemoveOnExit()
    {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }

private:
    std::filesystem::path m_path;
};

}  // namespace

TablePictureEmbedder::TablePictureEmbedder(ConversionOptions options, UserInteraction& user)
    : m_options(options), m_user(user)
{
}

TablePictureEmbedder::TablePictureEmbedder(ConversionOptions options, UserInteraction& user,
                                           const TextMeasurer& measurer)
    : m_options(options), m_user(user), m_measurer(&measurer)
{
}

TablePictureEmbedder::~TablePictureEmbedder() = default;

const TextMeasurer& TablePictureEmbedder::measurer()
{
    if (m_measurer == nullptr) {
        m_font = std::make_unique<FreeTypeTextMeasurer>();
        m_measurer = m_font.get();
    }
    return *m_measurer;
}

TableOutcome TablePictureEmbedder::embedTablePicture(int number, std::string_view tableHtml, std::string& binaries)
{
    const std::string name = tablePictureName(number);
    const HtmlErrorHandler report = [this](std::string_view message, std::string_view text) {
        m_user.reportTokenizerProblem(message, text);
    };
    const TableWarningHandler warn = [this, &name](std::string_view text) { m_user.warn(name + ": " + std::string(text)); };
    if (m_encoder != nullptr) {
        std::optional<RgbImage> bitmap;
        try {
            bitmap = renderTableBitmap(tableHtml, m_options, measurer(), report, warn);
        } catch (const TableTooLargeError& e) {
            m_user.warn(name + ": " + e.what() + "; written as its text");
            return TableOutcome::Text;
        }
        if (!bitmap) return TableOutcome::Picture;  // no cell: a reference without a picture
        m_encoder->addBinaryLater(binaries, [bitmap = std::move(*bitmap), name, maxWidth = m_options.maxWidth,
                                             maxHeight = m_options.maxHeight] {
            const std::string png = encodePng(fitTablePicture(bitmap, maxWidth, maxHeight), tablePngOptions());
            return binaryElementOfBytes("png", name, png);
        });
        return TableOutcome::Picture;
    }
    const std::filesystem::path file = m_folder.file(name);
    const RemoveOnExit cleanup(file);
    try {
        renderTablePicture(tableHtml, file, m_options, measurer(), report, warn);
    } catch (const TableTooLargeError& e) {
        m_user.warn(name + ": " + e.what() + "; written as its text");
        return TableOutcome::Text;
    }
    const std::string data = encodeFileBase64(file);
    if (!data.empty()) binaries += binaryElement("png", name, data);
    return TableOutcome::Picture;
}

}  // namespace vellumar
