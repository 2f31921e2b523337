// The month calendar as a user meets it: the grid of a month for each first
// day of the week, week numbers, paging with the caption buttons and the
// keys, a held navigation button that pages faster and faster, week-day and
// week selection with their notification, a day picked on a stand-alone
// calendar, and the Date button's drop-down.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPCalendarBar.h"
#include "ui/controls/KtvPCalendarMenuButton.h"
#include "ui/frames/KtvPCodes.h"

namespace {

using tw::test::KtvControlTest;

constexpr UINT kCalendarId = 40280;

COleDateTime Day(int y, int m, int d) { return COleDateTime(y, m, d, 0, 0, 0); }

std::string Ymd(const COleDateTime& date)
{
    return std::to_string(date.GetYear()) + "-" + std::to_string(date.GetMonth()) + "-" +
           std::to_string(date.GetDay());
}

// The cells of a calendar by kind, in bar order.
template <class T>
std::vector<T*> CellsOf(const CKtvPCalendarBar& bar, bool dayCellsOnly = false)
{
    std::vector<T*> cells;
    for (int i = 0; i < bar.GetCount(); i++) {
        auto* pCell = dynamic_cast<T*>(bar.GetButton(i));
        if (pCell == nullptr)
            continue;
        if (dayCellsOnly) {
            auto* pDay = dynamic_cast<CKtvPCalendarButton*>(pCell);
            if (pDay == nullptr || !pDay->IsDayCell())
                continue;
        }
        cells.push_back(pCell);
    }
    return cells;
}

std::vector<CKtvPCalendarButton*> DayCells(const CKtvPCalendarBar& bar)
{
    return CellsOf<CKtvPCalendarButton>(bar, true);
}

class CalendarBarTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvRegisterLibraryMessages();
        CKtvPCalendarMenuButton::m_CalendarsByCmd.RemoveAll();
    }
    void TearDown() override
    {
        if (bar.GetSafeHwnd() != nullptr)
            bar.DestroyWindow();
        CKtvPCalendarMenuButton::m_CalendarsByCmd.RemoveAll();
        KtvControlTest::TearDown();
    }
    // A bordered stand-alone calendar on the host showing the date.
    void Make(const COleDateTime& date, DWORD dwCalendarStyle = CKtvPCalendarBar::KTVP_CAL_DEFAULT_STYLE)
    {
        bar.SetStyle(dwCalendarStyle);
        bar.SetDate(date);
        ASSERT_TRUE(bar.CreateControl(&host, CRect(10, 10, 250, 200), kCalendarId, WS_CHILD | WS_VISIBLE | WS_BORDER));
        bar.SetDate(date);
        bar.SetFocus();
        Pump();
    }
    void ClickCell(CKtvPToolbarButton* pCell)
    {
        ASSERT_NE(nullptr, pCell);
        const CPoint pt = pCell->m_rect.CenterPoint();
        Click(bar.GetSafeHwnd(), pt.x, pt.y);
        Pump();
    }
    CCalendarNavigateButton* Navigator(int iImage)
    {
        for (CCalendarNavigateButton* pButton : CellsOf<CCalendarNavigateButton>(bar)) {
            if (pButton->m_iImage == iImage)
                return pButton;
        }
        return nullptr;
    }
    std::vector<int> SelectedDays()
    {
        std::vector<int> days;
        const COleDateTime& shown = bar.GetDate();
        for (int d = 1; d <= CKtvPCalendarBar::GetDaysInMonth(shown.GetYear(), shown.GetMonth()); d++) {
            if (bar.IsDateSelected(Day(shown.GetYear(), shown.GetMonth(), d)))
                days.push_back(d);
        }
        return days;
    }
    CKtvPCalendarBar bar;
};

