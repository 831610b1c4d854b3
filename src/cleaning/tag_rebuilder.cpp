#include "cleaning/tag_rebuilder.h"

#include "cleaning/attribute_quoting.h"
#include "cleaning/cp1251_case.h"
#include "cleaning/tag_tables.h"
#include "base/text_rules.h"

namespace vellumar {

namespace {

std::string_view idOf(const HtmlItem& tag)
{
    for (std::int32_t i = 0; i < tag.paramCount(); ++i) {
        const HtmlParam param = tag.param(i);
        const std::string_view key = param.key();
        if (key.size() == 2 && (key[0] | 0x20) == 'i' && (key[1] | 0x20) == 'd') return param.value();
    }
    return {};
}

}  // namespace

const RebuiltTag& TagRebuilder::rebuild(const HtmlItem& tag, std::string_view name, const ClassStyleRules& rules)
{
    classStyleOfTag(tag, name, rules, m_style);
    RebuiltTag& r = m_tag;
    r.isEmpty = isEmptyElement(name);
    r.isClosing = !name.empty() && name.front() == '/';
    r.classCloseText = m_style.closeText;
    r.closeTag.clear();
    appendClosingTagText(r.closeTag, name);

    const std::string_view keptId = m_keepIds && !r.isClosing ? idOf(tag) : std::string_view();
    if (isDissolvedTag(name)) {
        r.openText.clear();
        if (!keptId.empty()) r.openText.append("<a id=").append(quoteAttributeValue("id", keptId)).append("></a>");
        r.openText.append(m_style.openText);
        r.closeText = m_style.closeText;
        return r;
    }

    m_inner.assign(name);
    m_inner.push_back(' ');
    if (tag.paramCount() > 0 && (!isReducedTag(name) || name == "table" || name == "tr" || name == "td")) {
        for (std::int32_t i = 0; i < tag.paramCount(); ++i) {
            const HtmlParam param = tag.param(i);
            lowerCp1251Into(param.key(), m_lowerKey);
            if (!keptAttributes(m_lowerKey, name)) continue;
            m_inner.push_back(' ');
            m_inner.append(param.key());
            m_inner.push_back('=');
            m_inner.append(quoteAttributeValue(m_lowerKey, param.value()));
        }
    }
    if (!keptId.empty() && isReducedTag(name)) m_inner.append(" id=").append(quoteAttributeValue("id", keptId));
    const std::string_view written = trimControls(m_inner);
    r.openText.clear();
    r.openText.append("<").append(written).append(">").append(m_style.openText);
    r.closeText.assign(m_style.closeText).append(r.closeTag);
    return r;
}

}  // namespace vellumar
