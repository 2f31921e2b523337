#include "ui/commandbars/KtvPMenuImages.h"

#include <memory>

#include "ui/frames/KtvPGlobalData.h"

namespace ktv_menuimages_detail {

enum SetIndex { kBase, kGray, kLtGray, kWhite, kDkGray, kSetCount };

constexpr COLORREF kSheetBackground = RGB(0xFF, 0x00, 0xFF);

struct Variant {
    SetIndex set;
    COLORREF colour;
};
// The order the variants are built in.
const Variant kVariants[] = {
    {kGray, RGB(0x80, 0x80, 0x80)},
    {kDkGray, RGB(0x48, 0x48, 0x48)},
    {kLtGray, RGB(0xC0, 0xC0, 0xC0)},
    {kWhite, RGB(0xFF, 0xFF, 0xFF)},
};

// Made on first use, after the platform is up, and kept to process exit.
std::unique_ptr<CKtvPToolBarImages>& Slot(int index)
{
    static std::unique_ptr<CKtvPToolBarImages> sets[kSetCount];
    return sets[index];
}

bool g_hooksInstalled = false;

}  // namespace ktv_menuimages_detail

using namespace ktv_menuimages_detail;

CKtvPToolBarImages& CKtvPMenuImages::Set(int index)
{
    auto& slot = Slot(index);
    if (!slot)
        slot = std::make_unique<CKtvPToolBarImages>();
    return *slot;
}

CKtvPToolBarImages& CKtvPMenuImages::SetFor(int state)
{
    switch (state) {
    case ImageBlack: return Set(kBase);
    case ImageGray: return Set(kGray);
    case ImageLtGray: return Set(kLtGray);
    case ImageDkGray: return Set(kDkGray);
    default: return Set(kWhite);
    }
}

BOOL CKtvPMenuImages::Initialize()
{
    if (!g_hooksInstalled) {
        KtvSetSysColorsChangedHook(CleanUp);
        KtvAddCleanUpStep(ReleaseAll);
        g_hooksInstalled = true;
    }
    CKtvPToolBarImages& base = Set(kBase);
    if (base.GetImageWell() != nullptr)
        return TRUE;

    base.SetImageSize(CSize(9, 9));
    if (!base.Load(kGlyphSheetId))
        return FALSE;
    if (base.GetTransparentColor() != kSheetBackground) {
        base.SetTransparentColor(kSheetBackground);
        base.CreateFadedImages();
    }
    for (const Variant& variant : kVariants) {
        CKtvPToolBarImages& set = Set(variant.set);
        base.CopyTo(set);
        set.MapColors(TRUE, RGB(0, 0, 0), variant.colour);
    }
    for (SetIndex index : {kBase, kGray, kDkGray, kLtGray, kWhite})
        Set(index).MapColors(TRUE);
    return TRUE;
}

void CKtvPMenuImages::Draw(CDC* pDC, int glyph, const CPoint& pt, int state, const CSize& sizeDest)
{
    if (!Initialize())
        return;
    CKtvPToolBarImages& set = SetFor(state);
    CKtvPDrawState ds;
    if (!set.PrepareDrawImage(ds, sizeDest, FALSE))
        return;
    set.Draw(pDC, pt.x, pt.y, glyph);
    set.EndDrawImage(ds);
}

CSize CKtvPMenuImages::Size()
{
    Initialize();
    return CSize(9, 9);
}

void CKtvPMenuImages::CleanUp()
{
    if (!Slot(kBase) || Slot(kBase)->GetCount() == 0)
        return;
    for (int i = 0; i < kSetCount; i++)
        if (Slot(i))
            Slot(i)->Clear();
}

void CKtvPMenuImages::ReleaseAll()
{
    for (int i = 0; i < kSetCount; i++)
        Slot(i).reset();
}
