// Display scaling of the main window: the change handler at 120 and 144 dpi and back, the
// same density again, and two screens of different density (where the platform has them).
#include "AppTests.h"

#include "control/DisplayScaling.h"

#include <QScreen>
#include <QWindow>

namespace verrask::app::test {
namespace {

// The explicitly scaled sizes for a density.
void VerifyScaledSizes(const TWindow& w, int dpi) {
    for (const QCheckBox* box : {w->CheckBox1, w->CheckBox2, w->CheckBox3}) {
        QCOMPARE(box->height(), ScaleDesign(dpi, 18));
        QCOMPARE(box->font().pixelSize(), w->font().pixelSize());
    }
    QCOMPARE(ThumbLength(w->TrackBar1), ScaleDesign(dpi, 18));
    QCOMPARE(ThumbLength(w->TrackBar2), ScaleDesign(dpi, 18));
    QCOMPARE(w->StatusBar1->height(), ScaleDesign(dpi, 32));
    QCOMPARE(w->StatusBar1->y(), w->Client()->height() - ScaleDesign(dpi, 32));
    QCOMPARE(w->StatusBar1->font().pixelSize(), w->font().pixelSize());
    QCOMPARE(w->Label5->font().pixelSize(), w->font().pixelSize());
    for (int i = 0; i < PanelCount; ++i)
        QCOMPARE(w->StatusBar1->PanelWidth(i),
                 ScaleDesign(dpi, PanelDesignWidths.at(std::size_t(i))));
}

// The window's own size follows the density only in proportion (menu bar included).
void VerifyDesign(const TWindow& w, bool designClient = true) {
    QCOMPARE(w->CurrentDpi, 96);
    QCOMPARE(w->font().pixelSize(), 13);
    QCOMPARE(w->Button1->font().pixelSize(), 17);
    QCOMPARE(w->Edit1->geometry(), QRect(168, 119, 63, 24));
    QCOMPARE(w->Button1->geometry(), QRect(256, 8, 81, 73));
    QCOMPARE(w->TrackBar1->geometry(), QRect(424, 18, 154, 23));
    QCOMPARE(w->Label5->geometry(), QRect(375, 208, 203, 81));
    QCOMPARE(w->Image1->y(), 302);
    QCOMPARE(w->Image1->size(), QSize(1204, 200));
    if (designClient) QCOMPARE(w->Client()->size(), QSize(600, 550));
    QCOMPARE(w->minimumSize(), QSize(600, 349));
    VerifyScaledSizes(w, 96);
    QCOMPARE(w->StatusBar1->PanelWidth(1), 150);
}

} // namespace

void TScalingTest::changeTo144AndBack() {
    TWindow w;
    const QSize before = w->size();
    w->WMDpiChanged(144);
    QCOMPARE(w->CurrentDpi, 144);
    QCOMPARE(w->size(),
             QSize(ScaleValue(before.width(), 144, 96), ScaleValue(before.height(), 144, 96)));
    QCOMPARE(w->font().pixelSize(), 20);                     // 19.5 to the even 20
    QCOMPARE(w->Button1->font().pixelSize(), 26);            // 25.5
    QCOMPARE(w->Edit1->geometry(), QRect(252, 178, 94, 36)); // 178.5 and 94.5 to even
    QCOMPARE(w->TrackBar1->geometry(), QRect(636, 27, 231, 34));
    QCOMPARE(w->Image1->y(), 453);
    QCOMPARE(w->Image1->size(), QSize(1204, 200)); // the picture is never scaled
    QCOMPARE(w->minimumSize(), QSize(900, 524));
    VerifyScaledSizes(w, 144);
    QCOMPARE(w->StatusBar1->PanelWidth(2), 82);
    QCOMPARE(w->StatusBar1->PanelWidth(5), 172);
    QCOMPARE(w->CheckBox1->height(), 27);

    w->WMDpiChanged(96);
    VerifyDesign(w);
    QCOMPARE(w->size(), before);
}

void TScalingTest::changeTo120AndBack() {
    TWindow w;
    const QSize before = w->size();
    w->WMDpiChanged(120);
    QCOMPARE(w->CurrentDpi, 120);
    QCOMPARE(w->font().pixelSize(), 16); // 16.25
    QCOMPARE(w->Edit1->geometry(), QRect(210, 149, 79, 30));
    VerifyScaledSizes(w, 120);
    QCOMPARE(w->StatusBar1->PanelWidth(1), 188);
    QCOMPARE(w->CheckBox2->height(), 22);
    QCOMPARE(w->StatusBar1->height(), 40);
    w->WMDpiChanged(96);
    VerifyDesign(w);
    QCOMPARE(w->size(), before);
}

void TScalingTest::sameDensityReappliesTheSizes() {
    TWindow w;
    const QSize before = w->size();
    w->WMDpiChanged(96);
    VerifyDesign(w);
    QCOMPARE(w->size(), before);
}

void TScalingTest::twoScreensOfDifferentDensity() {
    QScreen *design = nullptr, *dense = nullptr;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (qRound(screen->logicalDotsPerInch()) == 96) design = screen;
        if (qRound(screen->logicalDotsPerInch()) == 144) dense = screen;
    }
    if (design == nullptr || dense == nullptr)
        QSKIP("needs the two-screen configuration (96 and 144 dpi)");
    TWindow w(dense); // laid out for the screen it opens on
    QCOMPARE(w->CurrentDpi, 144);
    QCOMPARE(w->Edit1->geometry(), QRect(252, 178, 94, 36));
    VerifyScaledSizes(w, 144);
    QVERIFY(dense->geometry().contains(w->geometry().center()));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Form.get()));
    QCOMPARE(w->CurrentDpi, 144);

    w->windowHandle()->setScreen(design); // to the 96 dpi screen
    QTRY_COMPARE(w->CurrentDpi, 96);
    VerifyDesign(w, false);
    w->windowHandle()->setScreen(dense);
    QTRY_COMPARE(w->CurrentDpi, 144);
    VerifyScaledSizes(w, 144);
}

void TScalingTest::screenDensityChangeRelaysTheWindow() {
    TWindow w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Form.get()));
    QScreen* screen = w->windowHandle()->screen();
    const QSize before = w->size();
    emit screen->logicalDotsPerInchChanged(120.0); // as the platform reports a new density
    QCOMPARE(w->CurrentDpi, 120);
    VerifyScaledSizes(w, 120);
    emit screen->logicalDotsPerInchChanged(96.0);
    VerifyDesign(w);
    QCOMPARE(w->size(), before);
}

} // namespace verrask::app::test
