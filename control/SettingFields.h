// The check settings as the fields a window edits, and the embedment criteria it offers: a
// field's text read into the settings under the checks' own rule (CheckSettingsError), the
// settings' values as the boxes show them, and the settings as a run's typed inputs complete
// them. Shared by both windows' presenter, the inputs file and the batch tool's options.
//
// Holds: texts are UTF-8; a refused field leaves the settings as they were.
#pragma once

#include "checks/CheckSettings.h"
#include "checks/EmbedmentSearch.h"
#include "control/RunControl.h"
#include "report/CheckLines.h"

#include <array>
#include <string>

namespace verrask {

using report::SettingFields;
using report::TSettingField;
using report::TSettingFieldDesign;

// The settings with what the checks take from the run's inputs as typed (the wall depth and the
// downstream head H2), when the inputs are readable; else the settings as they are.
checks::TCheckSettings SettingsForRun(checks::TCheckSettings settings, const TInputTexts& inputs);

// The field's value as shown in its box ("" for a tailwater taken from H2).
std::string SettingText(const checks::TCheckSettings& s, TSettingField field);

// Reads `text` (the input syntax's numbers, leading and trailing spaces allowed; an empty
// tailwater means "from H2") into the field when the checks' own rule accepts the result.
// Returns "" then; else the rule's message for that field, with its range, the settings
// unchanged.
std::string ApplySetting(const std::string& text, TSettingField field,
                         checks::TCheckSettings& settings);

// The embedment criteria in the batch tool's order, as the windows offer them.
struct TCriterionChoice {
    checks::TCriterion Criterion;
    const char* Text;
};

inline constexpr std::array<TCriterionChoice, 5> CriterionChoices{{
    {checks::TCriterion::Terzaghi, "Terzaghi prism FS"},
    {checks::TCriterion::Ec7a, "EC7 HYD (2.9a) utilisation"},
    {checks::TCriterion::Ec7b, "EC7 HYD (2.9b) utilisation"},
    {checks::TCriterion::Exit, "Exit gradient FS"},
    {checks::TCriterion::Column, "Heave column FS"},
}};

} // namespace verrask
