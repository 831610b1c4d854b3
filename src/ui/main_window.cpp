#include "ui/main_window.h"

#include <array>
#include <initializer_list>
#include <span>
#include <string_view>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "checking/book_check.h"
#include "editing/find_replace.h"
#include "editing/tag_commands.h"
#include "settings/charsets.h"
#include "ui/about_box.h"
#include "ui/action_icons.h"
#include "ui/action_table.h"
#include "ui/book_check_panel.h"
#include "ui/busy_cursor.h"
#include "ui/code_editor.h"
#include "ui/common_settings_page.h"
#include "ui/conversion_commands.h"
#include "ui/desktop_dialogs.h"
#include "ui/edit_actions.h"
#include "ui/file_commands.h"
#include "ui/help_window.h"
#include "ui/images_commands.h"
#include "ui/images_page.h"
#include "ui/menu_items.h"
#include "ui/page_tab_widget.h"
#include "ui/program_folder.h"
#include "ui/search_commands.h"
#include "ui/settings_page.h"
#include "ui/silver_colours.h"

namespace vellumar {

namespace {

constexpr int kMargin = 10;
constexpr int kMinimumWidth = 550;
constexpr int kMinimumHeight = 490;
constexpr int kToolBarIconSize = 16;
constexpr int kDefaultCharset = 1;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Tool bars: action names in order, "-" for a separator.
using ToolBarItems = std::span<const std::string_view>;

constexpr std::string_view kSourceToolBar[] = {"Act_NewHTMLDoc", "Act_OpenSource", "Act_SaveSourceHTML", "-",
                                         "Act_ConvertTable", "-", "Act_Convert", "-", "Act_Find", "Act_Replace"};
constexpr std::string_view kFb2ToolBar[] = {
    "Act_NewFB2Doc", "Act_openFB2", "Act_SaveResult", "-", "Act_Convert", "-", "Act_SaveAndView", "Act_CheckFB2", "-",
    "Act_Find", "Act_Replace", "-", "Act_p", "Act_Epigraph", "Act_Cite", "Act_Author", "Act_poem",
    "Act_stanza", "Act_v", "-", "Act_strong", "Act_emphasis", "-", "Act_EmptyLine"};
constexpr std::string_view kImagesUpperToolBar[] = {"Act_LoadImage", "-", "Act_CopyToClip1", "Act_ClearMemo1"};
constexpr std::string_view kImagesLowerToolBar[] = {"Act_CopyToClip2", "Act_ClearMemo2"};
constexpr std::string_view kSettingsToolBar[] = {"Act_openOptions", "Act_SaveOption", "-", "Act_Convert"};

// clang-format off
constexpr std::array<MenuItemDefinition, 14> kFileMenu = {{
    {"New1", "Act_NewHTMLDoc"}, {"mm_OpenSource1", "Act_OpenSource"},
    {"SavesourceHTML1", "Act_SaveSourceHTML"}, {"SavesourceHTMLAs1", "Act_SaveSourceHTMLAs"},
    {"N2", "", "-"}, {"mm_Rerefinefile1", "Act_Convert"}, {"N3", "", "-"},
    {"New2", "Act_NewFB2Doc"}, {"OpenFB2file1", "Act_openFB2"}, {"SaveFB21", "Act_SaveResult"},
    {"mm_Saveresultfile1", "Act_SaveResultAs"}, {"CheckFB21", "Act_CheckFB2"}, {"mm_N1", "", "-"},
    {"mm_Exit1", "Act_Exit"},
}};
constexpr std::array<MenuItemDefinition, 11> kEditMenu = {{
    {"Undo1", "EditUndo1"}, {"N1", "", "-"}, {"Cut1", "EditCut1"}, {"Copy1", "EditCopy1"},
    {"Paste1", "EditPaste1"}, {"Delete1", "EditDelete1"}, {"SelectAll1", "EditSelectAll1"},
    {"N5", "", "-"}, {"ActFind1", "Act_Find"}, {"Findagain1", "Act_FindNext"}, {"Replace1", "Act_Replace"},
}};
constexpr std::array<MenuItemDefinition, 2> kHelpMenu = {{
    {"mm_Help2", "Act_ShowHelpBox"}, {"mm_About1", "", "About..."},
}};
// The menu item names the file that the command writes.
constexpr std::array<MenuItemDefinition, 1> kUnvisibleMenu = {{
    {"Recreate1", "", "Recreate Vellumar_eng.lng"},
}};
constexpr std::array<MenuItemDefinition, 5> kSourcePopup = {{
    {"Cut2", "EditCut1"}, {"Copy2", "EditCopy1"}, {"Paste2", "EditPaste1"},
    {"Delete2", "EditDelete1"}, {"SelectAll2", "EditSelectAll1"},
}};
constexpr std::array<MenuItemDefinition, 15> kFb2Popup = {{
    {"Cut3", "EditCut1"}, {"Copy3", "EditCopy1"}, {"Paste3", "EditPaste1"},
    {"Delete3", "EditDelete1"}, {"SelectAll3", "EditSelectAll1"}, {"N4", "", "-"},
    {"epigraphepigraph1", "Act_Epigraph"}, {"citecite1", "Act_Cite"},
    {"textauthortextauthor1", "Act_Author"}, {"poempoem1", "Act_poem"},
    {"stanzastanza1", "Act_stanza"}, {"vv1", "Act_v"}, {"strongstrong1", "Act_strong"},
    {"emphasisemphasis1", "Act_emphasis"}, {"emptyline1", "Act_EmptyLine"},
}};
// clang-format on

QToolBar* createToolBar(const char* name, QWidget* parent, const QWidget& owner, ToolBarItems items,
                        Qt::ToolButtonStyle style)
{
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(kToolBarIconSize, kToolBarIconSize));
    bar->setToolButtonStyle(style);
    for (std::string_view item : items) {
        if (item == "-") {
            bar->addSeparator();
        } else if (QAction* action = owner.findChild<QAction*>(fromView(item))) {
            bar->addAction(action);
        }
    }
    return bar;
}

QWidget* createPage(const char* name, QTabWidget* pages, const char* caption)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, QString::fromLatin1(caption));
    return page;
}

