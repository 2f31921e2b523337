// The one process clock: monotonic milliseconds since the process started,
// behind GetTickCount, message times, timers, caret blinking and the
// program's own elapsed-time measures. Tests may freeze it and move it by hand,
// so timing behaviour is exact and never flakes.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/win32/windef.h"

namespace tw {

class ProcessClock {
public:
    // Milliseconds since the process started (or the frozen reading).
    static uint64_t NowMs();

    // Test API. Freeze stops the clock at its current reading; Advance moves a
    // frozen clock forward and wakes every waiter; Resume follows real time
    // again from the frozen reading on (the clock never goes back).
    static void Freeze();
    static void Advance(uint64_t ms);
    static void Resume();
    static bool IsFrozen();

    // Called (on the advancing thread) after every Advance, so that waits on
    // the clock (message queues with timers) can look again.
    static int AddAdvanceListener(std::function<void()> listener);
    static void RemoveAdvanceListener(int id);
};

}  // namespace tw

DWORD GetTickCount();
ULONGLONG GetTickCount64();
