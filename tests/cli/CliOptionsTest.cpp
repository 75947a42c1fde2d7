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
    EXPECT_EQ(in.Edit6, "0");
    EXPECT_EQ(in.Edit7, "0");
    EXPECT_EQ(in.Edit2, "1");
    EXPECT_EQ(in.Edit1, "2");
    EXPECT_EQ(in.Edit5, "1");
    EXPECT_EQ(in.Edit8, "1E-5");
    EXPECT_EQ(in.Edit3, "1");
    EXPECT_EQ(in.Edit4, "0");
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
    EXPECT_EQ(plan.Presses[0].Inputs.Edit2, "1.5");
    EXPECT_EQ(plan.Presses[0].Inputs.Edit6, "0");
    EXPECT_EQ(plan.Presses[1].Repeats, 1);
    EXPECT_EQ(plan.Presses[1].Inputs.Edit2, "1.5");
    EXPECT_EQ(plan.Presses[1].Inputs.Edit6, "2");
    EXPECT_EQ(plan.Presses[1].Inputs.Edit7, "3");
    EXPECT_TRUE(plan.Json);
    EXPECT_EQ(plan.CsvDir, "out");
}

TEST(CliOptions, TextsPassUnreadSoTheRunControlJudgesThem) {
    TCliPlan plan;
    ASSERT_EQ(Parse({"--stratum", " 2 ", "--k", ""}, plan), "");
    EXPECT_EQ(plan.Presses[0].Inputs.Edit1, " 2 ");
    EXPECT_EQ(plan.Presses[0].Inputs.Edit8, "");
}

TEST(CliOptions, UsageErrors) {
    const std::vector<std::vector<const char*>> bad = {
        {"--left"}, {"--runs", "0"}, {"--runs", "2x"}, {"--runs"}, {"--csv", ""}, {"--frobnicate"}};
    for (const auto& args : bad) {
        TCliPlan plan;
        EXPECT_NE(Parse(args, plan), "") << args[0];
    }
}

} // namespace
} // namespace verrask::cli
