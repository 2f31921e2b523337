#include "tests/support/ui/KtvControlTest.h"

#include "tests/support/ui/KtvUiTestSetup.h"

namespace tw::test {

void KtvControlTest::SetUp()
{
    KtvPrepareUiTest();
    HeadlessWindowTest::SetUp();
    host.SubclassWindow(parent);
}

void KtvControlTest::TearDown()
{
    if (host.GetSafeHwnd() != nullptr)
        host.UnsubclassWindow();
    answer = nullptr;
    HeadlessWindowTest::TearDown();
}

LRESULT KtvControlTest::HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message >= 0xC000)
        received_.push_back({message, wParam, lParam});
    LRESULT reply = 0;
    if (answer && answer(message, wParam, lParam, reply))
        return reply;
    return HeadlessWindowTest::HandleParentMessage(hwnd, message, wParam, lParam);
}

void KtvControlTest::PumpFiltered()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void KtvControlTest::KeyFiltered(UINT vk)
{
    input.KeyStroke(vk);
    PumpFiltered();
}

void KtvControlTest::ChordFiltered(UINT modifier, UINT vk)
{
    input.KeyDown(modifier);
    input.KeyStroke(vk);
    input.KeyUp(modifier);
    PumpFiltered();
}

std::vector<KtvParentMessage> KtvControlTest::Received(UINT message) const
{
    std::vector<KtvParentMessage> found;
    for (const KtvParentMessage& m : received_) {
        if (m.message == message)
            found.push_back(m);
    }
    return found;
}

}  // namespace tw::test
