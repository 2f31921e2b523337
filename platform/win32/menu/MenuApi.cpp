// The menu calls that work on menus as data: creating, filling, querying and
// changing items.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/menu/MenuStore.h"
#include "platform/win32/resource/MenuTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

using tw::menu::ItemRef;
using tw::menu::Menu;
using tw::menu::MenuItem;
using tw::menu::MenuStore;

namespace tw::menu::menu_api_detail {

constexpr UINT kTypeFlags = MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK | MF_RIGHTJUSTIFY;
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;
// A template read from memory without a size stops at its end marks; this
// only bounds a malformed one.
constexpr size_t kIndirectTemplateLimit = 1u << 20;

HMENU NewMenu(bool popup)
{
    auto menu = std::make_unique<Menu>();
    menu->popup = popup;
    return MenuStore::Instance().Add(std::move(menu));
}

bool InvalidMenu()
{
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return false;
}

bool ItemNotFound()
{
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return false;
}

// The item AppendMenu, InsertMenu and ModifyMenu describe with MF_ flags.
MenuItem ItemFromFlags(UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    MenuItem item;
    item.type = flags & kTypeFlags;
    item.state = flags & kStateFlags;
    if (flags & MF_POPUP) {
        item.subMenu = reinterpret_cast<HMENU>(idNewItem);
        item.id = static_cast<UINT>(idNewItem);
    } else {
        item.id = static_cast<UINT>(idNewItem);
    }
    if (item.type & MF_BITMAP)
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
    else if (item.type & MF_OWNERDRAW)
        item.data = reinterpret_cast<ULONG_PTR>(newItem);
    else if (!(item.type & MF_SEPARATOR)) {
        // A string item without a string is a separator.
        if (newItem)
            item.text = newItem;
        else
            item.type |= MF_SEPARATOR;
    }
    return item;
}

bool InsertItem(HMENU handle, UINT position, UINT flags, MenuItem item)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    Menu* menu = MenuStore::Instance().Find(handle);
    if (!menu)
        return InvalidMenu();
    if (item.subMenu && !MenuStore::Instance().Find(item.subMenu))
        return InvalidMenu();
    if (flags & MF_BYPOSITION) {
        const size_t at = std::min<size_t>(position, menu->items.size());
        menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
        return true;
    }
    ItemRef ref = FindItem(handle, position, MF_BYCOMMAND);
    if (!ref)
        return ItemNotFound();
    ref.menu->items.insert(ref.menu->items.begin() + ref.index, std::move(item));
    return true;
}

void CopyText(const std::string& text, LPSTR buffer, UINT* capacity)
{
    if (buffer && *capacity) {
        const size_t n = std::min<size_t>(text.size(), *capacity - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    *capacity = static_cast<UINT>(text.size());
}

bool ValidSize(UINT cbSize)
{
    // The older layout ends before hbmpItem.
    return cbSize == sizeof(MENUITEMINFO) || cbSize == offsetof(MENUITEMINFO, hbmpItem);
}

void ApplyInfo(MenuItem& item, const MENUITEMINFO& info)
{
    if (info.fMask & MIIM_TYPE) {
        item.type = info.fType;
        item.text.clear();
        if (info.fType & MFT_BITMAP)
            item.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
        else if (!(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) && info.dwTypeData)
            item.text = info.dwTypeData;
    }
    if (info.fMask & MIIM_FTYPE)
        item.type = info.fType;
    if ((info.fMask & MIIM_STRING) && !(item.type & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)))
        item.text = info.dwTypeData ? info.dwTypeData : "";
    if (info.fMask & MIIM_STATE)
        item.state = info.fState;
    if (info.fMask & MIIM_ID)
        item.id = info.wID;
    if (info.fMask & MIIM_SUBMENU)
        item.subMenu = info.hSubMenu;
    if (info.fMask & MIIM_CHECKMARKS) {
        item.checkedBitmap = info.hbmpChecked;
        item.uncheckedBitmap = info.hbmpUnchecked;
    }
    if (info.fMask & MIIM_DATA)
        item.data = info.dwItemData;
    if ((info.fMask & MIIM_BITMAP) && info.cbSize == sizeof(MENUITEMINFO))
        item.bitmap = info.hbmpItem;
}

void AddTemplateItems(HMENU target, const std::vector<tw::res::MenuItemTemplate>& items, bool extended);

HMENU MenuFromTemplate(const tw::res::MenuTemplate& parsed)
{
    const HMENU menu = NewMenu(false);
    AddTemplateItems(menu, parsed.items, parsed.extended);
    return menu;
}

void AddTemplateItems(HMENU target, const std::vector<tw::res::MenuItemTemplate>& items, bool extended)
{
    for (const tw::res::MenuItemTemplate& entry : items) {
        MENUITEMINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        if (extended) {
            info.fType = entry.type;
            info.fState = entry.state;
        } else {
            info.fType = entry.flags & kTypeFlags;
            info.fState = entry.flags & kStateFlags;
            if (entry.IsSeparator(false))
                info.fType |= MFT_SEPARATOR;
        }
        info.wID = entry.id;
        if (!(info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW))) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = const_cast<char*>(entry.text.c_str());
        }
        if (entry.popup) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = NewMenu(true);
            AddTemplateItems(info.hSubMenu, entry.children, extended);
        }
        InsertMenuItem(target, static_cast<UINT>(GetMenuItemCount(target)), TRUE, &info);
    }
}

}  // namespace tw::menu::menu_api_detail

