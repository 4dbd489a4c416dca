// MessageBox.cpp: message boxes of the application: owner, caption and the default icon.
#include "platform/afx/afxwin.h"

namespace {

// Without icon bits, OK and OK/Cancel boxes warn and Yes/No boxes ask.
UINT with_default_icon(UINT nType) {
    if ((nType & MB_ICONMASK) != 0) {
        return nType;
    }
    switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            return nType | MB_ICONEXCLAMATION;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return nType | MB_ICONQUESTION;
        default:
            return nType;
    }
}

// The main window, or the popup it owns that is active now (a dialog over it).
HWND message_box_owner() {
    CWnd* main = AfxGetMainWnd();
    HWND owner = main != nullptr ? main->m_hWnd : nullptr;
    if (owner == nullptr || !::IsWindow(owner)) {
        return nullptr;
    }
    for (HWND active = ::GetActiveWindow(); active != nullptr; active = ::GetParent(active)) {
        if (active == owner) {
            return ::GetActiveWindow();
        }
    }
    return owner;
}

}  // namespace

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT) {
    return ::MessageBoxA(message_box_owner(), lpszPrompt, AfxGetAppName(),
                         with_default_icon(nType));
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
    if (CWinApp* app = AfxGetApp()) {
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    }
    return ::MessageBoxA(nullptr, lpszText, AfxGetAppName(), with_default_icon(nType));
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString prompt;
    if (!prompt.LoadString(nIDPrompt)) {
        return 0;  // no such string: no box, as a box that cannot be made
    }
    return AfxMessageBox(prompt, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(),
                         nType);
}
