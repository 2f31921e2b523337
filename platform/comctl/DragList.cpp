#include "platform/comctl/DragList.h"

#include <map>
#include <mutex>

#include "platform/win32/kernel/ProcessClock.h"

namespace tw::comctl {

namespace detail_draglist {
constexpr const char* kDragListProp = "tw.comctl.draglist";
constexpr int kArrowWidth = 8;
constexpr int kArrowHeight = 8;
constexpr int kArrowGap = 2;

// Where DrawInsert last drew its arrow, per list box, in parent coordinates.
std::mutex& InsertLock()
{
    static std::mutex lock;
    return lock;
}
std::map<HWND, RECT>& InsertMarks()
{
    static std::map<HWND, RECT> marks;
    return marks;
}
std::map<HWND, unsigned long long>& LastScroll()
{
    static std::map<HWND, unsigned long long> times;
    return times;
}
}  // namespace detail_draglist

using namespace detail_draglist;

DragList::DragList(HWND listBox, WNDPROC oldProc) : listBox_(listBox), oldProc_(oldProc) {}

UINT DragList::Message()
{
    static const UINT message = RegisterWindowMessage(DRAGLISTMSGSTRING);
    return message;
}

LRESULT DragList::Tell(UINT notification)
{
    DRAGLISTINFO info{};
    info.uNotification = notification;
    info.hWnd = listBox_;
    GetCursorPos(&info.ptCursor);
    return SendMessage(GetParent(listBox_), Message(), WPARAM(GetDlgCtrlID(listBox_)),
                       reinterpret_cast<LPARAM>(&info));
}

void DragList::EndDrag(UINT notification)
{
    if (!dragging_)
        return;
    dragging_ = false;
    if (GetCapture() == listBox_)
        ReleaseCapture();
    Tell(notification);
}

LRESULT DragList::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        // The list box selects the item first; then the parent may start a drag.
        const LRESULT result = CallWindowProc(oldProc_, listBox_, message, wParam, lParam);
        if (!dragging_ && Tell(DL_BEGINDRAG)) {
            dragging_ = true;
            SetCapture(listBox_);
        }
        return result;
    }
    case WM_MOUSEMOVE:
        if (dragging_) {
            const LRESULT cursor = Tell(DL_DRAGGING);
            if (cursor == DL_STOPCURSOR)
                SetCursor(LoadCursor(nullptr, IDC_NO));
            else if (cursor == DL_COPYCURSOR || cursor == DL_MOVECURSOR)
                SetCursor(LoadCursor(nullptr, IDC_ARROW));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (dragging_) {
            EndDrag(DL_DROPPED);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (dragging_ && wParam == VK_ESCAPE) {
            EndDrag(DL_CANCELDRAG);
            return 0;
        }
        break;
    case WM_RBUTTONDOWN:
        if (dragging_) {
            EndDrag(DL_CANCELDRAG);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (dragging_ && reinterpret_cast<HWND>(lParam) != listBox_)
            EndDrag(DL_CANCELDRAG);
        break;
    default:
        break;
    }
    return CallWindowProc(oldProc_, listBox_, message, wParam, lParam);
}

LRESULT CALLBACK DragList::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<DragList*>(GetProp(hwnd, kDragListProp));
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC oldProc = self->oldProc_;
        RemoveProp(hwnd, kDragListProp);
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
        delete self;
        {
            std::lock_guard lock(InsertLock());
            InsertMarks().erase(hwnd);
            LastScroll().erase(hwnd);
        }
        return CallWindowProc(oldProc, hwnd, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

}  // namespace tw::comctl

using tw::comctl::DragList;

BOOL MakeDragList(HWND hLB)
{
    if (!IsWindow(hLB) || GetProp(hLB, tw::comctl::detail_draglist::kDragListProp))
        return FALSE;
    DragList::Message();
    const auto oldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hLB, GWLP_WNDPROC));
    auto* list = new DragList(hLB, oldProc);
    SetProp(hLB, tw::comctl::detail_draglist::kDragListProp, list);
    SetWindowLongPtr(hLB, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DragList::Proc));
    return TRUE;
}

