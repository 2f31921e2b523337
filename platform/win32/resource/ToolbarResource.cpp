#include "platform/win32/resource/ToolbarResource.h"

#include "platform/win32/resource/ResourceBytes.h"

namespace tw::res {

std::vector<BYTE> WriteToolbarResource(const ToolbarResource& toolbar)
{
    ByteWriter out;
    out.Word(toolbar.version);
    out.Word(toolbar.imageWidth);
    out.Word(toolbar.imageHeight);
    out.Word(static_cast<WORD>(toolbar.items.size()));
    for (WORD id : toolbar.items)
        out.Word(id);
    return out.Take();
}

std::optional<ToolbarResource> ParseToolbarResource(const void* data, size_t size)
{
    if (!data)
        return std::nullopt;
    ByteReader in(data, size);
    ToolbarResource toolbar;
    toolbar.version = in.Word();
    toolbar.imageWidth = in.Word();
    toolbar.imageHeight = in.Word();
    const WORD count = in.Word();
    if (!in.Ok() || toolbar.version != 1)
        return std::nullopt;
    for (WORD i = 0; i < count; ++i)
        toolbar.items.push_back(in.Word());
    if (!in.Ok())
        return std::nullopt;
    return toolbar;
}

}  // namespace tw::res
