#include "ui/controls/KtvPCalculator.h"

#include "ui/frames/KtvPNotBuilt.h"

// --- CCalculatorButton -----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CCalculatorButton, CKtvPToolbarButton)

CCalculatorButton::CCalculatorButton() : CCalculatorButton("0", 0, '0', 0, FALSE, FALSE, 0) {}

CCalculatorButton::CCalculatorButton(LPCTSTR lpszLabel, int nCommand, int nKeyCode, int nKeyCode2,
                                     BOOL bIsVirtualKey, BOOL bNeedsCtrl, short nDigit, BOOL bIsUserCommand)
    : m_Digit(nDigit),
      m_Command(nCommand),
      m_KeyCode(nKeyCode),
      m_KeyCode2(nKeyCode2),
      m_Calculator(nullptr),
      m_IsVirtualKey(bIsVirtualKey),
      m_NeedsCtrl(bNeedsCtrl),
      m_IsUserCommand(bIsUserCommand)
{
    m_strText = lpszLabel == nullptr ? "" : lpszLabel;
}

CCalculatorButton::~CCalculatorButton() = default;

// --- CCalculatorDisplay ----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CCalculatorDisplay, CKtvPToolbarButton)

CCalculatorDisplay::CCalculatorDisplay() : m_ShowMemory(FALSE), m_Calculator(nullptr) { m_strText = "0"; }

CCalculatorDisplay::~CCalculatorDisplay() = default;

// --- CKtvPCalculator -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPCalculator, CKtvPPopupMenuBar)

BEGIN_MESSAGE_MAP(CKtvPCalculator, CKtvPPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSELEAVE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPCalculator::CKtvPCalculator() : CKtvPCalculator(0.0, 0, nullptr) {}

CKtvPCalculator::CKtvPCalculator(double dblValue, UINT uiCommandID, CKtvPBrowseEdit* pEdit)
    : m_bIsInCommand(FALSE),
      m_Value(dblValue),
      m_SecondValue(0.0),
      m_Memory(0.0),
      m_PendingOp(0),
      m_CommandId(uiCommandID),
      m_Edit(pEdit),
      m_VertMargin(3),
      m_HorzMargin(3),
      m_IsNewNumber(TRUE),
      m_IsError(FALSE),
      m_LastWasEquals(FALSE),
      m_Rows(5),
      m_Columns(5)
{
    m_bLocked = TRUE;
    // Zero shows as "0"; any other value goes through the display format.
    if (dblValue == 0.0)
        m_DisplayText = "0";
    else
        FormatDisplayValue();
}

CKtvPCalculator::~CKtvPCalculator() = default;

void CKtvPCalculator::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPCalculator::Serialize"); }
BOOL CKtvPCalculator::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPCalculator::PreTranslateMessage"); }
CSize CKtvPCalculator::CalcMaxButtonSize(BOOL) { KTVP_NOT_BUILT("CKtvPCalculator::CalcMaxButtonSize"); }
BOOL CKtvPCalculator::Create(CWnd*, DWORD, UINT) { KTVP_NOT_BUILT("CKtvPCalculator::Create"); }
void CKtvPCalculator::AdjustLocations() { KTVP_NOT_BUILT("CKtvPCalculator::AdjustLocations"); }
BOOL CKtvPCalculator::OnSendCommand(const CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPCalculator::OnSendCommand"); }
void CKtvPCalculator::ShowCommandMessageString(UINT) { KTVP_NOT_BUILT("CKtvPCalculator::ShowCommandMessageString"); }
BOOL CKtvPCalculator::CreateControl(CWnd*, const RECT&, UINT) { KTVP_NOT_BUILT("CKtvPCalculator::CreateControl"); }
BOOL CKtvPCalculator::OnDrawButton(CDC*, CRect, CCalculatorButton*, int, int)
{
    KTVP_NOT_BUILT("CKtvPCalculator::OnDrawButton");
}
BOOL CKtvPCalculator::OnDrawDisplay(CDC*, CRect, const CString&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCalculator::OnDrawDisplay");
}
void CKtvPCalculator::Rebuild() { KTVP_NOT_BUILT("CKtvPCalculator::Rebuild"); }
void CKtvPCalculator::OnDigit(int) { KTVP_NOT_BUILT("CKtvPCalculator::OnDigit"); }
BOOL CKtvPCalculator::ProcessKey(UINT, BOOL) { KTVP_NOT_BUILT("CKtvPCalculator::ProcessKey"); }
void CKtvPCalculator::SetAdditionalCommands(const CStringList&)
{
    KTVP_NOT_BUILT("CKtvPCalculator::SetAdditionalCommands");
}
void CKtvPCalculator::FormatDisplayValue() { KTVP_NOT_BUILT("CKtvPCalculator::FormatDisplayValue"); }
void CKtvPCalculator::UpdateDisplay() { KTVP_NOT_BUILT("CKtvPCalculator::UpdateDisplay"); }

int CKtvPCalculator::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPCalculator::OnCreate"); }
void CKtvPCalculator::OnNcPaint() { KTVP_NOT_BUILT("CKtvPCalculator::OnNcPaint"); }
void CKtvPCalculator::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalculator::OnLButtonDown"); }
void CKtvPCalculator::OnMouseLeave() { KTVP_NOT_BUILT("CKtvPCalculator::OnMouseLeave"); }
void CKtvPCalculator::OnDestroy() { KTVP_NOT_BUILT("CKtvPCalculator::OnDestroy"); }

// --- CKtvPCalculatorPopup --------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPCalculatorPopup, CKtvPPopupMenu)

CKtvPCalculatorPopup::CKtvPCalculatorPopup(double dblValue, UINT uiCommandID, CKtvPBrowseEdit* pEdit)
    : m_wndCalculator(dblValue, uiCommandID, pEdit)
{
}

CKtvPCalculatorPopup::~CKtvPCalculatorPopup() = default;