namespace d = tw::menu::menu_api_detail;

HMENU CreateMenu() { return d::NewMenu(false); }

HMENU CreatePopupMenu() { return d::NewMenu(true); }

BOOL DestroyMenu(HMENU hMenu)
{
    if (!MenuStore::Instance().Remove(hMenu, true))
        return d::InvalidMenu();
    return TRUE;
}

BOOL IsMenu(HMENU hMenu)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    return MenuStore::Instance().Find(hMenu) != nullptr;
}

HMENU LoadMenuIndirect(const void* lpMenuTemplate)
{
    auto parsed = tw::res::ParseMenuTemplate(lpMenuTemplate, d::kIndirectTemplateLimit);
    if (!parsed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return d::MenuFromTemplate(*parsed);
}

HMENU LoadMenu(HINSTANCE hInstance, LPCSTR lpMenuName)
{
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!tw::FindResourceBytes(hInstance, lpMenuName, RT_MENU, &bytes, &size))
        return nullptr;
    auto parsed = tw::res::ParseMenuTemplate(bytes, size);
    if (!parsed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return d::MenuFromTemplate(*parsed);
}

BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return d::InsertItem(hMenu, 0xFFFFFFFF, MF_BYPOSITION, d::ItemFromFlags(uFlags, uIDNewItem, lpNewItem));
}

BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return d::InsertItem(hMenu, uPosition, uFlags & MF_BYPOSITION, d::ItemFromFlags(uFlags, uIDNewItem, lpNewItem));
}

BOOL ModifyMenu(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    HMENU replacedSubMenu = nullptr;
    {
        std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
        if (!MenuStore::Instance().Find(hMnu))
            return d::InvalidMenu();
        ItemRef ref = tw::menu::FindItem(hMnu, uPosition, uFlags);
        if (!ref)
            return d::ItemNotFound();
        MenuItem replacement = d::ItemFromFlags(uFlags, uIDNewItem, lpNewItem);
        MenuItem& item = *ref.item();
        // A replaced submenu goes with its item, as on the platform.
        if (item.subMenu && item.subMenu != replacement.subMenu)
            replacedSubMenu = item.subMenu;
        replacement.checkedBitmap = item.checkedBitmap;
        replacement.uncheckedBitmap = item.uncheckedBitmap;
        if (!(uFlags & MF_OWNERDRAW))
            replacement.data = item.data;
        item = std::move(replacement);
    }
    if (replacedSubMenu)
        MenuStore::Instance().Remove(replacedSubMenu, true);
    return TRUE;
}

