#pragma once
// Makes windows-1251 text safe to stand in the book's XML without changing what it says.

#include <string>
#include <string_view>

namespace vellumar {

// Text for the body, after the entity rules ran: "&amp;", "&lt;", "&gt;", "&quot;", "&apos;"
// and numeric references to allowed characters stay ("&#X41;" written "&#x41;"), those to
// 128..159 become the windows-1252 characters they mean; another HTML named entity becomes its
// windows-1251 byte, or a numeric reference when windows-1251 lacks it; a bare "&" becomes
// "&amp;" and "<" becomes "&lt;"; references to characters XML forbids, control bytes other
// than TAB, LF and CR, and the unassigned byte 0x98 are dropped; "]]>" gets its ">" escaped.
void appendXmlSafeText(std::string& out, std::string_view text);
std::string xmlSafeText(std::string_view text);
// A text item of the source as the body holds it, in one pass: "&nbsp;", "&quot;" and
// "&#8209;" become a space, a quote and a hyphen, then the text is made safe as above. With
// `straighten`, the line breaks written in the text become spaces, while a reference to a
// line break stays.
void appendBodyText(std::string& out, std::string_view text, bool straighten);
// The same for an attribute value in double quotes: a double quote also becomes "&quot;".
std::string xmlSafeAttributeValue(std::string_view value);
// A value typed by the user (book title, author): "&" becomes "&amp;" unless it begins a
// numeric character reference (written as in the body), "<" and ">" become "&lt;" and "&gt;";
// forbidden bytes dropped.
std::string escapeXmlValue(std::string_view value);
// True for a plain ASCII XML name without a namespace prefix: a letter or "_", then letters,
// digits, "-", "_" and ".".
bool isXmlName(std::string_view name);

}  // namespace vellumar
