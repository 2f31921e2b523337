#include "ui/commandbars/KtvPTearOffManager.h"

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/win32/menu/winmenu.h"
#include "ui/frames/KtvPGlobalData.h"

CKtvPTearOffManager* g_pTearOffMenuManager = nullptr;

namespace {

constexpr TCHAR kTagMark = 1;
constexpr int kMaxLabel = 256;

CString MenuLabelAt(HMENU hMenu, int iPos)
{
    TCHAR szLabel[kMaxLabel] = {};
    ::GetMenuString(hMenu, static_cast<UINT>(iPos), szLabel, kMaxLabel, MF_BYPOSITION);
    return CString(szLabel);
}

}  // namespace

CKtvPTearOffManager::CKtvPTearOffManager() = default;
CKtvPTearOffManager::~CKtvPTearOffManager() = default;

BOOL CKtvPTearOffManager::Initialize(UINT uiTearOffMenuFirst, UINT uiTearOffMenuLast)
{
    m_arTearOffIDsUsage.RemoveAll();
    m_uiTearOffMenuFirst = 0;
    m_uiTearOffMenuLast = 0;
    if (uiTearOffMenuFirst == 0 || uiTearOffMenuFirst > uiTearOffMenuLast)
        return FALSE;
    m_uiTearOffMenuFirst = uiTearOffMenuFirst;
    m_uiTearOffMenuLast = uiTearOffMenuLast;
    m_arTearOffIDsUsage.SetSize(static_cast<INT_PTR>(uiTearOffMenuLast - uiTearOffMenuFirst) + 1);
    return TRUE;
}

BOOL CKtvPTearOffManager::IsInRange(UINT uiId) const
{
    return m_uiTearOffMenuFirst != 0 && uiId >= m_uiTearOffMenuFirst && uiId <= m_uiTearOffMenuLast &&
           static_cast<INT_PTR>(uiId - m_uiTearOffMenuFirst) < m_arTearOffIDsUsage.GetSize();
}

void CKtvPTearOffManager::Build(UINT uiTearOffBarID, CString& strText)
{
    CString strTagged;
    strTagged.Format(_T("%c%d%c%s"), kTagMark, static_cast<int>(uiTearOffBarID), kTagMark,
                     static_cast<LPCTSTR>(strText));
    strText = strTagged;
}

UINT CKtvPTearOffManager::Parse(CString& str)
{
    if (str.IsEmpty() || str[0] != kTagMark)
        return 0;
    const UINT uiId = static_cast<UINT>(atol(static_cast<LPCTSTR>(str) + 1));
    str = str.Mid(str.ReverseFind(kTagMark) + 1);
    return uiId;
}

UINT CKtvPTearOffManager::GetFreeTearOffID()
{
    if (m_uiTearOffMenuFirst == 0 || m_uiTearOffMenuLast == 0)
        return 0;
    for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); i++) {
        if (m_arTearOffIDsUsage[i] == 0) {
            m_arTearOffIDsUsage[i] = 1;
            return m_uiTearOffMenuFirst + static_cast<UINT>(i);
        }
    }
    return 0;
}

void CKtvPTearOffManager::SetInUse(UINT uiCmdId, BOOL bUse)
{
    if (!IsInRange(uiCmdId))
        return;
    int& nUses = m_arTearOffIDsUsage[static_cast<INT_PTR>(uiCmdId - m_uiTearOffMenuFirst)];
    if (bUse)
        nUses++;
    else if (nUses > 0)
        nUses--;
}

void CKtvPTearOffManager::Reset(HMENU hMenu)
{
    if (hMenu == nullptr) {
        for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); i++)
            m_arTearOffIDsUsage[i] = 0;
        return;
    }
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        CString strLabel = MenuLabelAt(hMenu, i);
        const UINT uiId = Parse(strLabel);
        if (IsInRange(uiId))
            m_arTearOffIDsUsage[static_cast<INT_PTR>(uiId - m_uiTearOffMenuFirst)] = 0;
        if (HMENU hSubMenu = ::GetSubMenu(hMenu, i))
            Reset(hSubMenu);
    }
}

void CKtvPTearOffManager::SetupTearOffMenus(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu == nullptr)
            continue;
        CString strLabel = MenuLabelAt(hMenu, i);
        const BOOL bWantsTearOff = (::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_MENUBARBREAK) != 0;
        if (bWantsTearOff && (strLabel.IsEmpty() || strLabel[0] != kTagMark)) {
            const UINT uiId = GetFreeTearOffID();
            if (uiId == 0)
                return;  // no id left for anything below either
            Build(uiId, strLabel);
            ::ModifyMenu(hMenu, static_cast<UINT>(i), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(hSubMenu),
                         strLabel);
        }
        SetupTearOffMenus(hSubMenu);
    }
}

