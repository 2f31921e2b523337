#include "platform/win32/controls/StaticControl.h"

#include "platform/win32/controls/ControlSupport.h"
#include "platform/win32/gdi/SystemMetrics.h"

namespace tw::controls {

namespace static_detail {

struct StaticState {
    HFONT font = nullptr;
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
};

UINT TypeOf(HWND hwnd)
{
    return StyleOf(hwnd) & SS_TYPEMASK;
}

bool IsTextType(UINT type)
{
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

UINT TextFormat(DWORD style)
{
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: format = DT_SINGLELINE | DT_LEFT; break;
    case SS_LEFTNOWORDWRAP: format |= DT_LEFT; break;
    default: format |= DT_LEFT | DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
    switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_WORD_ELLIPSIS; break;
    default: break;
    }
    return format;
}

void PaintText(HWND hwnd, HDC hdc, const StaticState& s, const RECT& rect)
{
    HBRUSH background = ControlBrush(hwnd, hdc, WM_CTLCOLORSTATIC);
    const DWORD style = StyleOf(hwnd);
    if ((style & SS_TYPEMASK) != SS_SIMPLE || background)
        FillRect(hdc, &rect, background);
    const std::string text = WindowTextOf(hwnd);
    if (text.empty())
        return;
    FontScope font(hdc, s.font);
    SetBkMode(hdc, TRANSPARENT);
    if (!IsWindowEnabled(hwnd))
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    RECT area = rect;
    DrawText(hdc, text.c_str(), -1, &area, TextFormat(style));
}

SIZE ImageSize(const StaticState& s)
{
    if (!s.image)
        return SIZE{0, 0};
    if (s.imageType == IMAGE_ICON)
        return SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    BITMAP bm{};
    GetObject(s.image, sizeof bm, &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

void PaintImage(HWND hwnd, HDC hdc, const StaticState& s, const RECT& rect)
{
    FillRect(hdc, &rect, ControlBrush(hwnd, hdc, WM_CTLCOLORSTATIC));
    if (!s.image)
        return;
    const SIZE size = ImageSize(s);
    int x = rect.left;
    int y = rect.top;
    if (StyleOf(hwnd) & SS_CENTERIMAGE) {
        x = rect.left + (rect.right - rect.left - size.cx) / 2;
        y = rect.top + (rect.bottom - rect.top - size.cy) / 2;
    }
    if (s.imageType == IMAGE_ICON) {
        DrawIconEx(hdc, x, y, static_cast<HICON>(s.image), size.cx, size.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC memory = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(memory, s.image);
    BitBlt(hdc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void PaintOwnerDraw(HWND hwnd, HDC hdc, const StaticState& s, const RECT& rect)
{
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_STATIC;
    dis.CtlID = static_cast<UINT>(ControlId(hwnd));
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
    dis.hwndItem = hwnd;
    dis.hDC = hdc;
    dis.rcItem = rect;
    FontScope font(hdc, s.font);
    SendMessage(GetParent(hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void Paint(HWND hwnd, HDC hdc, const StaticState& s)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    const UINT type = TypeOf(hwnd);
    if (StyleOf(hwnd) & SS_SUNKEN) {
        DrawEdge(hdc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    switch (type) {
    case SS_BLACKRECT: FillRect(hdc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
    case SS_GRAYRECT: FillRect(hdc, &rect, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITERECT: FillRect(hdc, &rect, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); return;
    case SS_BLACKFRAME: FrameRect(hdc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
    case SS_GRAYFRAME: FrameRect(hdc, &rect, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITEFRAME: FrameRect(hdc, &rect, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); return;
    case SS_ETCHEDHORZ: DrawEdge(hdc, &rect, EDGE_ETCHED, BF_TOP); return;
    case SS_ETCHEDVERT: DrawEdge(hdc, &rect, EDGE_ETCHED, BF_LEFT); return;
    case SS_ETCHEDFRAME: DrawEdge(hdc, &rect, EDGE_ETCHED, BF_RECT); return;
    case SS_ICON:
    case SS_BITMAP: PaintImage(hwnd, hdc, s, rect); return;
    case SS_OWNERDRAW: PaintOwnerDraw(hwnd, hdc, s, rect); return;
    default:
        if (IsTextType(type))
            PaintText(hwnd, hdc, s, rect);
        return;
    }
}

// Icons and bitmaps size the control to the image unless it centres the image.
void FitToImage(HWND hwnd, const StaticState& s)
{
    const DWORD style = StyleOf(hwnd);
    if (!s.image || (style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)))
        return;
    const SIZE size = ImageSize(s);
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SetImage(HWND hwnd, StaticState& s, UINT type, HANDLE image)
{
    const UINT own = TypeOf(hwnd);
    if ((type == IMAGE_ICON && own != SS_ICON) || (type == IMAGE_BITMAP && own != SS_BITMAP))
        return 0;
    HANDLE previous = s.image;
    s.image = image;
    s.imageType = type;
    FitToImage(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

// An icon or bitmap label names its image as its title: a resource of the
// creating module, by name or ordinal.
void LoadNamedImage(HWND hwnd, StaticState& s, const CREATESTRUCT* cs)
{
    const UINT type = TypeOf(hwnd);
    if (!cs || !cs->lpszName || (type != SS_ICON && type != SS_BITMAP))
        return;
    if (!IS_INTRESOURCE(cs->lpszName) && !*cs->lpszName)
        return;
    const UINT imageType = type == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
    HANDLE image = LoadImage(cs->hInstance, cs->lpszName, imageType, 0, 0, type == SS_ICON ? LR_DEFAULTSIZE : 0);
    if (image)
        SetImage(hwnd, s, imageType, image);
}

}  // namespace static_detail

LRESULT CALLBACK StaticControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace static_detail;
    if (message == WM_NCCREATE) {
        auto* state = new StaticState;
        state->imageType = TypeOf(hwnd) == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
        AttachState(hwnd, state);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    StaticState* s = StateOf<StaticState>(hwnd);
    if (!s)
        return DefWindowProc(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_NCDESTROY:
        DestroyState<StaticState>(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CREATE:
        LoadNamedImage(hwnd, *s, reinterpret_cast<const CREATESTRUCT*>(lParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd);
        Paint(hwnd, paint.Dc(), *s);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(hwnd, reinterpret_cast<HDC>(wParam), *s);
        return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        if (StyleOf(hwnd) & SS_NOTIFY)
            NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        return 0;
    case WM_NCHITTEST:
        // Without SS_NOTIFY a label lets clicks through to the window under it.
        if (!(StyleOf(hwnd) & SS_NOTIFY))
            return HTTRANSPARENT;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & SS_NOTIFY)
            NotifyParent(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (StyleOf(hwnd) & SS_NOTIFY)
            NotifyParent(hwnd, STN_DBLCLK);
        return 0;
    case STM_SETICON:
        return SetImage(hwnd, *s, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
    case STM_GETICON:
        return s->imageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(s->image) : 0;
    case STM_SETIMAGE:
        return SetImage(hwnd, *s, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam));
    case STM_GETIMAGE:
        return wParam == s->imageType ? reinterpret_cast<LRESULT>(s->image) : 0;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace tw::controls
