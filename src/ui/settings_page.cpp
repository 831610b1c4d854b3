#include "ui/settings_page.h"

#include <climits>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vellumar {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Captions such as "as <title>...</title>" are plain text, never markup.
QLabel* label(const char* name, const QString& caption, QWidget* parent)
{
    auto* result = named(new QLabel(caption, parent), name);
    result->setTextFormat(Qt::PlainText);
    return result;
}

QCheckBox* checkBox(const char* name, const QString& caption, bool checked, QWidget* parent)
{
    auto* result = named(new QCheckBox(caption, parent), name);
    result->setChecked(checked);
    return result;
}

QRadioButton* radioButton(const char* name, const QString& caption, bool checked, QWidget* parent)
{
    auto* result = named(new QRadioButton(caption, parent), name);
    result->setChecked(checked);
    return result;
}

// Picture sizes have no bounds of their own; the conversion decides what a value means.
QSpinBox* spinEdit(const char* name, int value, QWidget* parent)
{
    auto* result = named(new QSpinBox(parent), name);
    result->setRange(INT_MIN, INT_MAX);
    result->setValue(value);
    result->setMinimumWidth(90);
    return result;
}

template <typename Widget>
bool isChecked(const QWidget& window, const char* name, bool fallback)
{
    const auto* widget = window.findChild<const Widget*>(QString::fromLatin1(name));
    return widget ? widget->isChecked() : fallback;
}

}  // namespace

QWidget* createSettingsControls(QWidget* parent)
{
    auto* controls = new QWidget(parent);
    // "Title" and "Other:" side by side, "Images:" with its table choices below them.
    auto* grid = new QGridLayout(controls);

    auto* title = named(new QGroupBox(QStringLiteral("Title"), controls), "GroupBox1");
    auto* titleLayout = new QVBoxLayout(title);
    titleLayout->addWidget(checkBox("ChBShowTitleInfo", QStringLiteral("Show title info"), true, title));
    titleLayout->addStretch(1);
    grid->addWidget(title, 0, 0);

    auto* images = named(new QGroupBox(QStringLiteral("Images:"), controls), "GroupBox3");
    auto* imagesLayout = new QHBoxLayout(images);
    auto* sizes = new QVBoxLayout;
    sizes->addWidget(checkBox("CheckBox18", QStringLiteral("Resize"), true, images));
    sizes->addWidget(label("Label13", QStringLiteral("max width:"), images));
    sizes->addWidget(spinEdit("SpinEdit1", 580, images));
    sizes->addWidget(label("Label14", QStringLiteral("max height:"), images));
    sizes->addWidget(spinEdit("SpinEdit2", 700, images));
    sizes->addStretch(1);
    imagesLayout->addLayout(sizes);
    imagesLayout->addSpacing(12);

    auto* tables = named(new QGroupBox(QStringLiteral("Tables"), images), "GroupBox6");
    auto* tablesLayout = new QVBoxLayout(tables);
    tablesLayout->addWidget(radioButton("RadioButton6", QStringLiteral("As is"), true, tables));
    tablesLayout->addWidget(radioButton("RadioButton7", QStringLiteral("Content only"), false, tables));
    tablesLayout->addWidget(radioButton("RadioButton8", QStringLiteral("Convert to image"), false, tables));
    auto* border = named(new QGroupBox(QStringLiteral("Table Border"), tables), "GroupBox2");
    auto* borderLayout = new QVBoxLayout(border);
    borderLayout->addWidget(radioButton("RadioButton4", QStringLiteral("As source"), false, border));
    borderLayout->addWidget(radioButton("RadioButton5", QStringLiteral("Visible"), true, border));
    tablesLayout->addWidget(border);
    imagesLayout->addWidget(tables, 1);
    grid->addWidget(images, 1, 0, 1, 2);

    auto* other = named(new QGroupBox(QStringLiteral("Other:"), controls), "GroupBox4");
    auto* otherLayout = new QVBoxLayout(other);
    otherLayout->addWidget(checkBox("CheckBox22", QStringLiteral("Straighten text"), true, other));
    auto* levelRow = new QHBoxLayout;
    QLabel* set = label("Label3", QStringLiteral("Set"), other);
    set->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    levelRow->addWidget(set);
    auto* levels = named(new QComboBox(other), "ComboBox1");
    levels->addItems({QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("H3"), QStringLiteral("H4"),
                      QStringLiteral("H5"), QStringLiteral("H6")});
    levels->setCurrentIndex(0);
    levelRow->addWidget(levels);
    levelRow->addWidget(label("Label2", QStringLiteral("as <title>...</title>"), other));
    levelRow->addStretch(1);
    otherLayout->addLayout(levelRow);
    grid->addWidget(other, 0, 1);

    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return controls;
}

ConversionOptions readConversionOptions(const QWidget& window)
{
    ConversionOptions options;
    options.Resize = isChecked<QCheckBox>(window, "CheckBox18", options.Resize);
    if (const auto* width = window.findChild<const QSpinBox*>(QStringLiteral("SpinEdit1")))
        options.MaxWidth = width->value();
    if (const auto* height = window.findChild<const QSpinBox*>(QStringLiteral("SpinEdit2")))
        options.MaxHeight = height->value();
    options.tableBorder = isChecked<QRadioButton>(window, "RadioButton5", true) ? TableBorder::Visible
                                                                                 : TableBorder::AsSource;
    if (isChecked<QRadioButton>(window, "RadioButton8", false))
        options.tableMode = TableMode::ConvertToImage;
    else if (isChecked<QRadioButton>(window, "RadioButton7", false))
        options.tableMode = TableMode::ContentOnly;
    else
        options.tableMode = TableMode::AsIs;
    options.StraightenText = isChecked<QCheckBox>(window, "CheckBox22", options.StraightenText);
    if (const auto* level = window.findChild<const QComboBox*>(QStringLiteral("ComboBox1")))
        options.TitleLevel = level->currentIndex();
    options.ShowTitleInfo = isChecked<QCheckBox>(window, "ChBShowTitleInfo", options.ShowTitleInfo);
    return options;
}

}  // namespace vellumar
