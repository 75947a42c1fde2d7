// The one writer of JSON text: strings, numbers and the members, objects and arrays built of
// them, used by every JSON the programs write (the results, the design checks, the inputs file).
//
// Computes: a string in quotes with the quote, the backslash and every control character below
// U+0020 escaped (as \u00XX, lower-case hex); valid UTF-8 passes through as it is, and each byte
// that does not belong to a valid UTF-8 sequence (a stray continuation byte, an overlong form, a
// surrogate, a code point above U+10FFFF, a cut-off sequence) is replaced by U+FFFD; a number
// with ten significant digits ("%.10Lg"), null where it has no value (never inf or nan).
//
// Assumes: member names are the program's own ASCII names.
//
// Holds: the text is valid JSON and valid UTF-8 for any input bytes; the same on every platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verrask::report {

std::string JsonString(std::string_view text);
std::string JsonNumber(long double value);
inline const char* JsonBool(bool value) {
    return value ? "true" : "false";
}

// "name":value, `value` already JSON text.
std::string JsonMember(std::string_view name, const std::string& value);
// The non-empty items joined by commas in braces or brackets ("" items are left out, so an
// optional member can be given as "").
std::string JsonObject(const std::vector<std::string>& members);
std::string JsonArray(const std::vector<std::string>& items);

} // namespace verrask::report
