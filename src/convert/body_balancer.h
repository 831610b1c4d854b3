#pragma once
// Makes the body the walk wrote a well-formed run of XML elements, whatever the source's tags
// were. The walk maps tags one by one, so a misnested, stray or unclosed source tag leaves the
// same fault in the body; this stage mends only those places and leaves every element that is
// already closed in order untouched, byte for byte.

#include <string>

namespace vellumar {

// The body's tags are the walk's own (text is already escaped, so every "<" starts a tag).
// Where the nesting is broken:
// - an inline element still open at "</p>" is closed before it and opened again after the next
//   "<p>", so a line break inside bold text leaves both halves bold;
// - a "<p>" met while a paragraph that is never closed is open closes that paragraph first,
//   and a cell or row opened over an unclosed cell or row closes it first;
// - a closing tag that matches an element further out closes the ones in between; one that
//   matches nothing open (within its table, title or section) is dropped;
// - what is still open at the end is closed, innermost first.
// A body that is already well-formed comes back unchanged.
std::string balanceBody(std::string body);

}  // namespace vellumar
