// Style and table pieces of the program's HTML pages (see HtmlParts.h).
#include "report/HtmlParts.h"

#include "report/HtmlText.h"

namespace verrask::report {

// Screen and A4 print styles; the page must not load anything from elsewhere.
const char* const PageStyle = R"(body{font-family:sans-serif;font-size:13px;color:#111;
max-width:860px;margin:16px auto;padding:0 12px}
h1{font-size:20px;margin:0 0 2px}h2{font-size:15px;margin:18px 0 6px;border-bottom:1px solid #999}
p.date{margin:0;color:#444}p.governing{font-weight:bold;margin:6px 0}
table{border-collapse:collapse;margin:4px 0}td,th{border:1px solid #bbb;padding:2px 8px;
text-align:left;vertical-align:top}th{background:#eee}td.num{text-align:right}
td.pass{color:#0a6b1f;font-weight:bold}td.fail{color:#b00020;font-weight:bold}
.grid{display:flex;flex-wrap:wrap;gap:12px;align-items:flex-start}
img.net{max-width:100%;height:auto;image-rendering:pixelated;border:1px solid #999}
svg.chart{max-width:100%;height:auto;display:block}
ul.notes li{margin:2px 0}
@page{size:A4;margin:14mm}
@media print{body{margin:0;max-width:none;font-size:10pt}
section,figure,table,svg{break-inside:avoid}h2{break-after:avoid}
.grid>svg.chart{width:calc(50% - 6px)}})";

std::string Cell(const std::string& text, const std::string& cls, const std::string& id) {
    std::string out = "<td";
    if (!cls.empty()) out += " class=\"" + cls + "\"";
    if (!id.empty()) out += " id=\"" + id + "\"";
    return out + ">" + HtmlEscape(text) + "</td>";
}

std::string Row(const std::vector<std::string>& cells) {
    std::string out = "<tr>";
    for (const std::string& c : cells) out += c;
    return out + "</tr>\n";
}

std::string Head(const std::vector<std::string>& names) {
    std::string out = "<tr>";
    for (const std::string& n : names) out += "<th>" + HtmlEscape(n) + "</th>";
    return out + "</tr>\n";
}

std::string InfoTable(const TReportInfo& info) {
    const std::pair<const char*, const std::string*> rows[] = {{"Project", &info.Project},
                                                               {"Structure", &info.Structure},
                                                               {"Engineer", &info.Engineer},
                                                               {"Note", &info.Note}};
    std::string out = "<table id=\"info\">\n";
    for (const auto& [name, text] : rows) out += Row({Cell(name), Cell(*text)});
    return out + "</table>\n";
}

} // namespace verrask::report
