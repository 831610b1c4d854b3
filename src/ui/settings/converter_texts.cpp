#include "ui/settings/converter_texts.h"

#include <algorithm>
#include <vector>

#include <QRegularExpression>

#include "ui/settings/message_texts.h"

namespace vellumar {

namespace {

// A form nests in a form a few times at most ("cannot write the picture x: cannot ...").
constexpr int kMaxDepth = 4;

struct ConverterForm {
    MessageId id;
    QString head;  // the form's text before its first detail: a cheap first test
    QString tail;  // and after its last
    QRegularExpression pattern;
    int details = 0;       // the highest detail number in the form
    int reasonDetail = 0;  // the detail worded as a converter text itself
};

ConverterForm formOf(const MessageRow& row)
{
    const QString english = QString::fromUtf8(row.english);
    static const QRegularExpression detail(QStringLiteral("%([1-9])"));
    ConverterForm form{row.id, english, {}, {}, 0, row.reasonDetail};
    QString pattern;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = detail.globalMatch(english); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (form.details == 0) form.head = english.left(match.capturedStart());
        const int number = match.captured(1).toInt();
        form.details = std::max(form.details, number);
        pattern += QRegularExpression::escape(english.mid(from, match.capturedStart() - from));
        pattern += QStringLiteral("(?<d%1>.*?)").arg(number);
        from = match.capturedEnd();
    }
    form.tail = form.details == 0 ? QString() : english.mid(from);
    pattern += QRegularExpression::escape(english.mid(from));
    form.pattern = QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                      QRegularExpression::DotMatchesEverythingOption);
    return form;
}

const std::vector<ConverterForm>& converterForms()
{
    static const std::vector<ConverterForm> forms = [] {
        std::vector<ConverterForm> all;
        for (const MessageRow& row : messageRows())
            if (row.use == MessageUse::ConverterForm) all.push_back(formOf(row));
        return all;
    }();
    return forms;
}

QString worded(const QString& text, int depth)
{
    if (depth >= kMaxDepth || text.isEmpty()) return text;
    for (const ConverterForm& form : converterForms()) {
        if (!text.startsWith(form.head) || !text.endsWith(form.tail) ||
            text.size() < form.head.size() + form.tail.size())
            continue;
        const QRegularExpressionMatch match = form.pattern.match(text);
        if (!match.hasMatch()) continue;
        QStringList details;
        for (int number = 1; number <= form.details; ++number) {
            const QString detail = match.captured(QStringLiteral("d%1").arg(number));
            details << (number == form.reasonDetail ? worded(detail, depth + 1) : detail);
        }
        return fillMessage(messageText(form.id), details);
    }
    return text;
}

}  // namespace

QString converterText(const QString& text) { return worded(text, 0); }

QString converterText(std::string_view text)
{
    return converterText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace vellumar
