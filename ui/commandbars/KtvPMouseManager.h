// The double-click command of each registered view, set on the customisation
// sheet's Mouse page and stored as the value "Mouse".
#pragma once

#include "platform/mfc/CMap.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringList.h"

class CKtvPMouseManager : public CObject {
    DECLARE_SERIAL(CKtvPMouseManager)
public:
    CKtvPMouseManager();
    ~CKtvPMouseManager() override;
    CKtvPMouseManager(const CKtvPMouseManager&) = delete;
    CKtvPMouseManager& operator=(const CKtvPMouseManager&) = delete;
    void Serialize(CArchive& ar) override;

    BOOL AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId = 0);
    void GetViewNames(CStringList& listOfNames) const;
    int GetViewIdByName(LPCTSTR lpszName) const;
    UINT GetViewIconId(int iViewId) const;
    UINT GetViewDblClickCommand(int iId) const;
    void SetCommandForDblClick(int iViewId, UINT uiCmd);
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    CMap<CString, LPCTSTR, int, int> m_ViewsNames;
    CMap<UINT, UINT, UINT, UINT> m_ViewsToCommands;
    CMap<UINT, UINT, UINT, UINT> m_ViewsToIcons;

private:
    // Set when the stored assignments could not be read whole: they stay as
    // stored until the user changes an assignment.
    BOOL m_bKeepStoredValue = FALSE;
};

// NULL until the workspace creates the manager.
extern CKtvPMouseManager* g_pMouseManager;
