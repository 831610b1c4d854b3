#include "checking/book_check.h"

#include <algorithm>
#include <climits>
#include <memory>

#include <libxml/entities.h>
#include <libxml/hash.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>

#include "checking/title_info_fill.h"

namespace vellumar {

namespace {

struct DocumentFree {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
struct ParserFree {
    void operator()(xmlParserCtxt* parser) const { xmlFreeParserCtxt(parser); }
};
struct SchemaParserFree {
    void operator()(xmlSchemaParserCtxt* parser) const { xmlSchemaFreeParserCtxt(parser); }
};
struct SchemaFree {
    void operator()(xmlSchema* schema) const { xmlSchemaFree(schema); }
};
struct ValidatorFree {
    void operator()(xmlSchemaValidCtxt* validator) const { xmlSchemaFreeValidCtxt(validator); }
};

// libxml2's messages name elements with their namespace in braces; the book's readers know the
// names without it. The message's closing line break goes too.
std::string readableMessage(const char* text)
{
    std::string message = text ? text : "unknown problem";
    for (const std::string_view prefix :
         {std::string_view("{http://www.gribuser.ru/xml/fictionbook/2.0}"), std::string_view("{http://www.w3.org/1999/xlink}")}) {
        for (std::size_t at = message.find(prefix); at != std::string::npos; at = message.find(prefix, at)) {
            if (prefix.find("xlink") != std::string_view::npos)
                message.replace(at, prefix.size(), "xlink:");
            else
                message.erase(at, prefix.size());
        }
    }
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
    return message;
}

// Collects libxml2's reports into the result's problems.
struct Collector {
    std::vector<BookProblem>* problems;
    std::string prefix;    // put before each message (the schema's file for problems of the schema)
    bool withLines = true;  // false for the schema's problems: their lines are not the book's
};

void collect(void* data, const xmlError* error)
{
    if (!data || !error || error->level == XML_ERR_NONE) return;
    auto& collector = *static_cast<Collector*>(data);
    const ProblemSeverity severity = error->level == XML_ERR_WARNING ? ProblemSeverity::Warning : ProblemSeverity::Error;
    collector.problems->push_back({collector.withLines ? error->line : 0, severity, collector.prefix + readableMessage(error->message)});
}

// libxml2 2.9 declares the handler with a non-const error.
void collectError(void* data, xmlError* error)
{
    collect(data, error);
}

// The parser hands its own context to the handler; the collector rides in its private pointer.
void collectParseError(void* data, xmlError* error)
{
    const auto* parser = static_cast<const xmlParserCtxt*>(data);
    if (parser) collect(parser->_private, error);
}

// libxml2's messages that come through no context (its "Internal error" lines) would go to
// standard error as they are; the book's problems are reported as lines of their own instead.
void ignoreGenericError(void*, const char*, ...) {}

// Entities a book may declare in its DTD: FB2 needs none, a hand-made book a few.
constexpr int kMaxEntities = 32;

// The length an entity's text has once the entities it names are replaced too, up to `cap`
// (a longer one is taken as `cap`). `lengths` holds those already known; -1 marks one being
// worked out, a loop the parser has already refused.
std::size_t expandedLength(xmlDoc& document, const xmlEntity& entity, std::size_t cap,
                           std::vector<std::pair<const xmlEntity*, std::size_t>>& lengths, int depth)
{
    for (const auto& [known, length] : lengths)
        if (known == &entity) return length;
    if (depth > kMaxEntities || !entity.content) return cap;
    const std::string_view text(reinterpret_cast<const char*>(entity.content), static_cast<std::size_t>(entity.length));
    std::size_t length = 0;
    for (std::size_t at = 0; at < text.size() && length < cap;) {
        const std::size_t amp = text.find('&', at);
        const std::size_t semicolon = amp == std::string_view::npos ? amp : text.find(';', amp);
        if (semicolon == std::string_view::npos) {
            length += text.size() - at;
            break;
        }
        length += amp - at;
        const std::string name(text.substr(amp + 1, semicolon - amp - 1));
        const xmlEntity* inner = name.starts_with('#')
                                     ? nullptr
                                     : xmlGetDocEntity(&document, reinterpret_cast<const xmlChar*>(name.c_str()));
        length += inner ? expandedLength(document, *inner, cap, lengths, depth + 1) : semicolon - amp + 1;
        at = semicolon + 1;
    }
    length = std::min(length, cap);
    lengths.emplace_back(&entity, length);
    return length;
}

// The bytes the references to entities in the node and its descendants (attributes too) would
// add once replaced, up to `cap`.
std::size_t referencedLength(xmlDoc& document, xmlNode* node, std::size_t cap,
                             std::vector<std::pair<const xmlEntity*, std::size_t>>& lengths)
{
    std::size_t total = 0;
    for (; node && total < cap; node = node->next) {
        if (node->type == XML_ENTITY_REF_NODE) {
            if (const xmlEntity* entity = xmlGetDocEntity(&document, node->name))
                total += expandedLength(document, *entity, cap, lengths, 0);
            continue;  // its children are the entity's own, counted above
        }
        if (node->type == XML_ELEMENT_NODE)
            for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next)
                total += referencedLength(document, attribute->children, cap, lengths);
        total += referencedLength(document, node->children, cap, lengths);
    }
    return std::min(total, cap);
}

// Why the entities the book declares are refused, or "" when they may be replaced: a few, whose
// replacement keeps the book near its size (an entity naming another ten times, over a few
// levels, makes gigabytes of a small file).
std::string entityProblem(xmlDoc& document, std::size_t bookSize)
{
    const xmlDtd* dtd = document.intSubset;
    if (!dtd || !dtd->entities) return "";
    const int count = xmlHashSize(static_cast<xmlHashTablePtr>(dtd->entities));
    if (count > kMaxEntities)
        return "the book's DTD declares " + std::to_string(count) + " entities, more than " +
               std::to_string(kMaxEntities) + "; it was not checked further";
    const std::size_t cap = std::max<std::size_t>(bookSize, std::size_t{1} << 20);
    std::vector<std::pair<const xmlEntity*, std::size_t>> lengths;
    if (referencedLength(document, document.children, cap, lengths) >= cap)
        return "the book's entities would make it larger than " + std::to_string(cap) +
               " bytes; it was not checked further";
    return "";
}

// Parses the schema and checks the (filled-in) tree against it. False when the schema could not
// be read.
bool validate(xmlDoc& document, const std::filesystem::path& schemaFile, std::vector<BookProblem>& problems)
{
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(schemaFile, ignored)) {
        problems.push_back({0, ProblemSeverity::Error,
                            "the FB2 schema " + schemaFile.string() + " is missing; the book was checked for "
                            "well-formedness only"});
        return false;
    }
    Collector schemaProblems{&problems, "FB2 schema " + schemaFile.string() + ": ", false};
    const std::unique_ptr<xmlSchemaParserCtxt, SchemaParserFree> schemaParser(
        xmlSchemaNewParserCtxt(schemaFile.string().c_str()));
    if (!schemaParser) return false;
    xmlSchemaSetParserStructuredErrors(schemaParser.get(), collectError, &schemaProblems);
    const std::unique_ptr<xmlSchema, SchemaFree> schema(xmlSchemaParse(schemaParser.get()));
    if (!schema) {
        problems.push_back({0, ProblemSeverity::Error,
                            "the FB2 schema " + schemaFile.string() + " could not be read; the book was checked "
                            "for well-formedness only"});
        return false;
    }
    Collector bookProblems{&problems, ""};
    const std::unique_ptr<xmlSchemaValidCtxt, ValidatorFree> validator(xmlSchemaNewValidCtxt(schema.get()));
    xmlSchemaSetValidStructuredErrors(validator.get(), collectError, &bookProblems);
    xmlSchemaValidateDoc(validator.get(), &document);
    return true;
}

}  // namespace

