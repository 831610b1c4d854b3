#include "ui/window/main_window.h"

#include <initializer_list>

#include <QCloseEvent>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "checking/book_check.h"
#include "editing/find_replace.h"
#include "settings/charsets.h"
#include "ui/actions/edit_actions.h"
#include "ui/commands/busy_cursor.h"
#include "ui/commands/conversion_commands.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/images_commands.h"
#include "ui/commands/search_commands.h"
#include "ui/dialogs/desktop_dialogs.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/common_settings_page.h"
#include "ui/settings/program_folder.h"
#include "ui/settings/settings_page.h"
#include "ui/widgets/book_check_panel.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/images_page.h"
#include "ui/window/silver_colours.h"

namespace vellumar {

namespace {

constexpr int kMargin = 10;
constexpr int kMinimumWidth = 550;
constexpr int kMinimumHeight = 490;
constexpr int kDefaultCharset = 1;

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

    createActions();
    assignActionIcons();
    createPages();
    createMenus();
    m_editActions = new EditActions(*this, {action(ActionId::Undo), action(ActionId::Cut), action(ActionId::Copy),
                                            action(ActionId::Paste), action(ActionId::Delete),
                                            action(ActionId::SelectAll)});
    // The standard edit commands act on the two editors and the two text boxes of "Images".
    for (QWidget* target : std::initializer_list<QWidget*>{m_sourceEditor, m_fb2Editor, m_upperBox, m_lowerBox})
        m_editActions->addTarget(*target);
    m_searchCommands = new SearchCommands(*this);
    if (m_windows.findDialog && m_windows.replaceDialog)
        m_searchCommands->attach(*m_windows.findDialog, *m_windows.replaceDialog);
    m_imagesCommands = new ImagesPageCommands(*this, *m_upperBox, *m_lowerBox);
    m_fileCommands = new FileCommands(*this, *m_dialogs);
    m_checkPanel->setBookBytes([this] { return m_fileCommands->fb2FileBytes(); });
    m_conversionCommands = new ConversionCommands(*this, *m_fileCommands, *m_dialogs);
    connectCommands();
    // The classic minimum size, or more when a large desktop font needs it: a window smaller
    // than its pages' layouts would lay their controls over each other.
    setMinimumSize(QSize(kMinimumWidth, kMinimumHeight).expandedTo(minimumSizeHint()));
    startSession();
}

MainWindow::~MainWindow() = default;

QString MainWindow::applicationTitle()
{
    return QStringLiteral("Vellumar");
}

void MainWindow::createPages()
{
    const WindowActions& actions = windowActions();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    m_pages = new PageTabWidget(central);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_pages);
    setCentralWidget(central);

    QWidget* source = createPage("TabSheet1", m_pages, "Source");
    m_sourceEditor = new CodeEditor(SyntaxColouring::Html);
    m_sourceEditor->setObjectName(QStringLiteral("SynMemo1"));
    layOutToolBarPage(*source, createToolBar(actions.sourceToolBar, source), m_sourceEditor);

    QWidget* fb2 = createPage("TabSheet2", m_pages, "FB2");
    m_fb2Editor = new CodeEditor(SyntaxColouring::Xml);
    m_fb2Editor->setObjectName(QStringLiteral("SynMemo2"));
    // Check FB2 lists its findings under the editor; the user can move the boundary.
    auto* fb2Body = new QSplitter(Qt::Vertical);
    fb2Body->setObjectName(QStringLiteral("Fb2Splitter"));
    fb2Body->setChildrenCollapsible(false);
    fb2Body->addWidget(m_fb2Editor);
    m_checkPanel = new BookCheckPanel(*m_fb2Editor, [] { return findFb2Schema(programFolder().toStdU16String()); });
    fb2Body->addWidget(m_checkPanel);
    fb2Body->setStretchFactor(0, 3);
    fb2Body->setStretchFactor(1, 1);
    layOutToolBarPage(*fb2, createToolBar(actions.fb2ToolBar, fb2), fb2Body);

