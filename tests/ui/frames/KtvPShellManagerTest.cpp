// The shell manager's item-id lists and folder browser, the rebar band
// layout kept with the workspace state, and the font entries' display names.
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CFrameWnd.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/frames/KtvPFontDesc.h"
#include "ui/frames/KtvPRebarState.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPShellManager.h"

namespace {

namespace fs = std::filesystem;

// A list of items of the given sizes, each filled with its own index, as
// the allocator would hand it out.
std::vector<BYTE> MakeList(const std::vector<USHORT>& sizes)
{
    std::vector<BYTE> bytes;
    for (size_t i = 0; i < sizes.size(); i++) {
        const USHORT cb = sizes[i];
        bytes.push_back(static_cast<BYTE>(cb & 0xFF));
        bytes.push_back(static_cast<BYTE>(cb >> 8));
        bytes.insert(bytes.end(), cb - 2u, static_cast<BYTE>(i + 1));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& bytes)
{
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

std::vector<BYTE> BytesOf(CKtvPShellManager& shell, LPCITEMIDLIST pidl)
{
    const auto* p = reinterpret_cast<const BYTE*>(pidl);
    return std::vector<BYTE>(p, p + shell.GetItemSize(pidl));
}

class KtvPShellManagerTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        shell = std::make_unique<CKtvPShellManager>();
    }
    void TearDown() override
    {
        shell.reset();
        HeadlessWindowTest::TearDown();
    }
    std::unique_ptr<CKtvPShellManager> shell;
};

TEST_F(KtvPShellManagerTest, IsTheOneShellManagerWhileItLives)
{
    EXPECT_EQ(g_pShellManager, shell.get());
    ASSERT_NE(shell->m_pMalloc, nullptr);
    shell.reset();
    EXPECT_EQ(g_pShellManager, nullptr);
}

TEST_F(KtvPShellManagerTest, ListSizesCountEveryItemAndTheClosingZero)
{
    const std::vector<BYTE> list = MakeList({20, 14});
    EXPECT_EQ(shell->GetItemSize(AsList(list)), 36u);
    EXPECT_EQ(shell->GetItemSize(AsList(MakeList({}))), 2u);
    EXPECT_EQ(shell->GetItemSize(nullptr), 0u);

    LPITEMIDLIST pSecond = shell->GetNextItem(AsList(list));
    EXPECT_EQ(reinterpret_cast<BYTE*>(pSecond), list.data() + 20);
    EXPECT_EQ(shell->GetItemSize(pSecond), 16u);
    EXPECT_EQ(shell->GetNextItem(nullptr), nullptr);
}

TEST_F(KtvPShellManagerTest, CopiesAndJoinsListsThroughTheAllocator)
{
    const std::vector<BYTE> first = MakeList({6, 4});
    const std::vector<BYTE> second = MakeList({5});

    LPITEMIDLIST pCopy = shell->CopyItem(AsList(first));
    ASSERT_NE(pCopy, nullptr);
    EXPECT_NE(reinterpret_cast<const BYTE*>(pCopy), first.data());
    EXPECT_EQ(BytesOf(*shell, pCopy), first);

    LPITEMIDLIST pJoined = shell->ConcatenateItem(AsList(first), AsList(second));
    ASSERT_NE(pJoined, nullptr);
    std::vector<BYTE> expected(first.begin(), first.end() - 2);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(BytesOf(*shell, pJoined), expected);

    // Without a first list the join is a copy of the second.
    LPITEMIDLIST pAlone = shell->ConcatenateItem(nullptr, AsList(second));
    ASSERT_NE(pAlone, nullptr);
    EXPECT_EQ(BytesOf(*shell, pAlone), second);

    EXPECT_EQ(shell->CopyItem(nullptr), nullptr);
    LPITEMIDLIST pBlank = shell->CreateItem(8);
    ASSERT_NE(pBlank, nullptr);
    EXPECT_EQ(std::vector<BYTE>(reinterpret_cast<BYTE*>(pBlank), reinterpret_cast<BYTE*>(pBlank) + 8),
              std::vector<BYTE>(8, 0));

    for (LPITEMIDLIST pidl : {pCopy, pJoined, pAlone, pBlank})
        shell->FreeItem(pidl);
    shell->FreeItem(nullptr);
}

// The browser opens on the initial folder; keys typed into it choose.
class KtvPShellBrowseTest : public KtvPShellManagerTest {
protected:
    void SetUp() override
    {
        KtvPShellManagerTest::SetUp();
        fs::create_directories("browse/alpha/inner");
        fs::create_directories("browse/beta");
        base = fs::current_path().string() + "/browse";
    }
    std::string base;
};

TEST_F(KtvPShellBrowseTest, StartsAtTheInitialFolderAndAnswersTheChosenOne)
{
    input.KeyStroke(VK_DOWN);
    input.KeyStroke(VK_RETURN);
    CString strFolder = "unchanged";
    int iImage = -1;
    const std::string initial = base + "/alpha";
    ASSERT_TRUE(shell->BrowseForFolder(strFolder, nullptr, initial.c_str(), "Pick", BIF_RETURNONLYFSDIRS, &iImage));
    EXPECT_EQ(std::string(strFolder), base + "/beta");
    EXPECT_GE(iImage, 0);
    EXPECT_EQ(shell->m_lpszInitialPath, nullptr) << "the initial folder is forgotten after the dialog";
}

TEST_F(KtvPShellBrowseTest, CancellingKeepsTheFolder)
{
    input.KeyStroke(VK_ESCAPE);
    CString strFolder = "unchanged";
    const std::string initial = base + "/alpha";
    EXPECT_FALSE(shell->BrowseForFolder(strFolder, nullptr, initial.c_str()));
    EXPECT_STREQ(strFolder, "unchanged");
}

// --- rebar band layout --------------------------------------------------------------------------------

constexpr char kProfile[] = "SOFTWARE\\RebarTest\\";

// A library rebar around the rebar control; the non-client work the real
// bar does is not what these tests are about, so it is left to the control.
class CTestReBar : public CKtvPReBar {
public:
    BOOL CreateIn(CWnd* pParent, UINT nID, int y)
    {
        return CWnd::CreateEx(0, REBARCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS,
                              CRect(0, y, 480, y + 30), pParent, nID);
    }
    void AddBand(UINT nChildId, DWORD fStyle, UINT cx)
    {
        auto* pChild = new CWnd;
        pChild->Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 50, 20), this, nChildId);
        children.emplace_back(pChild);
        REBARBANDINFO band{};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
        band.fStyle = fStyle;
        band.hwndChild = pChild->GetSafeHwnd();
        band.cxMinChild = 40;
        band.cyMinChild = 20;
        band.cx = cx;
        band.wID = nChildId;
        SendMessage(RB_INSERTBAND, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    }
    REBARBANDINFO Band(int nIndex)
    {
        REBARBANDINFO band{};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
        SendMessage(RB_GETBANDINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&band));
        return band;
    }
    std::vector<int> ChildIds()
    {
        std::vector<int> ids;
        for (int i = 0; i < static_cast<int>(SendMessage(RB_GETBANDCOUNT)); i++)
            ids.push_back(::GetDlgCtrlID(Band(i).hwndChild));
        return ids;
    }
    std::vector<std::unique_ptr<CWnd>> children;

