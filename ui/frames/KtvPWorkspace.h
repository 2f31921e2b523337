// The application object's second base: it owns where and in which order the
// library's whole user-interface state is loaded and saved, the main window's
// placement, single settings for the program's options, and the creation of
// the process-wide managers.
#pragma once

#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/win32/user/winuser.h"

class CFrameWnd;
class CWnd;
struct CRuntimeClass;
class CKtvPContextMenuManager;
class CKtvPFrameImpl;
class CKtvPFrameWnd;
class CKtvPMDIFrameWnd;
class CKtvPMouseManager;

// While FALSE, giving a toolbar button a standard image does not record the
// command's image; the workspace clears it during a smart-update load.
extern BOOL g_bKtvRegisterCmdImages;
// While TRUE every dock manager skips its layout passes: toolbars are loading.
extern BOOL g_bKtvLoadingBars;

class CKtvPWorkspace {
public:
    explicit CKtvPWorkspace(BOOL bResourceSmartUpdate = FALSE);
    // Deletes the managers it created, in the order keyboard, context menu,
    // mouse, user tools, shell.
    virtual ~CKtvPWorkspace();

    // --- virtual operations, in slot order -----------------------------------------------------
    virtual void OnReservedWorkspaceHook(void* pArg);
    virtual BOOL LoadState(LPCTSTR lpszSectionName = nullptr, CKtvPFrameImpl* pFrameImpl = nullptr);
    virtual BOOL CleanState(LPCTSTR lpszSectionName = nullptr);
    virtual BOOL SaveState(LPCTSTR lpszSectionName = nullptr, CKtvPFrameImpl* pFrameImpl = nullptr);
    virtual BOOL OnViewDoubleClick(CWnd* pWnd, int iViewId);
    virtual BOOL ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd);
    virtual BOOL OnAppContextHelp(CWnd* pWndControl, const DWORD dwHelpIDArray[]);
    virtual BOOL OnClosingMainFrame(CKtvPFrameImpl* pFrameImpl);
    virtual void PreLoadState();
    virtual void LoadCustomState();
    virtual void PreSaveState();
    virtual void SaveCustomState();
    virtual BOOL LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd);
    virtual BOOL StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd);

    // --- sections and managers -------------------------------------------------------------------
    LPCTSTR SetRegistryBase(LPCTSTR lpszSectionName);
    BOOL InitShellManager();
    BOOL InitMouseManager();
    BOOL InitContextMenuManager();
    BOOL InitKeyboardManager();
    BOOL EnableUserTools(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast, CRuntimeClass* pToolRTC,
                         UINT uArgMenuID = 0, UINT uInitDirMenuID = 0);
    CKtvPMouseManager* GetMouseManager();
    CKtvPContextMenuManager* GetContextMenuManager();
    CString GetRegSectionPath(LPCTSTR szSectionAdd = "");
    BOOL LoadStateOfMDIFrame(CKtvPMDIFrameWnd& frame, LPCTSTR lpszSectionName = nullptr);
    BOOL LoadStateOfFrame(CKtvPFrameWnd& frame, LPCTSTR lpszSectionName = nullptr);

    int GetSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nDefault = 0);
    CString GetSectionString(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = "");
    BOOL WriteSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nValue);
    BOOL WriteSectionString(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

    // The library version stored with the loaded state; -1 before any.
    int GetDataVersionMajor() const { return m_nLoadedVersionMajor; }
    int GetDataVersionMinor() const { return m_nLoadedVersionMinor; }
    BOOL IsResourceSmartUpdate() const { return m_bResourceSmartUpdate; }

    BOOL m_bWithUserToolbars;
    CString m_strSettingsSection;
    BOOL m_bKeyboardManagerCreated;
    BOOL m_bContextMenuManagerCreated;
    BOOL m_bMouseManagerCreated;
    BOOL m_bUserToolsManagerCreated;
    BOOL m_bShellManagerCreated;
    int m_nLoadedVersionMajor;
    int m_nLoadedVersionMinor;
    BOOL m_bOwnFrameToolbarsOnly;
    BOOL m_bSaveState;
    BOOL m_bResourceSmartUpdate;
    BOOL m_bForceRelayout;
};

// The one workspace of the process; NULL before it is made and after it is gone.
CKtvPWorkspace* KtvGetWorkspace();
