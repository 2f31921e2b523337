// The browser's window ("TwWebBrowser"): shows one page scrolled vertically,
// follows links (local pages here, web and mail addresses in the system's
// own programs) and keeps the history for Back and Forward.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/browser/BrowserHistory.h"
#include "platform/controls/browser/HtmlPage.h"
#include "platform/win32/user/ObjectWindow.h"
#include "platform/win32/user/winuser.h"

namespace tw::browser {

class BrowserView {
public:
    static constexpr const char* kClassName = "TwWebBrowser";
    static void RegisterWindowClass();
    // The view behind a "TwWebBrowser" window, or NULL.
    static BrowserView* FromHandle(HWND hwnd);

    // Shows an address: a file path, a "file:" address, or a path with a
    // "#fragment"; web and mail addresses go to the system's programs.
    void Navigate(const std::string& address);
    bool GoBack();
    bool GoForward();
    // Loading is synchronous, so there is never a load in progress to end.
    void Stop() {}

    const std::string& CurrentAddress() const { return history_.Current(); }
    const std::string& Title() const { return page_.Title(); }
    int ScrollTop() const { return scrollY_; }
    int PageHeight() const { return page_.Height(); }
    // The page was read; false after an error page was shown.
    bool Found() const { return found_; }

private:
    explicit BrowserView(HWND hwnd);
    static constexpr const char* kObjectProp = "tw.webbrowser";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend LRESULT tw::ObjectWindowProc<BrowserView>(const char*, HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Show(const std::string& address);
    void ShowFile(const std::string& address, const std::string& fragment);
    void ShowError(const std::string& path);
    void FollowLink(const std::string& href);
    void Relayout();
    void ScrollTo(int top);
    void UpdateScrollBar();
    void OnPaint();
    void OnKeyDown(WPARAM key);
    void OnVScroll(int code);
    int ClientHeight() const;

    HWND hwnd_;
    HtmlPage page_;
    BrowserHistory history_;
    std::string path_;
    std::string pendingFragment_;
    int scrollY_ = 0;
    bool found_ = false;
    bool trackingLeave_ = false;
    std::vector<uint32_t> pixels_;
};

// Whether an address is one the system's programs open (web, FTP, mail).
bool IsExternalAddress(const std::string& address);

}  // namespace tw::browser
