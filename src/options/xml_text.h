// The little XML that the option editors read from MAME (its -listxml answer
// and its cfg files) is handled as text: attributes are found in a tag's text
// and entities decoded, without a parser that would rewrite anything.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The value of `name` in a tag's text: after a blank, `name`, `="`, up to the
// next double quote, decoded. Empty when missing or unterminated.
std::string ReadXmlAttribute(std::string_view tag, std::string_view name);

// &amp; &lt; &gt; &quot; &apos; in one left-to-right pass (a decoded "&" never
// starts another reference); every other reference stays as it is.
std::string DecodeXmlEntities(std::string_view text);
// The reverse for text written into an attribute.
std::string EscapeXmlAttribute(std::string_view text);

// A decimal number as MAME writes masks and values: digits only, fitting in
// 32 bits. False for anything else.
bool ReadDecimalU32(std::string_view text, uint32_t& out);
