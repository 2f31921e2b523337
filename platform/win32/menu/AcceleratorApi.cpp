// The accelerator calls: tables in and out, and turning a key message into
// the command of the entry it matches.
#include <algorithm>
#include <cstring>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/menu/AcceleratorStore.h"
#include "platform/win32/menu/MenuStore.h"
#include "platform/win32/menu/SystemMenu.h"

using tw::menu::AcceleratorStore;

namespace tw::menu::accelerator_api_detail {

bool KeyDown(SHORT state) { return (state & 0x8000) != 0; }

bool Matches(const ACCEL& entry, const MSG& msg)
{
    const bool altDown = ((msg.lParam >> 29) & 1) || KeyDown(GetKeyState(VK_MENU));
    if (entry.fVirt & FVIRTKEY) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
            return false;
        if (entry.key != msg.wParam)
            return false;
        return KeyDown(GetKeyState(VK_SHIFT)) == ((entry.fVirt & FSHIFT) != 0) &&
               KeyDown(GetKeyState(VK_CONTROL)) == ((entry.fVirt & FCONTROL) != 0) &&
               altDown == ((entry.fVirt & FALT) != 0);
    }
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR)
        return false;
    if (entry.key != msg.wParam)
        return false;
    const bool alt = msg.message == WM_SYSCHAR || altDown;
    return alt == ((entry.fVirt & FALT) != 0);
}

// Where a command sits in a menu: the popup holding it and its state.
struct CommandPlace {
    bool found = false;
    HMENU popup = nullptr;
    int popupIndex = 0;  // the popup's position in the bar
    bool disabled = false;
};

CommandPlace FindCommand(HMENU bar, UINT command)
{
    CommandPlace place;
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef ref = FindItem(bar, command, MF_BYCOMMAND);
    if (!ref || ref.item()->subMenu)
        return place;
    place.found = true;
    place.disabled = ref.item()->IsDisabled();
    if (ref.handle == bar)
        return place;
    const Menu* barMenu = MenuStore::Instance().Find(bar);
    for (size_t i = 0; barMenu && i < barMenu->items.size(); ++i) {
        if (barMenu->items[i].subMenu && FindItem(barMenu->items[i].subMenu, command, MF_BYCOMMAND)) {
            place.popup = barMenu->items[i].subMenu;
            place.popupIndex = static_cast<int>(i);
            break;
        }
    }
    return place;
}

bool CommandDisabled(HMENU menu, UINT command)
{
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    ItemRef ref = FindItem(menu, command, MF_BYCOMMAND);
    return ref && ref.item()->IsDisabled();
}

// The window learns that a menu is about to be used, as if it were opened,
// so it can bring its items' states up to date before the check.
void InitMenusFor(HWND hwnd, HMENU menu, const CommandPlace& place, bool system)
{
    if (!IsWindowEnabled(hwnd) || GetCapture())
        return;
    if (!system && IsIconic(hwnd))
        return;
    SendMessage(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    if (place.popup)
        SendMessage(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(place.popup),
                    MAKELPARAM(place.popupIndex, system ? 1 : 0));
}

int Execute(HWND hwnd, UINT command)
{
    if (HMENU system = ExistingSystemMenu(hwnd)) {
        CommandPlace place = FindCommand(system, command);
        if (place.found) {
            InitMenusFor(hwnd, system, place, true);
            if (!CommandDisabled(system, command))
                SendMessage(hwnd, WM_SYSCOMMAND, command, 0);
            return TRUE;
        }
    }
    const HMENU bar = (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) ? nullptr : GetMenu(hwnd);
    if (bar) {
        CommandPlace place = FindCommand(bar, command);
        if (place.found) {
            InitMenusFor(hwnd, bar, place, false);
            // A disabled or grayed item eats its shortcut without a command.
            if (CommandDisabled(bar, command))
                return TRUE;
        }
    }
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return TRUE;
}

}  // namespace tw::menu::accelerator_api_detail

namespace ad = tw::menu::accelerator_api_detail;

HACCEL LoadAccelerators(HINSTANCE hInstance, LPCSTR lpTableName)
{
    return AcceleratorStore::Instance().LoadShared(hInstance, lpTableName);
}

HACCEL CreateAcceleratorTable(LPACCEL paccel, int cAccel)
{
    if (!paccel || cAccel <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return AcceleratorStore::Instance().Create(std::vector<ACCEL>(paccel, paccel + cAccel));
}

BOOL DestroyAcceleratorTable(HACCEL hAccel)
{
    if (!AcceleratorStore::Instance().Release(hAccel)) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return FALSE;
    }
    return TRUE;
}

int CopyAcceleratorTable(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries)
{
    auto entries = AcceleratorStore::Instance().Entries(hAccelSrc);
    if (!entries) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    if (!lpAccelDst)
        return static_cast<int>(entries->size());
    const int count = std::min(cAccelEntries, static_cast<int>(entries->size()));
    for (int i = 0; i < count; ++i)
        lpAccelDst[i] = (*entries)[static_cast<size_t>(i)];
    return std::max(count, 0);
}

int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg)
{
    if (!lpMsg || !IsWindow(hWnd))
        return 0;
    const UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_CHAR && message != WM_SYSCHAR)
        return 0;
    auto entries = AcceleratorStore::Instance().Entries(hAccTable);
    if (!entries) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    for (const ACCEL& entry : *entries) {
        if (ad::Matches(entry, *lpMsg))
            return ad::Execute(hWnd, entry.cmd);
    }
    return 0;
}
