#include "platform/display/InputQueue.h"

#include <chrono>

namespace tw::display {

void InputQueue::Push(InputEvent event)
{
    std::function<void()> listener;
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
        listener = pushListener_;
    }
    ready_.notify_all();
    if (listener)
        listener();
}

bool InputQueue::TryPop(InputEvent& out)
{
    std::lock_guard lock(mutex_);
    if (events_.empty())
        return false;
    out = std::move(events_.front());
    events_.pop_front();
    return true;
}

bool InputQueue::WaitForEvent(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    ready_.wait_for(lock, std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs),
                    [this] { return !events_.empty() || woken_; });
    woken_ = false;
    return !events_.empty();
}

void InputQueue::Wake()
{
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    ready_.notify_all();
}

bool InputQueue::Empty() const
{
    std::lock_guard lock(mutex_);
    return events_.empty();
}

void InputQueue::Clear()
{
    std::lock_guard lock(mutex_);
    events_.clear();
}

void InputQueue::SetPushListener(std::function<void()> listener)
{
    std::lock_guard lock(mutex_);
    pushListener_ = std::move(listener);
}

}  // namespace tw::display
