// A whole program run that is closed while its run is in progress: opens the window, presses
// RUN on a slow input (full blankets, the deepest wall) and closes the window at once. It prints
// the time of the close; the process must then end by itself, promptly and with status 0.
#include "app/AppMain.h"
#include "app/MainUnit.h"

#include <QDateTime>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    verrask::app::PrepareEnvironment();
    QApplication app(argc, argv);
    verrask::app::SetUpApplication(app);
    auto model = std::make_unique<sheetpile::TModel>();
    return verrask::app::RunMainWindow(app, *model, [](verrask::app::TForm1& form) {
        QTimer::singleShot(0, &form, [&form] {
            form.Edit6->setText("4");
            form.Edit7->setText("4");
            form.Edit2->setText("1.96");
            form.Button1->click();
            std::printf("workers running at close: %d\n", form.LiveWorkers());
            std::printf("closed at: %lld\n", QDateTime::currentMSecsSinceEpoch());
            std::fflush(stdout);
            form.Exit1->trigger();
        });
    });
}
