// The user's keyboard shortcuts: one accelerator table per multi-document
// template and one on the main frame, stored and restored through the
// library's registry class, replaced when the Keyboard page edits them and
// reset from the resources; and the answers to "which key runs this
// command" and "is this key bound in that frame".
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/win32/menu/winmenu.h"

class CFrameWnd;
class CMultiDocTemplate;

class CKtvPKeyboardManager : public CObject {
public:
    // The new object becomes g_pKeyboardManager; the destructor clears it.
    CKtvPKeyboardManager();
    ~CKtvPKeyboardManager() override;

    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
    BOOL UpdateAcceleratorTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                CFrameWnd* pDefaultFrame = nullptr);
    void ResetAll();

    BOOL SetAccelTable(CMultiDocTemplate* pTemplate, HACCEL hAccelNew, CFrameWnd* pFrame);
    BOOL LoadAcceleratorState(LPCTSTR lpszProfileName, UINT uiResId, HACCEL& hAccelTable);
    BOOL SaveAcceleratorState(LPCTSTR lpszProfileName, UINT uiResId, HACCEL hAccelTable);

    static BOOL FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    static BOOL IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    static UINT TranslateCharToUpper(const UINT nChar);
    // Frees the look-up caches; the library's clean-up calls it.
    static void CleanUp();

    // Look-up caches: an owned copy of a table's entries, their count and the
    // handle of the table they were copied from; one for the default frame.
    static LPACCEL m_lpAccelDefault;
    static int m_nAccelDefaultSize;
    static HACCEL m_hAccelDefaultLast;
    static LPACCEL m_lpAccel;
    static int m_nAccelSize;
    static HACCEL m_hAccelLast;
};

// The one keyboard manager; NULL until the workspace makes it.
extern CKtvPKeyboardManager* g_pKeyboardManager;
