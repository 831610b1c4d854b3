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

void ClassStyleRules::addClassStyleRule(std::string_view element, std::string_view className,
                                        std::string_view declarations, bool italic, bool bold)
{
    addClassStyleRule(element, className, std::make_shared<const std::string>(declarations), italic, bold);
}

void ClassStyleRules::addClassStyleRule(std::string_view element, std::string_view className,
                                        std::shared_ptr<const std::string> declarations, bool italic, bool bold)
{
    ClassStyleRule rule;
    rule.element = element;
    rule.className = className;
    rule.declarations = std::move(declarations);
    if (bold) {
        rule.boldOpen = "<b>";
        rule.boldClose = "</b>";
    }
    if (italic) {
        rule.italicOpen = "<i>";
        rule.italicClose = "</i>";
    }
    // A later rule with the same selector never replaces the first one in the index.
    m_firstRule.try_emplace(Key{rule.element, rule.className}, m_rules.size());
    m_rules.push_back(std::move(rule));
}

const ClassStyleRule* ClassStyleRules::findClassStyleRule(std::string_view element, std::string_view className) const
{
    if (m_firstRule.empty()) return nullptr;
    const auto it = m_firstRule.find(KeyView{element, className});
    return it == m_firstRule.end() ? nullptr : &m_rules[it->second];
}

void classStyleOfTag(const HtmlItem& tag, std::string_view lowerName, const ClassStyleRules& rules,
                     ClassStyle& style)
{
    style.openText.clear();
    style.closeText.clear();
    if (rules.size() == 0) return;
    std::string lowerClass;
    for (std::int32_t i = 0; i < tag.paramCount(); ++i) {
        const HtmlParam param = tag.param(i);
        if (!equalsNoCase(param.key(), "class")) continue;
        lowerCp1251Into(param.value(), lowerClass);
        const ClassStyleRule* rule = rules.findClassStyleRule(lowerName, lowerClass);
        if (rule == nullptr) continue;
        style.openText.assign(rule->boldOpen).append(rule->italicOpen);
        style.closeText.assign(rule->italicClose).append(rule->boldClose);
    }
}

}  // namespace vellumar
