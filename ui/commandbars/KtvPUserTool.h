// External tools the user adds to the Tools menu: one command each, with its
// program, arguments, working directory and icon; the manager owns the list,
// the command range and its stored value "Tools".
#pragma once

#include "platform/mfc/CObList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"

class CDC;

class CKtvPUserTool : public CObject {
    DECLARE_SERIAL(CKtvPUserTool)
public:
    CKtvPUserTool();
    // Virtuals in slot order: destructor, Serialize, Invoke, LoadIcon, LoadDefaultIcon, DestroyIcon.
    ~CKtvPUserTool() override;
    CKtvPUserTool(const CKtvPUserTool&) = delete;
    CKtvPUserTool& operator=(const CKtvPUserTool&) = delete;
    void Serialize(CArchive& ar) override;
    virtual BOOL Invoke();
    virtual HICON LoadIcon();
    virtual HICON LoadDefaultIcon();
    virtual void DestroyIcon();

    void SetCommand(LPCTSTR lpszCmd);
    const CString& GetCommand() const { return m_strCommand; }
    void DrawToolIcon(CDC* pDC, const CRect& rectImage);
    BOOL CopyIconToClipboard();

    // Fields, in declared order.
    CString m_strLabel;
    CString m_strArguments;
    CString m_strInitialDirectory;
    UINT m_uiCmdId = 0;

    HICON GetIcon() const { return m_hIcon; }

protected:
    CString m_strCommand;                  // changed only through SetCommand
    HICON m_hIcon = nullptr;

private:
    // Starts the command; FALSE with the system's reason in GetLastError.
    BOOL RunCommand();
};

class CKtvPUserToolsManager : public CObject {
public:
    CKtvPUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast, CRuntimeClass* pToolRTC,
                          UINT uArgMenuID = 0, UINT uInitDirMenuID = 0);
    ~CKtvPUserToolsManager() override;
    CKtvPUserToolsManager(const CKtvPUserToolsManager&) = delete;
    CKtvPUserToolsManager& operator=(const CKtvPUserToolsManager&) = delete;

    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);
    CKtvPUserTool* CreateNewTool();
    BOOL RemoveTool(CKtvPUserTool* pTool);
    BOOL MoveToolUp(CKtvPUserTool* pTool);
    BOOL MoveToolDown(CKtvPUserTool* pTool);
    CKtvPUserTool* FindTool(UINT uiCmdId) const;
    BOOL InvokeTool(UINT uiCmdId);

    const CObList& GetUserTools() const { return m_lstUserTools; }
    UINT GetToolsEntryCmd() const { return m_uiCmdToolsDummy; }
    UINT GetFirstCmdId() const { return m_uiCmdFirst; }
    UINT GetLastCmdId() const { return m_uiCmdLast; }
    CRuntimeClass* GetToolRuntimeClass() const { return m_pToolRTC; }
    const CString& GetFilter() const { return m_strFilter; }
    const CString& GetDefExt() const { return m_strDefExt; }
    UINT GetArgumentsMenuID() const { return m_uiArgumentsMenu; }
    UINT GetInitialDirMenuID() const { return m_uiInitialDirMenu; }

    // Fields, in declared order.
    CObList m_lstUserTools;                // owned, in menu order
    UINT m_uiCmdToolsDummy = 0;            // the placeholder item of the Tools menu
    UINT m_uiCmdFirst = 0;
    UINT m_uiCmdLast = 0;
    CRuntimeClass* m_pToolRTC = nullptr;
    CString m_strFilter;                   // string 16023
    CString m_strDefExt;
    UINT m_uiArgumentsMenu = 0;
    UINT m_uiInitialDirMenu = 0;

private:
    BOOL MoveTool(CKtvPUserTool* pTool, BOOL bUp);

    // Set when the stored tools could not be read: they stay stored until the
    // user changes the list.
    BOOL m_bKeepStoredTools = FALSE;
};

// NULL unless the application enables user tools.
extern CKtvPUserToolsManager* g_pUserToolsManager;
