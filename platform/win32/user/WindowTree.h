// The windows of the process: the handle table, the desktop window at the
// root, parent/child links in z-order, and the few pieces of state the screen
// has once (focus, active window, capture). One recursive lock guards it all;
// it is never held while a window procedure runs.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/win32/user/Window.h"

namespace tw::user {

using UserGuard = std::lock_guard<std::recursive_mutex>;

class WindowTree {
public:
    static WindowTree& Instance();
    std::recursive_mutex& Mutex() { return mutex_; }

    Window* Desktop() { return desktop_; }
    // The desktop covers the display's screen; called where its size matters.
    bool SyncScreenSize();  // true when the screen's size changed
    Window* Find(HWND hwnd) const;  // nullptr for a stale or foreign handle
    Window* Allocate();
    void Free(Window* window);

    // Z-order: insertAfter is HWND_TOP, HWND_BOTTOM or a sibling.
    void Link(Window* window, Window* parent, HWND insertAfter);
    void Unlink(Window* window);
    void Restack(Window* window, HWND insertAfter);

    POINT ClientOrigin(const Window* window) const;   // on the screen
    RECT ScreenRect(const Window* window) const;      // window rectangle on the screen
    RECT ScreenClientRect(const Window* window) const;
    bool IsVisible(const Window* window) const;       // itself and every ancestor
    bool IsTopLevel(const Window* window) const { return window->parent == desktop_; }
    Window* TopLevelOf(Window* window) const;
    bool IsDescendant(const Window* ancestor, const Window* window) const;

    // Pre-order walk (a parent before its children, front to back).
    template <typename F>
    void ForEach(Window* root, F&& visit)
    {
        visit(root);
        for (Window* child : std::vector<Window*>(root->children))
            ForEach(child, visit);
    }

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool appActive = false;


private:
    WindowTree();
    void PlaceInBand(Window* window, HWND insertAfter);
    void RaiseOwnedAbove(Window* owner);
    mutable std::recursive_mutex mutex_;
    std::map<uintptr_t, std::unique_ptr<Window>> windows_;
    uintptr_t nextHandle_ = 0x10000;
    Window* desktop_ = nullptr;
};

// Shorthands used across the window system.
inline WindowTree& Tree() { return WindowTree::Instance(); }
inline std::recursive_mutex& UserMutex() { return WindowTree::Instance().Mutex(); }

}  // namespace tw::user
