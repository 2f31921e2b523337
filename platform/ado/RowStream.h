// The rows of one forward-only result while the provider's thread still reads
// them: handed over a page at a time under a lock, with only a few pages
// waiting, so a slow reader holds the provider back instead of the process
// holding the whole result.
#pragma once

#include <condition_variable>
#include <mutex>
#include <deque>
#include <vector>

#include "platform/ado/Provider.h"
#include "platform/ado/Rowset.h"

namespace tw::ado {

class RowStream {
public:
    static constexpr size_t kWaitingPages = 4;

    // Provider side. Blocks while the reader is kWaitingPages behind; false
    // once the reader gave the result up (the rows are then dropped).
    bool Push(std::vector<Record> page);
    // The result has no more rows; `errors` are those of a row that could not
    // be read, which the reader meets when it moves onto the end.
    void Finish(std::vector<ProviderMessage> errors = {});

    // Reader side. The next page; false when the result has ended and every
    // page was taken, or it was given up. Blocks until one or the other.
    bool Next(std::vector<Record>& page);
    // Blocks until a page waits or the result has ended.
    void WaitForFirst();
    // Takes the errors that ended the result (once).
    std::vector<ProviderMessage> TakeErrors();
    // The reader wants no more rows: waiting pages go and later ones are dropped.
    void Abandon();
    // Another batch needs the connection: the provider no longer waits for
    // the reader, and the rest of the result is held until it is read.
    void Unbind();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<Record>> pages_;
    std::vector<ProviderMessage> errors_;
    bool finished_ = false;
    bool abandoned_ = false;
    bool unbound_ = false;
};

} // namespace tw::ado
