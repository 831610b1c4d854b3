#include "ui/settings/settings_store.h"

#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QWidget>

#include "settings/charsets.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "settings/user_folders.h"
#include "ui/dialogs/plain_message_box.h"
#include "ui/settings/program_folder.h"

namespace vellumar {

namespace {

// Of the window's controls, those of exactly this kind (a derived kind does not take part), in
// the order they were created.
template <typename Control>
QList<Control*> controlsOfKind(const QWidget& window)
{
    QList<Control*> result;
    for (Control* control : window.findChildren<Control*>()) {
        if (control->metaObject() == &Control::staticMetaObject && !control->objectName().isEmpty())
            result.append(control);
    }
    return result;
}

std::string key(const QObject& control)
{
    return control.objectName().toStdString();
}

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// At least this much of the window's top must show on some screen for the user to reach it.
constexpr int kReachableWidth = 100;
constexpr int kReachableHeight = 30;

// A stored size larger than the screen (or absurd) would make a window whose frame and buttons
// cannot be reached: the size is limited to the available area of the primary screen.
void fitScreen(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QSize area = screen->availableGeometry().size();
    window.resize(window.size().boundedTo(area).expandedTo(window.minimumSize()));
}

void keepOnScreen(QWidget& window)
{
    const QRect top(window.x(), window.y(), qMin(window.width(), kReachableWidth), kReachableHeight);
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return;
    for (const QScreen* screen : screens)
        if (screen->availableGeometry().contains(top)) return;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    window.move(area.topLeft() + QPoint(kDefaultWindowGeometry, kDefaultWindowGeometry));
}

}  // namespace

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString fromPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path settingsFilePath()
{
    const QString programFile = programFolder() + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return settingsFilePath(toPath(programFile), currentUserEnvironment());
}

void loadSettings(const SettingsTargets& targets, const IniFile& file)
{
    QWidget& window = targets.window;
    window.move(file.readInteger(kPositionSection, kPosXKey, kDefaultWindowGeometry),
                file.readInteger(kPositionSection, kPosYKey, kDefaultWindowGeometry));
    // The window's minimum size raises a smaller width or height.
    window.resize(file.readInteger(kPositionSection, kWidthKey, kDefaultWindowGeometry),
                  file.readInteger(kPositionSection, kHeightKey, kDefaultWindowGeometry));
    fitScreen(window);
    keepOnScreen(window);
    const WindowState state =
        startWindowState(file.readInteger(kPositionSection, kStateKey, static_cast<int>(WindowState::Normal)));
    window.setWindowState(state == WindowState::Maximized ? Qt::WindowMaximized : Qt::WindowNoState);

    loadCheckBoxes(window, file);
    // Checking a button unchecks the others of its group, so of several "1" in a group the last
    // one wins; checking a language button applies that language at once.
    for (QRadioButton* button : controlsOfKind<QRadioButton>(window))
        button->setChecked(file.readBool(kRadioButtonsSection, key(*button), button->isChecked()));
    for (QSpinBox* spin : controlsOfKind<QSpinBox>(window))
        spin->setValue(file.readInteger(kIntValuesSection, key(*spin), spin->value()));
    targets.languageFile.setText(fromUtf8(file.readString(kLabelsSection, kLabel1Key, "")));
    targets.titleLevel.setCurrentIndex(titleLevelIndexOrDefault(file.readInteger(kComboBoxesSection, kCombo1Key, 0)));
    targets.charsets.setCurrentIndex(
        charsetIndexOrDefault(file.readInteger(kComboBoxesSection, kCombo2Key, kDefaultCharsetIndex)));
}

void saveSettings(const SettingsTargets& targets, IniFile& file)
{
    const QWidget& window = targets.window;
    const WindowState state = window.isMaximized()   ? WindowState::Maximized
                              : window.isMinimized() ? WindowState::Minimized
                                                     : WindowState::Normal;
    file.writeInteger(kPositionSection, kStateKey, static_cast<int>(state));
    if (state != WindowState::Maximized) {
        file.writeInteger(kPositionSection, kPosXKey, window.x());
        file.writeInteger(kPositionSection, kPosYKey, window.y());
        file.writeInteger(kPositionSection, kWidthKey, window.width());
        file.writeInteger(kPositionSection, kHeightKey, window.height());
    }
    saveCheckBoxes(window, file);
    for (const QRadioButton* button : controlsOfKind<QRadioButton>(window))
        file.writeBool(kRadioButtonsSection, key(*button), button->isChecked());
    for (const QSpinBox* spin : controlsOfKind<QSpinBox>(window))
        file.writeInteger(kIntValuesSection, key(*spin), spin->value());
    file.writeString(kLabelsSection, kLabel1Key, utf8(targets.languageFile.text()));
    file.writeInteger(kComboBoxesSection, kCombo1Key, targets.titleLevel.currentIndex());
    file.writeInteger(kComboBoxesSection, kCombo2Key, targets.charsets.currentIndex());
}

void loadCheckBoxes(QWidget& window, const IniFile& file)
{
    for (QCheckBox* box : controlsOfKind<QCheckBox>(window))
        box->setChecked(file.readBool(kCheckBoxesSection, key(*box), box->isChecked()));
}

void saveCheckBoxes(const QWidget& window, IniFile& file)
{
    for (const QCheckBox* box : controlsOfKind<QCheckBox>(window))
        file.writeBool(kCheckBoxesSection, key(*box), box->isChecked());
}

void reportSettingsProblem(QWidget* owner, const QString& message)
{
    showPlainMessageBox(owner, QMessageBox::Warning, QCoreApplication::applicationName(), message);
}

}  // namespace vellumar
