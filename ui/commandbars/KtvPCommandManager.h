// Which image each command shows (standard or user), which commands show no
// image in menus, and how often each command was used (personalised menus).
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CObject.h"

class CArchive;

class CKtvPCommandManager : public CObject {
public:
    CKtvPCommandManager();
    ~CKtvPCommandManager() override;
    CKtvPCommandManager(const CKtvPCommandManager&) = delete;
    CKtvPCommandManager& operator=(const CKtvPCommandManager&) = delete;

    // A command keeps the first kind of image it receives until it is cleared.
    void SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage);
    int GetCmdImage(UINT uiCmd, BOOL bUserImage = FALSE) const;
    void ClearCmdImage(UINT uiCmd);
    void ClearAllCmdImages();
    void EnableMenuItemImage(UINT uiCmd, BOOL bEnable = TRUE);
    BOOL IsMenuItemWithoutImage(UINT uiCmd) const;
    BOOL LoadState(LPCTSTR lpszProfileName);
    BOOL SaveState(LPCTSTR lpszProfileName);

    CMap<UINT, UINT, int, int> m_CommandIndex;
    CMap<UINT, UINT, int, int> m_CommandIndexUser;
    CList<UINT, UINT> m_lstCommandsWithoutImages;

private:
    // Set when the stored list could not be read whole: it stays as the user
    // left it until the user changes the list again.
    BOOL m_bKeepStoredList = FALSE;
};

// The process-wide command manager.
CKtvPCommandManager* GetCmdMgr();

// GetCmdMgr()->GetCmdImage.
int GetCmdImage(UINT uiCmd, BOOL bUserImage = FALSE);

class CKtvPCommandUsage : public CObject {
public:
    CKtvPCommandUsage();
    ~CKtvPCommandUsage() override;
    CKtvPCommandUsage(const CKtvPCommandUsage&) = delete;
    CKtvPCommandUsage& operator=(const CKtvPCommandUsage&) = delete;
    void Serialize(CArchive& ar) override;

    void AddCmd(UINT uiCmd);
    UINT GetCount(UINT uiCmd) const;
    BOOL IsFrequentlyUsedCmd(UINT uiCmd) const;
    BOOL HasEnoughInformation() const;
    void Reset();

    CMap<UINT, UINT, UINT, UINT> m_CommandsUsage;
    UINT m_nTotalUsage = 0;

    // Percent of all uses above which a command is frequent; total below which
    // nothing is personalised. Nothing changes them.
    static const UINT m_nStartCount;
    static const UINT m_nMinUsagePercentage;
};
