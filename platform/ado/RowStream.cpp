#include "platform/ado/RowStream.h"

namespace tw::ado {

bool RowStream::Push(std::vector<Record> page)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return abandoned_ || unbound_ || pages_.size() < kWaitingPages; });
    if (abandoned_)
        return false;
    pages_.push_back(std::move(page));
    changed_.notify_all();
    return true;
}

void RowStream::Finish(std::vector<ProviderMessage> errors)
{
    std::lock_guard lock(mutex_);
    if (finished_)
        return;
    finished_ = true;
    errors_ = std::move(errors);
    changed_.notify_all();
}

bool RowStream::Next(std::vector<Record>& page)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pages_.empty() || finished_ || abandoned_; });
    if (pages_.empty())
        return false;
    page = std::move(pages_.front());
    pages_.pop_front();
    changed_.notify_all();
    return true;
}

void RowStream::WaitForFirst()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pages_.empty() || finished_ || abandoned_; });
}

void RowStream::Unbind()
{
    std::lock_guard lock(mutex_);
    unbound_ = true;
    changed_.notify_all();
}

std::vector<ProviderMessage> RowStream::TakeErrors()
{
    std::lock_guard lock(mutex_);
    return std::move(errors_);
}

void RowStream::Abandon()
{
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    pages_.clear();
    changed_.notify_all();
}

} // namespace tw::ado
