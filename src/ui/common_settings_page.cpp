#include "ui/common_settings_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "settings/charsets.h"

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

QWidget* createCommonSettingsControls(QWidget* parent)
{
    auto* controls = new QWidget(parent);
    auto* grid = new QGridLayout(controls);

    auto* language = new QGroupBox(QStringLiteral("Language"), controls);
    language->setObjectName(QStringLiteral("GroupBox5"));
    auto* languageLayout = new QVBoxLayout(language);
    languageLayout->addWidget(radioButton("RadioButton1", QStringLiteral("English"), true, language));
    languageLayout->addWidget(radioButton("RadioButton2", QStringLiteral("Russian"), false, language));
    auto* otherRow = new QHBoxLayout;
    otherRow->addWidget(radioButton("RadioButton3", QStringLiteral("Other:"), false, language));
    auto* browse = new QToolButton(language);
    browse->setObjectName(QStringLiteral("SpeedButton1"));
    browse->setText(QStringLiteral("..."));
    browse->setFixedSize(24, 22);
    otherRow->addWidget(browse);
    otherRow->addStretch(1);
    languageLayout->addLayout(otherRow);
    // The full path of the other language file; it is kept here, never shown.
    auto* path = new QLabel(language);
    path->setObjectName(QStringLiteral("Label1"));
    path->setTextFormat(Qt::PlainText);
    path->hide();
    grid->addWidget(language, 0, 0);

    auto* charset = new QGroupBox(QStringLiteral("Charset"), controls);
    charset->setObjectName(QStringLiteral("GroupBox7"));
    auto* charsetLayout = new QVBoxLayout(charset);
    auto* names = new QComboBox(charset);
    names->setObjectName(QStringLiteral("ComboBox2"));
    for (std::string_view name : kCharsetNames)
        names->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    names->setCurrentIndex(kDefaultCharsetIndex);
    charsetLayout->addWidget(names);
    charsetLayout->addStretch(1);
    grid->addWidget(charset, 0, 1);

    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    return controls;
}

}  // namespace vellumar
