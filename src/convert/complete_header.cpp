#include "convert/complete_header.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <random>

#include "base/program_info.h"

namespace vellumar {

std::string buildCompleteHeader(const CompleteHeaderValues& v)
{
    std::string h;
    h.reserve(900 + 2 * (v.title.size() + v.firstName.size() + v.lastName.size()));
    auto line = [&h](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
        h.append(a).append(b).append(c).append("\r\n");
    };
    auto author = [&] {
        line(" <author>");
        line("  <first-name>", v.firstName, "</first-name>");
        line("  <last-name>", v.lastName, "</last-name>");
        line(" </author>");
    };
    line("<?xml version=\"1.0\" encoding=\"windows-1251\"?>");
    line(
        "<FictionBook xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">");
    line("<description>");
    line("<title-info>");
    line(" <genre>", v.genre, "</genre>");
    author();
    line(" <book-title>", v.title, "</book-title>");
    if (!v.coverId.empty()) line(" <coverpage><image xlink:href=\"#", v.coverId, "\"/></coverpage>");
    line(" <lang>", v.lang, "</lang>");
    line("</title-info>");
    line("<document-info>");
    author();
    h.append(" <program-used>")
        .append(kProgramName)
        .append(" (")
        .append(kProgramWebAddress)
        .append(")</program-used>\r\n");
    h.append(" <date value=\"").append(v.date).append("\">").append(v.date).append("</date>\r\n");
    line(" <id>", v.id, "</id>");
    line(" <version>1.0</version>");
    line("</document-info>");
    line("</description>");
    return h;
}

std::string randomUuid()
{
    std::random_device device;
    std::array<unsigned char, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const unsigned int word = device();
        for (std::size_t k = 0; k < 4; ++k) bytes[i + k] = static_cast<unsigned char>(word >> (8 * k));
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);  // version 4: random
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);  // the RFC 4122 variant
    std::string text;
    constexpr std::string_view kHex = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
    }
    return text;
}

std::string todayDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
    return text.data();
}

std::string languageCode(std::string_view value)
{
    std::string code;
    for (const char c : value) {
        if (c == '-' || c == '_') {
            if (!code.empty()) break;
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            code += static_cast<char>(c | 0x20);
        } else if (!code.empty() || static_cast<unsigned char>(c) > ' ') {
            break;
        }
    }
    if (code.size() < 2 || code.size() > 8) return "ru";
    return code;
}

}  // namespace vellumar
