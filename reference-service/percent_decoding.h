#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quillbox::reference {

// Decodes %XX escapes (either case of hex digit) and "+" as a space. Returns nothing when an
// escape is malformed ("%" not followed by two hex digits).
std::optional<std::string> PercentDecode(std::string_view text);

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

struct QueryParameters {
  std::map<std::string, std::string> values;  // decoded name -> decoded value; first one wins
  std::string error;                          // non-empty when the query was refused
};

// Splits "a=1&b=2" into decoded names and values, which must be UTF-8. A part without "="
// is a name with an empty value; empty parts are skipped.
QueryParameters ParseQueryString(std::string_view query);

// The part of a raw request target after the first "?", empty when there is none.
std::string_view QueryOfTarget(std::string_view target);

}  // namespace quillbox::reference
