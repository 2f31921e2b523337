// The up-down control: two arrow buttons that step a position within a
// range, optionally shown as a number in a buddy window, with keyboard
// arrows on the buddy and acceleration while a button is held.
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class UpDownControl {
public:
    explicit UpDownControl(HWND hwnd);
    ~UpDownControl();
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // The buddy's subclass hands its arrow keys here; true when taken.
    bool OnBuddyKey(UINT vk);

    // The position as the buddy shows it ("1,234"; "0x04D2" in base 16).
    static std::string FormatPosition(int pos, int base, bool thousands);

private:
    DWORD Style() const { return DWORD(GetWindowLong(hwnd_, GWL_STYLE)); }
    bool Horizontal() const { return (Style() & UDS_HORZ) != 0; }
    int Lowest() const { return std::min(lower_, upper_); }
    int Highest() const { return std::max(lower_, upper_); }

    void OnCreate();
    HWND SetBuddy(HWND buddy);
    void AlignToBuddy();
    bool ReadBuddy(int& value) const;
    void ShowInBuddy();
    int SetPos(int pos);
    // One step by the user: up (towards the upper bound) or down.
    void Step(bool up, int steps);
    int CurrentIncrement() const;
    bool UpperHalf(POINT point) const;
    void Paint(HDC dc);

    HWND hwnd_;
    HWND buddy_ = nullptr;
    int lower_ = 100;  // the platform's default range runs from 100 down to 0
    int upper_ = 0;
    int pos_ = 0;
    int base_ = 10;
    std::vector<UDACCEL> accels_;
    int pressed_ = 0;  // +1 up button held, -1 down button held
    unsigned long long pressTime_ = 0;
};

LRESULT CALLBACK UpDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tw::comctl
