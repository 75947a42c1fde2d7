// Reading of the numbers typed into the input boxes, independent of the user's locale.
//
// Grammar of the whole text: any number of leading U+0020 spaces, an optional "+" or "-", then
// at least one more character made of: a run of decimal digits (may be empty), optionally "."
// and a run of digits (may be empty), optionally "E" or "e", an optional sign and at least one
// digit. Nothing may follow. A mantissa without digits ("." or "E5") reads as zero.
#pragma once

#include <string_view>

namespace verrask {

// Returns true and sets `value` when `text` is a number by the grammar above and its magnitude
// does not exceed the largest finite extended value. The value is the decimal number rounded
// to nearest extended (ties to even) with the sign applied, the same on every platform; a
// magnitude that rounds below the normal range gives a zero of that sign. On false, `value` is
// left unchanged. Never yields inf or nan.
bool ParseNumber(std::string_view text, long double& value);

} // namespace verrask
