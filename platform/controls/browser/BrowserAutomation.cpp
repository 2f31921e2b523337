#include "platform/controls/browser/BrowserAutomation.h"

#include "platform/com/ClassRegistry.h"
#include "platform/controls/browser/BrowserView.h"

namespace tw::browser {

namespace browserauto_detail {

// Raises the failure as the caller sees it: DISP_E_EXCEPTION with this text.
[[noreturn]] void Fail(const char* description)
{
    tw::com::ReportError(E_FAIL, "WebBrowser", description);
    IErrorInfo* info = nullptr;
    GetErrorInfo(0, &info);
    throw _com_error(E_FAIL, info);
}

}  // namespace browserauto_detail

void RegisterClasses()
{
    BrowserView::RegisterWindowClass();
    tw::com::ClassRegistry::Instance().Register(CLSID_WebBrowser, {"Shell.Explorer.2", "Shell.Explorer"},
                                                tw::com::ClassRegistry::FactoryOf<BrowserControlObject>());
    tw::ole::HostedControls::RegisterSiteClass(CLSID_WebBrowser);
}

BrowserControlObject::BrowserControlObject()
{
    Members().Method(100, "GoBack", [this] {
        if (!View().GoBack())
            browserauto_detail::Fail("There is no earlier page.");
    });
    Members().Method(101, "GoForward", [this] {
        if (!View().GoForward())
            browserauto_detail::Fail("There is no later page.");
    });
    Members().Method(104, "Navigate", [this](std::string url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
        View().Navigate(url);
    });
    Members().Method(106, "Stop", [this] { View().Stop(); });
}

HWND BrowserControlObject::CreateControlWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName)
{
    if (ControlWindow())
        return nullptr;
    BrowserView::RegisterWindowClass();
    // A pop-up stays a pop-up; otherwise the control is a child of its container.
    const DWORD kind = (style & WS_POPUP) ? 0 : WS_CHILD;
    window_ = CreateWindowEx(0, BrowserView::kClassName, windowName ? windowName : "", style | kind | WS_VSCROLL,
                             rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    return window_;
}

HWND BrowserControlObject::ControlWindow()
{
    return window_ && IsWindow(window_) ? window_ : nullptr;
}

HRESULT BrowserControlObject::GetEventInterface(IID* piid)
{
    if (piid)
        *piid = IID_NULL;
    return E_NOTIMPL;
}

BrowserView& BrowserControlObject::View()
{
    BrowserView* view = BrowserView::FromHandle(ControlWindow());
    if (!view)
        browserauto_detail::Fail("The browser has no window.");
    return *view;
}

}  // namespace tw::browser
