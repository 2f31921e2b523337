#include "tests/platform/mfc/print/PrintTest.h"
#include "tests/support/window/HeadlessWindowTest.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "platform/display/Display.h"
#include "platform/win32/gdi/PrinterSpooler.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::mfc::print_test {

namespace {
const UINT kFindReplaceMessage = ::RegisterWindowMessage(FINDMSGSTRING);

// A machine without a print system: the only printer writes PDF files.
class NoSystemPrinters : public tw::gdi::PrinterSpooler {
public:
    std::vector<std::string> Printers() override { return {}; }
    std::string DefaultPrinter() override { return {}; }
    bool Submit(const std::vector<std::string>&) override { return false; }
};
}  // namespace

PrintTestApp& TheApp()
{
    static PrintTestApp app;
    return app;
}

int PrintTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    prompts.emplace_back(lpszPrompt);
    return IDOK;
}

IMPLEMENT_DYNCREATE(OwnerFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(OwnerFrame, CFrameWnd)
    ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
    ON_REGISTERED_MESSAGE(kFindReplaceMessage, OnFindReplace)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageStringRecorded)
END_MESSAGE_MAP()

LRESULT OwnerFrame::OnSetMessageStringRecorded(WPARAM wParam, LPARAM lParam)
{
    if (!wParam && lParam)
        messageStrings.emplace_back(reinterpret_cast<LPCTSTR>(lParam));
    return OnSetMessageString(wParam, lParam);
}

LRESULT OwnerFrame::OnEnterIdle(WPARAM, LPARAM lParam)
{
    if (onIdle)
        onIdle(reinterpret_cast<HWND>(lParam));
    return 0;
}

LRESULT OwnerFrame::OnFindReplace(WPARAM, LPARAM lParam)
{
    CFindReplaceDialog* notifier = CFindReplaceDialog::GetNotifier(lParam);
    if (!notifier)
        return 0;
    FindCall call{notifier, notifier->m_fr.Flags, std::string(notifier->GetFindString()),
                  std::string(notifier->GetReplaceString()), notifier->IsTerminating() != FALSE};
    findCalls.push_back(call);
    return 0;
}

void PrintTest::SetUp()
{
    static std::once_flag once;
    std::call_once(once, [] { tw::RegisterStandardControlClasses(); });
    TheApp().prompts.clear();
    tw::gdi::SetPrinterSpooler(std::make_shared<NoSystemPrinters>());
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    // The printer's PDF files are written here.
    setenv("XDG_DOCUMENTS_DIR", std::filesystem::current_path().c_str(), 1);
    CCreateContext context;
    context.m_pNewViewClass = viewClass;
    context.m_pCurrentDoc = doc;
    frame = new OwnerFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 470), nullptr,
                              nullptr, 0, viewClass ? &context : nullptr));
    frameHwnd = frame->m_hWnd;
    if (doc)
        frame->InitialUpdateFrame(doc, TRUE);
    TheApp().m_pMainWnd = frame;
    Pump();
}

void PrintTest::TearDown()
{
    TheApp().m_pMainWnd = nullptr;
    if (doc && IsWindow(frameHwnd))
        doc->SetModifiedFlag(FALSE);
    tw::test::DestroyTopLevelWindows(true);
    tw::display::Display::Instance().Input().Clear();
    Pump();
    MSG quit;
    while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    AfxDeleteTempMaps();
    tw::gdi::SetPrinterSpooler(nullptr);
    tw::ProcessClock::Resume();
}

void PrintTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (AfxGetThread() && AfxGetThread()->PreTranslateMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void PrintTest::Key(UINT vk)
{
    input.KeyStroke(vk);
}

void PrintTest::Type(const std::string& text)
{
    for (char c : text) {
        const SHORT scan = VkKeyScan(c);
        const bool shift = (scan >> 8) & 1;
        if (shift)
            input.KeyDown(VK_SHIFT);
        input.KeyStroke(static_cast<UINT>(scan & 0xFF));
        if (shift)
            input.KeyUp(VK_SHIFT);
    }
}

std::string PrintTest::TextOf(HWND hwnd)
{
    char buffer[1024] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

void PrintTest::OnIdle(std::function<void(HWND, int)> step)
{
    idleCount_ = 0;
    frame->onIdle = [this, step](HWND idle) { step(idle, ++idleCount_); };
}

}  // namespace tw::mfc::print_test
