#include "ui/window/action_table.h"

#include "editing/tag_commands.h"
#include "ui/actions/edit_actions.h"
#include "ui/commands/conversion_commands.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/images_commands.h"
#include "ui/commands/search_commands.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

using A = ActionId;
using W = MainWindow;
using S = QStyle;

// The FB2 tag commands work on the FB2 editor whichever page is active.
template <TagCommand tag>
void wrap(W& window)
{
    window.wrapFb2Selection(tag);
}

template <EditCommand command>
void edit(W& window)
{
    window.editActions()->run(command);
}

// clang-format off
constexpr ActionRow kRows[] = {
    {A::NewSourceDocument, "Act_NewHTMLDoc", "New", "Ctrl+N", standardIcon(S::SP_FileIcon),
     [](W& w) { w.fileCommands().newSourceDocument(); }},
    {A::OpenSource, "Act_OpenSource", "Open...", "Ctrl+O", standardIcon(S::SP_DialogOpenButton),
     [](W& w) { w.conversionCommands().openSourceDocument(); }},
    {A::SaveSource, "Act_SaveSourceHTML", "Save source HTML", "", standardIcon(S::SP_DialogSaveButton),
     [](W& w) { w.fileCommands().saveSourceHtml(); }},
    {A::SaveSourceAs, "Act_SaveSourceHTMLAs", "Save source HTML As...", "", standardIcon(S::SP_DialogSaveButton),
     [](W& w) { w.fileCommands().saveSourceHtmlAs(); }},
    {A::Convert, "Act_Convert", "Convert", "F9", standardIcon(S::SP_MediaPlay),
     [](W& w) { w.conversionCommands().convert(); }},
    {A::ConvertTable, "Act_ConvertTable", "Convert table", "F6", standardIcon(S::SP_FileDialogDetailedView),
     [](W& w) { w.imagesCommands().convertTable(); }},
    {A::NewFb2Document, "Act_NewFB2Doc", "New", "", standardIcon(S::SP_FileIcon),
     [](W& w) { w.fileCommands().newFb2Document(); }},
    {A::OpenFb2, "Act_openFB2", "Open FB2 file...", "", standardIcon(S::SP_DialogOpenButton),
     [](W& w) { w.fileCommands().openFb2File(); }},
    {A::SaveFb2, "Act_SaveResult", "Save FB2", "Ctrl+S", standardIcon(S::SP_DialogSaveButton),
     [](W& w) { w.fileCommands().saveFb2(); }},
    {A::SaveFb2As, "Act_SaveResultAs", "Save FB2 as...", "", standardIcon(S::SP_DialogSaveButton),
     [](W& w) { w.fileCommands().saveFb2As(); }},
    {A::ViewFb2, "Act_SaveAndView", "View FB2", "", standardIcon(S::SP_FileDialogContentsView),
     [](W& w) { w.fileCommands().viewFb2(); }},
    {A::CheckFb2, "Act_CheckFB2", "Check FB2", "F8", drawnIcon(DrawnPicture::Check), &W::checkFb2},
    {A::Exit, "Act_Exit", "Exit", "", standardIcon(S::SP_DialogCloseButton), [](W& w) { w.close(); }, "", false},
    {A::Undo, "EditUndo1", "&Undo", "Ctrl+Z", {}, &edit<EditCommand::Undo>, "Undo|Reverts the last action", false},
    {A::Cut, "EditCut1", "C&ut", "Ctrl+X", {}, &edit<EditCommand::Cut>, "Cut", false},
    {A::Copy, "EditCopy1", "&Copy", "Ctrl+C", {}, &edit<EditCommand::Copy>,
     "Copy|Copies the selection and puts it on the Clipboard", false},
    {A::Paste, "EditPaste1", "&Paste", "Ctrl+V", {}, &edit<EditCommand::Paste>, "Paste|Inserts Clipboard contents",
     false},
    {A::Delete, "EditDelete1", "&Delete", "", {}, &edit<EditCommand::Delete>, "Delete|Erases the selection", false},
    {A::SelectAll, "EditSelectAll1", "Select &All", "Ctrl+A", {}, &edit<EditCommand::SelectAll>,
     "Select All|Selects the entire document", false},
    {A::Find, "Act_Find", "Find...", "Ctrl+F", drawnIcon(DrawnPicture::Find), [](W& w) { w.searchCommands().find(); }},
    {A::FindNext, "Act_FindNext", "Search Again", "F3", drawnIcon(DrawnPicture::FindNext),
     [](W& w) { w.searchCommands().findNext(); }},
    {A::Replace, "Act_Replace", "Replace...", "Ctrl+R", drawnIcon(DrawnPicture::Replace),
     [](W& w) { w.searchCommands().replace(); }},
    {A::WrapParagraph, "Act_p", "<p>...</p>", "", badgeIcon("p"), &wrap<TagCommand::Paragraph>},
    {A::WrapEpigraph, "Act_Epigraph", "<epigraph>...</epigraph>", "", badgeIcon("ep"), &wrap<TagCommand::Epigraph>},
    {A::WrapCite, "Act_Cite", "<cite>...</cite>", "", badgeIcon("ci"), &wrap<TagCommand::Cite>},
    {A::WrapTextAuthor, "Act_Author", "<text-author>...</text-author>", "", badgeIcon("au"),
     &wrap<TagCommand::TextAuthor>},
    {A::WrapPoem, "Act_poem", "<poem>...</poem>", "", badgeIcon("po"), &wrap<TagCommand::Poem>},
    {A::WrapStanza, "Act_stanza", "<stanza>...</stanza>", "", badgeIcon("st"), &wrap<TagCommand::Stanza>},
    {A::WrapVerse, "Act_v", "<v>...</v>", "", badgeIcon("v"), &wrap<TagCommand::Verse>},
    {A::WrapStrong, "Act_strong", "<strong>...</strong>", "", badgeIcon("B", true), &wrap<TagCommand::Strong>},
    {A::WrapEmphasis, "Act_emphasis", "<emphasis>...</emphasis>", "", badgeIcon("I", true, true),
     &wrap<TagCommand::Emphasis>},
    {A::InsertEmptyLine, "Act_EmptyLine", "<empty-line/>", "", badgeIcon("\xe2\x86\xb5"), &wrap<TagCommand::EmptyLine>},
    {A::LoadPicture, "Act_LoadImage", "Load picture", "", standardIcon(S::SP_DirOpenIcon),
     [](W& w) { w.imagesCommands().loadPictureAsked(); }},
    {A::CopyUpperBox, "Act_CopyToClip1", "Copy to clipboard", "", standardIcon(S::SP_FileLinkIcon),
     [](W& w) { w.imagesCommands().copyUpperBox(); }},
    {A::ClearUpperBox, "Act_ClearMemo1", "Clear", "", standardIcon(S::SP_DialogResetButton),
     [](W& w) { w.imagesCommands().clearUpperBox(); }},
    {A::CopyLowerBox, "Act_CopyToClip2", "Copy to clipboard", "", standardIcon(S::SP_FileLinkIcon),
     [](W& w) { w.imagesCommands().copyLowerBox(); }},
    {A::ClearLowerBox, "Act_ClearMemo2", "Clear", "", standardIcon(S::SP_DialogResetButton),
     [](W& w) { w.imagesCommands().clearLowerBox(); }},
    {A::LoadSettingsFile, "Act_openOptions", "Load settings from file...", "", standardIcon(S::SP_DialogOpenButton),
     &W::loadSettingsFile},
    {A::SaveSettingsFile, "Act_SaveOption", "Save settings to file...", "", standardIcon(S::SP_DialogSaveButton),
     &W::saveSettingsFile},
    {A::ShowHelp, "Act_ShowHelpBox", "Help...", "F1", standardIcon(S::SP_DialogHelpButton), &W::showHelp, "", false},
    {A::ToggleHiddenMenu, "Act_Check", "Act_Check", "Ctrl+U", {}, &W::toggleHiddenMenu, "", false},
    {A::Refine, "ActRefine", "Refine", "", {}, {}, "Refine", false},
};

