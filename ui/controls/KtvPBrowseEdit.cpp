#include "ui/controls/KtvPBrowseEdit.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CFileDialog.h"
#include "resources/resource.h"
#include "ui/controls/KtvPCalculator.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPShellManager.h"
#include "ui/frames/KtvPVisualManager.h"

BEGIN_MESSAGE_MAP(CKtvPBrowseEdit, CEdit)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CKtvPBrowseEdit::CKtvPBrowseEdit()
    : m_bIsButtonPressed(FALSE),
      m_bIsButtonHighlighted(FALSE),
      m_bIsButtonCaptured(FALSE),
      m_nBrowseMode(BrowseMode_None),
      m_sizeImage(0, 0),
      m_nBrowseButtonWidth(20),
      m_pCalcPopup(nullptr)
{
}

CKtvPBrowseEdit::~CKtvPBrowseEdit() = default;

// --- modes ------------------------------------------------------------------------------------------

void CKtvPBrowseEdit::EnableBrowseButton(BOOL bEnable, LPCTSTR szLabel)
{
    m_nBrowseMode = bEnable ? BrowseMode_Default : BrowseMode_None;
    m_strLabel = szLabel != nullptr ? szLabel : "";
    m_ImageBrowse.DeleteImageList();
    m_sizeImage = CSize(0, 0);
    RecalcButton();
}

void CKtvPBrowseEdit::EnableFileBrowseButton(LPCTSTR lpszDefExt, LPCTSTR lpszFilter)
{
    m_nBrowseMode = BrowseMode_File;
    m_strDefFileExt = lpszDefExt != nullptr ? lpszDefExt : "";
    m_strFileFilter = lpszFilter != nullptr ? lpszFilter : "";
    LoadBrowseImages();
    RecalcButton();
}

void CKtvPBrowseEdit::EnableFolderBrowseButton()
{
    m_nBrowseMode = BrowseMode_Folder;
    LoadBrowseImages();
    RecalcButton();
}

void CKtvPBrowseEdit::EnableCalculatorButton(const CStringList* plstAdditionalCommands)
{
    m_nBrowseMode = BrowseMode_Calculator;
    m_lstCalcAdditionalCommands.RemoveAll();
    if (plstAdditionalCommands != nullptr)
        m_lstCalcAdditionalCommands.AddTail(const_cast<CStringList*>(plstAdditionalCommands));
    LoadBrowseImages();
    RecalcButton();
}

void CKtvPBrowseEdit::LoadBrowseImages()
{
    m_ImageBrowse.DeleteImageList();
    m_ImageBrowse.Create(IDB_KTVP_BROWSE_IMAGES, kImageSize, 0, RGB(255, 0, 255));
    m_sizeImage = CSize(kImageSize, kImageSize);
}

void CKtvPBrowseEdit::RecalcButton()
{
    m_nBrowseButtonWidth = std::max<int>(20, m_sizeImage.cx + 8);
    if (GetSafeHwnd() == nullptr)
        return;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    if (m_nBrowseMode == BrowseMode_None) {
        m_rectBtn.SetRectEmpty();
        return;
    }
    m_rectBtn = ButtonRectOnScreen();
    ScreenToClient(m_rectBtn);
}

CRect CKtvPBrowseEdit::ButtonRectOnScreen() const
{
    CRect rect;
    GetWindowRect(rect);
    rect.left = rect.right - m_nBrowseButtonWidth;
    return rect;
}

BOOL CKtvPBrowseEdit::IsOverButton(CPoint ptScreen) const
{
    return m_nBrowseMode != BrowseMode_None && ButtonRectOnScreen().PtInRect(ptScreen);
}

void CKtvPBrowseEdit::RedrawFrame() { RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE); }

// --- the button in the frame -------------------------------------------------------------------------

void CKtvPBrowseEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (m_nBrowseMode != BrowseMode_None)
        lpncsp->rgrc[0].right -= m_nBrowseButtonWidth;
}

void CKtvPBrowseEdit::OnNcPaint()
{
    CEdit::OnNcPaint();
    if (m_nBrowseMode == BrowseMode_None)
        return;
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    m_rectBtn = ButtonRectOnScreen();
    CRect rect = m_rectBtn;
    rect.OffsetRect(-rectWindow.left, -rectWindow.top);
    CRgn rgnClip;
    rgnClip.CreateRectRgnIndirect(rect);
    dc.SelectClipRgn(&rgnClip);
    if ((GetStyle() & WS_BORDER) || (GetExStyle() & (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)))
        rect.DeflateRect(0, 1, 1, 1);
    DrawBrowseButton(&dc, rect, m_bIsButtonPressed, m_bIsButtonHighlighted);
    dc.SelectClipRgn(nullptr);
    ScreenToClient(m_rectBtn);
}

