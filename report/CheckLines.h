// The design checks of the last completed run as rows (the windows' table, the report's), and
// the check settings' table: each setting's member, label and unit.
//
// Computes: one row per figure (label, what it rests on, value, unit, what is required, passes
// or fails) with the batch tool's formatting (FormatFigure), the first saying which check
// governs; grid-dependent point values are rows without a verdict, marked "indicative
// (grid-dependent)".
//
// Assumes: the checks were computed from the last completed run with these settings.
//
// Also: the zone overlays of the flow net for a legend, with their colours and whether a run
// leaves a zone empty.
//
// Holds: texts are UTF-8.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"
#include "section/NodeResult.h"
#include "sheetpile/Canvas.h"

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
    // None for figures without a requirement and for indicative (grid-dependent) ones.
    TVerdict Verdict = TVerdict::None;
};

std::vector<TCheckLine> CheckLines(const checks::TDesignChecks& c, const checks::TCheckSettings& s);

const char* VerdictText(TVerdict v); // "", "passes", "fails"

// The label of a criterion's row: "Terzaghi prism", "EC7 HYD (2.9a)", ...
const char* CriterionLabel(checks::TCriterion criterion);
// What a criterion asks for: "FS >= 1.5" or "utilisation <= 1".
std::string RequiredText(checks::TCriterion criterion, long double target);
// "Governing check: Terzaghi prism, FS 1.953 (FS >= 1.5): passes", without a full stop; or that
// no check carries a verdict.
std::string GoverningSentence(const checks::TDesignChecks& c);
std::string GoverningSentence(const checks::TGoverning& g);
// Where the tailwater depth came from: set by the user, H2, or 0 for an H2 below the ground.
std::string TailwaterNote(const checks::TCheckSettings& s);

// The check settings a user can change, in the order the windows and the report list them.
enum class TSettingField {
    GammaW,
    Tailwater,
    FactorDst,
    FactorStb,
    UpliftDst,
    UpliftStb,
    TargetTerzaghi,
    TargetExit,
    TargetColumn,
    TargetEc7a,
    TargetEc7b
};

struct TSettingFieldDesign {
    TSettingField Field;
    long double checks::TCheckSettings::*Member;
    const char* Label; // UTF-8
    const char* Unit;
};

inline constexpr std::array<TSettingFieldDesign, 11> SettingFields{{
    {TSettingField::GammaW, &checks::TCheckSettings::GammaW, "Unit weight of water \xCE\xB3w",
     "kN/m\xC2\xB3"},
    {TSettingField::Tailwater, &checks::TCheckSettings::Tailwater, "Tailwater depth (empty: H2)",
     "m"},
    {TSettingField::FactorDst, &checks::TCheckSettings::FactorDst, "EC7 HYD \xCE\xB3G;dst", ""},
    {TSettingField::FactorStb, &checks::TCheckSettings::FactorStb, "EC7 HYD \xCE\xB3G;stb", ""},
    {TSettingField::UpliftDst, &checks::TCheckSettings::UpliftDst, "EC7 UPL \xCE\xB3G;dst", ""},
    {TSettingField::UpliftStb, &checks::TCheckSettings::UpliftStb, "EC7 UPL \xCE\xB3G;stb", ""},
    {TSettingField::TargetTerzaghi, &checks::TCheckSettings::TargetTerzaghi,
     "Target FS, Terzaghi prism", ""},
    {TSettingField::TargetExit, &checks::TCheckSettings::TargetExit, "Target FS, exit gradient",
     ""},
    {TSettingField::TargetColumn, &checks::TCheckSettings::TargetColumn, "Target FS, heave column",
     ""},
    {TSettingField::TargetEc7a, &checks::TCheckSettings::TargetEc7a,
     "Largest utilisation, EC7 HYD (2.9a)", ""},
    {TSettingField::TargetEc7b, &checks::TCheckSettings::TargetEc7b,
     "Largest utilisation, EC7 HYD (2.9b)", ""},
}};

// One zone overlay of the flow net, in the main window's check-box order: critical zone,
// possible heave, imminent heave.
struct TZoneNote {
    const char* Name;         // "imminent heave zone"
    sheetpile::TColor Colour; // as the picture draws it (the critical zone over the background)
    bool Empty = false;       // the run leaves nothing to draw in it
    std::string Text;         // "Imminent heave zone", or "no imminent heave anywhere" when empty
};

// The three zones; with a completed run (null: none yet) whether each is empty.
std::array<TZoneNote, 3> ZoneNotes(const section::TNodeResult* run);

} // namespace verrask::report
