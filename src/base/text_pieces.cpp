#include "base/text_pieces.h"

namespace vellumar {

std::string joinPieces(const TextPieces& pieces)
{
    if (pieces.size() == 1) return pieces.front();
    std::size_t size = 0;
    for (const std::string& piece : pieces) size += piece.size();
    std::string joined;
    joined.reserve(size);
    for (const std::string& piece : pieces) joined.append(piece);
    return joined;
}

}  // namespace vellumar