protected:
    BOOL OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
    void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
    void OnNcPaint() { Default(); }
    void OnHeightChange(NMHDR*, LRESULT* pResult) { *pResult = 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestReBar, CKtvPReBar)
    ON_WM_NCCREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
    ON_NOTIFY_REFLECT(RBN_ENDDRAG, OnHeightChange)
END_MESSAGE_MAP()

class KtvPRebarStateTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        ::InitCommonControls();
        ktvtest::ForgetKey(kProfile);
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Rebars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 300)));
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        HeadlessWindowTest::TearDown();
    }
    CTestReBar* AddRebar(UINT nID, int y, std::vector<UINT> childIds)
    {
        rebars.push_back(std::make_unique<CTestReBar>());
        CTestReBar* pRebar = rebars.back().get();
        EXPECT_TRUE(pRebar->CreateIn(frame, nID, y));
        for (size_t i = 0; i < childIds.size(); i++)
            pRebar->AddBand(childIds[i], i == 1 ? RBBS_FIXEDSIZE : 0, 100 + 20 * static_cast<UINT>(i));
        return pRebar;
    }
    CString Key(UINT nID)
    {
        CString strKey;
        strKey.Format("%sKtvRebar-%u", kProfile, nID);
        return strKey;
    }
    CFrameWnd* frame = nullptr;
    std::vector<std::unique_ptr<CTestReBar>> rebars;
};

TEST_F(KtvPRebarStateTest, StoresOneRecordAndOneChildIdPerBand)
{
    AddRebar(400, 0, {301, 302, 303});
    ASSERT_TRUE(CKtvPRebarState::SaveRebarState(kProfile, frame));

    const auto ids = ktvtest::StoredHex(Key(400), "IDs");
    EXPECT_EQ(ids, "2d 01 00 00 2e 01 00 00 2f 01 00 00");
    const auto records = ktvtest::StoredHex(Key(400), "RBI");
    ASSERT_TRUE(records.has_value());
    EXPECT_EQ(records->size(), 240u * 3 - 1) << "three 80-byte records";
    // Each record starts with its size 80 and the mask of the stored fields.
    EXPECT_EQ(records->substr(0, 23), "50 00 00 00 61 0b 00 00");
}

