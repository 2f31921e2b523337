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

    // The message the grid window answers by running the call; lParam is the
    // call, or null when rows wait in the model's intake.
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
            if (TakeOffThread(id, flags, params, window)) {
                if (result)
                    VariantInit(result);
                return S_OK;
            }
            GridThreadCall call{[&] { return RunHere(id, riid, lcid, flags, params, result, excepInfo, argErr); }};
            // Zero when the window went away meanwhile: then no thread paints the rows.
            if (SendMessage(window, GridThreadCall::Message(), 0, reinterpret_cast<LPARAM>(&call)))
                return call.result;
        }
        return RunHere(id, riid, lcid, flags, params, result, excepInfo, argErr);
    }

protected:
    explicit GridDispatchObject(GridModel* owner = nullptr) : owner_(owner) {}
    void SetOwner(GridModel* owner) { owner_ = owner; }
    GridModel* Owner() const { return owner_; }

    // A call from another thread that needs no answer from the window's
    // thread may be taken where it is made; true when it was.
    virtual bool TakeOffThread(DISPID, WORD, DISPPARAMS*, HWND) { return false; }

private:
    // Rows other threads appended come first, so every call sees them.
    HRESULT RunHere(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                    EXCEPINFO* excepInfo, UINT* argErr)
    {
        if (owner_)
            owner_->TakeIntake();
        const HRESULT hr = Base::Invoke(id, riid, lcid, flags, params, result, excepInfo, argErr);
        if (owner_)
            owner_->PublishShape();
        return hr;
    }

    // The model the object works on; it outlives the object (the derived
    // object holds it).
    GridModel* owner_;
};

}  // namespace tw::grid
