#include "ui/action_table.h"

#include <array>

#include <QAction>
#include <QKeySequence>
#include <QString>
#include <QWidget>

namespace vellumar {

namespace {

constexpr const char* kHintProperty = "Hint";

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// clang-format off
constexpr std::array<ActionDefinition, 42> kActions = {{
    {"Act_NewHTMLDoc", "New", "", "Ctrl+N"},
    {"Act_OpenSource", "Open...", "", "Ctrl+O"},
    {"Act_SaveSourceHTML", "Save source HTML", "", ""},
    {"Act_SaveSourceHTMLAs", "Save source HTML As...", "", ""},
    {"Act_Convert", "Convert", "", "F9"},
    {"Act_ConvertTable", "Convert table", "", "F6"},
    {"Act_NewFB2Doc", "New", "", ""},
    {"Act_openFB2", "Open FB2 file...", "", ""},
    {"Act_SaveResult", "Save FB2", "", "Ctrl+S"},
    {"Act_SaveResultAs", "Save FB2 as...", "", ""},
    {"Act_SaveAndView", "View FB2", "", ""},
    {"Act_CheckFB2", "Check FB2", "", "F8"},
    {"Act_Exit", "Exit", "", "", false},
    {"EditUndo1", "&Undo", "Undo|Reverts the last action", "Ctrl+Z", false},
    {"EditCut1", "C&ut", "Cut", "Ctrl+X", false},
    {"EditCopy1", "&Copy", "Copy|Copies the selection and puts it on the Clipboard", "Ctrl+C", false},
    {"EditPaste1", "&Paste", "Paste|Inserts Clipboard contents", "Ctrl+V", false},
    {"EditDelete1", "&Delete", "Delete|Erases the selection", "", false},
    {"EditSelectAll1", "Select &All", "Select All|Selects the entire document", "Ctrl+A", false},
    {"Act_Find", "Find...", "", "Ctrl+F"},
    {"Act_FindNext", "Search Again", "", "F3"},
    {"Act_Replace", "Replace...", "", "Ctrl+R"},
    {"Act_p", "<p>...</p>", "", ""},
    {"Act_Epigraph", "<epigraph>...</epigraph>", "", ""},
    {"Act_Cite", "<cite>...</cite>", "", ""},
    {"Act_Author", "<text-author>...</text-author>", "", ""},
    {"Act_poem", "<poem>...</poem>", "", ""},
    {"Act_stanza", "<stanza>...</stanza>", "", ""},
    {"Act_v", "<v>...</v>", "", ""},
    {"Act_strong", "<strong>...</strong>", "", ""},
    {"Act_emphasis", "<emphasis>...</emphasis>", "", ""},
    {"Act_EmptyLine", "<empty-line/>", "", ""},
    {"Act_LoadImage", "Load picture", "", ""},
    {"Act_CopyToClip1", "Copy to clipboard", "", ""},
    {"Act_ClearMemo1", "Clear", "", ""},
    {"Act_CopyToClip2", "Copy to clipboard", "", ""},
    {"Act_ClearMemo2", "Clear", "", ""},
    {"Act_openOptions", "Load settings from file...", "", ""},
    {"Act_SaveOption", "Save settings to file...", "", ""},
    {"Act_ShowHelpBox", "Help...", "", "F1", false},
    {"Act_Check", "Act_Check", "", "Ctrl+U", false},
    {"ActRefine", "Refine", "Refine", "", false},
}};
// clang-format on

}  // namespace

std::span<const ActionDefinition> actionDefinitions()
{
    return kActions;
}

void setActionHint(QAction& action, const QString& hint)
{
    action.setProperty(kHintProperty, hint);
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString shortHint = bar < 0 ? hint : hint.left(bar);
    const QString longHint = bar < 0 ? hint : hint.mid(bar + 1);
    // Tips are rich text when they look like markup; a caption such as "<p>...</p>" must show as
    // it is written.
    action.setToolTip(shortHint.isEmpty()
                          ? QString()
                          : QStringLiteral("<p style='white-space:pre'>%1</p>").arg(shortHint.toHtmlEscaped()));
    action.setStatusTip(longHint);
}

QString actionHint(const QAction& action)
{
    return action.property(kHintProperty).toString();
}

void createActions(QWidget& owner)
{
    for (const ActionDefinition& definition : kActions) {
        auto* action = new QAction(fromView(definition.caption), &owner);
        action->setObjectName(fromView(definition.name));
        if (!definition.shortcut.empty())
            action->setShortcut(QKeySequence(fromView(definition.shortcut), QKeySequence::PortableText));
        setActionHint(*action, definition.hintIsCaption ? fromView(definition.caption) : fromView(definition.hint));
        owner.addAction(action);
    }
}

}  // namespace vellumar
