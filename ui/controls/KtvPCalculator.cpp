#include "ui/controls/KtvPCalculator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/win32/kernel/PlatformPrintf.h"
#include "ui/controls/KtvPBrowseEdit.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/commandbars/KtvPPopupOutsideInput.h"

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

void CCalculatorButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_Calculator = dynamic_cast<CKtvPCalculator*>(pWndParent);
}

void CCalculatorButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages*, BOOL, BOOL, BOOL bHighlight, BOOL,
                               BOOL)
{
    if (m_Calculator == nullptr)
        return;
    int nState = 0;
    if (!CKtvPToolBar::m_bCustomizeMode) {
        if (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED))
            nState = 1;
        else if (bHighlight)
            nState = 2;
    }
    if (!m_Calculator->OnDrawButton(pDC, rect, this, nState, m_Command))
        return;
    COLORREF clrText = RGB(0, 0, 255);
    if (m_IsUserCommand)
        clrText = RGB(255, 0, 255);
    else if (m_Digit < 0 && m_Command != 11)
        clrText = RGB(255, 0, 0);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText = rect;
    pDC->DrawText(m_strText, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

// --- CCalculatorDisplay ----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CCalculatorDisplay, CKtvPToolbarButton)

CCalculatorDisplay::CCalculatorDisplay() : m_ShowMemory(FALSE), m_Calculator(nullptr) { m_strText = "0"; }

CCalculatorDisplay::~CCalculatorDisplay() = default;

void CCalculatorDisplay::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_Calculator = dynamic_cast<CKtvPCalculator*>(pWndParent);
}

void CCalculatorDisplay::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    if (m_Calculator == nullptr || !m_Calculator->OnDrawDisplay(pDC, rect, m_strText, m_ShowMemory))
        return;
    CRect rectText = rect;
    rectText.DeflateRect(4, 2);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    if (m_ShowMemory) {
        CRect rectMark = rectText;
        pDC->DrawText("M", rectMark, DT_SINGLELINE);
        rectText.left += pDC->GetTextExtent("M").cx;
    }
    pDC->DrawText(m_strText, rectText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
}

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

