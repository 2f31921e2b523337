// The fixture of the docking-pane tests: the test frame with panes that paint
// themselves in one colour, and helpers that dock, drag and read their places.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CMemFile.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPSlider.h"

namespace tw::test {

// Float, auto-hide, resize and close: the style the program's panes have.
constexpr DWORD kPaneStyle = KTVP_CBRS_FLOAT | KTVP_CBRS_AUTOHIDE | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE;

// Every pixel of the screen, to compare before and after.
inline std::vector<uint32_t> ScreenPixels()
{
    const auto& screen = tw::display::Display::Instance().GetScreen();
    auto lock = screen.Lock();
    return std::vector<uint32_t>(screen.Data(), screen.Data() + screen.Width() * screen.Height());
}

// An object's stored record, and reading one back into an object.
inline std::vector<BYTE> StoreObject(CObject& object)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    const auto nLength = (size_t)file.GetLength();
    BYTE* pData = file.Detach();
    std::vector<BYTE> bytes(pData, pData + nLength);
    std::free(pData);
    return bytes;
}

inline void LoadObject(CObject& object, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
}

class TestPane : public CKtvPDockingControlBar {
public:
    explicit TestPane(COLORREF clr = RGB(255, 255, 255)) : m_clr(clr) { SetMinSize(CSize(20, 20)); }

    void DoPaint(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(rect);
        pDC->FillSolidRect(rect, m_clr);
    }

    COLORREF m_clr;

protected:
    void PostNcDestroy() override { delete this; }
};

class DockingPaneTest : public DockFrameTest {
protected:
    void SetUp() override
    {
        KtvPrepareUiTest();
        DockFrameTest::SetUp();
    }

    TestPane* AddPane(UINT nID, int cx, int cy, COLORREF clr = RGB(255, 255, 255), DWORD dwStyle = kPaneStyle,
                      LPCTSTR lpszCaption = "Pane")
    {
        auto* pPane = new TestPane(clr);
        EXPECT_TRUE(pPane->Create(lpszCaption, frame, CRect(0, 0, cx, cy), TRUE, nID,
                                  WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, dwStyle));
        pPane->EnableDocking(CBRS_ALIGN_ANY);
        return pPane;
    }

    // A pane docked at a frame side, cx wide (or cy high) there.
    TestPane* DockedPane(UINT nID, DWORD dwSide, int cx, int cy, COLORREF clr = RGB(255, 255, 255))
    {
        TestPane* pPane = AddPane(nID, cx, cy, clr);
        EXPECT_TRUE(pPane->DockToFrameWindow(dwSide));
        Pump();
        return pPane;
    }

    static CRect Rect(const CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        return rect;
    }

    CRect ClientRectOf(const CWnd* pWnd)
    {
        CRect rect = Rect(pWnd);
        frame->ScreenToClient(rect);
        return rect;
    }

    // Presses at a screen point, moves by the given steps, and releases unless told not to.
    void Drag(CPoint ptStart, std::initializer_list<CPoint> moves, bool bRelease = true)
    {
        // Far in time from any earlier press, so it is no double click.
        Advance(1000);
        input.MouseMove(ptStart.x, ptStart.y);
        Pump();
        input.ButtonDown(tw::display::MouseButton::Left, ptStart.x, ptStart.y);
        Pump();
        CPoint pt = ptStart;
        for (CPoint delta : moves) {
            pt += delta;
            input.MouseMove(pt.x, pt.y);
            Pump();
        }
        if (bRelease) {
            input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
            Pump();
        }
    }

    // A point on the pane's caption, left of its buttons.
    static CPoint CaptionPoint(const CKtvPDockingControlBar* pPane)
    {
        const CRect rect = Rect(pPane);
        return CPoint(rect.left + 10, rect.top + pPane->GetCaptionHeightSetting() / 2);
    }

    void Advance(uint64_t ms)
    {
        tw::ProcessClock::Advance(ms);
        Pump();
    }

    // A click on one of the buttons of a docked pane's caption (close, pin).
    void ClickCaptionButton(CKtvPDockingControlBar* pPane, UINT nHit)
    {
        CKtvPCaptionButton* pBtn = pPane->FindButtonByHit(nHit);
        ASSERT_NE(nullptr, pBtn);
        CRect rectBtn = pBtn->GetRect();
        rectBtn.OffsetRect(Rect(pPane).TopLeft());
        Advance(1000);
        input.Click(tw::display::MouseButton::Left, rectBtn.CenterPoint().x, rectBtn.CenterPoint().y);
        Pump();
    }
};

}  // namespace tw::test