// A page holding its tool bar above one widget that fills the rest.
void layOutToolBarPage(QWidget& page, QToolBar* bar, QWidget* body)
{
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    bar->setParent(&page);
    body->setParent(&page);
    layout->addWidget(bar);
    layout->addWidget(body, 1);
}

}  // namespace

MainWindow::MainWindow(const DialogWindows& windows, CommandDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_windows(windows), m_dialogs(dialogs)
{
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<DesktopDialogs>(this, m_windows.bookInfoDialog);
        m_dialogs = m_ownDialogs.get();
    }
    setObjectName(QStringLiteral("Form1"));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kMinimumWidth + 150, kMinimumHeight + 110);

    createActions(*this);
    assignActionIcons(*this);
    createPages();
    createMenus();
    m_editActions = new EditActions(*this);
    // The standard edit commands act on the two editors and the two text boxes of "Images".
    for (QWidget* target : std::initializer_list<QWidget*>{m_synMemo1, m_synMemo2, m_memo1, m_memo2})
        m_editActions->addTarget(*target);
    m_searchCommands = new SearchCommands(*this);
    if (m_windows.findDialog && m_windows.replaceDialog)
        m_searchCommands->attach(*m_windows.findDialog, *m_windows.replaceDialog);
    m_imagesCommands = new ImagesPageCommands(*this, *m_memo1, *m_memo2);
    m_fileCommands = new FileCommands(*this, *m_dialogs);
    m_conversionCommands = new ConversionCommands(*this, *m_fileCommands, *m_dialogs);
    connectCommands();
    FormCreate();
}

