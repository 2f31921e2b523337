// The small glyphs drawn on menus, caption buttons, scroll buttons and tabs
// (arrows, check mark, bullet, window buttons, pins, chevrons), in five
// colours. Built on first use; freed when the system colours change so the
// next use builds them in the new colours, and at library clean-up.
#pragma once

#include "platform/mfc/CDC.h"
#include "platform/mfc/CRect.h"
#include "ui/commandbars/KtvPToolBarImages.h"

class CKtvPMenuImages {
public:
    enum IMAGES_IDS {
        IdArowDown = 0,
        IdArowRight = 1,
        IdCheck = 2,
        IdMinimize = 3,
        IdRestore = 4,
        IdClose = 5,
        IdMaximize = 6,
        IdArowUp = 7,
        IdArowShowAll = 8,
        IdArowLeft = 9,
        IdCloseSmall = 10,
        IdMoreButtons = 11,
        IdRadio = 12,
        IdArowDownLarge = 13,
        IdArowRightLarge = 14,
        IdPinHorz = 15,
        IdPinVert = 16,
        IdArowLeftLarge = 17,
        IdArowFirst = 18,
        IdArowLast = 19,
        IdArowRightTab3d = 20,
        IdArowLeftTab3d = 21,
        IdArowRightDsbldTab3d = 22,
        IdArowLeftDsbldTab3d = 23,
        IdArowUpLarge = 24,
        IdArowPageLeft = 25,
        IdArowPageRight = 26,
        IdArowBack = 27,
        IdArowForward = 28,
        IdCustomizeArowDown = 29,
        IdCustomizeArowLeft = 30,
        IdCustomizeMoreButtonsHorz = 31,
        IdCustomizeMoreButtonsVert = 32,
    };
    // The glyph colour: 0 black, 1 grey, 2 light grey, 4 dark grey, else white.
    enum IMAGE_STATE { ImageBlack = 0, ImageGray = 1, ImageLtGray = 2, ImageWhite = 3, ImageDkGray = 4 };

    static constexpr UINT kGlyphSheetId = 16129;
    static constexpr int kGlyphCount = 33;

    static BOOL Initialize();
    static void Draw(CDC* pDC, int glyph, const CPoint& pt, int state = ImageBlack, const CSize& sizeDest = CSize(0, 0));
    static CSize Size();
    static void CleanUp();
    // Library shutdown: the sets go with their bitmaps.
    static void ReleaseAll();

    // The set a state draws from (for tests and painters that draw the strip directly).
    static CKtvPToolBarImages& SetFor(int state);

private:
    static CKtvPToolBarImages& Set(int index);
};
