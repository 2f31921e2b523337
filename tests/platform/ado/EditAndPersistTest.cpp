#include <sys/resource.h>

#include <fstream>
#include <sstream>

#include "platform/ado/ValueMapping.h"
#include "tests/platform/ado/AdoTestSupport.h"

using namespace ADODB;
using adotest::OpenEmbedded;
using adotest::Text;

namespace {

_variant_t VariantArray(std::initializer_list<_variant_t> items)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
    LONG index = 0;
    for (const _variant_t& item : items) {
        SafeArrayPutElement(array, &index, const_cast<_variant_t*>(&item));
        ++index;
    }
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_VARIANT;
    v.parray = array;
    return _variant_t(v, false);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

const std::string kFixture = std::string(TW_SOURCE_DIR) + "/tests/platform/ado/data/profiles.xml";

_RecordsetPtr OpenProfiles(const std::string& path)
{
    tw::ado::RegisterClasses();
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open(path.c_str(), "Provider=MSPersist;", adOpenDynamic, adLockOptimistic, adCmdFile);
    return rs;
}

} // namespace

TEST(AdoEditing, KeysetChangesSavedWithUpdateBatchAreSeenByASecondConnection)
{
    _ConnectionPtr writer = OpenEmbedded();
    writer->Execute("create table Stock (id int, name varchar(20), qty int)", nullptr, adCmdText);
    writer->Execute("insert into Stock values (1, 'a', 10) insert into Stock values (2, 'b', 20) "
                    "insert into Stock values (3, 'c', 30)",
                    nullptr, adCmdText);
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open("select * from Stock order by id", _variant_t(static_cast<IDispatch*>(writer)), adOpenKeyset,
             adLockBatchOptimistic, adCmdText);
    ASSERT_TRUE(rs->Supports(adUpdateBatch));
    rs->GetFields()->GetItem("qty")->PutValue(11L);
    EXPECT_EQ(10, static_cast<long>(rs->GetFields()->GetItem("qty")->GetOriginalValue()));
    rs->MoveNext();
    rs->Delete(adAffectCurrent);
    rs->AddNew(VariantArray({"id", "name", "qty"}), VariantArray({4L, "d", 40L}));

    _ConnectionPtr reader = OpenEmbedded();
    _RecordsetPtr before = reader->Execute("select sum(qty) from Stock", nullptr, adCmdText);
    EXPECT_EQ(60, static_cast<long>(before->GetCollect(0L)));

    rs->UpdateBatch();
    _RecordsetPtr after = reader->Execute("select id, qty from Stock order by id", nullptr, adCmdText);
    std::vector<std::pair<long, long>> rows;
    for (; !after->GetEOF(); after->MoveNext())
        rows.emplace_back(static_cast<long>(after->GetCollect(0L)), static_cast<long>(after->GetCollect(1L)));
    EXPECT_EQ((std::vector<std::pair<long, long>>{{1, 11}, {3, 30}, {4, 40}}), rows);
    EXPECT_EQ(3, rs->GetRecordCount());
}

TEST(AdoEditing, UpdateBatchOfARowChangedMeanwhileFailsAndChangesNothingElse)
{
    _ConnectionPtr writer = OpenEmbedded();
    writer->Execute("create table Race (id int, qty int)", nullptr, adCmdText);
    writer->Execute("insert into Race values (1, 10)", nullptr, adCmdText);
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open("select * from Race", _variant_t(static_cast<IDispatch*>(writer)), adOpenKeyset, adLockBatchOptimistic,
             adCmdText);
    rs->PutCollect("qty", 11L);
    OpenEmbedded()->Execute("update Race set qty = 99", nullptr, adCmdText);
    EXPECT_THROW(rs->UpdateBatch(), _com_error);
    rs->CancelBatch();
    EXPECT_EQ(10, static_cast<long>(rs->GetCollect("qty")));
}

