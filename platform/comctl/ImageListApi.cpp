// The ImageList_ calls over tw::comctl::ImageList, and the one drag image.
#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/comctl/ImageList.h"
#include "platform/comctl/PixelBlock.h"

using tw::comctl::ImageList;

namespace tw::comctl::detail_imagelistapi {

// Pixels and mask of a bitmap pair; a missing mask bitmap leaves everything opaque.
bool ReadPair(HBITMAP image, HBITMAP maskBitmap, int& width, int& height, std::vector<uint32_t>& pixels,
              std::vector<uint8_t>& mask)
{
    if (!ReadBitmapPixels(image, width, height, pixels))
        return false;
    mask.assign(pixels.size(), 0);
    int mw = 0, mh = 0;
    std::vector<uint32_t> maskPixels;
    if (maskBitmap && ReadBitmapPixels(maskBitmap, mw, mh, maskPixels)) {
        for (int y = 0; y < std::min(height, mh); ++y)
            for (int x = 0; x < std::min(width, mw); ++x)
                mask[size_t(y) * width + x] = (maskPixels[size_t(y) * mw + x] & 0xFFFFFF) != 0 ? 1 : 0;
    }
    return true;
}

// An icon's pixels scaled to the list's size (nearest pixel).
bool IconImage(ImageList& list, HICON icon, ImageList::Image& out)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return false;
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> mask;
    const bool ok = ReadPair(info.hbmColor, info.hbmMask, width, height, pixels, mask);
    if (ok && !info.hbmMask && std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p >> 24; })) {
        for (size_t i = 0; i < pixels.size(); ++i)
            mask[i] = (pixels[i] >> 24) == 0;
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (!ok)
        return false;
    std::vector<uint32_t> scaled(size_t(list.Width()) * list.Height());
    std::vector<uint8_t> scaledMask(scaled.size());
    for (int y = 0; y < list.Height(); ++y) {
        for (int x = 0; x < list.Width(); ++x) {
            const size_t from = size_t(y * height / list.Height()) * width + size_t(x * width / list.Width());
            scaled[size_t(y) * list.Width() + x] = pixels[from];
            scaledMask[size_t(y) * list.Width() + x] = mask[from];
        }
    }
    out = list.MakeImage(list.Width(), list.Height(), 0, scaled, &scaledMask);
    return true;
}

// The image being dragged and what it covers on the locked window.
struct DragState {
    std::unique_ptr<ImageList> image;
    POINT hotspot{};
    HWND lockWindow = nullptr;
    POINT position{};
    bool shown = false;
    std::vector<uint32_t> saved;
};

std::mutex& DragLock()
{
    static std::mutex lock;
    return lock;
}
DragState& Drag()
{
    static DragState state;
    return state;
}

HDC DragDc(HWND window)
{
    return GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
}

void HideDragImage(DragState& drag)
{
    if (!drag.shown || !drag.image)
        return;
    HDC dc = DragDc(drag.lockWindow);
    PixelBlock block(drag.image->Width(), drag.image->Height());
    if (block.Valid() && drag.saved.size() == size_t(block.Width()) * block.Height()) {
        for (int y = 0; y < block.Height(); ++y)
            for (int x = 0; x < block.Width(); ++x)
                block.At(x, y) = drag.saved[size_t(y) * block.Width() + x];
        block.WriteTo(dc, drag.position.x - drag.hotspot.x, drag.position.y - drag.hotspot.y);
    }
    ReleaseDC(drag.lockWindow, dc);
    drag.shown = false;
}

void ShowDragImage(DragState& drag)
{
    if (drag.shown || !drag.image)
        return;
    HDC dc = DragDc(drag.lockWindow);
    const int left = drag.position.x - drag.hotspot.x;
    const int top = drag.position.y - drag.hotspot.y;
    PixelBlock block(drag.image->Width(), drag.image->Height());
    if (block.ReadFrom(dc, left, top)) {
        drag.saved.assign(size_t(block.Width()) * block.Height(), 0);
        for (int y = 0; y < block.Height(); ++y)
            for (int x = 0; x < block.Width(); ++x)
                drag.saved[size_t(y) * block.Width() + x] = block.At(x, y);
        drag.image->Draw(0, dc, left, top, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        drag.shown = true;
    }
    ReleaseDC(drag.lockWindow, dc);
}

}  // namespace tw::comctl::detail_imagelistapi

