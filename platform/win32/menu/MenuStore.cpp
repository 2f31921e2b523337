#include "platform/win32/menu/MenuStore.h"

#include <cctype>

#include "platform/win32/menu/MenuBar.h"

namespace tw::menu {

namespace menu_store_detail {
// A menu nested deeper than this is a cycle someone built by hand.
constexpr int kMaxDepth = 64;
}  // namespace menu_store_detail

MenuStore& MenuStore::Instance()
{
    static MenuStore* store = new MenuStore;
    return *store;
}

HMENU MenuStore::Add(std::unique_ptr<Menu> menu)
{
    // The first menu made brings the bar's drawing and tracking into the
    // window system, which otherwise knows nothing of menus.
    MenuBar::Install();
    std::lock_guard<std::mutex> lock(mutex_);
    // Steps of 4 keep handle values aligned like the platform's.
    const HMENU handle = reinterpret_cast<HMENU>(nextHandle_);
    nextHandle_ += 4;
    menus_.emplace(handle, std::move(menu));
    return handle;
}

Menu* MenuStore::Find(HMENU handle)
{
    auto found = menus_.find(handle);
    return found == menus_.end() ? nullptr : found->second.get();
}

bool MenuStore::Remove(HMENU handle, bool destroySubMenus)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!Find(handle))
        return false;
    if (destroySubMenus)
        RemoveLocked(handle, 0);
    else
        menus_.erase(handle);
    return true;
}

void MenuStore::RemoveLocked(HMENU handle, int depth)
{
    auto found = menus_.find(handle);
    if (found == menus_.end() || depth > menu_store_detail::kMaxDepth)
        return;
    std::unique_ptr<Menu> menu = std::move(found->second);
    menus_.erase(found);
    for (const MenuItem& item : menu->items) {
        if (item.subMenu)
            RemoveLocked(item.subMenu, depth + 1);
    }
}

namespace menu_store_detail {

ItemRef FindByCommand(HMENU handle, UINT id, int depth)
{
    Menu* menu = MenuStore::Instance().Find(handle);
    if (!menu || depth > kMaxDepth)
        return {};
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (item.subMenu) {
            if (ItemRef inner = FindByCommand(item.subMenu, id, depth + 1))
                return inner;
        }
        if (item.id == id)
            return ItemRef{menu, handle, static_cast<int>(i)};
    }
    return {};
}

}  // namespace menu_store_detail

ItemRef FindItem(HMENU handle, UINT position, UINT flags)
{
    if (flags & MF_BYPOSITION) {
        Menu* menu = MenuStore::Instance().Find(handle);
        if (!menu || position >= menu->items.size())
            return {};
        return ItemRef{menu, handle, static_cast<int>(position)};
    }
    return menu_store_detail::FindByCommand(handle, position, 0);
}

std::string StripMnemonic(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                plain += '&';
            ++i;
            if (i < text.size() && text[i] != '&')
                plain += text[i];
            continue;
        }
        plain += text[i];
    }
    return plain;
}

char MnemonicOf(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i + 1]);
        return c < 0x80 ? static_cast<char>(std::tolower(c)) : 0;
    }
    return 0;
}

}  // namespace tw::menu
