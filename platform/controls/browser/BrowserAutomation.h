// The web browser as a hosted control: an automation object answering the
// navigation calls by their dispatch ids (GoBack 100, GoForward 101,
// Navigate 104, Stop 106) over the "TwWebBrowser" window it creates.
#pragma once

#include "platform/com/ComSupport.h"
#include "platform/com/DispatchObject.h"
#include "platform/ole/HostedControl.h"
#include "platform/win32/user/winuser.h"

// {8856F961-340A-11D0-A96B-00C04FD705A2}
DEFINE_GUID(CLSID_WebBrowser, 0x8856F961, 0x340A, 0x11D0, 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2);

namespace tw::browser {

class BrowserView;

// Registers the browser's window class and its control class, which
// containers host by CLSID and dialog templates may name.
void RegisterClasses();

class BrowserControlObject : public tw::com::DispatchObject<IDispatch, IHostedControl> {
public:
    BrowserControlObject();

    HWND CreateControlWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName) override;
    HWND ControlWindow() override;
    // The browser fires no events its containers listen to.
    HRESULT GetEventInterface(IID* piid) override;

private:
    BrowserView& View();

    HWND window_ = nullptr;
};

}  // namespace tw::browser