TEST_F(CalendarBarTest, GridsStartOnTheFirstDayOfTheWeekThatHoldsTheFirst)
{
    Make(Day(2005, 3, 15));
    struct {
        COleDateTime shown;
        int firstDay;  // 1 the day after Saturday, 2 Monday, ... 7 Saturday
        COleDateTime start;
        COleDateTime last;
        const char* names;  // the first three week-day names
    } cases[] = {
        {Day(2005, 3, 15), 1, Day(2005, 2, 27), Day(2005, 4, 9), "Sun Mon Tue"},
        {Day(2005, 3, 15), 2, Day(2005, 2, 28), Day(2005, 4, 10), "Mon Tue Wed"},
        {Day(2005, 3, 15), 3, Day(2005, 3, 1), Day(2005, 4, 11), "Tue Wed Thu"},
        {Day(2015, 2, 10), 1, Day(2015, 2, 1), Day(2015, 3, 14), "Sun Mon Tue"},
        {Day(2005, 1, 20), 2, Day(2004, 12, 27), Day(2005, 2, 6), "Mon Tue Wed"},
        {Day(2024, 2, 29), 7, Day(2024, 1, 27), Day(2024, 3, 8), "Sat Sun Mon"},
    };
    for (const auto& c : cases) {
        bar.SetFirstDayOfWeek(c.firstDay);
        bar.SetDate(c.shown);
        const auto days = DayCells(bar);
        ASSERT_EQ(42u, days.size());
        const std::string where = Ymd(c.shown) + " first day " + std::to_string(c.firstDay);
        EXPECT_EQ(Ymd(c.start), Ymd(days.front()->m_Date)) << where;
        EXPECT_EQ(Ymd(c.last), Ymd(days.back()->m_Date)) << where;
        for (size_t k = 0; k < days.size(); k++) {
            ASSERT_EQ(std::to_string(days[k]->m_Date.GetDay()), std::string(days[k]->m_strText)) << where;
            ASSERT_DOUBLE_EQ((double)k, (double)(days[k]->m_Date - days.front()->m_Date)) << where << " cell " << k;
        }
        const auto names = CellsOf<CCalendarWeekButton>(bar);
        ASSERT_EQ(7u, names.size());
        EXPECT_EQ(c.names, std::string(names[0]->m_strText) + " " + std::string(names[1]->m_strText) + " " +
                               std::string(names[2]->m_strText))
            << where;
        EXPECT_EQ(CKtvPCalendarBar::GetMonthName(c.shown.GetMonth()),
                  CellsOf<CCalendarMonthButton>(bar).front()->m_strText);
    }
}

TEST_F(CalendarBarTest, WeekNumbersCountFromTheWeekOfTheFirstOfJanuary)
{
    struct {
        COleDateTime date;
        int firstDay;
        int week;
    } cases[] = {
        {Day(2005, 1, 1), 1, 1},   // a Saturday
        {Day(2005, 1, 2), 1, 2},   // the Sunday after it
        {Day(2005, 1, 2), 2, 1},   // weeks from Monday: still the first week
        {Day(2005, 1, 3), 2, 2},
        {Day(2005, 12, 31), 1, 53},
        {Day(2006, 1, 1), 1, 1},   // a Sunday starts its own first week
        {Day(2024, 3, 1), 2, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.week, CKtvPCalendarBar::GetWeekNumber(c.date, c.firstDay)) << Ymd(c.date) << " " << c.firstDay;

    Make(Day(2005, 1, 20));
    const auto weeks = CellsOf<CCalendarWeekNumButton>(bar);
    ASSERT_EQ(6u, weeks.size());
    EXPECT_EQ("01", std::string(weeks[0]->m_strText)) << "the row that ends on 1 January";
    EXPECT_EQ("02", std::string(weeks[1]->m_strText));
    EXPECT_EQ("06", std::string(weeks[5]->m_strText));
}

TEST_F(CalendarBarTest, CaptionButtonsPageByMonthAndYear)
{
    Make(Day(2005, 1, 20));
    struct {
        int image;
        COleDateTime shows;
    } steps[] = {
        {1, Day(2004, 12, 1)},  // Prev. month from January
        {2, Day(2005, 1, 1)},
        {2, Day(2005, 2, 1)},
        {0, Day(2004, 2, 1)},
        {3, Day(2005, 2, 1)},
    };
    for (const auto& step : steps) {
        ClickCell(Navigator(step.image));
        EXPECT_EQ(Ymd(step.shows), Ymd(bar.GetDate())) << "image " << step.image;
    }

    CKtvPCalendarBar bare;
    bare.SetStyle(CKtvPCalendarBar::KTVP_CAL_DEFAULT_STYLE & ~CKtvPCalendarBar::KTVP_CAL_NAVIGATION);
    ASSERT_TRUE(bare.CreateControl(&host, CRect(260, 10, 480, 200), 5, WS_CHILD | WS_VISIBLE));
    EXPECT_TRUE(CellsOf<CCalendarNavigateButton>(bare).empty());
    EXPECT_TRUE(CellsOf<CCalendarTodayButton>(bare).empty());
    auto* pMonth = CellsOf<CCalendarMonthButton>(bare).front();
    CRect rectClient;
    bare.GetClientRect(rectClient);
    EXPECT_EQ(rectClient.left, pMonth->m_rect.left) << "the name starts the caption";
    EXPECT_GT(pMonth->m_rect.Width(), rectClient.Width() / 2) << "and takes all but the year's room";
    bare.DestroyWindow();
}

TEST_F(CalendarBarTest, CaptionButtonsNameThemselvesWhileEnabledAndTipsAreOn)
{
    Make(Day(2005, 1, 20));
    auto tipAt = [&](const CKtvPToolbarButton* pButton) {
        TOOLINFO ti{};
        ti.cbSize = sizeof(ti);
        bar.OnToolHitTest(pButton->m_rect.CenterPoint(), &ti);
        std::string text = ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACK ? ti.lpszText : "";
        if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACK)
            free(ti.lpszText);
        return text;
    };
    const BOOL bShowTips = CKtvPToolBar::m_bShowTooltips;
    CKtvPToolBar::m_bShowTooltips = TRUE;
    EXPECT_EQ("Prev. year", tipAt(Navigator(0)));
    EXPECT_EQ("Prev. month", tipAt(Navigator(1)));
    EXPECT_EQ("Next month", tipAt(Navigator(2)));
    EXPECT_EQ("Next year", tipAt(Navigator(3)));
    EXPECT_EQ("Today", tipAt(CellsOf<CCalendarTodayButton>(bar).front()));
    EXPECT_EQ("", tipAt(DayCells(bar)[10])) << "day cells have none";
    EXPECT_EQ("", tipAt(CellsOf<CCalendarMonthButton>(bar).front())) << "the month name is a disabled label";

    CKtvPToolBar::m_bShowTooltips = FALSE;
    EXPECT_EQ("", tipAt(Navigator(1)));
    CKtvPToolBar::m_bShowTooltips = bShowTips;
}

