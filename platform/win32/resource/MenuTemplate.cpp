#include "platform/win32/resource/MenuTemplate.h"

#include "platform/win32/resource/ResourceBytes.h"

namespace tw::res {

namespace menu_detail {

// Nesting is bounded so a malformed template cannot exhaust the stack.
constexpr int kMaxMenuDepth = 32;

void WritePlainItems(ByteWriter& out, const std::vector<MenuItemTemplate>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemTemplate& item = items[i];
        WORD flags = item.flags & ~(kMenuFlagPopup | kMenuFlagEnd);
        if (item.popup)
            flags |= kMenuFlagPopup;
        if (i + 1 == items.size())
            flags |= kMenuFlagEnd;
        out.Word(flags);
        if (!item.popup)
            out.Word(static_cast<WORD>(item.id));
        out.Utf16z(item.text);
        if (item.popup)
            WritePlainItems(out, item.children);
    }
}

void WriteExItems(ByteWriter& out, const std::vector<MenuItemTemplate>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemTemplate& item = items[i];
        out.AlignTo(4);
        out.Dword(item.type);
        out.Dword(item.state);
        out.Dword(item.id);
        WORD info = item.popup ? kMenuExPopup : 0;
        if (i + 1 == items.size())
            info |= kMenuExEnd;
        out.Word(info);
        out.Utf16z(item.text);
        if (!item.popup)
            continue;
        out.AlignTo(4);
        out.Dword(item.helpId);
        WriteExItems(out, item.children);
    }
}

bool ReadPlainItems(ByteReader& in, std::vector<MenuItemTemplate>& items, int depth)
{
    if (depth > kMaxMenuDepth)
        return false;
    for (;;) {
        MenuItemTemplate item;
        const WORD flags = in.Word();
        item.popup = (flags & kMenuFlagPopup) != 0;
        item.flags = flags & ~(kMenuFlagPopup | kMenuFlagEnd);
        if (!item.popup)
            item.id = in.Word();
        item.text = in.Utf16z();
        if (!in.Ok())
            return false;
        if (item.popup && !ReadPlainItems(in, item.children, depth + 1))
            return false;
        items.push_back(std::move(item));
        if (flags & kMenuFlagEnd)
            return true;
    }
}

bool ReadExItems(ByteReader& in, std::vector<MenuItemTemplate>& items, int depth)
{
    if (depth > kMaxMenuDepth)
        return false;
    for (;;) {
        MenuItemTemplate item;
        in.AlignTo(4);
        item.type = in.Dword();
        item.state = in.Dword();
        item.id = in.Dword();
        const WORD info = in.Word();
        item.text = in.Utf16z();
        item.popup = (info & kMenuExPopup) != 0;
        if (!in.Ok())
            return false;
        if (item.popup) {
            in.AlignTo(4);
            item.helpId = in.Dword();
            if (!ReadExItems(in, item.children, depth + 1))
                return false;
        }
        items.push_back(std::move(item));
        if (info & kMenuExEnd)
            return true;
    }
}

}  // namespace menu_detail

std::vector<BYTE> WriteMenuTemplate(const MenuTemplate& menu)
{
    ByteWriter out;
    if (menu.extended) {
        out.Word(1);
        out.Word(4);  // offset of the items from the end of this field
        out.Dword(menu.helpId);
        menu_detail::WriteExItems(out, menu.items);
    } else {
        out.Word(0);
        out.Word(0);
        menu_detail::WritePlainItems(out, menu.items);
    }
    return out.Take();
}

std::optional<MenuTemplate> ParseMenuTemplate(const void* data, size_t size)
{
    if (!data)
        return std::nullopt;
    ByteReader in(data, size);
    MenuTemplate menu;
    const WORD version = in.Word();
    const WORD offset = in.Word();
    if (!in.Ok() || version > 1)
        return std::nullopt;
    menu.extended = version == 1;
    if (menu.extended) {
        if (offset < 4)
            return std::nullopt;
        menu.helpId = in.Dword();
        in.Skip(offset - 4u);
        if (!in.AtEnd() && !menu_detail::ReadExItems(in, menu.items, 0))
            return std::nullopt;
    } else {
        in.Skip(offset);
        if (!in.AtEnd() && !menu_detail::ReadPlainItems(in, menu.items, 0))
            return std::nullopt;
    }
    if (!in.Ok())
        return std::nullopt;
    return menu;
}

}  // namespace tw::res
