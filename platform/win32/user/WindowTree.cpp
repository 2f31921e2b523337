#include "platform/win32/user/WindowTree.h"

#include <algorithm>
#include <strings.h>

#include "platform/display/Display.h"

namespace tw::user {

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const
{
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

WindowTree& WindowTree::Instance()
{
    static WindowTree tree;
    return tree;
}

WindowTree::WindowTree()
{
    desktop_ = Allocate();
    desktop_->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    desktop_->creating = false;
    SyncScreenSize();
}

bool WindowTree::SyncScreenSize()
{
    const RECT screen = tw::display::Display::Instance().GetScreen().Bounds();
    const bool changed = screen.right != desktop_->rect.right || screen.bottom != desktop_->rect.bottom;
    desktop_->rect = screen;
    desktop_->clientRect = screen;
    return changed;
}

Window* WindowTree::Find(HWND hwnd) const
{
    const auto it = windows_.find(reinterpret_cast<uintptr_t>(hwnd));
    if (it == windows_.end() || it->second->destroyed)
        return nullptr;
    return it->second.get();
}

Window* WindowTree::Allocate()
{
    auto window = std::make_unique<Window>();
    window->handle = reinterpret_cast<HWND>(nextHandle_);
    nextHandle_ += 4;
    Window* raw = window.get();
    windows_[reinterpret_cast<uintptr_t>(raw->handle)] = std::move(window);
    return raw;
}

void WindowTree::Free(Window* window)
{
    windows_.erase(reinterpret_cast<uintptr_t>(window->handle));
}

void WindowTree::Link(Window* window, Window* parent, HWND insertAfter)
{
    window->parent = parent;
    parent->children.push_back(window);
    Restack(window, insertAfter);
}

void WindowTree::Unlink(Window* window)
{
    if (!window->parent)
        return;
    std::erase(window->parent->children, window);
    window->parent = nullptr;
}

void WindowTree::Restack(Window* window, HWND insertAfter)
{
    PlaceInBand(window, insertAfter);
    if (window->parent == desktop_)
        RaiseOwnedAbove(window);
}

// Owned windows (floating panes, popups, tool tips) move with their owner
// and stay just in front of it, keeping their own order among themselves.
void WindowTree::RaiseOwnedAbove(Window* owner)
{
    auto& siblings = desktop_->children;
    std::vector<Window*> owned;
    for (Window* w : siblings) {
        if (w->owner == owner->handle && w != owner)
            owned.push_back(w);
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        Window* w = *it;
        // A topmost owned window stays in the topmost band, in front anyway.
        if ((w->exStyle & WS_EX_TOPMOST) && !(owner->exStyle & WS_EX_TOPMOST))
            continue;
        siblings.erase(std::find(siblings.begin(), siblings.end(), w));
        siblings.insert(std::find(siblings.begin(), siblings.end(), owner), w);
    }
    for (Window* w : owned)
        RaiseOwnedAbove(w);
}

void WindowTree::PlaceInBand(Window* window, HWND insertAfter)
{
    auto& siblings = window->parent->children;
    std::erase(siblings, window);
    const bool topmost = (window->exStyle & WS_EX_TOPMOST) != 0;
    // Topmost windows stay in front of all others, so "top" and "bottom"
    // are taken within the window's own band.
    auto bandBegin = siblings.begin();
    if (!topmost)
        bandBegin = std::find_if(siblings.begin(), siblings.end(),
                                 [](const Window* w) { return !(w->exStyle & WS_EX_TOPMOST); });
    auto bandEnd = topmost ? std::find_if(siblings.begin(), siblings.end(),
                                          [](const Window* w) { return !(w->exStyle & WS_EX_TOPMOST); })
                           : siblings.end();
    if (insertAfter == HWND_BOTTOM) {
        siblings.insert(bandEnd, window);
        return;
    }
    Window* after = (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)
                        ? nullptr
                        : Find(insertAfter);
    auto afterIt = after ? std::find(siblings.begin(), siblings.end(), after) : siblings.end();
    if (!after || afterIt == siblings.end()) {
        siblings.insert(bandBegin, window);
        return;
    }
    auto pos = afterIt + 1;
    pos = std::clamp(pos, bandBegin, bandEnd);
    siblings.insert(pos, window);
}

POINT WindowTree::ClientOrigin(const Window* window) const
{
    POINT origin{0, 0};
    for (const Window* w = window; w && w != desktop_; w = w->parent) {
        origin.x += w->rect.left + w->clientRect.left;
        origin.y += w->rect.top + w->clientRect.top;
    }
    return origin;
}

RECT WindowTree::ScreenRect(const Window* window) const
{
    if (window == desktop_)
        return window->rect;
    const POINT parentOrigin = ClientOrigin(window->parent);
    const RECT& r = window->rect;
    return RECT{r.left + parentOrigin.x, r.top + parentOrigin.y, r.right + parentOrigin.x, r.bottom + parentOrigin.y};
}

RECT WindowTree::ScreenClientRect(const Window* window) const
{
    const POINT origin = ClientOrigin(window);
    return RECT{origin.x, origin.y, origin.x + (window->clientRect.right - window->clientRect.left),
                origin.y + (window->clientRect.bottom - window->clientRect.top)};
}

bool WindowTree::IsVisible(const Window* window) const
{
    for (const Window* w = window; w; w = w->parent) {
        if (!(w->style & WS_VISIBLE))
            return false;
    }
    return true;
}

Window* WindowTree::TopLevelOf(Window* window) const
{
    while (window && window->parent && window->parent != desktop_)
        window = window->parent;
    return window;
}

bool WindowTree::IsDescendant(const Window* ancestor, const Window* window) const
{
    for (const Window* w = window ? window->parent : nullptr; w; w = w->parent) {
        if (w == ancestor)
            return true;
    }
    return false;
}

}  // namespace tw::user
