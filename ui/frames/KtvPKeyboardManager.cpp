#include "ui/frames/KtvPKeyboardManager.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPKeyboardManager* g_pKeyboardManager = nullptr;

LPACCEL CKtvPKeyboardManager::m_lpAccelDefault = nullptr;
int CKtvPKeyboardManager::m_nAccelDefaultSize = 0;
HACCEL CKtvPKeyboardManager::m_hAccelDefaultLast = nullptr;
LPACCEL CKtvPKeyboardManager::m_lpAccel = nullptr;
int CKtvPKeyboardManager::m_nAccelSize = 0;
HACCEL CKtvPKeyboardManager::m_hAccelLast = nullptr;

CKtvPKeyboardManager::CKtvPKeyboardManager()
{
    g_pKeyboardManager = this;
}

CKtvPKeyboardManager::~CKtvPKeyboardManager()
{
    if (g_pKeyboardManager == this)
        g_pKeyboardManager = nullptr;
}

BOOL CKtvPKeyboardManager::LoadState(LPCTSTR, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::LoadState");
}

BOOL CKtvPKeyboardManager::SaveState(LPCTSTR, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::SaveState");
}

BOOL CKtvPKeyboardManager::UpdateAcceleratorTable(CMultiDocTemplate*, LPACCEL, int, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::UpdateAcceleratorTable");
}

void CKtvPKeyboardManager::ResetAll()
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::ResetAll");
}

BOOL CKtvPKeyboardManager::SetAccelTable(CMultiDocTemplate*, HACCEL, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::SetAccelTable");
}

BOOL CKtvPKeyboardManager::LoadAcceleratorState(LPCTSTR, UINT, HACCEL&)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::LoadAcceleratorState");
}

BOOL CKtvPKeyboardManager::SaveAcceleratorState(LPCTSTR, UINT, HACCEL)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::SaveAcceleratorState");
}

BOOL CKtvPKeyboardManager::FindDefaultAccelerator(UINT, CString&, CFrameWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::FindDefaultAccelerator");
}

BOOL CKtvPKeyboardManager::IsKeyHandled(WORD, BYTE, CFrameWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::IsKeyHandled");
}

UINT CKtvPKeyboardManager::TranslateCharToUpper(const UINT)
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::TranslateCharToUpper");
}

void CKtvPKeyboardManager::CleanUp()
{
    KTVP_NOT_BUILT("CKtvPKeyboardManager::CleanUp");
}
