// The inputs file: what is written reads back bit for bit; every kind of bad file is refused
// with a reason that names the place (line and column, or the key) and leaves the output as it
// was.
#include "control/InputsFile.h"

#include "checks/CheckSettings.h"
#include "support/FileWrite.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace verrask {
namespace {

// Equal field by field; NaN (a tailwater taken from H2) equals NaN.
bool SameSettings(const checks::TCheckSettings& a, const checks::TCheckSettings& b) {
    const long double checks::TCheckSettings::*members[] = {
        &checks::TCheckSettings::GammaW,         &checks::TCheckSettings::Tailwater,
        &checks::TCheckSettings::FactorDst,      &checks::TCheckSettings::FactorStb,
        &checks::TCheckSettings::UpliftDst,      &checks::TCheckSettings::UpliftStb,
        &checks::TCheckSettings::TargetTerzaghi, &checks::TCheckSettings::TargetExit,
        &checks::TCheckSettings::TargetColumn,   &checks::TCheckSettings::TargetEc7a,
        &checks::TCheckSettings::TargetEc7b};
    for (auto m : members)
        if (!(a.*m == b.*m || (std::isnan(a.*m) && std::isnan(b.*m)))) return false;
    return true;
}

bool SameInputs(const TInputTexts& a, const TInputTexts& b) {
    return a.StratumDepth == b.StratumDepth && a.WallDepth == b.WallDepth &&
           a.UpstreamHead == b.UpstreamHead && a.DownstreamHead == b.DownstreamHead &&
           a.UnitWeightRatio == b.UnitWeightRatio && a.LeftBlanket == b.LeftBlanket &&
           a.RightBlanket == b.RightBlanket && a.Permeability == b.Permeability;
}

// Inputs and settings far from the defaults, with numbers that a binary double cannot hold.
TInputsFile Unusual() {
    TInputsFile f;
    f.Inputs.LeftBlanket = "12";
    f.Inputs.WallDepth = " 1.25 ";
    f.Inputs.StratumDepth = "2x"; // as typed, even when RUN would refuse it
    f.Inputs.Permeability = "\"3\\E-4\" \xCE\xB3";
    f.Inputs.DownstreamHead = "";
    f.Settings.GammaW = 9.8123456789012345678L;
    f.Settings.Tailwater = 0.3L;
    f.Settings.FactorDst = 1.2L;
    f.Settings.TargetExit = 5.5L;
    f.Settings.TargetEc7b = 0.95L;
    return f;
}

TEST(InputsFile, WhatIsWrittenReadsBackBitForBit) {
    for (const TInputsFile& written : {TInputsFile{}, Unusual()}) {
        TInputsFile read;
        read.Inputs.UpstreamHead = "changed";
        ASSERT_EQ(ReadInputsText(InputsFileText(written), read), "");
        EXPECT_TRUE(SameInputs(read.Inputs, written.Inputs));
        EXPECT_TRUE(SameSettings(read.Settings, written.Settings));
    }
    const std::string text = InputsFileText(TInputsFile{});
    EXPECT_NE(text.find("\"format\": \"verrask-inputs\""), std::string::npos);
    EXPECT_NE(text.find("\"version\": 1,"), std::string::npos);
    EXPECT_NE(text.find("\"wall\": \"1\""), std::string::npos);
    EXPECT_NE(text.find("\"factor_dst\": 1.35,"), std::string::npos); // fewest digits
    EXPECT_NE(text.find("\"tailwater\": null,"), std::string::npos);  // from H2

    // Through a file, under a name outside ASCII.
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "verrask-inputs";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / std::filesystem::path(u8"\u03B3 site.json");
    ASSERT_EQ(SaveInputsFile(file, Unusual()), "");
    TInputsFile read;
    ASSERT_EQ(OpenInputsFile(file, read), "");
    EXPECT_TRUE(SameInputs(read.Inputs, Unusual().Inputs));
    std::filesystem::remove_all(dir);
}

TEST(InputsFile, BadFilesAreRefusedWithTheirReasonAndChangeNothing) {
    const std::string good = InputsFileText(TInputsFile{});
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const std::pair<std::string, std::string> cases[] = {
        // Not JSON: where the parser stopped.
        {with("\"version\": 1,", "\"version\": 1,,"), "line 3, column 16: syntax error"},
        {"", "line 1, column 1"},
        {with("\"up\": \"1\"", "\"up\": \"\xC3\""),
         "line 11, column 13: syntax error"}, // no valid UTF-8
        {"[1, 2]", "the file holds no JSON object"},
        // Not this format, or a version this program does not read.
        {with("\"format\": \"verrask-inputs\",", ""), "not a Verrask inputs file (no \"format\""},
        {with("verrask-inputs", "sheet"), "its format is \"sheet\", not \"verrask-inputs\""},
        {with("\"version\": 1", "\"version\": 2"),
         "version 2 is newer than this program reads (1)"},
        {with("\"version\": 1", "\"version\": 0"), "version 0 is unknown"},
        {with("\"version\": 1", "\"version\": 1.0"), "\"version\" must be a whole number"},
        {with("\"version\": 1,", ""), "\"version\" is missing"},
        // Wrong types, unknown, repeated and missing keys.
        {with("\"wall\": \"1\"", "\"wall\": 1"), "\"inputs.wall\" must be a text, not a number"},
        {with("\"gamma_w\": 9.81", "\"gamma_w\": \"9.81\""),
         "\"check_settings.gamma_w\" must be a number, not a text"},
        {with("\"gamma_w\": 9.81", "\"gamma_w\": null"),
         "\"check_settings.gamma_w\" must be a number, not null"},
        {with("\"tailwater\": null", "\"tailwater\": [0]"),
         "\"check_settings.tailwater\" must be a number or null, not a list"},
        {with("\"inputs\": {", "\"inputs\": 3, \"x\": {"), "\"inputs\" must be an object"},
        {with("\"wall\": \"1\"", "\"height\": \"1\""), "unknown key \"inputs.height\""},
        {with("\"version\": 1,", "\"version\": 1, \"extra\": {\"a\": 1},"),
         "unknown key \"extra\""},
        {with("\"left\": \"0\"", "\"left\": \"0\", \"left\": \"1\""),
         "\"inputs.left\" appears twice"},
        {with("\"down\": \"0\"", "\"up\": \"0\""), "\"inputs.up\" appears twice"},
        {with(",\n    \"down\": \"0\"", ""), "\"inputs.down\" is missing"},
        {with(",\n    \"target_ec7b\": 1", ""), "\"check_settings.target_ec7b\" is missing"},
        {with("\"wall\": \"1\"", "\"wall\": \"1\\n2\""),
         "\"inputs.wall\" holds a control character"},
        // A setting the checks refuse: named, with the checks' own reason and range.
        {with("\"gamma_w\": 9.81", "\"gamma_w\": 12"), "\"check_settings.gamma_w\": "},
        {with("\"target_exit\": 4", "\"target_exit\": 0.1"), "\"check_settings.target_exit\": "},
        {with("\"target_exit\": 4", "\"target_exit\": 1e400"), "line 22, column 24: number"},
    };
    for (const auto& [text, reason] : cases) {
        TInputsFile file = Unusual();
        const std::string error = ReadInputsText(text, file);
        EXPECT_NE(error.find(reason), std::string::npos) << "got: " << error << "\n" << text;
        EXPECT_TRUE(SameInputs(file.Inputs, Unusual().Inputs)) << reason;
        EXPECT_TRUE(SameSettings(file.Settings, Unusual().Settings)) << reason;
    }
    // The checks' reason for gamma_w quotes its range.
    TInputsFile file;
    EXPECT_NE(ReadInputsText(with("\"gamma_w\": 9.81", "\"gamma_w\": 12"), file).find("11"),
              std::string::npos);

    // A file that is not there, or a folder: the path and what is wrong.
    const std::filesystem::path missing =
        std::filesystem::temp_directory_path() / "verrask-no-such-inputs.json";
    EXPECT_EQ(OpenInputsFile(missing, file), PathText(missing) + ": no such file");
    EXPECT_EQ(OpenInputsFile(std::filesystem::temp_directory_path(), file),
              PathText(std::filesystem::temp_directory_path()) + ": a folder, not a file");
}

} // namespace
} // namespace verrask
