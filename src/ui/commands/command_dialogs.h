#pragma once
// Everything the main window's file commands ask of the user or the desktop, behind one
// interface: the window's dialogs in the program (DesktopDialogs), scripted answers in tests.

#include <optional>
#include <string_view>

#include <QString>

#include "base/user_interaction.h"

namespace vellumar {

// What to do with a document that has changes not saved yet.
enum class UnsavedAnswer { Save, Discard, Cancel };

class CommandDialogs {
public:
    virtual ~CommandDialogs() = default;

    // An existing file chosen with the named open dialog ("OpenDialog1", "ODFB2"), starting in
    // `folder`; empty when cancelled.
    virtual QString askOpenFileName(std::string_view dialog, const QString& folder) = 0;
    // A file name chosen with the named save dialog ("SD", "SDSource"), starting at `proposed`
    // (a path or a folder); empty when cancelled. Replacing the chosen file is confirmed there.
    virtual QString askSaveFileName(std::string_view dialog, const QString& proposed) = 0;
    // Whether `path`, which the save will replace although the user chose another name, may be
    // replaced.
    virtual bool confirmReplace(const QString& path) = 0;
    // The book-info dialog with empty boxes; nullopt when cancelled or closed. The answers are
    // bytes of the editors' code page.
    virtual std::optional<BookInfoAnswers> askBookInfo() = 0;
    // The book-info dialog with its boxes filled with `proposed`.
    virtual std::optional<BookInfoAnswers> askBookInfoProposing(const BookInfoAnswers& proposed)
    {
        static_cast<void>(proposed);
        return askBookInfo();
    }
    // A plain message box with one OK button.
    virtual void showMessage(const QString& title, const QString& text) = 0;
    // An error that ended a command.
    virtual void showError(const QString& text) = 0;
    // `question` names the document with changes; Save, Discard or Cancel.
    virtual UnsavedAnswer askUnsavedChanges(const QString& question) = 0;
    // Asks the desktop to open `path` in the program it uses for such files; false when it
    // could not.
    virtual bool openWithDesktop(const QString& path) = 0;
};

}  // namespace vellumar
