// The section file's reader: a valid file read whole, and every refusal naming the key, the value
// and the reason with the section left as it was.
#include "section/SectionFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using verrask::section::ReadSectionText;
using verrask::section::TSection;

// The example of the file format.
const std::string Example = R"({
  "verrask_section": 1,
  "layers": [ {"bottom": -4.0, "kx": 1e-4, "kz": 2.5e-5, "gamma_sat": 20.0, "name": "sand"},
              {"bottom": -12.0, "kx": 3e-4, "kz": 3e-4, "gamma_sat": 21.0, "name": "gravel"} ],
  "walls":  [ {"x": 0.0, "toe": -7.0} ],
  "surface": [ {"ground": 0.0, "water": 3.0, "covered": [[-4.0, 0.0]]},
               {"ground": -2.5, "water": -2.5} ],
  "extent": {"left": -80.0, "right": 80.0},
  "accuracy": 0.005
})";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(SectionFile, ReadsTheExampleWhole) {
    TSection s;
    ASSERT_EQ(ReadSectionText(Example, s), "");
    ASSERT_EQ(s.Layers.size(), 2u);
    EXPECT_EQ(s.Layers[0].Name, "sand");
    EXPECT_DOUBLE_EQ(s.Layers[0].Kz, 2.5e-5);
    EXPECT_DOUBLE_EQ(s.Base(), -12.0);
    ASSERT_EQ(s.Walls.size(), 1u);
    EXPECT_DOUBLE_EQ(s.Walls[0].Toe, -7.0);
    ASSERT_EQ(s.Surface.size(), 2u);
    ASSERT_EQ(s.Surface[0].Covers.size(), 1u);
    EXPECT_DOUBLE_EQ(s.Surface[0].Covers[0].X1, -4.0);
    EXPECT_DOUBLE_EQ(s.Surface[1].Water, -2.5);
    ASSERT_TRUE(s.Extent.has_value());
    EXPECT_DOUBLE_EQ(s.Extent->Right, 80.0);
}

TEST(SectionFile, AcceptsAToeOnTheBaseAndOptionalMembersLeftOut) {
    TSection s;
    std::string text = Replaced(Example, R"("toe": -7.0)", R"("toe": -12.0)");
    text = Replaced(text, R"(,
  "extent": {"left": -80.0, "right": 80.0},
  "accuracy": 0.005)",
                    "");
    text = Replaced(text, R"(, "name": "gravel")", "");
    ASSERT_EQ(ReadSectionText(text, s), "");
    EXPECT_DOUBLE_EQ(s.Walls[0].Toe, s.Base());
    EXPECT_FALSE(s.Extent.has_value());
    EXPECT_DOUBLE_EQ(s.Accuracy, verrask::section::DefaultAccuracy);
}

struct TRefusal {
    const char* Fault;
    std::string Text;
    std::vector<std::string> Says; // the key, the value, the reason
};

