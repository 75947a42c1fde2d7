// The dialog before Export Report (see ReportInfoDialog.h).
#include "app/ReportInfoDialog.h"

#include "control/WindowDesign.h"

#include <QDialogButtonBox>
#include <QFormLayout>

namespace verrask::app {
namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TReportInfoDialog::TReportInfoDialog(QWidget* owner, const report::TReportInfo& info)
    : QDialog(owner) {
    setObjectName("ReportInfoDialog");
    setWindowTitle(Q(design::ReportInfoCaption));
    resize(design::ReportInfoClientWidth, design::ReportInfoClientHeight);
    auto* form = new QFormLayout(this); // its labels are their boxes' buddies (access keys)
    const std::string* texts[] = {&info.Project, &info.Structure, &info.Engineer};
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        Lines[i] = new QLineEdit(Q(*texts[i]), this);
        form->addRow(Q(design::ReportInfoFields[i].Label), Lines[i]);
    }
    Note = new QPlainTextEdit(Q(info.Note), this);
    Note->setTabChangesFocus(true);
    form->addRow(Q(design::ReportInfoFields[3].Label), Note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

report::TReportInfo TReportInfoDialog::Info() const {
    return {Lines[0]->text().toStdString(), Lines[1]->text().toStdString(),
            Lines[2]->text().toStdString(), Note->toPlainText().toStdString()};
}

} // namespace verrask::app
