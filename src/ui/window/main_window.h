#pragma once
// The main window: five pages ("Source", "FB2", "Images", "Settings", "Common Settings"), the
// main menu, one tool bar per page and the editors' pop-up menus, all built from the action table.
// It owns the document state that the commands share.
//
// Every component carries its name as objectName (`SynMemo1`, `Act_Convert`, `CheckBox18`, ...);
// the settings and language files use these names as keys, so they never change.
//
// The window layer's classes and the object names they carry:
//   MainWindow "Form1"            AboutBox "AboutBox"           HelpWindow "Form4"
//   BookInfoDialog "FBookInfo"    FindDialog "FFind"            ReplaceDialog "FReplace"
//   DiagnosticWindow "FTest"      CodeEditor "SynMemo1", "SynMemo2"
//   PageTabWidget "PageControl1"  LinkLabel "ASLink1"           MenuItem "New1", "mm_Exit1", ...
//   ColorButton the dialogs' buttons ("ButOk", "ButCancel", "OKButton", ...)

#include <array>
#include <memory>

#include <QCursor>
#include <QMainWindow>

#include "base/conversion_options.h"
#include "pixels/rgb_image.h"
#include "settings/language_files.h"
#include "ui/window/action_table.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QToolBar;

namespace vellumar {

class AboutBox;
class BookCheckPanel;
class BookInfoDialog;
class CodeEditor;
class CommandDialogs;
class ConversionCommands;
class DiagnosticWindow;
class EditActions;
class Editor;
class FileCommands;
class FindDialog;
class HelpWindow;
class ImagesPageCommands;
class PageTabWidget;
class ReplaceDialog;
class SearchCommands;
enum class TagCommand;
struct CommonSettingsControls;
struct SettingsControls;

// The program's other windows, as the main window's commands show them. A window left null (as
// in tests of the main window alone) makes its command do nothing.
struct DialogWindows {
    AboutBox* aboutBox = nullptr;
    HelpWindow* helpWindow = nullptr;
    BookInfoDialog* bookInfoDialog = nullptr;
    FindDialog* findDialog = nullptr;
    ReplaceDialog* replaceDialog = nullptr;
    DiagnosticWindow* diagnosticWindow = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Page indexes in tab order.
    enum Page { SourcePage = 0, Fb2Page = 1, ImagesPage = 2, SettingsPage = 3, CommonSettingsPage = 4 };

