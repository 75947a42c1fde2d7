// Texts the program keeps scrambled: the window caption and the About box's labels, as UTF-16.
// Each character is a 32-bit entry whose low 16 bits plus the table's constant (modulo 2^16)
// give one UTF-16 code unit; the high 16 bits are filler.
//
// Holds: the caption is 66 code units and ends with the application title (so no platform
// appends the title to it again); Label1 is 12 + CR LF + 26 units, Label2 14 + CR LF + 10
// (Arabic script), Label3 25.
#pragma once

#include <string>

namespace verrask {

inline constexpr const char* ApplicationTitle = "Verrask - Flow Net Model";

std::u16string WindowCaption();
std::u16string AboutLabel1Text(); // the program's name and purpose
std::u16string AboutLabel2Text(); // its maker, in Latin and in Arabic script
std::u16string AboutLabel3Text(); // the release

} // namespace verrask
