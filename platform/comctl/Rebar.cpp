#include "platform/comctl/Rebar.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/comctl/ControlClasses.h"
#include "platform/win32/controls/ControlSupport.h"

namespace tw::comctl {

namespace rebar_detail {

constexpr int kGripperWidth = 10;
constexpr int kTextPadding = 4;
constexpr int kBandPadding = 2;  // above and below each child
constexpr int kBorder = 2;       // between bands and rows with RBS_BANDBORDERS
// Bits whose fields hold handles or pointers, never taken from stored bytes.
constexpr UINT kTransientBits = RBBIM_TEXT | RBBIM_CHILD | RBBIM_BACKGROUND | RBBIM_LPARAM;

struct Band {
    UINT style = 0;
    COLORREF fore = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
    std::string text;
    int image = -1;
    HWND child = nullptr;
    UINT minChildWidth = 0;
    UINT minChildHeight = 0;
    UINT width = 0;  // as asked for: the last band of a row is shown wider
    HBITMAP background = nullptr;
    UINT id = 0;
    UINT childHeight = 0;
    UINT maxChildHeight = 0;
    UINT integral = 0;
    UINT idealWidth = 0;
    LPARAM lParam = 0;
    UINT header = 0;
    bool headerSet = false;
    RECT rect{};
    size_t row = 0;

    bool Hidden() const { return (style & RBBS_HIDDEN) != 0; }
};

class RebarState {
public:
    explicit RebarState(HWND hwnd) : hwnd_(hwnd) {}
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return controls::StyleOf(hwnd_); }
    HWND NotifyTarget() const { return notifyParent_ ? notifyParent_ : GetParent(hwnd_); }
    Band* BandAt(WPARAM index) { return index < bands_.size() ? &bands_[index] : nullptr; }

    bool Insert(WPARAM index, const REBARBANDINFO* info);
    bool SetInfo(WPARAM index, const REBARBANDINFO* info);
    bool GetInfo(WPARAM index, REBARBANDINFO* info);
    bool Move(WPARAM from, LPARAM to);
    bool Delete(WPARAM index);
    bool Show(WPARAM index, bool show);
    void Apply(Band& band, const REBARBANDINFO& info);
    int HeaderWidth(const Band& band) const;
    int ChildHeight(const Band& band) const;
    void Layout();
    void LayoutRow(std::vector<Band*>& row, int top, int width);
    void PlaceChildren();
    void Paint(HDC hdc);

