// The batch tool's run of a section file (see SectionRun.h).
#include "cli/SectionRun.h"

#include "report/SectionPicture.h"
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
    const auto start = std::chrono::steady_clock::now();
    section::TSectionResultPtr result;
    if (const std::string error = sectionmodel::SolveSection(s, result); !error.empty()) {
        std::cerr << "verrask-cli: the section was not solved: " << error << "\n";
        return 2;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << (plan.Json ? report::SectionJson(*result, seconds)
                            : report::SectionText(*result, seconds))
              << std::flush;
    if (plan.PngFile.empty()) return 0;
    report::TSectionPictureOptions options;
    const TPress& press = plan.Presses.front();
    if (press.FlowNetPosition) options.Nd = press.FlowNetPosition;
    options.Nf = press.TunePosition;
    report::TSectionPicture picture;
    std::string error = report::SectionPicture(*result, options, picture);
    if (error.empty())
        error = WritePng(plan.PngFile, picture.Raster.Width(), picture.Raster.Height(),
                         picture.Raster.Bytes().data());
    if (error.empty()) return 0;
    std::cerr << "verrask-cli: the picture was not written: " << error << "\n";
    return 1;
}

} // namespace verrask::cli
