#include "ui/charset_text.h"

#include <QLineEdit>
#include <QVariant>

#include "encodings/text_encoding.h"
#include "settings/charsets.h"

namespace vellumar {

namespace {

constexpr const char* kCharsetProperty = "charset";
constexpr int kDefaultCharset = 1;

}  // namespace

QString DecodeBytes(std::string_view bytes, int charset)
{
    try {
        const std::string utf8 = CodePageToUtf8(bytes, CodePageOfCharset(charset));
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    } catch (const EncodingError&) {
        const std::string utf8 = Windows1251ToUtf8(bytes);
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
}

std::string EncodeText(const QString& text, int charset)
{
    const QByteArray utf8 = text.toUtf8();
    const std::string_view view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    try {
        return Utf8ToCodePage(view, CodePageOfCharset(charset));
    } catch (const EncodingError&) {
        return Utf8ToWindows1251(view);
    }
}

int TextBoxCharset(const QLineEdit* box)
{
    const QVariant value = box->property(kCharsetProperty);
    return value.isValid() ? value.toInt() : kDefaultCharset;
}

void SetTextBoxCharset(QLineEdit* box, int charset)
{
    const int old = TextBoxCharset(box);
    if (old == charset && box->property(kCharsetProperty).isValid())
        return;
    const std::string bytes = EncodeText(box->text(), old);
    box->setProperty(kCharsetProperty, charset);
    box->setText(DecodeBytes(bytes, charset));
}

std::string TextBoxBytes(const QLineEdit* box)
{
    return EncodeText(box->text(), TextBoxCharset(box));
}

void SetTextBoxBytes(QLineEdit* box, std::string_view bytes)
{
    box->setText(DecodeBytes(bytes, TextBoxCharset(box)));
}

}  // namespace vellumar
