// Reading helpers shared by the settings file and the language files, on top
// of TinyXML.
#pragma once

#include <optional>
#include <string>

#include <tinyxml.h>

namespace localisation {

// The bytes of a file as the parser gets them: up to the first zero byte,
// with CR LF and lone CR as LF (as TinyXML does when it reads a file), and
// every byte that is not part of a well-formed UTF-8 sequence replaced by
// U+FFFD. TinyXML skips a whole sequence by its lead byte, so a truncated
// sequence before the end of the text would make it read past the end.
std::string PrepareXmlText(const std::string& bytes);

// Parses a document from the bytes of a file, prepared as above. White space
// in text is condensed (leading and trailing white space dropped, inner runs
// become one space) and the encoding comes from the byte-order mark or the
// declaration. False when the document is malformed or holds no element.
bool ParseXmlDocument(const std::string& bytes, TiXmlDocument& document);

// The leading decimal integer of `text`: optional white space, optional sign,
// digits up to the first non-digit; 0 when there is no number. Values beyond
// the range of int saturate at its limits.
int LeadingInteger(const char* text);

// The first child element of `parent` with this name, or null.
const TiXmlElement* ChildElement(const TiXmlNode* parent, const char* name);

// The element's text, or nothing when it has none.
std::optional<std::string> ElementText(const TiXmlElement* element);

}  // namespace localisation
