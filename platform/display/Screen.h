// The virtual screen: one 32-bit surface that every window draws on.
// Pixels are 0x00RRGGBB words (the byte order of a 32-bit DIB: B, G, R, X).
// Drawing code holds Lock() while it touches the pixels; the desktop backend
// holds it while it presents, so neither sees half a frame.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::display {

class Screen {
public:
    static constexpr int kDefaultWidth = 1280;
    static constexpr int kDefaultHeight = 1024;

    Screen(int width = kDefaultWidth, int height = kDefaultHeight);

    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }
    // Row stride in pixels.
    int Stride() const { return width_; }
    uint32_t* Data() { return pixels_.data(); }
    const uint32_t* Data() const { return pixels_.data(); }

    std::unique_lock<std::recursive_mutex> Lock() const { return std::unique_lock(mutex_); }

    // 0x00RRGGBB, or 0 outside the screen.
    uint32_t Pixel(int x, int y) const;
    // The same pixel as a COLORREF (0x00BBGGRR).
    COLORREF PixelColor(int x, int y) const;
    void SetPixel(int x, int y, uint32_t rgb);
    void Fill(uint32_t rgb);

    // Changes the size, keeping what overlaps, and tells the listeners.
    void Resize(int width, int height);
    int AddResizeListener(std::function<void(int width, int height)> listener);
    void RemoveResizeListener(int id);

    // Areas changed since the last TakeDirtyRects (clipped to the screen).
    void MarkDirty(const RECT& rect);
    std::vector<RECT> TakeDirtyRects();
    bool HasDirtyRects() const;

    // Writes the screen, or the part of it in area (screen coordinates), as a PNG.
    bool SavePng(const std::string& path, const RECT* area = nullptr) const;

private:
    mutable std::recursive_mutex mutex_;
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
    std::vector<RECT> dirty_;
    std::map<int, std::function<void(int, int)>> resizeListeners_;
    int nextListenerId_ = 1;
};

}  // namespace tw::display
