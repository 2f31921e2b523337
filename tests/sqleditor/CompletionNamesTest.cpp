// Name maps built from the sample database and the typing that offers names:
// the prefix list, the member lists after a qualifier, and the statements the
// server receives for them.
#include "tests/sqleditor/CompletionNamesFixture.h"

#include <algorithm>

using sqled_names_test::CompletionTest;

namespace {

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct NameCodeRow {
    const char* name;
    int code;
};

} // namespace

using CompletionNameMaps = CompletionTest;

TEST_F(CompletionNameMaps, EachKindOfSampleObjectGetsItsCode)
{
    const NameCodeRow rows[] = {
        {"orders", CompletionTable},
        {"order details", CompletionTable},
        {"ordertotals", CompletionView},
        {"usp_customerorders", CompletionProcedure},
        {"fn_linetotal", CompletionFunction},
        {"trg_products_nonegativestock", CompletionTrigger},
        {"pk_orders", CompletionKey},
        {"df_orders_orderdate", CompletionDefault},
        {"identity_insert", CompletionAdditional},
        {"sysobjects", CompletionTable},
        {"master.", CompletionDatabase},
        {"dbo.", CompletionDBUser},
        {"tarnsample..", CompletionDatabaseOther},
        {"tarnsample.dbo.", CompletionDatabaseUser},
    };
    for (const NameCodeRow& row : rows) {
        EXPECT_TRUE(Known(row.name)) << row.name;
        EXPECT_EQ(Code(row.name), row.code) << row.name;
    }
    // Foreign keys (F) are not offered; the name maps know no "." ending object.
    EXPECT_FALSE(Known("fk_orders_customers"));
    EXPECT_FALSE(Known("orders."));
}

TEST_F(CompletionNameMaps, ReservedWordsListedTwiceAreOfferedOnce)
{
    SetText("select prec");
    Type("i");
    EXPECT_EQ(ListTexts(), std::vector<std::string>{"precision"});
    int count = 0;
    for (POSITION pos = frame->m_ObjectList.GetHeadPosition(); pos != nullptr;)
        count += frame->m_ObjectList.GetNext(pos) == "precision." ? 1 : 0;
    EXPECT_EQ(count, 2);
}

TEST_F(CompletionNameMaps, ASwitchOfDatabaseOffersOnlyTheNewDatabasesObjects)
{
    EXPECT_TRUE(Known("orders"));
    EXPECT_FALSE(Known("sysjobs"));
    CreateMsdb();
    SwitchDatabase("msdb");
    EXPECT_FALSE(Known("orders"));
    EXPECT_FALSE(Known("usp_customerorders"));
    EXPECT_EQ(Code("sysjobs"), CompletionTable);
    EXPECT_EQ(Code("sysjobs_view"), CompletionView);
    // Catalogue names stay whatever the database.
    EXPECT_EQ(Code("sp_who"), CompletionProcedure);
    SwitchDatabase("TarnSample");
    EXPECT_TRUE(Known("orders"));
    EXPECT_FALSE(Known("sysjobs"));
}

TEST_F(CompletionNameMaps, TheBuildSendsTheUsersAndObjectsReadsOnly)
{
    TakeBatches();
    ASSERT_TRUE(frame->BuildCompletionLists("TarnSample"));
    const std::vector<std::string> batches = TakeBatches();
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0], "use master;select name from sysusers where status > 0");
    EXPECT_EQ(batches[1],
              "use [TarnSample];select name,xtype,type from sysobjects where (status > 0 and ("
              "type = 'U' or type = 'S' or type = 'TR' or type = 'K' or type = 'C' or type = 'V' or type = 'P' or "
              "type = 'RF' or type = 'X' or type = 'FN' or type = 'IF' or type = 'TF' or type = 'R' or type = 'D')) "
              "or (status < 0 and type in ('C','D','F','L','K','TR'));");
    // Rebuilding an editor's maps reads nothing from the server.
    edit->RebuildNameMaps();
    EXPECT_TRUE(TakeBatches().empty());
}

