// DialogManager.h: what the window manager keeps for each dialog, and dialog creation.
#pragma once

#include "platform/win32/user/DialogTemplate.h"
#include "platform/win32/windows.h"

namespace user {

struct DialogState {
    DLGPROC proc = nullptr;         // also in DWLP_DLGPROC when the class has the bytes for it
    HFONT font = nullptr;           // the template's font, deleted with the dialog
    SIZE base_units{};              // of that font (the system font without one)
    HWND focus = nullptr;           // the control that gets the focus back on activation
    WORD default_id = 0;            // DM_SETDEFID, or the first BS_DEFPUSHBUTTON; 0: none
    INT_PTR result = 0;             // EndDialog's value
    bool ended = false;             // EndDialog was called
    HWND disabled_owner = nullptr;  // the owner a modal dialog disabled until EndDialog
};

// The state of a dialog window; null for any other window.
DialogState* dialog_state(HWND hwnd);

enum class Modality : bool { Modeless, Modal };

// Makes the dialog of a template read without error. A modal dialog first disables its
// owner's top-level window (given back by EndDialog). NULL, with everything undone, when the
// window or a control cannot be made (controls only without DS_NOFAILCREATE).
HWND create_dialog(const DialogTemplate& dialog_template, HINSTANCE instance, HWND owner,
                   DLGPROC proc, LPARAM param, Modality modality);

// Dialog base units (x per 4 dialog units, y per 8) of a font; the system font for NULL.
SIZE dialog_base_units(HFONT font);

// The screen minus the taskbar, which the stand-in has none of.
RECT work_area();

// Moves the focus to a control of a dialog, passing the default push-button look to it when
// it is a push button (and back to the default button when it is not).
void set_dialog_focus(HWND dialog, HWND control);

}  // namespace user