// --- menu sounds -------------------------------------------------------------------

BOOL CKtvPMenuSound::m_bEnabled = TRUE;
std::atomic<int> CKtvPMenuSound::m_nSound{CKtvPMenuSound::ktvpSoundNotPlaying};
std::atomic<CKtvPMenuSound::PlayFunction> CKtvPMenuSound::m_pfnPlaySound{&::PlaySound};

namespace {

// Never destroyed: a worker still waiting at process exit must find its
// mutex and condition alive. The library clean-up ends and joins it.
struct MenuSoundWorker {
    std::mutex mutex;
    std::condition_variable wake;
    std::thread thread;
    bool bRunning = false;  // started and not told to stop
};

MenuSoundWorker& SoundWorker()
{
    static MenuSoundWorker* pWorker = new MenuSoundWorker;
    return *pWorker;
}

void PlayAlias(LPCSTR pszAlias)
{
    // Without a sound device or a sound set for the alias nothing plays, and that is all.
    CKtvPMenuSound::m_pfnPlaySound.load()(pszAlias, nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
}

void RunSoundWorker()
{
    MenuSoundWorker& worker = SoundWorker();
    std::unique_lock lock(worker.mutex);
    for (;;) {
        worker.wake.wait(lock, [] { return CKtvPMenuSound::m_nSound.load() != CKtvPMenuSound::ktvpSoundIdle; });
        const int nSound = CKtvPMenuSound::m_nSound.exchange(CKtvPMenuSound::ktvpSoundIdle);
        if (nSound == CKtvPMenuSound::ktvpSoundTerminate) {
            CKtvPMenuSound::m_nSound = CKtvPMenuSound::ktvpSoundNotPlaying;
            break;
        }
        if (nSound != CKtvPMenuSound::ktvpSoundMenuCommand && nSound != CKtvPMenuSound::ktvpSoundMenuPopup)
            continue;
        lock.unlock();
        PlayAlias(nSound == CKtvPMenuSound::ktvpSoundMenuCommand ? "MenuCommand" : "MenuPopup");
        lock.lock();
    }
    lock.unlock();
    CKtvPMenuSound::m_pfnPlaySound.load()(nullptr, nullptr, SND_PURGE);
}

// Under the worker's mutex.
void StopWorkerLocked(MenuSoundWorker& worker)
{
    if (!worker.bRunning)
        return;
    worker.bRunning = false;
    CKtvPMenuSound::m_nSound = CKtvPMenuSound::ktvpSoundTerminate;
    worker.wake.notify_one();
}

}  // namespace

void CKtvPMenuSound::PlayMenuSound(int nSound)
{
    if (!m_bEnabled)
        return;
    MenuSoundWorker& worker = SoundWorker();
    std::thread ended;
    {
        std::lock_guard lock(worker.mutex);
        if (nSound == ktvpSoundTerminate) {
            StopWorkerLocked(worker);
            return;
        }
        if (nSound != ktvpSoundMenuCommand && nSound != ktvpSoundMenuPopup)
            return;
        if (!worker.bRunning)
            ended = std::move(worker.thread);
    }
    // A worker told to stop has nothing left to do but end; it needs the mutex for that.
    if (ended.joinable())
        ended.join();
    std::lock_guard lock(worker.mutex);
    if (!worker.bRunning) {
        try {
            worker.thread = std::thread(RunSoundWorker);
        } catch (const std::system_error&) {
            return;  // no sound now; the next request tries again
        }
        worker.bRunning = true;
        KtvAddCleanUpStep(&CKtvPMenuSound::Terminate);
        // A process that ends without the library's clean-up still ends the
        // worker first: playing while the sound system's state is destroyed
        // crashed at exit. The sound system is touched before the exit hook is
        // registered, so its state is destroyed after the hook has run.
        static const bool s_bExitHook = [] {
            ::PlaySound(nullptr, nullptr, SND_PURGE);
            return std::atexit([] { CKtvPMenuSound::Terminate(); }) == 0;
        }();
        (void)s_bExitHook;
    }
    m_nSound = nSound;
    worker.wake.notify_one();
}

void CKtvPMenuSound::Terminate()
{
    MenuSoundWorker& worker = SoundWorker();
    std::thread ending;
    {
        std::lock_guard lock(worker.mutex);
        StopWorkerLocked(worker);
        ending = std::move(worker.thread);
    }
    if (ending.joinable())
        ending.join();
}
