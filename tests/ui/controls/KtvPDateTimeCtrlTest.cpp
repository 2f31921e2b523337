// The date-time field typed into as a user does: its parts in the locale's
// order, arrow keys on each part (month ends, leap years, limits), digits
// (two-digit years around the pivot, months, hours), month initials and
// AM/PM letters, the check box, the parent's notification, and the calendar
// drop-down.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/display/Display.h"

#include "platform/win32/kernel/Locale.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/controls/KtvPCalendarBar.h"
#include "ui/controls/KtvPDateTimeCtrl.h"

namespace {

using tw::test::KtvControlTest;

constexpr UINT kFieldId = 55;

COleDateTime At(int y, int m, int d, int h = 0, int mi = 0) { return COleDateTime(y, m, d, h, mi, 0); }

std::string Text(const COleDateTime& date) { return std::string(date.Format("%Y-%m-%d %H:%M")); }

class DateTimeCtrlTest : public KtvControlTest {
protected:
    void TearDown() override
    {
        if (field.GetSafeHwnd() != nullptr)
            field.DestroyWindow();
        SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IDATE, "0");
        SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_ITIME, "0");
        KtvControlTest::TearDown();
    }
    void Make(BOOL bTime = FALSE, BOOL bCheck = FALSE)
    {
        field.m_bShowTime = bTime;
        field.m_bCheckBoxIsAvailable = bCheck;
        ASSERT_TRUE(field.Create("", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(10, 10, 220, 34), &host,
                                 kFieldId));
        field.SetFocus();
        Pump();
    }
    int IndexOf(int nType) const
    {
        for (int i = 0; i < field.GetPartCount(); i++) {
            if (field.GetPartType(i) == nType)
                return i;
        }
        return -1;
    }
    // A click on the part, as the user picks it.
    void Pick(int nType)
    {
        const int i = IndexOf(nType);
        ASSERT_GE(i, 0) << "no part " << nType;
        const CPoint pt = field.GetPartRect(i).CenterPoint();
        Click(field.GetSafeHwnd(), pt.x, pt.y);
        Pump();
        ASSERT_EQ(nType, field.GetCurrentPartType());
    }
    void Type(const std::string& keys)
    {
        TypeKeys(keys);
        PumpFiltered();
    }
    std::vector<int> Parts() const
    {
        std::vector<int> parts;
        for (int i = 0; i < field.GetPartCount(); i++)
            parts.push_back(field.GetPartType(i));
        return parts;
    }
    CKtvPDateTimeCtrl field;
};

using P = CKtvPDateTimeCtrl;

TEST_F(DateTimeCtrlTest, PartsFollowTheLocalesDateOrderAndClock)
{
    struct {
        const char* idate;
        const char* itime;
        BOOL time;
        BOOL check;
        std::vector<int> parts;
    } cases[] = {
        {"0", "0", FALSE, FALSE, {P::PartMonth, P::PartDay, P::PartYear}},
        {"1", "0", FALSE, FALSE, {P::PartDay, P::PartMonth, P::PartYear}},
        {"2", "0", FALSE, FALSE, {P::PartYear, P::PartMonth, P::PartDay}},
        {"0", "0", TRUE, TRUE,
         {P::PartCheck, P::PartMonth, P::PartDay, P::PartYear, P::PartHour, P::PartMinute, P::PartAmPm}},
        {"1", "1", TRUE, FALSE, {P::PartDay, P::PartMonth, P::PartYear, P::PartHour, P::PartMinute}},
    };
    for (const auto& c : cases) {
        SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IDATE, c.idate);
        SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_ITIME, c.itime);
        Make(c.time, c.check);
        EXPECT_EQ(c.parts, Parts()) << "IDATE " << c.idate << " ITIME " << c.itime;
        EXPECT_EQ(c.check ? 1 : 0, field.GetCurrentPartIndex()) << "the first part after the check box is current";
        for (int i = 1; i < field.GetPartCount(); i++)
            EXPECT_GT(field.GetPartRect(i).left, field.GetPartRect(i - 1).left) << "left to right";
        CRect rectWindow;
        field.GetWindowRect(rectWindow);
        EXPECT_GE(rectWindow.Width(), field.GetPartRect(field.GetPartCount() - 1).right + 17)
            << "sized to its parts and the drop button";
        field.DestroyWindow();
    }
}

