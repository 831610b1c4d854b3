#include "tables/table_picture_command.h"

#include <system_error>

#include "cleaning/source_normalizer.h"
#include "images/base64.h"
#include "images/picture_texts.h"
#include "tables/table_picture.h"

namespace vellumar {

namespace fs = std::filesystem;

namespace {

// The key under which a written file is remembered: the same file reached by another spelling
// of its folder is the same file.
fs::path identity(const fs::path& file)
{
    std::error_code error;
    fs::path absolute = fs::weakly_canonical(file, error);
    return error ? fs::absolute(file, error).lexically_normal() : absolute;
}

}  // namespace

fs::path TablePictureFolder(const fs::path& fb2File, const fs::path& sourceFolder)
{
    if (fb2File.has_parent_path()) return fb2File.parent_path();
    if (!sourceFolder.empty()) return sourceFolder;
    return fs::current_path();
}

bool TablePictureCommand::mayWrite(const fs::path& file) const
{
    std::error_code error;
    // symlink_status: a link named like the picture counts as taken, whatever it points to.
    const bool taken = fs::exists(fs::symlink_status(file, error));
    return !taken || m_written.contains(identity(file));
}

fs::path TablePictureCommand::fileFor(const fs::path& folder, int number) const
{
    const std::string name = TablePictureName(number);
    fs::path file = folder / name;
    if (mayWrite(file)) return file;
    const std::string stem = name.substr(0, name.size() - 4);
    for (int variant = 2;; ++variant) {
        file = folder / (stem + "~" + std::to_string(variant) + ".png");
        if (mayWrite(file)) return file;
    }
}

std::optional<PictureTexts> TablePictureCommand::run(std::string_view selection, const fs::path& folder,
                                                     const ConversionOptions& options,
                                                     const TextMeasurer& measurer, UserInteraction& user)
{
    if (selection.empty()) return std::nullopt;
    std::string html = "<html>\r\n";
    html.append(selection).append("\r\n</html>");
    html = NormalizeSourceHtml(html, options, user);

    ++m_counter;
    const fs::path file = fileFor(folder, m_counter);
    const HtmlErrorHandler report = [&user](std::string_view message, std::string_view text) {
        user.reportTokenizerProblem(message, text);
    };
    if (RenderTablePicture(html, file, options, measurer, report).empty()) return std::nullopt;
    m_written.insert(identity(file));

    const std::string id = file.filename().string();
    PictureTexts texts;
    texts.reference = "\r\n" + ImageReference(id) + "\r\n";
    const std::string data = EncodeFileBase64(file);
    if (!data.empty()) texts.binary = BinaryElement("png", id, data);
    return texts;
}

}  // namespace vellumar
