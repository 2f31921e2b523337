#include "ui/frames/KtvPWinXPThemeManager.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinThread.h"
#include "platform/win32/kernel/Modules.h"
#include "ui/controls/KtvPButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {

// Parts and states of the themed drawings.
constexpr int kPushButtonPart = 1;
constexpr int kPushButtonNormal = 1;
constexpr int kPushButtonHot = 2;
constexpr int kPushButtonPressed = 3;
constexpr int kPushButtonDisabled = 4;
constexpr int kProgressBarPart = 1;
constexpr int kProgressChunkPart = 3;
constexpr int kComboDropButtonPart = 1;

template <typename F>
void Resolve(HMODULE hModule, LPCSTR lpszName, F& pfn)
{
    pfn = reinterpret_cast<F>(::GetProcAddress(hModule, lpszName));
}

}  // namespace

const CKtvPWinXPThemeManager::ThemeSlot CKtvPWinXPThemeManager::s_slots[15] = {
    {&CKtvPWinXPThemeManager::m_hThemeToolBar, u"TOOLBAR"},
    {&CKtvPWinXPThemeManager::m_hThemeButton, u"BUTTON"},
    {&CKtvPWinXPThemeManager::m_hThemeStatusBar, u"STATUS"},
    {&CKtvPWinXPThemeManager::m_hThemeWindow, u"WINDOW"},
    {&CKtvPWinXPThemeManager::m_hThemeRebar, u"REBAR"},
    {&CKtvPWinXPThemeManager::m_hThemeComboBox, u"COMBOBOX"},
    {&CKtvPWinXPThemeManager::m_hThemeProgress, u"PROGRESS"},
    {&CKtvPWinXPThemeManager::m_hThemeHeader, u"HEADER"},
    {&CKtvPWinXPThemeManager::m_hThemeScrollBar, u"SCROLLBAR"},
    {&CKtvPWinXPThemeManager::m_hThemeExplorerBar, u"EXPLORERBAR"},
    {&CKtvPWinXPThemeManager::m_hThemeTree, u"TREEVIEW"},
    {&CKtvPWinXPThemeManager::m_hThemeStartPanel, u"STARTPANEL"},
    {&CKtvPWinXPThemeManager::m_hThemeTaskBand, u"TASKBAND"},
    {&CKtvPWinXPThemeManager::m_hThemeTaskBar, u"TASKBAR"},
    {&CKtvPWinXPThemeManager::m_hThemeSpin, u"SPIN"},
};

CKtvPWinXPThemeManager::CKtvPWinXPThemeManager()
{
    m_hThemeDLL = ::LoadLibrary("UxTheme.dll");
    if (m_hThemeDLL == nullptr)
        return;
    Resolve(m_hThemeDLL, "OpenThemeData", m_pfOpenThemeData);
    Resolve(m_hThemeDLL, "CloseThemeData", m_pfCloseThemeData);
    Resolve(m_hThemeDLL, "DrawThemeBackground", m_pfDrawThemeBackground);
    Resolve(m_hThemeDLL, "GetThemeColor", m_pfGetThemeColor);
    Resolve(m_hThemeDLL, "GetThemeSysColor", m_pfGetThemeSysColor);
    Resolve(m_hThemeDLL, "GetCurrentThemeName", m_pfGetCurrentThemeName);
    Resolve(m_hThemeDLL, "GetWindowTheme", m_pfGetWindowTheme);
    UpdateSystemColors();
}

CKtvPWinXPThemeManager::~CKtvPWinXPThemeManager()
{
    if (m_hThemeDLL == nullptr)
        return;
    CleanUp();
    ::FreeLibrary(m_hThemeDLL);
}

void CKtvPWinXPThemeManager::UpdateSystemColors()
{
    if (m_hThemeDLL == nullptr)
        return;
    CleanUp();
    if (m_pfOpenThemeData == nullptr || m_pfCloseThemeData == nullptr || m_pfDrawThemeBackground == nullptr)
        return;
    CWnd* pMainWnd = AfxGetMainWnd();
    const HWND hwnd = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    for (const ThemeSlot& slot : s_slots)
        this->*slot.handle = m_pfOpenThemeData(hwnd, slot.className);
}

void CKtvPWinXPThemeManager::CleanUp()
{
    for (const ThemeSlot& slot : s_slots) {
        HTHEME& hTheme = this->*slot.handle;
        if (hTheme != nullptr && m_pfCloseThemeData != nullptr)
            m_pfCloseThemeData(hTheme);
        hTheme = nullptr;
    }
}

BOOL CKtvPWinXPThemeManager::DrawPushButton(CDC* pDC, CRect rect, CKtvPButton* pButton, UINT)
{
    if (m_hThemeButton == nullptr || pButton == nullptr)
        return FALSE;
    int nState = kPushButtonNormal;
    if (!pButton->IsWindowEnabled())
        nState = kPushButtonDisabled;
    else if ((pButton->IsPushed() && pButton->IsHighlighted()) || pButton->SendMessage(BM_GETCHECK) != 0)
        nState = kPushButtonPressed;
    else if (pButton->IsHighlighted())
        nState = kPushButtonHot;
    globalData.DrawParentBackground(pButton, pDC);
    m_pfDrawThemeBackground(m_hThemeButton, pDC->GetSafeHdc(), kPushButtonPart, nState, &rect, nullptr);
    return TRUE;
}

BOOL CKtvPWinXPThemeManager::DrawStatusBarProgress(CDC* pDC, CKtvPStatusBar*, CRect rectProgress, int nProgressTotal,
                                                   int nProgressCurr, COLORREF, COLORREF, COLORREF,
                                                   BOOL bProgressText)
{
    if (m_hThemeProgress == nullptr)
        return FALSE;
    m_pfDrawThemeBackground(m_hThemeProgress, pDC->GetSafeHdc(), kProgressBarPart, 0, &rectProgress, nullptr);
    if (nProgressTotal == 0)
        return TRUE;
    CRect rectChunk = rectProgress;
    rectChunk.DeflateRect(3, 3);
    rectChunk.right = rectChunk.left + KtvProgressFilledWidth(rectChunk.Width(), nProgressTotal, nProgressCurr);
    m_pfDrawThemeBackground(m_hThemeProgress, pDC->GetSafeHdc(), kProgressChunkPart, 0, &rectChunk, nullptr);
    if (bProgressText) {
        CString strText;
        strText.Format("%d%%", KtvProgressPercent(nProgressTotal, nProgressCurr));
        const COLORREF clrOld = pDC->SetTextColor(globalData.clrBtnText);
        pDC->DrawText(strText, rectProgress, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetTextColor(clrOld);
    }
    return TRUE;
}

BOOL CKtvPWinXPThemeManager::DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                 BOOL bIsHighlighted)
{
    if (m_hThemeComboBox == nullptr)
        return FALSE;
    const int nState = bDisabled ? 4 : bIsDropped ? 3 : bIsHighlighted ? 2 : 1;
    m_pfDrawThemeBackground(m_hThemeComboBox, pDC->GetSafeHdc(), kComboDropButtonPart, nState, &rect, nullptr);
    return TRUE;
}

BOOL CKtvPWinXPThemeManager::DrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted)
{
    if (m_hThemeWindow == nullptr)
        return FALSE;
    if (bIsDropped || bIsHighlighted) {
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, globalData.clrHilite, globalData.clrHilite);
    }
    return TRUE;
}
