// The eight inputs by what they mean: for each, the window's box, the batch tool's option, the
// key in the JSON files, the label and the unit, in the order the batch tool, the results JSON,
// the report and the inputs file list them. The window code and the design table keep the
// design's box names (Edit1 ... Edit8); everything below the window reaches the inputs here.
//
// Holds: every input appears once; Text points into TInputTexts at the box's text.
#pragma once

#include "control/RunControl.h"

#include <array>
#include <string>
#include <string_view>

namespace verrask {

enum class TInputField {
    LeftBlanket,
    RightBlanket,
    WallDepth,
    StratumDepth,
    UnitWeightRatio,
    Permeability,
    UpstreamHead,
    DownstreamHead
};

struct TInputFieldDesign {
    TInputField Field;
    TInputBox Box;
    std::string TInputTexts::*Text;
    std::string_view Option;  // the batch tool's
    std::string_view JsonKey; // in the results JSON and the inputs file
    std::string_view Label;   // UTF-8, as the report's input table shows it
    std::string_view Unit;    // "-" for a ratio
};

inline constexpr std::array<TInputFieldDesign, 8> InputFields{{
    {TInputField::LeftBlanket, TInputBox::Edit6, &TInputTexts::LeftBlanket, "--left", "left",
     "Left Blanket Length L", "m"},
    {TInputField::RightBlanket, TInputBox::Edit7, &TInputTexts::RightBlanket, "--right", "right",
     "Right Blanket Length R", "m"},
    {TInputField::WallDepth, TInputBox::Edit2, &TInputTexts::WallDepth, "--wall", "wall",
     "Sheet pile wall Depth d", "m"},
    {TInputField::StratumDepth, TInputBox::Edit1, &TInputTexts::StratumDepth, "--stratum",
     "stratum", "Stratum Depth D", "m"},
    {TInputField::UnitWeightRatio, TInputBox::Edit5, &TInputTexts::UnitWeightRatio, "--ratio",
     "ratio",
     "Y'/Yw = \xCE\xB3'/\xCE\xB3w (submerged unit weight / unit weight of water), the critical "
     "gradient i_c",
     "-"},
    {TInputField::Permeability, TInputBox::Edit8, &TInputTexts::Permeability, "--k", "k",
     "K (coefficient of permeability)", "m/s"},
    {TInputField::UpstreamHead, TInputBox::Edit3, &TInputTexts::UpstreamHead, "--up", "up",
     "Up stream Head H1 (water depth over the upstream ground)", "m"},
    {TInputField::DownstreamHead, TInputBox::Edit4, &TInputTexts::DownstreamHead, "--down", "down",
     "Down stream Head H2 (water depth over the downstream ground)", "m"},
}};

// The design of one input.
constexpr const TInputFieldDesign& InputField(TInputField field) {
    return InputFields[static_cast<std::size_t>(field)];
}

} // namespace verrask
