#include "ui/settings/interface_language.h"

#include <memory>
#include <string>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

#include "settings/ini_file.h"

namespace vellumar {

namespace {

struct QtCatalogue {
    QString language = QString::fromLatin1(kEnglishCode);
    std::unique_ptr<QTranslator> translator;
    // The locale the program started with, which English gives back (dates in the file dialogs
    // are written as the interface language writes them).
    QLocale startLocale;
};

QtCatalogue& catalogue()
{
    static QtCatalogue current;
    return current;
}

}  // namespace

bool isLanguageCode(const QString& code)
{
    static const QRegularExpression form(QStringLiteral("^[a-z]{2,3}(_[A-Z]{2})?$"));
    return form.match(code).hasMatch();
}

QString interfaceLanguageOf(LanguageChoice choice, const IniFile& file)
{
    switch (choice) {
    case LanguageChoice::English:
        return QString::fromLatin1(kEnglishCode);
    case LanguageChoice::Russian:
        return QString::fromLatin1(kRussianCode);
    case LanguageChoice::Other:
    case LanguageChoice::None:
        break;
    }
    const std::string named = file.readString("Form1", kLanguageCodeKey, "");
    const QString code = QString::fromUtf8(named.data(), static_cast<qsizetype>(named.size()));
    return isLanguageCode(code) ? code : QString::fromLatin1(kEnglishCode);
}

void useInterfaceLanguage(const QString& code)
{
    QtCatalogue& current = catalogue();
    const QString language = isLanguageCode(code) ? code : QString::fromLatin1(kEnglishCode);
    if (language == current.language) return;
    if (current.translator) {
        QCoreApplication::removeTranslator(current.translator.get());
        current.translator.reset();
    }
    current.language = language;
    QLocale::setDefault(language == QLatin1String(kEnglishCode) ? current.startLocale : QLocale(language));
    if (language == QLatin1String(kEnglishCode)) return;
    auto translator = std::make_unique<QTranslator>();
    // "qtbase_pt_BR.qm", else "qtbase_pt.qm"; the window uses nothing of Qt's other modules.
    if (translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        current.translator = std::move(translator);
}

QString interfaceLanguage() { return catalogue().language; }

}  // namespace vellumar
