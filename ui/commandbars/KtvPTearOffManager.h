// Ids of torn-off menu bars, tagged into sub-menu labels, and the sounds of
// opening a menu and running a command, played by one worker thread.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CString.h"
#include "platform/win32/kernel/Sync.h"

class CKtvPTearOffManager {
public:
    CKtvPTearOffManager();
    virtual ~CKtvPTearOffManager();
    CKtvPTearOffManager(const CKtvPTearOffManager&) = delete;
    CKtvPTearOffManager& operator=(const CKtvPTearOffManager&) = delete;

    // The label tag: code 1, the decimal id, code 1, the visible label.
    static void Build(UINT uiTearOffBarID, CString& strText);
    static UINT Parse(CString& str);
    UINT GetFreeTearOffID();
    void SetInUse(UINT uiCmdId, BOOL bUse = TRUE);
    void Reset(HMENU hMenu);
    void SetupTearOffMenus(HMENU hMenu);

    UINT m_uiTearOffMenuFirst = 0;         // 0: no range
    UINT m_uiTearOffMenuLast = 0;
    CArray<int, int> m_arTearOffIDsUsage;  // use count per id of the range
};

// NULL unless the application installs a tear-off manager.
extern CKtvPTearOffManager* g_pTearOffMenuManager;

class CKtvPMenuSound {
public:
    enum { ktvpSoundNotPlaying = -2, ktvpSoundIdle = 0, ktvpSoundMenuCommand = 1, ktvpSoundMenuPopup = 2,
           ktvpSoundTerminate = -1 };

    static void PlayMenuSound(int nSound);

    static BOOL m_bEnabled;
    static volatile int m_nSound;          // the request the worker reads
    static HANDLE m_hThread;
    // Created on first use.
    static CRITICAL_SECTION* m_pcs;
};
