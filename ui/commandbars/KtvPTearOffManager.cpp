#include "ui/commandbars/KtvPTearOffManager.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPTearOffManager* g_pTearOffMenuManager = nullptr;

CKtvPTearOffManager::CKtvPTearOffManager() = default;
CKtvPTearOffManager::~CKtvPTearOffManager() = default;

void CKtvPTearOffManager::Build(UINT, CString&) { KTVP_NOT_BUILT("CKtvPTearOffManager::Build"); }

UINT CKtvPTearOffManager::Parse(CString&) { KTVP_NOT_BUILT("CKtvPTearOffManager::Parse"); }

UINT CKtvPTearOffManager::GetFreeTearOffID() { KTVP_NOT_BUILT("CKtvPTearOffManager::GetFreeTearOffID"); }

void CKtvPTearOffManager::SetInUse(UINT, BOOL) { KTVP_NOT_BUILT("CKtvPTearOffManager::SetInUse"); }

void CKtvPTearOffManager::Reset(HMENU) { KTVP_NOT_BUILT("CKtvPTearOffManager::Reset"); }

void CKtvPTearOffManager::SetupTearOffMenus(HMENU) { KTVP_NOT_BUILT("CKtvPTearOffManager::SetupTearOffMenus"); }

BOOL CKtvPMenuSound::m_bEnabled = TRUE;
volatile int CKtvPMenuSound::m_nSound = CKtvPMenuSound::ktvpSoundNotPlaying;
HANDLE CKtvPMenuSound::m_hThread = nullptr;
CRITICAL_SECTION* CKtvPMenuSound::m_pcs = nullptr;

void CKtvPMenuSound::PlayMenuSound(int) { KTVP_NOT_BUILT("CKtvPMenuSound::PlayMenuSound"); }
