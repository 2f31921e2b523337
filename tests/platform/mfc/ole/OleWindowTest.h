// The fixture of the OLE glue tests: OLE and the control container started,
// the grid and the test resources registered, the headless display with a
// frozen clock, and nothing left behind (windows, capture, clipboard).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/display/InputInjector.h"
#include "platform/mfc/afxole.h"

namespace tw::mfc::ole_test {

class OleWindowTest : public ::testing::Test {
public:
    // For the test classes' own members.
    static std::string TextOfPublic(HGLOBAL block, bool free);
    static HGLOBAL TextBlockPublic(const std::string& text) { return TextBlock(text); }

protected:
    void SetUp() override;
    void TearDown() override;
    static void Pump();
    static std::string TextOf(HGLOBAL block);
    // A block holding the text and its terminating zero.
    static HGLOBAL TextBlock(const std::string& text);
    static POINT Centre(HWND hwnd);

    tw::display::InputInjector input;
};

}  // namespace tw::mfc::ole_test
