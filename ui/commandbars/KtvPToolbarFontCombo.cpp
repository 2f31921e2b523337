#include "ui/commandbars/KtvPToolbarFontCombo.h"

#include <cstring>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CPrintDialog.h"
#include "platform/mfc/CWinApp.h"
#include "ui/controls/KtvPFontComboBox.h"

// --- CKtvPToolbarFontCombo -------------------------------------------------------------------------

IMPLEMENT_SERIAL(CKtvPToolbarFontCombo, CKtvPToolbarComboBoxButton, 1)

CObList CKtvPToolbarFontCombo::m_lstFonts(10);
int CKtvPToolbarFontCombo::m_nCount = 0;

// Loading builds the list and the items.
CKtvPToolbarFontCombo::CKtvPToolbarFontCombo()
    : m_nFontType(DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE), m_nCharSet(DEFAULT_CHARSET),
      m_nPitchAndFamily(0)
{
    m_nCount++;
}

CKtvPToolbarFontCombo::CKtvPToolbarFontCombo(UINT uiID, int iImage, int nFontType, BYTE nCharSet, DWORD dwStyle,
                                             int iWidth, BYTE nPitchAndFamily)
    : CKtvPToolbarComboBoxButton(uiID, iImage, dwStyle, iWidth), m_nFontType(nFontType), m_nCharSet(nCharSet),
      m_nPitchAndFamily(nPitchAndFamily)
{
    m_nCount++;
    if (m_lstFonts.IsEmpty())
        RebuildFonts();
    SetupFonts();
}

// The last button frees the shared list; its window goes first, as its
// items point into the list.
CKtvPToolbarFontCombo::~CKtvPToolbarFontCombo()
{
    DestroyWindows();
    if (--m_nCount > 0)
        return;
    while (!m_lstFonts.IsEmpty())
        delete (CKtvPFontDesc*)m_lstFonts.RemoveHead();
}

namespace {

// Every reported font is offered to the button; the enumeration goes on.
int OfferFontToCombo(const LOGFONT* plf, DWORD nType, LPARAM lParam)
{
    auto* pelf = reinterpret_cast<const ENUMLOGFONTEX*>(plf);
    reinterpret_cast<CKtvPToolbarFontCombo*>(lParam)->AddFont(pelf, (int)nType, CString(pelf->elfScript));
    return 1;
}

} // namespace

int CALLBACK CKtvPToolbarFontCombo::EnumFamScreenCallBackEx(const LOGFONT* plf, const TEXTMETRIC*, DWORD nType,
                                                          LPARAM lParam)
{
    return OfferFontToCombo(plf, nType, lParam);
}

int CALLBACK CKtvPToolbarFontCombo::EnumFamPrinterCallBackEx(const LOGFONT* plf, const TEXTMETRIC*, DWORD nType,
                                                           LPARAM lParam)
{
    return OfferFontToCombo(plf, nType, lParam);
}

// The screen's fonts, then the default printer's when there is one.
void CKtvPToolbarFontCombo::RebuildFonts()
{
    LOGFONT lf{};
    lf.lfCharSet = m_nCharSet;
    {
        CWindowDC dc(nullptr);
        ::EnumFontFamiliesEx(dc.GetSafeHdc(), &lf, &EnumFamScreenCallBackEx, (LPARAM)this, 0);
    }

    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION);
    CWinApp* pApp = AfxGetApp();
    const BOOL bPrinter = pApp != nullptr ? pApp->GetPrinterDeviceDefaults(&dlg.m_pd)
                                          : CPrintDialog::GetAppPrinterDefaults(&dlg.m_pd);
    if (!bPrinter)
        return;
    HDC hdcPrinter = dlg.CreatePrinterDC();
    if (hdcPrinter == nullptr)
        return;
    ::EnumFontFamiliesEx(hdcPrinter, &lf, &EnumFamPrinterCallBackEx, (LPARAM)this, 0);
    ::DeleteDC(hdcPrinter);
}

