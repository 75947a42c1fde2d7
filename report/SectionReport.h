// The calculation sheet of a solved section as one self-contained HTML file.
//
// Computes: the page with the title, the date and the governing check in one sentence; the
// project; the section drawn to natural scale (SectionSvg) with the layer, wall and stretch
// tables; the check settings; the results (q with its certain bracket or its estimated error,
// q per day, the flux of every stretch, the observed order, the grid); the flow net as an
// embedded PNG when one is given; the design checks with pass or fail against each target and
// the error estimate beside every figure the model estimates one for; the toe search when one
// was run; and the notes on what the figures rest on. Print CSS for A4 as the design's sheet.
//
// Assumes: the checks and the search were computed from this result with these settings; the
// date is given by the caller, so the same result gives the same page.
//
// Holds: every text from outside (names, date, notes) is escaped; the page loads nothing from
// elsewhere.
#pragma once

#include "checks/SectionChecks.h"
#include "checks/SectionEmbedment.h"
#include "report/HtmlReport.h"

#include <optional>
#include <string>
#include <vector>

namespace verrask::report {

struct TSectionReportContent {
    TReportInfo Info;
    std::string Date;
    section::TSectionResultPtr Result; // never null
    checks::TCheckSettings Settings;
    checks::TSectionChecks Checks;
    std::optional<checks::TSectionEmbedment> Embedment;
    std::vector<unsigned char> FlowNetPng; // empty: no flow net picture
    int PictureWidth = 0, PictureHeight = 0;
};

std::string SectionReportHtml(const TSectionReportContent& content);

} // namespace verrask::report