TEST_F(CalendarBarTest, KeysMoveTheDayAndPageByCalendarMonths)
{
    struct {
        COleDateTime from;
        UINT modifier;
        UINT key;
        COleDateTime to;
    } cases[] = {
        {Day(2005, 3, 15), 0, VK_PRIOR, Day(2005, 2, 15)},
        {Day(2005, 3, 31), 0, VK_PRIOR, Day(2005, 2, 28)},  // the month's last day, not 3 March
        {Day(2005, 1, 31), 0, VK_NEXT, Day(2005, 2, 28)},
        {Day(2004, 12, 31), 0, VK_NEXT, Day(2005, 1, 31)},
        {Day(2008, 2, 29), VK_CONTROL, VK_PRIOR, Day(2007, 2, 28)},
        {Day(2008, 2, 29), VK_CONTROL, VK_NEXT, Day(2009, 2, 28)},
        {Day(2005, 3, 1), 0, VK_LEFT, Day(2005, 2, 28)},
        {Day(2005, 2, 28), 0, VK_RIGHT, Day(2005, 3, 1)},
        {Day(2005, 3, 3), 0, VK_UP, Day(2005, 2, 24)},
        {Day(2005, 3, 29), 0, VK_DOWN, Day(2005, 4, 5)},
        {Day(2005, 3, 15), VK_CONTROL, VK_UP, Day(2005, 3, 15)},  // nothing
    };
    Make(Day(2005, 3, 15));
    for (const auto& c : cases) {
        bar.SetDate(c.from);
        bar.SelectDate(c.from);
        if (c.modifier != 0)
            ChordFiltered(c.modifier, c.key);
        else
            KeyFiltered(c.key);
        EXPECT_EQ(Ymd(c.to), Ymd(bar.GetDate())) << Ymd(c.from) << " key " << c.key;
        EXPECT_EQ(Ymd(c.to), Ymd(bar.GetSelectedDate()));
    }

    KeyFiltered(VK_HOME);
    EXPECT_EQ(Ymd(COleDateTime::GetCurrentTime()), Ymd(bar.GetDate()));
    EXPECT_TRUE(bar.IsDateSelected(COleDateTime::GetCurrentTime()));
}

