#include "platform/win32/user/MessageQueue.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Threads.h"
#include "platform/win32/user/UserInternal.h"

namespace tw::user {

namespace message_queue_detail {

std::mutex& RegistryMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<DWORD, std::weak_ptr<MessageQueue>>& Registry()
{
    static std::map<DWORD, std::weak_ptr<MessageQueue>> registry;
    return registry;
}

// Ends the queue with its thread, so threads waiting on a reply from it go on.
struct QueueHolder {
    std::shared_ptr<MessageQueue> queue;
    ~QueueHolder()
    {
        if (queue)
            queue->Shutdown();
    }
};

thread_local QueueHolder t_holder;

void ListenToClockOnce()
{
    static const int listener = tw::ProcessClock::AddAdvanceListener([] { MessageQueue::WakeAll(); });
    (void)listener;
}

bool IsInRange(UINT message, UINT first, UINT last)
{
    if (first == 0 && last == 0)
        return true;
    return message >= first && message <= last;
}

bool IsKeyboardInput(const RawInput& input)
{
    return input.kind == RawInput::Kind::Key || input.kind == RawInput::Kind::Char;
}

bool RawInputInRange(const RawInput& input, UINT first, UINT last)
{
    if (first == 0 && last == 0)
        return true;
    if (IsKeyboardInput(input))
        return first <= WM_KEYLAST && last >= WM_KEYFIRST;
    return (first <= WM_MOUSELAST && last >= WM_MOUSEFIRST) || (first <= WM_NCMBUTTONDBLCLK && last >= WM_NCMOUSEMOVE);
}

}  // namespace message_queue_detail


DWORD MessageQueue::CurrentThreadId()
{
    return ::GetCurrentThreadId();
}

std::shared_ptr<MessageQueue> MessageQueue::Current()
{
    if (!message_queue_detail::t_holder.queue) {
        message_queue_detail::ListenToClockOnce();
        message_queue_detail::t_holder.queue = std::make_shared<MessageQueue>(CurrentThreadId());
        std::lock_guard lock(message_queue_detail::RegistryMutex());
        message_queue_detail::Registry()[message_queue_detail::t_holder.queue->ThreadId()] = message_queue_detail::t_holder.queue;
    }
    return message_queue_detail::t_holder.queue;
}

std::shared_ptr<MessageQueue> MessageQueue::CurrentIfAny()
{
    return message_queue_detail::t_holder.queue;
}

std::shared_ptr<MessageQueue> MessageQueue::ForThread(DWORD threadId)
{
    std::lock_guard lock(message_queue_detail::RegistryMutex());
    const auto it = message_queue_detail::Registry().find(threadId);
    return it == message_queue_detail::Registry().end() ? nullptr : it->second.lock();
}

void MessageQueue::WakeAll()
{
    std::vector<std::shared_ptr<MessageQueue>> queues;
    {
        std::lock_guard lock(message_queue_detail::RegistryMutex());
        for (auto& [id, weak] : message_queue_detail::Registry()) {
            if (auto queue = weak.lock())
                queues.push_back(queue);
        }
    }
    for (auto& queue : queues) {
        std::lock_guard lock(queue->mutex_);
        ++queue->wakeCount_;
        queue->wake_.notify_all();
    }
}

bool MessageQueue::IsAlive() const
{
    std::lock_guard lock(mutex_);
    return alive_;
}

bool MessageQueue::Post(const MSG& msg)
{
    std::lock_guard lock(mutex_);
    if (!alive_)
        return false;
    posted_.push_back(msg);
    ++wakeCount_;
    wake_.notify_all();
    return true;
}

void MessageQueue::PostFront(const MSG& msg)
{
    std::lock_guard lock(mutex_);
    posted_.push_front(msg);
    ++wakeCount_;
    wake_.notify_all();
}

void MessageQueue::PostInput(const RawInput& input)
{
    std::lock_guard lock(mutex_);
    if (!alive_)
        return;
    // Mouse moves are a state, not a stream: only the latest position counts.
    if (input.kind == RawInput::Kind::MouseMove && !input_.empty() &&
        input_.back().kind == RawInput::Kind::MouseMove && input_.back().target == input.target) {
        input_.back() = input;
    } else {
        input_.push_back(input);
    }
    ++wakeCount_;
    wake_.notify_all();
}

void MessageQueue::PostQuit(int exitCode)
{
    std::lock_guard lock(mutex_);
    quit_ = true;
    quitCode_ = exitCode;
    ++wakeCount_;
    wake_.notify_all();
}

bool MessageQueue::PushSent(const std::shared_ptr<SentMessage>& sent)
{
    std::lock_guard lock(mutex_);
    if (!alive_)
        return false;
    sent_.push_back(sent);
    ++wakeCount_;
    wake_.notify_all();
    return true;
}

void MessageQueue::Reply(SentMessage& sent, LRESULT result)
{
    if (!sent.sender)
        return;
    std::lock_guard lock(sent.sender->mutex_);
    if (sent.replied)
        return;
    sent.result = result;
    sent.replied = true;
    ++sent.sender->wakeCount_;
    sent.sender->wake_.notify_all();
}

std::shared_ptr<SentMessage> MessageQueue::PopSent()
{
    std::lock_guard lock(mutex_);
    if (sent_.empty())
        return nullptr;
    auto sent = sent_.front();
    sent_.pop_front();
    return sent;
}

bool MessageQueue::ProcessSentMessages()
{
    bool any = false;
    while (auto sent = PopSent()) {
        DeliverSentMessage(*sent);
        any = true;
    }
    return any;
}

bool MessageQueue::WaitForReply(const std::shared_ptr<SentMessage>& sent, std::optional<uint64_t> timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs.value_or(0));
    for (;;) {
        ProcessSentMessages();
        std::unique_lock lock(mutex_);
        if (sent->replied)
            return true;
        auto ready = [&] { return sent->replied || !sent_.empty(); };
        if (!timeoutMs) {
            wake_.wait(lock, ready);
        } else if (!wake_.wait_until(lock, deadline, ready)) {
            return false;
        }
        if (sent->replied)
            return true;
    }
}

