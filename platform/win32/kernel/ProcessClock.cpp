#include "platform/win32/kernel/ProcessClock.h"

#include <chrono>
#include <map>
#include <mutex>

namespace tw {
namespace {

using Steady = std::chrono::steady_clock;

struct ClockState {
    std::mutex mutex;
    Steady::time_point start = Steady::now();
    // Real time is followed as start + elapsed + offset; offset keeps the clock
    // monotonic across freeze and resume.
    int64_t offsetMs = 0;
    bool frozen = false;
    uint64_t frozenMs = 0;
    int nextListener = 1;
    std::map<int, std::function<void()>> listeners;

    uint64_t RealMs() const
    {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start).count();
        return static_cast<uint64_t>(elapsed + offsetMs);
    }
};

ClockState& State()
{
    static ClockState state;
    return state;
}

}  // namespace

uint64_t ProcessClock::NowMs()
{
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    return s.frozen ? s.frozenMs : s.RealMs();
}

void ProcessClock::Freeze()
{
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    if (s.frozen)
        return;
    s.frozenMs = s.RealMs();
    s.frozen = true;
}

void ProcessClock::Advance(uint64_t ms)
{
    std::map<int, std::function<void()>> listeners;
    {
        ClockState& s = State();
        std::lock_guard lock(s.mutex);
        if (!s.frozen)
            return;
        s.frozenMs += ms;
        listeners = s.listeners;
    }
    for (auto& [id, listener] : listeners)
        listener();
}

void ProcessClock::Resume()
{
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    if (!s.frozen)
        return;
    s.frozen = false;
    s.offsetMs += static_cast<int64_t>(s.frozenMs) - static_cast<int64_t>(s.RealMs());
}

bool ProcessClock::IsFrozen()
{
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    return s.frozen;
}

int ProcessClock::AddAdvanceListener(std::function<void()> listener)
{
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    const int id = s.nextListener++;
    s.listeners.emplace(id, std::move(listener));
    return id;
}

void ProcessClock::RemoveAdvanceListener(int id)
{
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    s.listeners.erase(id);
}

}  // namespace tw

DWORD GetTickCount()
{
    return static_cast<DWORD>(tw::ProcessClock::NowMs());
}

ULONGLONG GetTickCount64()
{
    return tw::ProcessClock::NowMs();
}
