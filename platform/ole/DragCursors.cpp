#include "platform/ole/DragCursors.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/win32/gdi/windraw.h"

namespace tw::ole {

namespace drag_cursors_detail {

constexpr int kSize = 32;

// The classic arrow, row by row: 'X' outline, '.' white fill.
const char* const kArrow[] = {
    "X",           "XX",          "X.X",         "X..X",        "X...X",       "X....X",
    "X.....X",     "X......X",    "X.......X",   "X........X",  "X.....XXXXX", "X..X..X",
    "X.X X..X",    "XX  X..X",    "X    X..X",   "      X..X",  "       XX",
};

class Picture {
public:
    // The AND mask over the XOR mask, one bit a pixel: all transparent at first.
    Picture() : bits_(kSize * 2 * 4, 0) { std::fill(bits_.begin(), bits_.begin() + kSize * 4, 0xFF); }

    void Paint(int x, int y, bool white)
    {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize)
            return;
        const size_t byte = static_cast<size_t>(y * 4 + x / 8);
        const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
        bits_[byte] &= static_cast<BYTE>(~bit);
        BYTE& colour = bits_[byte + kSize * 4];
        colour = white ? (colour | bit) : (colour & ~bit);
    }

    void Arrow()
    {
        int y = 0;
        for (const char* row : kArrow) {
            for (int x = 0; row[x]; ++x) {
                if (row[x] != ' ')
                    Paint(x, y, row[x] == '.');
            }
            ++y;
        }
    }

    // A small white box with a black border below the arrow's tip.
    void Box(int left, int top, int width, int height)
    {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                Paint(x, y, !(y == top || y == top + height - 1 || x == left || x == left + width - 1));
    }

    HCURSOR Make() const
    {
        HBITMAP mask = CreateBitmap(kSize, kSize * 2, 1, 1, bits_.data());
        ICONINFO info{FALSE, 0, 0, mask, nullptr};
        HCURSOR cursor = CreateIconIndirect(&info);
        DeleteObject(mask);
        return cursor;
    }

private:
    std::vector<BYTE> bits_;
};

HCURSOR MakeCursor(DWORD effect)
{
    Picture picture;
    picture.Arrow();
    picture.Box(9, 18, 12, 10);
    if (effect == DROPEFFECT_COPY) {
        picture.Box(17, 24, 9, 9);
        for (int i = 0; i < 5; ++i) {
            picture.Paint(19 + i, 28, false);
            picture.Paint(21, 26 + i, false);
        }
    } else if (effect == DROPEFFECT_LINK) {
        picture.Box(17, 24, 9, 9);
        for (int i = 0; i < 5; ++i) {
            picture.Paint(19 + i, 30 - i, false);
        }
        picture.Paint(22, 27, false);
        picture.Paint(23, 28, false);
    }
    return picture.Make();
}

std::mutex g_cursorMutex;
HCURSOR g_cursors[3] = {};

}  // namespace drag_cursors_detail

HCURSOR DragCursorFor(DWORD effect)
{
    namespace d = drag_cursors_detail;
    effect &= ~DROPEFFECT_SCROLL;
    // The strongest effect offered decides, in the platform's order.
    int slot = -1;
    if (effect & DROPEFFECT_MOVE)
        slot = 0;
    else if (effect & DROPEFFECT_COPY)
        slot = 1;
    else if (effect & DROPEFFECT_LINK)
        slot = 2;
    if (slot < 0)
        return LoadCursor(nullptr, IDC_NO);
    static const DWORD kEffects[3] = {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK};
    std::lock_guard lock(d::g_cursorMutex);
    if (!d::g_cursors[slot])
        d::g_cursors[slot] = d::MakeCursor(kEffects[slot]);
    return d::g_cursors[slot];
}

}  // namespace tw::ole
