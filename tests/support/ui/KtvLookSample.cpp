#include "tests/support/ui/KtvLookSample.h"

#include "platform/mfc/CDC.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/frames/KtvPVisualManager.h"

COLORREF KtvLookBarFillAt(CKtvPBaseControlBar* pBar, CPoint pt)
{
    CRect client;
    pBar->GetClientRect(client);
    CWindowDC screenDC(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screenDC);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screenDC, client.Width(), client.Height());
    CBitmap* pOld = dc.SelectObject(&bmp);
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(&dc, pBar, client, client, FALSE);
    const COLORREF clr = dc.GetPixel(pt.x, pt.y);
    dc.SelectObject(pOld);
    return clr;
}
