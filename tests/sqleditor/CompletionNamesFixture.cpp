#include "tests/sqleditor/CompletionNamesFixture.h"

#include "editctrl/KtvPBaseIntelliSenseLB.h"
#include "editctrl/KtvPIntelliSenseData.h"
#include "editctrl/KtvPIntelliSenseWnd.h"

namespace sqled_names_test {

void CompletionTest::SetUp()
{
    MainWindowTest::SetUp();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->m_SQLServer);
    frame->m_SQLServer->Connect("(embedded)", "sa", "");
    // The object tree's database fill: the server's databases, master first.
    frame->m_DatabaseList.RemoveAll();
    frame->m_DatabaseList.AddTail("master");
    SQLDMO::_QueryResultsPtr results =
        frame->m_SQLServer->ExecuteWithResults("select name from master..sysdatabases where name <> 'master'");
    for (long row = 1; row <= results->GetRows(); ++row)
        frame->m_DatabaseList.AddTail(static_cast<const char*>(results->GetColumnString(row, 1)));
    NewEditor();
    SwitchDatabase("TarnSample");
    recorder = std::make_unique<tw::server::BatchRecorder>();
}

void CompletionTest::TearDown()
{
    recorder.reset();
    if (edit && edit->m_hWnd != nullptr)
        edit->DestroyWindow();
    edit.reset();
    if (frame != nullptr && frame->m_SQLServer)
        frame->m_SQLServer->DisConnect();
    MainWindowTest::TearDown();
    tw::test::App().m_pMainWnd = nullptr;
}

void CompletionTest::Run(const std::string& batch)
{
    frame->m_SQLServer->ExecuteImmediate(batch.c_str());
}

void CompletionTest::SwitchDatabase(const std::string& database)
{
    CKtvPToolbarComboBoxButton* pCombo = CMainFrame::GetDatabaseCombo();
    ASSERT_NE(pCombo, nullptr);
    if (!pCombo->SelectItemByText(database.c_str())) {
        pCombo->AddItem(database.c_str());
        ASSERT_TRUE(pCombo->SelectItemByText(database.c_str()));
    }
    ASSERT_TRUE(frame->BuildCompletionLists(database.c_str()));
    edit->RebuildNameMaps();
}

void CompletionTest::NewEditor()
{
    if (edit && edit->m_hWnd != nullptr)
        edit->DestroyWindow();
    edit = std::make_unique<CCustomerEditCtrl>();
    ASSERT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 610, 310), frame, 4242));
    edit->SetFocus();
    edit->RebuildNameMaps();
}

void CompletionTest::Type(const std::string& text)
{
    for (unsigned char ch : text)
        ::SendMessage(edit->m_hWnd, WM_CHAR, ch, 1);
}

void CompletionTest::KeyDown(UINT vk)
{
    ::SendMessage(edit->m_hWnd, WM_KEYDOWN, vk, 1);
}

void CompletionTest::SetText(const std::string& text)
{
    edit->SetText(text.c_str());
    edit->SetCaret(static_cast<int>(text.size()), TRUE, FALSE);
}

std::string CompletionTest::Text() const
{
    return static_cast<const char*>(edit->GetText());
}

std::vector<std::string> CompletionTest::ListTexts() const
{
    std::vector<std::string> texts;
    if (edit->m_pIntelliSenseWnd == nullptr || edit->m_pIntelliSenseWnd->m_pListBox == nullptr)
        return texts;
    CKtvPBaseIntelliSenseLB& list = *edit->m_pIntelliSenseWnd->m_pListBox;
    for (int i = 0; i < list.GetCount(); ++i) {
        const auto* item = reinterpret_cast<const CKtvPIntelliSenseData*>(list.GetItemData(i));
        texts.emplace_back(item != nullptr ? static_cast<const char*>(item->m_strText) : "");
    }
    return texts;
}

void CompletionTest::CloseList()
{
    if (edit->m_pIntelliSenseWnd != nullptr)
        edit->m_pIntelliSenseWnd->SendMessage(WM_CLOSE);
    Pump();
}

void CompletionTest::CreateMsdb()
{
    Run("if db_id('msdb') is null create database msdb");
    // As the object tree's refill would list it.
    if (frame->m_DatabaseList.Find("msdb") == nullptr)
        frame->m_DatabaseList.AddTail("msdb");
}

std::vector<std::string> CompletionTest::MemberEntries() const
{
    std::vector<std::string> entries;
    for (INT_PTR i = 0; i < edit->m_mapMemberList.GetCount(); ++i)
        entries.push_back(std::string(static_cast<const char*>(edit->m_mapMemberList.GetKeyAt(i))) + "=" +
                          static_cast<const char*>(edit->m_mapMemberList.GetValueAt(i)));
    return entries;
}

int CompletionTest::Code(const std::string& name) const
{
    void* value = nullptr;
    if (!edit->m_mapObjectTypes.Lookup(name.c_str(), value))
        return -1;
    return static_cast<int>(reinterpret_cast<INT_PTR>(value));
}

bool CompletionTest::Known(const std::string& name) const
{
    void* value = nullptr;
    return edit->m_mapKnownNames.Lookup(name.c_str(), value) != FALSE;
}

std::vector<std::string> CompletionTest::TakeBatches()
{
    std::vector<std::string> texts = recorder->Texts();
    recorder->Clear();
    return texts;
}

} // namespace sqled_names_test
