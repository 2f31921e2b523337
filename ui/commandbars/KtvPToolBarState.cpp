// A toolbar's stored state: its buttons, name and original items in the
// registry, the library-wide toolbar options, and reset to the resource.
#include "ui/commandbars/KtvPToolBar.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/user/winuser.h"
#include "resources/resource.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"
#include "ui/frames/KtvRegPath.h"

namespace ktvbarstate {

constexpr LPCTSTR kToolBarsSection = _T("KtvToolBars");
constexpr LPCTSTR kButtonsValue = _T("Buttons");
constexpr LPCTSTR kNameValue = _T("Name");
constexpr LPCTSTR kOriginalItemsValue = _T("OriginalItems");
constexpr LPCTSTR kOrigResetItemsValue = _T("OrigResetItems");

// The stored library version is the workspace's; with no state loaded yet
// (-1.-1) the running library writes the current format.
BOOL StateVersionAtLeast(int nMajor, int nMinor)
{
    const CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr)
        return FALSE;
    const int nLoadedMajor = pWorkspace->GetDataVersionMajor();
    const int nLoadedMinor = pWorkspace->GetDataVersionMinor();
    if (nLoadedMajor == -1 && nLoadedMinor == -1)
        return TRUE;
    return (nLoadedMajor == nMajor && nLoadedMinor >= nMinor) || nLoadedMajor > nMajor;
}

BOOL TracksResourceChanges()
{
    const CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    return pWorkspace != nullptr && pWorkspace->IsResourceSmartUpdate();
}

void DeleteListedButtons(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

// A list of buttons in the bytes of an object list, read so that a record of
// a class that is no button kind is refused before anything is made.
class CButtonListImage : public CObject {
public:
    explicit CButtonListImage(CObList& list) : m_list(list) {}

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            m_list.Serialize(ar);
            return;
        }
        DeleteListedButtons(m_list);
        try {
            ReadButtons(ar, m_list);
        } catch (...) {
            DeleteListedButtons(m_list);
            throw;
        }
    }

    // Reads a count and that many buttons into list. FALSE when an entry is
    // empty; the entries before it stay in the list.
    static BOOL ReadButtons(CArchive& ar, CObList& list)
    {
        DWORD_PTR nCount = ar.ReadCount();
        ar.CheckCount(nCount, sizeof(WORD));
        while (nCount-- > 0) {
            CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CKtvPToolbarButton));
            if (pObject == nullptr)
                return FALSE;
            list.AddTail(pObject);
        }
        return TRUE;
    }

private:
    CObList& m_list;
};

// A bar whose stored buttons could not be read fell back to its resource.
// Its record stays stored until the user changes the bar: saving compares
// the bar with what the fallback gave and writes only when they differ.
std::set<const CKtvPToolBar*> g_barsFellBack;
std::map<CString, std::vector<BYTE>> g_keptRecords;   // key path -> the fallback's image

// A list of buttons under a value name: nothing is written for an empty list.
BOOL WriteButtonList(CKtvPRegistry& reg, LPCTSTR lpszValueName, CObList& list)
{
    return !list.IsEmpty() && reg.Write(lpszValueName, list);
}

BOOL ReadButtonList(CKtvPRegistry& reg, LPCTSTR lpszValueName, CObList& list)
{
    CButtonListImage image(list);
    return reg.Read(lpszValueName, image);
}

std::vector<BYTE> StateImage(CKtvPToolBar& bar)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        bar.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> image(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!image.empty())
        file.Read(image.data(), static_cast<UINT>(image.size()));
    return image;
}

CString ToolBarKey(const CKtvPToolBar& bar, LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strSection = KtvGetRegPath(kToolBarsSection, lpszProfileName);
    if (nIndex == -1)
        nIndex = bar.GetDlgCtrlID();
    CString strKey;
    if (uiID == (UINT)-1)
        strKey.Format(_T("%sKtvToolBar-%d"), (LPCTSTR)strSection, nIndex);
    else
        strKey.Format(_T("%sKtvToolBar-%d%x"), (LPCTSTR)strSection, nIndex, uiID);
    return strKey;
}

