#include "platform/mfc/CImageList.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/HandleMap.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace tw::mfc::imagelist_detail {
HandleMap<CImageList, HIMAGELIST>& Map()
{
    thread_local HandleMap<CImageList, HIMAGELIST> map(
        [](CImageList* list, HIMAGELIST h) { list->m_hImageList = h; },
        [](CImageList* list) { list->m_hImageList = nullptr; });
    return map;
}
}  // namespace tw::mfc::imagelist_detail

namespace imagelist_detail = tw::mfc::imagelist_detail;

CImageList::~CImageList()
{
    DeleteImageList();
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    const CImageList* self = this;
    return self == nullptr ? nullptr : m_hImageList;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return imagelist_detail::Map().FromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return imagelist_detail::Map().LookupPermanent(hImageList);
}

void PASCAL CImageList::DeleteTempMap()
{
    imagelist_detail::Map().DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!hImageList || m_hImageList)
        return FALSE;
    m_hImageList = hImageList;
    imagelist_detail::Map().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList && imagelist_detail::Map().LookupPermanent(hImageList) == this)
        imagelist_detail::Map().RemoveHandle(hImageList);
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(ImageList_LoadImage(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return Attach(ImageList_Duplicate((pImageList ? pImageList->m_hImageList : nullptr)));
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
BOOL CImageList::SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage ? pbmImage->m_hObject : nullptr),
                         static_cast<HBITMAP>(pbmMask ? pbmMask->m_hObject : nullptr));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage ? pbmImage->m_hObject : nullptr), crMask);
}

int CImageList::Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage ? pbmImage->m_hObject : nullptr),
                             static_cast<HBITMAP>(pbmMask ? pbmMask->m_hObject : nullptr));
}

int CImageList::Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
HICON CImageList::ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags)
{
    return ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags);
}

BOOL CImageList::Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags)
{
    return ImageList_Copy(m_hImageList, iDst, (pSrc ? pSrc->m_hImageList : nullptr), iSrc, uFlags);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, CDC::GetSafeHdcOf(pDC), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    return ImageList_DrawEx(m_hImageList, nImage, CDC::GetSafeHdcOf(pDC), pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ImageList_DragEnter((pWndLock ? pWndLock->m_hWnd : nullptr), point.x, point.y);
}

BOOL PASCAL CImageList::DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave((pWndLock ? pWndLock->m_hWnd : nullptr)); }
void PASCAL CImageList::EndDrag() { ImageList_EndDrag(); }
BOOL PASCAL CImageList::DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }

CImageList* PASCAL CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot)
{
    return FromHandle(ImageList_GetDragImage(lpPoint, lpPointHotSpot));
}