TEST_F(KtvPRebarStateTest, ReloadingPutsSwappedBandsBackInOrderAndSize)
{
    CTestReBar* pRebar = AddRebar(400, 0, {301, 302, 303});
    const REBARBANDINFO fixedBefore = pRebar->Band(1);
    ASSERT_TRUE(CKtvPRebarState::SaveRebarState(kProfile, frame));

    pRebar->SendMessage(RB_MOVEBAND, 0, 2);
    REBARBANDINFO resize{};
    resize.cbSize = sizeof resize;
    resize.fMask = RBBIM_SIZE;
    resize.cx = 333;
    pRebar->SendMessage(RB_SETBANDINFO, 0, reinterpret_cast<LPARAM>(&resize));
    ASSERT_EQ(pRebar->ChildIds(), (std::vector<int>{302, 303, 301}));

    ASSERT_TRUE(CKtvPRebarState::LoadRebarState(kProfile, frame));
    EXPECT_EQ(pRebar->ChildIds(), (std::vector<int>{301, 302, 303}));
    EXPECT_EQ(pRebar->Band(0).cx, 100u);
    EXPECT_EQ(pRebar->Band(2).cx, 140u);
    // A fixed-size band is stored 4 wider than it reports its minimum.
    EXPECT_EQ(pRebar->Band(1).cxMinChild, fixedBefore.cxMinChild + 4);
    EXPECT_EQ(pRebar->Band(1).hwndChild, fixedBefore.hwndChild) << "children stay where they are";
}

TEST_F(KtvPRebarStateTest, DamagedOrMismatchedStateLeavesThatRebarAloneAndTheWalkGoesOn)
{
    CTestReBar* pDamaged = AddRebar(400, 0, {301, 302});
    CTestReBar* pUnsaved = AddRebar(401, 40, {311, 312});
    CTestReBar* pGood = AddRebar(402, 80, {321, 322});
    ASSERT_TRUE(CKtvPRebarState::SaveRebarState(kProfile, frame));
    ktvtest::ForgetKey(Key(401));
    // "IDs" names two bands but "RBI" holds one record only.
    const std::string oneRecord = ktvtest::StoredHex(Key(400), "RBI")->substr(0, 239);
    ktvtest::StoreHex(Key(400), "RBI", oneRecord);

    for (CTestReBar* pRebar : {pDamaged, pUnsaved, pGood})
        pRebar->SendMessage(RB_MOVEBAND, 0, 1);
    ASSERT_TRUE(CKtvPRebarState::LoadRebarState(kProfile, frame));
    EXPECT_EQ(pDamaged->ChildIds(), (std::vector<int>{302, 301}));
    EXPECT_EQ(pUnsaved->ChildIds(), (std::vector<int>{312, 311}));
    EXPECT_EQ(pGood->ChildIds(), (std::vector<int>{321, 322})) << "a rebar after one without state still loads";
}

TEST_F(KtvPRebarStateTest, ARecordAskingForAChildOrTextIsAppliedWithoutThem)
{
    CTestReBar* pRebar = AddRebar(400, 0, {301});
    ASSERT_TRUE(CKtvPRebarState::SaveRebarState(kProfile, frame));
    // The mask of the stored record claims text and child fields (0x0B75).
    std::string record = *ktvtest::StoredHex(Key(400), "RBI");
    record.replace(12, 5, "75 0b");
    ktvtest::StoreHex(Key(400), "RBI", record);
    const HWND hwndChild = pRebar->Band(0).hwndChild;

    ASSERT_TRUE(CKtvPRebarState::LoadRebarState(kProfile, frame));
    EXPECT_EQ(pRebar->Band(0).hwndChild, hwndChild);
    EXPECT_EQ(pRebar->ChildIds(), std::vector<int>{301});
}

TEST_F(KtvPRebarStateTest, AFrameWithoutRebarsWritesNothing)
{
    ASSERT_TRUE(CKtvPRebarState::SaveRebarState(kProfile, frame));
    CKtvPRegistry reg(FALSE, TRUE);
    EXPECT_FALSE(reg.Open(kProfile));
}

// --- font names -----------------------------------------------------------------------------------------

TEST(KtvPFontDesc, FullNameAddsTheScriptOnlyWhenThereIsOne)
{
    EXPECT_STREQ(CKtvPFontDesc("Arial", "Western", TRUETYPE_FONTTYPE, 0, 0).GetFullName(), "Arial (Western)");
    EXPECT_STREQ(CKtvPFontDesc("Arial", "", TRUETYPE_FONTTYPE, 0, 0).GetFullName(), "Arial");
}

}  // namespace
