#include "ui/commands/file_names.h"

namespace vellumar {

namespace {

// The index of the extension's dot in `path`, or -1 when the file name has none.
qsizetype extensionDot(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
    return dot > separator ? dot : -1;
}

}  // namespace

QString withExtension(const QString& path, const QString& extension)
{
    const qsizetype dot = extensionDot(path);
    return (dot < 0 ? path : path.left(dot)) + extension;
}

QString lowerExtension(const QString& path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : path.mid(dot).toLower();
}

bool isZippedBookPath(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).endsWith(QLatin1String(".fb2.zip"), Qt::CaseInsensitive);
}

QString fb2SavePath(const QString& path)
{
    if (lowerExtension(path) == QLatin1String(".fb2") || isZippedBookPath(path)) return path;
    return withExtension(path, QStringLiteral(".fb2"));
}

QString fb2ZipSavePath(const QString& path)
{
    if (lowerExtension(path) == QLatin1String(".fb2") || isZippedBookPath(path)) return path;
    return withExtension(path, QStringLiteral(".fb2.zip"));
}

QString sourceSavePath(const QString& path)
{
    const QString extension = lowerExtension(path);
    if (extension == QLatin1String(".html") || extension == QLatin1String(".htm")) return path;
    return withExtension(path, QStringLiteral(".htm"));
}

}  // namespace vellumar
