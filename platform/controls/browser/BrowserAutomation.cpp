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

HWND BrowserControlObject::CreateBrowserWindow(HWND parent, const RECT& rect, UINT id, DWORD style)
{
    if (BrowserWindow())
        return nullptr;
    BrowserView::RegisterWindowClass();
    window_ = CreateWindowEx(0, BrowserView::kClassName, "", style | WS_CHILD | WS_VSCROLL, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    return window_;
}

HWND BrowserControlObject::BrowserWindow() const
{
    return window_ && IsWindow(window_) ? window_ : nullptr;
}

BrowserView& BrowserControlObject::View() const
{
    BrowserView* view = BrowserView::FromHandle(BrowserWindow());
    if (!view)
        browserauto_detail::Fail("The browser has no window.");
    return *view;
}

}  // namespace tw::browser
