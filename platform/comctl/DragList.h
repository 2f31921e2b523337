// The drag list: a list box whose items the user drags with the mouse, told
// to its parent through the registered "commctrl_DragListMsg" message
// (DL_BEGINDRAG, DL_DRAGGING, DL_DROPPED, DL_CANCELDRAG), with the insert
// arrow drawn beside it by DrawInsert.
#pragma once

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class DragList {
public:
    explicit DragList(HWND listBox, WNDPROC oldProc);

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT Message();

    // Milliseconds between the steps of scrolling while the mouse is above or below.
    static constexpr unsigned kAutoScrollMs = 200;

private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Tell(UINT notification);
    void EndDrag(UINT notification);

    HWND listBox_;
    WNDPROC oldProc_;
    bool dragging_ = false;
};

}  // namespace tw::comctl
