#include "tests/ui/commandbars/MenuTestSupport.h"

#include <deque>
#include <sstream>

#include "platform/win32/menu/winmenu.h"
#include "platform/win32/resource/MenuTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

namespace menutest {

Item Sep() { return Item{}; }

Item Cmd(UINT id, const std::string& text, UINT flags) { return Item{id, text, flags, {}}; }

Item Sub(const std::string& text, std::vector<Item> children, UINT flags)
{
    return Item{(UINT)-1, text, flags, std::move(children)};
}

HMENU Build(const std::vector<Item>& items)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (const Item& item : items) {
        const UINT uiState = item.flags & (MF_CHECKED | MF_GRAYED | MF_MENUBREAK);
        if (item.id == 0 && item.text.empty())
            ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
        else if (item.id == (UINT)-1)
            ::AppendMenu(hMenu, MF_POPUP | uiState, (UINT_PTR)Build(item.children), item.text.c_str());
        else
            ::AppendMenu(hMenu, MF_STRING | uiState, item.id, item.text.c_str());
        if (item.flags & kDefault)
            ::SetMenuDefaultItem(hMenu, item.id, FALSE);
    }
    return hMenu;
}

std::vector<Item> Read(HMENU hMenu)
{
    std::vector<Item> items;
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        Item item;
        char text[256] = {};
        ::GetMenuString(hMenu, (UINT)i, text, sizeof text, MF_BYPOSITION);
        item.text = text;
        const UINT uiState = ::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION);
        item.flags = uiState & (MF_CHECKED | MF_GRAYED | MF_MENUBREAK);
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            item.id = (UINT)-1;
            item.children = Read(hSub);
        } else {
            item.id = ::GetMenuItemID(hMenu, i);
            if (item.id != 0 && item.id == uiDefault)
                item.flags |= kDefault;
        }
        items.push_back(item);
    }
    return items;
}

namespace {

tw::res::MenuItemTemplate ToTemplate(const Item& item)
{
    tw::res::MenuItemTemplate t;
    t.text = item.text;
    t.flags = (WORD)(item.flags & (MF_CHECKED | MF_GRAYED | MF_MENUBREAK));
    if (item.id == (UINT)-1) {
        t.popup = true;
        for (const Item& child : item.children)
            t.children.push_back(ToTemplate(child));
    } else {
        t.id = item.id;
    }
    return t;
}

}  // namespace

void RegisterMenuResource(UINT uiId, const std::vector<Item>& items)
{
    RegisterMenuBarResource(uiId, {Sub("Popup", items)});
}

void RegisterMenuBarResource(UINT uiId, const std::vector<Item>& items)
{
    // The loader keeps pointers into these for as long as the process runs.
    static std::deque<std::vector<BYTE>> bytes;
    static std::deque<tw::ResourceEntry> entries;

    tw::res::MenuTemplate menu;
    for (const Item& item : items)
        menu.items.push_back(ToTemplate(item));
    bytes.push_back(tw::res::WriteMenuTemplate(menu));
    entries.push_back(tw::ResourceEntry{(WORD)(UINT_PTR)RT_MENU, nullptr, (WORD)uiId, nullptr, 0,
                                        bytes.back().data(), (DWORD)bytes.back().size()});
    tw::RegisterResources(tw::ProgramInstance(), tw::ResourceTable{&entries.back(), 1});
}

std::string Describe(const std::vector<Item>& items)
{
    std::ostringstream out;
    for (const Item& item : items) {
        if (item.id == 0 && item.text.empty()) {
            out << "---";
        } else {
            out << item.id << ":" << item.text;
            if (item.flags)
                out << "[" << std::hex << item.flags << std::dec << "]";
            if (!item.children.empty())
                out << "{" << Describe(item.children) << "}";
        }
        out << " ";
    }
    return out.str();
}

}  // namespace menutest
