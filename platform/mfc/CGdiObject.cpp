#include "platform/mfc/CGdiObject.h"

#include <memory>
#include <typeinfo>
#include <unordered_map>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/kernel.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace tw::mfc::gdi_detail {

// Objects attached by the program, by handle.
std::unordered_map<HGDIOBJ, CGdiObject*>& Permanent()
{
    thread_local std::unordered_map<HGDIOBJ, CGdiObject*> map;
    return map;
}

// Temporary wrappers, one per handle and class; deleted without deleting the handle.
struct TempKey {
    HGDIOBJ handle;
    const std::type_info* cls;
    bool operator==(const TempKey& other) const { return handle == other.handle && cls == other.cls; }
};
struct TempKeyHash {
    size_t operator()(const TempKey& k) const
    {
        return std::hash<HGDIOBJ>()(k.handle) ^ (std::hash<const void*>()(k.cls) << 1);
    }
};

struct TempMap {
    std::unordered_map<TempKey, std::unique_ptr<CGdiObject>, TempKeyHash> objects;
    ~TempMap() { Clear(); }
    void Clear()
    {
        auto doomed = std::move(objects);
        objects.clear();
        for (auto& [key, object] : doomed)
            object->m_hObject = nullptr;
    }
};

TempMap& Temporary()
{
    thread_local TempMap map;
    return map;
}

}  // namespace tw::mfc::gdi_detail

namespace gdi_detail = tw::mfc::gdi_detail;

template <typename T>
T* tw::mfc::GdiFromHandle(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    auto& permanent = gdi_detail::Permanent();
    if (auto it = permanent.find(hObject); it != permanent.end()) {
        if (T* object = dynamic_cast<T*>(it->second))
            return object;
    }
    auto& temporary = gdi_detail::Temporary().objects;
    const gdi_detail::TempKey key{hObject, &typeid(T)};
    if (auto it = temporary.find(key); it != temporary.end())
        return static_cast<T*>(it->second.get());
    auto object = std::make_unique<T>();
    object->m_hObject = hObject;
    T* result = object.get();
    temporary.emplace(key, std::move(object));
    return result;
}

template CGdiObject* tw::mfc::GdiFromHandle<CGdiObject>(HGDIOBJ);
template CPen* tw::mfc::GdiFromHandle<CPen>(HGDIOBJ);
template CBrush* tw::mfc::GdiFromHandle<CBrush>(HGDIOBJ);
template CFont* tw::mfc::GdiFromHandle<CFont>(HGDIOBJ);
template CBitmap* tw::mfc::GdiFromHandle<CBitmap>(HGDIOBJ);
template CRgn* tw::mfc::GdiFromHandle<CRgn>(HGDIOBJ);
template CPalette* tw::mfc::GdiFromHandle<CPalette>(HGDIOBJ);

// --- CGdiObject -----------------------------------------------------------------------

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    const CGdiObject* self = this;
    return self == nullptr ? nullptr : m_hObject;
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return tw::mfc::GdiFromHandle<CGdiObject>(hObject);
}

void PASCAL CGdiObject::DeleteTempMap()
{
    gdi_detail::Temporary().Clear();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    gdi_detail::Permanent()[hObject] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject) {
        auto& permanent = gdi_detail::Permanent();
        if (auto it = permanent.find(hObject); it != permanent.end() && it->second == this)
            permanent.erase(it);
    }
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return static_cast<UINT>(::GetObjectType(m_hObject));
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // Stock objects are never deleted, so they are held without being attached.
    if (m_hObject)
        return FALSE;
    m_hObject = ::GetStockObject(nIndex);
    return m_hObject != nullptr;
}

// --- pens and brushes ------------------------------------------------------------------

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen* PASCAL CPen::FromHandle(HPEN hPen)
{
    return tw::mfc::GdiFromHandle<CPen>(hPen);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return Attach(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen)
{
    return ::GetObject(m_hObject, sizeof(LOGPEN), pLogPen);
}

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush)
{
    return tw::mfc::GdiFromHandle<CBrush>(hBrush);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(CGdiObject::GetSafeHandleOf(pBitmap))));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // A brush of our own, so that deleting it never touches the shared system brush.
    return Attach(::CreateSolidBrush(::GetSysColor(nIndex)));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush)
{
    return ::GetObject(m_hObject, sizeof(LOGBRUSH), pLogBrush);
}

// --- fonts --------------------------------------------------------------------------------

CFont* PASCAL CFont::FromHandle(HFONT hFont)
{
    return tw::mfc::GdiFromHandle<CFont>(hFont);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                               cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                               lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont{};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName) {
        std::strncpy(logFont.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
        logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    }
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // Tenths of a point to device pixels: lfHeight * dpi / 720, through the
    // device's mapping, and negative so that it names the character height.
    LOGFONT logFont = *lpLogFont;
    POINT pt{0, static_cast<int>(static_cast<long long>(::GetDeviceCaps(hDC, LOGPIXELSY)) * logFont.lfHeight / 720)};
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg{0, 0};
    ::DPtoLP(hDC, &ptOrg, 1);
    const int height = pt.y - ptOrg.y;
    logFont.lfHeight = -(height < 0 ? -height : height);
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont)
{
    return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont);
}

// --- bitmaps --------------------------------------------------------------------------------

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap)
{
    return tw::mfc::GdiFromHandle<CBitmap>(hBitmap);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return Attach(::LoadImage(AfxGetResourceHandle(), lpszResourceName, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(CDC::GetSafeHdcOf(pDC), nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap)
{
    return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap);
}

// --- regions ----------------------------------------------------------------------------------

CRgn* PASCAL CRgn::FromHandle(HRGN hRgn)
{
    return tw::mfc::GdiFromHandle<CRgn>(hRgn);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return Attach(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return Attach(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode)
{
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(CGdiObject::GetSafeHandleOf(pRgn1)),
                        static_cast<HRGN>(CGdiObject::GetSafeHandleOf(pRgn2)), nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(CGdiObject::GetSafeHandleOf(pRgnSrc)), nullptr,
                        RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(CGdiObject::GetSafeHandleOf(pRgn)));
}

int CRgn::OffsetRgn(int x, int y)
{
    return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y);
}

int CRgn::OffsetRgn(POINT point)
{
    return OffsetRgn(point.x, point.y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect);
}

// --- palettes -------------------------------------------------------------------------------------

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette)
{
    return tw::mfc::GdiFromHandle<CPalette>(hPalette);
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    return Attach(::CreatePalette(lpLogPalette));
}

int CPalette::GetEntryCount()
{
    WORD nEntries = 0;
    ::GetObject(m_hObject, sizeof(WORD), &nEntries);
    return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor);
}
