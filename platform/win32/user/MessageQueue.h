// The message queue of one thread: messages sent from other threads, posted
// messages, raw input waiting to become mouse and keyboard messages, the quit
// flag and the thread's timers. WM_PAINT, WM_TIMER and mouse moves are
// generated when the queue is read, never stored, as the platform does.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/win32/user/winuser.h"

namespace tw::user {

class MessageQueue;

// A message sent to a window of another thread.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::shared_ptr<MessageQueue> sender;  // null when no one waits (SendNotifyMessage)
    bool replied = false;                  // guarded by the sender's mutex
    LRESULT result = 0;
};

// Input as the screen reports it, turned into a message by the thread that reads it.
struct RawInput {
    // Char: one byte of typed text that no key makes on the US layout.
    enum class Kind { MouseMove, MouseButton, MouseWheel, Key, Char };
    Kind kind = Kind::MouseMove;
    POINT pt{};          // screen position of the mouse
    int button = 0;      // 0 left, 1 right, 2 middle
    bool down = false;   // button or key pressed
    int wheelDelta = 0;
    UINT vk = 0;
    UINT scanCode = 0;
    BYTE charByte = 0;  // Char: the UTF-8 byte, sent as one WM_CHAR
    bool extended = false;
    bool repeat = false;
    DWORD time = 0;
    ULONG_PTR extraInfo = 0;
    WPARAM keys = 0;  // MK_ flags when the input arrived
    bool altDown = false;   // modifier keys when the input arrived
    bool ctrlDown = false;
    // Mouse: chosen when the input arrived. Keyboard: the focus when the
    // input arrived, a fallback only; the reading thread binds keys to its
    // focus at the moment it takes them, so keys typed after a Tab reach the
    // control the Tab moved to.
    HWND target = nullptr;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    uint64_t due = 0;
    TIMERPROC proc = nullptr;
};

// Mouse tracking requested by TrackMouseEvent.
struct MouseTracking {
    HWND hwnd = nullptr;
    DWORD flags = 0;
    DWORD hoverTime = 0;
    uint64_t hoverDue = 0;
    POINT hoverPoint{};
};

class MessageQueue : public std::enable_shared_from_this<MessageQueue> {
public:
    explicit MessageQueue(DWORD threadId) : threadId_(threadId) {}

    static std::shared_ptr<MessageQueue> Current();
    static std::shared_ptr<MessageQueue> CurrentIfAny();
    static std::shared_ptr<MessageQueue> ForThread(DWORD threadId);
    static DWORD CurrentThreadId();
    static void WakeAll();

    DWORD ThreadId() const { return threadId_; }
    bool IsAlive() const;

    bool Post(const MSG& msg);
    void PostFront(const MSG& msg);
    void PostInput(const RawInput& input);
    void PostQuit(int exitCode);
    bool PushSent(const std::shared_ptr<SentMessage>& sent);

    // Sender side: waits for the reply, serving messages sent to this thread
    // meanwhile. Returns false on timeout or when the receiver went away.
    bool WaitForReply(const std::shared_ptr<SentMessage>& sent, std::optional<uint64_t> timeoutMs);
    static void Reply(SentMessage& sent, LRESULT result);

    // Receiver side: handles every message other threads sent. Returns whether any was handled.
    bool ProcessSentMessages();

    // GetMessage and PeekMessage. Returns false when nothing matched and wait is false.
    bool Read(MSG* msg, HWND filter, UINT first, UINT last, UINT removeFlags, bool wait);
    DWORD Status(UINT flags);
    void WaitForNewMessage();
    void Wake();

    UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
    bool KillTimer(HWND hwnd, UINT_PTR id);
    void KillTimersOf(HWND hwnd);
    bool IsTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc);

    void SetTracking(const MouseTracking& tracking);
    MouseTracking Tracking();
    void DropPostedFor(HWND hwnd);

    void Shutdown();

private:
    static bool Matches(UINT message, HWND msgHwnd, HWND filter, UINT first, UINT last);
    bool TakePosted(MSG* msg, HWND filter, UINT first, UINT last, bool remove);
    bool TakeInput(MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool* ate);
    bool TakeTimer(MSG* msg, HWND filter, UINT first, UINT last, bool remove);
    bool TakeHover(MSG* msg, HWND filter, UINT first, UINT last, bool remove);
    std::shared_ptr<SentMessage> PopSent();
    uint64_t NextDeadlineLocked() const;
    void WaitLocked(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready);

    const DWORD threadId_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<SentMessage>> sent_;
    std::deque<MSG> posted_;
    std::deque<RawInput> input_;
    std::vector<Timer> timers_;
    MouseTracking tracking_;
    bool quit_ = false;
    int quitCode_ = 0;
    bool alive_ = true;
    uint64_t wakeCount_ = 0;
    UINT_PTR nextThreadTimerId_ = 1;
};

}  // namespace tw::user
