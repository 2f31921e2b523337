#include "ui/controls/KtvPOutlookBarPane.h"

#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPOutlookButton ----------------------------------------------------------------------------

// Serialisable: an outlook bar stores its custom panes with their buttons.
IMPLEMENT_SERIAL(CKtvPOutlookButton, CKtvPToolbarButton, VERSIONABLE_SCHEMA | 1)

CKtvPOutlookButton::CKtvPOutlookButton() : m_pWndParentBar(nullptr), m_sizeImage(0, 0), m_bIsWholeText(TRUE) {}

CKtvPOutlookButton::~CKtvPOutlookButton() = default;

BOOL CKtvPOutlookButton::CanBeDropped(CKtvPToolBar*) { KTVP_NOT_BUILT("CKtvPOutlookButton::CanBeDropped"); }
void CKtvPOutlookButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOutlookButton::OnDraw");
}
CSize CKtvPOutlookButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOutlookButton::OnCalculateSize");
}
void CKtvPOutlookButton::OnChangeParentWnd(CWnd*) { KTVP_NOT_BUILT("CKtvPOutlookButton::OnChangeParentWnd"); }

// --- CKtvPOutlookBarPane ---------------------------------------------------------------------------

CKtvPToolBarImages* CKtvPOutlookBarPane::m_pSharedImages = nullptr;
CSize CKtvPOutlookBarPane::m_csImage(0, 0);

BEGIN_MESSAGE_MAP(CKtvPOutlookBarPane, CKtvPToolBar)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CKtvPOutlookBarPane::CKtvPOutlookBarPane()
    : m_clrRegText((COLORREF)-1),
      m_clrTransparent(RGB(255, 0, 255)),
      m_clrBackColor(globalData.clrBtnShadow),
      m_uiBackImageId(0),
      m_nScrollOffset(0),
      m_iFirstVisibleButton(0),
      m_bScrollDown(FALSE),
      m_bDrawShadedHighlight(FALSE),
      m_nExtraSpace(0),
      m_hRecentOutlookBar(nullptr),
      m_bUserChange(FALSE),
      m_bPageScroll(FALSE)
{
    m_btnUp.m_FlatStyle = CKtvPButton::BUTTONSTYLE_3D;
    m_btnUp.m_DrawFocus = FALSE;
    m_btnDown.m_FlatStyle = CKtvPButton::BUTTONSTYLE_3D;
    m_btnDown.m_DrawFocus = FALSE;
    m_bDisableControlsIfNoHandler = FALSE;
}

// The background strip and both scroll buttons go with their members; the
// shared strip outlives every pane.
CKtvPOutlookBarPane::~CKtvPOutlookBarPane() = default;

CKtvPToolBarImages& CKtvPOutlookBarPane::GetSharedImages()
{
    if (m_pSharedImages == nullptr) {
        static bool s_bCleanUpJoined = false;
        if (!s_bCleanUpJoined) {
            KtvAddCleanUpStep(CleanUpSharedImages);
            s_bCleanUpJoined = true;
        }
        m_pSharedImages = new CKtvPToolBarImages;
        m_pSharedImages->SetTransparentColor(RGB(255, 0, 255));
    }
    return *m_pSharedImages;
}

void CKtvPOutlookBarPane::CleanUpSharedImages()
{
    delete m_pSharedImages;
    m_pSharedImages = nullptr;
    m_csImage = CSize(0, 0);
}

void CKtvPOutlookBarPane::OnFillBackground(CDC*, CRect) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnFillBackground"); }
BOOL CKtvPOutlookBarPane::Create(CWnd*, DWORD, UINT, DWORD) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::Create"); }
BOOL CKtvPOutlookBarPane::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::PreTranslateMessage"); }
CSize CKtvPOutlookBarPane::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::CalcFixedLayout"); }
void CKtvPOutlookBarPane::DoPaint(CDC*) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::DoPaint"); }
BOOL CKtvPOutlookBarPane::GetDockTargetAtCursor(int, CWnd*&)
{
    KTVP_NOT_BUILT("CKtvPOutlookBarPane::GetDockTargetAtCursor");
}
BOOL CKtvPOutlookBarPane::OnBeforeFloat(CRect&, int) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnBeforeFloat"); }
BOOL CKtvPOutlookBarPane::Dock(CKtvPBaseControlBar*, LPCRECT, int) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::Dock"); }
void CKtvPOutlookBarPane::RemoveAllButtons() { KTVP_NOT_BUILT("CKtvPOutlookBarPane::RemoveAllButtons"); }
BOOL CKtvPOutlookBarPane::CanBeRestored() const { KTVP_NOT_BUILT("CKtvPOutlookBarPane::CanBeRestored"); }
BOOL CKtvPOutlookBarPane::RestoreOriginalState() { KTVP_NOT_BUILT("CKtvPOutlookBarPane::RestoreOriginalState"); }
DROPEFFECT CKtvPOutlookBarPane::OnDragOver(COleDataObject*, DWORD, CPoint)
{
    KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnDragOver");
}
void CKtvPOutlookBarPane::AdjustLocations() { KTVP_NOT_BUILT("CKtvPOutlookBarPane::AdjustLocations"); }
CKtvPToolbarButton* CKtvPOutlookBarPane::CreateDroppedButton(COleDataObject*)
{
    KTVP_NOT_BUILT("CKtvPOutlookBarPane::CreateDroppedButton");
}
BOOL CKtvPOutlookBarPane::EnableContextMenuItems(CKtvPToolbarButton*, CMenu*)
{
    KTVP_NOT_BUILT("CKtvPOutlookBarPane::EnableContextMenuItems");
}
BOOL CKtvPOutlookBarPane::MergeOriginalItems(CObList&) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::MergeOriginalItems"); }

BOOL CKtvPOutlookBarPane::AddButton(HICON, LPCTSTR, UINT, int) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::AddButton"); }
BOOL CKtvPOutlookBarPane::AddImageButton(int, LPCTSTR, UINT, int)
{
    KTVP_NOT_BUILT("CKtvPOutlookBarPane::AddImageButton");
}
BOOL CKtvPOutlookBarPane::RemoveButton(UINT) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::RemoveButton"); }
void CKtvPOutlookBarPane::SetBackImage(UINT) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::SetBackImage"); }
void CKtvPOutlookBarPane::ScrollUp() { KTVP_NOT_BUILT("CKtvPOutlookBarPane::ScrollUp"); }
void CKtvPOutlookBarPane::ScrollDown() { KTVP_NOT_BUILT("CKtvPOutlookBarPane::ScrollDown"); }
void CKtvPOutlookBarPane::ScrollPageUp() { KTVP_NOT_BUILT("CKtvPOutlookBarPane::ScrollPageUp"); }
void CKtvPOutlookBarPane::ScrollPageDown() { KTVP_NOT_BUILT("CKtvPOutlookBarPane::ScrollPageDown"); }

// The pane paints all of its client area in DoPaint.
BOOL CKtvPOutlookBarPane::OnEraseBkgnd(CDC*) { return TRUE; }
void CKtvPOutlookBarPane::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnSize"); }
int CKtvPOutlookBarPane::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnCreate"); }
void CKtvPOutlookBarPane::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnNcCalcSize"); }
void CKtvPOutlookBarPane::OnSysColorChange() { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnSysColorChange"); }
void CKtvPOutlookBarPane::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnTimer"); }
void CKtvPOutlookBarPane::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnLButtonUp"); }
void CKtvPOutlookBarPane::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPOutlookBarPane::OnSetFocus"); }
