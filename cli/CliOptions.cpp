// Parses the batch tool's command line into a plan of RUN presses (see CliOptions.h).
#include "cli/CliOptions.h"

#include <charconv>
#include <cstring>

namespace verrask::cli {

const char* const UsageText =
    "usage: verrask-cli [inputs] [--runs N] [--then [inputs] ...] [--json] [--csv DIR]\n"
    "\n"
    "Computes the flow net under a sheet-pile wall, as the window's RUN does.\n"
    "inputs (texts, read as the window reads them; defaults in brackets):\n"
    "  --left L      left blanket length [0]\n"
    "  --right R     right blanket length [0]\n"
    "  --wall d      sheet pile wall depth [1]\n"
    "  --stratum D   stratum depth [2]\n"
    "  --ratio Y     Y'/Yw, soil saturated / water specific weight [1]\n"
    "  --k K         coefficient of permeability [1E-5]\n"
    "  --up H1       upstream head [1]\n"
    "  --down H2     downstream head [0]\n"
    "  --runs N      press RUN N times with these inputs (each run starts from the last)\n"
    "  --then        press RUN, then change only the boxes named after it\n"
    "  --json        one JSON object per run instead of text\n"
    "  --csv DIR     write the coarse and refined grids of the last run to DIR\n"
    "exit status: 0 done, 2 input refused, 64 usage error, 1 output not written\n";

std::string ParseCommandLine(int argc, const char* const* argv, TCliPlan& plan) {
    plan = TCliPlan{};
    plan.Presses.emplace_back();
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        auto value = [&](std::string& out) -> bool {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        TInputTexts& in = plan.Presses.back().Inputs;
        std::string* box = nullptr;
        if (option == "--left")
            box = &in.Edit6;
        else if (option == "--right")
            box = &in.Edit7;
        else if (option == "--wall")
            box = &in.Edit2;
        else if (option == "--stratum")
            box = &in.Edit1;
        else if (option == "--ratio")
            box = &in.Edit5;
        else if (option == "--k")
            box = &in.Edit8;
        else if (option == "--up")
            box = &in.Edit3;
        else if (option == "--down")
            box = &in.Edit4;
        if (box) {
            if (!value(*box)) return option + " needs a value";
            continue;
        }
        if (option == "--then") {
            plan.Presses.push_back(TPress{plan.Presses.back().Inputs, 1});
        } else if (option == "--runs") {
            std::string text;
            if (!value(text)) return "--runs needs a count";
            int n = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
            if (ec != std::errc{} || end != text.data() + text.size() || n < 1 || n > 100000)
                return "--runs needs a whole number from 1 to 100000";
            plan.Presses.back().Repeats = n;
        } else if (option == "--json") {
            plan.Json = true;
        } else if (option == "--csv") {
            if (!value(plan.CsvDir) || plan.CsvDir.empty()) return "--csv needs a folder";
        } else if (option == "--help" || option == "-h") {
            plan.Help = true;
        } else {
            return "unknown option: " + option;
        }
    }
    return "";
}

} // namespace verrask::cli
