// The main window's File and Edit commands: open and save the inputs file; on the last
// completed run save the shown picture as PNG, export the results (the run's JSON with the
// design checks, the four grids and the fields as CSV), export the HTML report, copy the
// picture; open the design-checks window. What is written is made by the run session
// (control/RunSession.h) and written through a temporary file that replaces the target only
// when complete, so a failed write loses nothing; a failure or a refused file is reported in a
// message box.
#include "app/MainUnit.h"
#include "app/ReportInfoDialog.h"

#include "control/InputFields.h"
#include "control/InputsFile.h"
#include "report/CheckLines.h"
#include "support/PngFile.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>

#include <filesystem>

namespace verrask::app {

namespace {

// The path as the shared writer takes it: UTF-16 on Windows, UTF-8 bytes elsewhere.
std::filesystem::path FsPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(path.toStdString());
#endif
}

const char* const InputsFilter = "Verrask inputs (*.json)";

} // namespace

void TForm1::UpdateCommands() {
    for (QAction* a : {SavePicture1, ExportResults1, ExportReport1, Copy1})
        a->setEnabled(Completed);
}

QString TForm1::SaveName(const QString& caption, const QString& filter) {
    if (AskSaveName) return AskSaveName(caption, filter);
    return QFileDialog::getSaveFileName(this, caption, QString(), filter);
}

QString TForm1::OpenName(const QString& caption, const QString& filter) {
    if (AskOpenName) return AskOpenName(caption, filter);
    return QFileDialog::getOpenFileName(this, caption, QString(), filter);
}

void TForm1::Failed(const QString& message) {
    if (ShowFailure)
        ShowFailure(message);
    else
        QMessageBox::warning(this, windowTitle(), message);
}

void TForm1::SetInputTexts(const TInputTexts& texts) {
    ClearMark(); // the refused text is gone
    for (const TInputFieldDesign& d : InputFields)
        InputBox(d.Box)->setText(QString::fromStdString(texts.*d.Text));
}

TRunChecks TForm1::RunChecks() const {
    return ChecksOfRun(Session, Model, ChecksForm->Settings(), ChecksForm->Embedment());
}

void TForm1::OpenInputs1Click() {
    const QString path = OpenName("Open Inputs", InputsFilter);
    if (path.isEmpty()) return;
    TInputsFile file;
    if (const std::string error = OpenInputsFile(FsPath(path), file); !error.empty())
        return Failed("The inputs were not opened: " + QString::fromStdString(error));
    SetInputTexts(file.Inputs);
    ChecksForm->LoadSettings(file.Settings);
}

void TForm1::SaveInputs1Click() {
    const QString path = SaveName("Save Inputs", InputsFilter);
    if (path.isEmpty()) return;
    const std::string error = SaveInputsFile(FsPath(path), {InputTexts(), ChecksForm->Settings()});
    if (!error.empty()) Failed("The inputs were not saved: " + QString::fromStdString(error));
}

void TForm1::SavePicture1Click() {
    if (!Completed) return;
    const QString path = SaveName("Save Picture", "PNG image (*.png)");
    if (path.isEmpty()) return;
    const std::string error = WritePng(FsPath(path), Model.ShownPicture);
    if (!error.empty()) Failed("The picture was not saved: " + QString::fromStdString(error));
}

void TForm1::ExportResults1Click() {
    if (!Completed) return;
    const QString path = SaveName("Export Results", "JSON results (*.json)");
    if (path.isEmpty()) return;
    // The grids and the fields beside it, named after it: results.json gives
    // results-HeadGrid.csv and so on; all of them one set.
    const std::string error = ExportResults(FsPath(path), Session, Model, RunChecks());
    if (!error.empty()) Failed("The results were not exported: " + QString::fromStdString(error));
}

void TForm1::ExportReport1Click() {
    if (!Completed) return;
    // The report's details first, then the file: Cancel in either exports nothing.
    TReportInfoDialog details(this, Session.Info);
    if (details.exec() != QDialog::Accepted) return;
    Session.Info = details.Info();
    const QString path = SaveName("Export Report", "HTML report (*.html)");
    if (path.isEmpty()) return;
    const std::string error = ExportReport(FsPath(path), Session, Model, RunChecks());
    if (!error.empty()) Failed("The report was not exported: " + QString::fromStdString(error));
}

void TForm1::Copy1Click() {
    if (Completed) QApplication::clipboard()->setImage(ToImage(Model.ShownPicture));
}

void TForm1::DesignChecks1Click() {
    ChecksForm->show();
    ChecksForm->raise();
    ChecksForm->activateWindow();
}

} // namespace verrask::app
