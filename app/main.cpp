// verrask: the flow-net window. One model for the program's whole life, one main window.
#include "app/AppMain.h"

#include <memory>

int main(int argc, char** argv) {
    verrask::app::PrepareEnvironment();
    QApplication app(argc, argv);
    verrask::app::SetUpApplication(app);
    auto model = std::make_unique<sheetpile::TModel>();
    return verrask::app::RunMainWindow(app, *model);
}
