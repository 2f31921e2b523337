#include "ui/commandbars/KtvPCommandManager.h"

#include <utility>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvRegPath.h"

namespace {

CKtvPCommandManager g_CmdManager;

constexpr LPCTSTR kToolBarsSection = _T("KtvToolBars");
constexpr LPCTSTR kCommandsWithoutImages = _T("CommandsWithoutImages");

BOOL IsImagelessCommand(UINT uiCmd)
{
    return uiCmd == 0 || uiCmd == static_cast<UINT>(-1);
}

CString CommandManagerKey(LPCTSTR lpszProfileName)
{
    CString strKey;
    strKey.Format(_T("%sKtvCommandManager"), static_cast<LPCTSTR>(KtvGetRegPath(kToolBarsSection, lpszProfileName)));
    return strKey;
}

// Recent files, system commands, MDI child entries and object verbs say
// nothing about which menu items the user needs.
BOOL IsNeverCounted(UINT uiCmd)
{
    if (IsImagelessCommand(uiCmd))
        return TRUE;
    if ((uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) || uiCmd >= 0xFF00 ||
        (uiCmd >= 0xE210 && uiCmd <= 0xE21F))
        return TRUE;
    return g_pUserToolsManager != nullptr && g_pUserToolsManager->GetToolsEntryCmd() == uiCmd;
}

void ClearAllCmdImagesAtCleanUp()
{
    GetCmdMgr()->ClearAllCmdImages();
}

}  // namespace

CKtvPCommandManager* GetCmdMgr() { return &g_CmdManager; }

int GetCmdImage(UINT uiCmd, BOOL bUserImage) { return GetCmdMgr()->GetCmdImage(uiCmd, bUserImage); }

CKtvPCommandManager::CKtvPCommandManager() : m_CommandIndex(10), m_CommandIndexUser(10), m_lstCommandsWithoutImages(10)
{
}

CKtvPCommandManager::~CKtvPCommandManager() = default;

void CKtvPCommandManager::SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage)
{
    if (IsImagelessCommand(uiCmd))
        return;
    // A user image never hides a standard one, and the other way round.
    if (GetCmdImage(uiCmd, !bUserImage) >= 0)
        return;
    (bUserImage ? m_CommandIndexUser : m_CommandIndex)[uiCmd] = iImage;
    KtvAddCleanUpStep(ClearAllCmdImagesAtCleanUp);
}

int CKtvPCommandManager::GetCmdImage(UINT uiCmd, BOOL bUserImage) const
{
    int iImage = -1;
    if (!(bUserImage ? m_CommandIndexUser : m_CommandIndex).Lookup(uiCmd, iImage))
        return -1;
    return iImage;
}

void CKtvPCommandManager::ClearCmdImage(UINT uiCmd) { m_CommandIndexUser.RemoveKey(uiCmd); }

void CKtvPCommandManager::ClearAllCmdImages()
{
    m_CommandIndex.RemoveAll();
    m_CommandIndexUser.RemoveAll();
    m_lstCommandsWithoutImages.RemoveAll();
}

void CKtvPCommandManager::EnableMenuItemImage(UINT uiCmd, BOOL bEnable)
{
    POSITION pos = m_lstCommandsWithoutImages.Find(uiCmd);
    if (bEnable) {
        if (pos == nullptr)
            return;
        m_lstCommandsWithoutImages.RemoveAt(pos);
    } else {
        if (pos != nullptr)
            return;
        m_lstCommandsWithoutImages.AddTail(uiCmd);
    }
    m_bKeepStoredList = FALSE;
}

BOOL CKtvPCommandManager::IsMenuItemWithoutImage(UINT uiCmd) const
{
    return m_lstCommandsWithoutImages.Find(uiCmd) != nullptr;
}

BOOL CKtvPCommandManager::LoadState(LPCTSTR lpszProfileName)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(CommandManagerKey(lpszProfileName)))
        return FALSE;
    if (!reg.VerifyValue(kCommandsWithoutImages))
        return FALSE;
    CList<UINT, UINT> lstStored(10);
    if (!reg.Read(kCommandsWithoutImages, lstStored)) {
        m_bKeepStoredList = TRUE;
        return FALSE;
    }
    // The stored list replaces ours; an id stored twice counts once.
    m_lstCommandsWithoutImages.RemoveAll();
    for (POSITION pos = lstStored.GetHeadPosition(); pos != nullptr;) {
        const UINT uiCmd = lstStored.GetNext(pos);
        if (m_lstCommandsWithoutImages.Find(uiCmd) == nullptr)
            m_lstCommandsWithoutImages.AddTail(uiCmd);
    }
    m_bKeepStoredList = FALSE;
    return TRUE;
}

BOOL CKtvPCommandManager::SaveState(LPCTSTR lpszProfileName)
{
    // The stored list holds more than we could read: it stays until the user
    // changes the list.
    if (m_bKeepStoredList)
        return TRUE;
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(CommandManagerKey(lpszProfileName)))
        return FALSE;
    return reg.Write(kCommandsWithoutImages, m_lstCommandsWithoutImages);
}

const UINT CKtvPCommandUsage::m_nStartCount = 0;
const UINT CKtvPCommandUsage::m_nMinUsagePercentage = 5;

CKtvPCommandUsage::CKtvPCommandUsage() : m_CommandsUsage(10) {}
CKtvPCommandUsage::~CKtvPCommandUsage() = default;

void CKtvPCommandUsage::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nTotalUsage;
        m_CommandsUsage.Serialize(ar);
        return;
    }
    // Read whole before anything changes, so a damaged image leaves the counts as they were.
    UINT nTotal = 0;
    ar >> nTotal;
    const DWORD_PTR nCount = ar.ReadCount();
    ar.CheckCount(nCount, 2 * sizeof(UINT));
    std::vector<std::pair<UINT, UINT>> uses;
    uses.reserve(nCount);
    for (DWORD_PTR i = 0; i < nCount; i++) {
        UINT uiCmd = 0;
        UINT nUses = 0;
        ar >> uiCmd >> nUses;
        uses.emplace_back(uiCmd, nUses);
    }
    m_CommandsUsage.RemoveAll();
    for (const auto& [uiCmd, nUses] : uses)
        m_CommandsUsage[uiCmd] = nUses;
    m_nTotalUsage = nTotal;
}

void CKtvPCommandUsage::AddCmd(UINT uiCmd)
{
    // Commands run while the user rearranges the bars, and the commands that
    // personalised menus always show, say nothing about what the user needs.
    if (CKtvPToolBar::m_bCustomizeMode)
        return;
    if (uiCmd != 0 && uiCmd != (UINT)-1 && CKtvPToolBar::m_BasicCommands.Find(uiCmd) != nullptr)
        return;
    if (IsNeverCounted(uiCmd))
        return;
    m_CommandsUsage[uiCmd]++;
    m_nTotalUsage++;
}

UINT CKtvPCommandUsage::GetCount(UINT uiCmd) const
{
    UINT nUses = 0;
    m_CommandsUsage.Lookup(uiCmd, nUses);
    return nUses;
}

BOOL CKtvPCommandUsage::IsFrequentlyUsedCmd(UINT uiCmd) const
{
    if (m_nTotalUsage == 0)
        return FALSE;
    return static_cast<ULONGLONG>(GetCount(uiCmd)) * 100 / m_nTotalUsage > m_nMinUsagePercentage;
}

BOOL CKtvPCommandUsage::HasEnoughInformation() const { return m_nTotalUsage >= m_nStartCount; }

void CKtvPCommandUsage::Reset()
{
    m_CommandsUsage.RemoveAll();
    m_nTotalUsage = 0;
}
