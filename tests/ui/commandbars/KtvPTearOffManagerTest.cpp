// Tear-off ids in sub-menu labels, their use counts, and the menu-sound worker.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/menu/winmenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"

namespace {

const std::string kTag(1, '\x01');

// --- labels and ids -----------------------------------------------------------------

TEST(TearOffLabels, TheIdTravelsBetweenTwoCodeOnesBeforeTheLabel)
{
    CString strLabel("Tools");
    CKtvPTearOffManager::Build(1234, strLabel);
    EXPECT_EQ(std::string(strLabel.GetString()), kTag + "1234" + kTag + "Tools");

    struct Case {
        std::string label;
        UINT id;
        std::string left;
    };
    const Case cases[] = {
        {kTag + "1234" + kTag + "Tools", 1234, "Tools"},
        {"Tools", 0, "Tools"},
        {"", 0, ""},
        {kTag + "77", 77, "77"},
        {kTag + "5" + kTag + "a" + kTag + "b", 5, "b"},
    };
    for (const auto& c : cases) {
        CString str(c.label.c_str());
        EXPECT_EQ(CKtvPTearOffManager::Parse(str), c.id) << c.label;
        EXPECT_EQ(std::string(str.GetString()), c.left) << c.label;
    }
}

TEST(TearOffIds, IdsAreHandedOutFromTheRangeAndGivenBack)
{
    CKtvPTearOffManager manager;
    EXPECT_EQ(manager.GetFreeTearOffID(), 0u);  // no range
    EXPECT_FALSE(manager.Initialize(0, 5));
    EXPECT_FALSE(manager.Initialize(102, 100));
    ASSERT_TRUE(manager.Initialize(100, 102));
    EXPECT_EQ(manager.GetFreeTearOffID(), 100u);
    EXPECT_EQ(manager.GetFreeTearOffID(), 101u);
    EXPECT_EQ(manager.GetFreeTearOffID(), 102u);
    EXPECT_EQ(manager.GetFreeTearOffID(), 0u);

    manager.SetInUse(101, FALSE);
    EXPECT_EQ(manager.GetFreeTearOffID(), 101u);

    // Two users hold 100: it is free only after both let go.
    manager.SetInUse(100, TRUE);
    manager.SetInUse(100, FALSE);
    EXPECT_EQ(manager.GetFreeTearOffID(), 0u);
    manager.SetInUse(100, FALSE);
    manager.SetInUse(100, FALSE);  // never below free
    manager.SetInUse(99, TRUE);    // outside the range: ignored
    manager.SetInUse(103, TRUE);
    EXPECT_EQ(manager.GetFreeTearOffID(), 100u);
    EXPECT_EQ(manager.GetFreeTearOffID(), 0u);

    manager.Reset(nullptr);
    EXPECT_EQ(manager.GetFreeTearOffID(), 100u);
}

std::string LabelAt(HMENU hMenu, int pos)
{
    char label[64] = {};
    ::GetMenuString(hMenu, static_cast<UINT>(pos), label, sizeof label, MF_BYPOSITION);
    return label;
}

TEST(TearOffIds, MarkedSubMenusAreTaggedDepthFirstAndResetFreesTheirIds)
{
    HMENU hBar = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    HMENU hTools = ::CreatePopupMenu();
    HMENU hMore = ::CreatePopupMenu();
    ::AppendMenu(hMore, MF_STRING, 10, "Deep");
    ::AppendMenu(hTools, MF_STRING, 11, "Options");
    ::AppendMenu(hTools, MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(hMore), "More");
    ::AppendMenu(hFile, MF_STRING, 12, "Open");
    ::AppendMenu(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hFile), "File");
    ::AppendMenu(hBar, MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(hTools), "Tools");

    CKtvPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize(200, 209));
    manager.SetupTearOffMenus(hBar);
    EXPECT_EQ(LabelAt(hBar, 0), "File");
    EXPECT_EQ(LabelAt(hBar, 1), kTag + "200" + kTag + "Tools");
    EXPECT_EQ(::GetSubMenu(hBar, 1), hTools);
    EXPECT_EQ(LabelAt(hTools, 1), kTag + "201" + kTag + "More");
    EXPECT_EQ(::GetSubMenu(hTools, 1), hMore);

    // Tagged labels keep their ids.
    manager.SetupTearOffMenus(hBar);
    EXPECT_EQ(LabelAt(hBar, 1), kTag + "200" + kTag + "Tools");
    EXPECT_EQ(manager.GetFreeTearOffID(), 202u);

    manager.Reset(hBar);
    EXPECT_EQ(LabelAt(hBar, 1), kTag + "200" + kTag + "Tools");  // the menu is not changed
    EXPECT_EQ(manager.GetFreeTearOffID(), 200u);
    EXPECT_EQ(manager.GetFreeTearOffID(), 201u);
    EXPECT_EQ(manager.GetFreeTearOffID(), 203u);
    ::DestroyMenu(hBar);
}