TEST_F(CalendarBarTest, AHeldNavigationButtonPagesAt500msThenFaster)
{
    Make(Day(2005, 1, 20));
    CCalendarNavigateButton* pNext = Navigator(2);
    ASSERT_NE(nullptr, pNext);
    const POINT pt = ScreenPointOf(bar.GetSafeHwnd(), pNext->m_rect.CenterPoint().x, pNext->m_rect.CenterPoint().y);
    input.MouseMove(pt.x, pt.y);
    Pump();
    input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    EXPECT_EQ(1, bar.GetDate().GetMonth()) << "pressing alone does not page";

    // The wait before each step: 500, 450, ... 100, then 100 again.
    int nMonth = 1;
    for (int delay : {500, 450, 400, 350, 300, 250, 200, 150, 100, 100, 100}) {
        tw::ProcessClock::Advance(delay - 1);
        Pump();
        ASSERT_EQ(nMonth, bar.GetDate().GetMonth()) << "not yet, " << delay;
        tw::ProcessClock::Advance(1);
        Pump();
        nMonth = nMonth % 12 + 1;
        ASSERT_EQ(nMonth, bar.GetDate().GetMonth()) << "after " << delay;
    }

    input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    EXPECT_EQ(nMonth, bar.GetDate().GetMonth()) << "the release adds no step";
    tw::ProcessClock::Advance(1000);
    Pump();
    EXPECT_EQ(nMonth, bar.GetDate().GetMonth()) << "the timer stopped";

    ClickCell(pNext);
    EXPECT_EQ(nMonth % 12 + 1, bar.GetDate().GetMonth()) << "a short click pages once";
}

TEST_F(CalendarBarTest, WeekDaysAndWeeksSelectWithCtrlAndShiftAndNotify)
{
    Make(Day(2005, 3, 15), CKtvPCalendarBar::KTVP_CAL_DEFAULT_STYLE | CKtvPCalendarBar::KTVP_CAL_MULTIPLE_SELECTION);
    const auto names = CellsOf<CCalendarWeekButton>(bar);
    const auto weeks = CellsOf<CCalendarWeekNumButton>(bar);
    ASSERT_EQ(7u, names.size());
    ASSERT_EQ(6u, weeks.size());
    ClearReceived();

    ClickCell(names[1]);  // Monday
    EXPECT_EQ((std::vector<int>{7, 14, 21, 28}), SelectedDays());
    EXPECT_FALSE(Received(KTVM_CALENDAR_ON_SELCHANGED).empty());
    EXPECT_EQ((LPARAM)bar.GetSafeHwnd(), Received(KTVM_CALENDAR_ON_SELCHANGED).back().lParam);

    input.KeyDown(VK_CONTROL);
    ClickCell(weeks[1]);  // 6 .. 12 March, each day toggled: Monday 7 goes
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ((std::vector<int>{6, 8, 9, 10, 11, 12, 14, 21, 28}), SelectedDays());

    input.KeyDown(VK_CONTROL);
    ClickCell(names[1]);  // Mondays again: 7 comes back, the others go
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ((std::vector<int>{6, 7, 8, 9, 10, 11, 12}), SelectedDays());

    const auto days = DayCells(bar);
    input.KeyDown(VK_SHIFT);
    ClickCell(days[2 + 19]);  // 20 March: the range to the selection's extremes
    input.KeyUp(VK_SHIFT);
    Pump();
    std::vector<int> range;
    for (int d = 6; d <= 20; d++)
        range.push_back(d);
    EXPECT_EQ(range, SelectedDays());

    ClickCell(weeks[0]);  // no key: the week alone (27 February .. 5 March)
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), SelectedDays());

    bar.SetStyle(0, CKtvPCalendarBar::KTVP_CAL_MULTIPLE_SELECTION);
    ClickCell(CellsOf<CCalendarWeekButton>(bar)[3]);
    EXPECT_TRUE(SelectedDays().empty()) << "without multiple selection a week-day name selects nothing";
}

TEST_F(CalendarBarTest, ADayPickedOnAStandAloneCalendarRunsItsCommand)
{
    CKtvPToolBar toolbar;
    ASSERT_TRUE(toolbar.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 501));
    const int i = toolbar.InsertButton(new CKtvPCalendarMenuButton(kCalendarId, "Date"));
    auto* pDateButton = dynamic_cast<CKtvPCalendarMenuButton*>(toolbar.GetButton(i));

    Make(Day(2005, 3, 15));
    ClearReceived();
    ClickCell(DayCells(bar)[2 + 9]);  // 10 March

    EXPECT_EQ(Ymd(Day(2005, 3, 10)), Ymd(bar.GetDate()));
    EXPECT_EQ(Ymd(Day(2005, 3, 10)), Ymd(CKtvPCalendarMenuButton::GetCommandDate(kCalendarId)));
    EXPECT_EQ(Ymd(Day(2005, 3, 10)), Ymd(pDateButton->GetDate())) << "the command's buttons follow";
    bool bCommand = false;
    for (const auto& m : Received(WM_COMMAND))
        bCommand = bCommand || LOWORD(m.wParam) == kCalendarId;
    EXPECT_TRUE(bCommand) << "the owner hears the command";

    ClickCell(DayCells(bar)[41]);  // 9 April, a day of the next month
    EXPECT_EQ(Ymd(Day(2005, 4, 9)), Ymd(bar.GetDate())) << "the calendar goes to that month";
    toolbar.DestroyWindow();
}

