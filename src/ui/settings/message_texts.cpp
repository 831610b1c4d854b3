#include "ui/settings/message_texts.h"

#include <optional>
#include <string>
#include <vector>

#include "settings/ini_file.h"

namespace vellumar {

namespace {

std::vector<QString>& currentTexts()
{
    static std::vector<QString> texts = [] {
        std::vector<QString> english;
        for (const MessageRow& row : messageRows()) english.push_back(QString::fromUtf8(row.english));
        return english;
    }();
    return texts;
}

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString escapedForFile(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return escaped;
}

QString unescapedFromFile(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == QLatin1Char('n') || next == QLatin1Char('\\')) {
                plain += next == QLatin1Char('n') ? QLatin1Char('\n') : QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        plain += c;
    }
    return plain;
}

}  // namespace

QString messageText(MessageId id) { return currentTexts()[static_cast<std::size_t>(id)]; }

QString message(MessageId id, const QStringList& details) { return fillMessage(messageText(id), details); }

QString fillMessage(const QString& pattern, const QStringList& details)
{
    QString filled;
    filled.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('%') && i + 1 < pattern.size() && pattern[i + 1] >= QLatin1Char('1') &&
            pattern[i + 1] <= QLatin1Char('9')) {
            const qsizetype index = pattern[i + 1].unicode() - '1';
            if (index < details.size()) {
                filled += details[index];
                ++i;
                continue;
            }
        }
        filled += c;
    }
    return filled;
}

void applyLanguageMessages(const IniFile& file)
{
    std::vector<QString>& texts = currentTexts();
    bool changed = false;
    for (const MessageRow& row : messageRows()) {
        const std::optional<std::string> value = file.value(kMessagesSection, row.key);
        if (!value) continue;
        texts[static_cast<std::size_t>(row.id)] =
            unescapedFromFile(QString::fromUtf8(value->data(), static_cast<qsizetype>(value->size())));
        changed = true;
    }
    if (changed) emit messageWording().changed();
}

void writeLanguageMessages(IniFile& file)
{
    for (const MessageRow& row : messageRows())
        file.writeString(kMessagesSection, row.key, utf8(escapedForFile(messageText(row.id))));
}

void resetLanguageMessages()
{
    std::vector<QString>& texts = currentTexts();
    for (const MessageRow& row : messageRows())
        texts[static_cast<std::size_t>(row.id)] = QString::fromUtf8(row.english);
    emit messageWording().changed();
}

MessageWording& messageWording()
{
    static MessageWording wording;
    return wording;
}

}  // namespace vellumar
