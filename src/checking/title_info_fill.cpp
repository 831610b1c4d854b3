#include "checking/title_info_fill.h"

#include <string_view>

namespace vellumar {

namespace {

constexpr std::string_view kFb2Namespace = "http://www.gribuser.ru/xml/fictionbook/2.0";

const xmlChar* xml(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

bool isFb2Element(const xmlNode* node, std::string_view name)
{
    if (!node || node->type != XML_ELEMENT_NODE || !node->ns || !node->ns->href) return false;
    return std::string_view(reinterpret_cast<const char*>(node->name)) == name &&
           std::string_view(reinterpret_cast<const char*>(node->ns->href)) == kFb2Namespace;
}

xmlNode* child(xmlNode* parent, std::string_view name)
{
    for (xmlNode* node = parent ? parent->children : nullptr; node; node = node->next)
        if (isFb2Element(node, name)) return node;
    return nullptr;
}

xmlNode* firstElement(xmlNode* parent)
{
    for (xmlNode* node = parent->children; node; node = node->next)
        if (node->type == XML_ELEMENT_NODE) return node;
    return nullptr;
}

// A new element of the FB2 namespace (the one `parent` uses), put before `before` or at the end.
xmlNode* addElement(xmlNode* parent, xmlNode* before, const char* name, const char* content)
{
    xmlNode* node = xmlNewDocNode(parent->doc, parent->ns, xml(name), content ? xml(content) : nullptr);
    return before ? xmlAddPrevSibling(before, node) : xmlAddChild(parent, node);
}

int lineOf(const xmlNode* node)
{
    return static_cast<int>(xmlGetLineNo(node));
}

}  // namespace

void fillMissingTitleInfo(xmlDoc& document, std::vector<BookProblem>& problems)
{
    xmlNode* root = xmlDocGetRootElement(&document);
    if (!isFb2Element(root, "FictionBook")) return;
    xmlNode* titleInfo = child(child(root, "description"), "title-info");
    if (!titleInfo) return;
    const int line = lineOf(titleInfo);

    if (!child(titleInfo, "genre")) {
        problems.push_back({line, ProblemSeverity::Warning,
                            "title-info has no genre: add one, for example <genre>prose_classic</genre>"});
        addElement(titleInfo, firstElement(titleInfo), "genre", "prose_classic");
    }
    if (!child(titleInfo, "author")) {
        problems.push_back({line, ProblemSeverity::Warning,
                            "title-info has no author: add <author> with <first-name> and <last-name> "
                            "(or a <nickname>) after the genres"});
        // After the last genre, where the schema expects the authors.
        xmlNode* afterGenres = nullptr;
        for (xmlNode* node = titleInfo->children; node; node = node->next)
            if (isFb2Element(node, "genre")) afterGenres = node->next;
        while (afterGenres && afterGenres->type != XML_ELEMENT_NODE) afterGenres = afterGenres->next;
        xmlNode* author = addElement(titleInfo, afterGenres, "author", nullptr);
        addElement(author, nullptr, "first-name", "");
        addElement(author, nullptr, "last-name", "");
    }
}

}  // namespace vellumar
