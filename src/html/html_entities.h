#pragma once

#include <optional>
#include <string_view>

namespace vellumar {

// One or two code points (second is 0 when there is only one).
struct EntityCodePoints {
    char32_t first = 0;
    char32_t second = 0;
};

// The code points of an HTML named character reference, given its name without "&" and ";"
// ("laquo", "mdash"); case-sensitive. nullopt when HTML has no such entity.
std::optional<EntityCodePoints> lookupHtmlEntity(std::string_view name);

}  // namespace vellumar
