#include "platform/display/Screen.h"

#include <algorithm>
#include <cairo.h>

namespace tw::display {

namespace {

constexpr size_t kScreenDirtyListLimit = 64;

bool ScreenRectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT ScreenRectUnion(const RECT& a, const RECT& b)
{
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

RECT ScreenRectIntersect(const RECT& a, const RECT& b)
{
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

}  // namespace

Screen::Screen(int width, int height)
    : width_(std::max(1, width)), height_(std::max(1, height)), pixels_(size_t(width_) * height_, 0)
{
}

uint32_t Screen::Pixel(int x, int y) const
{
    auto lock = Lock();
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return pixels_[size_t(y) * width_ + x] & 0xFFFFFF;
}

COLORREF Screen::PixelColor(int x, int y) const
{
    const uint32_t p = Pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Screen::SetPixel(int x, int y, uint32_t rgb)
{
    auto lock = Lock();
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[size_t(y) * width_ + x] = rgb & 0xFFFFFF;
    MarkDirty(RECT{x, y, x + 1, y + 1});
}

void Screen::Fill(uint32_t rgb)
{
    auto lock = Lock();
    std::fill(pixels_.begin(), pixels_.end(), rgb & 0xFFFFFF);
    MarkDirty(Bounds());
}

void Screen::Resize(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    std::vector<std::function<void(int, int)>> listeners;
    {
        auto lock = Lock();
        if (width == width_ && height == height_)
            return;
        std::vector<uint32_t> resized(size_t(width) * height, 0);
        const int copyWidth = std::min(width, width_);
        for (int y = 0; y < std::min(height, height_); ++y)
            std::copy_n(&pixels_[size_t(y) * width_], copyWidth, &resized[size_t(y) * width]);
        pixels_ = std::move(resized);
        width_ = width;
        height_ = height;
        dirty_.clear();
        dirty_.push_back(Bounds());
        for (auto& [id, listener] : resizeListeners_)
            listeners.push_back(listener);
    }
    for (auto& listener : listeners)
        listener(width, height);
}

int Screen::AddResizeListener(std::function<void(int, int)> listener)
{
    auto lock = Lock();
    const int id = nextListenerId_++;
    resizeListeners_[id] = std::move(listener);
    return id;
}

void Screen::RemoveResizeListener(int id)
{
    auto lock = Lock();
    resizeListeners_.erase(id);
}

void Screen::MarkDirty(const RECT& rect)
{
    auto lock = Lock();
    const RECT clipped = ScreenRectIntersect(rect, Bounds());
    if (ScreenRectEmpty(clipped))
        return;
    for (RECT& existing : dirty_) {
        const RECT overlap = ScreenRectIntersect(existing, clipped);
        if (!ScreenRectEmpty(overlap) || existing.left == clipped.right || existing.right == clipped.left ||
            existing.top == clipped.bottom || existing.bottom == clipped.top) {
            const RECT merged = ScreenRectUnion(existing, clipped);
            // Merge only when little is added, so small scattered updates stay small.
            const long mergedArea = long(merged.right - merged.left) * (merged.bottom - merged.top);
            const long parts = long(existing.right - existing.left) * (existing.bottom - existing.top) +
                               long(clipped.right - clipped.left) * (clipped.bottom - clipped.top);
            if (mergedArea <= parts * 2) {
                existing = merged;
                return;
            }
        }
    }
    if (dirty_.size() >= kScreenDirtyListLimit) {
        RECT all = dirty_.front();
        for (const RECT& r : dirty_)
            all = ScreenRectUnion(all, r);
        dirty_.assign(1, ScreenRectUnion(all, clipped));
        return;
    }
    dirty_.push_back(clipped);
}

std::vector<RECT> Screen::TakeDirtyRects()
{
    auto lock = Lock();
    std::vector<RECT> taken;
    taken.swap(dirty_);
    return taken;
}

bool Screen::HasDirtyRects() const
{
    auto lock = Lock();
    return !dirty_.empty();
}

bool Screen::SavePng(const std::string& path, const RECT* area) const
{
    auto lock = Lock();
    RECT part = area ? ScreenRectIntersect(*area, Bounds()) : Bounds();
    if (ScreenRectEmpty(part))
        return false;
    const int w = part.right - part.left;
    const int h = part.bottom - part.top;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    cairo_surface_flush(surface);
    unsigned char* bytes = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bytes + size_t(y) * stride);
        const uint32_t* source = &pixels_[size_t(part.top + y) * width_ + part.left];
        for (int x = 0; x < w; ++x)
            row[x] = source[x] | 0xFF000000u;
    }
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

}  // namespace tw::display