BOOL CKtvPToolbarFontCombo::AddFont(const ENUMLOGFONTEX* pelf, int nType, LPCTSTR lpszScript)
{
    const LOGFONT& lf = pelf->elfLogFont;
    if (lf.lfCharSet == MAC_CHARSET)
        return FALSE;
    if (m_nPitchAndFamily != 0 && (lf.lfPitchAndFamily & m_nPitchAndFamily) == 0)
        return FALSE;
    for (POSITION pos = m_lstFonts.GetHeadPosition(); pos != nullptr;) {
        const auto* pDesc = (const CKtvPFontDesc*)m_lstFonts.GetNext(pos);
        if (std::strcmp(pDesc->m_strName, lf.lfFaceName) == 0)
            return FALSE;
    }
    // Vertical faces on double-byte systems.
    if (::GetSystemMetrics(SM_DBCSENABLED) && lf.lfFaceName[0] == '@')
        return FALSE;

    auto* pNew = new CKtvPFontDesc(lf.lfFaceName, lpszScript, nType, lf.lfCharSet, lf.lfPitchAndFamily);
    const CString strNew = pNew->GetFullName();
    for (POSITION pos = m_lstFonts.GetHeadPosition(); pos != nullptr;) {
        const POSITION posAt = pos;
        const auto* pDesc = (const CKtvPFontDesc*)m_lstFonts.GetNext(pos);
        if (std::strcmp(pDesc->GetFullName(), strNew) >= 0) {
            m_lstFonts.InsertBefore(posAt, pNew);
            return TRUE;
        }
    }
    m_lstFonts.AddTail(pNew);
    return TRUE;
}

// The button's items: the fonts of its types; a face listed more than once
// shows its script.
void CKtvPToolbarFontCombo::SetupFonts()
{
    for (POSITION pos = m_lstFonts.GetHeadPosition(); pos != nullptr;) {
        auto* pDesc = (CKtvPFontDesc*)m_lstFonts.GetNext(pos);
        if ((pDesc->m_nType & m_nFontType) == 0)
            continue;
        int nSameName = 0;
        for (POSITION posOther = m_lstFonts.GetHeadPosition(); posOther != nullptr;) {
            if (((CKtvPFontDesc*)m_lstFonts.GetNext(posOther))->m_strName == pDesc->m_strName)
                nSameName++;
        }
        AddItem(nSameName > 1 ? pDesc->GetFullName() : pDesc->m_strName, (DWORD_PTR)pDesc);
    }
}

// The toolbar button's fields, then the box's own; the items are rebuilt
// from the fonts installed when the bar is loaded. A stored font that still
// exists is selected by name, so a changed font list selects the same font.
void CKtvPToolbarFontCombo::Serialize(CArchive& ar)
{
    CKtvPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (int)m_nWidth << m_dwStyle << (int)m_iSelIndex << m_strEdit << (int)m_nDropDownHeight << m_nFontType
           << m_nCharSet;
        return;
    }

    int nWidth = 0, nSel = -1, nDropDown = 0;
    ar >> nWidth >> m_dwStyle >> nSel;
    ar >> m_strEdit;
    ar >> nDropDown >> m_nFontType >> m_nCharSet;
    m_nWidth = nWidth;
    m_nDropDownHeight = nDropDown;
    m_rect.right = m_rect.left + m_nWidth;

    const CString strStored = m_strEdit;
    if (m_lstFonts.IsEmpty())
        RebuildFonts();
    RemoveAllItems();
    SetupFonts();

    int iByName = -1;
    for (int i = 0; i < GetCount(); i++) {
        if (strStored == GetItem(i)) {
            iByName = i;
            break;
        }
    }
    const int iSelect = iByName >= 0 ? iByName : nSel;
    m_strEdit = strStored;
    if (SelectItem(iSelect, TRUE))
        m_strEdit = GetItem(iSelect);
}

void CKtvPToolbarFontCombo::CopyFrom(const CKtvPToolbarButton& src)
{
    CKtvPToolbarComboBoxButton::CopyFrom(src);
    const auto* pSrc = dynamic_cast<const CKtvPToolbarFontCombo*>(&src);
    if (pSrc == nullptr)
        return;
    m_nCharSet = pSrc->m_nCharSet;
    m_nFontType = pSrc->m_nFontType;
    m_nPitchAndFamily = pSrc->m_nPitchAndFamily;
}

CComboBox* CKtvPToolbarFontCombo::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CKtvPFontComboBox;
    if (!pCombo->Create(m_dwStyle | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}

// --- CKtvPToolbarFontSizeCombo ---------------------------------------------------------------------

IMPLEMENT_SERIAL(CKtvPToolbarFontSizeCombo, CKtvPToolbarComboBoxButton, 1)

CKtvPToolbarFontSizeCombo::CKtvPToolbarFontSizeCombo() = default;

CKtvPToolbarFontSizeCombo::CKtvPToolbarFontSizeCombo(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKtvPToolbarComboBoxButton(uiID, iImage, dwStyle, iWidth)
{
}

CKtvPToolbarFontSizeCombo::~CKtvPToolbarFontSizeCombo() = default;

CComboBox* CKtvPToolbarFontSizeCombo::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CKtvPFontComboBox;
    if (!pCombo->Create(m_dwStyle, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}
