// The main window headless: the opened state and the design at 96 dpi, refused inputs, a run of
// the defaults with the texts of every state, the track bars (with the nested handler), the
// check boxes, the probe, resizing, and closing during a run.
#include "AppTests.h"
#include "WindowExpectations.h"

#include "app/AppMain.h"
#include "app/ScrambledTexts.h"
#include "control/DisplayScaling.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>

namespace verrask::app::test {
namespace {

void SendMove(QWidget* widget, QPoint at, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
    return true;
}

} // namespace

void TMainWindowTest::openedState() {
    TWindow w;
    QCOMPARE(w->windowTitle().size(), 66);
    QVERIFY(w->windowTitle().endsWith(ApplicationTitle));
    QCOMPARE(QApplication::applicationDisplayName(), QString(ApplicationTitle));
    QCOMPARE(w->Label5->text(), QString());
    QCOMPARE(w.Panel(0), QString(" Ready"));
    for (int i = 1; i < PanelCount; ++i) QCOMPARE(w.Panel(i), QString());
    QVERIFY(w.TuningDisabled());
    QVERIFY(w->Button1->isEnabled());
    QVERIFY(!w->Timer1->isActive());
    QCOMPARE(w->Timer1->interval(), 1000);
    const QLineEdit* edits[] = {w->Edit6, w->Edit7, w->Edit2, w->Edit1,
                                w->Edit5, w->Edit8, w->Edit3, w->Edit4};
    const char* texts[] = {"0", "0", "1", "2", "1", "1E-5", "1", "0"};
    for (int i = 0; i < 8; ++i) QCOMPARE(edits[i]->text(), QString(texts[i]));
    const QLabel* labels[] = {w->Label9,  w->Label10, w->Label4, w->Label3, w->Label8,
                              w->Label11, w->Label6,  w->Label7, w->Label1, w->Label2};
    const char* captions[] = {"Left Blanket Length :",
                              "Right Blanket Length :",
                              "Sheet pile wall Depth :",
                              "Stratum Depth :",
                              "Y'/Yw :",
                              "K :",
                              "Up stream Head :",
                              "Down stream Head :",
                              "Flow Net :",
                              "Tune :"};
    for (int i = 0; i < 10; ++i) QCOMPARE(labels[i]->text(), QString(captions[i]));
    QCOMPARE(w->Button1->text(), QString("RUN"));
    QCOMPARE(w->CheckBox1->text(), QString("Critical Zone"));
    QCOMPARE(w->CheckBox2->text(), QString("Possibly Heave Zone"));
    QCOMPARE(w->CheckBox3->text(), QString("Imminent Heave Zone"));
    for (const QCheckBox* box : {w->CheckBox1, w->CheckBox2, w->CheckBox3})
        QVERIFY(!box->isChecked());
    for (const QSlider* bar : {w->TrackBar1, w->TrackBar2}) {
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 40);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(bar->tickPosition(), QSlider::NoTicks);
    }
    QCOMPARE(w->Image1->size(), QSize(1204, 200));
    QVERIFY(AllWhite(w->Image1->Picture()));
    QCOMPARE(w->Image1->pos(), QPoint(-302, 302));
    QCOMPARE(w.Model->HeadGrid[7][0], 500000000u); // InitModel has run
}

