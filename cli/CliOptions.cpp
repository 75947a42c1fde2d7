// Parses the batch tool's command line into a plan of RUN presses (see CliOptions.h).
#include "cli/CliOptions.h"

#include "control/InputFields.h"
#include "control/InputSyntax.h"
#include "control/InputsFile.h"
#include "control/SettingFields.h"
#include "report/CheckLines.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace verrask::cli {

const char* const UsageText =
    "usage: verrask-cli [--inputs FILE] [inputs] [--runs N] [--nd N] [--nf N]\n"
    "                   [--zones LIST] [--then [inputs] ...] [--json] [--csv DIR]\n"
    "                   [--png FILE] [--checks] [--embed C] [check settings]\n"
    "                   [--report FILE] [--project T] [--structure T] [--engineer T]\n"
    "                   [--note T]\n"
    "       verrask-cli --section FILE [--json] [--png FILE] [--nd N] [--nf N] [--checks]\n"
    "                   [--embed C] [check settings] [--report FILE] [--project T] ...\n"
    "\n"
    "Computes the flow net under a sheet-pile wall, as the window's RUN does.\n"
    "inputs (texts, read as the window reads them; defaults in brackets):\n"
    "  --left L      left blanket length [0]\n"
    "  --right R     right blanket length [0]\n"
    "  --wall d      sheet pile wall depth [1]\n"
    "  --stratum D   stratum depth [2]\n"
    "  --ratio Y     Y'/Yw = gamma'/gamma_w, submerged unit weight over the unit weight of\n"
    "                water: the critical gradient i_c, about 1 for sand (not gamma_sat) [1]\n"
    "  --k K         coefficient of permeability [1E-5]\n"
    "  --up H1       upstream head, water depth over the upstream ground [1]\n"
    "  --down H2     downstream head, water depth over the downstream ground [0]\n"
    "  --inputs FILE the eight inputs and the check settings of an inputs file (the window's\n"
    "                File > Save Inputs); the options after it change them\n"
    "  --runs N      press RUN N times with these inputs (each run starts from the last)\n"
    "  --then        press RUN, then change only the boxes named after it\n"
    "  --json        one JSON object per run instead of text\n"
    "  --nd N        after the run, move the Flow Net track bar to N (1..40)\n"
    "  --nf N        after that, move the Tune track bar to N (1..40)\n"
    "  --zones LIST  after that, check the boxes critical, possible, imminent in LIST's order\n"
    "  --csv DIR     write the grids and fields.csv of the last run to DIR (made if missing)\n"
    "  --png FILE    write the picture of the last run as PNG (1 pixel per fine grid step)\n"
    "design checks (SI: lengths in m, K in m/s; forces in kN/m, pressures in kPa):\n"
    "  --checks      after each run, the heave, exit-gradient, EC7 HYD and wall-pressure figures\n"
    "  --embed C     after each run, the shallowest wall that meets criterion C: terzaghi,\n"
    "                ec7a, ec7b (EC7 HYD 2.9a / 2.9b), exit or column (progress on stderr)\n"
    "  --gamma-w G   unit weight of water, 9 to 11 kN/m3 [9.81]\n"
    "  --tailwater T tailwater depth above the downstream ground, 0 to 1000 m [H2, 0 if below]\n"
    "  --factors A,B EC7 HYD partial factors gamma_G;dst,gamma_G;stb, 0.5 to 3 [1.35,0.90]\n"
    "  --uplift-factors A,B  EC7 UPL partial factors gamma_G;dst,gamma_G;stb [1.0,0.9]\n"
    "  --target C=F  target of criterion C, 0.5 to 10: smallest FS for terzaghi [1.5], exit [4],\n"
    "                column [1.5]; largest utilisation for ec7a, ec7b [1]; repeatable\n"
    "  --target F    the target of the --embed criterion\n"
    "  --report FILE write an HTML report of the last run: inputs, results, flow net, design\n"
    "                checks, diagrams (and the embedment with --embed); prints on A4\n"
    "  --project T, --structure T, --engineer T, --note T  texts at the report's top\n"
    "section model (layered, anisotropic soils, one or two walls, own ground and water levels):\n"
    "  --section FILE  solve the section of a section file (JSON, SI units): q with a certain\n"
    "                bracket [q_low, q_high] and the flux through every stretch of ground;\n"
    "                with --checks, --embed C (the toe, of both walls together), --report FILE\n"
    "                and its texts, and the check settings above (not --tailwater: each\n"
    "                stretch has its own water level)\n"
    "  --png FILE    with --section: the section's flow net at natural scale as PNG: layers,\n"
    "                walls, water, Nd equipotentials, Nf flow lines, heave zones, legend\n"
    "  --nd N, --nf N  with --section: head drops [10] and flow channels [from Nd, q, k, H],\n"
    "                1..100\n"
    "exit status: 0 done, 2 input refused, 64 usage error, 1 output not written\n";

