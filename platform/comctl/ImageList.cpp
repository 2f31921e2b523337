#include "platform/comctl/ImageList.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

#include "platform/comctl/PixelBlock.h"

namespace tw::comctl {

namespace detail_imagelist {
std::mutex& LiveLock()
{
    static std::mutex lock;
    return lock;
}
std::unordered_set<const ImageList*>& Live()
{
    static std::unordered_set<const ImageList*> lists;
    return lists;
}

uint32_t Mix(uint32_t a, uint32_t b, int weightA, int weightB)
{
    const int total = weightA + weightB;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = int((a >> shift) & 0xFF);
        const int cb = int((b >> shift) & 0xFF);
        out |= uint32_t((ca * weightA + cb * weightB) / total) << shift;
    }
    return out;
}

bool HasAlpha(const std::vector<uint32_t>& pixels)
{
    return std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) != 0; });
}
}  // namespace detail_imagelist

using namespace detail_imagelist;

ImageList::ImageList(int cx, int cy, UINT flags, int grow) : cx_(cx), cy_(cy), flags_(flags), grow_(grow)
{
    overlays_.fill(-1);
    std::lock_guard lock(LiveLock());
    Live().insert(this);
}

ImageList::~ImageList()
{
    DropStrip();
    std::lock_guard lock(LiveLock());
    Live().erase(this);
}

ImageList* ImageList::From(HIMAGELIST handle)
{
    auto* list = reinterpret_cast<ImageList*>(handle);
    std::lock_guard lock(LiveLock());
    return Live().count(list) ? list : nullptr;
}

COLORREF ImageList::SetBkColor(COLORREF color)
{
    const COLORREF old = bkColor_;
    bkColor_ = color;
    return old;
}

bool ImageList::SetOverlay(int image, int overlay)
{
    if (overlay < 1 || overlay > 15 || (image != -1 && !Valid(image)))
        return false;
    overlays_[size_t(overlay)] = image;
    return true;
}

ImageList::Image ImageList::MakeImage(int width, int height, int left, const std::vector<uint32_t>& pixels,
                                      const std::vector<uint8_t>* mask) const
{
    Image image;
    image.pixels.assign(size_t(cx_) * cy_, 0);
    if (HasMask())
        image.mask.assign(size_t(cx_) * cy_, 0);
    for (int y = 0; y < cy_ && y < height; ++y) {
        for (int x = 0; x < cx_ && left + x < width; ++x) {
            const size_t from = size_t(y) * width + size_t(left + x);
            const size_t to = size_t(y) * cx_ + x;
            image.pixels[to] = pixels[from];
            if (HasMask() && mask)
                image.mask[to] = (*mask)[from];
        }
    }
    return image;
}

int ImageList::AddStrip(int width, int height, const std::vector<uint32_t>& pixels, const std::vector<uint8_t>* mask)
{
    const int count = std::max(1, width / cx_);
    const int first = Count();
    for (int i = 0; i < count; ++i)
        images_.push_back(MakeImage(width, height, i * cx_, pixels, mask));
    DropStrip();
    return first;
}

bool ImageList::ReplaceAt(int index, Image image)
{
    if (!Valid(index))
        return false;
    images_[size_t(index)] = std::move(image);
    DropStrip();
    return true;
}

bool ImageList::Remove(int index)
{
    if (index == -1) {
        images_.clear();
        overlays_.fill(-1);
        DropStrip();
        return true;
    }
    if (!Valid(index))
        return false;
    images_.erase(images_.begin() + index);
    for (int& overlay : overlays_) {
        if (overlay == index)
            overlay = -1;
        else if (overlay > index)
            --overlay;
    }
    DropStrip();
    return true;
}

void ImageList::Resize(int count)
{
    Image blank;
    blank.pixels.assign(size_t(cx_) * cy_, 0);
    if (HasMask())
        blank.mask.assign(size_t(cx_) * cy_, 1);
    images_.resize(size_t(std::max(0, count)), blank);
    DropStrip();
}