namespace tw::menu::menu_api_detail {

BOOL TakeOutItem(HMENU hMenu, UINT uPosition, UINT uFlags, bool destroySubMenu)
{
    HMENU subMenu = nullptr;
    {
        std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
        if (!MenuStore::Instance().Find(hMenu))
            return InvalidMenu();
        ItemRef ref = tw::menu::FindItem(hMenu, uPosition, uFlags);
        if (!ref)
            return ItemNotFound();
        subMenu = ref.item()->subMenu;
        ref.menu->items.erase(ref.menu->items.begin() + ref.index);
    }
    if (destroySubMenu && subMenu)
        MenuStore::Instance().Remove(subMenu, true);
    return TRUE;
}

}  // namespace tw::menu::menu_api_detail

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) { return d::TakeOutItem(hMenu, uPosition, uFlags, false); }

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) { return d::TakeOutItem(hMenu, uPosition, uFlags, true); }

BOOL InsertMenuItem(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFO lpmi)
{
    if (!lpmi || !d::ValidSize(lpmi->cbSize)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuItem created;
    d::ApplyInfo(created, *lpmi);
    return d::InsertItem(hmenu, item, fByPosition ? MF_BYPOSITION : MF_BYCOMMAND, std::move(created));
}

BOOL GetMenuItemInfo(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFO lpmii)
{
    if (!lpmii || !d::ValidSize(lpmii->cbSize)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    if (!MenuStore::Instance().Find(hmenu))
        return d::InvalidMenu();
    ItemRef ref = tw::menu::FindItem(hmenu, item, fByPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!ref)
        return d::ItemNotFound();
    const MenuItem& found = *ref.item();
    const UINT mask = lpmii->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        lpmii->fType = found.type;
    if (mask & MIIM_TYPE) {
        if (found.type & MFT_BITMAP)
            lpmii->dwTypeData = reinterpret_cast<LPSTR>(found.bitmap);
        else if (found.type & (MFT_SEPARATOR | MFT_OWNERDRAW))
            lpmii->cch = 0;
        else
            d::CopyText(found.text, lpmii->dwTypeData, &lpmii->cch);
    }
    if ((mask & MIIM_STRING) && !(mask & MIIM_TYPE))
        d::CopyText(found.text, lpmii->dwTypeData, &lpmii->cch);
    if (mask & MIIM_STATE)
        lpmii->fState = found.state;
    if (mask & MIIM_ID)
        lpmii->wID = found.id;
    if (mask & MIIM_SUBMENU)
        lpmii->hSubMenu = found.subMenu;
    if (mask & MIIM_CHECKMARKS) {
        lpmii->hbmpChecked = found.checkedBitmap;
        lpmii->hbmpUnchecked = found.uncheckedBitmap;
    }
    if (mask & MIIM_DATA)
        lpmii->dwItemData = found.data;
    if ((mask & MIIM_BITMAP) && lpmii->cbSize == sizeof(MENUITEMINFO))
        lpmii->hbmpItem = (found.type & MFT_BITMAP) ? nullptr : found.bitmap;
    return TRUE;
}

BOOL SetMenuItemInfo(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFO lpmii)
{
    if (!lpmii || !d::ValidSize(lpmii->cbSize)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    if (!MenuStore::Instance().Find(hmenu))
        return d::InvalidMenu();
    if ((lpmii->fMask & MIIM_SUBMENU) && lpmii->hSubMenu && !MenuStore::Instance().Find(lpmii->hSubMenu))
        return d::InvalidMenu();
    ItemRef ref = tw::menu::FindItem(hmenu, item, fByPositon ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!ref)
        return d::ItemNotFound();
    d::ApplyInfo(*ref.item(), *lpmii);
    return TRUE;
}

int GetMenuItemCount(HMENU hMenu)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    Menu* menu = MenuStore::Instance().Find(hMenu);
    if (!menu) {
        d::InvalidMenu();
        return -1;
    }
    return static_cast<int>(menu->items.size());
}

UINT GetMenuItemID(HMENU hMenu, int nPos)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef ref = tw::menu::FindItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
    if (!ref || ref.item()->subMenu)
        return 0xFFFFFFFF;
    return ref.item()->id;
}

int GetMenuString(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef ref = tw::menu::FindItem(hMenu, uIDItem, flags);
    if (!ref)
        return 0;
    const std::string& text = ref.item()->text;
    if (!lpString || cchMax <= 0)
        return static_cast<int>(text.size());
    UINT capacity = static_cast<UINT>(cchMax);
    d::CopyText(text, lpString, &capacity);
    return static_cast<int>(std::min<size_t>(text.size(), static_cast<size_t>(cchMax - 1)));
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef ref = tw::menu::FindItem(hMenu, uId, uFlags);
    if (!ref)
        return 0xFFFFFFFF;
    const MenuItem& item = *ref.item();
    const UINT flags = item.type | item.state;
    if (!item.subMenu)
        return flags;
    const Menu* sub = MenuStore::Instance().Find(item.subMenu);
    const UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
    // A popup answers its item count in the high byte, its flags in the low one.
    return (count << 8) | ((flags | MF_POPUP) & 0xFF);
}

HMENU GetSubMenu(HMENU hMenu, int nPos)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef ref = tw::menu::FindItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
    return ref ? ref.item()->subMenu : nullptr;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef ref = tw::menu::FindItem(hMenu, uIDEnableItem, uEnable);
    if (!ref)
        return -1;
    MenuItem& item = *ref.item();
    const UINT previous = item.state & (MF_GRAYED | MF_DISABLED);
    item.state = (item.state & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef ref = tw::menu::FindItem(hMenu, uIDCheckItem, uCheck);
    if (!ref)
        return 0xFFFFFFFF;
    MenuItem& item = *ref.item();
    const DWORD previous = item.state & MF_CHECKED;
    item.state = (item.state & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef checked = tw::menu::FindItem(hmenu, check, flags);
    if (!checked)
        return d::ItemNotFound();
    Menu* menu = checked.menu;
    bool found = false;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        MenuItem& item = menu->items[i];
        const UINT key = (flags & MF_BYPOSITION) ? static_cast<UINT>(i) : item.id;
        if (key < first || key > last || item.IsSeparator() || item.subMenu)
            continue;
        if (key == check) {
            item.type |= MFT_RADIOCHECK;
            item.state |= MFS_CHECKED;
            found = true;
        } else {
            item.state &= ~MFS_CHECKED;
        }
    }
    return found;
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    Menu* menu = MenuStore::Instance().Find(hMenu);
    if (!menu)
        return d::InvalidMenu();
    for (MenuItem& item : menu->items)
        item.state &= ~MFS_DEFAULT;
    if (uItem == 0xFFFFFFFF)
        return TRUE;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const bool match = fByPos ? i == uItem : menu->items[i].id == uItem;
        if (match) {
            menu->items[i].state |= MFS_DEFAULT;
            return TRUE;
        }
    }
    return d::ItemNotFound();
}

namespace tw::menu::menu_api_detail {

UINT DefaultItemOf(HMENU hMenu, UINT fByPos, UINT gmdiFlags, int depth)
{
    Menu* menu = MenuStore::Instance().Find(hMenu);
    if (!menu || depth > 16)
        return 0xFFFFFFFF;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (!(item.state & MFS_DEFAULT))
            continue;
        if (item.IsDisabled() && !(gmdiFlags & GMDI_USEDISABLED))
            return 0xFFFFFFFF;
        if (item.subMenu && (gmdiFlags & GMDI_GOINTOPOPUPS)) {
            const UINT inner = DefaultItemOf(item.subMenu, fByPos, gmdiFlags, depth + 1);
            if (inner != 0xFFFFFFFF)
                return inner;
        }
        return fByPos ? static_cast<UINT>(i) : item.id;
    }
    return 0xFFFFFFFF;
}

}  // namespace tw::menu::menu_api_detail

UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    return d::DefaultItemOf(hMenu, fByPos, gmdiFlags, 0);
}

DWORD GetMenuCheckMarkDimensions()
{
    return MAKELONG(GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK));
}
