#include "platform/controls/grid/GridTextStore.h"

#include <algorithm>
#include <cstring>

namespace tw::grid {

uint64_t GridTextStore::Append(std::string_view text)
{
    if (text.empty())
        return end_;
    if (text.size() > limit_ - end_) {
        // A fresh allocation at the next unused block position.
        const uint64_t start = uint64_t(blocks_.size()) << kShift;
        const size_t bytes = std::max(text.size(), nextBytes_);
        nextBytes_ = size_t(std::min<uint64_t>(kBlock, 2 * uint64_t(bytes)));
        allocations_.push_back(std::make_unique_for_overwrite<char[]>(bytes));
        char* base = allocations_.back().get();
        for (size_t offset = 0; offset < bytes; offset += kBlock)
            blocks_.push_back(base + offset);
        allocated_ += bytes;
        end_ = start;
        limit_ = start + bytes;
    }
    std::memcpy(blocks_[end_ >> kShift] + (end_ & (kBlock - 1)), text.data(), text.size());
    end_ += text.size();
    return end_;
}

std::string_view GridTextStore::View(uint64_t previousEnd, uint64_t end) const
{
    if (end <= previousEnd)
        return {};
    // A text that did not fit after the cell before it starts the next block.
    uint64_t start = previousEnd;
    if ((start & (kBlock - 1)) != 0 && ((end - 1) >> kShift) != (start >> kShift))
        start = ((start >> kShift) + 1) << kShift;
    return std::string_view(blocks_[start >> kShift] + (start & (kBlock - 1)), size_t(end - start));
}

void GridTextStore::Reserve(size_t bytes)
{
    if (end_ == 0 && allocations_.empty() && bytes > 0)
        nextBytes_ = size_t(std::min<uint64_t>(kBlock, bytes));
}

void GridTextStore::Clear()
{
    blocks_.clear();
    blocks_.shrink_to_fit();
    allocations_.clear();
    allocations_.shrink_to_fit();
    end_ = limit_ = 0;
    allocated_ = 0;
    nextBytes_ = kFirstBytes;
}

}  // namespace tw::grid
