// The Date button: one date per command, shared by every button of the
// command on every bar, kept across copies and stored bars; and the
// calendar's day selection.
#include <gtest/gtest.h>

#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPCalendarBar.h"
#include "ui/controls/KtvPCalendarMenuButton.h"

namespace {

using tw::test::KtvControlTest;

constexpr UINT kDateCmd = 40280;

class CalendarMenuButtonTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        CKtvPCalendarMenuButton::m_CalendarsByCmd.RemoveAll();
        ASSERT_TRUE(bar1.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 501));
        ASSERT_TRUE(bar2.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 502));
    }
    void TearDown() override
    {
        bar1.DestroyWindow();
        bar2.DestroyWindow();
        CKtvPCalendarMenuButton::m_CalendarsByCmd.RemoveAll();
        KtvControlTest::TearDown();
    }
    CKtvPCalendarMenuButton* Add(CKtvPToolBar& bar, UINT id)
    {
        const int i = bar.InsertButton(new CKtvPCalendarMenuButton(id, "Date"));
        return dynamic_cast<CKtvPCalendarMenuButton*>(bar.GetButton(i));
    }
    CKtvPToolBar bar1;
    CKtvPToolBar bar2;
};

TEST_F(CalendarMenuButtonTest, ADayReachesEveryButtonOfTheCommandAndNoOther)
{
    EXPECT_EQ(COleDateTime(), CKtvPCalendarMenuButton::GetCommandDate(kDateCmd)) << "never set: the zero date";
    EXPECT_EQ(COleDateTime::valid, CKtvPCalendarMenuButton::GetCommandDate(kDateCmd).GetStatus());

    CKtvPCalendarMenuButton* pOne = Add(bar1, kDateCmd);
    CKtvPCalendarMenuButton* pTwo = Add(bar2, kDateCmd);
    CKtvPCalendarMenuButton* pOther = Add(bar2, kDateCmd + 1);
    ASSERT_TRUE(pOne != nullptr && pTwo != nullptr && pOther != nullptr);
    const COleDateTime otherDate = pOther->GetDate();

    const COleDateTime day(2026, 3, 31, 0, 0, 0);
    pOne->SetDate(day, TRUE);
    EXPECT_EQ(day, pOne->GetDate());
    EXPECT_EQ(day, pTwo->GetDate()) << "the same command on another bar";
    EXPECT_EQ(otherDate, pOther->GetDate());
    EXPECT_EQ(day, CKtvPCalendarMenuButton::GetCommandDate(kDateCmd));

    const COleDateTime quiet(2026, 4, 1, 0, 0, 0);
    pTwo->SetDate(quiet, FALSE);
    EXPECT_EQ(day, pOne->GetDate()) << "without notifying, the others keep theirs";
    EXPECT_EQ(quiet, CKtvPCalendarMenuButton::GetCommandDate(kDateCmd));

    CKtvPCalendarMenuButton later(kDateCmd, "Date");
    EXPECT_EQ(quiet, later.GetDate()) << "a new button starts on the command's date";
}

TEST_F(CalendarMenuButtonTest, CopiesAndStoredButtonsKeepTheDateAndNumbers)
{
    CKtvPCalendarMenuButton* pOnBar = Add(bar1, kDateCmd);
    const COleDateTime day(2024, 2, 29, 0, 0, 0);
    pOnBar->SetDate(day, TRUE);
    pOnBar->m_nMonths = 2;
    pOnBar->m_nWeeks = 6;
    pOnBar->m_nWeekStart = 1;
    pOnBar->m_nFlags = 9;

    CKtvPCalendarMenuButton copy;
    copy.CopyFrom(*pOnBar);
    EXPECT_EQ(day, copy.GetDate());
    EXPECT_EQ(kDateCmd, copy.m_nID);
    EXPECT_EQ(2, copy.m_nMonths);
    EXPECT_EQ(9, copy.m_nFlags);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pOnBar->Serialize(ar);
    }
    file.SeekToBegin();
    CKtvPCalendarMenuButton loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(kDateCmd, loaded.m_nID);
    EXPECT_EQ(2, loaded.m_nMonths);
    EXPECT_EQ(6, loaded.m_nWeeks);
    EXPECT_EQ(1, loaded.m_nWeekStart);
    EXPECT_EQ(9, loaded.m_nFlags);
    EXPECT_EQ(day, loaded.GetDate()) << "a loaded button joins the date shown on the bars";
}

// Day selection of a stand-alone calendar with multiple selection, shown on
// March 2005.
TEST(CalendarSelection, CtrlTogglesShiftSpansPlainReplaces)
{
    const CKtvPCalendarBar source(COleDateTime(2005, 3, 15, 0, 0, 0), 0);
    CKtvPCalendarBar bar(source, 0, TRUE);
    auto selected = [&] {
        std::vector<int> days;
        for (int d = 1; d <= 31; d++) {
            if (bar.IsDateSelected(COleDateTime(2005, 3, d, 0, 0, 0)))
                days.push_back(d);
        }
        return days;
    };
    auto march = [](int d) { return COleDateTime(2005, 3, d, 0, 0, 0); };
    struct {
        int day;
        BOOL ctrl;
        BOOL shift;
        std::vector<int> after;
    } steps[] = {
        {10, FALSE, FALSE, {10}},
        {12, TRUE, FALSE, {10, 12}},
        {8, TRUE, FALSE, {8, 10, 12}},
        {10, TRUE, FALSE, {8, 12}},           // a selected day goes
        {14, FALSE, TRUE, {8, 9, 10, 11, 12, 13, 14}},
        {3, FALSE, TRUE, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {20, FALSE, FALSE, {20}},
    };
    for (const auto& step : steps) {
        bar.SelectDate(march(step.day), step.ctrl, step.shift);
        EXPECT_EQ(step.after, selected()) << "day " << step.day << (step.ctrl ? " ctrl" : "")
                                          << (step.shift ? " shift" : "");
    }
    EXPECT_FALSE(bar.IsDateSelected(COleDateTime(2005, 4, 20, 0, 0, 0))) << "another month";

    bar.SetStyle(0, CKtvPCalendarBar::KTVP_CAL_MULTIPLE_SELECTION);
    EXPECT_TRUE(selected().empty()) << "single selection empties the list";
    bar.SelectDate(march(5), TRUE, FALSE);
    bar.SelectDate(march(7), TRUE, FALSE);
    EXPECT_EQ(std::vector<int>{7}, selected()) << "without multiple selection Ctrl only moves the day";
}

}  // namespace
