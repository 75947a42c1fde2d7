// The commands on the last run and the design-checks window's widgets: what waits for a completed
// run, the saved picture's exact pixels, failed writes that lose nothing; the checks window
// beside the main one, showing every row, the legend and what its presenter says, and the
// search's hand-back to the window's thread.
#include "AppTests.h"

#include "app/ImageView.h"
#include "app/ReportInfoDialog.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace verrask::app::test {
namespace {

// The dialogs answered by the test: every file name asked for is `next`, failures are kept.
struct TAnswers {
    QString Next;
    QStringList Failures;
    explicit TAnswers(TForm1* form) {
        form->AskSaveName = [this](const QString&, const QString&) { return Next; };
        form->AskOpenName = [this](const QString&, const QString&) { return Next; };
        form->ShowFailure = [this](const QString& m) { Failures << m; };
    }
};

// Answers the report's details dialog once it is open (it runs modally).
void AnswerDetails(std::function<void(TReportInfoDialog*)> act) {
    QTimer::singleShot(0, [act] {
        if (auto* d = qobject_cast<TReportInfoDialog*>(QApplication::activeModalWidget())) act(d);
    });
}

QString ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

void TChecksWindowTest::commandsWaitForARunAndWriteWhole() {
    TWindow w;
    TAnswers answers(w.Form.get());
    for (QAction* a : {w->SavePicture1, w->ExportResults1, w->ExportReport1, w->Copy1})
        QVERIFY(!a->isEnabled());
    QVERIFY(w->DesignChecks1->isEnabled());
    QVERIFY(w.RunToResults());
    for (QAction* a : {w->SavePicture1, w->ExportResults1, w->ExportReport1, w->Copy1})
        QVERIFY(a->isEnabled());

    QTemporaryDir dir;
    answers.Next = dir.filePath("net.png");
    w->SavePicture1->trigger();
    const QImage saved(answers.Next);
    const QImage shown = ToImage(w.Model->ShownPicture);
    QCOMPARE(saved.size(), shown.size());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), shown);

    answers.Next = dir.filePath("run"); // the filter's ".json" is added
    w->ExportResults1->trigger();
    const QString json = ReadAll(dir.filePath("run.json"));
    QVERIFY(json.startsWith("{\"run\":1,\"inputs\":{\"left\":\"0\""));
    QVERIFY(json.contains(",\"checks\":{\"grid_step\":0.04,")); // as the batch tool's --checks
    QVERIFY(!json.contains("\"embedment\""));                   // no search yet
    QCOMPARE(ReadAll(dir.filePath("run-HeadGrid.csv")).count('\n'), 51);
    QCOMPARE(ReadAll(dir.filePath("run-FineStream.csv")).count('\n'), 201);
    // A header, then every coarse node: 51 rows of 302 columns (3 D of open ground each side).
    QCOMPARE(ReadAll(dir.filePath("run-fields.csv")).count('\n'), 1 + 51 * 302);

    // The report's details are asked first; OK carries them into the report, Cancel exports
    // nothing, and the next opening shows what was typed last.
    answers.Next = dir.filePath("sheet.html");
    AnswerDetails([](TReportInfoDialog* d) {
        TWindow::Type(d->Lines[0], "Cofferdam <B> & Co");
        TWindow::Type(d->Lines[2], "A. Engineer");
        d->Note->setPlainText("line 1\nline 2");
        d->accept();
    });
    w->ExportReport1->trigger();
    QVERIFY(ReadAll(answers.Next).contains("id=\"fs-exit\""));
    QVERIFY(answers.Failures.isEmpty());
    QCOMPARE(w->Session.Info.Project, std::string("Cofferdam <B> & Co"));
    QCOMPARE(w->Session.Info.Structure, std::string());
    QCOMPARE(w->Session.Info.Engineer, std::string("A. Engineer"));
    QCOMPARE(w->Session.Info.Note, std::string("line 1\nline 2"));
    answers.Next = dir.filePath("cancelled.html");
    QString shownAgain;
    AnswerDetails([&shownAgain](TReportInfoDialog* d) {
        shownAgain = d->Lines[0]->text();
        TWindow::Type(d->Lines[0], "typed, then cancelled");
        d->reject();
    });
    w->ExportReport1->trigger();
    QCOMPARE(shownAgain, QString("Cofferdam <B> & Co"));
    QVERIFY(!QFile::exists(answers.Next));
    QCOMPARE(w->Session.Info.Project, std::string("Cofferdam <B> & Co"));

    // A target that cannot be replaced (a folder): a message, the folder and its file kept, no
    // temporary file left behind.
    QVERIFY(QDir(dir.path()).mkdir("taken.png"));
    QFile inside(dir.filePath("taken.png/keep"));
    QVERIFY(inside.open(QIODevice::WriteOnly));
    inside.close();
    answers.Next = dir.filePath("taken.png");
    w->SavePicture1->trigger();
    QCOMPARE(answers.Failures.size(), 1);
    QVERIFY(answers.Failures[0].startsWith("The picture was not saved"));
    QVERIFY(QFile::exists(dir.filePath("taken.png/keep")));
    QVERIFY(!QFile::exists(dir.filePath("taken.png.part")));

    // During a run nothing can be saved: the workers are writing the results.
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    QVERIFY(!w->SavePicture1->isEnabled() && !w->ExportReport1->isEnabled());
    QVERIFY(QTest::qWaitFor([&] { return w->Button1->isEnabled(); }, 60000));
    QVERIFY(w->SavePicture1->isEnabled());
}

