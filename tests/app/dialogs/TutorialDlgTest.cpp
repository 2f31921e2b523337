// The Tutorial from the main window: whether it appears and what it keeps in
// "StartupDispHow" for each stored value, way of opening and way of closing;
// its start page, and Back and Forward through the pages.
#include <gtest/gtest.h>

#include <string>

#include "app/AppHome.h"
#include "app/TutorialDlg.h"
#include "platform/controls/browser/BrowserView.h"
#include "tests/app/dialogs/DialogsFixture.h"
#include "ui/frames/KtvPRegistry.h"

namespace tw::test {
namespace {

constexpr UINT kHelpTutorial = 40135;
constexpr const char* kNoValue = "(none)";

std::string StoredChoice()
{
    CKtvPRegistry reg(FALSE, TRUE);
    CString value;
    if (!reg.Open(CTutorialDlg::kConfigureKey) || !reg.Read(CTutorialDlg::kStartupValue, value))
        return kNoValue;
    return std::string(value);
}

void StoreChoice(const char* value)
{
    CKtvPRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(CTutorialDlg::kConfigureKey));
    if (std::string(value) == kNoValue)
        reg.DeleteValue(CTutorialDlg::kStartupValue);
    else
        ASSERT_TRUE(reg.Write(CTutorialDlg::kStartupValue, value));
}

enum class Opened { AtStartup, FromMenu };
enum class Closed { CloseButton, WmClose, Enter };

class TutorialDlgTest : public ProgramDialogTest {
protected:
    // The dialog is reported when it is made; its modal loop shows it only
    // when it first goes idle, which that report itself holds off. It is shown
    // here as the loop would, so clicks and pixels find it on the screen.
    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const HWND hwndDialog = reinterpret_cast<HWND>(wParam);
        if (message == kDialogSeen && ::IsWindow(hwndDialog) && !::IsWindowVisible(hwndDialog)) {
            ::ShowWindow(hwndDialog, SW_SHOWNORMAL);
            ::UpdateWindow(hwndDialog);
        }
        return ProgramDialogTest::HandleParentMessage(hwnd, message, wParam, lParam);
    }

    // Opens the Tutorial as the start-up or the Help menu does.
    void OpenTutorial(Opened how)
    {
        if (how == Opened::FromMenu) {
            RunCommand(kHelpTutorial);
            return;
        }
        CTutorialDlg dlg(frame);
        dlg.DoModal();
        Pump();
    }

    static CTutorialDlg* Tutorial(HWND hwnd) { return dynamic_cast<CTutorialDlg*>(CWnd::FromHandlePermanent(hwnd)); }
    static tw::browser::BrowserView* Browser(CTutorialDlg& dlg)
    {
        return tw::browser::BrowserView::FromHandle(::GetDlgItem(dlg.GetSafeHwnd(), IDC_TW_TUTORIAL_BROWSER));
    }
    // The toolbar button of a command clicked with the mouse.
    void ClickBarButton(CTutorialDlg& dlg, UINT nCommand)
    {
        const int index = dlg.m_wndToolBar.CommandToIndex(nCommand);
        ASSERT_GE(index, 0);
        CRect rect;
        dlg.m_wndToolBar.GetItemRect(index, rect);
        Click(dlg.m_wndToolBar.GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
        Pump();
    }
};

TEST_F(TutorialDlgTest, TheStartupChoiceIsShownAndKeptAsStated)
{
    const struct {
        const char* stored;
        Opened opened;
        bool tick;  // the user clicks the check box
        Closed closed;
        bool appears;
        bool boxChecked;
        const char* storedAfter;
    } cases[] = {
        {kNoValue, Opened::AtStartup, false, Closed::CloseButton, true, false, "NSD"},
        {kNoValue, Opened::AtStartup, true, Closed::CloseButton, true, false, "SD"},
        {"SD", Opened::AtStartup, false, Closed::CloseButton, true, true, "SD"},
        {"SD", Opened::AtStartup, true, Closed::WmClose, true, true, "NSD"},
        {"NSD", Opened::AtStartup, false, Closed::CloseButton, false, false, "NSD"},
        {"NSD", Opened::FromMenu, false, Closed::CloseButton, true, false, "NSD"},
        {"NSD", Opened::FromMenu, true, Closed::CloseButton, true, false, "SD"},
        {"NSD", Opened::FromMenu, true, Closed::Enter, true, false, "NSD"},
        {"SD", Opened::FromMenu, true, Closed::Enter, true, true, "SD"},
        {"other", Opened::FromMenu, false, Closed::WmClose, true, false, "NSD"},
        {kNoValue, Opened::FromMenu, false, Closed::Enter, true, false, kNoValue},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(row++));
        StoreChoice(c.stored);
        bool checked = false;
        dialogsSeen = 0;
        closeWith = c.closed == Closed::CloseButton ? IDCANCEL : 0;
        onDialog = [&](HWND hwnd) {
            CTutorialDlg* pDlg = Tutorial(hwnd);
            ASSERT_NE(pDlg, nullptr);
            const HWND box = ::GetDlgItem(hwnd, IDC_TW_TUTORIAL_SHOW);
            checked = IsChecked(box);
            if (c.tick)
                ClickButton(box);
            if (c.closed == Closed::WmClose)
                ::PostMessage(hwnd, WM_CLOSE, 0, 0);
            // Enter is queued for the dialog's own loop, which turns it into OK.
            if (c.closed == Closed::Enter) {
                ::SetFocus(box);
                input.KeyStroke(VK_RETURN);
            }
        };
        OpenTutorial(c.opened);
        EXPECT_EQ(dialogsSeen == 1, c.appears) << "its modal loop ran";
        EXPECT_EQ(checked, c.boxChecked);
        EXPECT_EQ(StoredChoice(), c.storedAfter);
    }
}