CString ParametersKey(LPCTSTR lpszProfileName)
{
    CString strKey;
    strKey.Format(_T("%sKtvToolbarParameters"), (LPCTSTR)KtvGetRegPath(kToolBarsSection, lpszProfileName));
    return strKey;
}

}  // namespace ktvbarstate

// Puts the bar back to its resource layout after its stored buttons failed
// to load; the customize button survives (it is no stored button).
static void FallBackToResource(CKtvPToolBar& bar)
{
    CCustomizeButton* pCustomize = nullptr;
    if (bar.m_pCustomizeBtn != nullptr) {
        pCustomize = new CCustomizeButton;
        pCustomize->CopyFrom(*bar.m_pCustomizeBtn);
    }
    bar.RemoveAllButtons();
    bar.RestoreOriginalState();
    if (pCustomize != nullptr && bar.m_pCustomizeBtn == nullptr) {
        bar.m_Buttons.AddTail(pCustomize);
        bar.m_pCustomizeBtn = pCustomize;
        pCustomize->OnChangeParentWnd(&bar);
    } else {
        delete pCustomize;
    }
    bar.AdjustLocations();
    ktvbarstate::g_barsFellBack.insert(&bar);
}

void CKtvPToolBar::Serialize(CArchive& ar)
{
    CKtvPBaseToolBar::Serialize(ar);
    if (m_bLocked)
        return;

    const BOOL bMRUStored = ktvbarstate::StateVersionAtLeast(6, 2);

    if (ar.IsStoring()) {
        CObList lstStored;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
            if (pButton->CanBeStored())
                lstStored.AddTail(pButton);
        }
        lstStored.Serialize(ar);
        ar << m_bTextLabels;
        CString strName;
        if (GetSafeHwnd() != nullptr)
            GetWindowText(strName);
        ar << strName;
        if (bMRUStored)
            ar << GetMRUWidth();
        return;
    }

    CCustomizeButton* pCustomize = nullptr;
    if (m_pCustomizeBtn != nullptr) {
        pCustomize = new CCustomizeButton;
        pCustomize->CopyFrom(*m_pCustomizeBtn);
    }
    RemoveAllButtons();

    BOOL bComplete = FALSE;
    try {
        bComplete = ktvbarstate::CButtonListImage::ReadButtons(ar, m_Buttons);
    } catch (CArchiveException* e) {
        // A damaged list: what was read goes, the resource layout comes back.
        e->Delete();
    }
    if (!bComplete) {
        ktvbarstate::DeleteListedButtons(m_Buttons);
        m_pCustomizeBtn = nullptr;
        if (pCustomize != nullptr) {
            m_Buttons.AddTail(pCustomize);
            m_pCustomizeBtn = pCustomize;
        }
        FallBackToResource(*this);
        return;
    }

    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
        pButton->OnChangeParentWnd(this);
    }

    BOOL bTextLabels = FALSE;
    ar >> bTextLabels;
    if (AllowShowTextLabels())
        m_bTextLabels = bTextLabels;

    if (pCustomize != nullptr) {
        m_Buttons.AddTail(pCustomize);
        m_pCustomizeBtn = pCustomize;
        pCustomize->OnChangeParentWnd(this);
    }
    AdjustLocations();

    CString strName;
    ar >> strName;
    if (GetSafeHwnd() != nullptr)
        SetWindowText(strName);

    for (POSITION pos = m_NonPermittedCommands.GetHeadPosition(); pos != nullptr;) {
        const int iIndex = CommandToIndex(m_NonPermittedCommands.GetNext(pos));
        if (iIndex >= 0)
            RemoveButton(iIndex);
    }

    if (bMRUStored) {
        int nMRUWidth = 0;
        ar >> nMRUWidth;
        SetMRUWidth(nMRUWidth);
    }
}

