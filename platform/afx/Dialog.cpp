// Dialog.cpp: CDialog: modal and modeless dialogs from templates, the dialog procedure that
// calls OnInitDialog, and the dialog keys for windows' pre-translation.
#include "platform/afx/afxwin.h"

#include "platform/afx/AfxState.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// Keys and mouse messages, the ones the dialog manager acts on.
bool is_input_message(UINT message) {
    return (message >= WM_KEYDOWN && message <= 0x0108) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// The dialog object whose window the dialog manager is making.
CDialog*& dialog_init() {
    static CDialog* pending = nullptr;
    return pending;
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(static_cast<WORD>(nIDTemplate))),
      m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr && dialog_init() != nullptr) {
        // The first message the dialog manager passes on: the object takes the window over.
        CDialog* pDialog = dialog_init();
        dialog_init() = nullptr;
        if (pDialog->SubclassWindow(hWnd)) {
            pWnd = pDialog;
        }
    }
    if (message == WM_INITDIALOG) {
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CDialog))) {
            return static_cast<CDialog*>(pWnd)->OnInitDialog();
        }
        return TRUE;
    }
    return FALSE;
}

namespace {

// The template resource, or NULL.
LPCDLGTEMPLATEA load_template(LPCSTR name, HINSTANCE* module) {
    if (name == nullptr) {
        return nullptr;
    }
    *module = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC resource = ::FindResourceA(*module, name, RT_DIALOG);
    if (resource == nullptr) {
        return nullptr;
    }
    return static_cast<LPCDLGTEMPLATEA>(::LockResource(::LoadResource(*module, resource)));
}

// The window a dialog of `parent` is owned by: the parent (else the main window), as a
// top-level window.
HWND safe_owner(CWnd* parent, const CWnd* self) {
    HWND hWnd = parent != nullptr ? parent->m_hWnd : nullptr;
    if (hWnd == nullptr) {
        CWnd* main = AfxGetMainWnd();
        hWnd = main != nullptr && main != self ? main->m_hWnd : nullptr;
    }
    while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0) {
        hWnd = ::GetParent(hWnd);
    }
    return hWnd;
}

}  // namespace

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_lpszTemplateName = MAKEINTRESOURCEA(static_cast<WORD>(nIDTemplate));
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
    HINSTANCE module = nullptr;
    LPCDLGTEMPLATEA dialog_template = load_template(m_lpszTemplateName, &module);
    if (dialog_template == nullptr || m_hWnd != nullptr) {
        return FALSE;
    }
    CDialog* previous = dialog_init();
    dialog_init() = this;
    HWND hWnd = ::CreateDialogIndirectParamA(module, dialog_template, safe_owner(pParentWnd, this),
                                             &AfxDlgProc, 0);
    dialog_init() = previous;
    if (hWnd == nullptr) {
        return FALSE;
    }
    if (m_hWnd == nullptr && !SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

int CDialog::DoModal() {
    HINSTANCE module = nullptr;
    LPCDLGTEMPLATEA dialog_template = load_template(m_lpszTemplateName, &module);
    if (dialog_template == nullptr || m_hWnd != nullptr) {
        return -1;
    }
    HWND hWndParent = safe_owner(m_pParentWnd, this);
    BOOL enable_parent = FALSE;
    if (hWndParent != nullptr && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        enable_parent = TRUE;
    }
    // EndDialog inside OnInitDialog ends the run before the loop starts.
    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    CDialog* previous = dialog_init();
    dialog_init() = this;
    HWND hWnd = ::CreateDialogIndirectParamA(module, dialog_template, hWndParent, &AfxDlgProc, 0);
    dialog_init() = previous;
    if (hWnd != nullptr && m_hWnd == nullptr && !SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        hWnd = nullptr;
    }
    if (hWnd != nullptr) {
        if (m_bContinueModal) {
            DWORD flags = MLF_SHOWONIDLE;
            if ((GetStyle() & DS_NOIDLEMSG) != 0) {
                flags |= MLF_NOIDLEMSG;
            }
            RunModalLoop(flags);
        }
        if (m_hWnd != nullptr) {
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    }
    m_bContinueModal = FALSE;
    if (enable_parent) {
        ::EnableWindow(hWndParent, TRUE);
    }
    if (hWndParent != nullptr &&
        (m_hWnd == nullptr || ::GetActiveWindow() == m_hWnd || ::GetActiveWindow() == nullptr)) {
        ::SetActiveWindow(hWndParent);
    }
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    if (m_bContinueModal) {
        EndModalLoop(nResult);
    } else {
        m_nModalResult = nResult;
    }
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    // Commands the dialog leaves (not system commands) go on to the application.
    if (nCode != CN_COMMAND || nID >= 0xF000) {
        return FALSE;
    }
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg) {
    return ::IsDialogMessageA(m_hWnd, lpMsg);
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg) {
    if (!is_input_message(lpMsg->message)) {
        return FALSE;
    }
    return IsDialogMessage(lpMsg);
}