namespace {

// Command codes of the keys.
enum {
    CalcClearEntry = 1, CalcClear, CalcMemClear, CalcMemRecall, CalcMemAdd, CalcAdd, CalcSubtract, CalcMultiply,
    CalcDivide, CalcSign, CalcPoint, CalcSqrt, CalcPercent, CalcEquals, CalcReciprocal, CalcBackspace,
    CalcFirstUserCommand = 100
};

constexpr int kMinKeySize = 25;
constexpr UINT kSetMessageString = 0x0362;
constexpr UINT kIdleMessage = 0xE001;

struct KeyDef {
    const char* label;
    int command;
    int code;
    int code2;
    BOOL virtualKey;
    BOOL needsCtrl;
};

// The keypad in bar order, after the display. Digits carry command 0.
const KeyDef kKeys[] = {
    {"<-", CalcBackspace, VK_BACK, 0, TRUE, FALSE},
    {"MC", CalcMemClear, 'L', 108, TRUE, TRUE},
    {"MR", CalcMemRecall, 'R', 114, TRUE, TRUE},
    {"M+", CalcMemAdd, 'P', 112, TRUE, TRUE},
    {"C", CalcClear, VK_ESCAPE, 0, TRUE, FALSE},
    {"CE", CalcClearEntry, VK_DELETE, 0, TRUE, FALSE},
    {"7", 0, '7', 0, FALSE, FALSE},
    {"8", 0, '8', 0, FALSE, FALSE},
    {"9", 0, '9', 0, FALSE, FALSE},
    {"/", CalcDivide, '/', 0, FALSE, FALSE},
    {"*", CalcMultiply, '*', 0, FALSE, FALSE},
    {"4", 0, '4', 0, FALSE, FALSE},
    {"5", 0, '5', 0, FALSE, FALSE},
    {"6", 0, '6', 0, FALSE, FALSE},
    {"+/-", CalcSign, VK_F9, 0, TRUE, FALSE},
    {"-", CalcSubtract, '-', 0, FALSE, FALSE},
    {"1", 0, '1', 0, FALSE, FALSE},
    {"2", 0, '2', 0, FALSE, FALSE},
    {"3", 0, '3', 0, FALSE, FALSE},
    {"Sqrt", CalcSqrt, '@', 0, FALSE, FALSE},
    {"+", CalcAdd, '+', 0, FALSE, FALSE},
    {"0", 0, '0', 0, FALSE, FALSE},
    {".", CalcPoint, '.', ',', FALSE, FALSE},
    {"=", CalcEquals, VK_RETURN, 0, TRUE, FALSE},
    {"%", CalcPercent, '%', 0, FALSE, FALSE},
    {"1/x", CalcReciprocal, 'R', 'r', FALSE, FALSE},
};

BOOL IsCtrlHeld() { return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

void RedrawNow(CWnd* pWnd, const CRect* pRect)
{
    if (pWnd->GetSafeHwnd() != nullptr)
        pWnd->RedrawWindow(pRect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The key and display text font and its line height.
int MeasureTextHeight(CDC& dc)
{
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    return tm.tmHeight;
}

} // namespace

void CKtvPCalculator::Serialize(CArchive& ar)
{
    CKtvPPopupMenuBar::Serialize(ar);
    if (ar.IsLoading()) {
        Rebuild();
        AdjustLocations();
    }
}

BOOL CKtvPCalculator::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_CHAR && ProcessKey((UINT)pMsg->wParam, FALSE))
        return TRUE;
    if (pMsg->message == WM_KEYDOWN && ProcessKey((UINT)pMsg->wParam, TRUE))
        return TRUE;

    if (m_Edit != nullptr && !m_bIsInCommand && !m_bInCommand && KtvIsPopupClosingInput(this, pMsg)) {
        GetParent()->PostMessage(WM_CLOSE);
        return TRUE;
    }
    return CKtvPToolBar::PreTranslateMessage(pMsg);
}

// One size for every key, the display's current text included; the answer is
// the whole bar, which is how a popup sizes itself.
CSize CKtvPCalculator::CalcMaxButtonSize(BOOL)
{
    CWindowDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(GetBarFont(FALSE));
    const int nTextHeight = MeasureTextHeight(dc);

    CSize sizeKey(kMinKeySize + 2 * m_HorzMargin, kMinKeySize + 2 * m_VertMargin);
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = (CKtvPToolbarButton*)m_Buttons.GetNext(pos);
        const CString strText = pButton->IsKindOf(RUNTIME_CLASS(CCalculatorDisplay)) ? m_DisplayText
                                                                                       : pButton->m_strText;
        const CSize sizeText = dc.GetTextExtent(strText);
        sizeKey.cx = std::max<int>(sizeKey.cx, sizeText.cx + 2 * m_HorzMargin + 8);
        sizeKey.cy = std::max<int>(sizeKey.cy, nTextHeight + 2 * m_VertMargin + 8);
    }
    dc.SelectObject(pOldFont);

    return CSize(sizeKey.cx * m_Columns + 2 * m_HorzMargin,
                 sizeKey.cy * m_Rows + globalData.m_nTextHeight + 6 * m_VertMargin);
}

BOOL CKtvPCalculator::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_DisplayRect.SetRectEmpty();
    return CKtvPPopupMenuBar::Create(pParentWnd, dwStyle, nID);
}

