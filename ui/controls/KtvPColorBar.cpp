#include "ui/controls/KtvPColorBar.h"

#include "ui/frames/KtvPNotBuilt.h"

// --- CColorButton ----------------------------------------------------------------------------------

IMPLEMENT_SERIAL(CColorButton, CKtvPToolbarButton, 1)

CColorButton::CColorButton()
    : m_Color((COLORREF)-1),
      m_Selected(FALSE),
      m_IsAutomatic(FALSE),
      m_IsOther(FALSE),
      m_IsLabel(FALSE),
      m_IsDocument(FALSE),
      m_IsOtherColor(FALSE),
      m_ParentBar(nullptr)
{
}

CColorButton::CColorButton(COLORREF color, BOOL bIsAutomatic, BOOL bIsOther, LPCTSTR lpszColorName,
                           BOOL bHighlight, BOOL bIsDocument, BOOL bIsOtherColor)
    : m_Color(color),
      m_Selected(bHighlight),
      m_IsAutomatic(bIsAutomatic),
      m_IsOther(bIsOther),
      m_IsLabel(FALSE),
      m_IsDocument(bIsDocument),
      m_IsOtherColor(bIsOtherColor),
      m_ParentBar(nullptr)
{
    m_strText = lpszColorName == nullptr ? "" : lpszColorName;
}

CColorButton::~CColorButton() = default;

void CColorButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CColorButton::OnDraw");
}
void CColorButton::OnChangeParentWnd(CWnd*) { KTVP_NOT_BUILT("CColorButton::OnChangeParentWnd"); }
INT_PTR CColorButton::OnToolHitTest(const CWnd*, TOOLINFO*) { KTVP_NOT_BUILT("CColorButton::OnToolHitTest"); }

// --- CKtvPColorBar ---------------------------------------------------------------------------------

IMPLEMENT_SERIAL(CKtvPColorBar, CKtvPPopupMenuBar, 1)

CMap<COLORREF, COLORREF, CString, LPCTSTR> CKtvPColorBar::m_ColorNames;
CMap<UINT, UINT, COLORREF, COLORREF> CKtvPColorBar::m_CommandColors;

BEGIN_MESSAGE_MAP(CKtvPColorBar, CKtvPPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
    ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

// The bar's cells cannot be customised.
CKtvPColorBar::CKtvPColorBar()
    : m_Columns(0),
      m_RowsDockHorz(0),
      m_ColumnsDockVert(0),
      m_BoxWidth(0),
      m_BoxHeight(0),
      m_TextButtonHeight(0),
      m_SelectedColor((COLORREF)-1),
      m_AutomaticColor((COLORREF)-1),
      m_CommandId(0),
      m_UseStandardDialog(FALSE),
      m_IsEnabled(TRUE),
      m_IsToolbar(TRUE),
      m_ShowDocColorsAlways(FALSE),
      m_ParentButton(nullptr),
      m_OffsetX(0),
      m_OffsetY(0),
      m_EnabledInCustomizeMode(FALSE),
      m_VertMargin(4),
      m_HorzMargin(4)
{
    m_bLocked = TRUE;
}

CKtvPColorBar::CKtvPColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                             LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, CList<COLORREF, COLORREF>& lstDocColors,
                             int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic,
                             UINT nCommandID, CKtvPColorButton* pParentBtn)
    : CKtvPColorBar()
{
    // Whether the parent button asks for the system's dialog is the parent's to say.
    if (pParentBtn != nullptr)
        KTVP_NOT_BUILT("CKtvPColorBar::CKtvPColorBar");
    m_Columns = nColumns;
    m_RowsDockHorz = nRowsDockHorz;
    m_ColumnsDockVert = nColDockVert;
    m_Colors.Copy(colors);
    m_SelectedColor = color;
    m_AutomaticColor = colorAutomatic;
    m_AutoLabel = lpszAutoColor == nullptr ? "" : lpszAutoColor;
    m_OtherLabel = lpszOtherColor == nullptr ? "" : lpszOtherColor;
    m_DocColorsLabel = lpszDocColors == nullptr ? "" : lpszDocColors;
    m_DocColors.AddTail(&lstDocColors);
    m_CommandId = nCommandID;
    m_IsToolbar = FALSE;
    m_ShowDocColorsAlways = TRUE;
}

