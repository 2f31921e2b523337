#include "platform/ole/DropTargets.h"

#include <vector>

#include "platform/ole/ExternalTextDrop.h"

namespace tw::ole {

DropTargets& DropTargets::Instance()
{
    static DropTargets instance;
    return instance;
}

void DropTargets::PruneLocked()
{
    for (auto it = targets_.begin(); it != targets_.end();) {
        if (IsWindow(it->first)) {
            ++it;
            continue;
        }
        it->second->Release();
        it = targets_.erase(it);
    }
}

HRESULT DropTargets::Register(HWND hwnd, IDropTarget* target)
{
    if (!target)
        return E_INVALIDARG;
    if (!IsWindow(hwnd))
        return DRAGDROP_E_INVALIDHWND;
    if (tw::com::OleInitCount() == 0)
        return E_OUTOFMEMORY;
    std::lock_guard lock(mutex_);
    PruneLocked();
    if (targets_.count(hwnd))
        return DRAGDROP_E_ALREADYREGISTERED;
    target->AddRef();
    targets_[hwnd] = target;
    ExternalTextDrop::Install();
    return S_OK;
}

HRESULT DropTargets::Revoke(HWND hwnd)
{
    IDropTarget* target = nullptr;
    {
        std::lock_guard lock(mutex_);
        auto it = targets_.find(hwnd);
        if (it == targets_.end())
            return DRAGDROP_E_NOTREGISTERED;
        target = it->second;
        targets_.erase(it);
    }
    // Released outside the lock: the target's destruction may revoke others.
    target->Release();
    return S_OK;
}

IDropTarget* DropTargets::FindFor(HWND hwnd, HWND* owner)
{
    std::lock_guard lock(mutex_);
    for (HWND walk = hwnd; walk; walk = GetAncestor(walk, GA_PARENT)) {
        auto it = targets_.find(walk);
        if (it == targets_.end() || !IsWindow(walk))
            continue;
        it->second->AddRef();
        if (owner)
            *owner = walk;
        return it->second;
    }
    return nullptr;
}

}  // namespace tw::ole

HRESULT RegisterDragDrop(HWND hwnd, LPDROPTARGET pDropTarget)
{
    return tw::ole::DropTargets::Instance().Register(hwnd, pDropTarget);
}

HRESULT RevokeDragDrop(HWND hwnd)
{
    return tw::ole::DropTargets::Instance().Revoke(hwnd);
}
