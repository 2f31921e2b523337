// The symbol glyphs the window system draws as text in its "Marlett" face,
// drawn here as vectors scaled to the cell: caption buttons, arrows, check
// marks, bullets and the size grip.
#include <algorithm>
#include <cmath>

#include "platform/win32/gdi/TextEngine.h"

namespace tw::gdi {

namespace {

struct MarlettPen {
    TextRaster& raster;
    int left;
    int top;
    int em;

    // Cell units are 1/16 of the em, so the glyphs keep their proportions.
    int U(double units) const { return int(std::lround(units * em / 16.0)); }

    void Pixel(int x, int y)
    {
        const int px = left + x, py = top + y;
        if (px < 0 || py < 0 || px >= raster.width || py >= raster.height)
            return;
        raster.coverage[size_t(py) * raster.width + px] = 255;
    }

    void Box(int x0, int y0, int x1, int y1)  // exclusive ends
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                Pixel(x, y);
    }

    // A filled triangle pointing in (dx, dy) with its tip at (tx, ty) and a
    // base of `half` pixels each side.
    void Triangle(int tx, int ty, int dx, int dy, int half)
    {
        for (int step = 0; step <= half; ++step) {
            for (int across = -step; across <= step; ++across) {
                if (dx != 0)
                    Pixel(tx - dx * step, ty + across);
                else
                    Pixel(tx + across, ty - dy * step);
            }
        }
    }

    void Diagonal(int x0, int y0, int length, int dx, int dy, int thickness)
    {
        for (int i = 0; i < length; ++i)
            for (int t = 0; t < thickness; ++t)
                Pixel(x0 + dx * i + t, y0 + dy * i);
    }

    void Disc(double cx, double cy, double radius)
    {
        for (int y = int(cy - radius) - 1; y <= int(cy + radius) + 1; ++y)
            for (int x = int(cx - radius) - 1; x <= int(cx + radius) + 1; ++x)
                if ((x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy) <= radius * radius)
                    Pixel(x, y);
    }
};

}  // namespace

bool DrawMarlettGlyph(char glyph, int em, int left, int top, TextRaster& raster)
{
    if (em <= 0)
        return false;
    MarlettPen pen{raster, left, top, em};
    const int centre = em / 2;
    const int arrowHalf = std::max(1, pen.U(3));
    const int line = std::max(1, pen.U(1));
    switch (glyph) {
    case '0':  // minimise: a bar at the bottom
        pen.Box(pen.U(4), pen.U(11), pen.U(10), pen.U(11) + 2 * line);
        return true;
    case '1':  // maximise: a window with a thick title bar
        pen.Box(pen.U(3), pen.U(3), pen.U(13), pen.U(3) + 2 * line);
        pen.Box(pen.U(3), pen.U(3), pen.U(3) + line, pen.U(12));
        pen.Box(pen.U(13) - line, pen.U(3), pen.U(13), pen.U(12));
        pen.Box(pen.U(3), pen.U(12) - line, pen.U(13), pen.U(12));
        return true;
    case '2':  // restore: two overlapping windows
        pen.Box(pen.U(6), pen.U(2), pen.U(13), pen.U(2) + 2 * line);
        pen.Box(pen.U(13) - line, pen.U(2), pen.U(13), pen.U(9));
        pen.Box(pen.U(11), pen.U(9) - line, pen.U(13), pen.U(9));
        pen.Box(pen.U(6), pen.U(2), pen.U(6) + line, pen.U(5));
        pen.Box(pen.U(3), pen.U(5), pen.U(10), pen.U(5) + 2 * line);
        pen.Box(pen.U(3), pen.U(5), pen.U(3) + line, pen.U(13));
        pen.Box(pen.U(10) - line, pen.U(5), pen.U(10), pen.U(13));
        pen.Box(pen.U(3), pen.U(13) - line, pen.U(10), pen.U(13));
        return true;
    case 'r': {  // close: a thick cross
        const int size = pen.U(8);
        pen.Diagonal(pen.U(4), pen.U(4), size, 1, 1, 2 * line);
        pen.Diagonal(pen.U(4), pen.U(4) + size - 1, size, 1, -1, 2 * line);
        return true;
    }
    case 's':  // help: a question mark
        pen.Box(pen.U(5), pen.U(3), pen.U(10), pen.U(3) + 2 * line);
        pen.Box(pen.U(4), pen.U(4), pen.U(4) + 2 * line, pen.U(6));
        pen.Box(pen.U(10) - line, pen.U(4), pen.U(10) + line, pen.U(7));
        pen.Box(pen.U(7), pen.U(7), pen.U(10), pen.U(7) + 2 * line);
        pen.Box(pen.U(7), pen.U(8), pen.U(7) + 2 * line, pen.U(10));
        pen.Box(pen.U(7), pen.U(11), pen.U(7) + 2 * line, pen.U(11) + 2 * line);
        return true;
    case '3':  // left
        pen.Triangle(centre - arrowHalf / 2 - 1, centre, -1, 0, arrowHalf);
        return true;
    case '4':  // right
        pen.Triangle(centre + arrowHalf / 2, centre, 1, 0, arrowHalf);
        return true;
    case '5':  // up
        pen.Triangle(centre, centre - arrowHalf / 2 - 1, 0, -1, arrowHalf);
        return true;
    case '6':  // down
        pen.Triangle(centre, centre + arrowHalf / 2, 0, 1, arrowHalf);
        return true;
    case '8':  // small right, as in menus
        pen.Triangle(centre + 1, centre, 1, 0, std::max(1, pen.U(2)));
        return true;
    case 'u':  // small down
        pen.Triangle(centre, centre + 1, 0, 1, std::max(1, pen.U(2)));
        return true;
    case 'a': {  // check mark
        const int x0 = pen.U(4), y0 = pen.U(8);
        const int shortLeg = pen.U(3), longLeg = pen.U(7);
        pen.Diagonal(x0, y0, shortLeg, 1, 1, 1);
        pen.Diagonal(x0, y0 + 1, shortLeg, 1, 1, 1);
        pen.Diagonal(x0, y0 + 2, shortLeg, 1, 1, 1);
        pen.Diagonal(x0 + shortLeg, y0 + shortLeg - 1, longLeg, 1, -1, 1);
        pen.Diagonal(x0 + shortLeg, y0 + shortLeg, longLeg, 1, -1, 1);
        pen.Diagonal(x0 + shortLeg, y0 + shortLeg + 1, longLeg, 1, -1, 1);
        return true;
    }
    case 'h':  // bullet
        pen.Disc(em / 2.0, em / 2.0, em * 3.0 / 16.0);
        return true;
    case 'n':  // radio dot
        pen.Disc(em / 2.0, em / 2.0, em * 2.0 / 16.0);
        return true;
    case 'o':  // size grip, its light lines
    case 'p': {  // size grip, its dark lines
        const int step = std::max(3, pen.U(4));
        for (int k = 0; k < 3; ++k) {
            const int offset = (k + 1) * step;
            if (glyph == 'p') {
                pen.Diagonal(em - offset, em - 1, offset, 1, -1, 1);
                pen.Diagonal(em - offset + 1, em - 1, offset - 1, 1, -1, 1);
            } else {
                pen.Diagonal(em - offset - 1, em - 1, offset + 1, 1, -1, 1);
            }
        }
        return true;
    }
    default:
        return false;
    }
}

}  // namespace tw::gdi
