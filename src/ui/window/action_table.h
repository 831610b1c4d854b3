#pragma once
// The main window's actions, each described once: its object name (the key of the settings and
// language files), caption, hint, shortcut, picture and the command it runs; and the tool bars,
// menus and pop-up menus that show them, in their order. The window builds every action, bar
// and menu from these rows; a tool bar or menu refers to an action by its id, so a wrong entry
// does not compile. Shortcuts work from the actions themselves, so an action's shortcut works
// also where no menu shows it.

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

#include <Qt>

#include "ui/actions/action_icons.h"

namespace vellumar {

class MainWindow;

// Every action of the main window, in the order they are created (and written into a language
// file).
enum class ActionId {
    NewSourceDocument, OpenSource, SaveSource, SaveSourceAs, Convert, ConvertTable,
    NewFb2Document, OpenFb2, SaveFb2, SaveFb2As, ViewFb2, CheckFb2, Exit,
    Undo, Cut, Copy, Paste, Delete, SelectAll,
    Find, FindNext, Replace,
    WrapParagraph, WrapEpigraph, WrapCite, WrapTextAuthor, WrapPoem, WrapStanza, WrapVerse, WrapStrong,
    WrapEmphasis, InsertEmptyLine,
    LoadPicture, CopyUpperBox, ClearUpperBox, CopyLowerBox, ClearLowerBox,
    LoadSettingsFile, SaveSettingsFile, ShowHelp, ToggleHiddenMenu, Refine,
};
inline constexpr std::size_t kActionCount = static_cast<std::size_t>(ActionId::Refine) + 1;

// What an action or a menu item runs: a member function of the window or a function (a lambda
// without captures) given the window. Empty for none.
class WindowCommand {
public:
    constexpr WindowCommand() = default;
    constexpr WindowCommand(void (MainWindow::*member)()) : m_member(member) {}
    template <typename Function>
        requires std::is_convertible_v<Function, void (*)(MainWindow&)>
    constexpr WindowCommand(Function function) : m_function(function)
    {
    }

    explicit constexpr operator bool() const { return m_member || m_function; }
    void run(MainWindow& window) const;

private:
    void (MainWindow::*m_member)() = nullptr;
    void (*m_function)(MainWindow&) = nullptr;
};

struct ActionRow {
    ActionId id;
    std::string_view name;
    std::string_view caption;
    std::string_view shortcut;  // QKeySequence text, empty for none
    ActionIcon icon;
    WindowCommand command;
    // "short|long" or a plain text; the caption when `hintIsCaption`, nothing when empty.
    std::string_view hint = {};
    bool hintIsCaption = true;
};

// A place on a tool bar: an action, or a separator.
struct BarEntry {
    constexpr BarEntry(ActionId shown) : action(shown) {}
    constexpr BarEntry(std::nullopt_t) {}
    std::optional<ActionId> action;
};
inline constexpr BarEntry kSeparator{std::nullopt};

struct ToolBarLayout {
    std::string_view name;
    std::span<const BarEntry> entries;
    Qt::ToolButtonStyle style;
};

// A menu item is an object of its own with its own name. It shows and runs an action, or has
// its own caption and command, or is a separator (caption "-").
struct MenuEntry {
    std::string_view name;
    std::optional<ActionId> action;
    std::string_view caption = {};
    WindowCommand command = {};
};
constexpr MenuEntry menuItem(std::string_view name, ActionId action)
{
    return {name, action};
}
constexpr MenuEntry menuSeparator(std::string_view name)
{
    return {name, std::nullopt, "-"};
}
constexpr MenuEntry ownMenuItem(std::string_view name, std::string_view caption, WindowCommand command)
{
    return {name, std::nullopt, caption, command};
}

struct MenuLayout {
    std::string_view name;
    std::string_view title;
    std::span<const MenuEntry> entries;
};

// Everything the window shows its actions in.
struct WindowActions {
    std::span<const ActionRow> rows;  // indexed by ActionId
    ToolBarLayout sourceToolBar;
    ToolBarLayout fb2ToolBar;
    ToolBarLayout imagesUpperToolBar;
    ToolBarLayout imagesLowerToolBar;
    ToolBarLayout settingsToolBar;
    std::array<MenuLayout, 4> menuBar;  // the last one is hidden until Ctrl+U
    MenuLayout sourcePopup;
    MenuLayout fb2Popup;
};
const WindowActions& windowActions();

}  // namespace vellumar
