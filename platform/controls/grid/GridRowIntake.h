// Rows appended from a thread other than the grid window's. A fetch worker
// appends row after row; handing each one to the window's thread and waiting
// for it would cost a thread switch per row, so rows are packed here under a
// short lock and the window's thread moves them into the dataset, in order,
// before it does anything else with the grid.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/ComSupport.h"

namespace tw::grid {

class GridRowIntake {
public:
    // What a row must fit to be taken here: the window's thread states it
    // after each call it runs, so the caller's checks see the grid as it was.
    struct Shape {
        bool open = false;
        bool bound = false;
        int fieldCount = 0;
    };
    void Publish(const Shape& shape);

    enum class Offer { Taken, TakenFirst, Refused };
    // Any thread: packs a one-dimensional array of VARIANTs, each a string,
    // null or empty. Refused when the grid would refuse the row or a value
    // needs the ordinary conversion; then nothing was taken. TakenFirst when
    // the intake was empty before: the window's thread must be told.
    Offer Take(const VARIANT& record);

    bool Pending() const { return pending_.load(std::memory_order_acquire); }
    // One wake-up message at a time: a worker that took a row posts one only
    // when ClaimWake answers true; the window's thread calls WakeHandled as
    // the message arrives, before it drains, so no row is left unannounced.
    bool ClaimWake() { return !wakePosted_.exchange(true, std::memory_order_acq_rel); }
    void WakeHandled() { wakePosted_.store(false, std::memory_order_release); }
    // The window's thread: hands each waiting row to `append`, oldest first;
    // answers how many.
    template <class Append>
    size_t Drain(Append&& append);

private:
    struct Batch {
        std::string text;
        // Per cell the end of its text, the top bit marking null.
        std::vector<uint32_t> cellEnds;
        std::vector<uint32_t> rowEnds; // per row the end of its cells
    };
    static constexpr uint32_t kNull = 0x80000000u;

    std::mutex mutex_;
    Shape shape_;
    Batch waiting_;
    Batch draining_; // kept for its capacity between drains
    std::atomic<bool> pending_{false};
    std::atomic<bool> wakePosted_{false};
};

template <class Append>
size_t GridRowIntake::Drain(Append&& append)
{
    if (!Pending())
        return 0;
    {
        std::lock_guard lock(mutex_);
        std::swap(waiting_, draining_);
        pending_.store(false, std::memory_order_release);
    }
    std::vector<std::optional<std::string_view>> cells;
    uint32_t cell = 0, textStart = 0;
    for (uint32_t rowEnd : draining_.rowEnds) {
        cells.clear();
        for (; cell < rowEnd; ++cell) {
            const uint32_t end = draining_.cellEnds[cell] & ~kNull;
            if (draining_.cellEnds[cell] & kNull)
                cells.emplace_back(std::nullopt);
            else
                cells.emplace_back(std::string_view(draining_.text).substr(textStart, end - textStart));
            textStart = end;
        }
        append(cells);
    }
    const size_t rows = draining_.rowEnds.size();
    draining_.text.clear();
    draining_.cellEnds.clear();
    draining_.rowEnds.clear();
    return rows;
}

}  // namespace tw::grid
