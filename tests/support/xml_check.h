#pragma once

#include <string>
#include <string_view>

namespace vellumar::testing {

// Parses the bytes with libxml2. Returns "" when they are a well-formed XML document,
// else libxml2's first complaint.
std::string xmlProblem(std::string_view bytes);

// The document as libxml2 reads it, in canonical XML (UTF-8, every reference resolved, attributes
// in order): two encodings of the same document give the same text. "" when not well-formed.
std::string canonicalXml(std::string_view bytes);

}  // namespace vellumar::testing
