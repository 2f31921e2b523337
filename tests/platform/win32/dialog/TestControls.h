// The standard control classes for the dialog tests: the real ones, and a
// small stand-in for any class the controls library does not have yet (it
// answers the dialog manager's questions and keeps its font, nothing more).
#pragma once

#include "platform/win32/dialog/windlg.h"

namespace tw::dlg::test {

class TestControls {
public:
    static void Register();
};

}  // namespace tw::dlg::test
