#include "ui/commandbars/KtvPMenuImages.h"

#include <memory>

#include "ui/frames/KtvPGlobalData.h"

namespace ktvmi {

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

}  // namespace ktvmi

CKtvPToolBarImages& CKtvPMenuImages::Set(int index)
{
    auto& slot = ktvmi::Slot(index);
    if (!slot)
        slot = std::make_unique<CKtvPToolBarImages>();
    return *slot;
}

CKtvPToolBarImages& CKtvPMenuImages::SetFor(int state)
{
    switch (state) {
    case ImageBlack: return Set(ktvmi::kBase);
    case ImageGray: return Set(ktvmi::kGray);
    case ImageLtGray: return Set(ktvmi::kLtGray);
    case ImageDkGray: return Set(ktvmi::kDkGray);
    default: return Set(ktvmi::kWhite);
    }
}

BOOL CKtvPMenuImages::Initialize()
{
    if (!ktvmi::g_hooksInstalled) {
        KtvSetSysColorsChangedHook(CleanUp);
        KtvAddCleanUpStep(ReleaseAll);
        ktvmi::g_hooksInstalled = true;
    }
    CKtvPToolBarImages& base = Set(ktvmi::kBase);
    if (base.GetImageWell() != nullptr)
        return TRUE;

    base.SetImageSize(CSize(9, 9));
    if (!base.Load(kGlyphSheetId))
        return FALSE;
    if (base.GetTransparentColor() != ktvmi::kSheetBackground) {
        base.SetTransparentColor(ktvmi::kSheetBackground);
        base.CreateFadedImages();
    }
    for (const ktvmi::Variant& variant : ktvmi::kVariants) {
        CKtvPToolBarImages& set = Set(variant.set);
        base.CopyTo(set);
        set.MapColors(TRUE, RGB(0, 0, 0), variant.colour);
    }
    for (ktvmi::SetIndex index : {ktvmi::kBase, ktvmi::kGray, ktvmi::kDkGray, ktvmi::kLtGray, ktvmi::kWhite})
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
    if (!ktvmi::Slot(ktvmi::kBase) || ktvmi::Slot(ktvmi::kBase)->GetCount() == 0)
        return;
    for (int i = 0; i < ktvmi::kSetCount; i++)
        if (ktvmi::Slot(i))
            ktvmi::Slot(i)->Clear();
}

void CKtvPMenuImages::ReleaseAll()
{
    for (int i = 0; i < ktvmi::kSetCount; i++)
        ktvmi::Slot(i).reset();
}
