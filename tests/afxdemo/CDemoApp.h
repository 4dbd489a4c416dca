// CDemoApp.h: the demo's application object: its start-up runs the demo dialog modally.
#pragma once

#include "platform/afx/afxwin.h"

class CDemoDialog;

class CDemoApp : public CWinApp {
public:
    CDemoApp();

    // Runs the dialog and returns FALSE, so the framework's own loop never runs.
    BOOL InitInstance() override;
    // 0 after the dialog ran, however it ended; 1 when it could not be made.
    int ExitInstance() override;

    // The dialog while it runs, else NULL.
    CDemoDialog* Dialog() const { return m_pDialog; }
    // DoModal's result of the last run; 0 before any.
    int DialogResult() const { return m_nDialogResult; }

private:
    CDemoDialog* m_pDialog = nullptr;
    int m_nDialogResult = 0;
};
