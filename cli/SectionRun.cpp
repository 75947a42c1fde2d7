// The batch tool's run of a section file (see SectionRun.h).
#include "cli/SectionRun.h"

#include "checks/SectionChecks.h"
#include "checks/SectionEmbedment.h"
#include "control/RunSession.h"
#include "report/ReportFile.h"
#include "report/SectionChecksText.h"
#include "report/SectionPicture.h"
#include "report/SectionReport.h"
#include "report/SectionText.h"
#include "section/SectionFile.h"
#include "sectionmodel/SectionSolve.h"
#include "support/PngFile.h"

#include <chrono>
#include <iostream>

namespace verrask::cli {

int RunSection(const TCliPlan& plan) {
    section::TSection s;
    if (const std::string error = section::OpenSectionFile(plan.SectionFile, s); !error.empty()) {
        std::cerr << "verrask-cli: the section was refused: " << error << "\n";
        return 2;
    }
    // The checks' gamma_w may be set above the reader's: every layer must still be heavier.
    if (const std::string error = checks::SectionGammaError(s, plan.CheckSettings);
        !error.empty()) {
        std::cerr << "verrask-cli: the section was refused: " << error << "\n";
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    section::TSectionResultPtr result;
    if (const std::string error = sectionmodel::SolveSection(s, result); !error.empty()) {
        std::cerr << "verrask-cli: the section was not solved: " << error << "\n";
        return 2;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::string text = plan.Json ? "" : report::SectionText(*result, seconds);
    std::vector<std::string> members;
    const bool wantReport = !plan.ReportFile.empty();
    report::TSectionReportContent content;
    content.Info = plan.Info;
    content.Date = UtcNow();
    content.Result = result;
    content.Settings = plan.CheckSettings;
    if (plan.Checks || wantReport)
        content.Checks = checks::RunSectionChecks(*result, plan.CheckSettings);
    if (plan.Checks) {
        const checks::TSectionChecks& c = content.Checks;
        if (plan.Json)
            members.push_back(report::SectionChecksJson(*result, c, plan.CheckSettings));
        else
            text += report::SectionChecksText(*result, c, plan.CheckSettings);
    }
    if (plan.Embed) {
        checks::TSectionEmbedment shown;
        shown.Criterion = plan.Criterion;
        const checks::TSectionEmbedment e = checks::SearchSectionEmbedment(
            s, plan.Criterion, plan.CheckSettings, sectionmodel::SolveSection,
            [&](const checks::TToeTrial& t) {
                std::cerr << "embedment: " << report::ToeTrialText(shown, t) << std::endl;
            });
        if (plan.Json)
            members.push_back(report::SectionEmbedmentJson(e));
        else
            text += report::SectionEmbedmentText(e);
        content.Embedment = e;
    }
    std::cout << (plan.Json ? report::SectionJson(*result, seconds, members) : text) << std::flush;

    // The picture, for its file and for the report.
    int status = 0;
    report::TSectionPicture picture;
    std::string pictureError;
    if (!plan.PngFile.empty() || wantReport) {
        report::TSectionPictureOptions options;
        const TPress& press = plan.Presses.front();
        if (press.FlowNetPosition) options.Nd = press.FlowNetPosition;
        options.Nf = press.TunePosition;
        pictureError = report::SectionPicture(*result, options, picture);
    }
    if (!plan.PngFile.empty()) {
        std::string error = pictureError;
        if (error.empty())
            error = WritePng(plan.PngFile, picture.Raster.Width(), picture.Raster.Height(),
                             picture.Raster.Bytes().data());
        if (!error.empty()) {
            std::cerr << "verrask-cli: the picture was not written: " << error << "\n";
            status = 1;
        }
    }
    if (wantReport) {
        if (pictureError.empty() && EncodePng(picture.Raster.Width(), picture.Raster.Height(),
                                              picture.Raster.Bytes().data(), content.FlowNetPng)
                                        .empty()) {
            content.PictureWidth = picture.Raster.Width();
            content.PictureHeight = picture.Raster.Height();
        }
        const std::string error =
            report::WriteReportFile(plan.ReportFile, report::SectionReportHtml(content));
        if (!error.empty()) {
            std::cerr << "verrask-cli: the report was not written: " << error << "\n";
            status = 1;
        }
    }
    return status;
}

} // namespace verrask::cli