    QWidget* images = createPage("TabSheet4", m_pages, "Images");
    const ImagesPageBoxes boxes = layOutImagesPage(
        *images, createToolBar(actions.imagesUpperToolBar, images), createToolBar(actions.imagesLowerToolBar, images));
    m_upperBox = boxes.upper;
    m_lowerBox = boxes.lower;

    QWidget* settings = createPage("TabSheet3", m_pages, "Settings");
    m_settings = std::make_unique<SettingsControls>(createSettingsControls(settings));
    layOutToolBarPage(*settings, createToolBar(actions.settingsToolBar, settings), m_settings->widget);

    QWidget* common = createPage("TabSheet5", m_pages, "Common Settings");
    auto* commonLayout = new QVBoxLayout(common);
    commonLayout->setContentsMargins(0, 0, 0, 0);
    m_commonSettings = std::make_unique<CommonSettingsControls>(createCommonSettingsControls(common));
    commonLayout->addWidget(m_commonSettings->widget);
}

void MainWindow::connectCommands()
{
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_settingPage) onPageChanged(index);
        focusPageEditor(index);
    });
    for (QRadioButton* button : {m_commonSettings->english, m_commonSettings->russian, m_commonSettings->other}) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) onLanguageChosen();
        });
    }
    connect(m_commonSettings->browse, &QToolButton::clicked, this, &MainWindow::chooseOtherLanguageFile);
    connect(m_commonSettings->charsets, &QComboBox::currentIndexChanged, this, &MainWindow::applyCharset);
}

void MainWindow::startSession()
{
    m_sourceFileName.clear();
    m_fb2FileName.clear();
    setWindowTitle(applicationTitle());
    restoreSettings();

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
        applyDesktopLookAndLanguage();
    }
}

void MainWindow::applyDesktopLookAndLanguage()
{
    if (isNt6System()) setSilverColours();
    applyLanguage(languageFilePath());
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // The drawn tool-bar pictures are drawn for the palette: a dark desktop gets light lines.
    if (event->type() == QEvent::PaletteChange) assignActionIcons();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_fileCommands->mayClose()) {
        event->ignore();
        return;
    }
    storeSettings();
    event->accept();
    emit closed();
}

void MainWindow::setActivePage(int index)
{
    m_settingPage = true;
    m_pages->setCurrentIndex(index);
    m_settingPage = false;
    focusPageEditor(index);
}

void MainWindow::focusPageEditor(int index)
{
    if (index == SourcePage)
        m_sourceEditor->setFocus(Qt::OtherFocusReason);
    else if (index == Fb2Page)
        m_fb2Editor->setFocus(Qt::OtherFocusReason);
}

void MainWindow::onPageChanged(int index)
{
    if (index == SourcePage)
        setWindowTitle(applicationTitle() + QStringLiteral(" : ") + m_sourceFileName);
    else if (index == Fb2Page)
        setWindowTitle(applicationTitle() + QStringLiteral(" : ") + m_fb2FileName);
}

Editor* MainWindow::activeEditor() const
{
    return searchEditorForPage(m_pages->currentIndex(), m_sourceEditor->editor(), m_fb2Editor->editor());
}

ConversionOptions MainWindow::conversionOptions() const
{
    return readConversionOptions(*m_settings);
}

void MainWindow::applyCharset()
{
    const QComboBox* list = m_commonSettings->charsets;
    m_charset = list->currentIndex() < 0 ? kDefaultCharset : charsetByName(list->currentText().toStdString());
    m_sourceEditor->setCharset(m_charset);
    m_fb2Editor->setCharset(m_charset);
    emit charsetChanged(m_charset);
}

int MainWindow::tablePictureCounter() const { return m_imagesCommands->tablePictureCounter(); }
void MainWindow::resetTablePictureCounter() { m_imagesCommands->resetTablePictureCounter(); }

}  // namespace vellumar