MainWindow::~MainWindow() = default;

QString MainWindow::applicationTitle()
{
    return QStringLiteral("Vellumar");
}

QAction* MainWindow::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void MainWindow::createPages()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    m_pageControl = new PageTabWidget(central);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_pageControl);
    setCentralWidget(central);

    QWidget* source = createPage("TabSheet1", m_pageControl, "Source");
    m_synMemo1 = new CodeEditor(SyntaxColouring::Html);
    m_synMemo1->setObjectName(QStringLiteral("SynMemo1"));
    layOutToolBarPage(*source, createToolBar("ToolBar1", source, *this, kSourceToolBar, Qt::ToolButtonIconOnly),
                      m_synMemo1);

    QWidget* fb2 = createPage("TabSheet2", m_pageControl, "FB2");
    m_synMemo2 = new CodeEditor(SyntaxColouring::Xml);
    m_synMemo2->setObjectName(QStringLiteral("SynMemo2"));
    // Check FB2 lists its findings under the editor; the user can move the boundary.
    auto* fb2Body = new QSplitter(Qt::Vertical);
    fb2Body->setObjectName(QStringLiteral("Fb2Splitter"));
    fb2Body->setChildrenCollapsible(false);
    fb2Body->addWidget(m_synMemo2);
    m_checkPanel = new BookCheckPanel(*m_synMemo2, [] { return FindFb2Schema(programFolder().toStdU16String()); });
    fb2Body->addWidget(m_checkPanel);
    fb2Body->setStretchFactor(0, 3);
    fb2Body->setStretchFactor(1, 1);
    layOutToolBarPage(*fb2, createToolBar("ToolBar2", fb2, *this, kFb2ToolBar, Qt::ToolButtonIconOnly), fb2Body);

    QWidget* images = createPage("TabSheet4", m_pageControl, "Images");
    const ImagesPageBoxes boxes = layOutImagesPage(
        *images, createToolBar("ToolBar3", images, *this, kImagesUpperToolBar, Qt::ToolButtonTextBesideIcon),
        createToolBar("ToolBar4", images, *this, kImagesLowerToolBar, Qt::ToolButtonTextBesideIcon));
    m_memo1 = boxes.memo1;
    m_memo2 = boxes.memo2;

    QWidget* settings = createPage("TabSheet3", m_pageControl, "Settings");
    m_settings = std::make_unique<SettingsControls>(createSettingsControls(settings));
    layOutToolBarPage(*settings,
                      createToolBar("ToolBar5", settings, *this, kSettingsToolBar, Qt::ToolButtonTextBesideIcon),
                      m_settings->widget);

    QWidget* common = createPage("TabSheet5", m_pageControl, "Common Settings");
    auto* commonLayout = new QVBoxLayout(common);
    commonLayout->setContentsMargins(0, 0, 0, 0);
    m_commonSettings = std::make_unique<CommonSettingsControls>(createCommonSettingsControls(common));
    commonLayout->addWidget(m_commonSettings->widget);
}

void MainWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = createMenu(bar, "mm_File1", "&File");
    addMenuItems(*file, *this, kFileMenu);
    QMenu* edit = createMenu(bar, "Edit1", "&Edit");
    addMenuItems(*edit, *this, kEditMenu);
    QMenu* help = createMenu(bar, "mm_Help1", "&Help");
    addMenuItems(*help, *this, kHelpMenu);
    QMenu* unvisible = createMenu(bar, "Unvisible1", "Unvisible");
    addMenuItems(*unvisible, *this, kUnvisibleMenu);
    for (QMenu* menu : {file, edit, help, unvisible}) bar->addMenu(menu);
    unvisible->menuAction()->setVisible(false);

    QMenu* sourcePopup = createMenu(this, "PopupMenu1", "");
    addMenuItems(*sourcePopup, *this, kSourcePopup);
    m_synMemo1->setPopupMenu(sourcePopup);
    QMenu* fb2Popup = createMenu(this, "PopupMenu2", "");
    addMenuItems(*fb2Popup, *this, kFb2Popup);
    m_synMemo2->setPopupMenu(fb2Popup);
}

