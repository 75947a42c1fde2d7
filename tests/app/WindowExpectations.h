// What every window shows for the runs and inputs of the window tests, shared by the suites of
// both windows (plain C++, no toolkit).
//
// The default input (a wall to half the stratum depth, no blankets) has the closed-form shape
// factor Nf/Nd = K(m)/K'(m) / 2 with m = sin(pi d / 2D) = sin(pi/4), where K(m) = K'(m): exactly
// 1/2 (Harr's sheet pile in a stratum of finite depth), so Nd 10, Nf 5, q = 1 x 0.5 x 1E-5.
#pragma once

#include <array>

namespace verrask::test {

inline constexpr const char* DefaultRunMessage = "Shape Factor (nf/nd) = 0.5\r\n\r\n q = 5E-6";
inline constexpr std::array<const char*, 7> DefaultRunPanels{
    " Ready", " Shape Factor = 0.5", " Nd: 10", " Nf: 5", "", "", " q = 5E-6"};

// Inputs refused like any wrong input: (box, text typed into it, the box the window marks).
struct TRefusal {
    const char* Box;
    const char* Text;
    const char* Marked;
};
inline constexpr std::array<TRefusal, 15> RefusedInputs{{
    {"Edit1", "2,5", "Edit1"},
    {"Edit1", "", "Edit1"},
    {"Edit8", "-", "Edit8"},
    {"Edit1", "2 ", "Edit1"},
    {"Edit2", "2", "Edit2"},
    {"Edit4", "1", "Edit3"}, // the heads: the upstream one
    {"Edit8", "E", "Edit8"},
    {"Edit6", "9", "Edit6"},
    {"Edit1", "0", "Edit2"}, // the wall is then not shallower than the stratum
    {"Edit5", "1..2", "Edit5"},
    // What no soil or structure can be.
    {"Edit8", "-4e-6", "Edit8"},
    {"Edit5", "0", "Edit5"},
    {"Edit6", "-1", "Edit6"},
    {"Edit7", "-0.5", "Edit7"},
    {"Edit2", "-1", "Edit2"},
}};

} // namespace verrask::test
