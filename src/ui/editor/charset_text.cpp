#include "ui/editor/charset_text.h"

#include <QLineEdit>
#include <QVariant>

#include "encodings/text_encoding.h"
#include "settings/charsets.h"

namespace vellumar {

namespace {

constexpr const char* kCharsetProperty = "charset";
constexpr int kDefaultCharset = 1;

}  // namespace

QString decodeBytes(std::string_view bytes, int charset)
{
    try {
        const std::string utf8 = codePageToUtf8(bytes, codePageOfCharset(charset));
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    } catch (const EncodingError&) {
        const std::string utf8 = windows1251ToUtf8(bytes);
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
}

std::string encodeText(const QString& text, int charset)
{
    const QByteArray utf8 = text.toUtf8();
    const std::string_view view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    try {
        return utf8ToCodePage(view, codePageOfCharset(charset));
    } catch (const EncodingError&) {
        return utf8ToWindows1251(view);
    }
}

int textBoxCharset(const QLineEdit* box)
{
    const QVariant value = box->property(kCharsetProperty);
    return value.isValid() ? value.toInt() : kDefaultCharset;
}

void setTextBoxCharset(QLineEdit* box, int charset)
{
    const int old = textBoxCharset(box);
    if (old == charset && box->property(kCharsetProperty).isValid())
        return;
    const std::string bytes = encodeText(box->text(), old);
    box->setProperty(kCharsetProperty, charset);
    box->setText(decodeBytes(bytes, charset));
}

std::string textBoxBytes(const QLineEdit* box)
{
    return encodeText(box->text(), textBoxCharset(box));
}

void setTextBoxBytes(QLineEdit* box, std::string_view bytes)
{
    box->setText(decodeBytes(bytes, textBoxCharset(box)));
}

}  // namespace vellumar
