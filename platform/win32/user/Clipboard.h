// The clipboard: data handles by format, its owner and who has it open.
// Text formats stand in for one another (CF_TEXT, CF_OEMTEXT and
// CF_UNICODETEXT); on the desktop backend text also goes to and comes from
// the person's desktop clipboard.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/user/winuser.h"

namespace tw::user {

class Clipboard {
public:
    static Clipboard& Instance();

    bool Open(HWND hwnd);
    bool Close();
    bool Empty();
    HANDLE Set(UINT format, HANDLE data);
    HANDLE Get(UINT format);
    bool IsAvailable(UINT format);
    UINT Enumerate(UINT previous);
    int Count();
    HWND Owner();
    HWND OpenWindow();
    void ForgetWindow(HWND hwnd);

private:
    Clipboard();
    ~Clipboard();
    struct Entry {
        UINT format;
        HANDLE data;
        bool synthesized;  // made from another text format
    };
    bool IsOpenHere() const;
    std::vector<UINT> Formats() const;  // held ones, then those text conversion can make
    Entry* Find(UINT format);
    HANDLE Synthesize(UINT format);
    void ImportDesktopText();
    void ExportDesktopText();
    static void FreeData(UINT format, HANDLE data);

    std::vector<Entry> entries_;
    bool open_ = false;
    DWORD openThread_ = 0;
    HWND openWindow_ = nullptr;
    HWND owner_ = nullptr;
    bool changed_ = false;
    std::string lastDesktopText_;
};

}  // namespace tw::user