void TMainWindowTest::designLayoutAt96Dpi() {
    TWindow w;
    QCOMPARE(w->CurrentDpi, 96);
    QCOMPARE(w->Client()->size(), QSize(600, 550));
    QCOMPARE(w->minimumSize(), QSize(600, 349));
    const struct {
        QWidget* widget;
        QRect rect;
    } fixed[] = {{w->Bevel2, {15, 8, 226, 281}},      {w->Edit6, {168, 15, 63, 24}},
                 {w->Edit7, {168, 47, 63, 24}},       {w->Edit2, {168, 79, 63, 24}},
                 {w->Edit1, {168, 119, 63, 24}},      {w->Edit5, {168, 151, 63, 24}},
                 {w->Edit8, {168, 183, 63, 24}},      {w->Edit3, {168, 219, 63, 24}},
                 {w->Edit4, {168, 251, 63, 24}},      {w->Button1, {256, 8, 81, 73}},
                 {w->Bevel1, {352, 8, 232, 73}},      {w->Label1, {355, 14, 70, 25}},
                 {w->TrackBar1, {424, 18, 154, 23}},  {w->Label2, {362, 45, 63, 25}},
                 {w->TrackBar2, {424, 49, 154, 23}},  {w->Bevel3, {352, 87, 232, 115}},
                 {w->CheckBox1, {375, 108, 203, 18}}, {w->CheckBox2, {375, 140, 203, 18}},
                 {w->CheckBox3, {375, 172, 209, 18}}, {w->Bevel4, {352, 208, 232, 81}},
                 {w->Label5, {375, 208, 203, 81}},    {w->StatusBar1, {0, 518, 600, 32}}};
    for (const auto& f : fixed) QCOMPARE(f.widget->geometry(), f.rect);
    // Labels beside the boxes fit their text, keeping their right edge and top.
    const struct {
        QLabel* label;
        QRect rect;
    } fitted[] = {{w->Label9, {43, 18, 117, 16}},  {w->Label10, {35, 50, 125, 16}},
                  {w->Label4, {30, 82, 130, 16}},  {w->Label3, {68, 122, 92, 16}},
                  {w->Label8, {119, 154, 41, 16}}, {w->Label11, {144, 186, 16, 16}},
                  {w->Label6, {59, 222, 101, 16}}, {w->Label7, {42, 254, 118, 16}}};
    for (const auto& f : fitted) {
        QCOMPARE(f.label->geometry().right(), f.rect.right());
        QCOMPARE(f.label->y(), f.rect.y());
        QCOMPARE(f.label->height(), f.rect.height());
        QVERIFY(f.label->width() >= f.rect.width());
        QVERIFY(f.label->alignment() & Qt::AlignRight);
    }
    for (int i = 0; i < PanelCount; ++i)
        QCOMPARE(w->StatusBar1->PanelWidth(i), PanelDesignWidths.at(std::size_t(i)));
    QCOMPARE(ThumbLength(w->TrackBar1), 18);
    QCOMPARE(ThumbLength(w->TrackBar2), 18);
    QCOMPARE(w->font().pixelSize(), 13);
    QCOMPARE(w->Button1->font().pixelSize(), 17);
    QCOMPARE(w->Label5->font().pixelSize(), 13); // set to the window's size at creation
    QCOMPARE(w->CheckBox1->font().pixelSize(), 13);
    QCOMPARE(w->StatusBar1->font().pixelSize(), 13);
    QCOMPARE(w->Edit1->font().pixelSize(), 13);
    if (QFileInfo::exists("/usr/share/wine/fonts/tahoma.ttf"))
        QCOMPARE(QFontInfo(w->font()).family(), QString("Tahoma"));
    const QRect screen = w->screen()->availableGeometry();
    QCOMPARE(w->x(), screen.x() + (screen.width() - w->width()) / 2);
    QCOMPARE(w->y(), screen.y() + (screen.height() - w->height()) / 2);
}