    HWND hwnd_;
    std::vector<Band> bands_;
    std::vector<int> rowHeights_;
    HWND notifyParent_ = nullptr;
    HIMAGELIST images_ = nullptr;
    HFONT font_ = nullptr;
    int height_ = 0;
    bool resizing_ = false;
};

bool ValidBandInfo(const REBARBANDINFO* info) { return info && info->cbSize == sizeof(REBARBANDINFO); }

void RebarState::Apply(Band& band, const REBARBANDINFO& info)
{
    const UINT mask = info.fMask;
    if (mask & RBBIM_STYLE)
        band.style = info.fStyle;
    if (mask & RBBIM_COLORS) {
        band.fore = info.clrFore;
        band.back = info.clrBack;
    }
    if (mask & RBBIM_TEXT)
        band.text = info.lpText ? info.lpText : "";
    if (mask & RBBIM_IMAGE)
        band.image = info.iImage;
    if (mask & RBBIM_CHILD) {
        if (band.child && band.child != info.hwndChild && IsWindow(band.child))
            ShowWindow(band.child, SW_HIDE);
        band.child = info.hwndChild;
        if (band.child && GetParent(band.child) != hwnd_)
            SetParent(band.child, hwnd_);
    }
    if (mask & RBBIM_CHILDSIZE) {
        band.minChildWidth = info.cxMinChild;
        band.minChildHeight = info.cyMinChild;
        band.childHeight = info.cyChild;
        band.maxChildHeight = info.cyMaxChild;
        band.integral = info.cyIntegral;
    }
    if (mask & RBBIM_SIZE)
        band.width = info.cx;
    if (mask & RBBIM_BACKGROUND)
        band.background = info.hbmBack;
    if (mask & RBBIM_ID)
        band.id = info.wID;
    if (mask & RBBIM_IDEALSIZE)
        band.idealWidth = info.cxIdeal;
    if (mask & RBBIM_LPARAM)
        band.lParam = info.lParam;
    if (mask & RBBIM_HEADERSIZE) {
        band.header = info.cxHeader;
        band.headerSet = true;
    }
}

bool RebarState::Insert(WPARAM index, const REBARBANDINFO* info)
{
    if (!ValidBandInfo(info))
        return false;
    const size_t at = index >= bands_.size() ? bands_.size() : index;
    Band band;
    Apply(band, *info);
    bands_.insert(bands_.begin() + static_cast<std::ptrdiff_t>(at), band);
    if (band.child && IsWindow(band.child))
        ShowWindow(band.child, band.Hidden() ? SW_HIDE : SW_SHOW);
    Layout();
    return true;
}

bool RebarState::SetInfo(WPARAM index, const REBARBANDINFO* info)
{
    Band* band = BandAt(index);
    if (!band || !ValidBandInfo(info))
        return false;
    Apply(*band, *info);
    Layout();
    return true;
}

bool RebarState::GetInfo(WPARAM index, REBARBANDINFO* info)
{
    const Band* band = BandAt(index);
    if (!band || !ValidBandInfo(info))
        return false;
    const UINT mask = info->fMask;
    if (mask & RBBIM_STYLE)
        info->fStyle = band->style;
    if (mask & RBBIM_COLORS) {
        info->clrFore = band->fore;
        info->clrBack = band->back;
    }
    if ((mask & RBBIM_TEXT) && info->lpText && info->cch > 0) {
        const size_t count = controls::SnapToCharStart(band->text, std::min<size_t>(band->text.size(), info->cch - 1));
        std::memcpy(info->lpText, band->text.data(), count);
        info->lpText[count] = '\0';
    }
    if (mask & RBBIM_IMAGE)
        info->iImage = band->image;
    if (mask & RBBIM_CHILD)
        info->hwndChild = band->child;
    if (mask & RBBIM_CHILDSIZE) {
        info->cxMinChild = band->minChildWidth;
        info->cyMinChild = band->minChildHeight;
        info->cyChild = band->childHeight;
        info->cyMaxChild = band->maxChildHeight;
        info->cyIntegral = band->integral;
    }
    if (mask & RBBIM_SIZE)
        info->cx = band->width;
    if (mask & RBBIM_BACKGROUND)
        info->hbmBack = band->background;
    if (mask & RBBIM_ID)
        info->wID = band->id;
    if (mask & RBBIM_IDEALSIZE)
        info->cxIdeal = band->idealWidth;
    if (mask & RBBIM_LPARAM)
        info->lParam = band->lParam;
    if (mask & RBBIM_HEADERSIZE)
        info->cxHeader = static_cast<UINT>(HeaderWidth(*band));
    return true;
}

bool RebarState::Move(WPARAM from, LPARAM to)
{
    if (from >= bands_.size() || to < 0 || static_cast<size_t>(to) >= bands_.size())
        return false;
    Band moving = bands_[from];
    bands_.erase(bands_.begin() + static_cast<std::ptrdiff_t>(from));
    bands_.insert(bands_.begin() + to, moving);
    Layout();
    return true;
}

bool RebarState::Delete(WPARAM index)
{
    Band* band = BandAt(index);
    if (!band)
        return false;
    if (band->child && IsWindow(band->child))
        ShowWindow(band->child, SW_HIDE);
    bands_.erase(bands_.begin() + static_cast<std::ptrdiff_t>(index));
    Layout();
    return true;
}

bool RebarState::Show(WPARAM index, bool show)
{
    Band* band = BandAt(index);
    if (!band)
        return false;
    band->style = show ? (band->style & ~RBBS_HIDDEN) : (band->style | RBBS_HIDDEN);
    if (band->child && IsWindow(band->child))
        ShowWindow(band->child, show ? SW_SHOW : SW_HIDE);
    Layout();
    return true;
}

// --- layout -------------------------------------------------------------------------------------

int RebarState::HeaderWidth(const Band& band) const
{
    if (band.headerSet)
        return static_cast<int>(band.header);
    const bool gripper = !(band.style & (RBBS_NOGRIPPER | RBBS_FIXEDSIZE)) || (band.style & RBBS_GRIPPERALWAYS);
    int width = gripper ? kGripperWidth : 0;
    if (!band.text.empty() && !(band.style & RBBS_HIDETITLE)) {
        HDC hdc = GetDC(hwnd_);
        controls::FontScope font(hdc, font_);
        SIZE size{};
        GetTextExtentPoint32(hdc, band.text.c_str(), static_cast<int>(band.text.size()), &size);
        ReleaseDC(hwnd_, hdc);
        width += size.cx + kTextPadding;
    }
    return width;
}

int RebarState::ChildHeight(const Band& band) const
{
    const bool variable = (Style() & RBS_VARHEIGHT) && (band.style & RBBS_VARIABLEHEIGHT);
    return static_cast<int>(variable ? std::max(band.childHeight, band.minChildHeight) : band.minChildHeight);
}

// Bands keep their widths where the row has room; the last takes what is
// left, and when the row is too short the bands give way from the right.
void RebarState::LayoutRow(std::vector<Band*>& row, int top, int width)
{
    if (row.empty())
        return;
    const int gap = (Style() & RBS_BANDBORDERS) ? kBorder : 0;
    std::vector<int> widths;
    int used = 0;
    for (const Band* band : row) {
        const int least = HeaderWidth(*band) + static_cast<int>(band->minChildWidth);
        widths.push_back(std::max(least, static_cast<int>(band->width)));
        used += widths.back() + gap;
    }
    used -= gap;
    for (size_t i = row.size(); i-- > 0 && used > width;) {
        const int least = HeaderWidth(*row[i]) + static_cast<int>(row[i]->minChildWidth);
        const int give = std::min(used - width, widths[i] - least);
        widths[i] -= give;
        used -= give;
    }
    if (used < width)
        widths.back() += width - used;
    int height = 0;
    for (const Band* band : row)
        height = std::max(height, ChildHeight(*band) + 2 * kBandPadding);
    int x = 0;
    for (size_t i = 0; i < row.size(); ++i) {
        row[i]->rect = RECT{x, top, x + widths[i], top + height};
        x += widths[i] + gap;
    }
    rowHeights_.push_back(height);
}

void RebarState::Layout()
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = client.right - client.left;
    rowHeights_.clear();
    std::vector<Band*> row;
    int top = 0;
    int rowUsed = 0;
    const int gap = (Style() & RBS_BANDBORDERS) ? kBorder : 0;
    for (Band& band : bands_) {
        if (band.Hidden())
            continue;
        const int least = HeaderWidth(band) + static_cast<int>(band.minChildWidth);
        if (!row.empty() && ((band.style & RBBS_BREAK) || rowUsed + least > width)) {
            LayoutRow(row, top, width);
            top += rowHeights_.back() + gap;
            row.clear();
            rowUsed = 0;
        }
        band.row = rowHeights_.size();
        row.push_back(&band);
        rowUsed += least + gap;
    }
    LayoutRow(row, top, width);
    const int height = rowHeights_.empty() ? 0 : top + rowHeights_.back();
    PlaceChildren();
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (height == height_)
        return;
    height_ = height;
    if (!(Style() & CCS_NORESIZE) && !resizing_) {
        RECT window{};
        GetWindowRect(hwnd_, &window);
        resizing_ = true;
        SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left,
                     height + (window.bottom - window.top) - (client.bottom - client.top),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        resizing_ = false;
    }
    NMHDR header{};
    SendNotifyTo(NotifyTarget(), hwnd_, RBN_HEIGHTCHANGE, &header);
}