namespace {

// Reads `text` into one field of the check settings when the checks' own rule accepts the
// result (CheckSettingsError); leaves the settings alone otherwise. Returns the rule's message.
std::string Setting(const std::string& text, long double checks::TCheckSettings::*field,
                    checks::TCheckSettings& settings) {
    for (const report::TSettingFieldDesign& d : report::SettingFields)
        if (d.Member == field) return ApplySetting(text, d.Field, settings);
    return "unknown setting";
}

// "DST,STB" into two factors; the message of the first refused, or that the comma is missing.
std::string FactorPair(const std::string& pair, long double checks::TCheckSettings::*dst,
                       long double checks::TCheckSettings::*stb, checks::TCheckSettings& settings) {
    const std::size_t comma = pair.find(',');
    if (comma == std::string::npos) return "two numbers are needed: DST,STB";
    checks::TCheckSettings trial = settings;
    std::string error = Setting(pair.substr(0, comma), dst, trial);
    if (error.empty()) error = Setting(pair.substr(comma + 1), stb, trial);
    if (error.empty()) settings = trial;
    return error;
}

// The options a section's run takes; the design's other options do not apply to it.
bool SectionOption(const std::string& option) {
    for (const char* o : {"--section", "--json", "--help", "-h", "--checks", "--embed", "--gamma-w",
                          "--factors", "--uplift-factors", "--target", "--report", "--project",
                          "--structure", "--engineer", "--note", "--png", "--nd", "--nf"})
        if (option == o) return true;
    return false;
}

} // namespace

