#include "ui/commandbars/KtvPKeyboardPage.h"

#include <cstring>
#include <vector>

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CDocManager.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPKeyboardManager.h"

// --- the key-assign edit ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPKeyAssignEdit, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CKtvPKeyAssignEdit::CKtvPKeyAssignEdit() : m_Helper(&m_Accel) {}

CKtvPKeyAssignEdit::~CKtvPKeyAssignEdit() = default;

void CKtvPKeyAssignEdit::ResetKey()
{
    std::memset(&m_Accel, 0, sizeof(m_Accel));
    m_bIsDefined = FALSE;
    if (GetSafeHwnd() != nullptr)
        SetWindowText(_T(""));
}

void CKtvPKeyAssignEdit::ShowKey()
{
    CString strKey;
    if (m_Accel.key == 0 && !(m_Accel.fVirt & FVIRTKEY)) {
        // Only modifiers so far: "Ctrl+Shift+", waiting for the key.
        if (m_Accel.fVirt & FCONTROL)
            m_Helper.AddVirtKeyStr(strKey, VK_CONTROL);
        if (m_Accel.fVirt & FSHIFT)
            m_Helper.AddVirtKeyStr(strKey, VK_SHIFT);
        if (m_Accel.fVirt & FALT)
            m_Helper.AddVirtKeyStr(strKey, VK_MENU);
    } else {
        m_Helper.Format(strKey);
    }
    SetWindowText(strKey);
}

BOOL CKtvPKeyAssignEdit::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        m_bIsFocused = TRUE;
        SetFocus();
        return TRUE;
    default:
        break;
    }
    const BOOL bKeyDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    const BOOL bKeyUp = pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP;
    if (!bKeyDown && !bKeyUp)
        return CEdit::PreTranslateMessage(pMsg);

    // A new press after a finished combination starts the next one.
    if (bKeyDown && m_bIsDefined && (pMsg->lParam & (1L << 30)) == 0)
        ResetKey();

    const UINT nKey = static_cast<UINT>(pMsg->wParam);
    if (!m_bIsDefined) {
        BYTE fModifier = 0;
        switch (nKey) {
        case VK_SHIFT:
            fModifier = FSHIFT;
            break;
        case VK_CONTROL:
            fModifier = FCONTROL;
            break;
        case VK_MENU:
            fModifier = FALT;
            break;
        default:
            break;
        }
        if (fModifier != 0) {
            if (bKeyDown)
                m_Accel.fVirt |= fModifier;
            else
                m_Accel.fVirt &= static_cast<BYTE>(~fModifier);
        } else {
            // The first key after the focus came by keyboard (the release of
            // the Tab that moved it here, say) only arms the edit.
            if (!m_bIsFocused) {
                m_bIsFocused = TRUE;
                return TRUE;
            }
            // Only a press makes the key: the release of a key pressed before
            // (or of Esc and Tab, which cleared the edit) adds nothing.
            if (!bKeyDown)
                return TRUE;
            m_Accel.key = static_cast<WORD>(nKey);
            m_bIsDefined = TRUE;
            m_Accel.fVirt |= FVIRTKEY;
        }
    }

    if ((m_Accel.fVirt & FVIRTKEY) && (m_Accel.fVirt & (FSHIFT | FCONTROL | FALT)) == 0) {
        if (m_Accel.key == VK_TAB) {
            ResetKey();
            return CEdit::PreTranslateMessage(pMsg);
        }
        if (m_Accel.key == VK_ESCAPE) {
            ResetKey();
            return TRUE;
        }
    }
    ShowKey();
    return TRUE;
}

void CKtvPKeyAssignEdit::OnKillFocus(CWnd* pNewWnd)
{
    m_bIsFocused = FALSE;
    CEdit::OnKillFocus(pNewWnd);
}

// --- shortcut tables and their owners ----------------------------------------------------------

