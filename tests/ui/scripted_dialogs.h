#pragma once
// Scripted answers for the main window's file commands: each question takes the next answer of
// its queue (a question without an answer fails the test and is cancelled), and every question
// is recorded.

#include <deque>
#include <optional>
#include <string>

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "ui/commands/command_dialogs.h"

namespace vellumar::testing {

class ScriptedDialogs : public CommandDialogs {
public:
    // Answers, taken front first. An empty name cancels a file dialog.
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    std::deque<bool> replaceAnswers;
    std::deque<std::optional<BookInfoAnswers>> bookInfoAnswers;
    std::deque<UnsavedAnswer> unsavedAnswers;
    bool desktopOpens = true;

    // What was asked: "OpenDialog1 <folder>", "SD <proposed>", ...
    QStringList fileDialogs;
    QStringList replaceQuestions;
    int bookInfoQuestions = 0;
    QStringList messages;  // "title|text"
    QStringList errors;
    QStringList unsavedQuestions;
    QStringList openedWithDesktop;

    QString askOpenFileName(std::string_view dialog, const QString& folder) override
    {
        fileDialogs << QString::fromLatin1(dialog.data(), static_cast<qsizetype>(dialog.size())) + ' ' + folder;
        return next(openNames, QString(), "open file name");
    }
    QString askSaveFileName(std::string_view dialog, const QString& proposed) override
    {
        fileDialogs << QString::fromLatin1(dialog.data(), static_cast<qsizetype>(dialog.size())) + ' ' + proposed;
        return next(saveNames, QString(), "save file name");
    }
    bool confirmReplace(const QString& path) override
    {
        replaceQuestions << path;
        return next(replaceAnswers, false, "replace answer");
    }
    std::optional<BookInfoAnswers> askBookInfo() override
    {
        ++bookInfoQuestions;
        return next(bookInfoAnswers, std::optional<BookInfoAnswers>(), "book info");
    }
    void showMessage(const QString& title, const QString& text) override { messages << title + '|' + text; }
    void showError(const QString& text) override { errors << text; }
    UnsavedAnswer askUnsavedChanges(const QString& question) override
    {
        unsavedQuestions << question;
        return next(unsavedAnswers, UnsavedAnswer::Cancel, "unsaved-changes answer");
    }
    bool openWithDesktop(const QString& path) override
    {
        openedWithDesktop << path;
        return desktopOpens;
    }

private:
    template <typename T>
    static T next(std::deque<T>& answers, T cancelled, const char* what)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << what;
            return cancelled;
        }
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace vellumar::testing