void TMainWindowTest::tabOrderMenuAndTooltip() {
    TWindow w;
    QCOMPARE(
        w->Edit5->toolTip(),
        QString("Y'/Yw: submerged unit weight / unit weight of water (the critical gradient i_c)"));
    QCOMPARE(w->File1->title(), QString("&File"));
    QCOMPARE(w->Exit1->text(), QString("&Exit"));
    QCOMPARE(w->Help1->title(), QString("&Help"));
    QCOMPARE(w->About1->text(), QString("&Info"));
    QCOMPARE(w->MainMenu1->actions().size(), qsizetype(design::MenuBar.size()));
    QCOMPARE(w->EditMenu1->title(), QString("&Edit"));
    QCOMPARE(w->SavePicture1->text(), QString("&Save Picture\u2026"));
    QCOMPARE(w->DesignChecks1->text(), QString("&Design checks\u2026"));
    QCOMPARE(w->OpenInputs1->text(), QString("&Open Inputs\u2026"));
    QCOMPARE(w->SaveInputs1->text(), QString("Save &Inputs\u2026"));
    // the inputs file, a separator, three commands on the run, a separator, Exit
    QCOMPARE(w->File1->actions().size(), 8);

    for (QWidget* c : std::initializer_list<QWidget*>{w->TrackBar1, w->TrackBar2, w->CheckBox1,
                                                      w->CheckBox2, w->CheckBox3})
        c->setEnabled(true);
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.Form.get()));
    w->Edit6->setFocus();
    const QWidget* order[] = {w->Edit6,     w->Edit7,     w->Edit2,     w->Edit1,     w->Edit5,
                              w->Edit8,     w->Edit3,     w->Edit4,     w->Button1,   w->TrackBar1,
                              w->TrackBar2, w->CheckBox1, w->CheckBox2, w->CheckBox3, w->Edit6};
    for (const QWidget* expected : order) {
        QCOMPARE(QApplication::focusWidget(), expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

void TMainWindowTest::refusedInputs() {
    TWindow w;
    int alerts = 0;
    for (const auto& c : verrask::test::RefusedInputs) {
        auto* edit = w->Client()->findChild<QLineEdit*>(c.Box);
        QVERIFY(edit != nullptr);
        const QString before = edit->text();
        TWindow::Type(edit, c.Text);
        QCOMPARE(edit->text(), QString(c.Text));
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(QString::fromStdString(w->MessageText), QString("Your input data is wrong!"));
        QCOMPARE(w.Panel(0), QString(" Fault"));
        for (int i = 1; i < PanelCount; ++i) QCOMPARE(w.Panel(i), QString());
        QCOMPARE(w->Alerts, ++alerts);
        QVERIFY(w->Button1->isEnabled());
        QVERIFY(!w->Timer1->isActive());
        QVERIFY(w.TuningDisabled());
        QCOMPARE(w->LiveWorkers(), 0);
        // The refused box is marked and carries the reason; no other box does.
        QLineEdit* marked = w->InputBox(w->MarkedBox);
        QVERIFY(marked != nullptr);
        QCOMPARE(marked->objectName(), QString(c.Marked));
        QVERIFY(marked->toolTip().startsWith(QString::fromStdString(w->Control().LastRefusal)));
        for (auto* other : w->Client()->findChildren<QLineEdit*>())
            if (other != marked && other != w->Edit5) QCOMPARE(other->toolTip(), QString());
        const QString kept = marked->text();
        TWindow::Type(marked, kept + "0"); // editing the box clears its mark
        TWindow::Type(marked, kept);
        QCOMPARE(w->MarkedBox, TInputBox::None);
        QCOMPARE(w->Edit5->toolTip().toStdString(), design::Edit5Hint);
        TWindow::Type(edit, before);
    }
    QVERIFY(!w.Model->ResultsReady);
    // An accepted RUN clears the mark as well (editing another box does not).
    TWindow::Type(w->Edit4, "1");
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    QCOMPARE(w->MarkedBox, TInputBox::Edit3);
    TWindow::Type(w->Edit4, "0");
    QCOMPARE(w->MarkedBox, TInputBox::Edit3);
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    QCOMPARE(w->MarkedBox, TInputBox::None);
    QVERIFY(QTest::qWaitFor([&w] { return w->Button1->isEnabled(); }, 60000));
}

void TMainWindowTest::runningResultsAndProbe() {
    TWindow w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Form.get()));
    w->Image1MouseMove(600, 100); // before the first run: nothing
    QCOMPARE(w.Panel(4), QString());
    TWindow::Type(w->Edit1, " 2");

    QTest::mouseClick(w->Button1, Qt::LeftButton);
    QCOMPARE(QString::fromStdString(w->MessageText), QString("Please wait"));
    QCOMPARE(w.Panel(0), QString(" Wait"));
    QVERIFY(!w->Button1->isEnabled());
    QVERIFY(w->Timer1->isActive());
    QVERIFY(w.TuningDisabled());
    QCOMPARE(w->Control().PendingWorkers, 2);
    w->Timer1Timer(); // a tick, as Timer1 gives it every second
    QCOMPARE(QString::fromStdString(w->MessageText), QString("Please wait : 1 s"));
    QCOMPARE(w->Label5->text(), QString("Please wait : 1 s"));

    QVERIFY(QTest::qWaitFor([&] { return w->Button1->isEnabled(); }, 60000));
    QCOMPARE(QString::fromStdString(w->MessageText), QString(verrask::test::DefaultRunMessage));
    QCOMPARE(w->Label5->text(), QString(verrask::test::DefaultRunMessage).replace("\r\n", "\n"));
    for (int i = 0; i < PanelCount; ++i)
        QCOMPARE(w.Panel(i), QString(verrask::test::DefaultRunPanels.at(std::size_t(i))));
    QVERIFY(w.TuningEnabled());
    QVERIFY(!w->Timer1->isActive());
    QCOMPARE(w->TrackBar1->value(), 10);
    QCOMPARE(w->TrackBar2->value(), 5);
    QCOMPARE(w->Image1->size(), QSize(1204, 204));
    QCOMPARE(w->Image1->Picture(), ToImage(w.Model->ShownPicture));
    QCOMPARE(w->Image1->x(), -302);
    QVERIFY(QTest::qWaitFor([&] { return w->LiveWorkers() == 0; }, 10000));

    // Tune: re-renders with (Nd, Nf).
    QImage shown = w->Image1->Picture();
    w->TrackBar2->setValue(7);
    QCOMPARE(w.Panel(3), QString(" Nf= 7"));
    QCOMPARE(w.Model->DrawNf, 7u);
    QVERIFY(w->Image1->Picture() != shown);
    w->TrackBar2->setFocus();
    QTest::keyClick(w->TrackBar2, Qt::Key_Right);
    QCOMPARE(w.Panel(3), QString(" Nf= 8"));
    // Flow Net: Round(11 x 0.5) = 6 (tie to even) moves Tune, whose nested handler renders.
    w->TrackBar1->setValue(11);
    QCOMPARE(w->TrackBar2->value(), 6);
    QCOMPARE(w.Model->DrawNd, 11u);
    QCOMPARE(w.Model->DrawNf, 6u);
    QCOMPARE(w.Panel(2), QString(" Nd: 11"));
    QCOMPARE(w.Panel(3), QString(" Nf: 6"));
    w->TrackBar1->setValue(12); // Round(6) = Nf: nothing rendered, texts kept
    QCOMPARE(w.Model->Nd, 12u);
    QCOMPARE(w.Model->DrawNd, 11u);
    QCOMPARE(w.Panel(2), QString(" Nd: 11"));
    w->TrackBar1->setValue(14);
    QCOMPARE(w.Panel(2), QString(" Nd: 14"));
    QCOMPARE(w.Panel(3), QString(" Nf: 7"));

    // Check boxes: flags and a repaint with the stored counts.
    const struct {
        QCheckBox* box;
        bool sheetpile::TModel::*flag;
    } zones[] = {{w->CheckBox1, &sheetpile::TModel::ShowCriticalZone},
                 {w->CheckBox2, &sheetpile::TModel::ShowPossibleHeave},
                 {w->CheckBox3, &sheetpile::TModel::ShowImminentHeave}};
    const QImage withoutZones = w->Image1->Picture();
    for (const auto& z : zones) {
        QTest::mouseClick(z.box, Qt::LeftButton, {}, QPoint(8, 9)); // on its box
        QVERIFY(z.box->isChecked());
        QVERIFY((*w.Model).*z.flag);
        QCOMPARE(w->Image1->Picture(), ToImage(w.Model->ShownPicture));
    }
    QVERIFY(w->Image1->Picture() != withoutZones);
    QTest::mouseClick(w->CheckBox1, Qt::LeftButton, {}, QPoint(8, 9));
    QVERIFY(!w.Model->ShowCriticalZone);

    // The probe: depth and head loss of fine row Y - 3.
    QTest::mouseMove(w->Image1, QPoint(600, 4));
    QCOMPARE(w.Panel(4), QString(" Depth: 0.01"));
    const auto percent = [&](int x, int row) {
        const long double v = static_cast<std::uint32_t>(w.Model->FineHeadAt(x, row));
        return QString(" Head loss: %1 %").arg(sheetpile::Round(v / 10000000));
    };
    QCOMPARE(w.Panel(5), percent(600, 1));
    QTest::mouseMove(w->Image1, QPoint(400, 203));
    QCOMPARE(w.Panel(4), QString(" Depth: 2.00"));
    QCOMPARE(w.Panel(5), percent(400, 200));
    QTest::mouseMove(w->Image1, QPoint(500, 3)); // the structure strip (visible part)
    QCOMPARE(w.Panel(4), QString(" Depth: 2.00"));
    // A held button reports positions beyond the picture: ignored.
    for (QPoint outside : {QPoint(5000, 100), QPoint(-7, 100), QPoint(400, 204), QPoint(400, 900)})
        SendMove(w->Image1, outside, Qt::LeftButton);
    QCOMPARE(w.Panel(4), QString(" Depth: 2.00"));
    QCOMPARE(w.Panel(5), percent(400, 200));

    // Refused after a run: picture and results kept, tuning off until the next run.
    shown = w->Image1->Picture();
    TWindow::Type(w->Edit2, "5");
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    QCOMPARE(w.Panel(0), QString(" Fault"));
    for (int i = 1; i < PanelCount; ++i) QCOMPARE(w.Panel(i), QString());
    QVERIFY(w.TuningDisabled());
    QCOMPARE(w->Image1->Picture(), shown);
    QTest::mouseMove(w->Image1, QPoint(600, 103));
    QCOMPARE(w.Panel(4), QString(" Depth: 1.00"));

    // A later run: the probe stays active while it runs.
    TWindow::Type(w->Edit2, "1.5");
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    QVERIFY(!w->Button1->isEnabled());
    QTest::mouseMove(w->Image1, QPoint(600, 53));
    QCOMPARE(w.Panel(4), QString(" Depth: 0.50"));
    QVERIFY(QTest::qWaitFor([&] { return w->Button1->isEnabled(); }, 60000));
    QCOMPARE(w.Panel(0), QString(" Ready"));
    QVERIFY(w.TuningEnabled());
}

