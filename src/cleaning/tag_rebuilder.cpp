#include "cleaning/tag_rebuilder.h"

#include "cleaning/attribute_quoting.h"
#include "cleaning/cp1251_case.h"
#include "cleaning/tag_tables.h"
#include "base/text_rules.h"

namespace vellumar {

const TRebuiltTag& TagRebuilder::rebuild(const THTMLItem& tag, std::string_view name, const ClassStyleRules& rules)
{
    ClassStyleOfTag(tag, name, rules, m_style);
    TRebuiltTag& r = m_tag;
    r.IsEmpty = IsEmptyElement(name);
    r.IsClosing = !name.empty() && name.front() == '/';
    r.ClassCloseText = m_style.CloseText;
    r.CloseTag.clear();
    AppendClosingTagText(r.CloseTag, name);

    if (IsDissolvedTag(name)) {
        r.OpenText = m_style.OpenText;
        r.CloseText = m_style.CloseText;
        return r;
    }

    m_inner.assign(name);
    m_inner.push_back(' ');
    if (tag.paramCount() > 0 && (!IsReducedTag(name) || name == "table" || name == "tr" || name == "td")) {
        for (std::int32_t i = 0; i < tag.paramCount(); ++i) {
            const THTMLParam param = tag.Param(i);
            LowerCp1251Into(param.Key(), m_lowerKey);
            if (!KeptAttributes(m_lowerKey, name)) continue;
            m_inner.push_back(' ');
            m_inner.append(param.Key());
            m_inner.push_back('=');
            m_inner.append(QuoteAttributeValue(m_lowerKey, param.Value()));
        }
    }
    const std::string_view written = TrimControls(m_inner);
    r.OpenText.clear();
    r.OpenText.append("<").append(written).append(">").append(m_style.OpenText);
    r.CloseText.assign(m_style.CloseText).append(r.CloseTag);
    return r;
}

}  // namespace vellumar
