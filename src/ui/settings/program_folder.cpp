#include "ui/settings/program_folder.h"

#include <QCoreApplication>

namespace vellumar {

namespace {

QString& overriddenFolder()
{
    static QString folder;
    return folder;
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

}  // namespace

QString programFolder()
{
    if (!overriddenFolder().isEmpty()) return withSeparator(overriddenFolder());
    return withSeparator(QCoreApplication::applicationDirPath());
}

void setProgramFolder(const QString& folder)
{
    overriddenFolder() = folder;
}

}  // namespace vellumar
