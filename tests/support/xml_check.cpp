#include "support/xml_check.h"

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

}  // namespace vellumar::testing
