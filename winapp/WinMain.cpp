// verrask.exe: the flow-net window. One model for the program's whole life, one main window.
#include "winapp/AppMain.h"

#include <windows.h>

#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    auto model = std::make_unique<sheetpile::TModel>();
    return verrask::win::RunMainWindow(*model);
}