CKtvPColorBar::CKtvPColorBar(CKtvPColorBar& src, UINT uiCommandID) : CKtvPColorBar()
{
    m_Columns = src.m_Columns;
    m_RowsDockHorz = src.m_RowsDockHorz;
    m_ColumnsDockVert = src.m_ColumnsDockVert;
    m_Colors.Copy(src.m_Colors);
    m_SelectedColor = src.m_SelectedColor;
    m_AutomaticColor = src.m_AutomaticColor;
    m_AutoLabel = src.m_AutoLabel;
    m_OtherLabel = src.m_OtherLabel;
    m_DocColorsLabel = src.m_DocColorsLabel;
    m_UseStandardDialog = src.m_UseStandardDialog;
    m_DocColors.AddTail(&src.m_DocColors);
    m_CommandId = uiCommandID;
}

// The cells go with the toolbar's button list; the colours, list and palette with their members.
CKtvPColorBar::~CKtvPColorBar() = default;

BOOL CKtvPColorBar::Create(CWnd*, DWORD, UINT, CPalette*, int, int, int) { KTVP_NOT_BUILT("CKtvPColorBar::Create"); }
BOOL CKtvPColorBar::CreateControl(CWnd*, const CRect&, UINT, int, CPalette*)
{
    KTVP_NOT_BUILT("CKtvPColorBar::CreateControl");
}
BOOL CKtvPColorBar::OpenColorDialog(const COLORREF, COLORREF&) { KTVP_NOT_BUILT("CKtvPColorBar::OpenColorDialog"); }
void CKtvPColorBar::Rebuild() { KTVP_NOT_BUILT("CKtvPColorBar::Rebuild"); }

void CKtvPColorBar::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPColorBar::Serialize"); }
BOOL CKtvPColorBar::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPColorBar::PreTranslateMessage"); }
void CKtvPColorBar::OnUpdateCmdUI(CFrameWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPColorBar::OnUpdateCmdUI"); }
void CKtvPColorBar::DoPaint(CDC*) { KTVP_NOT_BUILT("CKtvPColorBar::DoPaint"); }
CSize CKtvPColorBar::CalcMaxButtonSize(BOOL) { KTVP_NOT_BUILT("CKtvPColorBar::CalcMaxButtonSize"); }
void CKtvPColorBar::AdjustLocations() { KTVP_NOT_BUILT("CKtvPColorBar::AdjustLocations"); }
BOOL CKtvPColorBar::OnSendCommand(const CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPColorBar::OnSendCommand"); }
BOOL CKtvPColorBar::OnKey(UINT) { KTVP_NOT_BUILT("CKtvPColorBar::OnKey"); }
void CKtvPColorBar::ShowCommandMessageString(UINT) { KTVP_NOT_BUILT("CKtvPColorBar::ShowCommandMessageString"); }

void CKtvPColorBar::SetColor(COLORREF) { KTVP_NOT_BUILT("CKtvPColorBar::SetColor"); }
int CKtvPColorBar::InitColors(CPalette*, CArray<COLORREF, COLORREF>&) { KTVP_NOT_BUILT("CKtvPColorBar::InitColors"); }

int CKtvPColorBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPColorBar::OnCreate"); }
void CKtvPColorBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPColorBar::OnDestroy"); }
void CKtvPColorBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPColorBar::OnNcCalcSize"); }
void CKtvPColorBar::OnNcPaint() { KTVP_NOT_BUILT("CKtvPColorBar::OnNcPaint"); }
LRESULT CKtvPColorBar::OnQueryNewPalette(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPColorBar::OnQueryNewPalette"); }
LRESULT CKtvPColorBar::OnPaletteChanged(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPColorBar::OnPaletteChanged"); }
void CKtvPColorBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPColorBar::OnMouseMove"); }
void CKtvPColorBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPColorBar::OnLButtonDown"); }
void CKtvPColorBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPColorBar::OnLButtonUp"); }
void CKtvPColorBar::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPColorBar::OnLButtonDblClk"); }
void CKtvPColorBar::OnMouseLeave() { KTVP_NOT_BUILT("CKtvPColorBar::OnMouseLeave"); }
