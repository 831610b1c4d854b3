#include "convert/document_frame.h"

#include "base/program_info.h"
#include "convert/xml_text.h"

namespace vellumar {

std::string buildHeader(std::string_view title, std::string_view firstName, std::string_view lastName)
{
    std::string h;
    h.reserve(640 + title.size() + firstName.size() + lastName.size());
    auto line = [&h](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
        h.append(a).append(b).append(c).append("\r\n");
    };
    line("<?xml version=\"1.0\" encoding=\"windows-1251\"?>");
    line("<FictionBook xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
         "xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">");
    line("<description>");
    line("<title-info>");
    line(" <book-title>", escapeXmlValue(title), "</book-title>");
    line(" <lang>ru</lang>");
    line("</title-info>");
    line("<document-info>");
    line(" <author>");
    line(" <first-name>", escapeXmlValue(firstName), "</first-name>");
    line(" <last-name>", escapeXmlValue(lastName), "</last-name>");
    line(" </author>");
    h.append(" <program-used>").append(kProgramName).append(" (").append(kProgramWebAddress).append(")</program-used>\r\n");
    line(" <date></date>");
    line(" <src-url></src-url>");
    line(" <src-ocr></src-ocr>");
    line(" <id></id>");
    line(" <version>1.0</version>");
    line("</document-info>");
    line("<publish-info></publish-info>");
    line("</description>");
    return h;
}

std::string closeDocument() { return "\r\n</FictionBook>"; }

}  // namespace vellumar