TEST(AdoEditing, DisconnectedRecordsetWithAppendedFieldsTakesNewRows)
{
    tw::ado::RegisterClasses();
    _RecordsetPtr rs("ADODB.Recordset");
    rs->PutCursorLocation(adUseClient);
    rs->PutCursorType(adOpenStatic);
    rs->PutLockType(adLockBatchOptimistic);
    rs->GetFields()->Append("name", adVarChar, 22, adFldUnspecified);
    rs->Open(vtMissing, vtMissing, adOpenStatic, adLockBatchOptimistic, -1);
    rs->AddNew();
    rs->GetFields()->GetItem("name")->PutValue("first");
    rs->Update();
    rs->AddNew();
    rs->GetFields()->GetItem("name")->PutValue("second");
    rs->Update();
    EXPECT_EQ(2, rs->GetRecordCount());
    rs->MoveFirst();
    EXPECT_EQ("first", Text(rs->GetCollect("name")));
    EXPECT_THROW(rs->GetFields()->Append("late", adVarChar, 1, adFldUnspecified), _com_error);
}

TEST(AdoPersist, HandWrittenRowsetFileReadsWithItsTypes)
{
    _RecordsetPtr rs = OpenProfiles(kFixture);
    ASSERT_EQ(2, rs->GetRecordCount());
    ASSERT_EQ(11, rs->GetFields()->GetCount());
    rs->MoveFirst();
    EXPECT_EQ("work", Text(rs->GetCollect("m_NickName")));
    EXPECT_EQ("p'w & <x>", Text(rs->GetCollect("m_PasswordName")));
    _variant_t identified = rs->GetCollect("m_Identified");
    ASSERT_EQ(VT_BOOL, identified.vt);
    EXPECT_EQ(VARIANT_FALSE, identified.boolVal);
    EXPECT_EQ(VARIANT_TRUE, rs->GetCollect("m_Default").boolVal);
    _variant_t lastUsed = rs->GetCollect("Last used");
    ASSERT_EQ(VT_DATE, lastUsed.vt);
    rs->MoveNext();
    EXPECT_EQ(VT_NULL, rs->GetCollect("m_DatabaseName").vt);
    EXPECT_EQ(VT_NULL, rs->GetCollect("Last used").vt);
    EXPECT_EQ(VARIANT_TRUE, rs->GetCollect("m_AutoConn").boolVal);
    EXPECT_EQ(VARIANT_TRUE, rs->GetCollect("m_Identified").boolVal);
    rs->MoveNext();
    EXPECT_TRUE(rs->GetEOF());
}

TEST(AdoPersist, ChangesSavedReplaceTheFileAndReadBackTheSame)
{
    const std::string path = "ProData.dat";
    {
        std::ofstream copy(path);
        copy << ReadFile(kFixture);
    }
    _RecordsetPtr rs = OpenProfiles(path);
    rs->MoveFirst();
    rs->PutCollect("m_ServerName", "other\nline");
    rs->Update();
    rs->MoveNext();
    rs->Delete(adAffectCurrent);
    rs->AddNew(VariantArray({"m_NickName", "m_ServerName", "m_DatabaseName", "m_UserName", "m_PasswordName",
                             "m_Identified", "m_Default", "m_AutoConn", "m_SavePwd", "m_Lock"}),
               VariantArray({"new", "(embedded)", "", "u", "pw", true, false, false, true, false}));
    rs->Save(path.c_str(), adPersistXML);
    rs->Close();

    _RecordsetPtr again = OpenProfiles(path);
    ASSERT_EQ(2, again->GetRecordCount());
    again->MoveFirst();
    EXPECT_EQ("other\nline", Text(again->GetCollect("m_ServerName")));
    EXPECT_EQ("p'w & <x>", Text(again->GetCollect("m_PasswordName")));
    EXPECT_EQ(VT_DATE, again->GetCollect("Last used").vt);
    again->MoveNext();
    EXPECT_EQ("new", Text(again->GetCollect("m_NickName")));
    EXPECT_EQ(VARIANT_TRUE, again->GetCollect("m_SavePwd").boolVal);
    EXPECT_EQ(VT_BOOL, again->GetCollect("m_Lock").vt);
}

