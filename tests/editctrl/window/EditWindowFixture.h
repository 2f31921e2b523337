// A headless edit control in a parent window that counts the change
// notices, with a frozen clock so timers tick only when a test says so.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editctrl/KtvPEditCtrl.h"

namespace ktvp_window_test {

class NoticeParent : public CWnd {
public:
    int m_nChangeNotices = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KtvPEditChangeMessage())
            ++m_nChangeNotices;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class EditWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void Pump();
    std::string Text() const;
    // Client point just right of the boundary before the offset, mid-row.
    POINT PointOf(int offset) const;
    void Key(UINT vk);
    void Type(const std::string& text);
    void Click(POINT pt, bool shift = false);
    void SetClipboard(const std::string& text);
    std::string ClipboardText() const;

    NoticeParent parent;
    CKtvPEditCtrl edit;
};

}  // namespace ktvp_window_test