TEST(SectionFile, RefusesWithKeyValueAndReasonAndChangesNothing) {
    const std::string walls = R"([ {"x": 0.0, "toe": -7.0} ])";
    const TRefusal refusals[] = {
        {"no JSON", Replaced(Example, "\"walls\":", "\"walls\""), {"no JSON", "line 5"}},
        {"unknown key",
         Replaced(Example, "\"accuracy\"", "\"colour\": 1, \"accuracy\""),
         {"unknown key", "\"colour\""}},
        {"unknown nested key",
         Replaced(Example, "\"kx\": 3e-4", "\"kx\": 3e-4, \"ky\": 1"),
         {"unknown key", "\"layers[1].ky\""}},
        {"missing key", Replaced(Example, ", \"toe\": -7.0", ""), {"\"walls[0].toe\"", "missing"}},
        {"repeated key",
         Replaced(Example, "\"accuracy\"", "\"accuracy\": 0.01, \"accuracy\""),
         {"\"accuracy\"", "twice"}},
        {"wrong type",
         Replaced(Example, "\"kx\": 1e-4", "\"kx\": \"fast\""),
         {"\"layers[0].kx\"", "\"fast\"", "must be a number"}},
        {"other version",
         Replaced(Example, "\"verrask_section\": 1", "\"verrask_section\": 2"),
         {"\"verrask_section\" = 2", "version 1"}},
        {"layers not descending",
         Replaced(Example, "-12.0, \"kx\"", "-3.0, \"kx\""),
         {"\"layers[1].bottom\" = -3", "descend"}},
        {"k not positive",
         Replaced(Example, "2.5e-5", "-2.5e-5"),
         {"\"layers[0].kz\" = -2.5e-05", "positive"}},
        {"anisotropy beyond soils'",
         Replaced(Example, "2.5e-5", "1e-8"),
         {"\"layers[0].kz\" = 1e-08", "anisotropy"}},
        {"permeabilities too far apart",
         Replaced(Example, "\"kx\": 3e-4, \"kz\": 3e-4", "\"kx\": 1e-13, \"kz\": 1e-13"),
         {"\"layers[0].kx\"", "span", "impervious"}},
        {"gamma_sat not above water's",
         Replaced(Example, "21.0", "9.5"),
         {"\"layers[1].gamma_sat\" = 9.5", "unit weight of water"}},
        {"water below ground",
         Replaced(Example, "\"water\": -2.5", "\"water\": -3.0"),
         {"\"surface[1].water\" = -3", "unconfined flow is not modelled"}},
        {"toe below the base",
         Replaced(Example, "-7.0", "-13.0"),
         {"\"walls[0].toe\" = -13", "below the base"}},
        {"toe a hair above the base",
         Replaced(Example, "-7.0", "-11.9995"),
         {"\"walls[0].toe\" = -11.9995", "less than 1 mm above the base"}},
        {"toe above the ground",
         Replaced(Example, "-7.0", "-1.0"),
         {"\"walls[0].toe\" = -1", "not below the ground"}},
        {"wall outside the extent",
         Replaced(Example, "\"left\": -80.0", "\"left\": 1.0"),
         {"\"walls[0].x\" = 0", "outside the extent"}},
        {"walls out of order",
         Replaced(
             Replaced(Example, walls, R"([{"x": 0.0, "toe": -7.0}, {"x": -1.0, "toe": -7.0}])"),
             "{\"ground\": -2.5", "{\"ground\": 0.0, \"water\": 0.0}, {\"ground\": -2.5"),
         {"\"walls[1].x\" = -1", "left to right"}},
        {"cover outside its stretch",
         Replaced(Example, "[[-4.0, 0.0]]", "[[-4.0, 1.0]]"),
         {"\"surface[0].covered[0]\"", "[-4.0,1.0]", "outside its stretch"}},
        {"wrong number of stretches",
         Replaced(Example, ",\n               {\"ground\": -2.5, \"water\": -2.5}", ""),
         {"\"surface\"", "1 stretches", "need 2"}},
    };
    for (const TRefusal& r : refusals) {
        TSection s;
        s.Accuracy = -1; // a mark: any change shows
        const std::string why = ReadSectionText(r.Text, s);
        for (const std::string& part : r.Says)
            EXPECT_NE(why.find(part), std::string::npos) << r.Fault << ": " << why;
        EXPECT_TRUE(s.Layers.empty() && s.Walls.empty() && s.Accuracy == -1) << r.Fault;
    }
}

// Every cut of a valid file is refused, never thrown nor crashed on.
TEST(SectionFile, RefusesEveryTruncationWithoutThrowing) {
    for (std::size_t n = 0; n + 1 < Example.size(); ++n) {
        TSection s;
        EXPECT_NE(ReadSectionText(std::string_view(Example).substr(0, n), s), "") << n;
    }
}

} // namespace