TEST(AdoPersist, DamagedOrMissingFileRaisesAndSaveFailureKeepsTheOldFile)
{
    const std::string text = ReadFile(kFixture);
    {
        std::ofstream cut("cut.dat");
        cut << text.substr(0, text.size() / 2);
    }
    EXPECT_THROW(OpenProfiles("cut.dat"), _com_error);
    EXPECT_THROW(OpenProfiles("missing.dat"), _com_error);

    _RecordsetPtr rs = OpenProfiles(kFixture);
    EXPECT_THROW(rs->Save("no-such-folder/ProData.dat", adPersistXML), _com_error);
    EXPECT_THROW(rs->Save("x.dat", adPersistADTG), _com_error);
}

TEST(AdoPersist, AFullDiskKeepsTheProfileFileAndSaysWhy)
{
    const std::string path = "Full.dat";
    {
        std::ofstream copy(path);
        copy << ReadFile(kFixture);
    }
    const std::string before = ReadFile(path);
    _RecordsetPtr rs = OpenProfiles(path);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit lower = saved;
    lower.rlim_cur = 100;  // a write beyond it fails as on a full disk
    setrlimit(RLIMIT_FSIZE, &lower);
    std::string message;
    try {
        rs->Save(path.c_str(), adPersistXML);
    } catch (const _com_error& e) {
        message = static_cast<const char*>(e.Description());
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(message, "File 'Full.dat' could not be written: File too large.");
    EXPECT_EQ(ReadFile(path), before);
}

TEST(AdoPersist, SavedQueryResultKeepsItsTypesAndValues)
{
    _ConnectionPtr connection = OpenEmbedded();
    connection->Execute("create table Typed (id int, name nvarchar(10), price money, added datetime, "
                        "data varbinary(4), flag bit, ratio float)",
                        nullptr, adCmdText);
    connection->Execute("insert into Typed values (1, N'Grüße <&>', 12.3456, '2003-04-05 10:20:30.250', 0x00FF, 1, 0.1) "
                        "insert into Typed values (2, null, null, null, null, null, null)",
                        nullptr, adCmdText);
    _RecordsetPtr rs = connection->Execute("select * from Typed order by id", nullptr, adCmdText);
    rs->Save("typed.xml", adPersistXML);

    _RecordsetPtr back = OpenProfiles("typed.xml");
    FieldsPtr original = rs->GetFields();
    FieldsPtr loaded = back->GetFields();
    ASSERT_EQ(original->GetCount(), loaded->GetCount());
    for (; !back->GetEOF(); back->MoveNext(), rs->MoveNext()) {
        for (long i = 0; i < original->GetCount(); ++i) {
            SCOPED_TRACE(static_cast<const char*>(original->GetItem(i)->GetName()));
            EXPECT_EQ(original->GetItem(i)->GetType(), loaded->GetItem(i)->GetType());
            const _variant_t before = original->GetItem(i)->GetValue();
            const _variant_t after = loaded->GetItem(i)->GetValue();
            if (before.vt == (VT_ARRAY | VT_UI1))
                EXPECT_EQ(tw::ado::BytesOf(before), tw::ado::BytesOf(after));
            else
                EXPECT_TRUE(before == after);
        }
    }
    EXPECT_TRUE(rs->GetEOF());
}

TEST(AdoEditing, RequeryShowsWhatAnotherConnectionChanged)
{
    _ConnectionPtr connection = OpenEmbedded();
    connection->Execute("create table Fresh (id int)", nullptr, adCmdText);
    connection->Execute("insert into Fresh values (1)", nullptr, adCmdText);
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open("select id from Fresh", _variant_t(static_cast<IDispatch*>(connection)), adOpenStatic, adLockReadOnly,
             adCmdText);
    EXPECT_EQ(1, rs->GetRecordCount());
    OpenEmbedded()->Execute("insert into Fresh values (2)", nullptr, adCmdText);
    rs->Requery();
    EXPECT_EQ(2, rs->GetRecordCount());
}
