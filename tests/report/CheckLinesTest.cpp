// The window's check rows and settings fields: verdicts against the requirement, refused
// settings leaving everything as it was.
#include "report/CheckLines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace verrask::report {
namespace {

const TCheckLine& Line(const std::vector<TCheckLine>& lines, const std::string& label) {
    static const TCheckLine none;
    auto it = std::find_if(lines.begin(), lines.end(),
                           [&](const TCheckLine& l) { return l.Label == label; });
    return it == lines.end() ? none : *it;
}

TEST(CheckLines, VerdictsFollowTheRequirementAndMissingFiguresHaveNone) {
    checks::TDesignChecks c;
    c.Exit.Fs = 1.5L;             // exactly the target passes
    c.Prism.Fs = 1.4999L;         // just below fails
    c.Ec7.UtilisationA = 1.0001L; // a utilisation over 1 fails
    c.Ec7.UtilisationB = 0.5L;
    c.Column.Reason = "no open surface";
    checks::TCheckSettings s;
    const std::vector<TCheckLine> lines = CheckLines(c, s);
    EXPECT_EQ(Line(lines, "Exit gradient").Verdict, TVerdict::Passes);
    EXPECT_EQ(Line(lines, "Exit gradient").Required, "FS >= 1.5");
    EXPECT_EQ(Line(lines, "Terzaghi prism").Verdict, TVerdict::Fails);
    EXPECT_EQ(Line(lines, "EC7 HYD (2.9a)").Verdict, TVerdict::Fails);
    EXPECT_EQ(Line(lines, "EC7 HYD (2.9b)").Verdict, TVerdict::Passes);
    const TCheckLine& column = Line(lines, "Heave column");
    EXPECT_EQ(column.Verdict, TVerdict::None);
    EXPECT_EQ(column.Value, "n/a");
    EXPECT_NE(column.Detail.find("(no open surface)"), std::string::npos);
}

TEST(CheckLines, RefusedSettingsKeepEveryValueAndNameTheField) {
    checks::TCheckSettings s;
    const checks::TCheckSettings before = s;
    EXPECT_EQ(ApplySetting("-9.81", TSettingField::GammaW, s),
              "the unit weight of water must be a positive number");
    EXPECT_EQ(ApplySetting("deep", TSettingField::Tailwater, s),
              "the tailwater depth must be zero or a positive number");
    EXPECT_EQ(ApplySetting("0", TSettingField::FactorStb, s),
              "the partial factors must be positive numbers");
    EXPECT_EQ(ApplySetting("1e99999", TSettingField::Target, s),
              "the target must be a positive number");
    EXPECT_EQ(s.GammaW, before.GammaW);
    EXPECT_EQ(s.Tailwater, before.Tailwater);
    EXPECT_EQ(s.FactorStb, before.FactorStb);
    EXPECT_EQ(s.Target, before.Target);

    EXPECT_EQ(ApplySetting("0", TSettingField::Tailwater, s), "");
    EXPECT_EQ(ApplySetting("2", TSettingField::Target, s), "");
    EXPECT_EQ(s.Target, 2.0L);
    EXPECT_EQ(SettingText(s, TSettingField::GammaW), "9.81");
}

} // namespace
} // namespace verrask::report
