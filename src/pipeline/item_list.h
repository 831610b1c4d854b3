#pragma once
// The item list of a source text: what the tokenizer makes of it, item by item, as the
// converter's --items writes it.

#include <string>

#include "base/user_interaction.h"

namespace vellumar {

// Tokenizes `sourceText` (the source editor's lines joined by CR LF) and lists its items, one
// JSON object per item and line (ended by LF), strings decoded from windows-1251 to UTF-8.
// Tokenizer problems go to `user`.
std::string sourceItemList(std::string sourceText, UserInteraction& user);

}  // namespace vellumar
