// Controls hosted by CLSID: the interface a control object answers so that
// a container can give it a window, and the process's record of the hosted
// controls by window. A control also answers IDispatch (its properties and
// methods) and IConnectionPointContainer (its events, fired through the
// dispatch interface GetEventInterface names).
//
// A class registered with RegisterSiteClass can also be named by its braced
// CLSID as the class of a dialog template item: the item becomes the
// control, with the item's id, place, style and text.
#pragma once

#include <functional>
#include <map>
#include <mutex>

#include "platform/com/ComPtr.h"
#include "platform/ole/oleidl.h"

// {3F6D1C52-91A8-4E27-8B0D-5C2A7E4F9B13}
DEFINE_GUID(IID_IHostedControl, 0x3F6D1C52, 0x91A8, 0x4E27, 0x8B, 0x0D, 0x5C, 0x2A, 0x7E, 0x4F, 0x9B, 0x13);

struct IHostedControl : public IUnknown {
    // The control's window, a child of parent with the id; NULL on failure
    // (and when it has a window already).
    virtual HWND CreateControlWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName) = 0;
    virtual HWND ControlWindow() = 0;
    // The dispatch interface of its events; E_NOTIMPL when it fires none.
    virtual HRESULT GetEventInterface(IID* piid) = 0;

protected:
    ~IHostedControl() = default;
};
TW_INTERFACE_ID(IHostedControl, IID_IHostedControl);
_COM_SMARTPTR_TYPEDEF(IHostedControl, IID_IHostedControl);

namespace tw::ole {

class HostedControls {
public:
    // Told of every control made, by either path, once its window exists.
    using ContainerHook = std::function<void(HWND control, IUnknown* object)>;

    static HostedControls& Instance();

    // Makes the object and its window; the record keeps the object while
    // the window lives. REGDB_E_CLASSNOTREG, E_NOINTERFACE for a class that
    // cannot be hosted, E_FAIL when the window could not be made.
    HRESULT Create(REFCLSID clsid, HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName,
                   HWND* created);
    // The object of a control window, with a reference for the caller; NULL when none.
    IUnknown* Find(HWND control);
    // Lets go of the control's object (which destroys a window still alive).
    void Forget(HWND control);
    void SetContainerHook(ContainerHook hook);

    // A window class named "{CLSID}" for dialog templates; later calls do nothing.
    static bool RegisterSiteClass(REFCLSID clsid);

private:
    // Records of windows that are gone.
    void PruneLocked(std::map<HWND, IUnknown*>& released);

    std::mutex mutex_;
    std::map<HWND, IUnknown*> controls_;
    ContainerHook hook_;
};

}  // namespace tw::ole
