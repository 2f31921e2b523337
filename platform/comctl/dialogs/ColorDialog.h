// The colour dialog: 48 basic colours, the caller's 16 custom colours, and
// the red, green and blue boxes of the full dialog.
#pragma once

#include <array>

#include "platform/comctl/dialogs/commdlg.h"
#include "platform/win32/controls/stdctrl.h"

namespace tw::comdlg {

class ColorDialog {
public:
    // The swatches' control ids: basic colours row by row, then custom ones.
    // The two runs are contiguous, so one loop walks every swatch.
    static constexpr int kBasicCount = 48;
    static constexpr int kCustomCount = 16;
    static constexpr int kBasicFirstId = 0x0600;
    static constexpr int kCustomFirstId = kBasicFirstId + kBasicCount;
    static const std::array<COLORREF, kBasicCount>& BasicColors();

    static BOOL Run(LPCHOOSECOLOR request);

private:
    struct State;
    static bool Validate(const CHOOSECOLOR* request);
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static void Initialise(HWND dialog, State& state);
    static void OpenFull(HWND dialog, State& state);
    static void Select(HWND dialog, State& state, COLORREF color, bool updateBoxes);
    static void ReadBoxes(HWND dialog, State& state);
    static void AddCustom(HWND dialog, State& state);
    static void DrawSwatch(const State& state, const DRAWITEMSTRUCT& item);
    static COLORREF SwatchColor(const State& state, int id);
    static bool Command(HWND dialog, State& state, int id, int code);
};

}  // namespace tw::comdlg
