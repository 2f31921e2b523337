// The image list behind HIMAGELIST: equal-sized images kept as 32-bit pixels
// with an optional mask (true where the image is transparent).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class ImageList {
public:
    struct Image {
        std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top-down
        std::vector<uint8_t> mask;     // 1 = transparent; empty without ILC_MASK
    };

    ImageList(int cx, int cy, UINT flags, int grow);
    ~ImageList();

    // The live list behind a handle, or null for a stale or foreign one.
    static ImageList* From(HIMAGELIST handle);
    HIMAGELIST Handle() { return reinterpret_cast<HIMAGELIST>(this); }

    int Width() const { return cx_; }
    int Height() const { return cy_; }
    UINT Flags() const { return flags_; }
    bool HasMask() const { return (flags_ & ILC_MASK) != 0; }
    int Count() const { return int(images_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    Image& At(int index) { return images_[size_t(index)]; }

    COLORREF BkColor() const { return bkColor_; }
    COLORREF SetBkColor(COLORREF color);
    bool SetOverlay(int image, int overlay);
    int Overlay(int overlay) const { return overlays_[size_t(overlay)]; }

    // Cuts a strip of images out of pixels (width a multiple of cx, or more).
    int AddStrip(int width, int height, const std::vector<uint32_t>& pixels, const std::vector<uint8_t>* mask);
    bool ReplaceAt(int index, Image image);
    bool Remove(int index);
    void Resize(int count);
    // Empties the list and gives it a new image size.
    void Reset(int cx, int cy);
    Image MakeImage(int width, int height, int left, const std::vector<uint32_t>& pixels,
                    const std::vector<uint8_t>* mask) const;

    // The whole list as one horizontal strip of bitmaps, rebuilt when asked.
    void StripBitmaps(HBITMAP& image, HBITMAP& mask);

    // Draws image index with the ILD_ style at (x, y), width and height
    // (0 meaning the image's own), over background rgbBk and blend colour rgbFg.
    bool Draw(int index, HDC dc, int x, int y, int dx, int dy, COLORREF rgbBk, COLORREF rgbFg, UINT style);

private:
    void DropStrip();

    int cx_;
    int cy_;
    UINT flags_;
    int grow_;
    COLORREF bkColor_ = CLR_NONE;
    std::vector<Image> images_;
    std::array<int, 16> overlays_{};
    HBITMAP stripImage_ = nullptr;
    HBITMAP stripMask_ = nullptr;
};

}  // namespace tw::comctl
