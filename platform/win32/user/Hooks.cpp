#include "platform/win32/user/Hooks.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/win32/user/MessageQueue.h"

namespace tw::user {

namespace hooks_detail {

struct HookEntry {
    HHOOK handle;
    HOOKPROC proc;
    DWORD threadId;
    int kind;
};

std::mutex g_mutex;
std::vector<HookEntry> g_hooks;  // newest first
uintptr_t g_nextHandle = 0x7000;
thread_local HHOOK t_running = nullptr;  // the hook this thread is running now
thread_local int t_runningKind = 0;     // the kind of chain it belongs to

// The thread's hooks of one kind after `after` (or from the start), for CallNextHookEx.
HookEntry* NextFor(DWORD threadId, int kind, HHOOK after)
{
    auto it = g_hooks.begin();
    if (after) {
        it = std::find_if(g_hooks.begin(), g_hooks.end(), [&](const HookEntry& e) { return e.handle == after; });
        if (it == g_hooks.end())
            return nullptr;
        ++it;
    }
    it = std::find_if(it, g_hooks.end(), [&](const HookEntry& e) { return e.threadId == threadId && e.kind == kind; });
    return it == g_hooks.end() ? nullptr : &*it;
}

}  // namespace hooks_detail

Hooks& Hooks::Instance()
{
    static Hooks hooks;
    return hooks;
}

HHOOK Hooks::Install(int kind, HOOKPROC proc, DWORD threadId)
{
    namespace d = hooks_detail;
    if ((kind != WH_MOUSE && kind != WH_CBT) || !proc)
        return nullptr;
    std::lock_guard lock(d::g_mutex);
    HHOOK handle = reinterpret_cast<HHOOK>(d::g_nextHandle);
    d::g_nextHandle += 4;
    d::g_hooks.insert(d::g_hooks.begin(), d::HookEntry{handle, proc, threadId, kind});
    return handle;
}

bool Hooks::Remove(HHOOK hook)
{
    namespace d = hooks_detail;
    std::lock_guard lock(d::g_mutex);
    return std::erase_if(d::g_hooks, [&](const d::HookEntry& e) { return e.handle == hook; }) > 0;
}

LRESULT Hooks::CallMouseChain(int code, WPARAM message, MOUSEHOOKSTRUCT* info)
{
    return CallChain(WH_MOUSE, code, message, reinterpret_cast<LPARAM>(info));
}

LRESULT Hooks::CallCreateWindowChain(HWND hWnd, CBT_CREATEWND* info)
{
    return CallChain(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(info));
}

LRESULT Hooks::CallChain(int kind, int code, WPARAM wParam, LPARAM lParam)
{
    // A new chain starts at the newest hook, even when called from inside a hook
    // (a window created by a hook procedure runs the creation chain afresh).
    namespace d = hooks_detail;
    const HHOOK outer = d::t_running;
    const int outerKind = d::t_runningKind;
    d::t_running = nullptr;
    d::t_runningKind = kind;
    const LRESULT result = CallNext(nullptr, code, wParam, lParam);
    d::t_running = outer;
    d::t_runningKind = outerKind;
    return result;
}

// The hook handle callers pass is not trusted to say where the chain stands
// (the platform ignores it too): each thread remembers which hook runs now.
LRESULT Hooks::CallNext(HHOOK, int code, WPARAM wParam, LPARAM lParam)
{
    namespace d = hooks_detail;
    HOOKPROC proc = nullptr;
    HHOOK handle = nullptr;
    {
        std::lock_guard lock(d::g_mutex);
        d::HookEntry* next = d::NextFor(MessageQueue::CurrentThreadId(), d::t_runningKind, d::t_running);
        if (!next)
            return 0;
        proc = next->proc;
        handle = next->handle;
    }
    const HHOOK outer = d::t_running;
    d::t_running = handle;
    const LRESULT result = proc(code, wParam, lParam);
    d::t_running = outer;
    return result;
}

}  // namespace tw::user

HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId)
{
    // Global hooks (thread 0) reach other programs on the platform; here
    // there are none, so they are refused rather than half-honoured.
    if (dwThreadId == 0)
        return nullptr;
    return tw::user::Hooks::Instance().Install(idHook, lpfn, dwThreadId);
}

BOOL UnhookWindowsHookEx(HHOOK hhk)
{
    return tw::user::Hooks::Instance().Remove(hhk) ? TRUE : FALSE;
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam)
{
    return tw::user::Hooks::Instance().CallNext(hhk, nCode, wParam, lParam);
}
