// The tab control: a row (or rows) of tabs over a display area; selecting a
// tab by mouse or keyboard asks the parent first (TCN_SELCHANGING).
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class TabControl {
public:
    explicit TabControl(HWND hwnd);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        std::string text;
        int image = -1;
        LPARAM lParam = 0;
        DWORD state = 0;
    };

    int Count() const { return int(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    void Relayout();
    int RowHeight() const;
    int TabWidth(const Item& item) const;
    RECT ItemRect(int index) const;
    int HitTest(POINT point, UINT* flags) const;
    void AdjustRect(bool larger, RECT* rect) const;

    LRESULT Insert(int index, const TCITEM* item);
    bool Delete(int index);
    bool GetItem(int index, TCITEM* item) const;
    bool SetItem(int index, const TCITEM* item);
    int SetCurSel(int index);
    // Selection by the user: asks the parent, then tells it.
    void SelectByUser(int index);
    LRESULT Notify(UINT code);

    void OnKeyDown(UINT vk);
    void Paint(HDC dc);

    HWND hwnd_;
    std::vector<Item> items_;
    std::vector<RECT> rects_;  // each tab's rectangle, rows laid out from the top
    int rows_ = 1;
    int selected_ = -1;
    int focused_ = -1;
    HIMAGELIST images_ = nullptr;
    HFONT font_ = nullptr;
    SIZE fixedSize_{0, 0};
};

LRESULT CALLBACK TabControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tw::comctl