TEST(TearOffIds, WithoutAFreeIdTheSubMenuStaysUntagged)
{
    HMENU hBar = ::CreateMenu();
    HMENU hTools = ::CreatePopupMenu();
    ::AppendMenu(hBar, MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(hTools), "Tools");
    CKtvPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize(300, 300));
    ASSERT_EQ(manager.GetFreeTearOffID(), 300u);
    manager.SetupTearOffMenus(hBar);
    EXPECT_EQ(LabelAt(hBar, 0), "Tools");
    EXPECT_EQ(::GetSubMenu(hBar, 0), hTools);
    ::DestroyMenu(hBar);
}

// --- menu sounds --------------------------------------------------------------------

// Records what the worker plays; the first play may be held until released.
struct SoundRecorder {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> played;  // "" for the purge at the worker's end
    bool holdFirst = false;
    bool released = false;

    static SoundRecorder& Instance()
    {
        static SoundRecorder recorder;
        return recorder;
    }

    static BOOL Play(LPCSTR pszSound, HMODULE, DWORD fdwSound)
    {
        SoundRecorder& r = Instance();
        std::unique_lock lock(r.mutex);
        const bool purge = pszSound == nullptr;
        EXPECT_EQ(fdwSound, purge ? static_cast<DWORD>(SND_PURGE) : static_cast<DWORD>(0x12002));
        r.played.emplace_back(purge ? "" : pszSound);
        r.changed.notify_all();
        if (!purge && r.holdFirst && r.played.size() == 1)
            r.changed.wait(lock, [&r] { return r.released; });
        return FALSE;  // as without a sound device
    }

    // Waits (up to 10 s) until n sounds were recorded.
    std::vector<std::string> WaitFor(size_t n)
    {
        std::unique_lock lock(mutex);
        changed.wait_for(lock, std::chrono::seconds(10), [&] { return played.size() >= n; });
        return played;
    }

    void Release()
    {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
};

class MenuSoundTest : public testing::Test {
protected:
    void SetUp() override
    {
        SoundRecorder& r = SoundRecorder::Instance();
        std::lock_guard lock(r.mutex);
        r.played.clear();
        r.holdFirst = false;
        r.released = false;
        CKtvPMenuSound::m_pfnPlaySound = &SoundRecorder::Play;
    }
    void TearDown() override
    {
        SoundRecorder::Instance().Release();
        CKtvPMenuSound::Terminate();
        CKtvPMenuSound::m_pfnPlaySound = &::PlaySound;
        CKtvPMenuSound::m_bEnabled = TRUE;
    }

    static void WaitUntilNoWorker()
    {
        for (int i = 0; i < 1000 && CKtvPMenuSound::m_nSound != CKtvPMenuSound::ktvpSoundNotPlaying; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
};

TEST_F(MenuSoundTest, RequestsWhileASoundPlaysCollapseIntoTheLastOne)
{
    SoundRecorder& r = SoundRecorder::Instance();
    r.holdFirst = true;
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuCommand);
    ASSERT_EQ(r.WaitFor(1), std::vector<std::string>{"MenuCommand"});
    for (int i = 0; i < 50; i++)
        CKtvPMenuSound::PlayMenuSound(i % 2 ? CKtvPMenuSound::ktvpSoundMenuPopup : CKtvPMenuSound::ktvpSoundMenuCommand);
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuPopup);
    r.Release();
    EXPECT_EQ(r.WaitFor(2), (std::vector<std::string>{"MenuCommand", "MenuPopup"}));
    CKtvPMenuSound::Terminate();
    EXPECT_EQ(r.WaitFor(3), (std::vector<std::string>{"MenuCommand", "MenuPopup", ""}));
    EXPECT_EQ(CKtvPMenuSound::m_nSound, CKtvPMenuSound::ktvpSoundNotPlaying);
}

TEST_F(MenuSoundTest, AStopEndsTheWorkerAndTheNextRequestStartsAnother)
{
    SoundRecorder& r = SoundRecorder::Instance();
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuPopup);
    ASSERT_EQ(r.WaitFor(1).size(), 1u);
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundTerminate);
    WaitUntilNoWorker();
    EXPECT_EQ(CKtvPMenuSound::m_nSound, CKtvPMenuSound::ktvpSoundNotPlaying);
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundTerminate);  // nothing to stop

    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuCommand);
    EXPECT_EQ(r.WaitFor(3), (std::vector<std::string>{"MenuPopup", "", "MenuCommand"}));
}

TEST_F(MenuSoundTest, DisabledSoundsStartNoWorker)
{
    CKtvPMenuSound::m_bEnabled = FALSE;
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuPopup);
    EXPECT_EQ(CKtvPMenuSound::m_nSound, CKtvPMenuSound::ktvpSoundNotPlaying);
    EXPECT_TRUE(SoundRecorder::Instance().played.empty());
}

TEST_F(MenuSoundTest, WithoutASoundDeviceRequestsDoNoHarm)
{
    setenv("SDL_AUDIODRIVER", "tw-no-such-driver", 1);
    CKtvPMenuSound::m_pfnPlaySound = &::PlaySound;
    for (int i = 0; i < 20; i++)
        CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuPopup);
    CKtvPMenuSound::Terminate();
    EXPECT_EQ(CKtvPMenuSound::m_nSound, CKtvPMenuSound::ktvpSoundNotPlaying);
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
