// One window with every control of this folder in the base look: the five
// tab styles with the strip at the top and at the bottom, buttons in each
// border style and state, a menu button, a link, a spin and browse edits.
// The picture goes next to the test program (controls-screenshot.png) for a
// person to look at; the test checks a few pixels that must hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CStatic.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPBrowseEdit.h"
#include "ui/controls/KtvPMenuButton.h"
#include "ui/controls/KtvPSpinButton.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/controls/KtvPURLLinkButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

class StateButton : public CKtvPButton {
public:
    void Hold(BOOL bPushed, BOOL bHighlighted)
    {
        m_Pushed = bPushed;
        m_Highlighted = bHighlighted;
    }
};

class ControlsScreenshot : public tw::test::KtvControlTest {
protected:
    template <class T>
    T* Keep(std::unique_ptr<T> p)
    {
        T* raw = p.get();
        windows.push_back(std::move(p));
        return raw;
    }
    void TearDown() override
    {
        windows.clear();
        KtvControlTest::TearDown();
    }
    CKtvPTabWnd* AddTabs(int style, int location, CRect rect, const char* name)
    {
        auto* pTabs = Keep(std::make_unique<CKtvPTabWnd>());
        EXPECT_TRUE(pTabs->Create(style, rect, &host, 100 + (UINT)windows.size(), location, style >= 3));
        for (int i = 0; i < 4; i++) {
            auto* pPage = Keep(std::make_unique<CStatic>());
            const std::string label = i == 0 ? std::string(name) : "Tab " + std::to_string(i);
            pPage->Create(label.c_str(), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pTabs,
                          1000 + (UINT)windows.size());
            pTabs->AddTab(pPage, label.c_str(), (UINT)-1, FALSE);
        }
        if (style == CKtvPTabWnd::TABSTYLE_SLANTED)
            pTabs->EnableAutoColor(TRUE);
        pTabs->SetActiveTab(1);
        return pTabs;
    }
    std::vector<std::unique_ptr<CWnd>> windows;
};

TEST_F(ControlsScreenshot, EveryControlInTheBaseLook)
{
    host.SetWindowPos(nullptr, 10, 10, 960, 660, SWP_NOZORDER);
    const char* names[] = {"3-D", "Flat", "Shared", "Scrolled", "Slanted"};
    std::vector<CKtvPTabWnd*> tabs;
    for (int style = 0; style < 5; style++) {
        for (int location = 0; location < 2; location++) {
            const int x = 10 + location * 310;
            const int y = 10 + style * 100;
            tabs.push_back(AddTabs(style, location, CRect(x, y, x + 300, y + 90), names[style]));
        }
    }

    const char* styles[] = {"3-D", "Flat", "Semi-flat", "No borders"};
    const char* states[] = {"normal", "hot", "pressed"};
    for (int s = 0; s < 4; s++) {
        for (int st = 0; st < 3; st++) {
            auto* pButton = Keep(std::make_unique<StateButton>());
            const std::string caption = std::string(styles[s]) + " " + states[st];
            const int x = 640 + st * 105;
            const int y = 10 + s * 34;
            pButton->Create(caption.c_str(), WS_CHILD | WS_VISIBLE, CRect(x, y, x + 100, y + 28), &host,
                            200 + s * 3 + st);
            pButton->m_FlatStyle = s;
            pButton->Hold(st == 2, st >= 1);
        }
    }
    auto* pMenuButton = Keep(std::make_unique<CKtvPMenuButton>());
    pMenuButton->Create("Options", WS_CHILD | WS_VISIBLE, CRect(640, 160, 740, 188), &host, 300);
    auto* pLink = Keep(std::make_unique<CKtvPURLLinkButton>());
    pLink->Create("example.org/tarnwick", WS_CHILD | WS_VISIBLE, CRect(750, 165, 940, 185), &host, 301);
    auto* pSpinBuddy = Keep(std::make_unique<CEdit>());
    pSpinBuddy->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(640, 200, 700, 222), &host, 302);
    pSpinBuddy->SetWindowText("42");
    auto* pSpin = Keep(std::make_unique<CKtvPSpinButton>());
    pSpin->Create(WS_CHILD | WS_VISIBLE, CRect(700, 200, 716, 222), &host, 303);
    auto* pFileEdit = Keep(std::make_unique<CKtvPBrowseEdit>());
    pFileEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(640, 235, 940, 257), &host, 304);
    pFileEdit->SetWindowText("C:\\Scripts\\nightly.sql");
    pFileEdit->EnableFileBrowseButton("sql", "SQL Files (*.sql)|*.sql||");
    auto* pLabelEdit = Keep(std::make_unique<CKtvPBrowseEdit>());
    pLabelEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(640, 265, 940, 287), &host, 305);
    pLabelEdit->SetWindowText("Custom action");
    pLabelEdit->EnableBrowseButton(TRUE, "...");
    auto* pCalcEdit = Keep(std::make_unique<CKtvPBrowseEdit>());
    pCalcEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(640, 295, 940, 317), &host, 306);
    pCalcEdit->SetWindowText("1,5");
    pCalcEdit->EnableCalculatorButton();

    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();

    CRect rectWindow;
    host.GetWindowRect(rectWindow);
    const std::string path =
        (std::filesystem::canonical("/proc/self/exe").parent_path() / "controls-screenshot.png").string();
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rectWindow)) << path;

    // The 3-D strip at the bottom has its black line above the strip; the
    // active flat tab joins the content in the window colour.
    CRect strip;
    tabs[0]->GetTabsRect(strip);
    EXPECT_EQ(globalData.clrBarText,
              ScreenPixel(tabs[0]->GetSafeHwnd(), strip.left + 2, strip.top - 1));
    CRect active;
    tabs[2]->GetTabRect(1, active);
    EXPECT_EQ(tabs[2]->GetActiveTabColor(), ScreenPixel(tabs[2]->GetSafeHwnd(), active.CenterPoint().x, active.top));
}

}  // namespace