TEST_F(DateTimeCtrlTest, ArrowKeysStepEachPartAcrossMonthEndsLeapYearsAndLimits)
{
    Make(TRUE);
    struct {
        COleDateTime from;
        int part;
        UINT key;
        COleDateTime to;
    } cases[] = {
        {At(2005, 1, 31), P::PartMonth, VK_UP, At(2005, 2, 28)},
        {At(2004, 1, 31), P::PartMonth, VK_UP, At(2004, 2, 29)},
        {At(2005, 4, 30), P::PartMonth, VK_UP, At(2005, 5, 31)},  // the last day stays the last day
        {At(2005, 12, 15), P::PartMonth, VK_UP, At(2005, 1, 15)},
        {At(2005, 3, 31), P::PartDay, VK_UP, At(2005, 3, 1)},
        {At(2005, 3, 1), P::PartDay, VK_DOWN, At(2005, 3, 31)},
        {At(2004, 2, 29), P::PartYear, VK_UP, At(2005, 2, 28)},
        {At(2005, 3, 1, 23), P::PartHour, VK_UP, At(2005, 3, 1, 0)},
        {At(2005, 3, 1, 5, 0), P::PartMinute, VK_DOWN, At(2005, 3, 1, 5, 59)},
        {At(2005, 3, 1, 9), P::PartAmPm, VK_UP, At(2005, 3, 1, 21)},
        {At(2005, 3, 14), P::PartDay, VK_HOME, At(2005, 3, 1)},
        {At(2005, 2, 14), P::PartDay, VK_END, At(2005, 2, 28)},
        {At(2005, 7, 14), P::PartMonth, VK_END, At(2005, 12, 14)},
        {At(2005, 3, 1, 5, 30), P::PartMinute, VK_HOME, At(2005, 3, 1, 5, 0)},
    };
    for (const auto& c : cases) {
        field.SetDate(c.from);
        Pick(c.part);
        KeyFiltered(c.key);
        EXPECT_EQ(Text(c.to), Text(field.GetDate())) << Text(c.from) << " part " << c.part << " key " << c.key;
    }

    field.SetMinDate(At(2005, 3, 15));
    field.SetMaxDate(At(2005, 6, 30));
    field.SetDate(At(2005, 3, 15));
    Pick(P::PartDay);
    KeyFiltered(VK_DOWN);
    EXPECT_EQ(Text(At(2005, 3, 15)), Text(field.GetDate())) << "the minimum holds";
    field.SetDate(At(2005, 6, 10));
    Pick(P::PartMonth);
    KeyFiltered(VK_UP);
    EXPECT_EQ(Text(At(2005, 6, 30)), Text(field.GetDate())) << "past the maximum gives the maximum";
    field.SetDate(At(2005, 4, 10));
    Pick(P::PartMonth);
    KeyFiltered(VK_DOWN);
    EXPECT_EQ(Text(At(2005, 3, 15)), Text(field.GetDate())) << "below the minimum gives the minimum";
}

TEST_F(DateTimeCtrlTest, DigitsFillTheCurrentPartAndMoveOn)
{
    field.m_b2DigitsInYear = TRUE;
    field.m_iYearPos = 2029;
    Make(TRUE);
    struct {
        COleDateTime from;
        int part;
        const char* keys;
        COleDateTime to;
        int partAfter;
    } cases[] = {
        {At(2005, 6, 1), P::PartYear, "30", At(1930, 6, 1), P::PartHour},
        {At(2005, 6, 1), P::PartYear, "25", At(2025, 6, 1), P::PartHour},
        {At(1950, 6, 1), P::PartYear, "29", At(2029, 6, 1), P::PartHour},
        {At(2005, 6, 1), P::PartMonth, "1", At(2005, 1, 1), P::PartMonth},  // waits for a second digit
        {At(2005, 6, 1), P::PartMonth, "12", At(2005, 12, 1), P::PartDay},
        {At(2005, 6, 1), P::PartMonth, "2", At(2005, 2, 1), P::PartDay},    // February at once
        {At(2005, 6, 1), P::PartDay, "31", At(2005, 6, 3), P::PartDay},     // June has no 31st: the 3 stays
        {At(2005, 7, 1), P::PartDay, "31", At(2005, 7, 31), P::PartYear},
        {At(2005, 6, 1, 14), P::PartHour, "9", At(2005, 6, 1, 21), P::PartMinute},  // the afternoon stays
        {At(2005, 6, 1, 3), P::PartHour, "11", At(2005, 6, 1, 11), P::PartMinute},
        {At(2005, 6, 1, 3), P::PartMinute, "45", At(2005, 6, 1, 3, 45), P::PartAmPm},
    };
    for (const auto& c : cases) {
        field.SetDate(c.from);
        Pick(c.part);
        Type(c.keys);
        EXPECT_EQ(Text(c.to), Text(field.GetDate())) << Text(c.from) << " part " << c.part << " typed " << c.keys;
        EXPECT_EQ(c.partAfter, field.GetCurrentPartType()) << Text(c.from) << " typed " << c.keys;
    }

    field.DestroyWindow();
    field.m_b2DigitsInYear = FALSE;
    Make();
    field.SetDate(At(2005, 6, 1));
    Pick(P::PartYear);
    Type("199");
    EXPECT_EQ(1995, field.GetDate().GetYear()) << "each digit replaces the next one from the thousands";
    Type("7");
    EXPECT_EQ(1997, field.GetDate().GetYear());
}