BOOL CKtvPToolBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strKey = ktvbarstate::ToolBarKey(*this, lpszProfileName, nIndex, uiID);

    try {
        const std::vector<BYTE> image = ktvbarstate::StateImage(*this);

        // A record that could not be read stays until the bar differs from its fallback.
        auto kept = ktvbarstate::g_keptRecords.find(strKey);
        const BOOL bKeepStored = kept != ktvbarstate::g_keptRecords.end() && kept->second == image;
        if (kept != ktvbarstate::g_keptRecords.end() && !bKeepStored)
            ktvbarstate::g_keptRecords.erase(kept);

        CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
        if (reg.CreateKey(strKey)) {
            if (GetSafeHwnd() != nullptr) {
                CString strName;
                GetWindowText(strName);
                reg.Write(ktvbarstate::kNameValue, strName);
            }
            BOOL bButtonsWritten = bKeepStored;
            if (!bKeepStored)
                bButtonsWritten =
                    reg.Write(ktvbarstate::kButtonsValue, const_cast<BYTE*>(image.data()), static_cast<UINT>(image.size()));
            if (bButtonsWritten && ktvbarstate::TracksResourceChanges())
                SaveOriginalState(reg);
            SaveResetOriginalState(reg);
        }
    } catch (CMemoryException* e) {
        e->Delete();
    } catch (CArchiveException* e) {
        e->Delete();
    }

    return CKtvPBaseToolBar::SaveState(lpszProfileName, nIndex, uiID);
}

BOOL CKtvPToolBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strKey = ktvbarstate::ToolBarKey(*this, lpszProfileName, nIndex, uiID);

    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    m_bStateFellBack = FALSE;
    if (!reg.Open(strKey))
        return FALSE;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read(ktvbarstate::kButtonsValue, &pData, &nBytes) || pData == nullptr)
        return FALSE;

    ktvbarstate::g_barsFellBack.erase(this);
    BOOL bLoaded = FALSE;
    try {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar);
        ar.Close();
        bLoaded = TRUE;
    } catch (CMemoryException* e) {
        e->Delete();
    } catch (CArchiveException* e) {
        e->Delete();
        FallBackToResource(*this);
    }
    delete[] pData;

    m_bStateFellBack = ktvbarstate::g_barsFellBack.erase(this) != 0;
    if (m_bStateFellBack) {
        bLoaded = FALSE;
        ktvbarstate::g_keptRecords[strKey] = ktvbarstate::StateImage(*this);
    }

    if (bLoaded && ktvbarstate::TracksResourceChanges())
        LoadLastOriginalState(reg);
    LoadResetOriginalState(reg);

    const BOOL bResult = CKtvPBaseToolBar::LoadState(lpszProfileName, nIndex, uiID);
    AdjustLayout();

    CKtvPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar != nullptr && GetDockBarRow() != nullptr) {
        const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
        pDockBar->ResizeRow(GetDockBarRow(), IsHorizontal() ? size.cy : size.cx);
    }
    return bResult;
}

BOOL CKtvPToolBar::RemoveStateFromRegistry(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strKey = ktvbarstate::ToolBarKey(*this, lpszProfileName, nIndex, uiID);
    ktvbarstate::g_keptRecords.erase(strKey);
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    return reg.DeleteKey(strKey);
}

BOOL CKtvPToolBar::RestoreOriginalState()
{
    if (m_uiOriginalResID == 0)
        return FALSE;

    const BOOL bLoaded = LoadToolBar(m_uiOriginalResID);
    AdjustLayout();

    if (GetSafeHwnd() == nullptr)
        return bLoaded;

    if (IsFloating()) {
        RecalcLayout();
    } else if (GetParentDockBar() != nullptr) {
        const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
        CRect rectWindow;
        GetWindowRect(rectWindow);
        if (rectWindow.Size() != size)
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateVirtualRect();
        if (CKtvPDockBarRow* pRow = GetDockBarRow())
            pRow->ArrangeBars(0, 0);
        if (CWnd* pFrame = KtvGetParentFrame(this))
            static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return bLoaded;
}

BOOL CKtvPToolBar::SaveOriginalState(CKtvPRegistry& reg)
{
    return ktvbarstate::WriteButtonList(reg, ktvbarstate::kOriginalItemsValue, m_OrigButtons);
}

BOOL CKtvPToolBar::LoadLastOriginalState(CKtvPRegistry& reg)
{
    CObList lstStored;
    BOOL bResult = FALSE;
    if (ktvbarstate::ReadButtonList(reg, ktvbarstate::kOriginalItemsValue, lstStored))
        bResult = MergeOriginalItems(lstStored);
    ktvbarstate::DeleteListedButtons(lstStored);
    return bResult;
}

static BOOL HasMatchingItem(const CObList& list, const CKtvPToolbarButton& item)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        if (static_cast<const CKtvPToolbarButton*>(list.GetNext(pos))->CompareWith(item))
            return TRUE;
    }
    return FALSE;
}

