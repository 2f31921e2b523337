// Sending, posting, reading and dispatching messages; timers; registered
// messages; the current-message information of each thread.
#include <vector>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/user/AtomTable.h"
#include "platform/win32/user/Hooks.h"
#include "platform/win32/user/InputRouter.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace message_api_detail {

// What GetMessagePos, GetMessageTime and GetMessageExtraInfo report: the
// last message this thread read.
struct CurrentMessage {
    DWORD time = 0;
    POINT pt{};
    LPARAM extraInfo = 0;
};
thread_local CurrentMessage t_current;

// Messages from other threads this thread is handling now (innermost last).
thread_local std::vector<SentMessage*> t_inbound;

struct Target {
    WNDPROC proc = nullptr;
    std::shared_ptr<MessageQueue> queue;
    bool sameThread = false;
};

bool FindTarget(HWND hwnd, Target& target)
{
    UserGuard guard(UserMutex());
    Window* window = Tree().Find(hwnd);
    if (!window || window == Tree().Desktop()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    target.proc = window->proc;
    target.queue = window->queue;
    target.sameThread = window->threadId == MessageQueue::CurrentThreadId();
    return true;
}

std::vector<HWND> TopLevelWindows()
{
    UserGuard guard(UserMutex());
    std::vector<HWND> result;
    for (Window* w : Tree().Desktop()->children)
        result.push_back(w->handle);
    return result;
}

void Remember(const MSG& msg)
{
    t_current.time = msg.time;
    t_current.pt = msg.pt;
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{hwnd, message, wParam, lParam, static_cast<DWORD>(tw::ProcessClock::NowMs()), {}};
    msg.pt = InputRouter::Instance().CursorPos();
    return msg;
}

}  // namespace message_api_detail

LRESULT CallWindowProcOf(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC proc = nullptr;
    {
        UserGuard guard(UserMutex());
        Window* window = Tree().Find(hwnd);
        if (!window || !window->proc)
            return 0;
        proc = window->proc;
    }
    return proc(hwnd, message, wParam, lParam);
}

void DeliverSentMessage(SentMessage& sent)
{
    namespace d = message_api_detail;
    d::t_inbound.push_back(&sent);
    const LRESULT result = CallWindowProcOf(sent.hwnd, sent.message, sent.wParam, sent.lParam);
    d::t_inbound.pop_back();
    MessageQueue::Reply(sent, result);
}

}  // namespace tw::user

using tw::user::MessageQueue;
using tw::user::SentMessage;

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeout(hWnd, Msg, wParam, lParam, SMTO_NORMAL, 0, &result);
    return static_cast<LRESULT>(result);
}

// uTimeout 0 from SendMessage means "wait as long as it takes". The sender
// always serves messages sent to it while it waits (no thread here hangs
// the way SMTO_ABORTIFHUNG guards against), so the flags change nothing.
LRESULT SendMessageTimeout(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout,
                           PDWORD_PTR lpdwResult)
{
    namespace d = tw::user::message_api_detail;
    if (lpdwResult)
        *lpdwResult = 0;
    if (hWnd == HWND_BROADCAST) {
        for (HWND top : d::TopLevelWindows())
            SendMessageTimeout(top, Msg, wParam, lParam, fuFlags, uTimeout, nullptr);
        return TRUE;
    }
    d::Target target;
    if (!d::FindTarget(hWnd, target))
        return 0;
    if (target.sameThread) {
        const LRESULT result = tw::user::CallWindowProcOf(hWnd, Msg, wParam, lParam);
        if (lpdwResult)
            *lpdwResult = static_cast<DWORD_PTR>(result);
        return TRUE;
    }
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hWnd;
    sent->message = Msg;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = MessageQueue::Current();
    if (!target.queue->PushSent(sent))
        return 0;
    std::optional<uint64_t> timeout;
    if (uTimeout != 0)
        timeout = uTimeout;
    if (!sent->sender->WaitForReply(sent, timeout)) {
        SetLastError(ERROR_TIMEOUT);
        return 0;
    }
    if (lpdwResult)
        *lpdwResult = static_cast<DWORD_PTR>(sent->result);
    return TRUE;
}

BOOL SendNotifyMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    namespace d = tw::user::message_api_detail;
    if (hWnd == HWND_BROADCAST) {
        for (HWND top : d::TopLevelWindows())
            SendNotifyMessage(top, Msg, wParam, lParam);
        return TRUE;
    }
    d::Target target;
    if (!d::FindTarget(hWnd, target))
        return FALSE;
    if (target.sameThread) {
        tw::user::CallWindowProcOf(hWnd, Msg, wParam, lParam);
        return TRUE;
    }
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hWnd;
    sent->message = Msg;
    sent->wParam = wParam;
    sent->lParam = lParam;
    return target.queue->PushSent(sent) ? TRUE : FALSE;
}

BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    namespace d = tw::user::message_api_detail;
    if (!hWnd)
        return MessageQueue::Current()->Post(d::MakeMessage(nullptr, Msg, wParam, lParam)) ? TRUE : FALSE;
    if (hWnd == HWND_BROADCAST) {
        for (HWND top : d::TopLevelWindows())
            PostMessage(top, Msg, wParam, lParam);
        return TRUE;
    }
    d::Target target;
    if (!d::FindTarget(hWnd, target))
        return FALSE;
    return target.queue->Post(d::MakeMessage(hWnd, Msg, wParam, lParam)) ? TRUE : FALSE;
}

BOOL PostThreadMessage(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    namespace d = tw::user::message_api_detail;
    auto queue = MessageQueue::ForThread(idThread);
    if (!queue) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return queue->Post(d::MakeMessage(nullptr, Msg, wParam, lParam)) ? TRUE : FALSE;
}

void PostQuitMessage(int nExitCode)
{
    MessageQueue::Current()->PostQuit(nExitCode);
}

BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    MSG msg{};
    MessageQueue::Current()->Read(&msg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE, true);
    tw::user::message_api_detail::Remember(msg);
    if (lpMsg)
        *lpMsg = msg;
    return msg.message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    MSG msg{};
    if (!MessageQueue::Current()->Read(&msg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg, false))
        return FALSE;
    tw::user::message_api_detail::Remember(msg);
    if (lpMsg)
        *lpMsg = msg;
    return TRUE;
}

BOOL WaitMessage()
{
    MessageQueue::Current()->WaitForNewMessage();
    return TRUE;
}

// What is waiting, in both halves: this queue does not tell "new since the
// last call" apart from "waiting", so both say what is there now.
DWORD GetQueueStatus(UINT flags)
{
    const DWORD status = MessageQueue::Current()->Status(flags);
    return MAKELONG(status, status);
}

LRESULT DispatchMessage(const MSG* lpMsg)
{
    if (!lpMsg)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        // Only a procedure this thread registered for that timer is called,
        // never an arbitrary address that arrived in a posted message.
        auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        if (!MessageQueue::Current()->IsTimerProc(lpMsg->hwnd, lpMsg->wParam, proc))
            return 0;
        proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        return 0;
    }
    if (!lpMsg->hwnd)
        return 0;
    const LRESULT result = tw::user::CallWindowProcOf(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    if (lpMsg->message == WM_PAINT) {
        tw::user::UserGuard guard(tw::user::UserMutex());
        if (tw::user::Window* window = tw::user::Tree().Find(lpMsg->hwnd))
            window->internalPaint = false;
    }
    return result;
}

BOOL InSendMessage()
{
    const auto& inbound = tw::user::message_api_detail::t_inbound;
    return !inbound.empty() && inbound.back()->sender ? TRUE : FALSE;
}

DWORD InSendMessageEx(LPVOID)
{
    const auto& inbound = tw::user::message_api_detail::t_inbound;
    if (inbound.empty())
        return ISMEX_NOSEND;
    const SentMessage* sent = inbound.back();
    if (!sent->sender)
        return ISMEX_NOTIFY;
    return sent->replied ? (ISMEX_SEND | ISMEX_REPLIED) : ISMEX_SEND;
}

BOOL ReplyMessage(LRESULT lResult)
{
    auto& inbound = tw::user::message_api_detail::t_inbound;
    if (inbound.empty() || !inbound.back()->sender)
        return FALSE;
    MessageQueue::Reply(*inbound.back(), lResult);
    return TRUE;
}

UINT RegisterWindowMessage(LPCSTR lpString)
{
    return tw::user::AtomTable::Instance().Register(lpString);
}

DWORD GetMessagePos()
{
    const POINT pt = tw::user::message_api_detail::t_current.pt;
    return static_cast<DWORD>(MAKELONG(pt.x, pt.y));
}

LONG GetMessageTime()
{
    return static_cast<LONG>(tw::user::message_api_detail::t_current.time);
}

LPARAM GetMessageExtraInfo()
{
    return tw::user::message_api_detail::t_current.extraInfo;
}

LPARAM SetMessageExtraInfo(LPARAM lParam)
{
    auto& current = tw::user::message_api_detail::t_current;
    const LPARAM previous = current.extraInfo;
    current.extraInfo = lParam;
    return previous;
}

namespace tw::user {
void SetCurrentMessageExtraInfo(LPARAM extra)
{
    message_api_detail::t_current.extraInfo = extra;
}
}  // namespace tw::user

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    if (!hWnd)
        return MessageQueue::Current()->SetTimer(nullptr, nIDEvent, uElapse, lpTimerFunc);
    std::shared_ptr<MessageQueue> queue;
    {
        tw::user::UserGuard guard(tw::user::UserMutex());
        tw::user::Window* window = tw::user::Tree().Find(hWnd);
        // A window's timers run on its own thread; another thread may not set them.
        if (!window || window->threadId != MessageQueue::CurrentThreadId())
            return 0;
        queue = window->queue;
    }
    return queue->SetTimer(hWnd, nIDEvent, uElapse, lpTimerFunc);
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    return MessageQueue::Current()->KillTimer(hWnd, uIDEvent) ? TRUE : FALSE;
}