using namespace tw::comctl::detail_imagelistapi;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int cGrow)
{
    if (cx <= 0 || cy <= 0)
        return nullptr;
    return (new ImageList(cx, cy, flags, std::max(1, cGrow)))->Handle();
}

BOOL ImageList_Destroy(HIMAGELIST himl)
{
    ImageList* list = ImageList::From(himl);
    if (!list)
        return FALSE;
    delete list;
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->Count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount)
{
    ImageList* list = ImageList::From(himl);
    if (!list)
        return FALSE;
    list->Resize(int(uNewCount));
    return TRUE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask)
{
    ImageList* list = ImageList::From(himl);
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> mask;
    if (!list || !ReadPair(hbmImage, hbmMask, width, height, pixels, mask))
        return -1;
    return list->AddStrip(width, height, pixels, &mask);
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask)
{
    ImageList* list = ImageList::From(himl);
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    if (!list || !tw::comctl::ReadBitmapPixels(hbmImage, width, height, pixels))
        return -1;
    const uint32_t key = tw::comctl::PixelFromColor(crMask);
    std::vector<uint8_t> mask(pixels.size(), 0);
    for (size_t i = 0; i < pixels.size(); ++i) {
        if ((pixels[i] & 0xFFFFFF) == key && list->HasMask()) {
            mask[i] = 1;
            pixels[i] = 0;  // the masked colour is taken out of the image, as the platform does
        }
    }
    return list->AddStrip(width, height, pixels, &mask);
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon)
{
    ImageList* list = ImageList::From(himl);
    ImageList::Image image;
    if (!list || (i != -1 && !list->Valid(i)) || !IconImage(*list, hicon, image))
        return -1;
    if (i == -1) {
        list->Resize(list->Count() + 1);
        i = list->Count() - 1;
    }
    list->ReplaceAt(i, std::move(image));
    return i;
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask)
{
    ImageList* list = ImageList::From(himl);
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> mask;
    if (!list || !list->Valid(i) || !ReadPair(hbmImage, hbmMask, width, height, pixels, mask))
        return FALSE;
    return list->ReplaceAt(i, list->MakeImage(width, height, 0, pixels, &mask));
}

BOOL ImageList_Remove(HIMAGELIST himl, int i)
{
    ImageList* list = ImageList::From(himl);
    return list && list->Remove(i);
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT)
{
    ImageList* list = ImageList::From(himl);
    if (!list || !list->Valid(i))
        return nullptr;
    const ImageList::Image& image = list->At(i);
    std::vector<uint32_t> maskPixels(image.pixels.size(), 0);
    for (size_t p = 0; p < maskPixels.size(); ++p)
        maskPixels[p] = list->HasMask() && image.mask[p] ? 0xFFFFFF : 0;
    std::vector<uint32_t> colour = image.pixels;
    for (size_t p = 0; p < colour.size(); ++p)
        if (maskPixels[p])
            colour[p] = 0;  // transparent pixels leave the screen as it is
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = tw::comctl::MakeBitmapFromPixels(list->Width(), list->Height(), colour);
    info.hbmMask = tw::comctl::MakeBitmapFromPixels(list->Width(), list->Height(), maskPixels);
    HICON icon = info.hbmColor && info.hbmMask ? CreateIconIndirect(&info) : nullptr;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return icon;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    ImageList* list = ImageList::From(himl);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->Width();
    *cy = list->Height();
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy)
{
    ImageList* list = ImageList::From(himl);
    if (!list || cx <= 0 || cy <= 0)
        return FALSE;
    // The platform empties the list when its image size changes.
    list->Reset(cx, cy);
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo)
{
    ImageList* list = ImageList::From(himl);
    if (!list || !list->Valid(i) || !pImageInfo)
        return FALSE;
    list->StripBitmaps(pImageInfo->hbmImage, pImageInfo->hbmMask);
    pImageInfo->rcImage = RECT{i * list->Width(), 0, (i + 1) * list->Width(), list->Height()};
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->SetBkColor(clrBk) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->BkColor() : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int iImage, int iOverlay)
{
    ImageList* list = ImageList::From(himl);
    return list && list->SetOverlay(iImage, iOverlay);
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle)
{
    return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT fStyle)
{
    ImageList* list = ImageList::From(himl);
    return list && list->Draw(i, hdcDst, x, y, dx, dy, rgbBk, rgbFg, fStyle);
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST himl)
{
    ImageList* list = ImageList::From(himl);
    if (!list)
        return nullptr;
    auto* copy = new ImageList(list->Width(), list->Height(), list->Flags(), 1);
    copy->Resize(list->Count());
    for (int i = 0; i < list->Count(); ++i)
        copy->ReplaceAt(i, list->At(i));
    copy->SetBkColor(list->BkColor());
    for (int overlay = 1; overlay < 16; ++overlay)
        copy->SetOverlay(list->Overlay(overlay), overlay);
    return copy->Handle();
}