BookCheckResult checkFb2Book(std::string_view bytes, const std::filesystem::path& schema)
{
    BookCheckResult result;
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        result.problems.push_back({0, ProblemSeverity::Error, "the book is too large to check"});
        return result;
    }
    const std::unique_ptr<xmlParserCtxt, ParserFree> parser(xmlNewParserCtxt());
    if (!parser) {
        result.problems.push_back({0, ProblemSeverity::Error, "out of memory"});
        return result;
    }
    Collector parseProblems{&result.problems, ""};
    // Parse problems go to the collector, not to standard error.
    parser->sax->serror = collectParseError;
    parser->_private = &parseProblems;
    xmlSetGenericErrorFunc(nullptr, ignoreGenericError);
    // No network, no external entities or DTDs: the book is data. Line numbers past 65535 kept;
    // text nodes past libxml2's usual 10 MB allowed, as a book's large pictures are.
    constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_NOWARNING | XML_PARSE_HUGE;
    const auto parse = [&](int options) {
        return std::unique_ptr<xmlDoc, DocumentFree>(xmlCtxtReadMemory(
            parser.get(), bytes.data(), static_cast<int>(bytes.size()), "book.fb2", nullptr, options));
    };
    std::unique_ptr<xmlDoc, DocumentFree> document = parse(kOptions);
    result.wellFormed = document && parser->wellFormed;
    if (!result.wellFormed) {
        // After the first fatal error the parser reports what follows from it (every enclosing
        // element then seems mismatched); only the first one is the book's problem.
        if (result.problems.size() > 1) result.problems.resize(1);
        if (result.problems.empty())
            result.problems.push_back({0, ProblemSeverity::Error, "the text is not an XML document"});
        return result;
    }
    // The schema sees the text the entities stand for, not references to them (which its
    // checker cannot walk), once it is clear that replacing them stays within bounds.
    if (const xmlDtd* dtd = document->intSubset; dtd && dtd->entities) {
        if (const std::string problem = entityProblem(*document, bytes.size()); !problem.empty()) {
            result.problems.push_back({0, ProblemSeverity::Error, problem});
            result.refused = true;
            return result;
        }
        document.reset();
        document = parse(kOptions | XML_PARSE_NOENT);
        if (!document) {
            result.problems.push_back({0, ProblemSeverity::Error, "the book's entities could not be replaced"});
            result.refused = true;
            return result;
        }
    }
    fillMissingTitleInfo(*document, result.problems);
    result.schemaChecked = validate(*document, schema, result.problems);
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const BookProblem& a, const BookProblem& b) { return a.line < b.line; });
    return result;
}

std::filesystem::path findFb2Schema(const std::filesystem::path& programFolder)
{
    const std::filesystem::path beside = programFolder / "schema" / "FictionBook.xsd";
    const std::filesystem::path installed =
        programFolder / ".." / "share" / "vellumar" / "schema" / "FictionBook.xsd";
    std::error_code ignored;
    if (!std::filesystem::exists(beside, ignored) && std::filesystem::exists(installed, ignored))
        return installed.lexically_normal();
    return beside;
}

}  // namespace vellumar
