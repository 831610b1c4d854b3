#include "ui/settings/settings_page.h"

#include <climits>
#include <initializer_list>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/widgets/radio_group_focus.h"

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

void exclusiveGroup(QWidget* owner, std::initializer_list<QRadioButton*> buttons)
{
    auto* group = new QButtonGroup(owner);
    for (QRadioButton* button : buttons) group->addButton(button);
    enterGroupAtCheckedButton(*group);
}

}  // namespace

SettingsControls createSettingsControls(QWidget* parent)
{
    SettingsControls c;
    c.widget = new QWidget(parent);
    // "Title" and "Other:" side by side, "Images:" with its table choices below them.
    auto* grid = new QGridLayout(c.widget);

    auto* title = named(new QGroupBox(QStringLiteral("Title"), c.widget), "GroupBox1");
    auto* titleLayout = new QVBoxLayout(title);
    c.showTitleInfo = checkBox("ChBShowTitleInfo", QStringLiteral("Show title info"), true, title);
    titleLayout->addWidget(c.showTitleInfo);
    titleLayout->addStretch(1);
    grid->addWidget(title, 0, 0);

    auto* images = named(new QGroupBox(QStringLiteral("Images:"), c.widget), "GroupBox3");
    auto* imagesLayout = new QHBoxLayout(images);
    auto* sizes = new QVBoxLayout;
    c.resize = checkBox("CheckBox18", QStringLiteral("Resize"), true, images);
    c.maxWidth = spinEdit("SpinEdit1", 580, images);
    c.maxHeight = spinEdit("SpinEdit2", 700, images);
    sizes->addWidget(c.resize);
    sizes->addWidget(label("Label13", QStringLiteral("max width:"), images));
    sizes->addWidget(c.maxWidth);
    sizes->addWidget(label("Label14", QStringLiteral("max height:"), images));
    sizes->addWidget(c.maxHeight);
    sizes->addStretch(1);
    imagesLayout->addLayout(sizes);
    imagesLayout->addSpacing(12);

    auto* tables = named(new QGroupBox(QStringLiteral("Tables"), images), "GroupBox6");
    auto* tablesLayout = new QVBoxLayout(tables);
    c.tablesAsIs = radioButton("RadioButton6", QStringLiteral("As is"), true, tables);
    c.tablesContentOnly = radioButton("RadioButton7", QStringLiteral("Content only"), false, tables);
    c.tablesToImages = radioButton("RadioButton8", QStringLiteral("Convert to image"), false, tables);
    for (QRadioButton* button : {c.tablesAsIs, c.tablesContentOnly, c.tablesToImages})
        tablesLayout->addWidget(button);
    auto* border = named(new QGroupBox(QStringLiteral("Table Border"), tables), "GroupBox2");
    auto* borderLayout = new QVBoxLayout(border);
    c.borderAsSource = radioButton("RadioButton4", QStringLiteral("As source"), false, border);
    c.borderVisible = radioButton("RadioButton5", QStringLiteral("Visible"), true, border);
    borderLayout->addWidget(c.borderAsSource);
    borderLayout->addWidget(c.borderVisible);
    // Two groups, the second inside the first's box: without groups of their own Qt would make
    // all five buttons one group, and the arrow keys would cross from one into the other.
    exclusiveGroup(tables, {c.tablesAsIs, c.tablesContentOnly, c.tablesToImages});
    exclusiveGroup(border, {c.borderAsSource, c.borderVisible});
    tablesLayout->addWidget(border);
    imagesLayout->addWidget(tables, 1);
    grid->addWidget(images, 1, 0, 1, 2);

    auto* other = named(new QGroupBox(QStringLiteral("Other:"), c.widget), "GroupBox4");
    auto* otherLayout = new QVBoxLayout(other);
    c.straightenText = checkBox("CheckBox22", QStringLiteral("Straighten text"), true, other);
    otherLayout->addWidget(c.straightenText);
    auto* levelRow = new QHBoxLayout;
    QLabel* set = label("Label3", QStringLiteral("Set"), other);
    set->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    levelRow->addWidget(set);
    c.titleLevel = named(new QComboBox(other), "ComboBox1");
    c.titleLevel->addItems({QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("H3"), QStringLiteral("H4"),
                            QStringLiteral("H5"), QStringLiteral("H6"), QStringLiteral("Auto")});
    c.titleLevel->setCurrentIndex(0);
    levelRow->addWidget(c.titleLevel);
    levelRow->addWidget(label("Label2", QStringLiteral("as <title>...</title>"), other));
    levelRow->addStretch(1);
    otherLayout->addLayout(levelRow);
    grid->addWidget(other, 0, 1, 1, 2);
    // What the book holds beyond the plain conversion: notes, nested sections, links, a cover,
    // the source's metadata, and a book that passes the FB2 schema. A row of its own below the
    // groups, where its longer caption does not widen the page.
    c.completeBook = checkBox("ChBCompleteBook", QStringLiteral("Complete book (notes, sections, links, valid FB2)"),
                              false, c.widget);

    // How the book file is written: its encoding, and whether it is zipped. Beside "Images:",
    // whose tables choices make that row the tallest, so the page needs no more height.
    auto* bookFile = named(new QGroupBox(QStringLiteral("Book file"), c.widget), "GroupBoxBookFile");
    auto* bookFileLayout = new QVBoxLayout(bookFile);
    c.bookWindows1251 = radioButton("RBBookWindows1251", QStringLiteral("windows-1251"), true, bookFile);
    c.bookUtf8 = radioButton("RBBookUtf8", QStringLiteral("UTF-8"), false, bookFile);
    c.zipBook = checkBox("ChBZipBook", QStringLiteral("Zip (.fb2.zip)"), false, bookFile);
    exclusiveGroup(bookFile, {c.bookWindows1251, c.bookUtf8});
    bookFileLayout->addWidget(c.bookWindows1251);
    bookFileLayout->addWidget(c.bookUtf8);
    bookFileLayout->addWidget(c.zipBook);
    bookFileLayout->addStretch(1);
    grid->addWidget(bookFile, 1, 2);
    grid->addWidget(c.completeBook, 2, 0, 1, 3);

    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return c;
}

ConversionOptions readConversionOptions(const SettingsControls& c)
{
    ConversionOptions options;
    options.resize = c.resize->isChecked();
    options.maxWidth = c.maxWidth->value();
    options.maxHeight = c.maxHeight->value();
    options.tableBorder = c.borderVisible->isChecked() ? TableBorder::Visible : TableBorder::AsSource;
    if (c.tablesToImages->isChecked())
        options.tableMode = TableMode::ConvertToImage;
    else if (c.tablesContentOnly->isChecked())
        options.tableMode = TableMode::ContentOnly;
    else
        options.tableMode = TableMode::AsIs;
    options.straightenText = c.straightenText->isChecked();
    // The last item, after "H1".."H6", lets the book's headings choose.
    options.titleLevel =
        c.titleLevel->currentIndex() == kAutoTitleLevelItem ? kTitleLevelAuto : c.titleLevel->currentIndex();
    options.complete = c.completeBook->isChecked();
    options.showTitleInfo = c.showTitleInfo->isChecked();
    options.outputEncoding = c.bookUtf8->isChecked() ? OutputEncoding::Utf8 : OutputEncoding::Windows1251;
    options.zipBook = c.zipBook->isChecked();
    return options;
}

}  // namespace vellumar
