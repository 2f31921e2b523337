// The program's current-database box: made by its class name as a saved
// layout names it, restored from an archive with its items, and telling its
// toolbar's owner of focus changes on top of what its base answers.
#include <memory>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "session/DBListComboBox.h"
#include "tests/session/LogonTestSupport.h"

namespace {

class DBListComboBoxTest : public logontest::LogonTest {};

TEST_F(DBListComboBoxTest, MadeByItsClassNameWithItsCommandAndStyle)
{
    std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("CDBListComboBox"));
    auto* pBox = dynamic_cast<CDBListComboBox*>(made.get());
    ASSERT_NE(nullptr, pBox);
    EXPECT_EQ(32873u, pBox->m_nID);
    EXPECT_EQ(static_cast<DWORD>(CBS_DROPDOWNLIST), pBox->m_dwStyle & 0x3);
    EXPECT_EQ(150, pBox->m_nWidth);
}

TEST_F(DBListComboBoxTest, SavedLayoutRestoresTheBoxWithItsItems)
{
    CDBListComboBox box;
    box.AddItem("master");
    box.AddItem("TarnSample");
    box.SelectItem(1, FALSE);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(&box);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> restored(ar.ReadObject(RUNTIME_CLASS(CKtvPToolbarButton)));
    auto* pBox = dynamic_cast<CDBListComboBox*>(restored.get());
    ASSERT_NE(nullptr, pBox);
    EXPECT_EQ(2, pBox->GetCount());
    EXPECT_STREQ("TarnSample", pBox->GetItem(1));
}

TEST_F(DBListComboBoxTest, FocusChangesReachTheOwnerOtherNotificationsAnswerAsTheBase)
{
    CDBListComboBox box;
    CKtvPToolbarComboBoxButton base(32873, 0, CBS_DROPDOWNLIST);
    EXPECT_TRUE(box.NotifyCommand(CBN_SETFOCUS));
    EXPECT_TRUE(box.NotifyCommand(CBN_KILLFOCUS));
    for (int code : {CBN_EDITCHANGE, CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELENDCANCEL})
        EXPECT_EQ(base.NotifyCommand(code), box.NotifyCommand(code)) << code;
}

}  // namespace
