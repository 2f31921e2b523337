// A thread-safe queue of input events between the backend (or a test) and
// the window layer, which pulls from it in its message loop.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/display/InputEvent.h"

namespace tw::display {

class InputQueue {
public:
    void Push(InputEvent event);
    bool TryPop(InputEvent& out);
    // Waits until an event is queued, Wake is called, or timeoutMs passes
    // (real time); true when an event is waiting.
    bool WaitForEvent(int timeoutMs);
    void Wake();
    bool Empty() const;
    void Clear();
    // Called (on the pushing thread) after every Push, so a waiting message
    // loop on another thread can be woken.
    void SetPushListener(std::function<void()> listener);

private:
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<InputEvent> events_;
    std::function<void()> pushListener_;
    bool woken_ = false;
};

}  // namespace tw::display
