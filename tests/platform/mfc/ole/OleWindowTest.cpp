#include "tests/platform/mfc/ole/OleWindowTest.h"
#include "tests/support/window/HeadlessWindowTest.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "platform/controls/grid/GridAutomation.h"
#include "platform/display/Display.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Threads.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "tests/platform/mfc/ole/fixtures/OleFixtures.h"

namespace tw::mfc::ole_test {

namespace {

class OleTestApp : public CWinApp {
public:
    OleTestApp() : CWinApp("OleTests") {}
};

OleTestApp& App()
{
    static OleTestApp app;
    return app;
}

}  // namespace

void OleWindowTest::SetUp()
{
    static std::once_flag once;
    std::call_once(once, [] {
        App();
        tw::RegisterStandardControlClasses();
        tw::RegisterResources(tw::ProgramInstance(), OleFixtureResources());
        tw::grid::RegisterClasses();
    });
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    ASSERT_TRUE(AfxOleInit());
    AfxEnableControlContainer();
    Pump();
}

void OleWindowTest::TearDown()
{
    ReleaseCapture();
    tw::test::DestroyTopLevelWindows(true);
    tw::display::Display::Instance().Input().Clear();
    Pump();
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    AfxDeleteTempMaps();
    OleUninitialize();
    tw::ProcessClock::Resume();
}

void OleWindowTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

std::string OleWindowTest::TextOf(HGLOBAL block)
{
    if (!block)
        return "<none>";
    const char* text = static_cast<const char*>(GlobalLock(block));
    std::string result(text, strnlen(text, GlobalSize(block)));
    GlobalUnlock(block);
    return result;
}

std::string OleWindowTest::TextOfPublic(HGLOBAL block, bool free)
{
    std::string text = TextOf(block);
    if (block && free)
        GlobalFree(block);
    return text;
}

HGLOBAL OleWindowTest::TextBlock(const std::string& text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

POINT OleWindowTest::Centre(HWND hwnd)
{
    RECT r;
    ::GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace tw::mfc::ole_test
