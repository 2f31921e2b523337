// Ids of torn-off menu bars, tagged into sub-menu labels, and the sounds of
// opening a menu and running a command, played by one worker thread.
#pragma once

#include <atomic>

#include "platform/mfc/CArray.h"
#include "platform/mfc/CString.h"
#include "platform/shell/mmsystem.h"

class CKtvPTearOffManager {
public:
    CKtvPTearOffManager();
    virtual ~CKtvPTearOffManager();
    CKtvPTearOffManager(const CKtvPTearOffManager&) = delete;
    CKtvPTearOffManager& operator=(const CKtvPTearOffManager&) = delete;

    // The ids the manager hands out, first to last inclusive, all free. FALSE
    // (and no range) when first is 0 or after last.
    BOOL Initialize(UINT uiTearOffMenuFirst, UINT uiTearOffMenuLast);

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

private:
    BOOL IsInRange(UINT uiId) const;
};

// NULL unless the application installs a tear-off manager.
extern CKtvPTearOffManager* g_pTearOffMenuManager;

class CKtvPMenuSound {
public:
    enum { ktvpSoundNotPlaying = -2, ktvpSoundIdle = 0, ktvpSoundMenuCommand = 1, ktvpSoundMenuPopup = 2,
           ktvpSoundTerminate = -1 };

    // 1 command, 2 popup: the worker plays it (a request still pending is
    // replaced); -1 stops the worker, the next request starts a new one.
    static void PlayMenuSound(int nSound);
    // Stops the worker and waits for its end (the library clean-up).
    static void Terminate();

    static BOOL m_bEnabled;
    // The request the worker reads; ktvpSoundNotPlaying while there is no worker.
    static std::atomic<int> m_nSound;
    // What the worker plays sounds with; tests put a recorder here.
    using PlayFunction = BOOL (*)(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);
    static std::atomic<PlayFunction> m_pfnPlaySound;
};
