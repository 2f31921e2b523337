// Base of the grid's automation objects. A grid's rows belong to the thread
// of its window, which paints them: a call made on another thread (the
// program fills result grids from a fetch worker) is carried out on the
// window's thread, as the platform's apartments do for such a control, and
// the caller waits for it. Without a window the call runs where it is made.
#pragma once

#include <functional>

#include "platform/com/DispatchObject.h"
#include "platform/controls/grid/GridModel.h"
#include "platform/win32/kernel/Threads.h"
#include "platform/win32/user/winuser.h"

namespace tw::grid {

// A call handed to the window's thread by a message.
struct GridThreadCall {
    std::function<HRESULT()> run;
    HRESULT result = E_FAIL;

    // The message the grid window answers by running the call; lParam is the call.
    static UINT Message()
    {
        static const UINT message = RegisterWindowMessage("TwDataGridThreadCall");
        return message;
    }
};

template <class... Interfaces>
class GridDispatchObject : public tw::com::DispatchObject<Interfaces...> {
    using Base = tw::com::DispatchObject<Interfaces...>;

public:
    HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override
    {
        const HWND window = owner_ ? owner_->Window() : nullptr;
        if (window && GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
            GridThreadCall call{[&] { return Base::Invoke(id, riid, lcid, flags, params, result, excepInfo, argErr); }};
            // Zero when the window went away meanwhile: then no thread paints the rows.
            if (SendMessage(window, GridThreadCall::Message(), 0, reinterpret_cast<LPARAM>(&call)))
                return call.result;
        }
        return Base::Invoke(id, riid, lcid, flags, params, result, excepInfo, argErr);
    }

protected:
    explicit GridDispatchObject(const GridModel* owner = nullptr) : owner_(owner) {}
    void SetOwner(const GridModel* owner) { owner_ = owner; }

private:
    // The model the object works on; it outlives the object (the derived
    // object holds it).
    const GridModel* owner_;
};

}  // namespace tw::grid