void CKtvPCalculator::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr || m_Buttons.IsEmpty())
        return;

    CRect rectClient;
    GetClientRect(rectClient);
    const int m = (rectClient.Width() < 150 || rectClient.Height() < 150) ? 1 : 3;
    m_VertMargin = m_HorzMargin = m;
    CRect rectWork = rectClient;
    rectWork.DeflateRect(m, m);

    int w = rectWork.Width() / std::max(1, m_Columns);
    if (w < kMinKeySize)
        w = kMinKeySize;

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetBarFont(FALSE));
    const int t = MeasureTextHeight(dc);
    dc.SelectObject(pOldFont);

    std::vector<std::pair<CKtvPToolbarButton*, CRect>> places;
    POSITION pos = m_Buttons.GetHeadPosition();
    auto* pDisplay = (CKtvPToolbarButton*)m_Buttons.GetNext(pos);
    CKtvPToolbarButton* pBack = pos != nullptr ? (CKtvPToolbarButton*)m_Buttons.GetNext(pos) : nullptr;

    CRect rectRow(rectWork.left, rectWork.top, rectWork.right, rectWork.top + t + 4 * m + 2);
    CRect rectDisplay = rectRow;
    rectDisplay.DeflateRect(m, m);
    CRect rectBack(rectDisplay.right - w, rectDisplay.top, rectDisplay.right, rectDisplay.bottom);
    rectBack.DeflateRect(m, 0);
    rectDisplay.right = rectBack.left - m;

    const int nRowsTop = rectRow.bottom + m;
    int h = (rectWork.bottom - nRowsTop) / std::max(1, m_Rows);
    if (h < kMinKeySize)
        h = kMinKeySize;

    int nIndex = 0;
    int nFirstRowRight = rectWork.left;
    while (pos != nullptr) {
        auto* pButton = (CKtvPToolbarButton*)m_Buttons.GetNext(pos);
        const int nRow = nIndex / std::max(1, m_Columns);
        const int nCol = nIndex % std::max(1, m_Columns);
        CRect rect(rectWork.left + nCol * w, nRowsTop + nRow * h, rectWork.left + (nCol + 1) * w,
                   nRowsTop + (nRow + 1) * h);
        if (nRow == 0)
            nFirstRowRight = rect.right;
        rect.DeflateRect(m, m);
        places.emplace_back(pButton, rect);
        ++nIndex;
    }

    // A full first row puts "<-" over the last column.
    if (nIndex >= m_Columns && pBack != nullptr) {
        rectBack.left = nFirstRowRight - w + m;
        rectBack.right = nFirstRowRight - m;
        rectDisplay.right = rectBack.left - 2 * m;
    }
    places.emplace_back(pDisplay, rectDisplay);
    if (pBack != nullptr)
        places.emplace_back(pBack, rectBack);
    m_DisplayRect = rectDisplay;

    for (auto& place : places) {
        if (place.first->m_rect != place.second) {
            place.first->m_rect = place.second;
            place.first->OnMove();
        }
    }
    UpdateTooltips();
}

