// The scrambled tables and their unscrambling.
#include "control/ScrambledTexts.h"

#include <array>
#include <cstdint>

namespace verrask {
namespace {

// 66 code units, constant 0x37
constexpr std::array<std::uint32_t, 66> CaptionTable{
    0x3D6D001C, 0x4EA4002E, 0x1B69002E, 0xB9A10039, 0x6664002A, 0x7B970030, 0x28AC002E, 0x1810FFE9,
    0x1207002F, 0x06120035, 0x67CE0038, 0x8DA50040, 0xEBFFFFE9, 0x4B140037, 0xCDEA002E, 0xFE72003D,
    0xC4E1FFE9, 0x1010003E, 0x39D00037, 0x8634002D, 0x8A63002E, 0x5D39003B, 0x47D4FFE9, 0xC89D002A,
    0x2D33FFE9, 0xD4AD003C, 0x1C2E0031, 0x4400002E, 0x37E2002E, 0xF265003D, 0xEE6FFFE9, 0x07900039,
    0xD5340032, 0xA5040035, 0xCF80002E, 0x43A0FFE9, 0xCDEA0040, 0x4691002A, 0x32840035, 0x2B310035,
    0x50520003, 0x4B25FFE9, 0xA181001F, 0xDF08002E, 0xBC5D003B, 0xF6FF003B, 0xDBCA002A, 0xDA39003C,
    0xE24B0034, 0x6055FFE9, 0x1733FFF6, 0xD944FFE9, 0x9C19000F, 0x57600035, 0xACF40038, 0x644F0040,
    0x8286FFE9, 0x40B60017, 0x2E83002E, 0x4050003D, 0x7A3DFFE9, 0x48AD0016, 0x17DF0038, 0xF2CF002D,
    0xF041002E, 0xD2600035,
};
// 12 code units, constant 0x52
constexpr std::array<std::uint32_t, 12> NameTable{
    0xDE900004, 0xF2340013, 0x8D320020, 0xD8280020, 0x4DDC000F, 0x02D80021,
    0xE9AB0019, 0x4BBCFFCE, 0x93860024, 0xB574FFDE, 0xE2DFFFDC, 0x50CFFFDF,
};
// 26 code units, constant 0x5E
constexpr std::array<std::uint32_t, 26> PurposeTable{
    0xDA19FFF5, 0xC4E40007, 0x83240007, 0x32F30012, 0x6AF80003, 0x6D790009, 0x9A520007,
    0x4AC7FFC2, 0x6F580008, 0x748D000E, 0x2A4C0011, 0x3CB40019, 0x4F1BFFC2, 0x43780010,
    0xD1060007, 0xCD210016, 0x0C11FFC2, 0x15C1000F, 0x0CDB0011, 0x77710006, 0xA1580007,
    0x48CA000E, 0x85D4000E, 0x89DC000B, 0xA6E30010, 0x79A30009,
};
// 14 code units, constant 0x4A
constexpr std::array<std::uint32_t, 14> MakerTable{
    0xB46C0005, 0x58C40022, 0x26220018, 0xAD7C0028, 0x3311001F, 0x12020024, 0x6AAC002A,
    0xEADD001E, 0x34E2FFD6, 0xA390000D, 0xA2F60025, 0x71EF0028, 0x47BB0021, 0x30070029,
};
// 10 code units, constant 0x638
constexpr std::array<std::uint32_t, 10> MakerArabicTable{
    0x5C17000D, 0x7098000E, 0xC037F9E8, 0x97B9FFEB, 0x53170010,
    0xA36A000C, 0x8FFBFFF0, 0x33DEFFF9, 0xE881000E, 0x53D3FFF3,
};
// 25 code units, constant 0x24A
constexpr std::array<std::uint32_t, 25> DateTable{
    0x1AD9FE08, 0xD7E4FE1B, 0x10C5FE22, 0xB64AFE1B, 0x3B97FE17, 0x4808FE29, 0xC4E1FE1B,
    0x960BFE1A, 0x9E8CFDD6, 0xDDB2FDEF, 0x3DC7FDD6, 0x2044FDFA, 0x55C0FE1B, 0xF040FE19,
    0x2E73FE1B, 0x4B7AFE23, 0x7682FE18, 0x0792FE1B, 0x0BF5FE28, 0x5C69FDD6, 0xB381FDE8,
    0x1625FDE6, 0xE65BFDE8, 0xF7E7FDEC, 0xF569FDE4,
};

template <std::size_t N>
std::u16string Unscramble(const std::array<std::uint32_t, N>& table, std::uint16_t constant) {
    std::u16string text;
    text.reserve(N);
    for (std::uint32_t entry : table) text += static_cast<char16_t>((entry + constant) & 0xFFFFu);
    return text;
}

constexpr const char16_t* LineBreak = u"\r\n";

} // namespace

std::u16string WindowCaption() {
    return Unscramble(CaptionTable, 0x37);
}
std::u16string AboutLabel1Text() {
    return Unscramble(NameTable, 0x52) + LineBreak + Unscramble(PurposeTable, 0x5E);
}
std::u16string AboutLabel2Text() {
    return Unscramble(MakerTable, 0x4A) + LineBreak + Unscramble(MakerArabicTable, 0x638);
}
std::u16string AboutLabel3Text() {
    return Unscramble(DateTable, 0x24A);
}

} // namespace verrask
