#include "cleaning/class_style_rules.h"

#include <functional>

#include "base/ascii_case.h"
#include "cleaning/cp1251_case.h"

namespace vellumar {

std::size_t ClassStyleRules::KeyHash::operator()(KeyView k) const noexcept
{
    const std::size_t h1 = std::hash<std::string_view>{}(k.element);
    const std::size_t h2 = std::hash<std::string_view>{}(k.className);
    return h1 ^ (h2 + 0x9e3779b97f4a7c15ULL + (h1 << 6) + (h1 >> 2));
}

void ClassStyleRules::clear()
{
    m_rules.clear();
    m_firstRule.clear();
}

void ClassStyleRules::AddClassStyleRule(std::string_view element, std::string_view className,
                                        std::string_view declarations, bool italic, bool bold)
{
    AddClassStyleRule(element, className, std::make_shared<const std::string>(declarations), italic, bold);
}

void ClassStyleRules::AddClassStyleRule(std::string_view element, std::string_view className,
                                        std::shared_ptr<const std::string> declarations, bool italic, bool bold)
{
    TClassStyleRule rule;
    rule.Element = element;
    rule.ClassName = className;
    rule.Declarations = std::move(declarations);
    if (bold) {
        rule.BoldOpen = "<b>";
        rule.BoldClose = "</b>";
    }
    if (italic) {
        rule.ItalicOpen = "<i>";
        rule.ItalicClose = "</i>";
    }
    // A later rule with the same selector never replaces the first one in the index.
    m_firstRule.try_emplace(Key{rule.Element, rule.ClassName}, m_rules.size());
    m_rules.push_back(std::move(rule));
}

const TClassStyleRule* ClassStyleRules::FindClassStyleRule(std::string_view element, std::string_view className) const
{
    if (m_firstRule.empty()) return nullptr;
    const auto it = m_firstRule.find(KeyView{element, className});
    return it == m_firstRule.end() ? nullptr : &m_rules[it->second];
}

void ClassStyleOfTag(const THTMLItem& tag, std::string_view lowerName, const ClassStyleRules& rules,
                     TClassStyle& style)
{
    style.OpenText.clear();
    style.CloseText.clear();
    if (rules.size() == 0) return;
    std::string lowerClass;
    for (std::int32_t i = 0; i < tag.paramCount(); ++i) {
        const THTMLParam param = tag.Param(i);
        if (!EqualsNoCase(param.Key(), "class")) continue;
        LowerCp1251Into(param.Value(), lowerClass);
        const TClassStyleRule* rule = rules.FindClassStyleRule(lowerName, lowerClass);
        if (rule == nullptr) continue;
        style.OpenText.assign(rule->BoldOpen).append(rule->ItalicOpen);
        style.CloseText.assign(rule->ItalicClose).append(rule->BoldClose);
    }
}

}  // namespace vellumar