TEST_F(CalendarBarTest, ATornOffCopyShowsTheSameMonthAsAToolbarOfItsOwn)
{
    CKtvPCalendarBar source(Day(2005, 3, 15), kCalendarId);
    CKtvPCalendarBar torn(source, kCalendarId, FALSE);
    ASSERT_TRUE(torn.CreateEx(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 3, FALSE));
    EXPECT_TRUE(torn.IsStandAlone());
    EXPECT_EQ(0u, torn.GetCalendarStyle() & CKtvPCalendarBar::KTVP_CAL_MULTIPLE_SELECTION);
    const CSize size = torn.CalcFixedLayout(FALSE, TRUE);
    torn.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    torn.AdjustLayout();
    Pump();

    EXPECT_EQ(3, torn.GetDate().GetMonth());
    const auto days = DayCells(torn);
    ASSERT_EQ(42u, days.size());
    CRect rectClient;
    torn.GetClientRect(rectClient);
    for (size_t k = 0; k < days.size(); k++) {
        const CRect& rect = days[k]->m_rect;
        ASSERT_EQ(days[k % 7]->m_rect.left, rect.left) << "cell " << k << " in its column";
        ASSERT_EQ(days[(k / 7) * 7]->m_rect.top, rect.top) << "cell " << k << " in its row";
        ASSERT_TRUE(rectClient.PtInRect(rect.TopLeft()) && rect.right <= rectClient.right &&
                    rect.bottom <= rectClient.bottom)
            << "cell " << k << " inside the bar";
    }
    EXPECT_LT(days[0]->m_rect.right, days[1]->m_rect.left + 1);
    EXPECT_LT(days[6]->m_rect.bottom, days[7]->m_rect.top + 1);
    torn.DestroyWindow();
}

// A frame that enables the calendar's command as it is told.
class DateCommandFrame : public CFrameWnd {
public:
    void OnUpdateDate(CCmdUI* pCmdUI) { pCmdUI->Enable(bEnabled); }
    BOOL bEnabled = FALSE;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DateCommandFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(kCalendarId, OnUpdateDate)
END_MESSAGE_MAP()

TEST_F(CalendarBarTest, DayCellsFollowWhetherTheFrameEnablesTheCommand)
{
    Make(Day(2005, 3, 15));
    auto disabledDays = [&] {
        int n = 0;
        for (CKtvPCalendarButton* pDay : DayCells(bar))
            n += (pDay->m_nStyle & TBBS_DISABLED) ? 1 : 0;
        return n;
    };
    ASSERT_EQ(0, disabledDays());
    DateCommandFrame frame;
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(42, disabledDays()) << "the frame disables the command";

    ClickCell(DayCells(bar)[20]);
    EXPECT_FALSE(bar.IsDateSelected(DayCells(bar)[20]->m_Date)) << "a disabled day takes no click";

    frame.bEnabled = TRUE;
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(0, disabledDays());
    bar.SetDate(Day(2005, 4, 1));
    EXPECT_EQ(0, disabledDays()) << "paging keeps the state";
}

// The Date button on two bars and a stand-alone calendar of its command.
class DateButtonPopupTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvRegisterLibraryMessages();
        CKtvPCalendarMenuButton::m_CalendarsByCmd.RemoveAll();
        ASSERT_TRUE(bar1.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 501));
        ASSERT_TRUE(bar2.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 502));
        pOne = Add(bar1);
        pTwo = Add(bar2);
        pOne->SetDate(Day(2005, 3, 15), TRUE);
        bar1.MoveWindow(0, 0, 200, 30);
        bar2.MoveWindow(0, 40, 200, 30);
    }
    void TearDown() override
    {
        bar1.DestroyWindow();
        bar2.DestroyWindow();
        CKtvPCalendarMenuButton::m_CalendarsByCmd.RemoveAll();
        KtvControlTest::TearDown();
    }
    CKtvPCalendarMenuButton* Add(CKtvPToolBar& bar)
    {
        const int i = bar.InsertButton(new CKtvPCalendarMenuButton(kCalendarId, "Date"));
        return dynamic_cast<CKtvPCalendarMenuButton*>(bar.GetButton(i));
    }
    CKtvPCalendarBar* Open()
    {
        EXPECT_TRUE(pOne->OnClick(&bar1, FALSE));
        Pump();
        auto* pPopup = dynamic_cast<CCalendarPopup*>(pOne->m_pPopupMenu);
        EXPECT_NE(nullptr, pPopup);
        return pPopup == nullptr ? nullptr : &pPopup->m_wndCalendarBar;
    }
    CKtvPToolBar bar1;
    CKtvPToolBar bar2;
    CKtvPCalendarMenuButton* pOne = nullptr;
    CKtvPCalendarMenuButton* pTwo = nullptr;
};

