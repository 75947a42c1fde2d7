// The design checks of the last completed run as rows for a window, the check settings as the
// fields a window edits, and the embedment criteria it offers.
//
// Computes: one row per figure (label, what it rests on, value, unit, what is required, passes
// or fails) with the batch tool's formatting (FormatFigure); a settings field's text read into
// the settings under the checks' own rule (CheckSettingsError).
//
// Assumes: the checks were computed from the model's last completed run with these settings.
//
// Holds: texts are UTF-8; a refused field leaves the settings as they were.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"
#include "control/RunControl.h"

#include <array>
#include <string>
#include <vector>

namespace verrask::report {

enum class TVerdict { None, Passes, Fails };

struct TCheckLine {
    std::string Label;    // "Exit gradient"
    std::string Detail;   // what the figure rests on, with the reason when it has no value
    std::string Value;    // FormatFigure, "n/a" without a value
    std::string Unit;     // "" for factors and utilisations
    std::string Required; // "FS >= 1.5", "utilisation <= 1" or ""
    TVerdict Verdict = TVerdict::None;
};

std::vector<TCheckLine> CheckLines(const checks::TDesignChecks& c, const checks::TCheckSettings& s);

const char* VerdictText(TVerdict v); // "", "passes", "fails"

// The settings a window lets the user change.
enum class TSettingField { GammaW, Tailwater, FactorDst, FactorStb, Target };

struct TSettingFieldDesign {
    TSettingField Field;
    long double checks::TCheckSettings::*Member;
    const char* Label; // UTF-8
    const char* Unit;
};

inline constexpr std::array<TSettingFieldDesign, 5> SettingFields{{
    {TSettingField::GammaW, &checks::TCheckSettings::GammaW, "Unit weight of water \xCE\xB3w",
     "kN/m\xC2\xB3"},
    {TSettingField::Tailwater, &checks::TCheckSettings::Tailwater, "Tailwater depth", "m"},
    {TSettingField::FactorDst, &checks::TCheckSettings::FactorDst, "EC7 HYD \xCE\xB3G;dst", ""},
    {TSettingField::FactorStb, &checks::TCheckSettings::FactorStb, "EC7 HYD \xCE\xB3G;stb", ""},
    {TSettingField::Target, &checks::TCheckSettings::Target, "Target factor of safety", ""},
}};

// The settings with what the checks take from the run's inputs as typed (the wall depth), when
// the inputs are readable; else the settings as they are.
checks::TCheckSettings SettingsForRun(checks::TCheckSettings settings, const TInputTexts& inputs);

// The field's value as shown in its box.
std::string SettingText(const checks::TCheckSettings& s, TSettingField field);

// Reads `text` (the input syntax's numbers) into the field when the checks' own rule accepts the
// result. Returns "" then; else the rule's message for that field, the settings unchanged.
std::string ApplySetting(const std::string& text, TSettingField field,
                         checks::TCheckSettings& settings);

struct TCriterionChoice {
    checks::TCriterion Criterion;
    const char* Text;
};

// The embedment criteria in the batch tool's order.
inline constexpr std::array<TCriterionChoice, 5> CriterionChoices{{
    {checks::TCriterion::Terzaghi, "Terzaghi prism FS"},
    {checks::TCriterion::Ec7a, "EC7 HYD (2.9a) utilisation"},
    {checks::TCriterion::Ec7b, "EC7 HYD (2.9b) utilisation"},
    {checks::TCriterion::Exit, "Exit gradient FS"},
    {checks::TCriterion::Column, "Heave column FS"},
}};

} // namespace verrask::report
