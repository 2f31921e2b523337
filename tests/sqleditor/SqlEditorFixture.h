// A headless SQL editor in a parent window, driven by messages, with the
// message boxes it shows answered and recorded, and its beeps counted.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sqleditor/CustomerEditCtrl.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace sqled_test {

// Answers every message box of the thread with OK and keeps the texts shown in it.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // The texts of the boxes' child controls, in creation order.
    std::vector<std::string> texts;
    int boxes = 0;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam);
    static MessageBoxRecorder* s_self;
    HHOOK m_hook = nullptr;
};

class SqlEditorTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the editor of the test (a derived test may create another).
    virtual CKtvPEditCtrl& Editor() { return edit; }

    std::string Text() const;
    void SetText(const std::string& text);
    void Type(const std::string& text);
    void KeyDown(UINT vk);
    std::pair<int, int> Selection() const;
    // The beeps since the last call.
    size_t TakeBeeps();

    CCustomerEditCtrl edit;
};

}  // namespace sqled_test
