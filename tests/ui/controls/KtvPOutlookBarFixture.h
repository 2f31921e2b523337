// The fixture of the outlook bar tests: a bar of the given class docked in the
// test frame, its outlook window, and list-box pages added as the Snippets
// pane adds them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/CListBox.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/docking/KtvPOutlookBar.h"

namespace tw::test {

template <class Bar>
class KtvOutlookBarFixture : public DockFrameTest {
protected:
    void SetUp() override
    {
        KtvPrepareUiTest();  // dialog templates and pictures are the program's resources
        DockFrameTest::SetUp();
    }
    void TearDown() override
    {
        if (bar != nullptr && bar->GetSafeHwnd() != nullptr)
            bar->DestroyWindow();
        bar.reset();
        lists.clear();
        DockFrameTest::TearDown();
    }
    // A bar of list-box pages, each holding its label and the given number of lines.
    void MakeListBar(const std::vector<std::string>& labels, BOOL bNavigationPane = FALSE,
                     DWORD dwControlBarStyle = 0, int nLines = 1)
    {
        bar = std::make_unique<Bar>();
        bar->SetNavigationPaneMode(bNavigationPane);
        ASSERT_TRUE(bar->Create("Snippets", frame, CRect(0, 0, 180, 300), 40267, WS_CHILD | WS_VISIBLE | CBRS_LEFT,
                                dwControlBarStyle));
        wnd = dynamic_cast<CKtvPOutlookWnd*>(bar->GetUnderlinedWindow());
        ASSERT_NE(nullptr, wnd);
        for (const std::string& label : labels) {
            auto list = std::make_unique<CListBox>();
            list->Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 10, 10), wnd, 500 + (UINT)lists.size());
            for (int k = 0; k < nLines; k++)
                list->AddString(nLines == 1 ? label.c_str() : (label + " snippet " + std::to_string(k + 1)).c_str());
            wnd->AddControl(list.get(), label.c_str(), -1, TRUE);
            lists.push_back(std::move(list));
        }
        Pump();
    }

    std::unique_ptr<Bar> bar;
    CKtvPOutlookWnd* wnd = nullptr;
    std::vector<std::unique_ptr<CListBox>> lists;
};

}  // namespace tw::test