TEST_F(DateTimeCtrlTest, LettersPickMonthsByInitialAndSwitchAmPm)
{
    field.m_monthFormat = P::MonthAbbrev;
    Make(TRUE);
    field.SetDate(At(2005, 1, 31, 9));
    Pick(P::PartMonth);
    struct {
        const char* key;
        COleDateTime to;
    } steps[] = {
        {"j", At(2005, 6, 30, 9)},  // June; the last day stays the last day
        {"j", At(2005, 7, 31, 9)},
        {"f", At(2005, 2, 28, 9)},
        {"m", At(2005, 3, 31, 9)},
        {"x", At(2005, 3, 31, 9)},  // no month
    };
    for (const auto& step : steps) {
        Type(step.key);
        EXPECT_EQ(Text(step.to), Text(field.GetDate())) << step.key;
    }
    Pick(P::PartAmPm);
    Type("p");
    EXPECT_EQ(21, field.GetDate().GetHour());
    Type("p");
    EXPECT_EQ(21, field.GetDate().GetHour()) << "already the afternoon";
    Type("a");
    EXPECT_EQ(9, field.GetDate().GetHour());
}

TEST_F(DateTimeCtrlTest, TheCheckBoxSwitchesTheValueAndEveryChangeIsReported)
{
    Make(FALSE, TRUE);
    field.SetDate(At(2005, 6, 1));
    EXPECT_TRUE(field.IsChecked());
    ClearReceived();

    Pick(P::PartDay);
    KeyFiltered(VK_UP);
    auto commands = Received(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(MAKEWPARAM(kFieldId, BN_CLICKED), commands[0].wParam);

    field.SetDate(COleDateTime());
    EXPECT_FALSE(field.IsChecked()) << "a zero date is off";
    ClearReceived();
    KeyFiltered(VK_UP);
    EXPECT_TRUE(Received(WM_COMMAND).empty()) << "an unchecked value does not move";

    const CPoint ptCheck = field.GetCheckBoxRect().CenterPoint();
    Click(field.GetSafeHwnd(), ptCheck.x, ptCheck.y);
    Pump();
    EXPECT_TRUE(field.IsChecked());
    EXPECT_EQ(Text(COleDateTime::GetCurrentTime()).substr(0, 10), Text(field.GetDate()).substr(0, 10))
        << "switched on with no value: today";
    KeyFiltered(VK_SPACE);
    EXPECT_FALSE(field.IsChecked()) << "Space on the check box";
}

TEST_F(DateTimeCtrlTest, TheDropButtonOpensACalendarWhoseDayComesBack)
{
    Make();
    field.SetDate(At(2005, 3, 15));
    const CPoint ptDrop = field.GetDropButtonRect().CenterPoint();
    Click(field.GetSafeHwnd(), ptDrop.x, ptDrop.y);
    Pump();
    CKtvPCalendarBar* pCalendar = field.GetCalendar();
    ASSERT_NE(nullptr, pCalendar);
    EXPECT_EQ(&field, (CWnd*)pCalendar->GetOwnerCtrl());
    EXPECT_EQ(Text(At(2005, 3, 15)), Text(pCalendar->GetDate()));

    // The calendar takes the keys: a week on, then Enter.
    KeyFiltered(VK_DOWN);
    KeyFiltered(VK_RETURN);
    Pump();
    EXPECT_EQ(nullptr, field.GetCalendar()) << "closed";
    EXPECT_EQ(Text(At(2005, 3, 22)), Text(field.GetDate()));
    EXPECT_EQ(field.GetSafeHwnd(), ::GetFocus()) << "the focus comes back";

    Click(field.GetSafeHwnd(), ptDrop.x, ptDrop.y);
    Pump();
    pCalendar = field.GetCalendar();
    ASSERT_NE(nullptr, pCalendar);
    CKtvPCalendarButton* pDay = nullptr;
    for (int i = 0; i < pCalendar->GetCount(); i++) {
        auto* p = dynamic_cast<CKtvPCalendarButton*>(pCalendar->GetButton(i));
        if (p != nullptr && p->IsDayCell() && p->m_Date.GetMonth() == 3 && p->m_Date.GetDay() == 9)
            pDay = p;
    }
    ASSERT_NE(nullptr, pDay);
    ClearReceived();
    Click(pCalendar->GetSafeHwnd(), pDay->m_rect.CenterPoint().x, pDay->m_rect.CenterPoint().y);
    Pump();
    EXPECT_EQ(nullptr, field.GetCalendar());
    EXPECT_EQ(Text(At(2005, 3, 9)), Text(field.GetDate()));
    EXPECT_FALSE(Received(WM_COMMAND).empty()) << "the parent hears of the chosen day";

    Click(field.GetSafeHwnd(), ptDrop.x, ptDrop.y);
    Pump();
    ASSERT_NE(nullptr, field.GetCalendar());
    KeyFiltered(VK_ESCAPE);
    Pump();
    EXPECT_EQ(nullptr, field.GetCalendar()) << "Esc closes without a choice";
    EXPECT_EQ(Text(At(2005, 3, 9)), Text(field.GetDate()));
}

TEST_F(DateTimeCtrlTest, TheSpinsArrowsStepTheCurrentPart)
{
    field.m_bSpinButtonIsAvailable = TRUE;
    Make(FALSE, TRUE);
    field.SetDate(At(2005, 3, 15));
    Pick(P::PartMonth);
    CWnd* pSpin = field.GetDlgItem(1);
    ASSERT_NE(nullptr, pSpin);
    EXPECT_TRUE(pSpin->IsWindowVisible());
    CRect rectSpin;
    pSpin->GetClientRect(rectSpin);
    Click(pSpin->GetSafeHwnd(), rectSpin.Width() / 2, 2);
    Pump();
    EXPECT_EQ(Text(At(2005, 4, 15)), Text(field.GetDate())) << "up";
    Click(pSpin->GetSafeHwnd(), rectSpin.Width() / 2, rectSpin.Height() - 2);
    Click(pSpin->GetSafeHwnd(), rectSpin.Width() / 2, rectSpin.Height() - 2);
    Pump();
    EXPECT_EQ(Text(At(2005, 2, 15)), Text(field.GetDate())) << "down twice";

    field.SetDate(COleDateTime());
    EXPECT_FALSE(pSpin->IsWindowEnabled()) << "the spin is off with the value";
}

TEST_F(DateTimeCtrlTest, Screenshot)
{
    field.m_monthFormat = P::MonthAbbrev;
    field.m_bSpinButtonIsAvailable = TRUE;
    Make(TRUE, TRUE);
    field.SetDate(At(2005, 3, 15, 14, 30));
    Pick(P::PartDay);
    const CPoint ptDrop = field.GetDropButtonRect().CenterPoint();
    Click(field.GetSafeHwnd(), ptDrop.x, ptDrop.y);
    Pump();
    ASSERT_NE(nullptr, field.GetCalendarPopup());
    CRect rectAll, rectPopup;
    field.GetWindowRect(rectAll);
    field.GetCalendarPopup()->GetWindowRect(rectPopup);
    rectAll.UnionRect(rectAll, rectPopup);
    rectAll.InflateRect(4, 4);
    const std::string path =
        (std::filesystem::canonical("/proc/self/exe").parent_path() / "datetime-screenshot.png").string();
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rectAll)) << path;
    KeyFiltered(VK_ESCAPE);
    Pump();
}

}  // namespace
