// A framework parent for the program's own controls, as on a dialog: the
// library's control-test base with the program's application object made
// first, so the process has the one application the main-window tests use,
// and the standard controls' classes.
#pragma once

#include "platform/win32/controls/stdctrl.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "tests/support/ui/KtvControlTest.h"

namespace tw::test {

class ProgramControlTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        App();
        tw::RegisterStandardControlClasses();  // the tests make controls as a template would
        KtvControlTest::SetUp();
    }
};

}  // namespace tw::test
