// The design criteria, the target each is held to, and the check that governs a run.
//
// Computes: a criterion's margin, FS / target for the factors of safety and target / utilisation
// for the EC7 utilisations (1 on the limit, larger is safer); the governing check, the
// verdict-carrying criterion with the smallest margin.
//
// Assumes: only averages over at least the wall depth carry a verdict: Terzaghi's prism, the
// heave column over depths of the wall depth or more, EC7 HYD on the prism, and the exit gradient
// at an open wall face (ExitGradient.h says when it is indicative instead).
//
// Holds: Present is false when no criterion has a figure; Margin is then NaN.
#pragma once

#include "checks/CheckSettings.h"
#include "checks/Ec7Hydraulic.h"
#include "checks/ExitGradient.h"
#include "checks/HeaveColumn.h"
#include "checks/TerzaghiPrism.h"

#include <string>

namespace verrask::checks {

enum class TCriterion { Terzaghi, Ec7a, Ec7b, Exit, Column };

// The batch tool's names: terzaghi, ec7a, ec7b, exit, column. False for an unknown name.
bool ParseCriterion(const std::string& name, TCriterion& criterion);
const char* CriterionName(TCriterion criterion);
// True for the criteria that compare a utilisation with a largest value (else a FS, smallest).
bool IsUtilisation(TCriterion criterion);
// The settings' target of the criterion, and the member that holds it.
long double TCheckSettings::*CriterionTargetMember(TCriterion criterion);
long double CriterionTarget(const TCheckSettings& s, TCriterion criterion);
// How far the figure is from failing: 1 on the limit, larger is safer; NaN without a figure.
long double CriterionMargin(long double value, TCriterion criterion, long double target);

struct TGoverning {
    bool Present = false;
    TCriterion Criterion = TCriterion::Terzaghi;
    long double Value = NotAvailable; // its FS or utilisation
    long double Target = NotAvailable;
    long double Margin = NotAvailable;
};

TGoverning GoverningCheck(const TExitGradient& exit, const TTerzaghiPrism& prism,
                          const TEc7Hydraulic& ec7, const THeaveColumn& column,
                          const TCheckSettings& s);

} // namespace verrask::checks
