#include "pipeline/item_list.h"

#include <cstdio>
#include <utility>

#include "encodings/text_encoding.h"
#include "html/tokenizer.h"

namespace vellumar {

namespace {

void appendJsonString(std::string& out, std::string_view windows1251)
{
    const std::string utf8 = windows1251ToUtf8(windows1251);
    out.push_back('"');
    for (char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

}  // namespace

std::string sourceItemList(std::string sourceText, UserInteraction& user)
{
    HtmlParser parser;
    parser.parse(std::move(sourceText), [&user](std::string_view message, std::string_view text) {
        user.reportTokenizerProblem(message, text);
    });
    std::string out;
    for (std::int32_t i = 0; i < parser.itemCount(); ++i) {
        const HtmlItem item = parser.item(i);
        switch (item.kind()) {
        case HtmlItemKind::Tag:
            out += "{\"kind\":\"tag\",\"name\":";
            appendJsonString(out, item.name());
            out += ",\"text\":";
            appendJsonString(out, item.tagText());
            out += ",\"params\":[";
            for (std::int32_t k = 0; k < item.paramCount(); ++k) {
                if (k > 0) out += ',';
                out += '[';
                appendJsonString(out, item.param(k).key());
                out += ',';
                appendJsonString(out, item.param(k).value());
                out += ']';
            }
            out += "]}\n";
            continue;
        case HtmlItemKind::Text: out += "{\"kind\":\"text\",\"text\":"; break;
        case HtmlItemKind::Comment: out += "{\"kind\":\"comment\",\"text\":"; break;
        case HtmlItemKind::ServerScript: out += "{\"kind\":\"script\",\"text\":"; break;
        }
        appendJsonString(out, item.text());
        out += "}\n";
    }
    return out;
}

}  // namespace vellumar
