// The session of the last completed run and what is made of it (see RunSession.h).
#include "control/RunSession.h"

#include "control/SettingFields.h"
#include "report/CheckLines.h"
#include "report/CheckReport.h"
#include "report/FieldsCsv.h"
#include "report/ReportFile.h"
#include "sheetpile/RunResult.h"
#include "sheetpile/TrialWalls.h"

#include <ctime>

namespace verrask {

void TRunSession::RunStarted(const TInputTexts& inputs) {
    Pending = inputs;
    Start = std::chrono::steady_clock::now();
}

void TRunSession::RunCompleted() {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - Start;
    Seconds = elapsed.count();
    Inputs = Pending;
    ++Runs;
    Date = UtcNow();
}

report::TRunReport TRunSession::Report() const {
    return {Runs, Inputs, Message, Panels, Seconds};
}

std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::gmtime(&now);
    char buffer[32] = "";
    if (t) std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M UTC", t);
    return buffer;
}

TRunChecks ChecksOfRun(const TRunSession& session, const sheetpile::TModel& model,
                       const checks::TCheckSettings& settings,
                       const std::optional<checks::TEmbedment>& embedment) {
    TRunChecks out;
    out.Settings = SettingsForRun(settings, session.Inputs);
    out.Checks = checks::RunDesignChecks(*sheetpile::RunResult(model, false), out.Settings);
    out.Embedment = embedment;
    return out;
}

checks::TEmbedment SearchRunEmbedment(const section::TNodeResultPtr& run, bool fastSolvers,
                                      checks::TCriterion criterion,
                                      const checks::TCheckSettings& settings,
                                      const checks::TSearchControl& control) {
    sheetpile::TTrialWalls trials(run, fastSolvers);
    return checks::SearchEmbedment(
        *run, [&trials](int worker, int rows) { return trials.Solve(worker, rows); }, criterion,
        settings, control);
}

std::string ResultsJson(const TRunSession& session, const sheetpile::TModel& model,
                        const TRunChecks& checks) {
    std::string extra = report::ChecksJson(checks.Checks, checks.Settings);
    if (checks.Embedment) {
        extra += ',';
        extra += report::EmbedmentJson(*checks.Embedment);
    }
    return report::JsonReport(session.Report(), *sheetpile::RunResult(model, false), extra);
}

std::vector<TFileContent> ResultsFiles(std::filesystem::path json, const TRunSession& session,
                                       const sheetpile::TModel& model, const TRunChecks& checks) {
    if (!json.has_extension()) json += ".json"; // the file dialog's filter, when none is typed
    const std::filesystem::path dir = json.has_parent_path() ? json.parent_path() : ".";
    std::filesystem::path prefix = json.stem();
    prefix += "-";
    const section::TNodeResultPtr run = sheetpile::RunResult(model);
    std::vector<TFileContent> files = report::CsvFiles(
        dir, *run, report::FieldsCsv(*run, session.Inputs, checks.Settings.GammaW), prefix);
    files.insert(files.begin(), {json, ResultsJson(session, model, checks)});
    return files;
}

std::string ExportResults(const std::filesystem::path& json, const TRunSession& session,
                          const sheetpile::TModel& model, const TRunChecks& checks) {
    if (json.empty()) return "no file name";
    return WriteFileSet(ResultsFiles(json, session, model, checks));
}

report::TReportContent ReportContent(const TRunSession& session, const TRunChecks& checks) {
    report::TReportContent content;
    content.Info = session.Info;
    content.Date = session.Date;
    content.Inputs = session.Inputs;
    content.Settings = checks.Settings;
    content.Checks = checks.Checks;
    content.Embedment = checks.Embedment;
    return content;
}

std::string ExportReport(const std::filesystem::path& path, const TRunSession& session,
                         const sheetpile::TModel& model, const TRunChecks& checks) {
    std::string error;
    const std::string html = report::ReportHtml(ReportContent(session, checks),
                                                *sheetpile::RunResult(model, false), error);
    if (error.empty()) error = report::WriteReportFile(path, html);
    return error;
}

} // namespace verrask