bool MessageQueue::Matches(UINT message, HWND msgHwnd, HWND filter, UINT first, UINT last)
{
    if (filter == reinterpret_cast<HWND>(-1) && msgHwnd)
        return false;
    if (filter && filter != reinterpret_cast<HWND>(-1) && msgHwnd != filter)
        return false;
    return message_queue_detail::IsInRange(message, first, last);
}

bool MessageQueue::TakePosted(MSG* msg, HWND filter, UINT first, UINT last, bool remove)
{
    std::lock_guard lock(mutex_);
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (!Matches(it->message, it->hwnd, filter, first, last))
            continue;
        *msg = *it;
        if (remove)
            posted_.erase(it);
        return true;
    }
    return false;
}

bool MessageQueue::TakeInput(MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool* ate)
{
    namespace d = message_queue_detail;
    for (;;) {
        // Read before taking the queue's lock: finding the focus takes the window tree's.
        const HWND keyTarget = KeyboardInputTarget(threadId_);
        const auto boundTarget = [&](const RawInput& in) {
            return d::IsKeyboardInput(in) && keyTarget ? keyTarget : in.target;
        };
        RawInput input;
        RawInput unbound;
        {
            std::lock_guard lock(mutex_);
            auto it = std::find_if(input_.begin(), input_.end(), [&](const RawInput& in) {
                return d::RawInputInRange(in, first, last) &&
                       (!filter || filter == reinterpret_cast<HWND>(-1) ? filter == nullptr
                                                                         : boundTarget(in) == filter);
            });
            if (it == input_.end())
                return false;
            unbound = *it;
            input_.erase(it);
        }
        input = unbound;
        input.target = boundTarget(unbound);
        MSG translated{};
        if (!TranslateRawInput(input, &translated, remove)) {
            *ate = true;
            continue;
        }
        if (!remove) {
            std::lock_guard lock(mutex_);
            input_.push_front(unbound);  // bound again when it is taken for good
        }
        *msg = translated;
        return true;
    }
}

bool MessageQueue::TakeTimer(MSG* msg, HWND filter, UINT first, UINT last, bool remove)
{
    const uint64_t now = tw::ProcessClock::NowMs();
    std::lock_guard lock(mutex_);
    Timer* earliest = nullptr;
    for (Timer& timer : timers_) {
        if (timer.due > now || !Matches(WM_TIMER, timer.hwnd, filter, first, last))
            continue;
        if (!earliest || timer.due < earliest->due)
            earliest = &timer;
    }
    if (!earliest)
        return false;
    *msg = MSG{earliest->hwnd, WM_TIMER, earliest->id, reinterpret_cast<LPARAM>(earliest->proc),
               static_cast<DWORD>(now), {}};
    // Coalesced: however late the read, one message, and the next one elapse after it.
    if (remove)
        earliest->due = now + earliest->elapse;
    return true;
}

