#include "app/WebBrowser2.h"

#include "platform/controls/browser/BrowserAutomation.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/COleDispatchDriver.h"

IMPLEMENT_DYNCREATE(CWebBrowser2, CWnd)

CLSID const& CWebBrowser2::GetClsid() { return CLSID_WebBrowser; }

BOOL CWebBrowser2::Create(LPCTSTR /*lpszClassName*/, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, UINT nID, CCreateContext* /*pContext*/)
{
    // The control's classes are registered the first time a browser is made.
    static const bool registered = (tw::browser::RegisterClasses(), true);
    (void)registered;
    return CreateControl(GetClsid(), lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CWebBrowser2::GoBack() { InvokeHelper(100, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }

void CWebBrowser2::GoForward() { InvokeHelper(101, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }

void CWebBrowser2::Navigate(LPCTSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                            VARIANT* Headers)
{
    static const BYTE parms[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    InvokeHelper(104, DISPATCH_METHOD, VT_EMPTY, nullptr, parms, URL, Flags, TargetFrameName, PostData, Headers);
}

void CWebBrowser2::Stop() { InvokeHelper(106, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }
