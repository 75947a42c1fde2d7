// A whole program run that is closed while its run is in progress: opens the window, presses
// RUN on a slow input (full blankets, the deepest wall) and closes the window at once by File >
// Exit. It prints the time of the close; the process must then end by itself, promptly and with
// status 0.
#include "winapp/AppMain.h"
#include "winapp/MainUnit.h"
#include "winapp/WideText.h"
#include "winapp/resource.h"

#include <cstdio>

int main() {
    using namespace verrask::win;
    auto model = std::make_unique<sheetpile::TModel>();
    return RunMainWindow(*model, [](TForm1& form) {
        SetWindowTextW(form.Edit6, L"4");
        SetWindowTextW(form.Edit7, L"4");
        SetWindowTextW(form.Edit2, L"1.96");
        SendMessageW(form.Button1, BM_CLICK, 0, 0);
        std::printf("workers running at close: %d\n", form.LiveWorkers());
        std::printf("closed at: %llu\n", static_cast<unsigned long long>(GetTickCount64()));
        std::fflush(stdout);
        SendMessageW(form.Handle, WM_COMMAND, IDM_EXIT, 0);
    });
}