TEST_F(CompletionNameMaps, AFailedBuildKeepsTheListsItHad)
{
    const INT_PTR objects = frame->m_ObjectList.GetCount();
    ASSERT_GT(objects, 74);
    EXPECT_FALSE(frame->BuildCompletionLists("no such database"));
    EXPECT_EQ(frame->m_ObjectList.GetCount(), objects);
    EXPECT_EQ(frame->m_DBList.GetCount(), objects);
    EXPECT_EQ(frame->m_TypeList.GetCount(), objects);
    EXPECT_NE(frame->m_DBList.GetHead(), "DBList");
    EXPECT_NE(frame->m_DBUserList.GetHead(), "DBUser");
    edit->RebuildNameMaps();
    EXPECT_TRUE(Known("orders"));
}

TEST_F(CompletionNameMaps, ListsThatDisagreeAreReadWithoutComplaint)
{
    frame->m_TypeList.RemoveTail();
    frame->m_ObjectList.RemoveTail();
    frame->m_ObjectList.RemoveTail();
    edit->RebuildNameMaps();
    EXPECT_TRUE(Known("orders"));
}

using CompletionTyping = CompletionTest;

struct PrefixRow {
    const char* typed;
    std::vector<std::string> offered;
};

TEST_F(CompletionTyping, ThreeLettersOfferTheNamesTheyBegin)
{
    const PrefixRow rows[] = {
        {"select ide", {"identity", "identitycol", "identity_insert"}},
        {"select id", {}},
        {"select * from usp_c", {"usp_customerorders"}},
    };
    for (const PrefixRow& row : rows) {
        CloseList();
        SetText("");
        Type(row.typed);
        std::vector<std::string> offered = ListTexts();
        std::sort(offered.begin(), offered.end());
        std::vector<std::string> expected = row.offered;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(offered, expected) << row.typed;
        Pump();
    }
}

TEST_F(CompletionTyping, ADatabaseNameOffersItsQualifiedForms)
{
    Type("mas");
    const std::vector<std::string> offered = ListTexts();
    EXPECT_TRUE(Contains(offered, "master."));
    EXPECT_TRUE(Contains(offered, "master.."));
    EXPECT_TRUE(Contains(offered, "master.dbo."));
}

struct MemberRow {
    const char* typed;
    const char* member;     // one entry the list must show
    const char* batch;      // the one statement the server must receive, or ""
};

TEST_F(CompletionTyping, AFullStopBehindAQualifierOpensItsMembers)
{
    const MemberRow rows[] = {
        {"select orders.", "OrderID", "use TarnSample; Select name From syscolumns Where id = object_id('orders');"},
        {"select * from dbo.orders.", "Freight",
         "use TarnSample; Select name From syscolumns Where id = object_id('dbo.orders');"},
        {"select * from orders o.", "ShippedDate",
         "use TarnSample; Select name From syscolumns Where id = object_id('orders');"},
        {"select * from orders as o.", "CustomerID",
         "use TarnSample; Select name From syscolumns Where id = object_id('orders');"},
        {"select * from orders o join customers as c on c.", "CustomerID",
         "use TarnSample; Select name From syscolumns Where id = object_id('customers');"},
        {"select * from ordertotals.", "OrderID",
         "use TarnSample; Select name From syscolumns Where id = object_id('ordertotals');"},
        {"select * from tarnsample.", "dbo", ""},
        {"select * from tarnsample..", "orders.", ""},
        {"select * from tarnsample.dbo.", "usp_customerorders.", ""},
        {"select * from dbo.", "fn_linetotal.", ""},
    };
    for (const MemberRow& row : rows) {
        CloseList();
        SetText("");
        TakeBatches();
        Type(row.typed);
        EXPECT_TRUE(Contains(ListTexts(), row.member)) << row.typed;
        const std::vector<std::string> batches = TakeBatches();
        if (*row.batch != '\0')
            EXPECT_EQ(batches, std::vector<std::string>{row.batch}) << row.typed;
        else
            EXPECT_TRUE(batches.empty()) << row.typed;
        Pump();
    }
}

