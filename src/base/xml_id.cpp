#include "base/xml_id.h"

namespace vellumar {

namespace {

bool isIdLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

bool isIdCharacter(char c) { return isIdLetter(c) || (c >= '0' && c <= '9') || c == '.' || c == '-'; }

}  // namespace

std::string xmlIdForm(std::string_view name)
{
    std::string id;
    id.reserve(name.size() + 1);
    if (name.empty() || !isIdLetter(name.front())) id += '_';
    for (const char c : name) id += isIdCharacter(c) ? c : '_';
    return id;
}

}  // namespace vellumar