constexpr BarEntry kSourceToolBar[] = {
    A::NewSourceDocument, A::OpenSource, A::SaveSource, kSeparator, A::ConvertTable, kSeparator, A::Convert,
    kSeparator, A::Find, A::Replace,
};
constexpr BarEntry kFb2ToolBar[] = {
    A::NewFb2Document, A::OpenFb2, A::SaveFb2, kSeparator, A::Convert, kSeparator, A::ViewFb2, A::CheckFb2,
    kSeparator, A::Find, A::Replace, kSeparator, A::WrapParagraph, A::WrapEpigraph, A::WrapCite, A::WrapTextAuthor,
    A::WrapPoem, A::WrapStanza, A::WrapVerse, kSeparator, A::WrapStrong, A::WrapEmphasis, kSeparator,
    A::InsertEmptyLine,
};
constexpr BarEntry kImagesUpperToolBar[] = {A::LoadPicture, kSeparator, A::CopyUpperBox, A::ClearUpperBox};
constexpr BarEntry kImagesLowerToolBar[] = {A::CopyLowerBox, A::ClearLowerBox};
constexpr BarEntry kSettingsToolBar[] = {A::LoadSettingsFile, A::SaveSettingsFile, kSeparator, A::Convert};

constexpr MenuEntry kFileMenu[] = {
    menuItem("New1", A::NewSourceDocument), menuItem("mm_OpenSource1", A::OpenSource),
    menuItem("SavesourceHTML1", A::SaveSource), menuItem("SavesourceHTMLAs1", A::SaveSourceAs),
    menuSeparator("N2"), menuItem("mm_Rerefinefile1", A::Convert), menuSeparator("N3"),
    menuItem("New2", A::NewFb2Document), menuItem("OpenFB2file1", A::OpenFb2), menuItem("SaveFB21", A::SaveFb2),
    menuItem("mm_Saveresultfile1", A::SaveFb2As), menuItem("CheckFB21", A::CheckFb2), menuSeparator("mm_N1"),
    menuItem("mm_Exit1", A::Exit),
};
constexpr MenuEntry kEditMenu[] = {
    menuItem("Undo1", A::Undo), menuSeparator("N1"), menuItem("Cut1", A::Cut), menuItem("Copy1", A::Copy),
    menuItem("Paste1", A::Paste), menuItem("Delete1", A::Delete), menuItem("SelectAll1", A::SelectAll),
    menuSeparator("N5"), menuItem("ActFind1", A::Find), menuItem("Findagain1", A::FindNext),
    menuItem("Replace1", A::Replace),
};
constexpr MenuEntry kHelpMenu[] = {
    menuItem("mm_Help2", A::ShowHelp), ownMenuItem("mm_About1", "About...", &W::showAbout),
};
// The menu item names the file that the command writes.
constexpr MenuEntry kHiddenMenu[] = {
    ownMenuItem("Recreate1", "Recreate Vellumar_eng.lng", &W::recreateLanguageFile),
};
constexpr MenuEntry kSourcePopup[] = {
    menuItem("Cut2", A::Cut), menuItem("Copy2", A::Copy), menuItem("Paste2", A::Paste),
    menuItem("Delete2", A::Delete), menuItem("SelectAll2", A::SelectAll),
};
constexpr MenuEntry kFb2Popup[] = {
    menuItem("Cut3", A::Cut), menuItem("Copy3", A::Copy), menuItem("Paste3", A::Paste),
    menuItem("Delete3", A::Delete), menuItem("SelectAll3", A::SelectAll), menuSeparator("N4"),
    menuItem("epigraphepigraph1", A::WrapEpigraph), menuItem("citecite1", A::WrapCite),
    menuItem("textauthortextauthor1", A::WrapTextAuthor), menuItem("poempoem1", A::WrapPoem),
    menuItem("stanzastanza1", A::WrapStanza), menuItem("vv1", A::WrapVerse), menuItem("strongstrong1", A::WrapStrong),
    menuItem("emphasisemphasis1", A::WrapEmphasis), menuItem("emptyline1", A::InsertEmptyLine),
};
// clang-format on

