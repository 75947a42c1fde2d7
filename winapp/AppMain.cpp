// Start-up and end of the program: the main window and the message loop.
#include "winapp/AppMain.h"

#include "winapp/MainUnit.h"

#include <cstdio>
#include <cstdlib>

namespace verrask::win {

int RunMainWindow(sheetpile::TModel& model, const std::function<void(TForm1&)>& started) {
    TForm1 form(model);
    form.OnClosed = [] { PostQuitMessage(0); };
    ShowWindow(form.Handle, SW_SHOWNORMAL);
    UpdateWindow(form.Handle);
    if (started) started(form);
    MSG message;
    int code = 0;
    while (true) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            code = got == 0 ? static_cast<int>(message.wParam) : 1;
            break;
        }
        // Tab and the arrow keys move between the controls as in a dialog.
        if (IsDialogMessageW(form.Handle, &message)) continue;
        if (form.ChecksForm() != nullptr && IsDialogMessageW(form.ChecksForm()->Handle, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (form.LiveWorkers() > 0) {
        // A solve cannot be interrupted and its workers may still use the model: leave now,
        // destroying nothing, rather than wait for them.
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}

} // namespace verrask::win
