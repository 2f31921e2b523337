// Small stand-ins for the standard BUTTON, STATIC, EDIT and LISTBOX classes,
// registered under those names only when the real ones are not: just what
// the dialog manager talks to (dialog codes, button styles and checks,
// clicks, an edit's selection), and a record of what reached them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/win32/dialog/windlg.h"

namespace tw::dlg::test {

constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kBmSetStyle = 0x00F4;
constexpr UINT kBmClick = 0x00F5;
constexpr UINT kEmSetSel = 0x00B1;
constexpr DWORD kBsPushButton = 0x0;
constexpr DWORD kBsDefPushButton = 0x1;
constexpr DWORD kBsAutoCheckBox = 0x3;
constexpr DWORD kBsGroupBox = 0x7;
constexpr DWORD kBsAutoRadioButton = 0x9;
constexpr DWORD kBsTypeMask = 0xF;
constexpr UINT kBstChecked = 1;

class TestControls {
public:
    static void Register();
    // "EM_SETSEL 0 -1" and the like, per control, since the last Clear.
    static std::vector<std::string> Received(HWND control);
    static void Clear();
};

}  // namespace tw::dlg::test
