#include "convert/complete_tags.h"

#include <string>
#include <unordered_map>

namespace vellumar {

namespace {

const std::unordered_map<std::string_view, CompleteTag>& tagTable()
{
    using T = CompleteTag;
    static const std::unordered_map<std::string_view, CompleteTag> kTable = {
        {"b", T::Strong},        {"strong", T::Strong},    {"i", T::Emphasis},       {"em", T::Emphasis},
        {"cite", T::Emphasis},   {"dfn", T::Emphasis},     {"var", T::Emphasis},     {"s", T::Strike},
        {"strike", T::Strike},   {"del", T::Strike},       {"sub", T::Sub},          {"sup", T::Sup},
        {"code", T::Code},       {"tt", T::Code},          {"kbd", T::Code},         {"samp", T::Code},
        {"a", T::Link},          {"img", T::Picture},      {"br", T::Break},         {"h1", T::Heading},
        {"h2", T::Heading},      {"h3", T::Heading},       {"h4", T::Heading},       {"h5", T::Heading},
        {"h6", T::Heading},      {"table", T::Table},      {"tr", T::Table},         {"td", T::Table},
        {"th", T::Table},        {"caption", T::Table},    {"p", T::Paragraph},      {"ul", T::List},
        {"ol", T::List},         {"li", T::ListItem},      {"dl", T::Definition},    {"dt", T::Definition},
        {"dd", T::Definition},   {"blockquote", T::Quote}, {"pre", T::Pre},          {"hr", T::Rule},
        {"div", T::Block},       {"center", T::Block},     {"section", T::Block},    {"article", T::Block},
        {"aside", T::Block},     {"header", T::Block},     {"footer", T::Block},     {"nav", T::Block},
        {"main", T::Block},      {"figure", T::Block},     {"figcaption", T::Block}, {"address", T::Block},
        {"form", T::Block},      {"fieldset", T::Block},   {"legend", T::Block},     {"details", T::Block},
        {"summary", T::Block},   {"body", T::Block},       {"hgroup", T::Block},     {"head", T::Hidden},
        {"title", T::Hidden},    {"script", T::Hidden},    {"style", T::Hidden},     {"xml", T::Hidden},
        {"template", T::Hidden}, {"svg", T::Hidden},
    };
    return kTable;
}

}  // namespace

CompleteTag completeTagOf(std::string_view bareName)
{
    const auto& table = tagTable();
    const auto found = table.find(bareName);
    return found == table.end() ? CompleteTag::Other : found->second;
}

}  // namespace vellumar
