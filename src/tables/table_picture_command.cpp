#include "tables/table_picture_command.h"

#include "cleaning/source_normalizer.h"
#include "pictures/base64.h"
#include "pictures/picture_texts.h"
#include "tables/table_picture.h"

namespace vellumar {

namespace fs = std::filesystem;

fs::path tablePictureFolder(const fs::path& fb2File, const fs::path& sourceFolder)
{
    if (fb2File.has_parent_path()) return fb2File.parent_path();
    if (!sourceFolder.empty()) return sourceFolder;
    return fs::current_path();
}

fs::path TablePictureCommand::fileFor(const fs::path& folder, int number) const
{
    return m_written.freeName(folder / tablePictureName(number));
}

std::optional<PictureTexts> TablePictureCommand::run(std::string_view selection, const fs::path& folder,
                                                     const ConversionOptions& options,
                                                     const TextMeasurer& measurer, UserInteraction& user)
{
    if (selection.empty()) return std::nullopt;
    std::string html = "<html>\r\n";
    html.append(selection).append("\r\n</html>");
    html = normalizeSourceHtml(html, options, user);

    ++m_counter;
    const fs::path file = fileFor(folder, m_counter);
    const HtmlErrorHandler report = [&user](std::string_view message, std::string_view text) {
        user.reportTokenizerProblem(message, text);
    };
    if (renderTablePicture(html, file, options, measurer, report).empty()) return std::nullopt;
    m_written.add(file);

    const std::string id = file.filename().string();
    PictureTexts texts;
    texts.reference = "\r\n" + imageReference(id) + "\r\n";
    const std::string data = encodeFileBase64(file);
    if (!data.empty()) texts.binary = binaryElement("png", id, data);
    return texts;
}

}  // namespace vellumar