TEST_F(TutorialDlgTest, TheStartPageShowsItsHeadingAndPicture)
{
    std::string title;
    bool found = false;
    int headingPixels = 0;
    int picturePixels = 0;
    onDialog = [&](HWND hwnd) {
        CTutorialDlg* pDlg = Tutorial(hwnd);
        ASSERT_NE(pDlg, nullptr);
        tw::browser::BrowserView* pView = Browser(*pDlg);
        ASSERT_NE(pView, nullptr);
        title = pView->Title();
        found = pView->Found();
        const HWND browser = ::GetDlgItem(hwnd, IDC_TW_TUTORIAL_BROWSER);
        ::UpdateWindow(browser);
        RECT client;
        ::GetClientRect(browser, &client);
        // The heading's dark blue text near the top; the picture's grey
        // workspace of the main window below it.
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; x += 2) {
                const COLORREF pixel = ScreenPixel(browser, x, y);
                if (y < 90 && GetBValue(pixel) > 80 && GetRValue(pixel) < 60 && GetGValue(pixel) < 80)
                    ++headingPixels;
                if (pixel == RGB(128, 128, 128))
                    ++picturePixels;
            }
        }
    };
    RunCommand(kHelpTutorial);
    ASSERT_EQ(dialogsSeen, 1);
    EXPECT_EQ(title, "Tarnwick Tutorial");
    EXPECT_TRUE(found) << "the page beside the program was read";
    EXPECT_GT(headingPixels, 20);
    EXPECT_GT(picturePixels, 1000);
}

TEST_F(TutorialDlgTest, BackAndForwardMoveThroughThePagesFollowed)
{
    std::string atStart, afterEarlyBack, followed, back, forward;
    onDialog = [&](HWND hwnd) {
        CTutorialDlg* pDlg = Tutorial(hwnd);
        ASSERT_NE(pDlg, nullptr);
        tw::browser::BrowserView* pView = Browser(*pDlg);
        ASSERT_NE(pView, nullptr);
        atStart = pView->CurrentAddress();
        ClickBarButton(*pDlg, ID_TW_TUTORIAL_BACK);
        afterEarlyBack = pView->CurrentAddress();
        pView->Navigate(tw::app::ProgramFolder() + "/Tutorial/logon.htm");
        followed = pView->CurrentAddress();
        ClickBarButton(*pDlg, ID_TW_TUTORIAL_BACK);
        back = pView->CurrentAddress();
        ClickBarButton(*pDlg, ID_TW_TUTORIAL_FORWARD);
        forward = pView->CurrentAddress();
        ClickBarButton(*pDlg, ID_TW_TUTORIAL_STOP);
    };
    RunCommand(kHelpTutorial);
    EXPECT_EQ(dialogsSeen, 1) << "Back with no history raises no message";
    EXPECT_NE(atStart.find("overview.htm"), std::string::npos) << atStart;
    EXPECT_EQ(afterEarlyBack, atStart);
    EXPECT_NE(followed.find("logon.htm"), std::string::npos) << followed;
    EXPECT_EQ(back, atStart);
    EXPECT_EQ(forward, followed);
}

}  // namespace
}  // namespace tw::test