TEST_F(CompletionTyping, AnotherDatabaseWithTwoFullStopsListsItsObjectsAndTheCatalogue)
{
    CreateMsdb();
    SwitchDatabase("TarnSample");
    TakeBatches();
    Type("select * from msdb..");
    const std::vector<std::string> batches = TakeBatches();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].rfind("use [msdb];select name,xtype,type from sysobjects where (status > 0", 0), 0u);
    const std::vector<std::string> entries = MemberEntries();
    EXPECT_TRUE(Contains(entries, "sp_who=3"));
    EXPECT_TRUE(Contains(entries, "msreplication_options=1"));
    EXPECT_TRUE(Contains(entries, "sysjobs_view=2"));
    EXPECT_FALSE(Contains(entries, "orders.=22"));
}

TEST_F(CompletionTyping, NamesThatAreNotQualifiersRunNothingAndOfferNoMembers)
{
    const char* typed[] = {"select nosuchtable.", "exec usp_customerorders.", "select count(", "select 'a'. "};
    for (const char* text : typed) {
        CloseList();
        SetText("");
        TakeBatches();
        Type(text);
        EXPECT_TRUE(MemberEntries().empty()) << text;
        EXPECT_TRUE(TakeBatches().empty()) << text;
        Pump();
    }
}

TEST_F(CompletionTyping, AReadOnlyEditorOrOneWithoutCompletionOffersNothing)
{
    edit->m_bReadOnly = TRUE;
    Type("ide");
    EXPECT_FALSE(ListOpen());
    edit->m_bReadOnly = FALSE;
    edit->EnableIntelliSense(FALSE);
    Type("select orders.");
    EXPECT_FALSE(ListOpen());
    EXPECT_TRUE(TakeBatches().empty());
}

TEST_F(CompletionTyping, ALostServerOffersNothingAndTypingGoesOn)
{
    const INT_PTR objects = frame->m_ObjectList.GetCount();
    frame->m_SQLServer->DisConnect();
    Type("select orders.");
    EXPECT_TRUE(MemberEntries().empty());
    Type("x; exec usp_customerorders ");
    EXPECT_EQ(edit->m_pFuncTipWnd, nullptr);
    EXPECT_EQ(edit->m_bProcedureTip, 0);
    EXPECT_EQ(Text(), "select orders.x; exec usp_customerorders ");
    EXPECT_FALSE(frame->BuildCompletionLists("TarnSample"));
    EXPECT_EQ(frame->m_ObjectList.GetCount(), objects);
    frame->m_SQLServer->Connect("(embedded)", "sa", "");
}

TEST_F(CompletionTyping, ServerReadsInsideAKeystrokeLeaveTheServersTimeOutAsItWas)
{
    frame->m_SQLServer->PutQueryTimeout(30);
    Type("select orders.");
    EXPECT_EQ(frame->m_SQLServer->GetQueryTimeout(), 30);
}

TEST_F(CompletionNameMaps, CatalogueAnswersCopyIntoARecordsetOfText)
{
    SQLDMO::_QueryResultsPtr results = frame->m_SQLServer->ExecuteWithResults(
        "use TarnSample; select OrderID, Freight, ShippedDate from Orders order by OrderID");
    ASSERT_GT(results->GetRows(), 0);
    ADODB::_RecordsetPtr recordset;
    ASSERT_TRUE(SUCCEEDED(recordset.CreateInstance("ADODB.Recordset")));
    ASSERT_TRUE(frame->QueryResultsToRecordset(results, recordset));
    ASSERT_EQ(recordset->GetRecordCount(), results->GetRows());
    ADODB::FieldsPtr fields = recordset->GetFields();
    ASSERT_EQ(fields->GetCount(), 3);
    for (long column = 1; column <= 3; ++column) {
        ADODB::FieldPtr field = fields->GetItem(_variant_t(column - 1));
        EXPECT_EQ(std::string(static_cast<const char*>(field->GetName())),
                  static_cast<const char*>(results->GetColumnName(column)));
        EXPECT_EQ(field->GetType(), ADODB::adVarChar);
        EXPECT_EQ(field->GetDefinedSize(), results->GetColumnMaxLength(column) + 2);
    }
    recordset->MoveFirst();
    for (long row = 1; row <= results->GetRows(); ++row, recordset->MoveNext()) {
        for (long column = 1; column <= 3; ++column) {
            const _variant_t value = fields->GetItem(_variant_t(column - 1))->GetValue();
            EXPECT_EQ(value.vt, VT_BSTR);
            EXPECT_EQ(std::string(static_cast<const char*>(_bstr_t(value))),
                      static_cast<const char*>(results->GetColumnString(row, column)))
                << row << "," << column;
        }
    }
    // A recordset already open cannot take the copy: the answer says so.
    EXPECT_FALSE(frame->QueryResultsToRecordset(results, recordset));
    recordset->Close();
}

