#include "platform/server/BatchRecorder.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace tw::server {

namespace batch_recorder_detail {

// One lock guards the list of live recorders and what each holds.
std::mutex& RecorderMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<BatchRecorder*>& LiveRecorders()
{
    static std::vector<BatchRecorder*> recorders;
    return recorders;
}

// Lets a session skip the lock when nobody listens.
std::atomic<int> g_liveCount{0};

} // namespace batch_recorder_detail

using namespace batch_recorder_detail;

BatchRecorder::BatchRecorder()
{
    std::lock_guard lock(RecorderMutex());
    LiveRecorders().push_back(this);
    ++g_liveCount;
}

BatchRecorder::~BatchRecorder()
{
    std::lock_guard lock(RecorderMutex());
    auto& live = LiveRecorders();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    --g_liveCount;
}

std::vector<ReceivedBatch> BatchRecorder::Batches() const
{
    std::lock_guard lock(RecorderMutex());
    return batches_;
}

std::vector<std::string> BatchRecorder::Texts() const
{
    std::lock_guard lock(RecorderMutex());
    std::vector<std::string> texts;
    for (const ReceivedBatch& b : batches_)
        texts.push_back(b.text);
    return texts;
}

std::vector<std::string> BatchRecorder::TextsOf(int spid) const
{
    std::lock_guard lock(RecorderMutex());
    std::vector<std::string> texts;
    for (const ReceivedBatch& b : batches_)
        if (b.spid == spid)
            texts.push_back(b.text);
    return texts;
}

std::vector<int> BatchRecorder::Spids() const
{
    std::lock_guard lock(RecorderMutex());
    std::vector<int> spids;
    for (const ReceivedBatch& b : batches_)
        if (std::find(spids.begin(), spids.end(), b.spid) == spids.end())
            spids.push_back(b.spid);
    return spids;
}

void BatchRecorder::Clear()
{
    std::lock_guard lock(RecorderMutex());
    batches_.clear();
}

bool BatchRecorder::Active() { return g_liveCount.load() > 0; }

void BatchRecorder::Note(const ReceivedBatch& batch)
{
    std::lock_guard lock(RecorderMutex());
    for (BatchRecorder* recorder : LiveRecorders())
        recorder->batches_.push_back(batch);
}

} // namespace tw::server