int LBItemFromPt(HWND hLB, POINT pt, BOOL bAutoScroll)
{
    using namespace tw::comctl::detail_draglist;
    if (!IsWindow(hLB))
        return -1;
    ScreenToClient(hLB, &pt);
    RECT client{};
    GetClientRect(hLB, &client);
    if (pt.x < client.left || pt.x >= client.right)
        return -1;
    if (pt.y < client.top || pt.y >= client.bottom) {
        if (!bAutoScroll)
            return -1;
        // Scrolls one item towards the mouse, no faster than every kAutoScrollMs.
        const unsigned long long now = tw::ProcessClock::NowMs();
        {
            std::lock_guard lock(InsertLock());
            auto last = LastScroll().find(hLB);
            if (last != LastScroll().end() && now - last->second < DragList::kAutoScrollMs)
                return -1;
            LastScroll()[hLB] = now;
        }
        const int top = int(SendMessage(hLB, LB_GETTOPINDEX, 0, 0));
        SendMessage(hLB, LB_SETTOPINDEX, WPARAM(std::max(0, pt.y < client.top ? top - 1 : top + 1)), 0);
        return -1;
    }
    const int count = int(SendMessage(hLB, LB_GETCOUNT, 0, 0));
    for (int index = int(SendMessage(hLB, LB_GETTOPINDEX, 0, 0)); index < count; ++index) {
        RECT item{};
        if (SendMessage(hLB, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
            break;
        if (item.top > client.bottom)
            break;
        if (pt.y >= item.top && pt.y < item.bottom)
            return index;
    }
    return -1;
}

void DrawInsert(HWND handParent, HWND hLB, int nItem)
{
    using namespace tw::comctl::detail_draglist;
    if (!IsWindow(handParent) || !IsWindow(hLB))
        return;
    RECT next{};
    bool draw = false;
    if (nItem >= 0) {
        RECT item{};
        const int count = int(SendMessage(hLB, LB_GETCOUNT, 0, 0));
        // Past the last item, the arrow points under it.
        const int at = std::min(nItem, std::max(0, count - 1));
        if (SendMessage(hLB, LB_GETITEMRECT, WPARAM(at), reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
            const int y = nItem < count ? item.top : item.bottom;
            POINT corner{0, y};
            MapWindowPoints(hLB, handParent, &corner, 1);
            RECT listRect{};
            GetWindowRect(hLB, &listRect);
            MapWindowPoints(nullptr, handParent, reinterpret_cast<POINT*>(&listRect), 2);
            next = RECT{listRect.left - kArrowGap - kArrowWidth, corner.y - kArrowHeight / 2, listRect.left - kArrowGap,
                        corner.y + kArrowHeight / 2 + 1};
            draw = true;
        }
    }
    RECT previous{};
    bool hadPrevious = false;
    {
        std::lock_guard lock(InsertLock());
        auto it = InsertMarks().find(hLB);
        if (it != InsertMarks().end()) {
            previous = it->second;
            hadPrevious = true;
        }
        if (draw)
            InsertMarks()[hLB] = next;
        else
            InsertMarks().erase(hLB);
    }
    if (hadPrevious && draw && EqualRect(&previous, &next))
        return;
    if (hadPrevious)
        RedrawWindow(handParent, &previous, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (!draw)
        return;
    // A right-pointing arrow whose tip touches the list box at the insert line.
    HDC dc = GetDC(handParent);
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_WINDOWTEXT));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const int middle = (next.top + next.bottom) / 2;
    const POINT arrow[3] = {{next.left, next.top}, {next.right, middle}, {next.left, next.bottom}};
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    ReleaseDC(handParent, dc);
}