void TChecksWindowTest::inputsFileFillsTheBoxesAndTheSettings() {
    TWindow w;
    TAnswers answers(w.Form.get());
    QTemporaryDir dir;
    TWindow::Type(w->Edit2, "1.5");
    w->Edit6->setText("\u03B3 typed");
    checks::TCheckSettings settings;
    settings.GammaW = 9.9L;
    settings.Tailwater = 0.25L;
    w->ChecksForm->LoadSettings(settings);
    answers.Next = dir.filePath("site"); // the filter's ".json" is added
    w->SaveInputs1->trigger();
    QVERIFY(answers.Failures.isEmpty());

    TWindow::Type(w->Edit2, "3");
    TWindow::Type(w->Edit6, "0");
    w->ChecksForm->LoadSettings(checks::TCheckSettings{});
    answers.Next = dir.filePath("site.json");
    w->OpenInputs1->trigger();
    QVERIFY(answers.Failures.isEmpty());
    QCOMPARE(w->Edit2->text(), QString("1.5"));
    QCOMPARE(w->Edit6->text(), QString("\u03B3 typed"));
    QCOMPARE(w->ChecksForm->Settings().GammaW, 9.9L);
    QCOMPARE(w->ChecksForm->Settings().Tailwater, 0.25L);
    QCOMPARE(w->ChecksForm->Fields[0]->text(), QString("9.9"));
    QVERIFY(!w->HasResults()); // RUN is not pressed

    // A file of a newer version: refused with the path and why; nothing changes.
    QFile newer(dir.filePath("newer.json"));
    QVERIFY(newer.open(QIODevice::WriteOnly));
    newer.write(ReadAll(dir.filePath("site.json"))
                    .replace("\"version\": 1", "\"version\": 2")
                    .replace("1.5", "7")
                    .toUtf8());
    newer.close();
    answers.Next = newer.fileName();
    w->OpenInputs1->trigger();
    QCOMPARE(answers.Failures.size(), 1);
    QVERIFY(answers.Failures[0].startsWith("The inputs were not opened: " + newer.fileName()));
    QVERIFY(answers.Failures[0].contains("version 2 is newer"));
    QCOMPARE(w->Edit2->text(), QString("1.5"));
}

