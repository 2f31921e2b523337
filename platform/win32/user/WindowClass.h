// Registered window classes. Class names compare without case, as the
// platform's do; a class is found by name or by its atom.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/user/winuser.h"

namespace tw::user {

struct WindowClass {
    ATOM atom = 0;
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LPCSTR menuName = nullptr;  // an integer resource or a pointer into menuNameText
    std::string menuNameText;
    std::vector<BYTE> extra;
    int windowCount = 0;
};

// The table of classes; callers hold the window system's lock.
class WindowClassTable {
public:
    static WindowClassTable& Instance();

    // Returns the new atom, or 0 when the name is taken or the request is invalid.
    ATOM Register(const WNDCLASSEX& wc);
    std::shared_ptr<WindowClass> Find(LPCSTR nameOrAtom) const;
    bool Unregister(LPCSTR nameOrAtom, DWORD* error);

private:
    std::vector<std::shared_ptr<WindowClass>> classes_;
    ATOM nextAtom_ = 0xC000;
};

}  // namespace tw::user
