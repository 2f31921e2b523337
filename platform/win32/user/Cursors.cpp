#include "platform/win32/user/Cursors.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

#include "platform/win32/gdi/windraw.h"

namespace tw::user {

namespace cursors_detail {

constexpr int kSize = 32;

// Monochrome cursor pixels: the AND mask over the XOR mask, 32x64, one bit a pixel.
class CursorImage {
public:
    CursorImage() : bits_(kSize * 2 * 4, 0) { std::fill(bits_.begin(), bits_.begin() + kSize * 4, 0xFF); }
    void Black(int x, int y) { Set(x, y, false, false); }
    void White(int x, int y) { Set(x, y, false, true); }
    // A black outline one pixel around every white pixel, as the classic cursors have.
    void Outline()
    {
        std::vector<std::pair<int, int>> edge;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (IsWhite(x, y))
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            if (InRange(x + dx, y + dy) && IsTransparent(x + dx, y + dy))
                                edge.emplace_back(x + dx, y + dy);
        for (auto [x, y] : edge)
            Black(x, y);
    }
    HCURSOR Make(int hotX, int hotY) const
    {
        HBITMAP mask = CreateBitmap(kSize, kSize * 2, 1, 1, bits_.data());
        ICONINFO info{FALSE, static_cast<DWORD>(hotX), static_cast<DWORD>(hotY), mask, nullptr};
        HICON cursor = CreateIconIndirect(&info);
        DeleteObject(mask);
        return cursor;
    }

private:
    static bool InRange(int x, int y) { return x >= 0 && y >= 0 && x < kSize && y < kSize; }
    bool Bit(int x, int y) const { return bits_[static_cast<size_t>(y * 4 + x / 8)] & (0x80 >> (x % 8)); }
    bool IsWhite(int x, int y) const { return !Bit(x, y) && Bit(x, y + kSize); }
    bool IsTransparent(int x, int y) const { return Bit(x, y) && !Bit(x, y + kSize); }
    void Put(int x, int y, bool on)
    {
        BYTE& b = bits_[static_cast<size_t>(y * 4 + x / 8)];
        const BYTE m = static_cast<BYTE>(0x80 >> (x % 8));
        b = on ? (b | m) : (b & ~m);
    }
    void Set(int x, int y, bool andBit, bool xorBit)
    {
        if (!InRange(x, y))
            return;
        Put(x, y, andBit);
        Put(x, y + kSize, xorBit);
    }
    std::vector<BYTE> bits_;
};

void Line(CursorImage& img, int x0, int y0, int x1, int y1)
{
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const int x = steps ? x0 + (x1 - x0) * i / steps : x0;
        const int y = steps ? y0 + (y1 - y0) * i / steps : y0;
        img.White(x, y);
    }
}

void ArrowHead(CursorImage& img, int x, int y, int dx, int dy)
{
    for (int i = 0; i < 4; ++i) {
        Line(img, x - dx * i - dy * i, y - dy * i - dx * i, x - dx * i + dy * i, y - dy * i + dx * i);
    }
}

HCURSOR MakeArrow()
{
    CursorImage img;
    for (int y = 1; y < 17; ++y)
        for (int x = 1; x < std::min(y, 12 - std::max(0, y - 12) * 3); ++x)
            img.White(x, y);
    for (int y = 14; y < 20; ++y)
        for (int x = 5 + (y - 14) / 2; x < 8 + (y - 14) / 2; ++x)
            img.White(x, y);
    img.Outline();
    return img.Make(0, 0);
}

HCURSOR MakeShape(UINT id)
{
    CursorImage img;
    int hx = 15;
    int hy = 15;
    switch (id) {
    case 32513:  // I-beam
        Line(img, 15, 4, 15, 26);
        Line(img, 12, 4, 18, 4);
        Line(img, 12, 26, 18, 26);
        break;
    case 32514:  // wait: an hourglass
        for (int y = 0; y < 10; ++y) {
            Line(img, 8 + y, 5 + y, 22 - y, 5 + y);
            Line(img, 8 + y, 25 - y, 22 - y, 25 - y);
        }
        break;
    case 32515:  // cross
        Line(img, 15, 4, 15, 26);
        Line(img, 4, 15, 26, 15);
        break;
    case 32516:  // up arrow
        Line(img, 15, 4, 15, 26);
        ArrowHead(img, 15, 4, 0, -1);
        hy = 4;
        break;
    case 32644:  // size west-east
        Line(img, 5, 15, 25, 15);
        ArrowHead(img, 5, 15, -1, 0);
        ArrowHead(img, 25, 15, 1, 0);
        break;
    case 32645:  // size north-south
        Line(img, 15, 5, 15, 25);
        ArrowHead(img, 15, 5, 0, -1);
        ArrowHead(img, 15, 25, 0, 1);
        break;
    case 32642:  // size north-west to south-east
        Line(img, 7, 7, 23, 23);
        Line(img, 7, 7, 12, 7);
        Line(img, 7, 7, 7, 12);
        Line(img, 23, 23, 18, 23);
        Line(img, 23, 23, 23, 18);
        break;
    case 32643:  // size north-east to south-west
        Line(img, 23, 7, 7, 23);
        Line(img, 23, 7, 18, 7);
        Line(img, 23, 7, 23, 12);
        Line(img, 7, 23, 12, 23);
        Line(img, 7, 23, 7, 18);
        break;
    case 32646:  // size all
        Line(img, 15, 4, 15, 26);
        Line(img, 4, 15, 26, 15);
        ArrowHead(img, 15, 4, 0, -1);
        ArrowHead(img, 15, 26, 0, 1);
        ArrowHead(img, 4, 15, -1, 0);
        ArrowHead(img, 26, 15, 1, 0);
        break;
    case 32648:  // no: a circle with a bar
        for (int a = 0; a < 64; ++a) {
            const double t = a * 6.283185307 / 64;
            img.White(15 + static_cast<int>(9 * std::cos(t)), 15 + static_cast<int>(9 * std::sin(t)));
        }
        Line(img, 9, 9, 21, 21);
        break;
    default:
        return nullptr;
    }
    img.Outline();
    return img.Make(hx, hy);
}

std::mutex g_mutex;
std::map<UINT, HCURSOR> g_standard;
HCURSOR g_current = nullptr;
int g_showCount = 0;

}  // namespace cursors_detail

