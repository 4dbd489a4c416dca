// WindowClasses.cpp: registered window classes, found by name (without case) or atom.
#include "platform/win32/user/WindowClasses.h"

#include <memory>
#include <strings.h>
#include <vector>

namespace user {
namespace {

constexpr ATOM kFirstAtom = 0xC000;

std::vector<std::unique_ptr<WindowClass>>& classes() {
    static std::vector<std::unique_ptr<WindowClass>> table;
    return table;
}

}  // namespace

WindowClass* find_class(LPCSTR name) {
    register_system_classes();
    if (name == nullptr) {
        return nullptr;
    }
    for (const auto& c : classes()) {
        if (IS_INTRESOURCE(name) ? c->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name))
                                 : strcasecmp(c->name.c_str(), name) == 0) {
            return c.get();
        }
    }
    return nullptr;
}

bool register_system_class(const WNDCLASSA& wc, ATOM atom) {
    if (find_class(wc.lpszClassName) != nullptr || find_class(MAKEINTATOM(atom)) != nullptr) {
        return false;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = wc.lpszClassName;
    c->atom = atom;
    c->info = wc;
    c->info.lpszClassName = nullptr;
    c->info.lpszMenuName = nullptr;
    classes().push_back(std::move(c));
    return true;
}

}  // namespace user

using namespace user;

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (wc == nullptr || wc->lpfnWndProc == nullptr || wc->lpszClassName == nullptr ||
        IS_INTRESOURCE(wc->lpszClassName) || wc->lpszClassName[0] == '\0' || wc->cbWndExtra < 0 ||
        wc->cbWndExtra > 4096) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (find_class(wc->lpszClassName) != nullptr) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    // Atoms are never reused, so a stale atom finds nothing.
    static ATOM next_atom = kFirstAtom;
    if (next_atom == 0xFFFF) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = wc->lpszClassName;
    c->atom = next_atom++;
    c->info = *wc;
    c->info.lpszClassName = nullptr;  // the caller's string need not outlive the call
    c->info.lpszMenuName = nullptr;
    const ATOM atom = c->atom;
    classes().push_back(std::move(c));
    return atom;
}

BOOL UnregisterClassA(LPCSTR class_name, HINSTANCE) {
    WindowClass* c = find_class(class_name);
    if (c == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (c->window_count > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    auto& table = classes();
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (it->get() == c) {
            table.erase(it);
            break;
        }
    }
    return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR class_name, LPWNDCLASSA wc) {
    const WindowClass* c = find_class(class_name);
    if (c == nullptr || wc == nullptr) {
        SetLastError(c == nullptr ? ERROR_CLASS_DOES_NOT_EXIST : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *wc = c->info;
    wc->lpszClassName = c->name.c_str();
    return TRUE;
}