HICON KtvPLoadAcceleratorOwner(CFrameWnd* pFrame, CMultiDocTemplate* pTemplate, HACCEL& hAccel, LPACCEL& lpAccel,
                               int& nAccelSize)
{
    hAccel = nullptr;
    lpAccel = nullptr;
    nAccelSize = 0;
    HICON hIcon = nullptr;
    if (pTemplate != nullptr) {
        hIcon = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(pTemplate->GetResourceID()),
                                               IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
        hAccel = pTemplate->m_hAccelTable;
    } else if (pFrame != nullptr) {
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pFrame->GetSafeHwnd(), GCL_HICON));
        hAccel = pFrame->m_hAccelTable;
    }
    if (hAccel != nullptr) {
        const int nSize = ::CopyAcceleratorTable(hAccel, nullptr, 0);
        if (nSize > 0) {
            lpAccel = new ACCEL[static_cast<size_t>(nSize)];
            nAccelSize = ::CopyAcceleratorTable(hAccel, lpAccel, nSize);
        }
    }
    // The platform has no stock application icon: without an icon of its own the owner shows none.
    return hIcon;
}

void KtvPAddAcceleratorTemplates(CComboBox& wndCombo, BOOL bOncePerResource)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pDocManager == nullptr)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
        auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
        if (pTemplate == nullptr || pTemplate->m_hAccelTable == nullptr)
            continue;
        BOOL bListed = FALSE;
        for (int i = 0; i < wndCombo.GetCount() && bOncePerResource && !bListed; i++) {
            auto* pListed = static_cast<CMultiDocTemplate*>(wndCombo.GetItemDataPtr(i));
            bListed = pListed != nullptr && pListed->GetResourceID() == pTemplate->GetResourceID();
        }
        if (bListed)
            continue;
        CString strName;
        pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
        const int iItem = wndCombo.AddString(strName);
        wndCombo.SetItemDataPtr(iItem, pTemplate);
    }
}

// --- the page --------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPKeyboardPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKtvPKeyboardPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_KTVP_KEY_CATEGORY, OnSelchangeCategory)
    ON_LBN_SELCHANGE(IDC_KTVP_KEY_COMMANDS, OnSelchangeCommandsList)
    ON_LBN_SELCHANGE(IDC_KTVP_KEY_CURRENT, OnSelchangeCurrentKeysList)
    ON_CBN_SELCHANGE(IDC_KTVP_KEY_OWNER, OnSelchangeViewType)
    ON_EN_UPDATE(IDC_KTVP_KEY_NEW, OnUpdateNewShortcutKey)
    ON_BN_CLICKED(IDC_KTVP_KEY_ASSIGN, OnAssign)
    ON_BN_CLICKED(IDC_KTVP_KEY_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_KTVP_KEY_RESET_ALL, OnResetAll)
END_MESSAGE_MAP()

namespace {

// The bits that tell two shortcut keys apart; FNOINVERT is not one of them.
constexpr BYTE kKeyboardPageKeyBits = FVIRTKEY | FSHIFT | FCONTROL | FALT;

CKtvPToolbarCustomize* KeyboardPageSheet(CWnd* pPage)
{
    return dynamic_cast<CKtvPToolbarCustomize*>(pPage->GetParent());
}

}  // namespace

CKtvPKeyboardPage::CKtvPKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_KTVP_KEYBOARD_PAGE), m_pParentFrame(pParentFrame), m_bAutoSet(bAutoSet)
{
}

CKtvPKeyboardPage::~CKtvPKeyboardPage()
{
    ReleaseTable();
}

void CKtvPKeyboardPage::ReleaseTable()
{
    delete[] m_lpAccel;
    m_lpAccel = nullptr;
    m_nAccelSize = 0;
    m_pSelEntry = nullptr;
}

void CKtvPKeyboardPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_KEY_ASSIGNED_TITLE, m_wndAssignedToTitle);
    DDX_Control(pDX, IDC_KTVP_KEY_NEW, m_wndNewKey);
    DDX_Control(pDX, IDC_KTVP_KEY_OWNER, m_wndViewTypeList);
    DDX_Control(pDX, IDC_KTVP_KEY_ICON, m_wndViewIcon);
    DDX_Control(pDX, IDC_KTVP_KEY_REMOVE, m_wndRemoveButton);
    DDX_Control(pDX, IDC_KTVP_KEY_CURRENT, m_wndCurrentKeysList);
    DDX_Control(pDX, IDC_KTVP_KEY_COMMANDS, m_wndCommandsList);
    DDX_Control(pDX, IDC_KTVP_KEY_CATEGORY, m_wndCategoryList);
    DDX_Control(pDX, IDC_KTVP_KEY_ASSIGN, m_wndAssignButton);
    DDX_Text(pDX, IDC_KTVP_KEY_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_KTVP_KEY_ASSIGNED_TO, m_strAssignedTo);
}

BOOL CKtvPKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    if (CKtvPToolbarCustomize* pSheet = KeyboardPageSheet(this))
        pSheet->FillCategoriesComboBox(m_wndCategoryList, FALSE);
    m_wndCategoryList.SetCurSel(0);
    OnSelchangeCategory();

    if (m_bAutoSet)
        KtvPAddAcceleratorTemplates(m_wndViewTypeList, TRUE);

    if (m_pParentFrame != nullptr && m_pParentFrame->m_hAccelTable != nullptr) {
        CString strDefault;
        strDefault.LoadString(IDS_KTVP_DEFAULT);
        const int iItem = m_wndViewTypeList.AddString(strDefault);
        m_wndViewTypeList.SetItemDataPtr(iItem, nullptr);
        m_wndViewTypeList.SetCurSel(iItem);
        OnSelchangeViewType();
    }
    if (m_wndViewTypeList.GetCurSel() < 0) {
        m_wndViewTypeList.SetCurSel(0);
        OnSelchangeViewType();
    }
    return TRUE;
}

void CKtvPKeyboardPage::OnSelchangeCategory()
{
    UpdateData();
    const int iCategory = m_wndCategoryList.GetCurSel();
    if (iCategory < 0)
        return;
    m_wndCommandsList.ResetContent();
    m_wndCurrentKeysList.ResetContent();

    CString strCategory;
    m_wndCategoryList.GetLBText(iCategory, strCategory);
    const BOOL bAllCommands = strCategory == m_strAllCategory;
    auto* pButtons = static_cast<CObList*>(m_wndCategoryList.GetItemDataPtr(iCategory));
    CKtvPToolbarCustomize* pSheet = KeyboardPageSheet(this);
    if (pButtons != nullptr) {
        for (POSITION pos = pButtons->GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(pButtons->GetNext(pos));
            if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID == static_cast<UINT>(-1))
                continue;
            CString strText = pButton->m_strText;
            if (!pButton->m_strSecondText.IsEmpty() &&
                (bAllCommands || (pSheet != nullptr && pSheet->GetCountInCategory(strText, *pButtons) > 1)))
                strText = pButton->m_strSecondText;
            const int iItem = m_wndCommandsList.AddString(strText);
            m_wndCommandsList.SetItemDataPtr(iItem, pButton);
        }
    }
    m_wndNewKey.EnableWindow(FALSE);
    m_wndCommandsList.SetCurSel(0);
    OnSelchangeCommandsList();
}

void CKtvPKeyboardPage::OnSelchangeCommandsList()
{
    m_strDescription.Empty();
    m_wndCurrentKeysList.ResetContent();
    OnSelchangeCurrentKeysList();

    const int iCommand = m_wndCommandsList.GetCurSel();
    if (iCommand < 0) {
        m_pSelButton = nullptr;
        m_wndNewKey.EnableWindow(FALSE);
        UpdateData(FALSE);
        return;
    }
    m_pSelButton = static_cast<CKtvPToolbarButton*>(m_wndCommandsList.GetItemDataPtr(iCommand));
    if (m_pSelButton != nullptr) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->GetMessageString(m_pSelButton->m_nID, m_strDescription);
        else if (m_pParentFrame != nullptr)
            m_pParentFrame->GetMessageString(m_pSelButton->m_nID, m_strDescription);
        for (int i = 0; i < m_nAccelSize; i++) {
            if (m_lpAccel[i].cmd == m_pSelButton->m_nID)
                AddKeyEntry(&m_lpAccel[i]);
        }
    }
    m_wndNewKey.EnableWindow(TRUE);
    UpdateData(FALSE);
}