void ImageList::Reset(int cx, int cy)
{
    images_.clear();
    overlays_.fill(-1);
    cx_ = cx;
    cy_ = cy;
    DropStrip();
}

void ImageList::DropStrip()
{
    if (stripImage_)
        DeleteObject(stripImage_);
    if (stripMask_)
        DeleteObject(stripMask_);
    stripImage_ = stripMask_ = nullptr;
}

void ImageList::StripBitmaps(HBITMAP& image, HBITMAP& mask)
{
    if (!stripImage_) {
        const int width = std::max(1, Count()) * cx_;
        std::vector<uint32_t> pixels(size_t(width) * cy_, 0);
        std::vector<uint32_t> maskPixels(size_t(width) * cy_, 0);
        for (int i = 0; i < Count(); ++i) {
            for (int y = 0; y < cy_; ++y) {
                for (int x = 0; x < cx_; ++x) {
                    const size_t from = size_t(y) * cx_ + x;
                    const size_t to = size_t(y) * width + size_t(i * cx_ + x);
                    pixels[to] = images_[size_t(i)].pixels[from];
                    if (HasMask() && images_[size_t(i)].mask[from])
                        maskPixels[to] = 0xFFFFFF;
                }
            }
        }
        stripImage_ = MakeBitmapFromPixels(width, cy_, pixels);
        if (HasMask())
            stripMask_ = MakeBitmapFromPixels(width, cy_, maskPixels);
    }
    image = stripImage_;
    mask = stripMask_;
}

bool ImageList::Draw(int index, HDC dc, int x, int y, int dx, int dy, COLORREF rgbBk, COLORREF rgbFg, UINT style)
{
    if (!Valid(index) || !dc)
        return false;
    const int width = dx > 0 ? std::min(dx, cx_) : cx_;
    const int height = dy > 0 ? std::min(dy, cy_) : cy_;
    PixelBlock block(width, height);
    if (!block.ReadFrom(dc, x, y))
        return false;

    const Image& image = images_[size_t(index)];
    const COLORREF background = rgbBk == CLR_DEFAULT ? bkColor_ : rgbBk;
    const bool useMask = HasMask() && !(style & ILD_IMAGE);
    const bool transparent = useMask && ((style & ILD_TRANSPARENT) || background == CLR_NONE);
    const bool alpha = (flags_ & 0xFE) == ILC_COLOR32 && HasAlpha(image.pixels);
    const bool blend = (style & (ILD_BLEND25 | ILD_BLEND50)) != 0;
    const int blendWeight = (style & ILD_BLEND50) ? 1 : 3;  // image parts against one part of colour
    const uint32_t blendColor = PixelFromColor(rgbFg == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : rgbFg);

    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const size_t at = size_t(row) * cx_ + col;
            uint32_t& out = block.At(col, row);
            const bool masked = HasMask() && image.mask[at];
            if (style & ILD_MASK) {
                out = masked ? 0xFFFFFF : 0x000000;
                continue;
            }
            if (useMask && masked) {
                if (!transparent)
                    out = PixelFromColor(background);
                continue;
            }
            uint32_t pixel = image.pixels[at] & 0xFFFFFF;
            if (blend)
                pixel = Mix(pixel, rgbFg == CLR_NONE ? (out & 0xFFFFFF) : blendColor, blendWeight, 1);
            if (alpha) {
                const int a = int(image.pixels[at] >> 24);
                pixel = Mix(pixel, out & 0xFFFFFF, a, 255 - a);
            }
            out = pixel;
        }
    }
    if (!block.WriteTo(dc, x, y))
        return false;

    const int overlay = int((style & ILD_OVERLAYMASK) >> 8);
    if (overlay > 0 && !(style & ILD_MASK) && Valid(overlays_[size_t(overlay)]))
        return Draw(overlays_[size_t(overlay)], dc, x, y, dx, dy, CLR_NONE, rgbFg, ILD_TRANSPARENT);
    return true;
}

}  // namespace tw::comctl
