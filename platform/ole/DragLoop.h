// The modal loop of DoDragDrop: it holds the capture on a hidden window of
// its own, follows the mouse and the keys through the thread's queue, keeps
// the drop target under the mouse informed, asks the source whether to go
// on, and shows the source's feedback. A timer repeats DragOver while the
// mouse rests, so that a target can scroll near its edges.
#pragma once

#include "platform/ole/oleidl.h"

namespace tw::ole {

class DragLoop {
public:
    // How often a resting mouse repeats DragOver.
    static constexpr UINT kRepeatMs = 50;

    DragLoop(IDataObject* data, IDropSource* source, DWORD okEffects);
    ~DragLoop();
    DragLoop(const DragLoop&) = delete;
    DragLoop& operator=(const DragLoop&) = delete;

    HRESULT Run(DWORD* effect);

private:
    // Moves to the target under pt (DragLeave / DragEnter) or tells the same one (DragOver).
    void Track(POINT pt);
    void LeaveTarget();
    void GiveFeedback();
    // S_OK to go on, otherwise how the loop ended.
    HRESULT AskSource();
    HRESULT Finish(HRESULT how, DWORD* effect);
    // Reads one message: false when the loop must stop (WM_QUIT, put back).
    bool Step();
    void OnKey(UINT vk, bool down);
    static DWORD InitialKeys();
    POINTL Where() const { return POINTL{pt_.x, pt_.y}; }

    IDataObject* data_;
    IDropSource* source_;
    DWORD okEffects_;
    HWND tracker_ = nullptr;
    IDropTarget* target_ = nullptr;
    HWND targetWindow_ = nullptr;
    DWORD keys_ = 0;
    DWORD effect_ = DROPEFFECT_NONE;
    POINT pt_{0, 0};
    bool escape_ = false;
};

}  // namespace tw::ole
