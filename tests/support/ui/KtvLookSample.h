// What the current look paints, drawn off screen, to compare with what a
// window shows: a bar's background fill at a point of its client area.
#pragma once

#include "platform/mfc/CRect.h"
#include "platform/win32/gdi/wingdi.h"

class CKtvPBaseControlBar;

COLORREF KtvLookBarFillAt(CKtvPBaseControlBar* pBar, CPoint pt);
