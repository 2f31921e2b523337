// Menus as data: every HMENU names one Menu in a process-wide store. Handle
// values are never handed out twice in a run, since callers keep maps keyed
// on them. All access goes through the store's lock; callers copy what they
// need out before sending messages.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win32/menu/winmenu.h"

namespace tw::menu {

struct MenuItem {
    UINT type = MFT_STRING;  // MFT_ bits
    UINT state = 0;          // MFS_ bits
    UINT id = 0;
    HMENU subMenu = nullptr;
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;
    ULONG_PTR data = 0;
    HBITMAP bitmap = nullptr;  // MFT_BITMAP's image, or MIIM_BITMAP's
    std::string text;

    bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
    bool IsDisabled() const { return (state & MFS_GRAYED) != 0; }
    bool IsSelectable() const { return !IsSeparator() && !IsDisabled(); }
};

struct Menu {
    bool popup = false;
    bool systemMenu = false;
    HWND barWindow = nullptr;  // the window whose bar shows it
    std::vector<MenuItem> items;
};

class MenuStore {
public:
    static MenuStore& Instance();

    std::mutex& Mutex() { return mutex_; }
    HMENU Add(std::unique_ptr<Menu> menu);
    // Null for a handle that is not (or no longer) a menu. Lock held.
    Menu* Find(HMENU handle);
    // Removes the menu and, when destroySubMenus, every submenu below it.
    bool Remove(HMENU handle, bool destroySubMenus);

private:
    MenuStore() = default;
    void RemoveLocked(HMENU handle, int depth);

    std::mutex mutex_;
    std::unordered_map<HMENU, std::unique_ptr<Menu>> menus_;
    ULONG_PTR nextHandle_ = 0x10010;
};

// Where an item sits: the menu that holds it and its index there.
struct ItemRef {
    Menu* menu = nullptr;
    HMENU handle = nullptr;
    int index = -1;
    MenuItem* item() const { return menu ? &menu->items[static_cast<size_t>(index)] : nullptr; }
    explicit operator bool() const { return menu != nullptr; }
};

// By position (MF_BYPOSITION) in this menu, or by command anywhere below it,
// submenus first, as the platform searches. Lock held.
ItemRef FindItem(HMENU handle, UINT position, UINT flags);

// Text without its mnemonic marks, and the mnemonic character (lower case),
// 0 when there is none. "&&" is a literal ampersand.
std::string StripMnemonic(const std::string& text);
char MnemonicOf(const std::string& text);

}  // namespace tw::menu
