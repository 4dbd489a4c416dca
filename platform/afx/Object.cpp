// Object.cpp: run-time class records, CObject and the command target's map lookup.
#include "platform/afx/afxwin.h"

#include "platform/afx/AfxState.h"

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), nullptr};

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base) {
            return TRUE;
        }
    }
    return FALSE;
}

CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const {
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY kEntries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP kMap = {nullptr, kEntries};
    return &kMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void*, AFX_CMDHANDLERINFO*) {
    const UINT code = static_cast<UINT>(nCode);
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == WM_COMMAND && e->nCode == code && nID >= e->nID &&
                nID <= e->nLastID) {
                e->pfn(this, nID, 0);
                return TRUE;
            }
        }
    }
    return FALSE;
}

namespace afx_detail {

CDC* dc_from(WPARAM wparam) {
    return CDC::FromHandle(reinterpret_cast<HDC>(wparam));
}

CWnd* wnd_from(WPARAM wparam) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(wparam));
}

}  // namespace afx_detail
