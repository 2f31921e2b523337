#include "platform/win32/user/DroppedFiles.h"

#include <atomic>
#include <cstring>

#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowTree.h"
#include "platform/win32/user/winuser.h"

namespace tw::user {

namespace {

HWND DropAcceptingWindow(HWND hwnd)
{
    for (; hwnd; hwnd = GetAncestor(hwnd, GA_PARENT)) {
        if (GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
            return hwnd;
        if (!(GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD))
            return nullptr;
    }
    return nullptr;
}

std::atomic<DroppedTextHandler> g_droppedTextHandler{nullptr};

bool DropPointIsNonClient(HWND hwnd, POINT clientPt)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    return !PtInRect(&client, clientPt);
}

}  // namespace

HDROP MakeDropHandle(const std::vector<std::string>& paths, POINT clientPt, BOOL nonClient)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const auto& path : paths)
        bytes += path.size() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!block)
        return nullptr;
    auto* base = static_cast<char*>(GlobalLock(block));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.pt = clientPt;
    header.fNC = nonClient;
    header.fWide = FALSE;
    std::memcpy(base, &header, sizeof header);
    char* out = base + sizeof(DROPFILES);
    for (const auto& path : paths) {
        std::memcpy(out, path.data(), path.size());
        out += path.size() + 1;
    }
    GlobalUnlock(block);
    return HDROP(block);
}

bool DeliverDroppedFiles(POINT screenPt, const std::vector<std::string>& paths)
{
    if (paths.empty())
        return false;
    HWND target = nullptr;
    {
        UserGuard guard(UserMutex());
        target = DropAcceptingWindow(WindowUnderPoint(screenPt, nullptr));
    }
    if (!target)
        return false;
    POINT clientPt = screenPt;
    ScreenToClient(target, &clientPt);
    HDROP drop = MakeDropHandle(paths, clientPt, DropPointIsNonClient(target, clientPt));
    if (!drop)
        return false;
    if (PostMessage(target, WM_DROPFILES, WPARAM(drop), 0))
        return true;
    GlobalFree(HGLOBAL(drop));
    return false;
}

void SetDroppedTextHandler(DroppedTextHandler handler)
{
    g_droppedTextHandler.store(handler);
}

bool DeliverDroppedText(POINT screenPt, const std::string& utf8)
{
    const DroppedTextHandler handler = g_droppedTextHandler.load();
    return handler && handler(screenPt, utf8);
}

}  // namespace tw::user