void CKtvPKeyboardPage::AddKeyEntry(LPACCEL pEntry)
{
    CString strKey;
    CKtvPKeyHelper helper(pEntry);
    helper.Format(strKey);
    const int iItem = m_wndCurrentKeysList.AddString(strKey);
    m_wndCurrentKeysList.SetItemDataPtr(iItem, pEntry);
}

void CKtvPKeyboardPage::OnSelchangeCurrentKeysList()
{
    const int iKey = m_wndCurrentKeysList.GetCurSel();
    m_pSelEntry = iKey < 0 ? nullptr : static_cast<LPACCEL>(m_wndCurrentKeysList.GetItemDataPtr(iKey));
    m_wndRemoveButton.EnableWindow(m_pSelEntry != nullptr);
}

void CKtvPKeyboardPage::OnSelchangeViewType()
{
    ReleaseTable();
    m_hAccelTable = nullptr;
    m_pSelTemplate = nullptr;

    const int iOwner = m_wndViewTypeList.GetCurSel();
    if (iOwner < 0) {
        m_wndViewIcon.SetIcon(nullptr);
        return;
    }
    auto* pTemplate = static_cast<CMultiDocTemplate*>(m_wndViewTypeList.GetItemDataPtr(iOwner));
    m_wndViewIcon.SetIcon(KtvPLoadAcceleratorOwner(m_pParentFrame, pTemplate, m_hAccelTable, m_lpAccel, m_nAccelSize));
    m_pSelTemplate = pTemplate;
    OnSelchangeCommandsList();
}

void CKtvPKeyboardPage::OnUpdateNewShortcutKey()
{
    m_strAssignedTo.Empty();
    m_wndAssignedToTitle.ShowWindow(SW_HIDE);
    m_wndAssignButton.EnableWindow(FALSE);

    if (m_wndNewKey.IsKeyDefined()) {
        const ACCEL* pNew = m_wndNewKey.GetAccel();
        BOOL bFound = FALSE;
        for (int i = 0; i < m_nAccelSize && !bFound; i++) {
            const ACCEL& entry = m_lpAccel[i];
            if (entry.key != pNew->key ||
                (entry.fVirt & kKeyboardPageKeyBits) != (pNew->fVirt & kKeyboardPageKeyBits))
                continue;
            bFound = TRUE;
            CKtvPToolbarCustomize* pSheet = KeyboardPageSheet(this);
            LPCTSTR lpszName = pSheet != nullptr ? pSheet->GetCommandName(entry.cmd) : nullptr;
            m_strAssignedTo = lpszName != nullptr ? lpszName : _T("????");
        }
        if (!bFound) {
            m_strAssignedTo.LoadString(IDS_KTVP_UNASSIGNED);
            m_wndAssignButton.EnableWindow(m_pSelButton != nullptr);
        }
        m_wndAssignedToTitle.ShowWindow(SW_SHOW);
    }
    UpdateData(FALSE);
}

void CKtvPKeyboardPage::ReplaceCopy(LPACCEL lpNew, int nNewSize, const int* pOldToNew)
{
    // The current-keys items point into the copy: move them to the new one.
    for (int i = 0; i < m_wndCurrentKeysList.GetCount(); i++) {
        auto* pEntry = static_cast<LPACCEL>(m_wndCurrentKeysList.GetItemDataPtr(i));
        if (pEntry == nullptr || m_lpAccel == nullptr || pEntry < m_lpAccel || pEntry >= m_lpAccel + m_nAccelSize)
            continue;
        const int iNew = pOldToNew[pEntry - m_lpAccel];
        m_wndCurrentKeysList.SetItemDataPtr(i, iNew < 0 ? nullptr : &lpNew[iNew]);
    }
    delete[] m_lpAccel;
    m_lpAccel = lpNew;
    m_nAccelSize = nNewSize;
    m_pSelEntry = nullptr;
}

