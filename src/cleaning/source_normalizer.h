#pragma once
// The cleaning every loaded HTML source passes through once before it is shown and converted:
// scripts, style blocks, comments and server scripts removed; bold and italic style classes
// turned into "b" and "i" tags; "font", "span", "div" and "o:p" dissolved; every other tag
// rebuilt in lower case with filtered attributes, block-level tags on a new line; closing tags
// re-derived from the elements actually open.

#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "base/user_interaction.h"

namespace vellumar {

// `html` is split into lines and handed to the tokenizer with CR LF after every line;
// `straightenText` turns the line breaks inside text into spaces. Tokenizer problems go to
// `user`; the cleaning goes on with the items made so far. Elements still open at the end
// stay open; any bytes are accepted.
std::string normalizeSourceHtml(std::string_view html, bool straightenText, UserInteraction& user);
// The same with "Straighten text" taken from the options.
std::string normalizeSourceHtml(std::string_view html, const ConversionOptions& options, UserInteraction& user);
// The same for a text the caller gives up: already in CR LF lines, it is tokenized where it
// is rather than copied first.
std::string normalizeTakenSourceHtml(std::string html, const ConversionOptions& options, UserInteraction& user);

}  // namespace vellumar
