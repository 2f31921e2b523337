#include "platform/ole/HostedControl.h"

#include <string>

#include "platform/com/ClassRegistry.h"
#include "platform/com/GuidText.h"

namespace tw::ole {

namespace hosted_control_detail {

void ReleaseAll(std::map<HWND, IUnknown*>& objects)
{
    for (auto& [hwnd, object] : objects)
        object->Release();
    objects.clear();
}

// The template item's window: it makes the control in its own place and
// then stays out of the way, hidden, disabled and without the id, until the
// dialog goes and it lets go of the control.
LRESULT CALLBACK SiteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        char className[64] = {};
        GetClassName(hwnd, className, sizeof className);
        CLSID clsid{};
        if (!tw::com::GuidFromString(className, clsid))
            return -1;
        const RECT rect{cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy};
        const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(cs->hMenu));
        HWND made = nullptr;
        if (FAILED(HostedControls::Instance().Create(clsid, cs->hwndParent, rect, id, cs->style, cs->lpszName,
                                                     &made)))
            return -1;
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
        SetWindowLongPtr(hwnd, GWLP_ID, 0);
        SetWindowLong(hwnd, GWL_STYLE, WS_CHILD | WS_DISABLED);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        return 0;
    }
    case WM_SETFONT:
        if (control)
            SendMessage(control, WM_SETFONT, wParam, lParam);
        return 0;
    case WM_DESTROY:
        if (control)
            HostedControls::Instance().Forget(control);
        return 0;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace hosted_control_detail

HostedControls& HostedControls::Instance()
{
    // Kept to the end of the process: windows may still be going away then.
    static HostedControls* instance = new HostedControls;
    return *instance;
}

void HostedControls::PruneLocked(std::map<HWND, IUnknown*>& released)
{
    for (auto it = controls_.begin(); it != controls_.end();) {
        if (IsWindow(it->first)) {
            ++it;
            continue;
        }
        released.insert(*it);
        it = controls_.erase(it);
    }
}

HRESULT HostedControls::Create(REFCLSID clsid, HWND parent, const RECT& rect, UINT id, DWORD style,
                               LPCSTR windowName, HWND* created)
{
    if (!created)
        return E_POINTER;
    *created = nullptr;
    if (!IsWindow(parent))
        return E_INVALIDARG;
    IHostedControlPtr control;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHostedControl,
                                  reinterpret_cast<void**>(&control));
    if (FAILED(hr))
        return hr;
    HWND hwnd = control->CreateControlWindow(parent, rect, id, style | WS_CHILD, windowName);
    if (!hwnd)
        return E_FAIL;
    ContainerHook hook;
    std::map<HWND, IUnknown*> released;
    {
        std::lock_guard lock(mutex_);
        PruneLocked(released);
        IUnknown* object = control.GetInterfacePtr();
        object->AddRef();
        controls_[hwnd] = object;
        hook = hook_;
    }
    hosted_control_detail::ReleaseAll(released);
    if (hook)
        hook(hwnd, control.GetInterfacePtr());
    *created = hwnd;
    return S_OK;
}

IUnknown* HostedControls::Find(HWND control)
{
    std::map<HWND, IUnknown*> released;
    IUnknown* found = nullptr;
    {
        std::lock_guard lock(mutex_);
        PruneLocked(released);
        auto it = controls_.find(control);
        if (it != controls_.end()) {
            found = it->second;
            found->AddRef();
        }
    }
    hosted_control_detail::ReleaseAll(released);
    return found;
}

void HostedControls::Forget(HWND control)
{
    std::map<HWND, IUnknown*> released;
    {
        std::lock_guard lock(mutex_);
        auto it = controls_.find(control);
        if (it != controls_.end()) {
            released.insert(*it);
            controls_.erase(it);
        }
        PruneLocked(released);
    }
    // Outside the lock: a control's last release destroys its window.
    hosted_control_detail::ReleaseAll(released);
}

void HostedControls::SetContainerHook(ContainerHook hook)
{
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
}

bool HostedControls::RegisterSiteClass(REFCLSID clsid)
{
    static std::mutex registering;
    std::lock_guard lock(registering);
    const std::string name = tw::com::GuidToString(clsid);
    WNDCLASS existing{};
    if (GetClassInfo(nullptr, name.c_str(), &existing))
        return true;
    WNDCLASS wc{};
    wc.lpfnWndProc = hosted_control_detail::SiteProc;
    wc.lpszClassName = name.c_str();
    return RegisterClass(&wc) != 0;
}

}  // namespace tw::ole