void TMainWindowTest::tickerCountsSeconds() {
    TWindow w;
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    for (int s = 1; s <= 3; ++s) {
        w->Timer1Timer();
        QCOMPARE(w->Label5->text(), QString("Please wait : %1 s").arg(s));
    }
    QVERIFY(QTest::qWaitFor([&] { return w->Button1->isEnabled(); }, 60000));
    QVERIFY(w->Label5->text().startsWith("Shape Factor (nf/nd) = "));
    QVERIFY(!w->Timer1->isActive());
}

void TMainWindowTest::commaLocaleShowsCommasAndReadsPoints() {
    const auto restore = qScopeGuard([before = QLocale()] { QLocale::setDefault(before); });
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TWindow w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Form.get()));
    TWindow::Type(w->Edit1, "2,0"); // never a decimal separator in the boxes
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    QCOMPARE(w.Panel(0), QString(" Fault"));
    TWindow::Type(w->Edit1, "2.0");
    QVERIFY(w.RunToResults());
    QCOMPARE(w.Panel(1), QString(" Shape Factor = 0,5"));
    QTest::mouseMove(w->Image1, QPoint(600, 4));
    QCOMPARE(w.Panel(4), QString(" Depth: 0,01"));
}

void TMainWindowTest::anchorsAndCentringOnResize() {
    TWindow w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Form.get()));
    const QRect edit = w->Edit1->geometry(), bevel = w->Bevel1->geometry();
    const QRect label5 = w->Label5->geometry(), run = w->Button1->geometry();
    w->resize(w->width() + 101, w->height() + 40);
    QCOMPARE(w->Client()->width(), 701);
    QCOMPARE(w->Edit1->geometry(), edit);
    QCOMPARE(w->Bevel1->geometry(), bevel.translated(101, 0));
    QCOMPARE(w->Label5->geometry(), label5.translated(101, 0));
    QCOMPARE(w->Button1->geometry(), run.adjusted(0, 0, 101, 0));
    QCOMPARE(w->Image1->x(), CentredLeft(701, 1204));
    QCOMPARE(w->StatusBar1->geometry(), QRect(0, 590 - 32, 701, 32));
    w->resize(100, 100); // not below the smallest size
    QCOMPARE(w->size(), QSize(600, 349));
    QCOMPARE(w->Bevel1->geometry(), bevel);
    QCOMPARE(w->Image1->x(), -302);

    // A run whose picture is wider, then one whose picture is narrower: centred after each.
    int widths[2]{};
    for (int i = 0; i < 2; ++i) {
        TWindow::Type(w->Edit6, i == 0 ? "4" : "0");
        TWindow::Type(w->Edit7, i == 0 ? "4" : "0");
        QVERIFY(w.RunToResults());
        widths[i] = w->Image1->width();
        QCOMPARE(w->Image1->x(), CentredLeft(w->Client()->width(), widths[i]));
    }
    QVERIFY(widths[0] > widths[1]);
}

