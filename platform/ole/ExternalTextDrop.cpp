#include "platform/ole/ExternalTextDrop.h"

#include <cstring>
#include <deque>

#include "platform/ole/DataObject.h"
#include "platform/ole/DropTargets.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/user/DroppedFiles.h"

namespace tw::ole {

namespace external_text_drop_detail {

constexpr char kPosterClass[] = "TwOleTextDropPoster";
constexpr UINT kRunDrops = WM_APP + 0x3D0;

struct PendingDrop {
    POINT screenPt;
    std::string text;
};

// Per thread: drops wait for the thread that routed them, and run from its
// hidden window's message.
struct ThreadDrops {
    HWND poster = nullptr;
    std::deque<PendingDrop> pending;
};

thread_local ThreadDrops t_drops;

LRESULT CALLBACK PosterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRunDrops) {
        while (!t_drops.pending.empty()) {
            PendingDrop drop = std::move(t_drops.pending.front());
            t_drops.pending.pop_front();
            ExternalTextDrop::Perform(drop.screenPt, drop.text);
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        // Drops whose message goes with the window go too, rather than run late.
        t_drops.pending.clear();
        t_drops.poster = nullptr;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND ThreadPoster()
{
    if (t_drops.poster && IsWindow(t_drops.poster))
        return t_drops.poster;
    WNDCLASS wc{};
    wc.lpfnWndProc = PosterProc;
    wc.lpszClassName = kPosterClass;
    RegisterClass(&wc);  // fails harmlessly once the class exists
    t_drops.pending.clear();
    t_drops.poster =
        CreateWindowEx(0, kPosterClass, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return t_drops.poster;
}

bool HasTargetAt(POINT screenPt)
{
    IDropTarget* target = DropTargets::Instance().FindFor(WindowFromPoint(screenPt), nullptr);
    if (!target)
        return false;
    target->Release();
    return true;
}

}  // namespace external_text_drop_detail

void ExternalTextDrop::Install()
{
    tw::user::SetDroppedTextHandler(&ExternalTextDrop::Deliver);
}

bool ExternalTextDrop::Deliver(POINT screenPt, const std::string& utf8)
{
    namespace d = external_text_drop_detail;
    if (!d::HasTargetAt(screenPt))
        return false;
    HWND poster = d::ThreadPoster();
    if (!poster)
        return false;
    d::t_drops.pending.push_back(d::PendingDrop{screenPt, utf8});
    if (PostMessage(poster, d::kRunDrops, 0, 0))
        return true;
    d::t_drops.pending.pop_back();
    return false;
}

IDataObject* ExternalTextDrop::MakeTextData(const std::string& utf8)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, utf8.size() + 1);
    if (!block)
        return nullptr;
    auto* bytes = static_cast<char*>(GlobalLock(block));
    std::memcpy(bytes, utf8.c_str(), utf8.size() + 1);
    GlobalUnlock(block);
    auto* data = new DataObject;
    data->Cache(GlobalFormat(CF_TEXT), block);
    return data;
}

bool ExternalTextDrop::Perform(POINT screenPt, const std::string& utf8)
{
    HWND owner = nullptr;
    IDropTarget* target = DropTargets::Instance().FindFor(WindowFromPoint(screenPt), &owner);
    if (!target)
        return false;
    IDataObject* data = MakeTextData(utf8);
    if (!data) {
        target->Release();
        return false;
    }
    const POINTL where{screenPt.x, screenPt.y};
    // Over the window the other program's drag holds the button; at the drop it is up.
    DWORD effect = DROPEFFECT_COPY;
    bool accepted = SUCCEEDED(target->DragEnter(data, MK_LBUTTON, where, &effect)) && (effect & DROPEFFECT_COPY);
    if (accepted) {
        effect = DROPEFFECT_COPY;
        accepted = SUCCEEDED(target->DragOver(MK_LBUTTON, where, &effect)) && (effect & DROPEFFECT_COPY);
    }
    bool dropped = false;
    if (accepted) {
        effect = DROPEFFECT_COPY;
        dropped = SUCCEEDED(target->Drop(data, 0, where, &effect)) && (effect & DROPEFFECT_COPY);
    } else {
        target->DragLeave();
    }
    target->Release();
    data->Release();
    return dropped;
}

}  // namespace tw::ole
