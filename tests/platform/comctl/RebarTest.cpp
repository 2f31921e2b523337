#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/comctl/Rebar.h"
#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

constexpr UINT kStoredMask = 0x0B61;  // style, child size, size, id, ideal size, header size

// A rebar across the parent's top with three bands, each holding a static
// child whose control id (301, 302, 303) names it.
class RebarTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        rebar = Make(REBARCLASSNAME, RBS_BANDBORDERS | CCS_NODIVIDER, RECT{0, 0, 480, 30}, 400);
        for (int i = 0; i < 3; ++i) {
            HWND child = Make("Static", 0, RECT{0, 0, 50, 20}, 301 + i);
            REBARBANDINFO band{};
            band.cbSize = sizeof band;
            band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
            band.fStyle = i == 1 ? RBBS_FIXEDSIZE : 0;
            band.hwndChild = child;
            band.cxMinChild = 40;
            band.cyMinChild = 20 + 2 * i;
            band.cx = 100 + 20 * i;
            band.wID = 10 + i;
            ASSERT_TRUE(SendMessage(rebar, RB_INSERTBAND, WPARAM(-1), reinterpret_cast<LPARAM>(&band)));
        }
        Pump();
    }

    REBARBANDINFO Info(UINT index, UINT mask)
    {
        REBARBANDINFO band{};
        band.cbSize = sizeof band;
        band.fMask = mask;
        EXPECT_TRUE(SendMessage(rebar, RB_GETBANDINFO, index, reinterpret_cast<LPARAM>(&band)));
        return band;
    }
    std::vector<int> ChildIds()
    {
        std::vector<int> ids;
        const int count = int(SendMessage(rebar, RB_GETBANDCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            ids.push_back(GetDlgCtrlID(Info(UINT(i), RBBIM_CHILD).hwndChild));
        return ids;
    }

    // The stored layout as the program writes it: one record per band and
    // the children's ids, fixed-size bands with their minimum width plus 4.
    void Save(std::vector<BYTE>& records, std::vector<int>& ids)
    {
        const int count = int(SendMessage(rebar, RB_GETBANDCOUNT, 0, 0));
        records.assign(size_t(count) * kStoredBandInfoSize, 0);
        ids.clear();
        for (int i = 0; i < count; ++i) {
            REBARBANDINFO band = Info(UINT(i), kStoredMask | RBBIM_CHILD);
            if (band.fStyle & RBBS_FIXEDSIZE)
                band.cxMinChild += 4;
            ids.push_back(GetDlgCtrlID(band.hwndChild));
            BYTE record[kStoredBandInfoSize];
            StoreBandInfo(band, record);
            std::memcpy(records.data() + size_t(i) * kStoredBandInfoSize, record, sizeof record);
        }
    }
    void Load(const std::vector<BYTE>& records, const std::vector<int>& ids)
    {
        const int count = int(SendMessage(rebar, RB_GETBANDCOUNT, 0, 0));
        ASSERT_EQ(size_t(count), ids.size());
        ASSERT_EQ(records.size(), ids.size() * kStoredBandInfoSize);
        for (int i = 0; i < count; ++i) {
            for (int j = i; j < count; ++j) {
                if (GetDlgCtrlID(Info(UINT(j), RBBIM_CHILD).hwndChild) != ids[size_t(i)])
                    continue;
                if (j != i) {
                    ASSERT_TRUE(SendMessage(rebar, RB_MOVEBAND, WPARAM(j), i));
                }
                REBARBANDINFO band{};
                ASSERT_TRUE(LoadBandInfo(records.data() + size_t(i) * kStoredBandInfoSize, kStoredBandInfoSize, &band));
                ASSERT_TRUE(SendMessage(rebar, RB_SETBANDINFO, WPARAM(i), reinterpret_cast<LPARAM>(&band)));
                break;
            }
        }
    }

    HWND rebar = nullptr;
};

TEST_F(RebarTest, StoredLayoutRestoresTheOrderAndSizesAfterTheBandsWereMoved)
{
    std::vector<BYTE> records;
    std::vector<int> ids;
    Save(records, ids);
    EXPECT_EQ(records.size(), 240u);
    EXPECT_EQ(ids, (std::vector<int>{301, 302, 303}));
    const UINT firstWidth = Info(0, RBBIM_SIZE).cx;

    ASSERT_TRUE(SendMessage(rebar, RB_MOVEBAND, 0, 2));
    REBARBANDINFO narrower{};
    narrower.cbSize = sizeof narrower;
    narrower.fMask = RBBIM_SIZE;
    narrower.cx = 60;
    SendMessage(rebar, RB_SETBANDINFO, 2, reinterpret_cast<LPARAM>(&narrower));
    EXPECT_EQ(ChildIds(), (std::vector<int>{302, 303, 301}));

    Load(records, ids);
    EXPECT_EQ(ChildIds(), (std::vector<int>{301, 302, 303}));
    EXPECT_EQ(Info(0, RBBIM_SIZE).cx, firstWidth);
    EXPECT_EQ(Info(1, RBBIM_CHILDSIZE).cxMinChild, 44u) << "a fixed-size band's stored width is 4 larger";
    EXPECT_EQ(Info(2, RBBIM_ID).wID, 12u);
    EXPECT_EQ(GetParent(Info(0, RBBIM_CHILD).hwndChild), rebar) << "the children stay in their bands";
}

TEST_F(RebarTest, StoredRecordsHoldThePlatformLayoutWithoutHandles)
{
    REBARBANDINFO band = Info(2, kStoredMask | RBBIM_CHILD);
    BYTE record[kStoredBandInfoSize];
    StoreBandInfo(band, record);
    const auto field = [&](size_t offset) {
        UINT value = 0;
        for (size_t i = 0; i < 4; ++i)
            value |= UINT(record[offset + i]) << (8 * i);
        return value;
    };
    const struct {
        size_t offset;
        UINT expected;
        const char* name;
    } fields[] = {
        {0, 80, "cbSize"},       {4, kStoredMask, "fMask"}, {32, 0, "hwndChild"},
        {36, 40, "cxMinChild"},  {40, 24, "cyMinChild"},    {44, band.cx, "cx"},
        {52, 12, "wID"},         {76, band.cxHeader, "cxHeader"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(field(f.offset), f.expected) << f.name;
}

// A damaged stored value must never hand the control a pointer or handle.
TEST_F(RebarTest, DamagedRecordsAreRefusedOrStrippedOfHandles)
{
    REBARBANDINFO band = Info(0, kStoredMask);
    BYTE good[kStoredBandInfoSize];
    StoreBandInfo(band, good);
    REBARBANDINFO loaded{};
    EXPECT_FALSE(LoadBandInfo(good, kStoredBandInfoSize - 4, &loaded)) << "short value";
    BYTE wrongSize[kStoredBandInfoSize];
    std::memcpy(wrongSize, good, sizeof good);
    wrongSize[0] = 100;
    EXPECT_FALSE(LoadBandInfo(wrongSize, kStoredBandInfoSize, &loaded)) << "another cbSize";

    BYTE forged[kStoredBandInfoSize];
    std::memcpy(forged, good, sizeof good);
    forged[4] |= RBBIM_CHILD | RBBIM_TEXT;
    std::memset(forged + 20, 0xAB, 4);  // lpText
    std::memset(forged + 32, 0xCD, 4);  // hwndChild
    ASSERT_TRUE(LoadBandInfo(forged, kStoredBandInfoSize, &loaded));
    EXPECT_EQ(loaded.cbSize, sizeof(REBARBANDINFO));
    EXPECT_EQ(loaded.fMask, kStoredMask);
    EXPECT_EQ(loaded.hwndChild, nullptr);
    EXPECT_EQ(loaded.lpText, nullptr);
    EXPECT_TRUE(SendMessage(rebar, RB_SETBANDINFO, 0, reinterpret_cast<LPARAM>(&loaded)));
    EXPECT_EQ(GetDlgCtrlID(Info(0, RBBIM_CHILD).hwndChild), 301);
}

TEST_F(RebarTest, BandInfoOfAnUnknownSizeOrIndexFails)
{
    REBARBANDINFO band{};
    band.cbSize = 80 - 4;
    band.fMask = RBBIM_SIZE;
    EXPECT_FALSE(SendMessage(rebar, RB_GETBANDINFO, 0, reinterpret_cast<LPARAM>(&band)));
    EXPECT_FALSE(SendMessage(rebar, RB_SETBANDINFO, 0, reinterpret_cast<LPARAM>(&band)));
    band.cbSize = sizeof band;
    EXPECT_FALSE(SendMessage(rebar, RB_GETBANDINFO, 3, reinterpret_cast<LPARAM>(&band)));
    EXPECT_FALSE(SendMessage(rebar, RB_MOVEBAND, 0, 3));
    EXPECT_EQ(SendMessage(rebar, RB_GETBANDCOUNT, 0, 0), 3);
}

TEST_F(RebarTest, ChildrenSitBesideTheirHeadersAndFollowTheBandsVisibility)
{
    HWND first = Info(0, RBBIM_CHILD).hwndChild;
    RECT bandRect{};
    ASSERT_TRUE(SendMessage(rebar, RB_GETRECT, 0, reinterpret_cast<LPARAM>(&bandRect)));
    RECT child{};
    GetWindowRect(first, &child);
    POINT topLeft{child.left, child.top};
    ScreenToClient(rebar, &topLeft);
    EXPECT_EQ(topLeft.x, bandRect.left + LONG(Info(0, RBBIM_HEADERSIZE).cxHeader));
    EXPECT_EQ(SendMessage(rebar, RB_GETROWCOUNT, 0, 0), 1);

    Clear();
    ASSERT_TRUE(SendMessage(rebar, RB_SHOWBAND, 0, FALSE));
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_TRUE(Info(0, RBBIM_STYLE).fStyle & RBBS_HIDDEN);
    SendMessage(rebar, RB_SHOWBAND, 0, TRUE);
    EXPECT_TRUE(IsWindowVisible(first));

    REBARBANDINFO breakBand{};
    breakBand.cbSize = sizeof breakBand;
    breakBand.fMask = RBBIM_STYLE;
    breakBand.fStyle = RBBS_BREAK;
    SendMessage(rebar, RB_SETBANDINFO, 2, reinterpret_cast<LPARAM>(&breakBand));
    EXPECT_EQ(SendMessage(rebar, RB_GETROWCOUNT, 0, 0), 2);
    EXPECT_TRUE(std::find(codes.begin(), codes.end(), RBN_HEIGHTCHANGE) != codes.end());
    RECT window{};
    GetClientRect(rebar, &window);
    EXPECT_EQ(window.bottom, SendMessage(rebar, RB_GETBARHEIGHT, 0, 0)) << "the rebar grows to its rows";
}

TEST_F(RebarTest, TheChildrensNotificationsGoToTheWindowSetAsParent)
{
    int commands = 0;
    onMessage = [&](UINT message, WPARAM wParam, LPARAM, LRESULT*) {
        if (message == WM_COMMAND && LOWORD(wParam) == 301)
            ++commands;
        return false;
    };
    HWND child = Info(0, RBBIM_CHILD).hwndChild;
    SendMessage(rebar, WM_COMMAND, MAKEWPARAM(301, BN_CLICKED), reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(commands, 1);

    HWND other = Make("Static", 0, RECT{0, 100, 10, 110}, 500);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(rebar, RB_SETPARENT, reinterpret_cast<WPARAM>(other), 0)), parent);
    Clear();
    SendMessage(rebar, WM_COMMAND, MAKEWPARAM(301, BN_CLICKED), reinterpret_cast<LPARAM>(child));
    SendMessage(rebar, RB_SHOWBAND, 0, FALSE);
    EXPECT_EQ(commands, 1) << "the commands went to the new parent";
    EXPECT_TRUE(codes.empty()) << "and so did the height change";
}

}  // namespace
}  // namespace tw::comctl::test
