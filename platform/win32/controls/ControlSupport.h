// What every standard control needs: its state object kept in the window's
// extra bytes, notifications to the parent, the parent's colours, the font,
// and stepping over whole UTF-8 characters.
#pragma once

#include <string>

#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/RectFunctions.h"

namespace tw::controls {

// Extra bytes every control class asks for: one pointer to its state.
constexpr int kStateBytes = sizeof(void*);

template <typename State>
State* StateOf(HWND hwnd)
{
    return reinterpret_cast<State*>(GetWindowLongPtr(hwnd, 0));
}

template <typename State>
void AttachState(HWND hwnd, State* state)
{
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
}

template <typename State>
void DestroyState(HWND hwnd)
{
    delete StateOf<State>(hwnd);
    SetWindowLongPtr(hwnd, 0, 0);
}

DWORD StyleOf(HWND hwnd);
int ControlId(HWND hwnd);

// WM_COMMAND to the parent with MAKEWPARAM(id, code) and the control's handle.
void NotifyParent(HWND hwnd, int code);

// The brush and DC colours the parent (or another owner) chooses for this
// control; the default ones when there is none or it answers with no brush.
HBRUSH ControlBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage, HWND owner = nullptr);

// The font a control draws with: its own, or the system font.
HFONT FontOrSystem(HFONT font);

// Selects a font into a DC for a scope.
class FontScope {
public:
    FontScope(HDC hdc, HFONT font) : hdc_(hdc), old_(SelectObject(hdc, FontOrSystem(font))) {}
    ~FontScope() { SelectObject(hdc_, old_); }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    HDC hdc_;
    HGDIOBJ old_;
};

// Height of a line of text in a font (tmHeight).
int FontHeight(HFONT font);
// Average character width of a font (for dialog-unit tab stops).
int FontAverageWidth(HFONT font);

std::string WindowTextOf(HWND hwnd);

// Whole UTF-8 characters: the offset of the next or previous character
// boundary, and an offset moved back onto a boundary.
size_t NextCharOffset(const std::string& text, size_t offset);
size_t PrevCharOffset(const std::string& text, size_t offset);
size_t SnapToCharStart(const std::string& text, size_t offset);
// The UTF-8 bytes of a code point.
std::string EncodeUtf8(unsigned codePoint);

// Case-insensitive comparisons as the list controls sort and search.
int CompareNoCase(const std::string& a, const std::string& b);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

// Whether the point (client coordinates) lies in the client area.
bool ClientContains(HWND hwnd, POINT pt);
POINT PointFromLParam(LPARAM lParam);

// Keys held now, for mouse and keyboard handlers.
bool IsKeyDown(int vk);

// BeginPaint and EndPaint around a scope.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { hdc_ = BeginPaint(hwnd, &ps_); }
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return hdc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC hdc_;
};

}  // namespace tw::controls
