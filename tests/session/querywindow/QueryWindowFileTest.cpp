// A query window's script in a file: opening fills the Batch editor only, and
// saving writes it back as it was read.
#include "tests/session/querywindow/QueryWindowFixture.h"

#include <fstream>
#include <iterator>

#include "platform/mfc/CDocument.h"

namespace querytest {
namespace {

std::string FileBytes(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class QueryWindowFile : public QueryWindowTest {};

TEST_F(QueryWindowFile, AScriptSavedAndReopenedKeepsItsBytesAndFillsOnlyTheBatchEditor)
{
    const std::string script = "select 1\r\n-- a comment\r\nselect 'two'\r\n";
    {
        std::ofstream file("script.sql", std::ios::binary);
        file << script;
    }
    CDocument* pDoc = window->m_pQueryView->GetDocument();
    ASSERT_TRUE(pDoc->OnOpenDocument("script.sql"));
    CString batch = window->m_pQueryView->GetBatchView()->GetEditCtrl()->GetText();
    batch.Replace("\r\n", "\n");
    EXPECT_EQ(std::string(batch), "select 1\n-- a comment\nselect 'two'\n");
    EXPECT_EQ(window->m_pQueryView->GetEditModeView()->GetEditCtrl()->GetTextLength(), 0);

    ASSERT_TRUE(pDoc->DoSave("copy.sql", TRUE));
    EXPECT_EQ(FileBytes("copy.sql"), script);
}

}  // namespace
}  // namespace querytest