// The rows are indexed by their id, so every id has its row, in the order of the ids.
constexpr bool rowsFollowTheIds()
{
    if (std::size(kRows) != kActionCount) return false;
    for (std::size_t i = 0; i < kActionCount; ++i)
        if (static_cast<std::size_t>(kRows[i].id) != i) return false;
    return true;
}
static_assert(rowsFollowTheIds(), "one row per ActionId, in the order of the ids");

constexpr WindowActions kWindowActions = {
    kRows,
    {"ToolBar1", kSourceToolBar, Qt::ToolButtonIconOnly},
    {"ToolBar2", kFb2ToolBar, Qt::ToolButtonIconOnly},
    {"ToolBar3", kImagesUpperToolBar, Qt::ToolButtonTextBesideIcon},
    {"ToolBar4", kImagesLowerToolBar, Qt::ToolButtonTextBesideIcon},
    {"ToolBar5", kSettingsToolBar, Qt::ToolButtonTextBesideIcon},
    {{{"mm_File1", "&File", kFileMenu},
      {"Edit1", "&Edit", kEditMenu},
      {"mm_Help1", "&Help", kHelpMenu},
      {"Unvisible1", "Unvisible", kHiddenMenu}}},
    {"PopupMenu1", "", kSourcePopup},
    {"PopupMenu2", "", kFb2Popup},
};

}  // namespace

void WindowCommand::run(MainWindow& window) const
{
    if (m_member)
        (window.*m_member)();
    else if (m_function)
        m_function(window);
}

const WindowActions& windowActions()
{
    return kWindowActions;
}

}  // namespace vellumar
