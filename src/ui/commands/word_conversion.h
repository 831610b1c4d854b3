#pragma once
// The window while LibreOffice saves a word-processor document as HTML: it keeps repainting,
// and commands given meanwhile are refused; a small dialog shows the work and can cancel it.

#include <QString>

class QProgressDialog;
class QWidget;

namespace vellumar {

// Lets pending events run for a few milliseconds, except the user's input (keys, clicks,
// closing a window), which is dropped. Called again and again while LibreOffice works
// (LoadOptions::libreOffice.keepWaiting); always true, the window never stops it.
bool keepWindowWaiting();

// A small dialog over `owner` naming the document, with a Cancel button, shown from
// construction to destruction. keepWaiting() is LoadOptions::libreOffice.keepWaiting: it lets
// events run as keepWindowWaiting does, except that the dialog takes input, and returns false
// once Cancel was pressed (or the dialog closed), which stops LibreOffice.
class WordConversionProgress {
public:
    WordConversionProgress(QWidget* owner, const QString& document);
    ~WordConversionProgress();
    WordConversionProgress(const WordConversionProgress&) = delete;
    WordConversionProgress& operator=(const WordConversionProgress&) = delete;

    bool keepWaiting();
    bool cancelled() const;
    QProgressDialog& dialog() { return *m_dialog; }

private:
    QProgressDialog* m_dialog;
};

}  // namespace vellumar