BOOL CKtvPToolBar::MergeOriginalItems(CObList& lstOrigButtons)
{
    m_bOriginalItemsChanged = FALSE;

    // Items the resource lost leave the bar.
    for (POSITION pos = lstOrigButtons.GetHeadPosition(); pos != nullptr;) {
        const auto* pStored = static_cast<const CKtvPToolbarButton*>(lstOrigButtons.GetNext(pos));
        if (HasMatchingItem(m_OrigButtons, *pStored))
            continue;
        const int iIndex = CommandToIndex(pStored->m_nID);
        if (iIndex >= 0)
            RemoveButton(iIndex);
        m_bOriginalItemsChanged = TRUE;
    }

    // Items the resource gained join at their resource position.
    int iResourceIndex = 0;
    for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr; iResourceIndex++) {
        const auto* pCurrent = static_cast<const CKtvPToolbarButton*>(m_OrigButtons.GetNext(pos));
        if (HasMatchingItem(lstOrigButtons, *pCurrent))
            continue;
        const int iInsertAt = std::min(iResourceIndex, GetCount());
        if (pCurrent->m_nID == 0) {
            InsertSeparator(iInsertAt);
        } else {
            int iImage = -1;
            if (!m_DefaultImages.Lookup(pCurrent->m_nID, iImage))
                iImage = -1;
            InsertButtonCopy(CKtvPToolbarButton(pCurrent->m_nID, iImage, nullptr, FALSE, m_bLocked), iInsertAt);
        }
        m_bOriginalItemsChanged = TRUE;
    }

    BOOL bSame = lstOrigButtons.GetCount() == m_OrigButtons.GetCount();
    for (POSITION posStored = lstOrigButtons.GetHeadPosition(), posCurrent = m_OrigButtons.GetHeadPosition();
         bSame && posStored != nullptr && posCurrent != nullptr;) {
        const auto* pStored = static_cast<const CKtvPToolbarButton*>(lstOrigButtons.GetNext(posStored));
        const auto* pCurrent = static_cast<const CKtvPToolbarButton*>(m_OrigButtons.GetNext(posCurrent));
        bSame = pStored->CompareWith(*pCurrent);
    }
    if (!bSame)
        m_bOriginalItemsChanged = TRUE;
    return m_bOriginalItemsChanged;
}

BOOL CKtvPToolBar::SaveResetOriginalState(CKtvPRegistry& reg)
{
    return ktvbarstate::WriteButtonList(reg, ktvbarstate::kOrigResetItemsValue, m_OrigResetButtons);
}

BOOL CKtvPToolBar::LoadResetOriginalState(CKtvPRegistry& reg)
{
    CObList lstStored;
    if (ktvbarstate::ReadButtonList(reg, ktvbarstate::kOrigResetItemsValue, lstStored) && !lstStored.IsEmpty()) {
        ktvbarstate::DeleteListedButtons(m_OrigResetButtons);
        m_OrigResetButtons.AddTail(&lstStored);
        lstStored.RemoveAll();
    }
    ktvbarstate::DeleteListedButtons(lstStored);
    return TRUE;
}

void CKtvPToolBar::OnResetPrompt()
{
    CString strName;
    if (GetSafeHwnd() != nullptr)
        GetWindowText(strName);
    strName.Trim();
    if (strName.IsEmpty())
        strName.LoadString(IDS_KTVP_UNTITLED);

    CString strTemplate;
    strTemplate.LoadString(IDS_KTVP_RESET_TOOLBAR_PROMPT);
    CString strPrompt;
    strPrompt.Format(strTemplate, (LPCTSTR)strName);

    CString strCaption = AfxGetApp() != nullptr ? CString(AfxGetApp()->m_pszAppName) : CString();
    if (::MessageBox(nullptr, strPrompt, strCaption, MB_ICONWARNING | MB_OKCANCEL) == IDOK)
        RestoreOriginalState();
}

