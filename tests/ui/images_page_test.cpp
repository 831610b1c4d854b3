// The "Images" page: Load picture with its dialog, the copy and clear buttons, and Convert
// table (F6) filling the page from the source editor's selection.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include <cstdio>
#include <filesystem>
#include <jpeglib.h>

#include "message_box_catcher.h"
#include "pixels/jpeg_codec.h"
#include "pixels/png_codec.h"
#include "pixels/rgb_image.h"
#include "tables/text_measurer.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/images_commands.h"
#include "ui/dialogs/picture_dialog.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/application_windows.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

using testing::MessageBoxCatcher;

RgbImage plainPicture(int width, int height)
{
    RgbImage picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0x80);
    return picture;
}

class ImagesPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        setProgramFolder(m_folder.path());
        m_windows = std::make_unique<ApplicationWindows>();
        m_window = &m_windows->mainWindow();
        m_upperBox = m_window->findChild<QPlainTextEdit*>("Memo1");
        m_lowerBox = m_window->findChild<QPlainTextEdit*>("Memo2");
        m_window->imagesCommands().setTextMeasurer(&m_measurer);
        m_window->setFb2FileName(path("book.fb2"));
    }
    void TearDown() override
    {
        m_windows.reset();
        setProgramFolder(QString());
    }
    QString path(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }
    std::filesystem::path fsPath(const char* name) const { return path(name).toStdString(); }
    void trigger(ActionId id) { m_window->action(id)->trigger(); }
    void choose(const QString& file)
    {
        m_window->imagesCommands().setPictureChooser([file](QWidget*) { return file; });
        trigger(ActionId::LoadPicture);
    }
    void fill()
    {
        m_upperBox->setPlainText("old reference");
        m_lowerBox->setPlainText("old binary");
    }
    int page() const { return m_window->pages()->currentIndex(); }

    QTemporaryDir m_folder;
    std::unique_ptr<ApplicationWindows> m_windows;
    MainWindow* m_window = nullptr;
    QPlainTextEdit* m_upperBox = nullptr;
    QPlainTextEdit* m_lowerBox = nullptr;
    FixedMetricMeasurer m_measurer{5, 13};
    MessageBoxCatcher m_messages;
};

TEST_F(ImagesPageTest, LoadPictureFillsBothBoxesAndReplacesEarlierTexts)
{
    writeJpeg(plainPicture(30, 20), fsPath("Photo.JPG"));
    fill();
    choose(path("Photo.JPG"));
    EXPECT_EQ(m_upperBox->toPlainText(), "<image xlink:href=\"#Photo.JPG\"/>");
    EXPECT_TRUE(m_lowerBox->toPlainText().startsWith("<binary content-type=\"image/jpeg\" id=\"Photo.JPG\">/9j/"));
    EXPECT_TRUE(m_lowerBox->toPlainText().endsWith("\n</binary>\n"));

    writePng(plainPicture(4, 4), fsPath("dot.png"));
    choose(path("dot.png"));
    EXPECT_EQ(m_upperBox->toPlainText(), "<image xlink:href=\"#dot.png\"/>");
    EXPECT_EQ(m_lowerBox->toPlainText().count("<binary"), 1);
    EXPECT_TRUE(m_messages.texts.isEmpty());
}

TEST_F(ImagesPageTest, ALargePictureIsShrunkAndTheUsersFolderKeepsOnlyTheOriginal)
{
    writeJpeg(plainPicture(1200, 300), fsPath("wide.jpeg"));
    choose(path("wide.jpeg"));
    EXPECT_EQ(m_upperBox->toPlainText(), "<image xlink:href=\"#wide~temp.jpeg\"/>");
    EXPECT_FALSE(QFile::exists(path("wide~temp.jpeg")));
}

TEST_F(ImagesPageTest, CancelledDialogChangesNothing)
{
    fill();
    choose(QString());
    EXPECT_EQ(m_upperBox->toPlainText(), "old reference");
    EXPECT_EQ(m_lowerBox->toPlainText(), "old binary");
}

