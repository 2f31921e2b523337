// The windows that take drops, each with its drop target.
#pragma once

#include <map>
#include <mutex>

#include "platform/ole/oleidl.h"

namespace tw::ole {

class DropTargets {
public:
    static DropTargets& Instance();

    HRESULT Register(HWND hwnd, IDropTarget* target);
    HRESULT Revoke(HWND hwnd);
    // The target of the window or of its nearest registered ancestor, with a
    // reference for the caller, and the window it belongs to; NULL when none.
    IDropTarget* FindFor(HWND hwnd, HWND* owner);

private:
    // Entries of windows that are gone, as the platform forgets them.
    void PruneLocked();

    std::mutex mutex_;
    std::map<HWND, IDropTarget*> targets_;
};

}  // namespace tw::ole
