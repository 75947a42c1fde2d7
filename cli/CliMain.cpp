// verrask-cli: the batch tool. Presses RUN as the window does, once or several times in one
// process (each solve relaxing from what the previous run left), and prints what the window
// would show.
#include "cli/CheckReport.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "control/PlainControls.h"
#include "report/CheckLines.h"
#include "report/FieldsCsv.h"
#include "report/HtmlReport.h"
#include "report/ReportFile.h"
#include "support/FileWrite.h"
#include "support/PngFile.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <memory>
#include <thread>

namespace verrask::cli {
namespace {

// A front end without widgets: remembers the texts, runs the workers on two threads and hands
// their completions back to the main thread one at a time.
class TCliShell final : public TTextShell {
  public:
    explicit TCliShell(sheetpile::TModel& model) : Model(model) {}

    void StartWorkers() override {
        StreamWorker = std::thread([this] { sheetpile::TThread1Execute(Model); });
        HeadWorker = std::thread([this] { sheetpile::TThread2Execute(Model); });
    }
    // Waits for both workers, delivering each completion on this thread after its body ended.
    void FinishRun(TRunControl& control) {
        StreamWorker.join();
        control.WorkerDone();
        HeadWorker.join();
        control.WorkerDone();
    }

  private:
    sheetpile::TModel& Model;
    std::thread StreamWorker, HeadWorker;
};

// The date and time now in UTC, for the report: "2026-12-09 15:52 UTC".
std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::gmtime(&now);
    char buffer[32] = "";
    if (t) std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M UTC", t);
    return buffer;
}

// The design checks and the embedment search the plan asks for, read from the completed run:
// lines appended to `text`, or JSON members to `extra` (in JSON mode); with --report, the
// report's contents of this run in `last`.
void AddChecks(const TCliPlan& plan, const TPress& press, const sheetpile::TModel& model,
               std::string& text, std::string& extra, report::TReportContent& last) {
    const bool wantReport = !plan.ReportFile.empty();
    if (!plan.Checks && !plan.Embed && !wantReport) return;
    const checks::TCheckSettings settings =
        report::SettingsForRun(plan.CheckSettings, press.Inputs);
    if (plan.Checks || wantReport) {
        const checks::TDesignChecks c = checks::RunDesignChecks(model, settings);
        if (plan.Checks) {
            if (plan.Json)
                extra = ChecksJson(c, settings);
            else
                text += ChecksText(c, settings);
        }
        if (wantReport) {
            last.Info = plan.Info;
            last.Inputs = press.Inputs;
            last.Settings = settings;
            last.Checks = c;
            last.Embedment.reset();
        }
    }
    if (plan.Embed) {
        checks::TEmbedment shown; // for the progress lines' wording
        shown.Criterion = plan.Criterion;
        checks::TSearchControl control;
        control.Progress = [&](const checks::TEmbedmentTrial& t) {
            std::cerr << "embedment: " << TrialText(shown, t) << std::endl;
        };
        const checks::TEmbedment e =
            checks::SearchEmbedment(model, plan.Criterion, settings, control);
        if (plan.Json) {
            if (!extra.empty()) extra += ',';
            extra += EmbedmentJson(e);
        } else
            text += EmbedmentText(e);
        if (wantReport) last.Embedment = e;
    }
}

int Main(int argc, const char* const* argv) {
    TCliPlan plan;
    if (const std::string error = ParseCommandLine(argc, argv, plan); !error.empty()) {
        std::cerr << "verrask-cli: " << error << "\n" << UsageText;
        return 64;
    }
    if (plan.Help) {
        std::cout << UsageText;
        return 0;
    }

    auto model = std::make_unique<sheetpile::TModel>();
    TCliShell shell(*model);
    TPlainControls tuning;
    TRunControl control(*model, shell, tuning.Controls());
    tuning.Wire(control);
    control.FormCreate();

    int run = 0;
    report::TReportContent last; // the last run's report contents (with --report)
    TInputTexts lastInputs;      // of the last run, for the fields CSV
    for (const TPress& press : plan.Presses) {
        lastInputs = press.Inputs;
        for (int k = 0; k < press.Repeats; ++k) {
            const auto start = std::chrono::steady_clock::now();
            if (!control.Button1Click(press.Inputs)) {
                std::cerr << WrongInputText << "\n" << control.LastRefusal << "\n";
                return 2;
            }
            shell.FinishRun(control);
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            // What the user does next, as in the window: the bars, then the boxes.
            if (press.FlowNetPosition) tuning.TrackBar1.SetPosition(press.FlowNetPosition);
            if (press.TunePosition) tuning.TrackBar2.SetPosition(press.TunePosition);
            for (TZone zone : press.Zones) {
                TCheckBoxState& box = zone == TZone::Critical   ? tuning.CheckBox1
                                      : zone == TZone::Possible ? tuning.CheckBox2
                                                                : tuning.CheckBox3;
                box.SetChecked(true);
            }
            TRunReport report{++run, press.Inputs, shell.Message, shell.Panels, elapsed.count()};
            std::string text = plan.Json ? "" : TextReport(report, *model), extra;
            AddChecks(plan, press, *model, text, extra, last);
            std::cout << (plan.Json ? JsonReport(report, *model, extra) : text) << std::flush;
        }
    }
    // Every output is tried, so one that cannot be written costs none of the others.
    int status = 0;
    auto failed = [&](const std::string& error) {
        std::cerr << "verrask-cli: " << error << "\n";
        status = 1;
    };
    if (!plan.PngFile.empty()) {
        if (const std::string error = WritePng(plan.PngFile, model->ShownPicture); !error.empty())
            failed(error);
    }
    if (!plan.CsvDir.empty()) {
        std::string error = MakeFolders(plan.CsvDir);
        if (error.empty())
            error = WriteCsv(plan.CsvDir, *model,
                             report::FieldsCsv(*model, lastInputs, plan.CheckSettings.GammaW));
        if (!error.empty()) failed(error);
    }
    if (!plan.ReportFile.empty()) {
        last.Date = UtcNow();
        std::string error;
        const std::string html = report::ReportHtml(last, *model, error);
        if (error.empty()) error = report::WriteReportFile(plan.ReportFile, html);
        if (!error.empty()) failed("the report was not written: " + error);
    }
    return status;
}

} // namespace
} // namespace verrask::cli

int main(int argc, char** argv) {
    return verrask::cli::Main(argc, argv);
}
