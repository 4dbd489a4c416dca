// ModalLoop.h: the message loop that runs while a modal dialog is up.
#pragma once

#include "platform/win32/windows.h"

namespace user {

// Runs the queue for `dialog` until EndDialog: messages pass IsDialogMessageA first, a dialog
// still hidden is shown when the queue first runs dry, and the owner hears WM_ENTERIDLE while
// the loop waits. Then the dialog is destroyed (its disabled owner enabled first, if EndDialog
// did not) and EndDialog's value returned; -1 when WM_QUIT ended the loop, in which case WM_QUIT
// is posted again for the loop outside.
INT_PTR run_modal_loop(HWND dialog);

}  // namespace user
