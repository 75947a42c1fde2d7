// The real window on a display (run under Xvfb with a window manager): opens Form1, runs the
// defaults, probes the picture, and saves a screenshot of the screen to the file named by the
// first argument (with "about" as second argument, the About box open as well). Fails if the run
// does not complete or the picture is not on the screen.
#include "app/AboutU.h"
#include "app/AppMain.h"
#include "app/MainUnit.h"

#include <QScreen>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv) {
    verrask::app::PrepareEnvironment();
    QApplication app(argc, argv);
    verrask::app::SetUpApplication(app);
    if (argc < 2) return 64;
    auto model = std::make_unique<sheetpile::TModel>();
    verrask::app::TForm1 form(*model);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    form.activateWindow();
    (void)QTest::qWaitForWindowActive(&form); // a window manager may refuse: not needed
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return form.Button1->isEnabled(); }, 60000)) return 2;
    QTest::mouseMove(form.Image1, QPoint(form.Image1->width() / 2, 100));
    const bool about = argc > 2 && QByteArray(argv[2]) == "about";
    if (about) form.About1->trigger(); // covers the picture's middle: no pixel check then
    QTest::qWait(500);                 // let the window manager and the window repaint
    const QImage shot = form.screen()->grabWindow(0).toImage();
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) return 3;
    // The wall's blue strip at the picture's top, at the picture's place on the screen.
    const QPoint picture = form.Image1->mapToGlobal(QPoint(0, 0));
    const sheetpile::TColor wall = model->ShownPicture.GetPixel(model->PileUpX, 1);
    const QColor expected(sheetpile::RedOf(wall), sheetpile::GreenOf(wall),
                          sheetpile::BlueOf(wall));
    const QColor seen = shot.pixelColor(picture + QPoint(model->PileUpX, 1));
    std::printf("%s\nmessage: %s\nwall pixel on screen: %s, expected %s\n",
                qPrintable(form.windowTitle()), form.MessageText.c_str(), qPrintable(seen.name()),
                qPrintable(expected.name()));
    return about || seen == expected ? 0 : 4;
}
