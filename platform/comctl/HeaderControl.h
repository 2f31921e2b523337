// The header control: a row of column buttons with text, images and sort
// arrows, resized by dragging or double-clicking their dividers. The list
// view uses it for its report view.
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class HeaderControl {
public:
    explicit HeaderControl(HWND hwnd);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Pixels on either side of a divider that grab it.
    static constexpr int kDividerGrip = 4;

private:
    struct Item {
        int width = 0;
        std::string text;
        HBITMAP bitmap = nullptr;
        int format = HDF_LEFT | HDF_STRING;
        LPARAM lParam = 0;
        int image = 0;
    };

    int Count() const { return int(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    RECT ItemRect(int index) const;
    int HitTest(POINT point, UINT& flags) const;

    LRESULT Insert(int index, const HDITEM* item);
    bool Delete(int index);
    bool GetItem(int index, HDITEM* item) const;
    bool SetItem(int index, const HDITEM* item);
    bool Layout(HDLAYOUT* layout);
    int Height() const;

    LRESULT Notify(UINT code, int index, HDITEM* item, int button = 0);
    bool ChangeWidth(int index, int width);

    void OnButtonDown(POINT point, bool doubleClick);
    void OnMouseMove(POINT point);
    void OnButtonUp(POINT point);
    void EndTrack(bool apply);
    void Paint(HDC dc);
    void PaintItem(HDC dc, int index);

    HWND hwnd_;
    std::vector<Item> items_;
    std::vector<int> order_;  // display position -> item index
    HIMAGELIST images_ = nullptr;
    HFONT font_ = nullptr;
    int tracking_ = -1;   // the item whose divider is dragged
    int trackWidth_ = 0;
    int pressed_ = -1;    // the item button held down
    bool pressedInside_ = false;
};

LRESULT CALLBACK HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tw::comctl
