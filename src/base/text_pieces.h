#pragma once
// A long text held as the pieces it was made in, in order, rather than copied into one string:
// a book is its header and body followed by megabytes of picture elements, each made apart,
// and is written to its file straight from them.

#include <string>
#include <vector>

namespace vellumar {

using TextPieces = std::vector<std::string>;

// The pieces one after another, in one string.
std::string joinPieces(const TextPieces& pieces);

}  // namespace vellumar
