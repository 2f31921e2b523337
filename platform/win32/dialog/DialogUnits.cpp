#include "platform/win32/dialog/DialogUnits.h"

#include <cstring>

#include "platform/win32/dialog/DialogState.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/kernel/KernelObjects.h"

namespace tw::dlg {

namespace dialog_units_detail {

// a * b / c rounded to the nearest, halves away from zero, as MulDiv does.
int ScaleRounded(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace dialog_units_detail

SIZE DialogUnits::BaseUnitsOf(HFONT font)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE units{8, 16};
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return units;
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRIC tm{};
    SIZE extent{};
    const int length = static_cast<int>(std::strlen(kAlphabet));
    if (GetTextMetrics(dc, &tm) && GetTextExtentPoint32(dc, kAlphabet, length, &extent)) {
        units.cx = (extent.cx / 26 + 1) / 2;
        units.cy = tm.tmHeight;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return units;
}

int DialogUnits::XToPixels(int dlu, SIZE baseUnits)
{
    return dialog_units_detail::ScaleRounded(dlu, baseUnits.cx, 4);
}

int DialogUnits::YToPixels(int dlu, SIZE baseUnits)
{
    return dialog_units_detail::ScaleRounded(dlu, baseUnits.cy, 8);
}

RECT DialogUnits::ToPixels(const RECT& dlu, SIZE baseUnits)
{
    return RECT{XToPixels(dlu.left, baseUnits), YToPixels(dlu.top, baseUnits), XToPixels(dlu.right, baseUnits),
                YToPixels(dlu.bottom, baseUnits)};
}

}  // namespace tw::dlg

LONG GetDialogBaseUnits()
{
    static const SIZE units = tw::dlg::DialogUnits::BaseUnitsOf(nullptr);
    return MAKELONG(units.cx, units.cy);
}

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    auto state = tw::dlg::DialogStates::Find(hDlg);
    if (!state) {
        SetLastError(IsWindow(hDlg) ? ERROR_WINDOW_NOT_DIALOG : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *lpRect = tw::dlg::DialogUnits::ToPixels(*lpRect, state->baseUnits);
    return TRUE;
}
