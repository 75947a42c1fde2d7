// The design criteria and the governing check (see GoverningCheck.h).
#include "checks/GoverningCheck.h"

#include <utility>

namespace verrask::checks {

namespace {

struct TCriterionDesign {
    TCriterion Criterion;
    const char* Name;
    long double TCheckSettings::*Target;
};
constexpr TCriterionDesign Criteria[] = {
    {TCriterion::Terzaghi, "terzaghi", &TCheckSettings::TargetTerzaghi},
    {TCriterion::Ec7a, "ec7a", &TCheckSettings::TargetEc7a},
    {TCriterion::Ec7b, "ec7b", &TCheckSettings::TargetEc7b},
    {TCriterion::Exit, "exit", &TCheckSettings::TargetExit},
    {TCriterion::Column, "column", &TCheckSettings::TargetColumn}};

const TCriterionDesign& Design(TCriterion criterion) {
    for (const TCriterionDesign& c : Criteria)
        if (c.Criterion == criterion) return c;
    return Criteria[0];
}

} // namespace

bool ParseCriterion(const std::string& name, TCriterion& criterion) {
    for (const TCriterionDesign& c : Criteria)
        if (name == c.Name) {
            criterion = c.Criterion;
            return true;
        }
    return false;
}

const char* CriterionName(TCriterion criterion) {
    return Design(criterion).Name;
}

bool IsUtilisation(TCriterion criterion) {
    return criterion == TCriterion::Ec7a || criterion == TCriterion::Ec7b;
}

long double TCheckSettings::*CriterionTargetMember(TCriterion criterion) {
    return Design(criterion).Target;
}

long double CriterionTarget(const TCheckSettings& s, TCriterion criterion) {
    return s.*CriterionTargetMember(criterion);
}

long double CriterionMargin(long double value, TCriterion criterion, long double target) {
    if (!Available(value)) return NotAvailable;
    return IsUtilisation(criterion) ? Ratio(target, value) : Ratio(value, target);
}

TGoverning GoverningCheck(const TExitGradient& exit, const TTerzaghiPrism& prism,
                          const TEc7Hydraulic& ec7, const THeaveColumn& column,
                          const TCheckSettings& s) {
    const std::pair<TCriterion, long double> figures[] = {
        {TCriterion::Terzaghi, prism.Fs},
        {TCriterion::Ec7a, ec7.UtilisationA},
        {TCriterion::Ec7b, ec7.UtilisationB},
        {TCriterion::Exit, exit.Indicative ? NotAvailable : exit.Fs},
        {TCriterion::Column, column.Fs}};
    TGoverning g;
    for (const auto& [criterion, value] : figures) {
        const long double target = CriterionTarget(s, criterion);
        const long double margin = CriterionMargin(value, criterion, target);
        // Strict: the first in this order wins a tie.
        if (Available(margin) && !(margin >= g.Margin))
            g = {true, criterion, value, target, margin};
    }
    return g;
}

} // namespace verrask::checks