void RebarState::PlaceChildren()
{
    for (const Band& band : bands_) {
        if (band.Hidden() || !band.child || !IsWindow(band.child))
            continue;
        const int left = band.rect.left + HeaderWidth(band);
        const int height = ChildHeight(band);
        const int top = band.rect.top + (band.rect.bottom - band.rect.top - height) / 2;
        SetWindowPos(band.child, nullptr, left, top, std::max(0, static_cast<int>(band.rect.right) - left), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void RebarState::Paint(HDC hdc)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    controls::FontScope font(hdc, font_);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    for (const Band& band : bands_) {
        if (band.Hidden())
            continue;
        RECT rect = band.rect;
        const bool gripper = !band.headerSet && (!(band.style & (RBBS_NOGRIPPER | RBBS_FIXEDSIZE)) ||
                                                 (band.style & RBBS_GRIPPERALWAYS));
        if (gripper) {
            RECT grip{rect.left + 2, rect.top + 2, rect.left + 5, rect.bottom - 2};
            DrawEdge(hdc, &grip, BDR_RAISEDINNER, BF_RECT);
        }
        if (!band.text.empty() && !(band.style & RBBS_HIDETITLE)) {
            RECT label{rect.left + (gripper ? kGripperWidth : 0), rect.top, rect.left + HeaderWidth(band), rect.bottom};
            DrawText(hdc, band.text.c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        }
        if (Style() & RBS_BANDBORDERS) {
            RECT edge{rect.right, rect.top, rect.right + kBorder, rect.bottom};
            DrawEdge(hdc, &edge, EDGE_ETCHED, BF_LEFT);
        }
    }
}

LRESULT RebarState::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case RB_INSERTBANDA: return Insert(wParam, reinterpret_cast<const REBARBANDINFO*>(lParam)) ? TRUE : FALSE;
    case RB_DELETEBAND: return Delete(wParam) ? TRUE : FALSE;
    case RB_SETBANDINFOA: return SetInfo(wParam, reinterpret_cast<const REBARBANDINFO*>(lParam)) ? TRUE : FALSE;
    case RB_GETBANDINFOOLD:
    case RB_GETBANDINFOA: return GetInfo(wParam, reinterpret_cast<REBARBANDINFO*>(lParam)) ? TRUE : FALSE;
    case RB_GETBANDCOUNT: return static_cast<LRESULT>(bands_.size());
    case RB_MOVEBAND: return Move(wParam, lParam) ? TRUE : FALSE;
    case RB_SHOWBAND: return Show(wParam, lParam != 0) ? TRUE : FALSE;
    case RB_GETROWCOUNT: return static_cast<LRESULT>(rowHeights_.size());
    case RB_GETROWHEIGHT: {
        const Band* band = BandAt(wParam);
        return band && !band->Hidden() ? rowHeights_[band->row] : 0;
    }
    case RB_GETBARHEIGHT: return height_;
    case RB_IDTOINDEX:
        for (size_t i = 0; i < bands_.size(); ++i)
            if (bands_[i].id == static_cast<UINT>(wParam))
                return static_cast<LRESULT>(i);
        return -1;
    case RB_GETRECT: {
        const Band* band = BandAt(wParam);
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!band || !rect)
            return FALSE;
        *rect = band->rect;
        return TRUE;
    }
    case RB_GETBANDBORDERS: {
        const Band* band = BandAt(wParam);
        if (auto* rect = reinterpret_cast<RECT*>(lParam); band && rect)
            *rect = RECT{HeaderWidth(*band), kBandPadding, 0, kBandPadding};
        return 0;
    }
    case RB_SETPARENT: {
        HWND old = NotifyTarget();
        notifyParent_ = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case RB_SETBARINFO: {
        const auto* info = reinterpret_cast<const REBARINFO*>(lParam);
        if (!info || info->cbSize != sizeof(REBARINFO))
            return FALSE;
        if (info->fMask & RBIM_IMAGELIST)
            images_ = info->himl;
        return TRUE;
    }
    case RB_GETBARINFO: {
        auto* info = reinterpret_cast<REBARINFO*>(lParam);
        if (!info || info->cbSize != sizeof(REBARINFO))
            return FALSE;
        if (info->fMask & RBIM_IMAGELIST)
            info->himl = images_;
        return TRUE;
    }
    // The bands' children talk to the rebar's owner, as if it were not there.
    case WM_NOTIFY:
    case WM_COMMAND: return NotifyTarget() ? SendMessage(NotifyTarget(), message, wParam, lParam) : 0;
    case WM_SIZE:
        if (!resizing_)
            Layout();
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        Layout();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        controls::PaintScope paint(hwnd_);
        Paint(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    default: return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

// --- the stored record ---------------------------------------------------------------------------

constexpr size_t kStoredFields = kStoredBandInfoSize / 4;

void PutField(BYTE* record, size_t field, UINT value)
{
    for (size_t i = 0; i < 4; ++i)
        record[field * 4 + i] = static_cast<BYTE>(value >> (8 * i));
}

UINT GetField(const BYTE* record, size_t field)
{
    UINT value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<UINT>(record[field * 4 + i]) << (8 * i);
    return value;
}

// Field positions in the stored record, in the structure's order.
enum StoredField : size_t {
    kSize, kMask, kStyle, kFore, kBack, kText, kTextLength, kImage, kChild, kMinChildWidth, kMinChildHeight, kWidth,
    kBackground, kId, kChildHeight, kMaxChildHeight, kIntegral, kIdealWidth, kParam, kHeader
};
static_assert(kHeader + 1 == kStoredFields);

}  // namespace rebar_detail

void StoreBandInfo(const REBARBANDINFO& info, BYTE (&record)[kStoredBandInfoSize])
{
    using namespace rebar_detail;
    std::memset(record, 0, sizeof record);
    PutField(record, kSize, kStoredBandInfoSize);
    PutField(record, kMask, info.fMask & ~kTransientBits);
    PutField(record, kStyle, info.fStyle);
    PutField(record, kFore, info.clrFore);
    PutField(record, kBack, info.clrBack);
    PutField(record, kImage, static_cast<UINT>(info.iImage));
    PutField(record, kMinChildWidth, info.cxMinChild);
    PutField(record, kMinChildHeight, info.cyMinChild);
    PutField(record, kWidth, info.cx);
    PutField(record, kId, info.wID);
    PutField(record, kChildHeight, info.cyChild);
    PutField(record, kMaxChildHeight, info.cyMaxChild);
    PutField(record, kIntegral, info.cyIntegral);
    PutField(record, kIdealWidth, info.cxIdeal);
    PutField(record, kHeader, info.cxHeader);
}

bool LoadBandInfo(const BYTE* record, size_t size, REBARBANDINFO* info)
{
    using namespace rebar_detail;
    if (!record || !info || size != kStoredBandInfoSize || GetField(record, kSize) != kStoredBandInfoSize)
        return false;
    *info = REBARBANDINFO{};
    info->cbSize = sizeof(REBARBANDINFO);
    info->fMask = GetField(record, kMask) & ~kTransientBits;
    info->fStyle = GetField(record, kStyle);
    info->clrFore = GetField(record, kFore);
    info->clrBack = GetField(record, kBack);
    info->iImage = static_cast<int>(GetField(record, kImage));
    info->cxMinChild = GetField(record, kMinChildWidth);
    info->cyMinChild = GetField(record, kMinChildHeight);
    info->cx = GetField(record, kWidth);
    info->wID = GetField(record, kId);
    info->cyChild = GetField(record, kChildHeight);
    info->cyMaxChild = GetField(record, kMaxChildHeight);
    info->cyIntegral = GetField(record, kIntegral);
    info->cxIdeal = GetField(record, kIdealWidth);
    info->cxHeader = GetField(record, kHeader);
    return true;
}

LRESULT CALLBACK RebarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<rebar_detail::RebarState>("tw.rebar", hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
