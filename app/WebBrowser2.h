// The wrapper through which dialogs drive the hosted web browser by its
// dispatch ids. A failing call raises the framework's dispatch exception.
#pragma once

#include "platform/mfc/CWnd.h"

class CWebBrowser2 : public CWnd {
    DECLARE_DYNCREATE(CWebBrowser2)
public:
    static CLSID const& GetClsid();

    // Makes the browser control as a child window.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);

    void GoBack();
    void GoForward();
    void Navigate(LPCTSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers);
    void Stop();
};
