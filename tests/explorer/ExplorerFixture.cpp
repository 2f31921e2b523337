#include "tests/explorer/ExplorerFixture.h"

#include "platform/ado/AdoInterfaces.h"

namespace explorertest {

std::vector<std::string> ExplorerTest::boxes;
WNDPROC ExplorerTest::previous_ = nullptr;
HWND ExplorerTest::lastBox_ = nullptr;

void ExplorerTest::SetUp()
{
    MainWindowTest::SetUp();
    boxes.clear();
    lastBox_ = nullptr;
    previous_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(frame->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameProc)));
    MakeFixtureDatabase();
    frame->m_SQLServer->Connect("(embedded)", "sa", "");
}

void ExplorerTest::TearDown()
{
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
        ::SetWindowLongPtr(frame->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    MainWindowTest::TearDown();
}

// A modal box owned by the main window idles with it as the owner: its text
// is kept and it is answered OK.
LRESULT CALLBACK ExplorerTest::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
        HWND box = reinterpret_cast<HWND>(lParam);
        if (box != lastBox_) {
            lastBox_ = box;
            char text[1024] = {};
            ::GetWindowText(::GetDlgItem(box, 0xFFFF), text, sizeof text);
            boxes.emplace_back(text);
            ::PostMessage(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        return 0;
    }
    return ::CallWindowProc(previous_, hwnd, message, wParam, lParam);
}

void ExplorerTest::RunOnServer(const std::string& batch, const char* database)
{
    ADODB::_ConnectionPtr connection("ADODB.Connection");
    const std::string text = std::string("Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=") + database +
                             ";Data Source=(embedded)";
    connection->Open(text.c_str(), "", "", -1);
    connection->Execute(batch.c_str(), nullptr, ADODB::adCmdText | ADODB::adExecuteNoRecords);
    connection->Close();
}

void ExplorerTest::MakeFixtureDatabase()
{
    static bool made = false;
    if (made)
        return;
    made = true;
    RunOnServer(std::string("CREATE DATABASE ") + kFixtureDatabase);
    RunOnServer("EXEC sp_addlogin 'mara', 'x', 'ExplorerFix'", "master");
    RunOnServer("EXEC sp_adduser 'mara'", kFixtureDatabase);
    RunOnServer("CREATE TABLE dbo.Parts (PartID int NOT NULL PRIMARY KEY, Code nvarchar(20) NOT NULL UNIQUE, "
                "Weight float NULL, Price decimal(10,2) NULL, Note varchar(50) NULL)",
                kFixtureDatabase);
    RunOnServer("CREATE TABLE mara.Parts (Label nvarchar(50) NULL, Shelf int NOT NULL)", kFixtureDatabase);
    RunOnServer("CREATE TABLE dbo.Orders (OrderID int NOT NULL CONSTRAINT PK_Orders PRIMARY KEY, "
                "PartID int NULL CONSTRAINT FK_Orders_Parts REFERENCES dbo.Parts (PartID), "
                "Qty int NOT NULL CONSTRAINT CK_Orders_Qty CHECK (Qty > 0), "
                "State char(1) NULL CONSTRAINT DF_Orders_State DEFAULT 'N')",
                kFixtureDatabase);
    RunOnServer("CREATE INDEX IX_Orders_PartID ON dbo.Orders (PartID)", kFixtureDatabase);
    RunOnServer("CREATE TRIGGER dbo.trg_Orders ON dbo.Orders FOR INSERT AS SELECT 1", kFixtureDatabase);
    RunOnServer("CREATE VIEW dbo.PartList AS SELECT PartID, Code FROM dbo.Parts", kFixtureDatabase);
    RunOnServer("CREATE PROCEDURE dbo.usp_Parts @Code nvarchar(20), @Weight float, @Limit decimal(10,2) OUTPUT, "
                "@Who sysname AS SELECT PartID FROM dbo.Parts WHERE Code = @Code",
                kFixtureDatabase);
    RunOnServer("CREATE PROCEDURE mara.usp_Parts @Shelf int AS SELECT Label FROM mara.Parts WHERE Shelf = @Shelf",
                kFixtureDatabase);
    RunOnServer("CREATE FUNCTION dbo.fn_Weight (@w float) RETURNS float AS BEGIN RETURN @w * 2 END",
                kFixtureDatabase);
    RunOnServer("CREATE TABLE dbo.[Odd ]]'Name] ([a col] int NULL)", kFixtureDatabase);
    RunOnServer("CREATE VIEW dbo.[Odd ]]'View] AS SELECT [a col] FROM dbo.[Odd ]]'Name]", kFixtureDatabase);
}

HTREEITEM ExplorerTest::Find(std::initializer_list<const char*> path)
{
    CObjectBrowseTreeCtrl& tree = Tree();
    HTREEITEM hItem = tree.GetRootItem();
    for (const char* text : path) {
        HTREEITEM hChild = hItem != nullptr ? tree.GetChildItem(hItem) : nullptr;
        while (hChild != nullptr && tree.GetItemText(hChild) != text)
            hChild = tree.GetNextSiblingItem(hChild);
        hItem = hChild;
    }
    return hItem;
}

std::vector<std::string> ExplorerTest::Children(HTREEITEM hItem)
{
    std::vector<std::string> texts;
    CObjectBrowseTreeCtrl& tree = Tree();
    if (hItem == nullptr)
        return {"<no node>"};
    for (HTREEITEM hChild = tree.GetChildItem(hItem); hChild != nullptr; hChild = tree.GetNextSiblingItem(hChild))
        texts.emplace_back(static_cast<LPCTSTR>(tree.GetItemText(hChild)));
    return texts;
}

void ExplorerTest::ClickNode(HTREEITEM hItem)
{
    CObjectBrowseTreeCtrl& tree = Tree();
    ASSERT_NE(hItem, nullptr);
    tree.EnsureVisible(hItem);
    Pump();
    CRect rect;
    ASSERT_TRUE(tree.GetItemRect(hItem, rect, TRUE));
    Click(tree.GetSafeHwnd(), rect.left + 3, rect.CenterPoint().y);
    Pump();
}

void ExplorerTest::RunCommand(HTREEITEM hItem, UINT nCommand)
{
    CObjectBrowseTreeCtrl& tree = Tree();
    ASSERT_NE(hItem, nullptr);
    tree.SelectItem(hItem);
    frame->SendMessage(WM_COMMAND, nCommand, 0);
    Pump();
}

int ExplorerTest::ImageOf(HTREEITEM hItem)
{
    int nImage = -1;
    int nSelected = -1;
    Tree().GetItemImage(hItem, nImage, nSelected);
    EXPECT_EQ(nImage, nSelected);
    return nImage;
}

}  // namespace explorertest
