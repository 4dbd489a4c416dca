// SystemClasses.cpp: the window classes every program finds registered: dialogs, statics and
// buttons.
#include "platform/win32/user/Controls.h"
#include "platform/win32/user/WindowClasses.h"

namespace user {

void register_system_classes() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;  // before registering: registration looks classes up itself
    struct SystemClass {
        const char* name;
        ATOM atom;
        UINT style;
        WNDPROC proc;
        int extra;
    };
    const SystemClass kClasses[] = {
        {"#32770", 0x8002, CS_SAVEBITS | CS_DBLCLKS, DefDlgProcA, DLGWINDOWEXTRA},
        {"Button", 0x0080, CS_DBLCLKS | CS_PARENTDC, button_proc, kButtonExtraBytes},
        {"Static", 0x0082, CS_DBLCLKS | CS_PARENTDC, static_proc, kStaticExtraBytes},
    };
    for (const SystemClass& c : kClasses) {
        WNDCLASSA wc{};
        wc.style = c.style;
        wc.lpfnWndProc = c.proc;
        wc.cbWndExtra = c.extra;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = c.name;
        register_system_class(wc, c.atom);
    }
}

}  // namespace user
