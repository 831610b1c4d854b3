#include "ui/settings/common_settings_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "settings/charsets.h"
#include "ui/settings/language_texts.h"
#include "ui/widgets/radio_group_focus.h"

namespace vellumar {

namespace {

QRadioButton* radioButton(const char* name, const QString& caption, bool checked, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setChecked(checked);
    return button;
}

}  // namespace

CommonSettingsControls createCommonSettingsControls(QWidget* parent)
{
    CommonSettingsControls c;
    c.widget = new QWidget(parent);
    auto* grid = new QGridLayout(c.widget);

    auto* language = new QGroupBox(QStringLiteral("Language"), c.widget);
    language->setObjectName(QStringLiteral("GroupBox5"));
    auto* languageLayout = new QVBoxLayout(language);
    c.english = radioButton("RadioButton1", QStringLiteral("English"), true, language);
    c.russian = radioButton("RadioButton2", QStringLiteral("Russian"), false, language);
    c.other = radioButton("RadioButton3", QStringLiteral("Other:"), false, language);
    auto* languages = new QButtonGroup(language);
    for (QRadioButton* button : {c.english, c.russian, c.other}) languages->addButton(button);
    enterGroupAtCheckedButton(*languages);
    languageLayout->addWidget(c.english);
    languageLayout->addWidget(c.russian);
    auto* otherRow = new QHBoxLayout;
    otherRow->addWidget(c.other);
    c.browse = new QToolButton(language);
    c.browse->setObjectName(QStringLiteral("SpeedButton1"));
    c.browse->setText(QStringLiteral("..."));
    c.browse->setMinimumSize(24, 22);  // grows with a large font
    otherRow->addWidget(c.browse);
    otherRow->addStretch(1);
    languageLayout->addLayout(otherRow);
    // The full path of the other language file; it is kept here, never shown.
    c.languageFile = new QLabel(language);
    c.languageFile->setObjectName(QStringLiteral("Label1"));
    c.languageFile->setTextFormat(Qt::PlainText);
    c.languageFile->setProperty(kKeepsSettingProperty, true);
    c.languageFile->hide();
    grid->addWidget(language, 0, 0);

    auto* charset = new QGroupBox(QStringLiteral("Charset"), c.widget);
    charset->setObjectName(QStringLiteral("GroupBox7"));
    auto* charsetLayout = new QVBoxLayout(charset);
    c.charsets = new QComboBox(charset);
    c.charsets->setObjectName(QStringLiteral("ComboBox2"));
    for (std::string_view name : kCharsetNames)
        c.charsets->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    c.charsets->setCurrentIndex(kDefaultCharsetIndex);
    charsetLayout->addWidget(c.charsets);
    charsetLayout->addStretch(1);
    grid->addWidget(charset, 0, 1);

    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    return c;
}

}  // namespace vellumar
