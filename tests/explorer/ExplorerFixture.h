// The program started in this process with its server-management object
// logged on to the embedded server; the object tree is driven by clicks,
// keys and commands, and the message boxes it shows are answered and kept.
#pragma once

#include <string>
#include <vector>

#include "explorer/ObjectBrowseTreeCtrl.h"
#include "tests/app/mainwindow/MainWindowFixture.h"

namespace explorertest {

// A database made for the tree's tests: two owners' tables of one name,
// keys of every kind, constraints, a trigger, a view, procedures and a
// function of each owner, float and nvarchar columns, and a table whose name
// holds "]", "'" and blanks.
constexpr const char* kFixtureDatabase = "ExplorerFix";

class ExplorerTest : public tw::test::MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    CObjectBrowseTreeCtrl& Tree() { return frame->GetObjectTree(); }
    // Runs a batch on the embedded server in the database, from the side.
    void RunOnServer(const std::string& batch, const char* database = "master");
    // Makes the fixture database once per process.
    void MakeFixtureDatabase();

    // The node reached from the root by the texts, or null.
    HTREEITEM Find(std::initializer_list<const char*> path);
    // The texts of the node's children, in order.
    std::vector<std::string> Children(HTREEITEM hItem);
    std::vector<std::string> Children(std::initializer_list<const char*> path) { return Children(Find(path)); }
    // A click on the node's label, through the mouse.
    void ClickNode(HTREEITEM hItem);
    // Selects the node (a right press on its label) and sends the command to the main frame.
    void RunCommand(HTREEITEM hItem, UINT nCommand);
    // The node's image.
    int ImageOf(HTREEITEM hItem);

    // The texts of the message boxes shown since the test began.
    static std::vector<std::string> boxes;

private:
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static WNDPROC previous_;
    static HWND lastBox_;
};

}  // namespace explorertest
