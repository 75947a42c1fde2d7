// The About box: the scrambled texts' shapes, its layout and icons at 96, 120 and 144 dpi,
// closing when deactivated, the maker's label, the drag, the right button.
#include "AppTests.h"

#include "app/AboutU.h"
#include "app/AppMain.h"
#include "app/ScrambledTexts.h"

#include <QMouseEvent>
#include <QPointer>

namespace verrask::app::test {
namespace {

TAboutForm* OpenAbout(TWindow& w) {
    w->About1->trigger(); // Help > Info
    return AboutFormInst;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void TAboutBoxTest::scrambledTextsHaveTheirShapes() {
    const QString caption = WindowCaption();
    QCOMPARE(caption.size(), 66);
    QVERIFY(caption.endsWith(ApplicationTitle));
    const QString label1 = AboutLabel1Text(), label2 = AboutLabel2Text();
    const QString label3 = AboutLabel3Text();
    QCOMPARE(label1.size(), 40);
    QCOMPARE(label1.mid(12, 2), QString("\r\n"));
    QVERIFY(label1.startsWith("Verrask"));
    QCOMPARE(label2.size(), 26);
    QCOMPARE(label2.mid(14, 2), QString("\r\n"));
    QVERIFY(label2.startsWith("Olbrinth"));
    QCOMPARE(label3.size(), 25);
    int arabic = 0;
    for (QChar c : label2.mid(16))
        if (c.unicode() >= 0x600 && c.unicode() <= 0x6FF) ++arabic;
    QCOMPARE(arabic, 9); // and one space
}

void TAboutBoxTest::shapesAndIconsAt96() {
    TWindow w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Form.get()));
    QVERIFY(AboutFormInst == nullptr);
    TAboutForm* box = OpenAbout(w);
    QVERIFY(box != nullptr);
    QCOMPARE(AboutDpi, 96);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QCOMPARE(box->windowType(), Qt::Dialog);
    QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(box->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(box->windowTitle(), QString());
    QCOMPARE(box->font().pixelSize(), 16);
    QCOMPARE(box->Label1->text(), AboutLabel1Text().replace("\r\n", "\n"));
    QCOMPARE(box->Label2->text(), AboutLabel2Text().replace("\r\n", "\n"));
    QCOMPARE(box->Label3->text(), AboutLabel3Text());
    QCOMPARE(box->Label2->palette().color(QPalette::WindowText), QColor(0, 0x80, 0xC0));
    QCOMPARE(box->Label3->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
    QCOMPARE(box->Label2->cursor().shape(), Qt::PointingHandCursor);
    for (const QLabel* label : {box->Label1, box->Label2, box->Label3}) QCOMPARE(label->x(), 64);
    const QLabel *l1 = box->Label1, *l2 = box->Label2, *l3 = box->Label3;
    QCOMPARE(l1->y(), 16);
    QCOMPARE(l2->y(), 2 * 16 + l1->height());
    QCOMPARE(l3->y(), 2 * 16 + l2->y() + l2->height());
    QCOMPARE(box->width(), 96 + std::max({l1->width(), l2->width(), l3->width()}));
    QCOMPARE(box->height(), 96 + l1->height() + l2->height() + l3->height());
    QCOMPARE(box->AppIcon.size(), QSize(32, 32));
    QCOMPARE(box->MakerIcon.size(), QSize(32, 32));
    QCOMPARE(box->IconLeft(), 16);
    // Centred on the main window.
    const QPoint centre = w->frameGeometry().center();
    QVERIFY(std::abs(box->frameGeometry().center().x() - centre.x()) <= 1);
    QVERIFY(std::abs(box->frameGeometry().center().y() - centre.y()) <= 1);
    // The icons are painted beside Label1 and Label2.
    const QImage shot = box->grab().toImage();
    QCOMPARE(shot.pixelColor(16 + 16, l1->y() + 2), box->AppIcon.toImage().pixelColor(16, 2));
    QCOMPARE(shot.pixelColor(16 + 3, l2->y() + 16), box->MakerIcon.toImage().pixelColor(3, 16));
    // A second Info shows the same box.
    QCOMPARE(OpenAbout(w), box);
    box->close();
    QTRY_VERIFY(AboutFormInst == nullptr);
}

void TAboutBoxTest::iconsFollowTheWindowsDensity() {
    TWindow w;
    for (int dpi : {120, 144}) {
        w->WMDpiChanged(dpi);
        TAboutForm* box = OpenAbout(w);
        QCOMPARE(AboutDpi, dpi);
        const int size = dpi == 120 ? 40 : 48, left = dpi == 120 ? 20 : 24;
        QCOMPARE(box->AppIcon.size(), QSize(size, size));
        QCOMPARE(box->MakerIcon.size(), QSize(size, size));
        QCOMPARE(box->IconLeft(), left);
        QCOMPARE(box->Label1->pos(), QPoint(dpi == 120 ? 80 : 96, dpi == 120 ? 20 : 24));
        QCOMPARE(box->font().pixelSize(), dpi == 120 ? 20 : 24);
        box->close();
        QTRY_VERIFY(AboutFormInst == nullptr);
    }
}

void TAboutBoxTest::closesWhenDeactivatedAndReopensAfresh() {
    TWindow w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Form.get()));
    QPointer<TAboutForm> box = OpenAbout(w);
    QVERIFY(QTest::qWaitForWindowActive(box.data()));
    w->activateWindow(); // a click outside the box
    QTRY_VERIFY(box.isNull());
    QVERIFY(AboutFormInst == nullptr);
    w->WMDpiChanged(120);
    QPointer<TAboutForm> again = OpenAbout(w);
    QVERIFY(!again.isNull());
    QCOMPARE(again->AppIcon.width(), 40); // built afresh at the density now in force
    again->close();
    QTRY_VERIFY(again.isNull());
}

void TAboutBoxTest::makersLabelOpensTheReadme() {
    TWindow w;
    TAboutForm* box = OpenAbout(w);
    QList<QUrl> opened;
    OpenDocument = [&](const QUrl& url) { opened << url; };
    const QPoint place = box->pos();
    QTest::mouseClick(box->Label2, Qt::LeftButton);
    OpenDocument = nullptr;
    const QString readme = ReadmePath();
    QVERIFY(!readme.isEmpty()); // the source tree's, above the build folder
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(readme)});
    QCOMPARE(box->pos(), place); // a click, not a drag
    box->close();
    QTRY_VERIFY(AboutFormInst == nullptr);
}

void TAboutBoxTest::rightButtonDoesNothing() {
    TWindow w;
    TAboutForm* box = OpenAbout(w);
    const QPoint place = box->pos();
    SendMouse(box, QEvent::MouseButtonPress, {4, 4}, Qt::RightButton, Qt::RightButton);
    SendMouse(box, QEvent::MouseMove, {40, 30}, Qt::NoButton, Qt::RightButton);
    SendMouse(box, QEvent::MouseButtonRelease, {40, 30}, Qt::RightButton, Qt::NoButton);
    QCOMPARE(box->pos(), place);
    QVERIFY(AboutFormInst == box);
    // The left button drags it by any point of its client area.
    SendMouse(box, QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseMove, {40, 30}, Qt::NoButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseButtonRelease, {40, 30}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(box->pos(), place + QPoint(36, 26));
    box->close();
    QTRY_VERIFY(AboutFormInst == nullptr);
}

} // namespace verrask::app::test