BOOL CKtvPCalculator::OnSendCommand(const CKtvPToolbarButton* pButtonConst)
{
    auto* pButton = dynamic_cast<const CCalculatorButton*>(pButtonConst);
    if (pButton == nullptr)
        return FALSE;
    const int nCommand = pButton->m_Command;

    if (m_IsError && nCommand != CalcClearEntry && nCommand != CalcClear)
        return TRUE;

    const BOOL bWasInCommand = m_bIsInCommand;
    m_bIsInCommand = TRUE;

    if (nCommand >= CalcFirstUserCommand) {
        Compute();
        FormatDisplayValue();
        UpdateDisplay();
        if (m_Edit != nullptr)
            m_Edit->OnCalculatorCommand(this, (UINT)nCommand);
        else
            OnUserCommand((UINT)nCommand);
        m_IsNewNumber = TRUE;
        FormatDisplayValue();
        UpdateDisplay();
        m_bIsInCommand = bWasInCommand;
        return TRUE;
    }

    if (nCommand != CalcEquals)
        m_LastWasEquals = FALSE;

    if (pButton->m_Digit >= 0) {
        OnDigit(pButton->m_Digit);
        m_bIsInCommand = bWasInCommand;
        return TRUE;
    }

    BOOL bFormat = TRUE;
    switch (nCommand) {
    case CalcClear:
        m_SecondValue = 0.0;
        m_PendingOp = 0;
        [[fallthrough]];
    case CalcClearEntry:
        m_Value = 0.0;
        m_DisplayText = "0";
        m_IsError = FALSE;
        m_LastWasEquals = FALSE;
        m_IsNewNumber = TRUE;
        break;
    case CalcMemClear:
        m_Memory = 0.0;
        bFormat = FALSE;
        break;
    case CalcMemRecall:
        m_Value = m_Memory;
        break;
    case CalcMemAdd:
        Compute();
        m_Memory += m_Value;
        m_IsNewNumber = TRUE;
        break;
    case CalcAdd:
    case CalcSubtract:
    case CalcMultiply:
    case CalcDivide:
        if (!m_IsNewNumber) {
            Compute();
            FormatDisplayValue();
            UpdateDisplay();
        }
        m_PendingOp = nCommand;
        m_SecondValue = m_Value;
        m_IsNewNumber = TRUE;
        m_bIsInCommand = bWasInCommand;
        return TRUE;
    case CalcSign:
        m_Value = -m_Value;
        m_IsNewNumber = TRUE;
        break;
    case CalcPoint:
        if (m_IsNewNumber) {
            m_Value = 0.0;
            m_DisplayText = "0.";
            m_IsNewNumber = FALSE;
        }
        if (m_DisplayText.Find('.') < 0)
            m_DisplayText += ".";
        bFormat = FALSE;
        break;
    case CalcSqrt:
        if (m_Value < 0.0)
            m_IsError = TRUE;
        else {
            m_Value = std::sqrt(m_Value);
            m_IsNewNumber = TRUE;
        }
        break;
    case CalcPercent:
        m_Value = m_SecondValue * m_Value * 0.01;
        m_IsNewNumber = TRUE;
        break;
    case CalcEquals: {
        const double dblKept = m_Value;
        Compute();
        if (!m_IsNewNumber)
            m_SecondValue = dblKept;
        m_IsNewNumber = TRUE;
        m_LastWasEquals = TRUE;
        if (m_Edit != nullptr && !m_IsError) {
            FormatDisplayValue();
            if (!m_IsError) {
                m_Edit->SetWindowText(m_DisplayText);
                m_Edit->NotifyTextChanged();
                // Closed once the key's handling is over: the pop-up owns this bar.
                GetParent()->PostMessage(WM_CLOSE);
                m_bIsInCommand = bWasInCommand;
                return TRUE;
            }
        }
        break;
    }
    case CalcReciprocal:
        if (m_Value == 0.0)
            m_IsError = TRUE;
        else {
            m_Value = 1.0 / m_Value;
            m_IsNewNumber = TRUE;
        }
        break;
    case CalcBackspace:
        if (m_IsError || m_IsNewNumber)
            break;
        m_DisplayText = m_DisplayText.Left(std::max(0, m_DisplayText.GetLength() - 1));
        // Nothing or a lone sign left reads as zero, on the display and in the value.
        if (m_DisplayText.IsEmpty() || m_DisplayText == "-") {
            m_DisplayText = "0";
            m_Value = 0.0;
        } else
            ReadDisplayValue();
        bFormat = FALSE;
        break;
    default:
        break;
    }

    if (bFormat)
        FormatDisplayValue();
    UpdateDisplay();
    m_bIsInCommand = bWasInCommand;
    return TRUE;
}

void CKtvPCalculator::ShowCommandMessageString(UINT)
{
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pOwner == nullptr)
        return;
    pOwner->SendMessage(kSetMessageString, m_CommandId == (UINT)-1 ? kIdleMessage : m_CommandId);
}

BOOL CKtvPCalculator::CreateControl(CWnd* pParentWnd, const RECT& rect, UINT nID)
{
    EnableLargeIcons(FALSE);
    if (!CKtvPToolBar::Create(pParentWnd, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, nID))
        return FALSE;
    SetBarStyle(GetBarStyle() & ~(DWORD)(0xF00 | CBRS_GRIPPER));
    MoveWindow(&rect);
    SetOwner(pParentWnd);
    m_CommandId = nID;
    m_bRouteCommandsViaFrame = FALSE;
    return TRUE;
}

