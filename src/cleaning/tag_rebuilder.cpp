#include "cleaning/tag_rebuilder.h"

#include "cleaning/attribute_quoting.h"
#include "cleaning/cp1251_case.h"
#include "cleaning/tag_tables.h"
#include "base/text_rules.h"

namespace vellumar {

namespace {

}  // namespace

TRebuiltTag RebuildTag(const THTMLItem& tag, const ClassStyleRules& rules)
{
    TClassStyle style = ClassStyleOfTag(tag, rules);
    const std::string& name = style.TagName;
    const bool dissolved = IsDissolvedTag(name);

    TRebuiltTag r;
    r.IsEmpty = IsEmptyElement(name);
    r.IsClosing = style.IsClosing;
    r.ClassCloseText = style.CloseText;
    r.CloseTag = ClosingTagText(name);

    if (dissolved) {
        r.OpenText = std::move(style.OpenText);
        r.CloseText = std::move(style.CloseText);
        return r;
    }

    std::string inner = name;
    inner.push_back(' ');
    if (tag.paramCount() > 0 && (!IsReducedTag(name) || name == "table" || name == "tr" || name == "td")) {
        std::string lowerKey;
        for (std::int32_t i = 0; i < tag.paramCount(); ++i) {
            const THTMLParam param = tag.Param(i);
            LowerCp1251Into(param.Key(), lowerKey);
            if (!KeptAttributes(lowerKey, name)) continue;
            inner.push_back(' ');
            inner.append(param.Key());
            inner.push_back('=');
            inner.append(QuoteAttributeValue(lowerKey, param.Value()));
        }
    }
    const std::string_view written = TrimControls(inner);
    r.OpenText.reserve(written.size() + 2 + style.OpenText.size());
    r.OpenText.append("<").append(written).append(">").append(style.OpenText);
    r.CloseText = style.CloseText + r.CloseTag;
    return r;
}

}  // namespace vellumar
