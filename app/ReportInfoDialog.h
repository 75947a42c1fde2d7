// The small modal dialog before Export Report: Project, Structure, Engineer (one line each) and
// Note (several lines), OK and Cancel.
//
// Holds: the boxes open with the texts given (what was typed last in this session); Info()
// returns what the boxes hold, the note's line breaks as "\n".
#pragma once

#include "report/HtmlReport.h"

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <array>

namespace verrask::app {

class TReportInfoDialog final : public QDialog {
    Q_OBJECT

  public:
    TReportInfoDialog(QWidget* owner, const report::TReportInfo& info);
    report::TReportInfo Info() const;

    std::array<QLineEdit*, 3> Lines{}; // Project, Structure, Engineer
    QPlainTextEdit* Note;
};

} // namespace verrask::app
