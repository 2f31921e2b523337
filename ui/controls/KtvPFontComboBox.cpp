#include "ui/controls/KtvPFontComboBox.h"

#include <algorithm>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CDC.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/commandbars/KtvPToolbarFontCombo.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

constexpr int kFontImageSize = 16;
constexpr int kFontTextIndent = 22;

} // namespace

BEGIN_MESSAGE_MAP(CKtvPFontComboBox, CComboBox)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPFontComboBox::CKtvPFontComboBox() : m_bToolBarMode(FALSE) {}

CKtvPFontComboBox::~CKtvPFontComboBox()
{
    if (m_Images.GetSafeHandle() != nullptr)
        m_Images.DeleteImageList();
}

// The box fills itself unless a toolbar's font button fills it.
void CKtvPFontComboBox::Init()
{
    CWnd* pParent = GetParent();
    m_bToolBarMode = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPToolBar));
    if (!m_bToolBarMode)
        Setup();
}

int CKtvPFontComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

void CKtvPFontComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    // A window being created gets its initialisation from WM_CREATE.
    if (tw::mfc::CurrentThreadState().pWndInit == nullptr)
        Init();
}

void CKtvPFontComboBox::OnDestroy()
{
    RemoveAllFonts();
    CComboBox::OnDestroy();
}

// The fonts come from the toolbar font buttons' shared list, which a
// temporary button builds; each face is listed once.
BOOL CKtvPFontComboBox::Setup(int nFontType, BYTE nCharSet, BYTE nPitchAndFamily)
{
    if (m_bToolBarMode)
        return FALSE;
    RemoveAllFonts();

    CKtvPToolbarFontCombo combo(0, -1, nFontType, nCharSet, CBS_DROPDOWN, 0, nPitchAndFamily);
    const CObList& lstFonts = CKtvPToolbarFontCombo::GetFontList();
    for (POSITION pos = lstFonts.GetHeadPosition(); pos != nullptr;) {
        auto* pDesc = (CKtvPFontDesc*)lstFonts.GetNext(pos);
        if (FindStringExact(-1, pDesc->m_strName) != CB_ERR)
            continue;
        const int iIndex = AddString(pDesc->m_strName);
        if (iIndex < 0)
            continue;
        SetItemDataPtr(iIndex, new CKtvPFontDesc(pDesc->m_strName, pDesc->m_strScript, pDesc->m_nType,
                                                 pDesc->m_nCharSet, pDesc->m_nPitchAndFamily));
    }
    return TRUE;
}

CKtvPFontDesc* CKtvPFontComboBox::GetSelFont() const
{
    const int iIndex = GetCurSel();
    if (iIndex < 0)
        return nullptr;
    void* pData = GetItemDataPtr(iIndex);
    return pData == (void*)-1 ? nullptr : (CKtvPFontDesc*)pData;
}

void CKtvPFontComboBox::RemoveAllFonts()
{
    if (m_bToolBarMode || GetSafeHwnd() == nullptr)
        return;
    for (int i = 0; i < GetCount(); i++) {
        void* pData = GetItemDataPtr(i);
        if (pData != nullptr && pData != (void*)-1)
            delete (CKtvPFontDesc*)pData;
        SetItemDataPtr(i, nullptr);
    }
    ResetContent();
}

void CKtvPFontComboBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (m_Images.GetSafeHandle() == nullptr)
        m_Images.Create(IDB_KTVP_FONT_TYPES, kFontImageSize, 0, RGB(255, 255, 255));

    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int nSaved = pDC->SaveDC();
    CRect rect = lpDIS->rcItem;
    if (lpDIS->itemState & ODS_SELECTED) {
        pDC->FillSolidRect(rect, globalData.clrHilite);
        pDC->SetTextColor(globalData.clrTextHilite);
    } else {
        pDC->FillSolidRect(rect, pDC->GetBkColor());
    }
    pDC->SetBkMode(TRANSPARENT);

    const int iItem = (int)lpDIS->itemID;
    if (iItem >= 0) {
        auto* pDesc = (CKtvPFontDesc*)lpDIS->itemData;
        if (pDesc != nullptr && pDesc != (CKtvPFontDesc*)-1 &&
            (pDesc->m_nType & (DEVICE_FONTTYPE | TRUETYPE_FONTTYPE))) {
            const int iImage = (pDesc->m_nType & DEVICE_FONTTYPE) ? 0 : 1;
            m_Images.Draw(pDC, iImage, CPoint(rect.left, rect.top + (rect.Height() - kFontImageSize) / 2),
                          ILD_NORMAL);
        }
        CString strText;
        GetLBText(iItem, strText);
        CRect rectText = rect;
        rectText.left += kFontTextIndent;
        pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER);
    }
    pDC->RestoreDC(nSaved);
}

void CKtvPFontComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    CRect rect;
    if (GetSafeHwnd() != nullptr)
        GetWindowRect(rect);
    lpMIS->itemWidth = (UINT)rect.Width();
    lpMIS->itemHeight = (UINT)std::max(kFontImageSize, globalData.m_nTextHeight);
}

int CKtvPFontComboBox::CompareItem(LPCOMPAREITEMSTRUCT lpCIS)
{
    CString str1, str2;
    if (lpCIS->itemID1 != (UINT)-1)
        GetLBText((int)lpCIS->itemID1, str1);
    if (lpCIS->itemID2 != (UINT)-1)
        GetLBText((int)lpCIS->itemID2, str2);
    return str1.Collate(str2);
}

// On a toolbar: Tab goes on to the next control, Esc back to the menu or
// the frame, and Up or Down opens a closed list.
BOOL CKtvPFontComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (!m_bToolBarMode || pMsg->message != WM_KEYDOWN || CKtvPToolbarComboBoxButton::m_bFlat)
        return CComboBox::PreTranslateMessage(pMsg);

    switch (pMsg->wParam) {
    case VK_TAB:
        if (CWnd* pParent = GetParent()) {
            if (CWnd* pNext = pParent->GetNextDlgTabItem(this))
                pNext->SetFocus();
        }
        return TRUE;
    case VK_ESCAPE:
        if (CKtvPPopupMenu::m_pActivePopupMenu != nullptr &&
            ::IsWindow(CKtvPPopupMenu::m_pActivePopupMenu->GetSafeHwnd()))
            CKtvPPopupMenu::m_pActivePopupMenu->SetFocus();
        else if (CFrameWnd* pFrame = GetTopLevelFrame())
            pFrame->SetFocus();
        return TRUE;
    case VK_UP:
    case VK_DOWN:
        if (::GetKeyState(VK_MENU) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && !GetDroppedState()) {
            ShowDropDown();
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}
