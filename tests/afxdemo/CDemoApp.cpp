// CDemoApp.cpp: the demo's application object: its start-up runs the demo dialog modally.
#include "tests/afxdemo/CDemoApp.h"

#include "tests/afxdemo/CDemoDialog.h"

CDemoApp::CDemoApp() : CWinApp("afx-demo") {}

BOOL CDemoApp::InitInstance() {
    CDemoDialog dlg;
    m_pMainWnd = &dlg;
    m_pDialog = &dlg;
    m_nDialogResult = static_cast<int>(dlg.DoModal());
    m_pDialog = nullptr;
    m_pMainWnd = nullptr;
    return FALSE;
}

int CDemoApp::ExitInstance() {
    const int nCode = CWinApp::ExitInstance();
    return m_nDialogResult == -1 ? 1 : nCode;
}