void MainWindow::connectCommands()
{
    for (const CommandBinding& binding : commandBindings()) {
        QAction* command = action(fromView(binding.action));
        Q_ASSERT_X(command, "MainWindow::connectCommands", "a command is bound to an action that does not exist");
        if (command) connect(command, &QAction::triggered, this, binding.command);
    }
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_settingPage) PageControl1Change(index);
        focusPageEditor(index);
    });
    if (auto* about = findChild<MenuItem*>(QStringLiteral("mm_About1")))
        connect(about, &QAction::triggered, this, &MainWindow::mm_About1Click);
    if (auto* recreate = findChild<MenuItem*>(QStringLiteral("Recreate1")))
        connect(recreate, &QAction::triggered, this, &MainWindow::Recreate1Click);
    for (QRadioButton* button : {m_commonSettings->english, m_commonSettings->russian, m_commonSettings->other}) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) RadioButton1Click();
        });
    }
    connect(m_commonSettings->browse, &QToolButton::clicked, this, &MainWindow::SpeedButton1Click);
    connect(m_commonSettings->charsets, &QComboBox::currentIndexChanged, this, &MainWindow::ComboBox2Change);
}

void MainWindow::FormCreate()
{
    m_sourceFileName.clear();
    m_fb2FileName.clear();
    setWindowTitle(applicationTitle());
    LoadSettings();

    // Without the Russian language file "Russian" cannot be chosen; a window that had it falls
    // back to English, while a file of the user's own ("Other:") stays chosen.
    if (!russianLanguageFileExists()) {
        if (m_commonSettings->russian->isChecked()) m_commonSettings->english->setChecked(true);
        m_commonSettings->russian->setEnabled(false);
    }

    // Typing goes into the source editor from the start.
    setActivePage(SourcePage);
    m_pictureBitmap = RgbImage();
    m_busyCursor = registerBusyCursor();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void MainWindow::FormShow()
{
    if (IsNt6System()) SetSilverColours();
    ApplyLanguage(LanguageFilePath());
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // The drawn tool-bar pictures are drawn for the palette: a dark desktop gets light lines.
    if (event->type() == QEvent::PaletteChange) assignActionIcons(*this);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_fileCommands->mayClose()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit closed();
}

void MainWindow::FormClose()
{
    SaveSettings();
}

void MainWindow::setActivePage(int index)
{
    m_settingPage = true;
    m_pageControl->setCurrentIndex(index);
    m_settingPage = false;
    focusPageEditor(index);
}

void MainWindow::focusPageEditor(int index)
{
    if (index == SourcePage)
        m_synMemo1->setFocus(Qt::OtherFocusReason);
    else if (index == Fb2Page)
        m_synMemo2->setFocus(Qt::OtherFocusReason);
}

void MainWindow::PageControl1Change(int index)
{
    if (index == SourcePage)
        setWindowTitle(applicationTitle() + QStringLiteral(" : ") + m_sourceFileName);
    else if (index == Fb2Page)
        setWindowTitle(applicationTitle() + QStringLiteral(" : ") + m_fb2FileName);
}

Editor* MainWindow::ActiveEditor() const
{
    return SearchEditorForPage(m_pageControl->currentIndex(), m_synMemo1->editor(), m_synMemo2->editor());
}

ConversionOptions MainWindow::conversionOptions() const
{
    return readConversionOptions(*m_settings);
}

void MainWindow::ApplyCharset()
{
    const QComboBox* list = m_commonSettings->charsets;
    m_charset = list->currentIndex() < 0 ? kDefaultCharset : CharsetByName(list->currentText().toStdString());
    m_synMemo1->setCharset(m_charset);
    m_synMemo2->setCharset(m_charset);
    emit charsetChanged(m_charset);
}

void MainWindow::ComboBox2Change()
{
    ApplyCharset();
}

void MainWindow::Act_CheckExecute()
{
    if (auto* menu = findChild<QMenu*>(QStringLiteral("Unvisible1")))
        menu->menuAction()->setVisible(!menu->menuAction()->isVisible());
}

void MainWindow::Act_ExitExecute()
{
    close();
}

// The FB2 tag commands work on the FB2 editor whichever page is active.
void MainWindow::Act_pExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::Paragraph); }
void MainWindow::Act_EpigraphExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::Epigraph); }
void MainWindow::Act_CiteExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::Cite); }
void MainWindow::Act_AuthorExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::TextAuthor); }
void MainWindow::Act_poemExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::Poem); }
void MainWindow::Act_stanzaExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::Stanza); }
void MainWindow::Act_vExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::Verse); }
void MainWindow::Act_strongExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::Strong); }
void MainWindow::Act_emphasisExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::Emphasis); }
void MainWindow::Act_EmptyLineExecute() { WrapSelection(m_synMemo2->editor(), TagCommand::EmptyLine); }