HCURSOR Cursors::Standard(UINT id)
{
    namespace d = cursors_detail;
    std::lock_guard lock(d::g_mutex);
    const auto it = d::g_standard.find(id);
    if (it != d::g_standard.end())
        return it->second;
    HCURSOR cursor = nullptr;
    switch (id) {
    case 32512:  // arrow
    case 32649:  // hand: the arrow stands in for it
    case 32650:  // arrow with hourglass
    case 32651:  // arrow with question mark
        cursor = d::MakeArrow();
        break;
    default:
        cursor = d::MakeShape(id);
        break;
    }
    if (cursor)
        d::g_standard[id] = cursor;
    return cursor;
}

HCURSOR Cursors::Set(HCURSOR cursor)
{
    std::lock_guard lock(cursors_detail::g_mutex);
    HCURSOR previous = cursors_detail::g_current;
    cursors_detail::g_current = cursor;
    return previous;
}

HCURSOR Cursors::Current()
{
    std::lock_guard lock(cursors_detail::g_mutex);
    return cursors_detail::g_current;
}

int Cursors::Show(bool show)
{
    std::lock_guard lock(cursors_detail::g_mutex);
    cursors_detail::g_showCount += show ? 1 : -1;
    return cursors_detail::g_showCount;
}

}  // namespace tw::user

// A NULL instance names the standard cursors; any other, a cursor of that
// module's resources, shared like the platform's.
HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    if (hInstance)
        return static_cast<HCURSOR>(
            LoadImage(hInstance, lpCursorName, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!IS_INTRESOURCE(lpCursorName))
        return nullptr;
    return tw::user::Cursors::Standard(LOWORD(lpCursorName));
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    return tw::user::Cursors::Set(hCursor);
}

HCURSOR GetCursor()
{
    return tw::user::Cursors::Current();
}

int ShowCursor(BOOL bShow)
{
    return tw::user::Cursors::Show(bShow != FALSE);
}
