// Start-up and end of the program.
#include "app/AppMain.h"

#include "app/AboutU.h"
#include "app/MainUnit.h"

#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace verrask::app {

void PrepareEnvironment() {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

void SetUpApplication(QApplication& app) {
    app.setApplicationName("verrask");
    app.setApplicationDisplayName(ApplicationTitle);
    QIcon icon;
    for (int size : {32, 48, 64}) icon.addPixmap(LoadIconResource("MainIcon", size));
    app.setWindowIcon(icon);
}

int RunMainWindow(QApplication& app, sheetpile::TModel& model,
                  const std::function<void(TForm1&)>& started) {
    TForm1 form(model);
    QObject::connect(&form, &TForm1::Closed, &app, &QCoreApplication::quit);
    form.show();
    if (started) started(form);
    const int code = app.exec();
    if (form.LiveWorkers() > 0 || form.ChecksForm->Searching()) {
        // A solve cannot be interrupted and its workers may still use the model (an embedment
        // search its own copy of it): leave now, destroying nothing, rather than wait for them.
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}

} // namespace verrask::app
