// The check settings as a window's fields (see SettingFields.h).
#include "control/SettingFields.h"

#include "control/InputSyntax.h"
#include "report/FigureFormat.h"

#include <cmath>
#include <limits>

namespace verrask {

using report::FormatFigure;

checks::TCheckSettings SettingsForRun(checks::TCheckSettings settings, const TInputTexts& inputs) {
    if (TInputValues values; ReadInputs(inputs, values).empty()) {
        settings.TypedWallDepth = values.d;
        settings.DownstreamHead = values.H2;
    }
    return settings;
}

std::string SettingText(const checks::TCheckSettings& s, TSettingField field) {
    for (const TSettingFieldDesign& d : SettingFields)
        if (d.Field == field)
            return field == TSettingField::Tailwater && std::isnan(s.Tailwater)
                       ? ""
                       : FormatFigure(s.*d.Member);
    return "";
}

std::string ApplySetting(const std::string& text, TSettingField field,
                         checks::TCheckSettings& settings) {
    for (const TSettingFieldDesign& d : SettingFields) {
        if (d.Field != field) continue;
        const std::size_t first = text.find_first_not_of(" \t");
        const std::string trimmed =
            first == std::string::npos
                ? ""
                : text.substr(first, text.find_last_not_of(" \t") - first + 1);
        long double v = 0;
        checks::TCheckSettings trial = settings;
        // Text that is no number is checked as an infinity, outside every range, so the rule
        // names this field; an empty tailwater is taken from H2.
        if (trimmed.empty() && field == TSettingField::Tailwater)
            trial.Tailwater = checks::NotAvailable;
        else
            trial.*d.Member = !ParseNumber(trimmed, v)
                                  ? std::numeric_limits<long double>::infinity()
                              : v == 0 ? 0
                                       : v;
        std::string error = checks::CheckSettingsError(trial);
        if (error.empty()) settings = trial;
        return error;
    }
    return "unknown setting";
}

} // namespace verrask
