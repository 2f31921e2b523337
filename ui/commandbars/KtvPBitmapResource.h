// Bitmap resources as the image strips load them: the resource's DIB read the
// way a bitmap file is, with the same load flags, so a DIB section keeps the
// resource's depth and colour table.
#pragma once

#include "platform/win32/gdi/wingdi.h"

// NULL when the module has no such bitmap or it cannot be decoded.
HBITMAP KtvLoadBitmapResource(HINSTANCE hinst, UINT uiResID, UINT fuLoad);
