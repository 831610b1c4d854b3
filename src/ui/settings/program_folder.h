#pragma once
// The folder the program runs from, where its language files and "help.txt" live.

#include <QString>

namespace vellumar {

// The program's folder with its trailing separator ("/opt/vellumar/").
QString programFolder();

// Makes programFolder() answer `folder` (with or without the trailing separator) instead of the
// real folder; an empty text goes back to the real one. For tests that lay out their own files.
void setProgramFolder(const QString& folder);

}  // namespace vellumar