BOOL ImageList_Copy(HIMAGELIST himlDst, int iDst, HIMAGELIST himlSrc, int iSrc, UINT uFlags)
{
    ImageList* dst = ImageList::From(himlDst);
    ImageList* src = ImageList::From(himlSrc);
    // The platform copies only within one list.
    if (!dst || dst != src || !dst->Valid(iDst) || !src->Valid(iSrc))
        return FALSE;
    if (uFlags & ILCF_SWAP) {
        ImageList::Image held = dst->At(iDst);
        dst->ReplaceAt(iDst, src->At(iSrc));
        return src->ReplaceAt(iSrc, std::move(held));
    }
    return dst->ReplaceAt(iDst, src->At(iSrc));
}

HIMAGELIST ImageList_LoadImage(HINSTANCE hi, LPCSTR lpbmp, int cx, int cGrow, COLORREF crMask, UINT uType,
                               UINT uFlags)
{
    if (uType != IMAGE_BITMAP)
        return nullptr;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImage(hi, lpbmp, IMAGE_BITMAP, 0, 0, uFlags));
    BITMAP bm{};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm)) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    const UINT flags = crMask == CLR_NONE ? ILC_COLOR32 : (ILC_COLOR32 | ILC_MASK);
    HIMAGELIST list = ImageList_Create(cx > 0 ? cx : bm.bmHeight, bm.bmHeight, flags, 0, cGrow);
    if (crMask == CLR_NONE)
        ImageList_Add(list, bitmap, nullptr);
    else
        ImageList_AddMasked(list, bitmap, crMask);
    DeleteObject(bitmap);
    return list;
}

BOOL ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot)
{
    ImageList* list = ImageList::From(himlTrack);
    if (!list || !list->Valid(iTrack))
        return FALSE;
    std::lock_guard lock(DragLock());
    DragState& drag = Drag();
    if (drag.image)
        return FALSE;
    drag.image = std::make_unique<ImageList>(list->Width(), list->Height(), list->Flags(), 1);
    drag.image->Resize(1);
    drag.image->ReplaceAt(0, list->At(iTrack));
    drag.hotspot = POINT{dxHotspot, dyHotspot};
    return TRUE;
}

BOOL ImageList_DragEnter(HWND hwndLock, int x, int y)
{
    std::lock_guard lock(DragLock());
    DragState& drag = Drag();
    if (!drag.image)
        return FALSE;
    drag.lockWindow = hwndLock ? hwndLock : GetDesktopWindow();
    drag.position = POINT{x, y};
    ShowDragImage(drag);
    return TRUE;
}

BOOL ImageList_DragMove(int x, int y)
{
    std::lock_guard lock(DragLock());
    DragState& drag = Drag();
    if (!drag.image)
        return FALSE;
    const bool wasShown = drag.shown;
    HideDragImage(drag);
    drag.position = POINT{x, y};
    if (wasShown)
        ShowDragImage(drag);
    return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL fShow)
{
    std::lock_guard lock(DragLock());
    DragState& drag = Drag();
    if (!drag.image || !drag.lockWindow)
        return FALSE;
    if (fShow)
        ShowDragImage(drag);
    else
        HideDragImage(drag);
    return TRUE;
}

BOOL ImageList_DragLeave(HWND)
{
    std::lock_guard lock(DragLock());
    DragState& drag = Drag();
    if (!drag.image)
        return FALSE;
    HideDragImage(drag);
    return TRUE;
}

void ImageList_EndDrag()
{
    std::lock_guard lock(DragLock());
    DragState& drag = Drag();
    HideDragImage(drag);
    drag = DragState{};
}

HIMAGELIST ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot)
{
    std::lock_guard lock(DragLock());
    DragState& drag = Drag();
    if (!drag.image)
        return nullptr;
    if (ppt)
        *ppt = drag.position;
    if (pptHotspot)
        *pptHotspot = drag.hotspot;
    return drag.image->Handle();
}