void CKtvPBrowseEdit::DrawBrowseButton(CDC* pDC, CRect rect, BOOL bIsButtonPressed, BOOL bIsButtonHot)
{
    const ButtonState state =
        bIsButtonPressed ? ButtonsIsPressed : (bIsButtonHot ? ButtonsIsHighlighted : ButtonsIsRegular);
    COLORREF clrText = globalData.clrBtnText;
    if (!CKtvPVisualManager::GetInstance()->OnDrawBrowseButton(pDC, rect, this, state, clrText))
        return;
    const int nShift = bIsButtonPressed && CKtvPVisualManager::GetInstance()->IsOffsetPressedButton() ? 1 : 0;
    if (m_ImageBrowse.GetSafeHandle() != nullptr) {
        const int iImage = m_nBrowseMode == BrowseMode_Calculator ? 2 : (m_nBrowseMode == BrowseMode_File ? 1 : 0);
        const CPoint pt(rect.CenterPoint().x - m_sizeImage.cx / 2 + nShift,
                        rect.CenterPoint().y - m_sizeImage.cy / 2 + nShift);
        m_ImageBrowse.Draw(pDC, iImage, pt, ILD_NORMAL);
        return;
    }
    if (m_strLabel.IsEmpty())
        return;
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    CRect rectText = rect;
    rectText.DeflateRect(1, 2);
    rectText.OffsetRect(0, -2);
    if (bIsButtonPressed)
        rectText.OffsetRect(1, 1);
    pDC->DrawText(m_strLabel, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

// HTBORDER, not HTCAPTION: a press that came without a move first must not start moving the edit.
LRESULT CKtvPBrowseEdit::OnNcHitTest(CPoint point)
{
    if (IsOverButton(point))
        return HTBORDER;
    return CEdit::OnNcHitTest(point);
}

void CKtvPBrowseEdit::OnNcLButtonDblClk(UINT, CPoint) {}

void CKtvPBrowseEdit::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsOverButton(point)) {
        PressButton();
        return;
    }
    CEdit::OnNcLButtonDown(nHitTest, point);
}

void CKtvPBrowseEdit::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_bIsButtonCaptured && IsOverButton(point) && !m_bIsButtonHighlighted) {
        SetCapture();
        m_bIsButtonHighlighted = TRUE;
        RedrawFrame();
    }
    CEdit::OnNcMouseMove(nHitTest, point);
}

void CKtvPBrowseEdit::PressButton()
{
    SetFocus();
    m_bIsButtonCaptured = m_bIsButtonPressed = TRUE;
    SetCapture();
    RedrawFrame();
}

void CKtvPBrowseEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nBrowseMode != BrowseMode_None && m_rectBtn.PtInRect(point)) {
        PressButton();
        return;
    }
    CEdit::OnLButtonDown(nFlags, point);
}

void CKtvPBrowseEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bIsButtonCaptured) {
        const BOOL bPressed = m_rectBtn.PtInRect(point);
        if (bPressed != m_bIsButtonPressed) {
            m_bIsButtonPressed = bPressed;
            RedrawFrame();
        }
        return;
    }
    if (m_bIsButtonHighlighted && !m_rectBtn.PtInRect(point)) {
        m_bIsButtonHighlighted = FALSE;
        ReleaseCapture();
        RedrawFrame();
    }
    CEdit::OnMouseMove(nFlags, point);
}

void CKtvPBrowseEdit::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bIsButtonCaptured) {
        CEdit::OnLButtonUp(nFlags, point);
        return;
    }
    ReleaseCapture();
    m_bIsButtonCaptured = m_bIsButtonPressed = m_bIsButtonHighlighted = FALSE;
    RedrawFrame();
    if (m_rectBtn.PtInRect(point))
        DoBrowse();
}

void CKtvPBrowseEdit::OnCancelMode()
{
    CEdit::OnCancelMode();
    if (GetCapture() == this)
        ReleaseCapture();
    m_bIsButtonCaptured = m_bIsButtonPressed = m_bIsButtonHighlighted = FALSE;
    RedrawFrame();
}

