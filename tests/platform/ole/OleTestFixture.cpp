#include "tests/platform/ole/OleTestFixture.h"

#include <cstring>

#include "platform/display/Display.h"
#include "platform/ole/ExternalTextDrop.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Threads.h"

namespace tw::ole::test {

void OleTest::SetUp()
{
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    OleInitialize(nullptr);
    Pump();
}

void OleTest::TearDown()
{
    ReleaseCapture();
    std::vector<HWND> tops;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tops));
    for (HWND hwnd : tops) {
        RevokeDragDrop(hwnd);
        DestroyWindow(hwnd);
    }
    tw::display::Display::Instance().Input().Clear();
    Pump();
    // The clipboard owns what a test left on it.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    OleUninitialize();
    tw::ProcessClock::Resume();
}

void OleTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

HWND OleTest::MakeWindow(RECT rect)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "OleTestWindow";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(&wc);
    return CreateWindowEx(0, "OleTestWindow", "", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
}

HWND OleTest::MakeChild(HWND parent, RECT rect)
{
    return CreateWindowEx(0, "OleTestWindow", "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, nullptr, nullptr);
}

POINT OleTest::Centre(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

IDataObject* OleTest::TextData(const std::string& text)
{
    return ExternalTextDrop::MakeTextData(text);
}

std::string OleTest::TextOf(IDataObject* data, CLIPFORMAT format)
{
    FORMATETC request = GlobalFormat(format);
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&request, &medium)))
        return "<none>";
    const char* text = static_cast<const char*>(GlobalLock(medium.hGlobal));
    std::string result(text, strnlen(text, GlobalSize(medium.hGlobal)));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return result;
}

DWORD RecordingTarget::Answer(DWORD keys, DWORD offered) const
{
    if (refuse)
        return DROPEFFECT_NONE;
    const DWORD wanted = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    return offered & wanted;
}

HRESULT RecordingTarget::DragEnter(IDataObject*, DWORD grfKeyState, POINTL, DWORD* pdwEffect)
{
    events.push_back("enter");
    *pdwEffect = Answer(grfKeyState, *pdwEffect);
    return S_OK;
}

HRESULT RecordingTarget::DragOver(DWORD grfKeyState, POINTL, DWORD* pdwEffect)
{
    if (events.empty() || events.back() != "over")
        events.push_back("over");
    *pdwEffect = Answer(grfKeyState, *pdwEffect);
    return S_OK;
}

HRESULT RecordingTarget::DragLeave()
{
    events.push_back("leave");
    return S_OK;
}

HRESULT RecordingTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL, DWORD* pdwEffect)
{
    events.push_back("drop");
    droppedText = OleTest::TextOf(pDataObj);
    *pdwEffect = Answer(grfKeyState, *pdwEffect);
    return S_OK;
}

HRESULT RecordingSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    if (fEscapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(grfKeyState & MK_LBUTTON))
        return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT RecordingSource::GiveFeedback(DWORD dwEffect)
{
    feedback.push_back(dwEffect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

}  // namespace tw::ole::test