#include "editctrl/KtvPIntelliSenseData.h"
#include "editctrl/KtvPIntelliSenseWnd.h"
#include "editctrl/KtvPBaseIntelliSenseLB.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "sqleditor/FuncTipWnd.h"
#include "sqleditor/QueryEditView.h"

namespace {

// The editor of a query edit view in an MDI child, its maps built when the
// view was first shown.
class CompletionInAQueryEditView : public CompletionTest {
protected:
    void SetUp() override
    {
        CompletionTest::SetUp();
        doc.m_bAutoDelete = FALSE;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CQueryEditView);
        context.m_pCurrentDoc = &doc;
        child = new CMDIChildWnd;
        ASSERT_TRUE(child->Create(nullptr, "BatchEdit", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  CFrameWnd::rectDefault, frame, nullptr, 0, &context));
        child->InitialUpdateFrame(&doc, TRUE);
        Pump();
        auto* view = dynamic_cast<CQueryEditView*>(child->GetActiveView());
        ASSERT_NE(view, nullptr);
        viewEdit = view->GetSqlEdit();
    }

    void TypeInView(const std::string& text)
    {
        for (unsigned char ch : text)
            ::SendMessage(viewEdit->m_hWnd, WM_CHAR, ch, 1);
    }

    void Restart()
    {
        if (viewEdit->m_pIntelliSenseWnd != nullptr)
            viewEdit->m_pIntelliSenseWnd->SendMessage(WM_CLOSE);
        viewEdit->CloseFuncTip();
        Pump();
        viewEdit->SetText("");
    }

    bool Offered(const std::string& text) const
    {
        if (viewEdit->m_pIntelliSenseWnd == nullptr || viewEdit->m_pIntelliSenseWnd->m_pListBox == nullptr)
            return false;
        CKtvPBaseIntelliSenseLB& list = *viewEdit->m_pIntelliSenseWnd->m_pListBox;
        for (int i = 0; i < list.GetCount(); ++i) {
            const auto* item = reinterpret_cast<const CKtvPIntelliSenseData*>(list.GetItemData(i));
            if (item != nullptr && text == static_cast<const char*>(item->m_strText))
                return true;
        }
        return false;
    }

    CDocument doc;
    CMDIChildWnd* child = nullptr;
    CCustomerEditCtrl* viewEdit = nullptr;
};

} // namespace

TEST_F(CompletionInAQueryEditView, PrefixListColumnListsAndAProcedureTip)
{
    TypeInView("select * from usp");
    EXPECT_TRUE(Offered("usp_customerorders"));
    Restart();
    TypeInView("select * from dbo.orders.");
    EXPECT_TRUE(Offered("Freight"));
    Restart();
    TypeInView("select * from orders o where o.");
    EXPECT_TRUE(Offered("OrderDate"));
    Restart();
    TypeInView("exec usp_customerorders 1, ");
    ASSERT_NE(viewEdit->m_pFuncTipWnd, nullptr);
    EXPECT_EQ(viewEdit->m_pFuncTipWnd->m_dlgTip.m_wndText.m_nCurrentParam, 2);
    EXPECT_EQ(std::string(static_cast<const char*>(viewEdit->m_pFuncTipWnd->m_dlgTip.m_wndText.m_arrParams[1])),
              "@OrderCount int");
}
