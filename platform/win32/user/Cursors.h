// The standard cursors (IDC_ARROW, IDC_IBEAM, ...), drawn here as
// monochrome images, and the current cursor with its show count.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw::user {

class Cursors {
public:
    static HCURSOR Standard(UINT id);  // NULL for an id that is not a standard cursor
    static HCURSOR Set(HCURSOR cursor);
    static HCURSOR Current();
    static int Show(bool show);
};

}  // namespace tw::user
