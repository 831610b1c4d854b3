#include "support/xml_check.h"

#include <libxml/c14n.h>
#include <libxml/parser.h>

namespace vellumar::testing {

std::string xmlProblem(std::string_view bytes)
{
    xmlResetLastError();
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "book.fb2", nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc != nullptr) {
        xmlFreeDoc(doc);
        return {};
    }
    const xmlError* error = xmlGetLastError();
    return error != nullptr && error->message != nullptr ? error->message : "not well-formed";
}

std::string canonicalXml(std::string_view bytes)
{
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "book.fb2", nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
    if (doc == nullptr) return {};
    xmlChar* text = nullptr;
    const int size = xmlC14NDocDumpMemory(doc, nullptr, XML_C14N_1_0, nullptr, 0, &text);
    std::string result =
        size > 0 ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)) : "";
    xmlFree(text);
    xmlFreeDoc(doc);
    return result;
}

}  // namespace vellumar::testing
