// The pieces every HTML page of the program is built of: the style sheet (screen and A4 print)
// and table cells, rows and headers with their text escaped.
//
// Holds: every text put in is escaped (HtmlEscape); the style loads nothing from elsewhere.
#pragma once

#include "report/HtmlReport.h"

#include <string>
#include <vector>

namespace verrask::report {

extern const char* const PageStyle;

// <td> with the text escaped, an optional class and id.
std::string Cell(const std::string& text, const std::string& cls = "", const std::string& id = "");
// <tr> of cells already HTML.
std::string Row(const std::vector<std::string>& cells);
// <tr> of <th> with the names escaped.
std::string Head(const std::vector<std::string>& names);
// The project, structure, engineer and note as a table (id "info").
std::string InfoTable(const TReportInfo& info);

} // namespace verrask::report