TEST_F(ImagesPageTest, DamagedPictureIsReportedAndGifFillsNothing)
{
    QFile broken(path("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    fill();
    choose(path("broken.png"));
    ASSERT_EQ(m_messages.texts.size(), 1);
    EXPECT_TRUE(m_messages.texts[0].contains("broken.png")) << m_messages.texts[0].toStdString();
    EXPECT_TRUE(m_upperBox->toPlainText().isEmpty());
    EXPECT_TRUE(m_lowerBox->toPlainText().isEmpty());

    QFile gif(path("anim.gif"));
    ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
    gif.write("GIF89a");
    gif.close();
    fill();
    choose(path("anim.gif"));
    EXPECT_TRUE(m_upperBox->toPlainText().isEmpty());
    EXPECT_TRUE(m_lowerBox->toPlainText().isEmpty());
    EXPECT_EQ(m_messages.texts.size(), 1);
}

TEST_F(ImagesPageTest, CopyAndClearEachBox)
{
    fill();
    trigger(ActionId::CopyUpperBox);
    EXPECT_EQ(QApplication::clipboard()->text(), "old reference");
    trigger(ActionId::CopyLowerBox);
    EXPECT_EQ(QApplication::clipboard()->text(), "old binary");
    trigger(ActionId::ClearUpperBox);
    EXPECT_TRUE(m_upperBox->toPlainText().isEmpty());
    EXPECT_EQ(m_lowerBox->toPlainText(), "old binary");
    trigger(ActionId::ClearLowerBox);
    EXPECT_TRUE(m_lowerBox->toPlainText().isEmpty());
}

TEST_F(ImagesPageTest, PictureDialogPreviewsTheChosenPicture)
{
    writePng(plainPicture(400, 100), fsPath("preview.png"));
    PictureDialog dialog;
    EXPECT_EQ(dialog.objectName(), "OPD");
    EXPECT_TRUE(dialog.nameFilters().value(0).contains("*.jpeg"));
    dialog.showPreview(path("preview.png"));
    ASSERT_FALSE(dialog.preview()->pixmap().isNull());
    EXPECT_EQ(dialog.preview()->pixmap().size(), QSize(200, 50));
    dialog.showPreview(path("book.fb2"));
    EXPECT_TRUE(dialog.preview()->pixmap().isNull());
}

const char kTableSource[] = "<p>Before</p>\r\n<table border=1><tr><td>cell</td><td>two</td></tr></table>\r\n<p>After</p>";

TEST_F(ImagesPageTest, ConvertTableFillsThePageFromTheSelection)
{
    Editor& source = m_window->sourceEditor()->editor();
    source.setText(kTableSource);
    source.select(15, 68);
    ASSERT_TRUE(source.selectedText().starts_with("<table"));
    trigger(ActionId::ConvertTable);
    EXPECT_EQ(page(), MainWindow::ImagesPage);
    EXPECT_EQ(m_window->tablePictureCounter(), 1);
    EXPECT_EQ(m_upperBox->toPlainText(), "\n<image xlink:href=\"#table1.png\"/>\n");
    EXPECT_TRUE(m_lowerBox->toPlainText().startsWith("<binary content-type=\"image/png\" id=\"table1.png\">iVBOR"));
    EXPECT_TRUE(QFile::exists(path("table1.png")));

    m_window->setActivePage(MainWindow::SourcePage);
    trigger(ActionId::ConvertTable);
    EXPECT_TRUE(m_upperBox->toPlainText().contains("#table2.png"));
}

TEST_F(ImagesPageTest, ConvertTableWithoutATableEmptiesTheBoxesAndStays)
{
    Editor& source = m_window->sourceEditor()->editor();
    source.setText(kTableSource);
    fill();
    trigger(ActionId::ConvertTable);  // nothing selected
    EXPECT_EQ(m_window->tablePictureCounter(), 0);
    EXPECT_TRUE(m_upperBox->toPlainText().isEmpty());
    EXPECT_EQ(page(), MainWindow::SourcePage);

    source.select(0, 13);  // "<p>Before</p>"
    fill();
    trigger(ActionId::ConvertTable);
    EXPECT_EQ(m_window->tablePictureCounter(), 1);
    EXPECT_TRUE(m_upperBox->toPlainText().isEmpty());
    EXPECT_TRUE(m_lowerBox->toPlainText().isEmpty());
    EXPECT_EQ(page(), MainWindow::SourcePage);
    EXPECT_FALSE(QFile::exists(path("table1.png")));
}

TEST_F(ImagesPageTest, NumberingStartsAgainWithANewFb2DocumentAndLeavesTheUsersPicture)
{
    QFile own(path("table1.png"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("mine");
    own.close();
    Editor& source = m_window->sourceEditor()->editor();
    source.setText(kTableSource);
    source.select(15, 68);
    trigger(ActionId::ConvertTable);
    EXPECT_TRUE(m_upperBox->toPlainText().contains("#table1~2.png"));
    m_window->setActivePage(MainWindow::SourcePage);
    trigger(ActionId::ConvertTable);
    EXPECT_TRUE(m_upperBox->toPlainText().contains("#table2.png"));

    // A new FB2 document starts the numbering again; the pictures now go to the source's folder.
    m_window->fileCommands().clearFb2Document();
    m_window->fileCommands().setDocumentFolder(m_folder.path());
    m_window->setActivePage(MainWindow::SourcePage);
    trigger(ActionId::ConvertTable);
    EXPECT_TRUE(m_upperBox->toPlainText().contains("#table1~2.png"));
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), "mine");
}

}  // namespace
}  // namespace vellumar