bool MessageQueue::TakeHover(MSG* msg, HWND filter, UINT first, UINT last, bool remove)
{
    const uint64_t now = tw::ProcessClock::NowMs();
    std::lock_guard lock(mutex_);
    if (!(tracking_.flags & TME_HOVER) || !tracking_.hwnd || tracking_.hoverDue > now)
        return false;
    const UINT message = (tracking_.flags & TME_NONCLIENT) ? 0x02A0 /* WM_NCMOUSEHOVER */ : WM_MOUSEHOVER;
    if (!Matches(message, tracking_.hwnd, filter, first, last))
        return false;
    *msg = MSG{tracking_.hwnd, message, 0, MAKELPARAM(tracking_.hoverPoint.x, tracking_.hoverPoint.y),
               static_cast<DWORD>(now), {}};
    if (remove)
        tracking_.flags &= ~TME_HOVER;  // hover fires once per request
    return true;
}

uint64_t MessageQueue::NextDeadlineLocked() const
{
    uint64_t next = UINT64_MAX;
    for (const Timer& timer : timers_)
        next = std::min(next, timer.due);
    if ((tracking_.flags & TME_HOVER) && tracking_.hwnd)
        next = std::min(next, tracking_.hoverDue);
    return next;
}

void MessageQueue::WaitLocked(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready)
{
    lock.unlock();
    const uint64_t idleDeadline = IdleDeadline();
    const int maxRealWait = MaxRealWaitMs();
    lock.lock();
    const uint64_t deadline = std::min(NextDeadlineLocked(), idleDeadline);
    std::chrono::milliseconds limit = std::chrono::milliseconds::max();
    // A frozen clock only moves by Advance, whose listener wakes us.
    if (deadline != UINT64_MAX && !tw::ProcessClock::IsFrozen()) {
        const uint64_t now = tw::ProcessClock::NowMs();
        if (deadline <= now)
            return;
        limit = std::chrono::milliseconds(deadline - now);
    }
    if (maxRealWait >= 0)
        limit = std::min(limit, std::chrono::milliseconds(maxRealWait));
    if (limit == std::chrono::milliseconds::max())
        wake_.wait(lock, ready);
    else
        wake_.wait_for(lock, limit, ready);
}

bool MessageQueue::Read(MSG* msg, HWND filter, UINT first, UINT last, UINT removeFlags, bool wait)
{
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    for (;;) {
        uint64_t seen;
        {
            std::lock_guard lock(mutex_);
            seen = wakeCount_;
        }
        ProcessSentMessages();
        IdleWork(false);
        if (TakePosted(msg, filter, first, last, remove))
            return true;
        bool ate = false;
        if (TakeInput(msg, filter, first, last, remove, &ate))
            return true;
        if (ate)
            continue;  // more input may be waiting behind what was eaten
        {
            std::lock_guard lock(mutex_);
            if (quit_) {
                if (remove)
                    quit_ = false;
                // A program that could not write the screenshot it was asked for ends with an error.
                const int code = quitCode_ == 0 && tw::display::Display::ScreenshotFailed() ? 1 : quitCode_;
                *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(code), 0,
                           static_cast<DWORD>(tw::ProcessClock::NowMs()), {}};
                return true;
            }
        }
        if (message_queue_detail::IsInRange(WM_PAINT, first, last) && filter != reinterpret_cast<HWND>(-1)) {
            if (HWND hwnd = FindWindowToPaint(threadId_, filter)) {
                *msg = MSG{hwnd, WM_PAINT, 0, 0, static_cast<DWORD>(tw::ProcessClock::NowMs()), {}};
                return true;
            }
        }
        if (TakeTimer(msg, filter, first, last, remove) || TakeHover(msg, filter, first, last, remove))
            return true;
        if (!wait)
            return false;
        IdleWork(true);
        std::unique_lock lock(mutex_);
        WaitLocked(lock, [&] { return wakeCount_ != seen; });
    }
}

