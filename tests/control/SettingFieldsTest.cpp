// The check settings as a window's fields: a refused setting names its field and range and
// leaves every value as it was; spaces and the empty tailwater.
#include "control/SettingFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace verrask {
namespace {

TEST(SettingFields, RefusedSettingsKeepEveryValueAndNameTheFieldWithItsRange) {
    checks::TCheckSettings s;
    const checks::TCheckSettings before = s;
    // gamma_w 9..11, factors 0.5..3, targets 0.5..10, tailwater 0..1000 m; 1e400 was accepted.
    const std::pair<TSettingField, const char*> refused[] = {
        {TSettingField::GammaW, "1e400"},    {TSettingField::GammaW, "8.99"},
        {TSettingField::Tailwater, "-1"},    {TSettingField::Tailwater, "1000.5"},
        {TSettingField::Tailwater, "deep"},  {TSettingField::FactorStb, "0"},
        {TSettingField::UpliftDst, "3.01"},  {TSettingField::TargetTerzaghi, "1e99999"},
        {TSettingField::TargetEc7a, "0.49"}, {TSettingField::TargetExit, ""}};
    for (const auto& [field, text] : refused) {
        const std::string error = ApplySetting(text, field, s);
        EXPECT_NE(error.find(" from "), std::string::npos) << text << ": " << error;
    }
    EXPECT_EQ(ApplySetting("20", TSettingField::GammaW, s),
              "the unit weight of water must be a number from 9 to 11 (kN/m3)");
    EXPECT_EQ(ApplySetting("11", TSettingField::TargetColumn, s),
              "the target of the heave column must be a number from 0.5 to 10");
    for (const TSettingFieldDesign& d : SettingFields) {
        const long double was = before.*d.Member, now = s.*d.Member;
        EXPECT_TRUE(was == now || (std::isnan(was) && std::isnan(now))) << d.Label;
    }

    // Spaces around a number are accepted; an empty tailwater means "from H2" again.
    EXPECT_EQ(ApplySetting("  1.2 ", TSettingField::Tailwater, s), "");
    EXPECT_EQ(s.Tailwater, 1.2L);
    EXPECT_EQ(ApplySetting(" ", TSettingField::Tailwater, s), "");
    EXPECT_TRUE(std::isnan(s.Tailwater));
    EXPECT_EQ(SettingText(s, TSettingField::Tailwater), "");
    EXPECT_EQ(ApplySetting("\t2 ", TSettingField::TargetEc7b, s), "");
    EXPECT_EQ(s.TargetEc7b, 2.0L);
    EXPECT_EQ(SettingText(s, TSettingField::GammaW), "9.81");
}

} // namespace
} // namespace verrask
