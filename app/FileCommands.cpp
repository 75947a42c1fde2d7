// The main window's commands on the last completed run: save the shown picture as PNG, export
// the results (the batch tool's JSON and the four grids as CSV), export the HTML report, copy
// the picture, open the design-checks window. Every file is written through a temporary file
// that replaces the target only when complete, so a failed write loses nothing; it is reported
// in a message box.
#include "app/MainUnit.h"
#include "app/ReportInfoDialog.h"

#include "report/CheckLines.h"
#include "report/FieldsCsv.h"
#include "report/HtmlReport.h"
#include "report/ResultsExport.h"
#include "support/FileWrite.h"
#include "support/PngFile.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
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

} // namespace

void TForm1::UpdateCommands() {
    for (QAction* a : {SavePicture1, ExportResults1, ExportReport1, Copy1})
        a->setEnabled(Completed);
}

QString TForm1::SaveName(const QString& caption, const QString& filter) {
    if (AskSaveName) return AskSaveName(caption, filter);
    return QFileDialog::getSaveFileName(this, caption, QString(), filter);
}

void TForm1::Failed(const QString& message) {
    if (ShowFailure)
        ShowFailure(message);
    else
        QMessageBox::warning(this, windowTitle(), message);
}

void TForm1::SavePicture1Click() {
    if (!Completed) return;
    const QString path = SaveName("Save Picture", "PNG image (*.png)");
    if (path.isEmpty()) return;
    std::vector<unsigned char> png;
    std::string error = EncodePng(Model.ShownPicture, png);
    if (error.empty()) error = WriteWholeFile(FsPath(path), std::string(png.begin(), png.end()));
    if (!error.empty()) Failed("The picture was not saved: " + QString::fromStdString(error));
}

void TForm1::ExportResults1Click() {
    if (!Completed) return;
    QString path = SaveName("Export Results", "JSON results (*.json)");
    if (path.isEmpty()) return;
    // The chosen filter's extension when the name has none.
    if (QFileInfo(path).suffix().isEmpty()) path += ".json";
    report::TRunReport run{Runs, LastInputs, MessageText, {}, LastSeconds};
    for (int i = 0; i < PanelCount; ++i)
        run.Panels[static_cast<std::size_t>(i)] = StatusBar1->Panel(i)->text().toStdString();
    // The grids and the fields beside it, named after it: results.json gives
    // results-HeadGrid.csv and so on; all of them one set.
    const QFileInfo file(path);
    std::vector<TFileContent> files =
        report::CsvFiles(FsPath(file.absolutePath()), Model,
                         report::FieldsCsv(Model, LastInputs, ChecksForm->Settings().GammaW),
                         FsPath(file.completeBaseName() + "-"));
    files.insert(files.begin(), {FsPath(path), report::JsonReport(run, Model)});
    const std::string error = WriteFileSet(files);
    if (!error.empty()) Failed("The results were not exported: " + QString::fromStdString(error));
}

void TForm1::ExportReport1Click() {
    if (!Completed) return;
    // The report's details first, then the file: Cancel in either exports nothing.
    TReportInfoDialog details(this, ReportInfo);
    if (details.exec() != QDialog::Accepted) return;
    ReportInfo = details.Info();
    const QString path = SaveName("Export Report", "HTML report (*.html)");
    if (path.isEmpty()) return;
    report::TReportContent content;
    content.Info = ReportInfo;
    content.Date = QDateTime::currentDateTimeUtc().toString("yyyy-MM-dd HH:mm 'UTC'").toStdString();
    content.Inputs = LastInputs;
    content.Settings = report::SettingsForRun(ChecksForm->Settings(), LastInputs);
    content.Checks = ChecksForm->Checks();
    content.Embedment = ChecksForm->Embedment();
    std::string error;
    const std::string html = report::ReportHtml(content, Model, error);
    if (error.empty()) error = WriteWholeFile(FsPath(path), html);
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