BOOL CKtvPKeyboardPage::ApplyTable()
{
    if (g_pKeyboardManager != nullptr &&
        g_pKeyboardManager->UpdateAcceleratorTable(m_pSelTemplate, m_lpAccel, m_nAccelSize, nullptr)) {
        m_hAccelTable = m_pSelTemplate != nullptr ? m_pSelTemplate->m_hAccelTable
                        : m_pParentFrame != nullptr ? m_pParentFrame->m_hAccelTable
                                                    : nullptr;
        return TRUE;
    }
    // The keys in force did not change: show them, not the refused copy.
    const int iOwner = m_wndViewTypeList.GetCurSel();
    const int iCommand = m_wndCommandsList.GetCurSel();
    OnSelchangeViewType();
    m_wndViewTypeList.SetCurSel(iOwner);
    m_wndCommandsList.SetCurSel(iCommand);
    OnSelchangeCommandsList();
    ::MessageBeep(static_cast<UINT>(-1));
    CString strWhy;
    strWhy.LoadString(IDS_KTVP_KEY_TABLE_REFUSED);
    AfxMessageBox(strWhy, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CKtvPKeyboardPage::OnAssign()
{
    if (m_pSelButton == nullptr || !m_wndNewKey.IsKeyDefined())
        return;
    ACCEL* pNew = m_wndNewKey.GetAccel();
    pNew->cmd = static_cast<WORD>(m_pSelButton->m_nID);

    auto* lpCopy = new ACCEL[static_cast<size_t>(m_nAccelSize) + 1];
    std::vector<int> oldToNew(static_cast<size_t>(m_nAccelSize));
    for (int i = 0; i < m_nAccelSize; i++) {
        lpCopy[i] = m_lpAccel[i];
        oldToNew[static_cast<size_t>(i)] = i;
    }
    lpCopy[m_nAccelSize] = *pNew;
    ReplaceCopy(lpCopy, m_nAccelSize + 1, oldToNew.data());

    if (ApplyTable())
        AddKeyEntry(&m_lpAccel[m_nAccelSize - 1]);
    m_wndNewKey.ResetKey();
    OnUpdateNewShortcutKey();
    m_wndCommandsList.SetFocus();
}

void CKtvPKeyboardPage::OnRemove()
{
    if (m_pSelEntry == nullptr || m_lpAccel == nullptr)
        return;
    const int iRemoved = static_cast<int>(m_pSelEntry - m_lpAccel);
    if (iRemoved < 0 || iRemoved >= m_nAccelSize)
        return;

    LPACCEL lpCopy = m_nAccelSize > 1 ? new ACCEL[static_cast<size_t>(m_nAccelSize) - 1] : nullptr;
    std::vector<int> oldToNew(static_cast<size_t>(m_nAccelSize));
    int j = 0;
    for (int i = 0; i < m_nAccelSize; i++) {
        if (i == iRemoved) {
            oldToNew[static_cast<size_t>(i)] = -1;
            continue;
        }
        lpCopy[j] = m_lpAccel[i];
        oldToNew[static_cast<size_t>(i)] = j++;
    }
    ReplaceCopy(lpCopy, j, oldToNew.data());

    if (ApplyTable())
        OnSelchangeCommandsList();
    m_wndCommandsList.SetFocus();
}

void CKtvPKeyboardPage::OnResetAll()
{
    CString strPrompt;
    strPrompt.LoadString(IDS_KTVP_RESET_KEYBOARD_PROMPT);
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (g_pKeyboardManager != nullptr)
        g_pKeyboardManager->ResetAll();
    if (m_pParentFrame != nullptr)
        m_pParentFrame->SendMessage(KTVM_RESETKEYBOARD, 0, 0);
    OnSelchangeViewType();
    OnSelchangeCommandsList();
}