void TMainWindowTest::closingDuringARunDropsIt() {
    {
        TWindow w;
        w->show();
        QSignalSpy closed(w.Form.get(), &TForm1::Closed);
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(w->LiveWorkers(), 2);
        w->Exit1->trigger(); // File > Exit
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w->isVisible());
        QVERIFY(w->RunDropped());
        QVERIFY(QTest::qWaitFor([&] { return w->LiveWorkers() == 0; }, 60000));
        QCOMPARE(QString::fromStdString(w->MessageText), QString("Please wait")); // dropped
        QCOMPARE(w.Panel(0), QString(" Wait"));
        QVERIFY(!w.Model->ResultsReady);
    }
    {
        TWindow w; // destroyed at once during a run: no completion reaches it
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(w->LiveWorkers(), 2);
    }
    {
        TWindow w; // closed with no run in progress: nothing dropped
        w->show();
        w->close();
        QVERIFY(!w->RunDropped());
    }
}

void TMainWindowTest::programEndsPromptlyWhenClosedDuringARun() {
    // That input's solve takes over a second; the program must not wait for it.
    QProcess program;
    program.start(CLOSE_DURING_RUN, QStringList{});
    QVERIFY(program.waitForStarted());
    QVERIFY(program.waitForFinished(30000));
    const qint64 ended = QDateTime::currentMSecsSinceEpoch();
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(out.contains("workers running at close: 2"), qPrintable(out));
    const qint64 closed = out.section("closed at: ", 1).trimmed().toLongLong();
    const qint64 latency = ended - closed;
    qInfo("from the close to the end of the process: %lld ms", latency);
    QVERIFY2(latency < 500, qPrintable(QString::number(latency)));
    QVERIFY(program.readAllStandardError().indexOf("QThread: Destroyed") < 0);
}

} // namespace verrask::app::test