// --- keys and the browse action ----------------------------------------------------------------------

BOOL CKtvPBrowseEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == GetSafeHwnd()) {
        if (pMsg->message == WM_CHAR && m_nBrowseMode == BrowseMode_Calculator &&
            !CheckCalculatorChar((UINT)pMsg->wParam))
            return TRUE;
        if (pMsg->message == WM_SYSKEYDOWN && m_nBrowseMode != BrowseMode_None &&
            (pMsg->wParam == VK_DOWN || pMsg->wParam == VK_RIGHT)) {
            DoBrowse();
            return TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

BOOL CKtvPBrowseEdit::CheckCalculatorChar(UINT nChar)
{
    if (nChar > 0x7F || !isprint((int)nChar) || isdigit((int)nChar))
        return TRUE;
    CString strText;
    GetWindowText(strText);
    if (nChar == '.' || nChar == ',')
        return strText.Find('.') < 0 && strText.Find(',') < 0;
    if (nChar == '-') {
        int nStart = 0;
        int nEnd = 0;
        GetSel(nStart, nEnd);
        return strText.Find('-') < 0 && nStart == 0;
    }
    return FALSE;
}

void CKtvPBrowseEdit::DoBrowse()
{
    if (m_nBrowseMode == BrowseMode_Calculator) {
        OpenCalculator();
        return;
    }
    if (m_nBrowseMode == BrowseMode_File) {
        CString strFile;
        GetWindowText(strFile);
        CFileDialog dlg(TRUE, m_strDefFileExt.IsEmpty() ? nullptr : (LPCTSTR)m_strDefFileExt, strFile, 0,
                        m_strFileFilter.IsEmpty() ? nullptr : (LPCTSTR)m_strFileFilter, GetParent());
        if (dlg.DoModal() == IDOK && dlg.GetPathName() != strFile) {
            SetWindowText(dlg.GetPathName());
            NotifyTextChanged();
        }
        if (GetParent() != nullptr)
            GetParent()->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    if (m_nBrowseMode == BrowseMode_Folder && g_pShellManager != nullptr) {
        CString strFolder;
        GetWindowText(strFolder);
        CString strChosen;
        if (g_pShellManager->BrowseForFolder(strChosen, this, strFolder, nullptr, BIF_RETURNONLYFSDIRS)) {
            SetWindowText(strChosen);
            NotifyTextChanged();
        }
    }
    // The calculator pop-up comes with its own class; every mode ends with
    // the edit focused, also when no shell manager was made for the folder browser.
    SetFocus();
}

// The button toggles the pop-up. It starts on the number in the box ("," read
// as the decimal point) and takes the focus; the calculator gives it back.
void CKtvPBrowseEdit::OpenCalculator()
{
    if (m_pCalcPopup != nullptr) {
        CKtvPCalculatorPopup* pPopup = m_pCalcPopup;
        m_pCalcPopup = nullptr;
        pPopup->SendMessage(WM_CLOSE);
        return;
    }

    double dblValue = 0.0;
    CString strText;
    GetWindowText(strText);
    if (!strText.IsEmpty()) {
        strText.Replace(',', '.');
        if (std::sscanf((LPCTSTR)strText, "%lf", &dblValue) != 1)
            dblValue = 0.0;
    }

    m_pCalcPopup = new CKtvPCalculatorPopup(dblValue, 0, this);
    if (!m_lstCalcAdditionalCommands.IsEmpty())
        m_pCalcPopup->GetCalculator().SetAdditionalCommands(m_lstCalcAdditionalCommands);

    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (!m_pCalcPopup->Create(this, rectWindow.left, rectWindow.bottom, nullptr, TRUE)) {
        // A refused popup closes itself; it is never touched again here.
        m_pCalcPopup = nullptr;
        return;
    }
    m_pCalcPopup->GetCalculator().SetFocus();
    CRect rectPopup;
    m_pCalcPopup->GetWindowRect(rectPopup);
    m_pCalcPopup->UpdateShadow(&rectPopup);
}

// Setting the text has told the parent already (EN_CHANGE from the edit);
// another owner hears of it here, once.
void CKtvPBrowseEdit::NotifyTextChanged()
{
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner == GetParent())
        return;
    pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE), (LPARAM)GetSafeHwnd());
}

