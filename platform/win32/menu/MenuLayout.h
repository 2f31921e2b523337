// Where a menu's items lie and how they look, in the classic style with the
// system colours: popups in columns (MF_MENUBREAK starts a new one), bars in
// rows. Owner-drawn items are measured and drawn by their owner window
// through WM_MEASUREITEM and WM_DRAWITEM.
#pragma once

#include <vector>

#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/menu/MenuStore.h"

namespace tw::menu {

struct MenuLayout {
    HMENU menu = nullptr;
    bool bar = false;
    std::vector<MenuItem> items;  // copies taken when measured
    std::vector<RECT> rects;      // popups: window coordinates; bars: relative to the bar's top-left
    SIZE size{0, 0};
    int shortcutColumn = 0;  // popups: x of the shortcut text, relative to its column

    // The item under a point in the same coordinates as rects; -1 for none.
    int ItemAt(POINT pt) const;
};

class MenuPainter {
public:
    static HFONT MenuFont();
    static int BarRowHeight();

    static MenuLayout MeasurePopup(HWND owner, HMENU menu);
    static MenuLayout MeasureBar(HWND owner, HMENU menu, int width);

    // selected: index of the highlighted item, -1 for none.
    static void PaintPopup(HDC hdc, HWND owner, const MenuLayout& layout, int selected);
    // barRect is where the bar lies in the DC's coordinates; pressed draws
    // the selected item sunk in, as while its popup is open.
    static void PaintBar(HDC hdc, HWND owner, const MenuLayout& layout, const RECT& barRect, int selected, bool pressed);
};

}  // namespace tw::menu