std::string ParseCommandLine(int argc, const char* const* argv, TCliPlan& plan) {
    plan = TCliPlan{};
    plan.Presses.emplace_back();
    std::optional<std::string> embedTarget; // plain --target F: the --embed criterion's
    std::string designOption;               // the first option of the design's model
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (designOption.empty() && !SectionOption(option)) designOption = option;
        auto value = [&](std::string& out) -> bool {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        // A whole number in min..max as the option's value.
        auto count = [&](int min, int max, int& out) -> bool {
            std::string text;
            if (!value(text)) return false;
            int n = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
            if (ec != std::errc{} || end != text.data() + text.size() || n < min || n > max)
                return false;
            out = n;
            return true;
        };
        // The option's value as one check setting: "" or why it is refused.
        auto setting = [&](long double checks::TCheckSettings::*field) -> std::string {
            std::string text;
            if (!value(text)) return option + " needs a value";
            const std::string error = Setting(text, field, plan.CheckSettings);
            return error.empty() ? "" : option + ": " + error;
        };
        TInputTexts& in = plan.Presses.back().Inputs;
        std::string* box = nullptr;
        for (const TInputFieldDesign& d : InputFields)
            if (option == d.Option) box = &(in.*d.Text);
        if (box) {
            if (!value(*box)) return option + " needs a value";
            continue;
        }
        TPress& press = plan.Presses.back();
        if (option == "--inputs") {
            std::string path;
            if (!value(path) || path.empty()) return "--inputs needs a file";
            TInputsFile file;
            if (const std::string error = OpenInputsFile(path, file); !error.empty())
                return "--inputs: " + error;
            press.Inputs = file.Inputs;
            plan.CheckSettings = file.Settings;
        } else if (option == "--then") {
            TPress next;
            next.Inputs = press.Inputs;
            plan.Presses.push_back(next);
        } else if (option == "--runs") {
            if (!count(1, 100000, press.Repeats))
                return "--runs needs a whole number from 1 to 100000";
        } else if (option == "--nd" || option == "--nf") {
            // 1..40 for the track bars, 1..100 with --section (checked once the mode is known).
            if (!count(1, 100, option == "--nd" ? press.FlowNetPosition : press.TunePosition))
                return option + " needs a whole number from 1 to 40 (to 100 with --section)";
        } else if (option == "--zones") {
            std::string list;
            if (!value(list)) return "--zones needs a list";
            press.Zones.clear();
            std::size_t start = 0;
            while (start <= list.size()) {
                const std::size_t end = std::min(list.find(',', start), list.size());
                const std::string name = list.substr(start, end - start);
                if (name == "critical")
                    press.Zones.push_back(TZone::Critical);
                else if (name == "possible")
                    press.Zones.push_back(TZone::Possible);
                else if (name == "imminent")
                    press.Zones.push_back(TZone::Imminent);
                else
                    return "unknown zone: \"" + name + "\" (critical, possible, imminent)";
                start = end + 1;
            }
        } else if (option == "--png") {
            if (!value(plan.PngFile) || plan.PngFile.empty()) return "--png needs a file";
        } else if (option == "--json") {
            plan.Json = true;
        } else if (option == "--csv") {
            if (!value(plan.CsvDir) || plan.CsvDir.empty()) return "--csv needs a folder";
        } else if (option == "--checks") {
            plan.Checks = true;
        } else if (option == "--embed") {
            std::string name;
            if (!value(name) || !checks::ParseCriterion(name, plan.Criterion))
                return "--embed needs a criterion: terzaghi, ec7a, ec7b, exit or column";
            plan.Embed = true;
        } else if (option == "--gamma-w" || option == "--tailwater") {
            const std::string error =
                setting(option == "--gamma-w" ? &checks::TCheckSettings::GammaW
                                              : &checks::TCheckSettings::Tailwater);
            if (!error.empty()) return error;
        } else if (option == "--target") {
            std::string text;
            if (!value(text)) return "--target needs a value: F or CRITERION=F";
            const std::size_t equals = text.find('=');
            checks::TCriterion criterion{};
            if (equals == std::string::npos) {
                embedTarget = text;
            } else if (!checks::ParseCriterion(text.substr(0, equals), criterion)) {
                return "--target: unknown criterion \"" + text.substr(0, equals) +
                       "\" (terzaghi, ec7a, ec7b, exit, column)";
            } else if (const std::string error =
                           Setting(text.substr(equals + 1),
                                   checks::CriterionTargetMember(criterion), plan.CheckSettings);
                       !error.empty()) {
                return "--target: " + error;
            }
        } else if (option == "--factors" || option == "--uplift-factors") {
            std::string pair;
            if (!value(pair)) return option + " needs two numbers: DST,STB";
            const bool hyd = option == "--factors";
            const std::string error = FactorPair(
                pair, hyd ? &checks::TCheckSettings::FactorDst : &checks::TCheckSettings::UpliftDst,
                hyd ? &checks::TCheckSettings::FactorStb : &checks::TCheckSettings::UpliftStb,
                plan.CheckSettings);
            if (!error.empty()) return option + ": " + error;
        } else if (option == "--project" || option == "--structure" || option == "--engineer" ||
                   option == "--note") {
            report::TReportInfo& info = plan.Info;
            std::string& field = option == "--project"     ? info.Project
                                 : option == "--structure" ? info.Structure
                                 : option == "--engineer"  ? info.Engineer
                                                           : info.Note;
            if (!value(field)) return option + " needs a text";
        } else if (option == "--report") {
            if (!value(plan.ReportFile) || plan.ReportFile.empty()) return "--report needs a file";
        } else if (option == "--section") {
            if (!value(plan.SectionFile) || plan.SectionFile.empty())
                return "--section needs a file";
        } else if (option == "--help" || option == "-h") {
            plan.Help = true;
        } else {
            return "unknown option: " + option;
        }
    }
    if (!plan.SectionFile.empty() && !designOption.empty())
        return designOption + " does not apply to --section" +
               (designOption == "--tailwater" ? " (each stretch has its own water level)" : "");
    for (const TPress& press : plan.Presses)
        if (plan.SectionFile.empty() && (press.FlowNetPosition > 40 || press.TunePosition > 40))
            return std::string(press.FlowNetPosition > 40 ? "--nd" : "--nf") +
                   " needs a whole number from 1 to 40";
    if (embedTarget) {
        const std::string error = Setting(
            *embedTarget, checks::CriterionTargetMember(plan.Criterion), plan.CheckSettings);
        if (!error.empty()) return "--target: " + error;
    }
    return "";
}

} // namespace verrask::cli
