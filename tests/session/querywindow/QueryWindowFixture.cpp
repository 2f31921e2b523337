#include "tests/session/querywindow/QueryWindowFixture.h"

#include <chrono>
#include <thread>

#include "platform/controls/grid/GridAutomation.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/server/Server.h"

namespace querytest {

void QueryWindowTest::SetUp()
{
    tw::test::MainWindowTest::SetUp();
    ASSERT_NE(tw::test::App().m_pQueryTemplate, nullptr);
    window = OpenQueryWindow();
    ASSERT_NE(window, nullptr);
    ClearOutput();
}

void QueryWindowTest::TearDown()
{
    if (frame != nullptr && frame->GetSafeHwnd())
        frame->DestroyWindow();
    Pump();
    tw::test::MainWindowTest::TearDown();
}

CChildFrame* QueryWindowTest::OpenQueryWindow(LPCTSTR lpszConnection)
{
    CMultiDocTemplate* pTemplate = tw::test::App().m_pQueryTemplate;
    CDocument* pDoc = pTemplate->CreateNewDocument();
    auto* pWindow = dynamic_cast<CChildFrame*>(pTemplate->CreateNewFrame(pDoc, nullptr));
    if (pWindow == nullptr || !pDoc->OnNewDocument() || !pWindow->Connect(lpszConnection)) {
        if (pWindow != nullptr)
            pWindow->DestroyWindow();
        return nullptr;
    }
    pDoc->SetTitle(pWindow->m_strDataSource + " - Untitled_1 - (New Query)");
    pTemplate->InitialUpdateFrame(pWindow, pDoc, TRUE);
    frame->m_QueryFrames.AddTail(pWindow);
    Pump();
    return pWindow;
}

void QueryWindowTest::TypeBatch(CChildFrame* pWindow, const std::string& text)
{
    pWindow->m_pQueryView->SetActiveView(pWindow->m_pQueryView->m_nBatchTab);
    CVelQryBactchView* pBatch = pWindow->m_pQueryView->GetBatchView();
    pBatch->GetEditCtrl()->SetText("");
    pBatch->GetEditCtrl()->SetFocus();
    Pump();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        TypeKeys(text.substr(start, end - start));
        if (end < text.size())
            input.KeyStroke(VK_RETURN);
        start = end + 1;
    }
    Pump();
}

void QueryWindowTest::RunBatch(CChildFrame* pWindow, const std::string& text)
{
    TypeBatch(pWindow, text);
    CString typed = pWindow->m_pQueryView->GetBatchView()->GetEditCtrl()->GetText();
    typed.Replace("\r\n", "\n");
    ASSERT_EQ(std::string(typed), text);
    PressKey(VK_F5);
    ASSERT_TRUE(pWindow->m_bExecuting || pWindow->m_bBatchCompleted) << "F5 did not start the batch";
    ASSERT_TRUE(WaitForCompletion(pWindow)) << "the batch did not complete: " << text;
    Pump();
}

void QueryWindowTest::RunBatchAsIs(CChildFrame* pWindow, const std::string& text)
{
    pWindow->m_pQueryView->SetActiveView(pWindow->m_pQueryView->m_nBatchTab);
    CKtvPEditCtrl* pEdit = pWindow->m_pQueryView->GetBatchView()->GetEditCtrl();
    pEdit->SetText(text.c_str());
    pEdit->SetFocus();
    Pump();
    PressKey(VK_F5);
    ASSERT_TRUE(WaitForCompletion(pWindow)) << "the batch did not complete: " << text;
    Pump();
}

void QueryWindowTest::PumpApp()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && tw::test::App().PumpMessage()) {
    }
}

void QueryWindowTest::PressKey(UINT vk, bool control)
{
    if (control)
        input.KeyDown(VK_CONTROL);
    input.KeyStroke(vk);
    if (control)
        input.KeyUp(VK_CONTROL);
    PumpApp();
}

bool QueryWindowTest::PumpUntil(const std::function<bool()>& done, int seconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        PumpApp();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::vector<std::string> QueryWindowTest::OutputLines()
{
    std::vector<std::string> lines;
    CListBox& list = frame->m_wndOutput.m_wndList;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString line;
        list.GetText(i, line);
        lines.emplace_back(static_cast<const char*>(line));
    }
    return lines;
}

void QueryWindowTest::ClearOutput() { frame->m_wndOutput.m_wndList.ResetContent(); }

std::vector<CVelQryResultGridView*> QueryWindowTest::ResultGrids(CChildFrame* pWindow)
{
    std::vector<CVelQryResultGridView*> views;
    CKtvPTabWnd& tabs = pWindow->m_pResultView->GetTabControl();
    for (int i = 0; i < tabs.GetTabsNum(); ++i)
        if (auto* pView = dynamic_cast<CVelQryResultGridView*>(tabs.GetTabWnd(i)))
            views.push_back(pView);
    return views;
}

std::vector<std::vector<std::string>> QueryWindowTest::Cells(CVelQryResultGridView* pView)
{
    auto* control = dynamic_cast<tw::grid::GridControlObject*>(pView->m_Grid.GetControlUnknown());
    std::vector<std::vector<std::string>> rows;
    if (control == nullptr)
        return rows;
    const tw::grid::GridDataset& dataset = control->Model()->Dataset();
    for (int r = 0; r < dataset.RowCount(); ++r) {
        std::vector<std::string> row;
        for (int f = 0; f < dataset.FieldCount(); ++f)
            row.emplace_back(dataset.Text(r, f));
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> QueryWindowTest::Captions(CVelQryResultGridView* pView)
{
    auto* control = dynamic_cast<tw::grid::GridControlObject*>(pView->m_Grid.GetControlUnknown());
    std::vector<std::string> captions;
    if (control == nullptr)
        return captions;
    const tw::grid::GridColumns& columns = control->Model()->Columns();
    for (int c = 0; c < columns.Count(); ++c)
        captions.push_back(columns.Item(c)->caption);
    return captions;
}

void QueryWindowTest::RunOnServer(const std::string& batch)
{
    ADODB::_ConnectionPtr connection("ADODB.Connection");
    connection->Open(kSampleConnection, "", "", -1);
    // One statement a line, each run to its end.
    size_t start = 0;
    while (start < batch.size()) {
        const size_t end = std::min(batch.find('\n', start), batch.size());
        const std::string statement = batch.substr(start, end - start);
        if (!statement.empty())
            connection->Execute(statement.c_str(), nullptr, ADODB::adCmdText | ADODB::adExecuteNoRecords);
        start = end + 1;
    }
    connection->Close();
}

}  // namespace querytest