void TChecksWindowTest::figuresFollowTheRunAndRefusedSettingsChangeNothing() {
    TWindow w;
    w->show();
    w->move(w->screen()->availableGeometry().topLeft()); // room on its right
    TChecksForm* c = w->ChecksForm;
    w->DesignChecks1->trigger();
    QVERIFY(c->isVisible());
    // On the main window's screen, beside it where the screen has room for both.
    const QRect screen = w->screen()->availableGeometry();
    QVERIFY(screen.contains(c->frameGeometry().topLeft()));
    if (screen.width() >= w->frameGeometry().width() + c->frameGeometry().width() + 8)
        QVERIFY(!c->frameGeometry().intersects(w->frameGeometry()));
    // The window fits a 1280 x 800 screen; every settings label shows its whole text.
    QVERIFY(c->minimumSizeHint().width() <= 1280 && c->minimumSizeHint().height() <= 760);
    std::size_t labels = 0;
    for (QLabel* label : c->findChildren<QLabel*>()) {
        if (label->buddy() == nullptr) continue;
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        ++labels;
    }
    QCOMPARE(labels, c->Fields.size() + 1); // and the criterion's
    QVERIFY(c->Notice->text().startsWith("Nothing to check yet"));
    QCOMPARE(c->Lines->rowCount(), 0);
    QVERIFY(!c->FindButton->isEnabled());
    QCOMPARE(c->Zones[2]->text(), QString("Imminent heave zone"));

    QVERIFY(w.RunToResults());
    QVERIFY(c->Notice->text().contains("blankets 0 (left) and 0 (right)"));
    QVERIFY(c->Lines->rowCount() > 5);
    // Grown to its rows, the window stays on its screen; every row is in view, or where the
    // screen is too low for them all the table scrolls.
    const QRect placed = c->frameGeometry();
    QVERIFY(placed.top() >= screen.top() && placed.bottom() <= screen.bottom());
    const int last = c->Lines->rowCount() - 1;
    const bool allInView =
        c->Lines->visualItemRect(c->Lines->item(last, 0)).bottom() < c->Lines->viewport()->height();
    QCOMPARE(allInView, c->Lines->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff);
    if (screen.height() >= 1000) QVERIFY(allInView);
    QVERIFY(c->Lines->item(0, 4)->text().contains(QRegularExpression("^(passes|fails)$")));
    QVERIFY(c->WallChart->Chart().has_value() && c->ExitChart->Chart().has_value());
    QVERIFY(!c->EmbedmentChart->Chart().has_value());
    QVERIFY(c->FindButton->isEnabled());
    QCOMPARE(c->Zones[2]->text(), QString("no imminent heave anywhere"));

    // Typed and Return: the box and the message show the presenter's answer.
    QLineEdit* gamma = c->Fields[0];
    TWindow::Type(gamma, "-1");
    QTest::keyClick(gamma, Qt::Key_Return);
    QVERIFY(c->SettingsMessage->text().startsWith("\"-1\" refused: the unit weight of water"));
    QCOMPARE(gamma->text(), QString("9.81"));
    c->Criterion->setCurrentIndex(1);
    QCOMPARE(c->Criterion->currentIndex(), 1);
}

void TChecksWindowTest::runCancelsTheSearchAndTheModelKeepsItsWall() {
    TWindow w;
    TChecksForm* c = w->ChecksForm;
    TWindow::Type(w->Edit2, "1.5");
    QVERIFY(w.RunToResults());
    const int rows = w.Model->PileRows;
    w->DesignChecks1->trigger();
    QTest::mouseClick(c->FindButton, Qt::LeftButton);
    QVERIFY(c->Searching() && c->CancelButton->isEnabled() && !c->Fields[0]->isEnabled());
    QVERIFY(w->Button1->isEnabled()); // the main window stays usable
    QVERIFY(w.RunToResults());
    QVERIFY(QTest::qWaitFor([&] { return !c->Searching(); }, 60000));
    QCOMPARE(c->SearchStatus->text(),
             QString("Search cancelled: RUN was pressed in the main window."));
    QVERIFY(!c->Embedment().has_value());
    QCOMPARE(w.Model->PileRows, rows);

    // Left alone, the search's trials and answer come back to the window's thread; the model
    // is still the user's.
    QTest::mouseClick(c->FindButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return c->SearchStatus->text().startsWith("Trial "); }, 60000));
    QVERIFY(QTest::qWaitFor([&] { return !c->Searching(); }, 120000));
    QVERIFY(c->Embedment().has_value() && !c->Embedment()->Cancelled);
    QVERIFY(c->EmbedmentChart->Chart().has_value());
    QCOMPARE(c->Progress->value(), c->Progress->maximum());
    QVERIFY(c->SearchStatus->text().startsWith("Shallowest passing wall"));
    QCOMPARE(w.Model->PileRows, rows);
    if (const QString shot = qEnvironmentVariable("CHECKS_SCREENSHOT"); !shot.isEmpty()) {
        c->resize(design::ChecksClientWidth, design::ChecksClientHeight);
        c->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither).save(shot);
    }
}

} // namespace verrask::app::test
