#include "platform/win32/resource/IconGroupResource.h"

#include "platform/win32/resource/ResourceBytes.h"

namespace tw::res {

std::vector<BYTE> WriteIconGroup(const IconGroup& group)
{
    ByteWriter out;
    out.Word(0);
    out.Word(group.type);
    out.Word(static_cast<WORD>(group.entries.size()));
    for (const IconGroupEntry& entry : group.entries) {
        if (group.type == kGroupTypeCursor) {
            out.Word(entry.width);
            out.Word(entry.height);
        } else {
            out.Byte(static_cast<BYTE>(entry.width));
            out.Byte(static_cast<BYTE>(entry.height));
            out.Byte(entry.colorCount);
            out.Byte(0);
        }
        out.Word(entry.planes);
        out.Word(entry.bitCount);
        out.Dword(entry.bytesInRes);
        out.Word(entry.id);
    }
    return out.Take();
}

std::optional<IconGroup> ParseIconGroup(const void* data, size_t size)
{
    if (!data)
        return std::nullopt;
    ByteReader in(data, size);
    IconGroup group;
    in.Word();
    group.type = in.Word();
    const WORD count = in.Word();
    if (!in.Ok() || (group.type != kGroupTypeIcon && group.type != kGroupTypeCursor))
        return std::nullopt;
    for (WORD i = 0; i < count; ++i) {
        IconGroupEntry entry;
        if (group.type == kGroupTypeCursor) {
            entry.width = in.Word();
            entry.height = in.Word();
        } else {
            entry.width = in.Byte();
            entry.height = in.Byte();
            entry.colorCount = in.Byte();
            in.Byte();
            if (entry.width == 0)
                entry.width = 256;
            if (entry.height == 0)
                entry.height = 256;
        }
        entry.planes = in.Word();
        entry.bitCount = in.Word();
        entry.bytesInRes = in.Dword();
        entry.id = in.Word();
        group.entries.push_back(entry);
    }
    if (!in.Ok())
        return std::nullopt;
    return group;
}

}  // namespace tw::res