    // `dialogs` answers the file commands' questions (tests hand in scripted answers); without
    // it the window asks with its own dialogs.
    explicit MainWindow(const DialogWindows& windows = {}, CommandDialogs* dialogs = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    CodeEditor* sourceEditor() const { return m_sourceEditor; }
    CodeEditor* fb2Editor() const { return m_fb2Editor; }
    PageTabWidget* pages() const { return m_pages; }
    EditActions* editActions() const { return m_editActions; }
    // The list of what Check FB2 found, under the FB2 editor.
    BookCheckPanel* checkPanel() const { return m_checkPanel; }
    // New, open, save and view of the source and FB2 documents.
    FileCommands& fileCommands() const { return *m_fileCommands; }
    // Open... and Convert.
    ConversionCommands& conversionCommands() const { return *m_conversionCommands; }
    // The program's other windows, as handed in.
    const DialogWindows& dialogWindows() const { return m_windows; }
    // Find and replace, and the commands of the "Images" page.
    SearchCommands& searchCommands() const { return *m_searchCommands; }
    ImagesPageCommands& imagesCommands() const { return *m_imagesCommands; }
    QAction* action(ActionId id) const { return m_actions[static_cast<std::size_t>(id)]; }

    // The editor a search works on: the source editor on the "Source" page, the FB2 editor on
    // the "FB2" page, none on the other pages.
    Editor* activeEditor() const;

    // Makes `index` the active page as a command does; the caption stays as it is. Like every
    // change of page, it gives the keyboard focus to the page's editor (on "Source" and "FB2").
    void setActivePage(int index);

    // The shared document state.
    const QString& sourceFileName() const { return m_sourceFileName; }
    void setSourceFileName(const QString& name) { m_sourceFileName = name; }
    const QString& fb2FileName() const { return m_fb2FileName; }
    void setFb2FileName(const QString& name) { m_fb2FileName = name; }
    // Numbering of the Convert table pictures; reset when a new FB2 document begins.
    int tablePictureCounter() const;
    void resetTablePictureCounter();
    RgbImage& pictureBitmap() { return m_pictureBitmap; }
    const QCursor& busyCursor() const { return m_busyCursor; }

    // The "Settings" page as a conversion reads it, at this moment.
    ConversionOptions conversionOptions() const;

    // The font character set chosen in ComboBox2 ("Charset" on "Common Settings"); the editors
    // and the dialogs' text boxes show the program's 8-bit text in its code page. No selected
    // entry counts as the default set (1).
    int charset() const { return m_charset; }

    // Takes the set chosen in ComboBox2, shows both editors' text in it and tells the dialogs
    // (charsetChanged).
    void applyCharset();

    // The language file the "Common Settings" page chooses: the English or Russian file where it
    // is found, the "Other:" file's path (Label1), or empty when none is chosen.
    QString languageFilePath() const;
    // Sets the windows' texts from the language file at `path`; an empty path or a missing file
    // changes no text and forgets the "Other:" file's path.
    void applyLanguage(const QString& path);

    // The application title: "Vellumar".
    static QString applicationTitle();

signals:
    // The window was closed; the program ends.
    void closed();
    // The chosen character set is now `charset`; the dialogs show their text boxes in it.
    void charsetChanged(int charset);

public slots:
    // Commands of the action table that belong to the window itself.
    // Wraps the FB2 editor's selection in `tag`, whichever page is active.
    void wrapFb2Selection(TagCommand tag);
    // Checks the FB2 editor's text and lists the problems under it, on the FB2 page.
    void checkFb2();
    void showHelp();
    void showAbout();
    // Ctrl+U shows and hides the hidden menu.
    void toggleHiddenMenu();
    // The check boxes, saved to and loaded from a file of the user's choice.
    void saveSettingsFile();
    void loadSettingsFile();
    // Writes the English language file from the windows' texts.
    void recreateLanguageFile();

    // The user chose a page: the caption names the page's document.
    void onPageChanged(int index);
    // The language choice of "Common Settings" changed: its file's texts are applied.
    void onLanguageChosen();
    // "..." beside "Other:": asks for a language file and applies it.
    void chooseOtherLanguageFile();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createActions();
    QToolBar* createToolBar(const ToolBarLayout& layout, QWidget* page);
    QMenu* createMenu(const MenuLayout& layout, QWidget* parent);
    void assignActionIcons();
    void createPages();
    void createMenus();
    void connectCommands();
    void startSession();
    void applyDesktopLookAndLanguage();
    void restoreSettings();
    void storeSettings();
    bool russianLanguageFileExists() const;
    LanguageChoice languageChoice() const;
    void focusPageEditor(int index);

    DialogWindows m_windows;
    std::array<QAction*, kActionCount> m_actions{};
    QMenu* m_hiddenMenu = nullptr;
    std::unique_ptr<CommandDialogs> m_ownDialogs;
    CommandDialogs* m_dialogs = nullptr;
    FileCommands* m_fileCommands = nullptr;
    ConversionCommands* m_conversionCommands = nullptr;
    PageTabWidget* m_pages = nullptr;
    CodeEditor* m_sourceEditor = nullptr;
    CodeEditor* m_fb2Editor = nullptr;
    BookCheckPanel* m_checkPanel = nullptr;
    QPlainTextEdit* m_upperBox = nullptr;
    QPlainTextEdit* m_lowerBox = nullptr;
    std::unique_ptr<SettingsControls> m_settings;
    std::unique_ptr<CommonSettingsControls> m_commonSettings;
    EditActions* m_editActions = nullptr;
    int m_charset = 1;
    bool m_settingPage = false;
    bool m_shown = false;

    QString m_sourceFileName;
    QString m_fb2FileName;
    SearchCommands* m_searchCommands = nullptr;
    ImagesPageCommands* m_imagesCommands = nullptr;
    RgbImage m_pictureBitmap;
    QCursor m_busyCursor;
};

}  // namespace vellumar
