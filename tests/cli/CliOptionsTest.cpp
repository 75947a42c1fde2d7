// Command line of the batch tool: which boxes each press holds, repeats, and usage errors.
#include "cli/CliOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace verrask::cli {
namespace {

std::string Parse(std::vector<const char*> args, TCliPlan& plan) {
    args.insert(args.begin(), "verrask-cli");
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), plan);
}

TEST(CliOptions, DefaultsAreTheWindowsInitialTexts) {
    TCliPlan plan;
    ASSERT_EQ(Parse({}, plan), "");
    ASSERT_EQ(plan.Presses.size(), 1u);
    const TInputTexts& in = plan.Presses[0].Inputs;
    EXPECT_EQ(in.LeftBlanket, "0");
    EXPECT_EQ(in.RightBlanket, "0");
    EXPECT_EQ(in.WallDepth, "1");
    EXPECT_EQ(in.StratumDepth, "2");
    EXPECT_EQ(in.UnitWeightRatio, "1");
    EXPECT_EQ(in.Permeability, "1E-5");
    EXPECT_EQ(in.UpstreamHead, "1");
    EXPECT_EQ(in.DownstreamHead, "0");
    EXPECT_FALSE(plan.Json);
}

TEST(CliOptions, ThenKeepsTheOtherBoxesAndRunsRepeatOnePress) {
    TCliPlan plan;
    ASSERT_EQ(Parse({"--wall", "1.5", "--runs", "3", "--then", "--left", "2", "--right", "3",
                     "--json", "--csv", "out"},
                    plan),
              "");
    ASSERT_EQ(plan.Presses.size(), 2u);
    EXPECT_EQ(plan.Presses[0].Repeats, 3);
    EXPECT_EQ(plan.Presses[0].Inputs.WallDepth, "1.5");
    EXPECT_EQ(plan.Presses[0].Inputs.LeftBlanket, "0");
    EXPECT_EQ(plan.Presses[1].Repeats, 1);
    EXPECT_EQ(plan.Presses[1].Inputs.WallDepth, "1.5");
    EXPECT_EQ(plan.Presses[1].Inputs.LeftBlanket, "2");
    EXPECT_EQ(plan.Presses[1].Inputs.RightBlanket, "3");
    EXPECT_TRUE(plan.Json);
    EXPECT_EQ(plan.CsvDir, "out");
}

TEST(CliOptions, TextsPassUnreadSoTheRunControlJudgesThem) {
    TCliPlan plan;
    ASSERT_EQ(Parse({"--stratum", " 2 ", "--k", ""}, plan), "");
    EXPECT_EQ(plan.Presses[0].Inputs.StratumDepth, " 2 ");
    EXPECT_EQ(plan.Presses[0].Inputs.Permeability, "");
}

TEST(CliOptions, UsageErrors) {
    const std::vector<std::vector<const char*>> bad = {
        {"--left"}, {"--runs", "0"}, {"--runs", "2x"}, {"--runs"}, {"--csv", ""}, {"--frobnicate"}};
    for (const auto& args : bad) {
        TCliPlan plan;
        EXPECT_NE(Parse(args, plan), "") << args[0];
    }
}

TEST(CliOptions, EachCriterionHasItsTargetAndThePlainTargetIsTheSearchedOnes) {
    TCliPlan plan;
    // The plain --target comes before --embed here: it still belongs to the searched criterion.
    ASSERT_EQ(Parse({"--target", "2", "--embed", "ec7a", "--target", "exit=5", "--uplift-factors",
                     " 1.1 , 0.8 ", "--project", "Dock 4"},
                    plan),
              "");
    const checks::TCheckSettings& s = plan.CheckSettings;
    EXPECT_EQ(s.TargetEc7a, 2);
    EXPECT_EQ(s.TargetExit, 5);
    EXPECT_EQ(s.TargetTerzaghi, 1.5L); // untouched
    EXPECT_EQ(s.UpliftDst, 1.1L);
    EXPECT_EQ(s.UpliftStb, 0.8L);
    EXPECT_EQ(plan.Info.Project, "Dock 4");

    // A refused half of a pair changes neither factor; the message gives the range.
    const std::string error = Parse({"--factors", "1.2,9"}, plan);
    EXPECT_NE(error.find("from 0.5 to 3"), std::string::npos) << error;
    EXPECT_EQ(plan.CheckSettings.FactorDst, 1.35L);
}

} // namespace
} // namespace verrask::cli
