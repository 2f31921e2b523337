#include "platform/win32/resource/AcceleratorResource.h"

#include "platform/win32/resource/ResourceBytes.h"

namespace tw::res {

std::vector<BYTE> WriteAcceleratorTable(const std::vector<AcceleratorEntry>& entries)
{
    ByteWriter out;
    for (size_t i = 0; i < entries.size(); ++i) {
        WORD flags = entries[i].flags & ~kAccelLastEntry;
        if (i + 1 == entries.size())
            flags |= kAccelLastEntry;
        out.Word(flags);
        out.Word(entries[i].key);
        out.Word(entries[i].command);
        out.Word(0);
    }
    return out.Take();
}

std::optional<std::vector<AcceleratorEntry>> ParseAcceleratorTable(const void* data, size_t size)
{
    if (!data || size == 0 || size % 8 != 0)
        return std::nullopt;
    ByteReader in(data, size);
    std::vector<AcceleratorEntry> entries;
    while (!in.AtEnd()) {
        const WORD flags = in.Word();
        AcceleratorEntry entry;
        entry.flags = flags & ~kAccelLastEntry;
        entry.key = in.Word();
        entry.command = in.Word();
        in.Word();
        entries.push_back(entry);
        if (flags & kAccelLastEntry)
            return entries;
    }
    return std::nullopt;
}

}  // namespace tw::res
