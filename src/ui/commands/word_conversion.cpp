#include "ui/commands/word_conversion.h"

#include <QCoreApplication>

#include "ui/commands/user_input_refusal.h"

namespace vellumar {

HtmlExportResult convertWithWord(const std::filesystem::path& document, const std::filesystem::path& html,
                                 LibreOfficeSettings settings)
{
    const UserInputRefusal refusal;
    settings.keepWaiting = [] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return true;
    };
    const HtmlExportJob job{document, html};
    return LibreOfficeRunner(std::move(settings)).SaveAsHtml({&job, 1}).front();
}

WrittenHtmlFiles& htmlWrittenThisRun()
{
    static WrittenHtmlFiles written;
    return written;
}

}  // namespace vellumar
