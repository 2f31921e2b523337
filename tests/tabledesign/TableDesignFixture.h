// The program started headless, logged in to the embedded server, with a
// table-design window opened on a table of the sample database. Message
// boxes the designer shows are answered and their texts kept.
#pragma once

#include <string>
#include <vector>

#include "tabledesign/TableDesignColumn.h"
#include "tabledesign/TableDesignWindow.h"
#include "tests/app/mainwindow/MainWindowFixture.h"

namespace tw::test {

class TableDesignTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a further designer on the table of the sample database.
    CTableView* Open(const char* table, const char* database = "TarnSample");
    CTableDesignColumn* ColumnsPage(CTableView* view);
    // One value of the server's answer to a query on the sample database.
    std::string Scalar(const std::string& query);

    // The texts of the message boxes shown so far, each answered with `answer`.
    static std::vector<std::string> boxes;
    static int answer;

private:
    static int ButtonFor(HWND box);
    static LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static WNDPROC previous_;
    static HWND lastBox_;
};

}  // namespace tw::test
