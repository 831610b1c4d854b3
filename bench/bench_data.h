#pragma once
// Generated inputs for the benchmarks: realistic books of a chosen size, made in memory.

#include <cstddef>
#include <string>

namespace vellumar::bench {

// A multi-chapter HTML book of about `bytes` bytes: headings, paragraphs, bold and italic,
// named entities, lists and line breaks, lines ended by CR LF.
std::string generateHtmlBook(std::size_t bytes);

}  // namespace vellumar::bench