void MainWindow::Act_ConvertTableExecute() { m_imagesCommands->convertTable(); }
void MainWindow::Act_FindExecute() { m_searchCommands->find(); }
void MainWindow::Act_FindNextExecute() { m_searchCommands->findNext(); }
void MainWindow::Act_ReplaceExecute() { m_searchCommands->replace(); }
void MainWindow::Act_LoadImageExecute() { m_imagesCommands->loadPictureAsked(); }
void MainWindow::Act_CopyToClip1Execute() { m_imagesCommands->copyToClipboard1(); }
void MainWindow::Act_ClearMemo1Execute() { m_imagesCommands->clearMemo1(); }
void MainWindow::Act_CopyToClip2Execute() { m_imagesCommands->copyToClipboard2(); }
void MainWindow::Act_ClearMemo2Execute() { m_imagesCommands->clearMemo2(); }
int MainWindow::TablePictureCounter() const { return m_imagesCommands->tablePictureCounter(); }
void MainWindow::resetTablePictureCounter() { m_imagesCommands->resetTablePictureCounter(); }

void MainWindow::Act_OpenSourceExecute() { m_conversionCommands->OpenSourceDocument(); }
void MainWindow::Act_ConvertExecute() { m_conversionCommands->Convert(); }
void MainWindow::Act_NewHTMLDocExecute() { m_fileCommands->newSourceDocumentAsked(); }
void MainWindow::Act_SaveSourceHTMLExecute() { m_fileCommands->SaveSourceHtml(); }
void MainWindow::Act_SaveSourceHTMLAsExecute() { m_fileCommands->SaveSourceHtmlAs(); }
void MainWindow::Act_NewFB2DocExecute() { m_fileCommands->newFb2DocumentAsked(); }
void MainWindow::Act_openFB2Execute() { m_fileCommands->OpenFb2File(); }
void MainWindow::Act_SaveResultExecute() { m_fileCommands->SaveFb2(); }
void MainWindow::Act_SaveResultAsExecute() { m_fileCommands->SaveFb2As(); }
void MainWindow::Act_SaveAndViewExecute() { m_fileCommands->ViewFb2(); }

// Checks the FB2 editor's text and lists the problems under it, on the FB2 page.
void MainWindow::Act_CheckFB2Execute()
{
    setActivePage(Fb2Page);
    m_checkPanel->check();
}

void MainWindow::Act_ShowHelpBoxExecute()
{
    if (m_windows.helpWindow) m_windows.helpWindow->exec();
}

void MainWindow::mm_About1Click()
{
    if (m_windows.aboutBox) m_windows.aboutBox->exec();
}

}  // namespace vellumar