TEST_F(DateButtonPopupTest, ADayPickedInThePopupReachesEveryButtonAndCalendarOfTheCommand)
{
    CKtvPCalendarBar standAlone;
    ASSERT_TRUE(standAlone.CreateControl(&host, CRect(220, 0, 460, 190), kCalendarId, WS_CHILD | WS_VISIBLE));

    CKtvPCalendarBar* pCalendar = Open();
    ASSERT_NE(nullptr, pCalendar);
    EXPECT_EQ(Ymd(Day(2005, 3, 15)), Ymd(pCalendar->GetDate())) << "the popup opens on the button's date";
    EXPECT_TRUE(pCalendar->IsDateSelected(Day(2005, 3, 15)));
    EXPECT_TRUE(CellsOf<CCalendarWeekNumButton>(*pCalendar).empty()) << "no week numbers in the drop-down";

    // Next month keeps the day, then a day is clicked.
    CCalendarNavigateButton* pNext = nullptr;
    for (CCalendarNavigateButton* p : CellsOf<CCalendarNavigateButton>(*pCalendar)) {
        if (p->m_iImage == 2)
            pNext = p;
    }
    ASSERT_NE(nullptr, pNext);
    Click(pCalendar->GetSafeHwnd(), pNext->m_rect.CenterPoint().x, pNext->m_rect.CenterPoint().y);
    Pump();
    ASSERT_NE(nullptr, pOne->m_pPopupMenu) << "paging keeps the popup open";
    EXPECT_EQ(Ymd(Day(2005, 4, 15)), Ymd(pCalendar->GetDate()));

    CKtvPCalendarButton* pDay = nullptr;
    for (CKtvPCalendarButton* p : DayCells(*pCalendar)) {
        if (p->m_Date.GetMonth() == 4 && p->m_Date.GetDay() == 22)
            pDay = p;
    }
    ASSERT_NE(nullptr, pDay);
    Click(pCalendar->GetSafeHwnd(), pDay->m_rect.CenterPoint().x, pDay->m_rect.CenterPoint().y);
    Pump();

    EXPECT_EQ(nullptr, pOne->m_pPopupMenu) << "the popup closed";
    const COleDateTime picked = Day(2005, 4, 22);
    EXPECT_EQ(Ymd(picked), Ymd(pOne->GetDate()));
    EXPECT_EQ(Ymd(picked), Ymd(pTwo->GetDate())) << "the same command on another bar";
    EXPECT_EQ(Ymd(picked), Ymd(standAlone.GetDate())) << "a calendar of the command";
    EXPECT_EQ(Ymd(picked), Ymd(CKtvPCalendarMenuButton::GetCommandDate(kCalendarId)));
    EXPECT_EQ(COleDateTime(), CKtvPCalendarMenuButton::GetCommandDate(kCalendarId + 1)) << "an unset command";
    standAlone.DestroyWindow();
}

TEST_F(DateButtonPopupTest, Screenshot)
{
    CKtvPCalendarBar* pCalendar = Open();
    ASSERT_NE(nullptr, pCalendar);
    Pump();
    CRect rectAll, rectPopup;
    bar1.GetWindowRect(rectAll);
    pCalendar->GetParent()->GetWindowRect(rectPopup);
    rectAll.UnionRect(rectAll, rectPopup);
    rectAll.InflateRect(4, 4);
    const std::string path =
        (std::filesystem::canonical("/proc/self/exe").parent_path() / "calendar-screenshot.png").string();
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rectAll)) << path;
    pOne->OnClick(&bar1, FALSE);  // closes it
    Pump();
    EXPECT_EQ(nullptr, pOne->m_pPopupMenu);
}

}  // namespace
