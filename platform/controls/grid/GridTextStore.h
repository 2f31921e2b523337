// Storage for a dataset's cells that never moves what it holds. A result of
// millions of rows grows these while the grid's thread also paints; a buffer
// that doubled would copy everything it held at each step (tens of megabytes
// at once, a visible stall). Both grow by fixed-size blocks instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tw::grid {

// An append-only array: a vector while it is small, then fixed-size blocks.
template <class T, unsigned Shift = 16>
class SegmentedArray {
public:
    static constexpr size_t kBlock = size_t(1) << Shift;

    void push_back(T value)
    {
        if (blocks_.empty() && head_.size() < kBlock) {
            head_.push_back(value);
            return;
        }
        const size_t later = size() - kBlock;
        if ((later & (kBlock - 1)) == 0)
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(kBlock));
        blocks_.back()[later & (kBlock - 1)] = value;
        ++inBlocks_;
    }
    const T& operator[](size_t i) const
    {
        return i < kBlock ? head_[i] : blocks_[(i >> Shift) - 1][i & (kBlock - 1)];
    }
    size_t size() const { return head_.size() + inBlocks_; }
    bool empty() const { return head_.empty(); }
    size_t capacity() const { return head_.capacity() + blocks_.size() * kBlock; }
    void reserve(size_t count) { head_.reserve(count < kBlock ? count : kBlock); }
    // Gives back the small vector's unused room when it is more than a quarter of its size.
    void ShrinkLoose()
    {
        if (blocks_.empty() && head_.capacity() - head_.size() > head_.size() / 4)
            head_.shrink_to_fit();
    }
    void clear()
    {
        head_.clear();
        head_.shrink_to_fit();
        blocks_.clear();
        blocks_.shrink_to_fit();
        inBlocks_ = 0;
    }

private:
    std::vector<T> head_;
    std::vector<std::unique_ptr<T[]>> blocks_;
    size_t inBlocks_ = 0;
};

// Cell text packed end to end. Offsets are positions in a space cut into
// blocks of 1 MiB, one allocation per block position: allocations start
// small and double up to a block, so a small grid holds little. A cell never
// straddles two allocations: a text that does not fit the rest of one starts
// the next block position, and a text longer than a block gets one
// allocation spanning as many positions as it needs. A cell is known by the
// end of the cell before it and its own end.
class GridTextStore {
public:
    static constexpr unsigned kShift = 20;
    static constexpr uint64_t kBlock = uint64_t(1) << kShift;

    // Answers the end offset of the text just stored.
    uint64_t Append(std::string_view text);
    // The text of the cell that ended at `end`, after a cell that ended at `previousEnd`.
    std::string_view View(uint64_t previousEnd, uint64_t end) const;
    uint64_t End() const { return end_; }
    // Sizes the first allocation, before anything is stored.
    void Reserve(size_t bytes);
    size_t BytesAllocated() const { return allocated_; }
    void Clear();

private:
    // Per block position, where its bytes are.
    std::vector<char*> blocks_;
    std::vector<std::unique_ptr<char[]>> allocations_;
    uint64_t end_ = 0;   // the end of the text stored so far
    uint64_t limit_ = 0; // the end of the allocation `end_` is in
    size_t allocated_ = 0;
    size_t nextBytes_ = kFirstBytes;
    static constexpr size_t kFirstBytes = 4096;
};

}  // namespace tw::grid
