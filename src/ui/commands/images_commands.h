#pragma once
// The commands of the "Images" page: "Load picture", "Copy to clipboard" and "Clear" for its two
// text boxes, and "Convert table" (F6), which draws the table selected in the source editor and
// fills the same two boxes. The object keeps the table picture numbering of the run.

#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "files/temp_folder.h"
#include "tables/table_picture_command.h"

class QPlainTextEdit;
class QWidget;

namespace vellumar {

class MainWindow;
class TextMeasurer;

class ImagesPageCommands : public QObject {
    Q_OBJECT

public:
    // The page's upper (Memo1) and lower (Memo2) text boxes.
    ImagesPageCommands(MainWindow& window, QPlainTextEdit& upperBox, QPlainTextEdit& lowerBox);
    ~ImagesPageCommands() override;

    // Act_LoadImage: asks for a picture, then loadPicture(path).
    void loadPictureAsked();
    // Empties both boxes, then fills them from the picture at path (nothing for other kinds
    // of files). A picture that cannot be decoded is reported in an error box.
    void loadPicture(const QString& path);
    // Act_CopyToClip1, Act_CopyToClip2: the whole text of the box to the clipboard.
    void copyUpperBox();
    void copyLowerBox();
    // Act_ClearMemo1, Act_ClearMemo2.
    void clearUpperBox();
    void clearLowerBox();

    // Act_ConvertTable: empties both boxes; with a selection in the source editor, draws its
    // table into the next table picture, fills the boxes and brings this page to the front.
    void convertTable();
    // The number of the last table picture (tablePictureCounter).
    int tablePictureCounter() const { return m_tables.counter(); }
    // A new FB2 document begins: the next table picture is table1.png again.
    void resetTablePictureCounter() { m_tables.reset(); }

    // How "Load picture" asks for a file; the picture dialog unless replaced (tests do).
    void setPictureChooser(std::function<QString(QWidget*)> chooser) { m_choosePicture = std::move(chooser); }
    // The font that draws table pictures; FreeType's "MS Sans Serif" match unless replaced.
    void setTextMeasurer(const TextMeasurer* measurer) { m_measurer = measurer; }

private:
    void showTexts(const PictureTexts& texts);
    const TextMeasurer& measurer();
    void showError(const QString& message);

    MainWindow& m_window;
    QPlainTextEdit& m_upperBox;
    QPlainTextEdit& m_lowerBox;
    std::function<QString(QWidget*)> m_choosePicture;
    TempFolder m_copies;
    TablePictureCommand m_tables;
    const TextMeasurer* m_measurer = nullptr;
    std::unique_ptr<TextMeasurer> m_font;
};

}  // namespace vellumar
