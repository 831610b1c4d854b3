#pragma once
// Makes the body the walk wrote a well-formed run of XML elements, whatever the source's tags
// were. The walk maps tags one by one, so a misnested, stray or unclosed source tag leaves the
// same fault in the body; this stage mends only those places and leaves every element that is
// already closed in order untouched, byte for byte.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// Reads a body while it is being written, each part while it is fresh in the caches, so that
// balancing a well-formed body need not read it once more:
//     BodyShapeCheck check;
//     ... append to body ...; check.readOn(body);   // as often as wanted
//     body = balanceBody(std::move(body), check);
// Well-formed: every closing tag closes the element opened last, nothing is left open, and no
// tag is broken or nested too deep.
class BodyShapeCheck {
public:
    // Reads what was appended to `body` since the last call; only appending is allowed between.
    void readOn(std::string_view body);
    bool wellFormed() const { return m_wellFormed && m_open.empty(); }
    std::size_t readUpTo() const { return m_read; }

private:
    struct Name {
        std::size_t at;  // in the body, which may move as it grows
        std::size_t length;
    };
    std::vector<Name> m_open;  // the open elements, outermost first
    std::size_t m_read = 0;
    bool m_wellFormed = true;
};

// The same for a body that `check` has read to its end.
std::string balanceBody(std::string body, const BodyShapeCheck& check);

}  // namespace vellumar
