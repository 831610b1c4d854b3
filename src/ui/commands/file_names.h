#pragma once
// The file-name rules of the window's save commands. Only the file-name part of a path is
// looked at: dots in folder names do not count.

#include <QString>

namespace vellumar {

// `path` with everything from the last dot of its file name on replaced by `extension` (which
// starts with its dot), or with `extension` appended when the file name has no dot.
QString withExtension(const QString& path, const QString& extension);

// The name an FB2 save writes: `path` when it ends in ".fb2" or ".fb2.zip" in any letter case,
// else the path with ".fb2" as its extension.
QString fb2SavePath(const QString& path);
// The same when books are zipped: a path ending in neither gets ".fb2.zip" as its extension.
QString fb2ZipSavePath(const QString& path);
// Whether `path` names a zipped book: it ends in ".fb2.zip" in any letter case.
bool isZippedBookPath(const QString& path);

// The name a source save writes: `path` when its extension is ".html" or ".htm" in any letter
// case, else the path with ".htm" as its extension.
QString sourceSavePath(const QString& path);

// The lower-cased extension of the file name, with its dot; empty when there is none.
QString lowerExtension(const QString& path);

}  // namespace vellumar
