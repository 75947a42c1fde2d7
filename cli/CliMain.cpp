// verrask-cli: the batch tool. Presses RUN as the window does, once or several times in one
// process (each solve relaxing from what the previous run left), and prints what the window
// would show.
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/SectionRun.h"
#include "control/PlainControls.h"
#include "control/RunSession.h"
#include "control/SettingFields.h"
#include "report/CheckLines.h"
#include "report/CheckReport.h"
#include "report/FieldsCsv.h"
#include "sheetpile/RunResult.h"
#include "support/FileWrite.h"
#include "support/PngFile.h"

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

// The design checks and the embedment search the plan asks for, read from the completed run:
// lines appended to `text`, or JSON members to `extra` (in JSON mode); with --report, what the
// report of this run carries in `last`.
void AddChecks(const TCliPlan& plan, const TRunSession& session, const sheetpile::TModel& model,
               std::string& text, std::string& extra, TRunChecks& last) {
    const bool wantReport = !plan.ReportFile.empty();
    if (!plan.Checks && !plan.Embed && !wantReport) return;
    TRunChecks run;
    if (plan.Checks || wantReport) {
        run = ChecksOfRun(session, model, plan.CheckSettings);
        if (plan.Checks) {
            if (plan.Json)
                extra = report::ChecksJson(run.Checks, run.Settings);
            else
                text += report::ChecksText(run.Checks, run.Settings);
        }
    } else {
        run.Settings = SettingsForRun(plan.CheckSettings, session.Inputs);
    }
    if (plan.Embed) {
        checks::TEmbedment shown; // for the progress lines' wording
        shown.Criterion = plan.Criterion;
        checks::TSearchControl control;
        control.Progress = [&](const checks::TEmbedmentTrial& t) {
            std::cerr << "embedment: " << report::TrialText(shown, t) << std::endl;
        };
        const checks::TEmbedment e =
            SearchRunEmbedment(sheetpile::TrialResult(model), model.UseFastSolvers, plan.Criterion,
                               run.Settings, control);
        if (plan.Json) {
            if (!extra.empty()) extra += ',';
            extra += report::EmbedmentJson(e);
        } else
            text += report::EmbedmentText(e);
        run.Embedment = e;
    }
    if (wantReport) last = run;
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
    if (!plan.SectionFile.empty()) return RunSection(plan);

    auto model = std::make_unique<sheetpile::TModel>();
    TCliShell shell(*model);
    TPlainControls tuning;
    TRunControl control(*model, shell, tuning.Controls());
    tuning.Wire(control);
    control.FormCreate();

    TRunSession session;
    session.Info = plan.Info;
    TRunChecks last; // what the report of the last run carries (with --report)
    for (const TPress& press : plan.Presses) {
        for (int k = 0; k < press.Repeats; ++k) {
            session.RunStarted(press.Inputs);
            if (!control.Button1Click(press.Inputs)) {
                std::cerr << WrongInputText << "\n" << control.LastRefusal << "\n";
                return 2;
            }
            shell.FinishRun(control);
            session.RunCompleted();
            // What the user does next, as in the window: the bars, then the boxes.
            if (press.FlowNetPosition) tuning.TrackBar1.SetPosition(press.FlowNetPosition);
            if (press.TunePosition) tuning.TrackBar2.SetPosition(press.TunePosition);
            for (TZone zone : press.Zones) {
                TCheckBoxState& box = zone == TZone::Critical   ? tuning.CheckBox1
                                      : zone == TZone::Possible ? tuning.CheckBox2
                                                                : tuning.CheckBox3;
                box.SetChecked(true);
            }
            session.Message = shell.Message;
            session.Panels = shell.Panels;
            const TRunReport report = session.Report();
            std::string text = plan.Json ? "" : TextReport(report, *model), extra;
            AddChecks(plan, session, *model, text, extra, last);
            std::cout << (plan.Json
                              ? JsonReport(report, *sheetpile::RunResult(*model, false), extra)
                              : text)
                      << std::flush;
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
        if (error.empty()) {
            const section::TNodeResultPtr run = sheetpile::RunResult(*model);
            error = WriteCsv(plan.CsvDir, *run,
                             report::FieldsCsv(*run, session.Inputs, plan.CheckSettings.GammaW));
        }
        if (!error.empty()) failed(error);
    }
    if (!plan.ReportFile.empty()) {
        if (const std::string error = ExportReport(plan.ReportFile, session, *model, last);
            !error.empty())
            failed("the report was not written: " + error);
    }
    return status;
}

} // namespace
} // namespace verrask::cli

int main(int argc, char** argv) {
    return verrask::cli::Main(argc, argv);
}