BOOL CKtvPCalculator::OnDrawButton(CDC* pDC, CRect rect, CCalculatorButton* pButton, int state, int cmd)
{
    return CKtvPVisualManager::GetInstance()->OnDrawCalculatorButton(pDC, rect, pButton, (ButtonState)state, cmd,
                                                                      this);
}

BOOL CKtvPCalculator::OnDrawDisplay(CDC* pDC, CRect rect, const CString& strText, BOOL bMem)
{
    return CKtvPVisualManager::GetInstance()->OnDrawCalculatorDisplay(pDC, rect, strText, bMem, this);
}

void CKtvPCalculator::Rebuild()
{
    if (GetSafeHwnd() == nullptr)
        return;
    RemoveAllButtons();

    auto* pDisplay = new CCalculatorDisplay;
    pDisplay->m_strText = m_DisplayText;
    InsertButton(pDisplay);

    for (const KeyDef& key : kKeys) {
        const BOOL bDigit = key.command == 0;
        CString strLabel = key.label;
        if (bDigit)
            strLabel.Format("%d", key.label[0] - '0');
        InsertButton(new CCalculatorButton(strLabel, key.command, key.code, key.code2, key.virtualKey, key.needsCtrl,
                                           bDigit ? (short)(key.label[0] - '0') : (short)-1));
    }

    int nCommand = CalcFirstUserCommand;
    for (POSITION pos = m_AdditionalCommands.GetHeadPosition(); pos != nullptr; ++nCommand) {
        const CString strLabel = m_AdditionalCommands.GetNext(pos);
        int nCode = 0;
        const int nAmp = strLabel.Find('&');
        if (nAmp >= 0 && nAmp + 1 < strLabel.GetLength())
            nCode = toupper((unsigned char)strLabel[nAmp + 1]);
        InsertButton(new CCalculatorButton(strLabel, nCommand, nCode, 0, FALSE, FALSE, -1, TRUE));
    }

    m_Columns = 5;
    m_Rows = m_AdditionalCommands.IsEmpty() ? 5 : (int)(GetCount() * 0.2 + 0.5);
}

void CKtvPCalculator::OnDigit(int nDigit)
{
    if (m_IsError)
        return;
    if (m_IsNewNumber) {
        m_Value = 0.0;
        m_DisplayText = "0";
        m_IsNewNumber = FALSE;
    }
    if (m_DisplayText == "0")
        m_DisplayText.Empty();
    CString strDigit;
    strDigit.Format("%d", nDigit);
    m_DisplayText += strDigit;
    ReadDisplayValue();
    UpdateDisplay();
}

BOOL CKtvPCalculator::ProcessKey(UINT nChar, BOOL bKeyDown)
{
    if (m_Edit != nullptr && nChar == VK_ESCAPE) {
        GetParent()->PostMessage(WM_CLOSE);
        return TRUE;
    }
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = dynamic_cast<CCalculatorButton*>((CKtvPToolbarButton*)m_Buttons.GetNext(pos));
        if (pButton == nullptr || pButton->m_IsVirtualKey != bKeyDown)
            continue;
        if (pButton->m_KeyCode != (int)nChar && pButton->m_KeyCode2 != (int)nChar)
            continue;
        if (pButton->m_NeedsCtrl && !IsCtrlHeld())
            continue;
        OnSendCommand(pButton);
        return TRUE;
    }
    return FALSE;
}

void CKtvPCalculator::SetAdditionalCommands(const CStringList& lstCommands)
{
    m_AdditionalCommands.RemoveAll();
    m_AdditionalCommands.AddTail(const_cast<CStringList*>(&lstCommands));
    if (GetSafeHwnd() == nullptr)
        return;
    Rebuild();
    AdjustLocations();
    RedrawNow(this, nullptr);
}

