#include "platform/win32/dialog/MessageBoxIcons.h"

#include <cstring>

#include "platform/win32/gdi/windraw.h"

namespace tw::dlg {

namespace message_box_icons_detail {

// Selects a pen and a brush for a shape and puts the old ones back.
class Tools {
public:
    Tools(HDC dc, COLORREF outline, COLORREF fill, int penWidth = 1)
        : dc_(dc), pen_(CreatePen(PS_SOLID, penWidth, outline)), brush_(CreateSolidBrush(fill))
    {
        oldPen_ = SelectObject(dc_, pen_);
        oldBrush_ = SelectObject(dc_, brush_);
    }
    ~Tools()
    {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        DeleteObject(pen_);
        DeleteObject(brush_);
    }
    Tools(const Tools&) = delete;
    Tools& operator=(const Tools&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

void Balloon(HDC dc, int x, int y)
{
    Tools tools(dc, RGB(128, 128, 128), RGB(255, 255, 255));
    const POINT tail[3] = {{x + 8, y + 20}, {x + 4, y + 31}, {x + 16, y + 24}};
    Polygon(dc, tail, 3);
    Ellipse(dc, x + 1, y + 1, x + 31, y + 26);
}

void Bar(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    Tools tools(dc, colour, colour);
    Rectangle(dc, left, top, right, bottom);
}

void Stop(HDC dc, int x, int y)
{
    {
        Tools disc(dc, RGB(128, 0, 0), RGB(255, 0, 0));
        Ellipse(dc, x + 1, y + 1, x + 31, y + 31);
    }
    Tools cross(dc, RGB(255, 255, 255), RGB(255, 255, 255), 4);
    MoveToEx(dc, x + 10, y + 10, nullptr);
    LineTo(dc, x + 22, y + 22);
    MoveToEx(dc, x + 22, y + 10, nullptr);
    LineTo(dc, x + 10, y + 22);
}

void Question(HDC dc, int x, int y)
{
    Balloon(dc, x, y);
    HFONT font = CreateFont(-22, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 255));
    RECT area{x + 1, y + 1, x + 31, y + 26};
    DrawText(dc, "?", 1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, old);
    DeleteObject(font);
}

void Exclamation(HDC dc, int x, int y)
{
    {
        Tools triangle(dc, RGB(0, 0, 0), RGB(255, 255, 0));
        const POINT corners[3] = {{x + 16, y + 1}, {x + 31, y + 29}, {x + 1, y + 29}};
        Polygon(dc, corners, 3);
    }
    Bar(dc, x + 14, y + 9, x + 18, y + 20, RGB(0, 0, 0));
    Bar(dc, x + 14, y + 22, x + 18, y + 26, RGB(0, 0, 0));
}

void Information(HDC dc, int x, int y)
{
    Balloon(dc, x, y);
    Bar(dc, x + 14, y + 5, x + 18, y + 9, RGB(0, 0, 255));
    Bar(dc, x + 14, y + 11, x + 18, y + 22, RGB(0, 0, 255));
}

}  // namespace message_box_icons_detail

bool MessageBoxIcons::IsKnown(UINT icon)
{
    switch (icon & MB_ICONMASK) {
    case MB_ICONHAND:
    case MB_ICONQUESTION:
    case MB_ICONEXCLAMATION:
    case MB_ICONASTERISK:
        return true;
    default:
        return false;
    }
}

bool MessageBoxIcons::Draw(HDC dc, int x, int y, UINT icon)
{
    namespace d = message_box_icons_detail;
    switch (icon & MB_ICONMASK) {
    case MB_ICONHAND:
        d::Stop(dc, x, y);
        return true;
    case MB_ICONQUESTION:
        d::Question(dc, x, y);
        return true;
    case MB_ICONEXCLAMATION:
        d::Exclamation(dc, x, y);
        return true;
    case MB_ICONASTERISK:
        d::Information(dc, x, y);
        return true;
    default:
        return false;
    }
}

}  // namespace tw::dlg
