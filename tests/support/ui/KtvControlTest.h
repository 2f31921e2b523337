// The base of the control tests: a headless parent that is a framework
// window (so owner-drawn items, reflected notifications and WM_COMMAND reach
// their controls as in a dialog), a log of what the controls tell their
// parent, and a pump that runs the framework's message filters.
#pragma once

#include <functional>
#include <vector>

#include "platform/mfc/CWnd.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace tw::test {

struct KtvParentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class KtvControlTest : public HeadlessWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;
    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Pumps with PreTranslateMessage, as the program's message loop does.
    void PumpFiltered();
    void KeyFiltered(UINT vk);
    // Ctrl (or another modifier) held around one key.
    void ChordFiltered(UINT modifier, UINT vk);

    // What the parent got of one message, in order.
    std::vector<KtvParentMessage> Received(UINT message) const;
    void ClearReceived() { received_.clear(); }

    // Answers of the parent: return true with the reply to answer a message.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> answer;
    CWnd host;  // the parent as a framework window

private:
    std::vector<KtvParentMessage> received_;
};

}  // namespace tw::test