void MessageQueue::WaitForNewMessage()
{
    std::unique_lock lock(mutex_);
    if (!sent_.empty() || !posted_.empty() || !input_.empty() || quit_)
        return;
    const uint64_t seen = wakeCount_;
    WaitLocked(lock, [&] { return wakeCount_ != seen; });
}

DWORD MessageQueue::Status(UINT flags)
{
    const uint64_t now = tw::ProcessClock::NowMs();
    const bool paint = FindWindowToPaint(threadId_, nullptr) != nullptr;
    std::lock_guard lock(mutex_);
    DWORD status = paint ? QS_PAINT : 0;
    if (!sent_.empty())
        status |= QS_SENDMESSAGE;
    if (!posted_.empty() || quit_)
        status |= QS_POSTMESSAGE;
    for (const RawInput& in : input_) {
        if (message_queue_detail::IsKeyboardInput(in))
            status |= QS_KEY;
        else if (in.kind == RawInput::Kind::MouseMove)
            status |= QS_MOUSEMOVE;
        else
            status |= QS_MOUSEBUTTON;
    }
    if (std::any_of(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.due <= now; }))
        status |= QS_TIMER;
    return status & flags;
}

void MessageQueue::Wake()
{
    std::lock_guard lock(mutex_);
    ++wakeCount_;
    wake_.notify_all();
}

UINT_PTR MessageQueue::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    // The platform raises too-small periods to its minimum.
    elapse = std::max<UINT>(elapse, 10);
    std::lock_guard lock(mutex_);
    if (!hwnd) {
        auto existing = std::find_if(timers_.begin(), timers_.end(),
                                     [&](const Timer& t) { return !t.hwnd && t.id == id && id != 0; });
        if (existing == timers_.end()) {
            id = nextThreadTimerId_++;
            timers_.push_back(Timer{nullptr, id, elapse, 0, proc});
            existing = timers_.end() - 1;
        }
        existing->elapse = elapse;
        existing->proc = proc;
        existing->due = tw::ProcessClock::NowMs() + elapse;
        ++wakeCount_;
        wake_.notify_all();
        return id;
    }
    auto existing =
        std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (existing == timers_.end()) {
        timers_.push_back(Timer{hwnd, id, elapse, 0, proc});
        existing = timers_.end() - 1;
    }
    existing->elapse = elapse;
    existing->proc = proc;
    existing->due = tw::ProcessClock::NowMs() + elapse;
    ++wakeCount_;
    wake_.notify_all();
    return id == 0 ? 1 : id;
}

bool MessageQueue::KillTimer(HWND hwnd, UINT_PTR id)
{
    std::lock_guard lock(mutex_);
    const auto removed = std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    // A WM_TIMER already read but not yet handled stays valid only while the timer exists.
    std::erase_if(posted_, [&](const MSG& m) { return m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id; });
    return removed > 0;
}

void MessageQueue::KillTimersOf(HWND hwnd)
{
    std::lock_guard lock(mutex_);
    std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
}

bool MessageQueue::IsTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc)
{
    std::lock_guard lock(mutex_);
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const Timer& t) { return t.hwnd == hwnd && t.id == id && t.proc == proc; });
}

void MessageQueue::SetTracking(const MouseTracking& tracking)
{
    std::lock_guard lock(mutex_);
    tracking_ = tracking;
    ++wakeCount_;
    wake_.notify_all();
}

MouseTracking MessageQueue::Tracking()
{
    std::lock_guard lock(mutex_);
    return tracking_;
}

void MessageQueue::DropPostedFor(HWND hwnd)
{
    std::lock_guard lock(mutex_);
    std::erase_if(posted_, [&](const MSG& m) { return m.hwnd == hwnd; });
    // Keys stay: they go to whichever window has the focus when they are read.
    std::erase_if(input_, [&](const RawInput& in) {
        return !message_queue_detail::IsKeyboardInput(in) && in.target == hwnd;
    });
    std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
    if (tracking_.hwnd == hwnd)
        tracking_ = MouseTracking{};
}

void MessageQueue::Shutdown()
{
    std::deque<std::shared_ptr<SentMessage>> pending;
    {
        std::lock_guard lock(mutex_);
        alive_ = false;
        pending.swap(sent_);
    }
    for (auto& sent : pending)
        Reply(*sent, 0);
    ForgetThreadWindows(threadId_);
    std::lock_guard lock(message_queue_detail::RegistryMutex());
    message_queue_detail::Registry().erase(threadId_);
}

}  // namespace tw::user
