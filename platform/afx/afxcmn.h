// afxcmn.h: the class library's common controls: the tool-tip control.
#pragma once

#include "platform/afx/afxwin.h"

// A "tooltips_class32" window owned by a window; mouse messages reach it through RelayEvent.
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // Makes the control as a popup owned by pParentWnd; FALSE when it cannot be made.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate);
    // nIDTool 0: the tool is pWnd's whole window (a TTF_IDISHWND entry on its parent);
    // otherwise a rectangle of pWnd's client area, lpRectTool (NULL: the whole client area).
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool = NULL, UINT nIDTool = 0);
    // The text is string nIDText of the current resource module.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT nIDTool = 0);
    int GetToolCount() const;
    void RelayEvent(LPMSG lpMsg);
    // Initial delay; the autopop and reshow delays follow from it.
    void SetDelayTime(UINT nDelay);

private:
    BOOL AddToolText(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT nIDTool,
                     HINSTANCE hInst);
};