BOOL CKtvPToolBar::SaveParameters(LPCTSTR lpszProfileName)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(ktvbarstate::ParametersKey(lpszProfileName)))
        return FALSE;

    return reg.Write(_T("Tooltips"), m_bShowTooltips) && reg.Write(_T("ShortcutKeys"), m_bShowShortcutKeys) &&
           reg.Write(_T("LargeIcons"), m_bLargeIcons) &&
           reg.Write(_T("MenuAnimation"), CKtvPPopupMenu::m_nAnimationType) &&
           reg.Write(_T("RecentlyUsedMenus"), CKtvPMenuBar::m_bRecentlyUsedMenus) &&
           reg.Write(_T("MenuShadows"), CKtvPMenuBar::m_bMenuShadows) &&
           reg.Write(_T("ShowAllMenusAfterDelay"), CKtvPMenuBar::m_bShowAllMenusAfterDelay) &&
           reg.Write(_T("Look2000"), CKtvPVisualManager::GetInstance()->IsLook2000()) &&
           reg.Write(_T("CommandsUsage"), m_UsageCount);
}

BOOL CKtvPToolBar::LoadParameters(LPCTSTR lpszProfileName)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(ktvbarstate::ParametersKey(lpszProfileName)))
        return FALSE;

    // Every value keeps its current setting unless the key gives a new one,
    // so a partial key changes only what it holds.
    BOOL bAllRead = TRUE;
    auto readInto = [&reg, &bAllRead](LPCTSTR lpszName, int& nTarget) {
        int nValue = 0;
        if (reg.Read(lpszName, nValue))
            nTarget = nValue;
        else
            bAllRead = FALSE;
    };

    int nAnimation = CKtvPPopupMenu::m_nAnimationType;
    int bLook2000 = CKtvPVisualManager::GetInstance()->IsLook2000();
    readInto(_T("Tooltips"), m_bShowTooltips);
    readInto(_T("ShortcutKeys"), m_bShowShortcutKeys);
    readInto(_T("LargeIcons"), m_bLargeIcons);
    readInto(_T("MenuAnimation"), nAnimation);
    readInto(_T("RecentlyUsedMenus"), CKtvPMenuBar::m_bRecentlyUsedMenus);
    readInto(_T("MenuShadows"), CKtvPMenuBar::m_bMenuShadows);
    readInto(_T("ShowAllMenusAfterDelay"), CKtvPMenuBar::m_bShowAllMenusAfterDelay);
    readInto(_T("Look2000"), bLook2000);

    // The usage counts are read into a copy, so a damaged value leaves them as they were.
    CKtvPCommandUsage usage;
    if (reg.Read(_T("CommandsUsage"), usage)) {
        m_UsageCount.m_CommandsUsage.RemoveAll();
        for (POSITION pos = usage.m_CommandsUsage.GetStartPosition(); pos != nullptr;) {
            UINT uiCmd = 0;
            UINT nCount = 0;
            usage.m_CommandsUsage.GetNextAssoc(pos, uiCmd, nCount);
            m_UsageCount.m_CommandsUsage.SetAt(uiCmd, nCount);
        }
        m_UsageCount.m_nTotalUsage = usage.m_nTotalUsage;
    } else {
        bAllRead = FALSE;
    }

    CKtvPPopupMenu::m_nAnimationType = nAnimation;
    SetLargeIcons(m_bLargeIcons);
    CKtvPVisualManager::GetInstance()->SetLook2000(bLook2000);
    return bAllRead;
}

BOOL CKtvPToolBar::LoadLargeIconsState(LPCTSTR lpszProfileName)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(ktvbarstate::ParametersKey(lpszProfileName)))
        return FALSE;
    int bLargeIcons = 0;
    if (!reg.Read(_T("LargeIcons"), bLargeIcons))
        return FALSE;
    m_bLargeIcons = bLargeIcons;
    return TRUE;
}
