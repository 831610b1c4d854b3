#include "ui/settings/language_texts.h"

#include <string>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

#include "settings/ini_file.h"
#include "ui/actions/action_hint.h"
#include "ui/actions/menu_items.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/diagnostic_window.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/widgets/color_button.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

// Components of other kinds whose texts are not kept in language files hold a hint here, as
// action hints do; it is not shown as a tip.
constexpr const char* kHintProperty = "Hint";

enum class Kind { None, CheckBox, RadioButton, GroupBox, Label, ColorButton, TabPage, Action, MenuItem, Menu };

template <typename Exact>
bool isExactly(const QObject& object)
{
    return object.metaObject() == &Exact::staticMetaObject;
}

QTabWidget* tabWidgetOf(const QWidget& page)
{
    auto* stack = qobject_cast<QStackedWidget*>(page.parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(const_cast<QWidget*>(&page)) >= 0 ? tabs : nullptr;
}

bool showsProgramFact(const QLabel& label)
{
    if (!label.pixmap().isNull()) return true;
    // A hidden label that keeps a setting (the "Other:" language file's path) is no text.
    if (label.property(kKeepsSettingProperty).toBool()) return true;
    const QWidget* window = label.window();
    const QString name = label.objectName();
    return window && window->objectName() == QLatin1String("AboutBox") &&
           (name == QLatin1String("Label1") || name == QLatin1String("Label2") || name == QLatin1String("Label3"));
}

Kind kindOf(const QObject& object)
{
    const QString name = object.objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) return Kind::None;
    if (isExactly<QCheckBox>(object)) return Kind::CheckBox;
    if (isExactly<QRadioButton>(object)) return Kind::RadioButton;
    if (isExactly<QGroupBox>(object)) return Kind::GroupBox;
    if (isExactly<QLabel>(object)) return showsProgramFact(static_cast<const QLabel&>(object)) ? Kind::None : Kind::Label;
    if (isExactly<ColorButton>(object)) return Kind::ColorButton;
    if (isExactly<QAction>(object)) return Kind::Action;
    if (isExactly<MenuItem>(object)) return static_cast<const MenuItem&>(object).action() ? Kind::None : Kind::MenuItem;
    if (isExactly<QMenu>(object)) return qobject_cast<QMenuBar*>(object.parent()) ? Kind::Menu : Kind::None;
    if (object.isWidgetType() && tabWidgetOf(static_cast<const QWidget&>(object))) return Kind::TabPage;
    return Kind::None;
}

QString captionOf(const QObject& object, Kind kind)
{
    switch (kind) {
    case Kind::CheckBox:
    case Kind::RadioButton:
    case Kind::ColorButton: return static_cast<const QAbstractButton&>(object).text();
    case Kind::GroupBox: return static_cast<const QGroupBox&>(object).title();
    case Kind::Label: return static_cast<const QLabel&>(object).text();
    case Kind::Action: return static_cast<const QAction&>(object).text();
    case Kind::MenuItem: {
        const auto& item = static_cast<const MenuItem&>(object);
        return item.isSeparator() ? QStringLiteral("-") : item.text();
    }
    case Kind::Menu: return static_cast<const QMenu&>(object).title();
    case Kind::TabPage: {
        const auto& page = static_cast<const QWidget&>(object);
        const QTabWidget* tabs = tabWidgetOf(page);
        return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(&page)));
    }
    case Kind::None: break;
    }
    return {};
}

void setCaption(QObject& object, Kind kind, const QString& caption)
{
    switch (kind) {
    case Kind::CheckBox:
    case Kind::RadioButton:
    case Kind::ColorButton: static_cast<QAbstractButton&>(object).setText(caption); break;
    case Kind::GroupBox: static_cast<QGroupBox&>(object).setTitle(caption); break;
    case Kind::Label: {
        auto& label = static_cast<QLabel&>(object);
        label.setText(caption);
        // Labels placed by position grow or shrink with their text, as labels laid out do.
        if (!label.parentWidget() || !label.parentWidget()->layout()) label.adjustSize();
        break;
    }
    case Kind::Action: static_cast<QAction&>(object).setText(caption); break;
    case Kind::MenuItem: {
        auto& item = static_cast<MenuItem&>(object);
        if (!item.isSeparator()) item.setText(caption);
        break;
    }
    case Kind::Menu: static_cast<QMenu&>(object).setTitle(caption); break;
    case Kind::TabPage: {
        auto& page = static_cast<QWidget&>(object);
        QTabWidget* tabs = tabWidgetOf(page);
        tabs->setTabText(tabs->indexOf(&page), caption);
        break;
    }
    case Kind::None: break;
    }
}

void setHint(QObject& object, Kind kind, const QString& caption)
{
    if (kind == Kind::RadioButton || kind == Kind::Label || kind == Kind::None) return;
    if (kind == Kind::Action) {
        setActionHint(static_cast<QAction&>(object), caption);
        return;
    }
    object.setProperty(kHintProperty, caption);
}

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QList<QWidget*> programWindows(MainWindow& mainWindow)
{
    const DialogWindows& windows = mainWindow.dialogWindows();
    QList<QWidget*> result{&mainWindow};
    const QWidget* dialogs[] = {windows.aboutBox,   windows.helpWindow,    windows.bookInfoDialog,
                                windows.findDialog, windows.replaceDialog, windows.diagnosticWindow};
    for (const QWidget* dialog : dialogs)
        if (dialog) result.append(const_cast<QWidget*>(dialog));
    return result;
}

void applyLanguageTexts(const IniFile& file, const QList<QWidget*>& windows)
{
    for (QWidget* window : windows) {
        const std::string section = utf8(window->objectName());
        if (const auto caption = file.value(section, section)) window->setWindowTitle(fromUtf8(*caption));
        for (QObject* component : window->findChildren<QObject*>()) {
            const Kind kind = kindOf(*component);
            if (kind == Kind::None) continue;
            const auto caption = file.value(section, utf8(component->objectName()));
            if (!caption) continue;
            const QString text = fromUtf8(*caption);
            setCaption(*component, kind, text);
            setHint(*component, kind, text);
        }
    }
}

void writeLanguageTexts(IniFile& file, const QList<QWidget*>& windows)
{
    for (QWidget* window : windows) {
        const std::string section = utf8(window->objectName());
        file.writeString(section, section, utf8(window->windowTitle()));
        for (const QObject* component : window->findChildren<QObject*>()) {
            const Kind kind = kindOf(*component);
            if (kind != Kind::None) file.writeString(section, utf8(component->objectName()), utf8(captionOf(*component, kind)));
        }
    }
}

}  // namespace vellumar
