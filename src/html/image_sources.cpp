#include "html/image_sources.h"

#include "base/ascii_case.h"

namespace vellumar {

std::vector<std::string> ImageSources(const THTMLParser& parser)
{
    std::vector<std::string> srcs;
    for (std::int32_t i = 0; i < parser.ItemCount(); ++i) {
        const THTMLItem item = parser.Item(i);
        if (!item.isTag() || !EqualsNoCase(item.Name(), "img")) continue;
        for (std::int32_t k = 0; k < item.paramCount(); ++k) {
            const THTMLParam param = item.Param(k);
            if (EqualsNoCase(param.Key(), "src")) srcs.emplace_back(param.Value());
        }
    }
    return srcs;
}

}  // namespace vellumar