void CKtvPCalculator::FormatDisplayValue()
{
    if (m_Value == 0.0)
        m_Value = 0.0;  // no "-0"
    if (std::fabs(m_Value) <= 1e22) {
        m_DisplayText = tw::FormatPrintf("%.16lf", m_Value).c_str();
        if (m_DisplayText.Find('.') >= 0) {
            m_DisplayText.TrimRight('0');
            m_DisplayText.TrimRight('.');
        }
    } else
        m_DisplayText = tw::FormatPrintf("%le", m_Value).c_str();

    if (!std::isfinite(m_Value) || m_DisplayText.Find("#INF") >= 0 || m_DisplayText.Find("#IND") >= 0 ||
        m_DisplayText.Find("#NAN") >= 0) {
        m_IsError = TRUE;
        UpdateDisplay();
    }
}

CCalculatorDisplay* CKtvPCalculator::GetDisplay() const
{
    if (m_Buttons.IsEmpty())
        return nullptr;
    return dynamic_cast<CCalculatorDisplay*>((CKtvPToolbarButton*)m_Buttons.GetHead());
}

void CKtvPCalculator::UpdateDisplay()
{
    CCalculatorDisplay* pDisplay = GetDisplay();
    if (pDisplay == nullptr)
        return;
    pDisplay->m_strText = m_IsError ? CString("Error") : m_DisplayText;
    pDisplay->m_ShowMemory = m_Memory != 0.0;
    RedrawNow(this, &m_DisplayRect);
}

void CKtvPCalculator::Compute()
{
    switch (m_PendingOp) {
    case CalcAdd:
        m_Value = m_SecondValue + m_Value;
        break;
    case CalcMultiply:
        m_Value = m_SecondValue * m_Value;
        break;
    case CalcSubtract:
        m_Value = m_LastWasEquals ? m_Value - m_SecondValue : m_SecondValue - m_Value;
        break;
    case CalcDivide: {
        const double dblDivisor = m_LastWasEquals ? m_SecondValue : m_Value;
        if (dblDivisor == 0.0)
            m_IsError = TRUE;
        else
            m_Value = m_LastWasEquals ? m_Value / m_SecondValue : m_SecondValue / m_Value;
        break;
    }
    default:
        break;
    }
}

void CKtvPCalculator::ReadDisplayValue()
{
    double dblValue = 0.0;
    if (std::sscanf((LPCTSTR)m_DisplayText, "%lf", &dblValue) == 1)
        m_Value = dblValue;
}

int CKtvPCalculator::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPPopupMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bTrackFocus = FALSE;
    Rebuild();
    if (m_Edit != nullptr)
        SetCapture();
    return 0;
}

void CKtvPCalculator::OnNcPaint() { CKtvPToolBar::OnNcPaint(); }

void CKtvPCalculator::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CKtvPToolBar::OnLButtonDown(nFlags, point);
}

void CKtvPCalculator::OnMouseLeave()
{
    if (m_Edit == nullptr) {
        CKtvPToolBar::OnMouseLeave();
        return;
    }
    m_ptLastMouse = CPoint(-1, -1);
    if (m_iHighlighted >= 0) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        InvalidateButton(iOld);
        UpdateWindow();
        CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
        if (pOwner != nullptr)
            pOwner->SendMessage(kSetMessageString, kIdleMessage);
    }
}

void CKtvPCalculator::OnDestroy()
{
    if (m_Edit != nullptr) {
        m_Edit->OnCalculatorClosed();
        if (m_Edit->GetSafeHwnd() != nullptr)
            m_Edit->SetFocus();
    }
    CKtvPPopupMenuBar::OnDestroy();
}

// --- CKtvPCalculatorPopup --------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPCalculatorPopup, CKtvPPopupMenu)

CKtvPCalculatorPopup::CKtvPCalculatorPopup(double dblValue, UINT uiCommandID, CKtvPBrowseEdit* pEdit)
    : m_wndCalculator(dblValue, uiCommandID, pEdit)
{
}

CKtvPCalculatorPopup::~CKtvPCalculatorPopup() = default;
