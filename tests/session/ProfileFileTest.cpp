// The profile file: made when missing, a damaged one put aside and told,
// one that cannot be read reported without touching it, and rows written
// and read back with their switches.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win32/kernel/Files.h"
#include "tests/session/LogonTestSupport.h"

namespace {

using logontest::LogonTest;
using logontest::MessageBoxes;

std::string ProfileFileText(const char* path)
{
    std::ifstream file(tw::MapPath(path));
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteProfileFileText(const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(tw::MapPath(kProfileFile)).parent_path());
    std::ofstream(tw::MapPath(kProfileFile)) << text;
}

class ProfileFileTest : public LogonTest {};

TEST_F(ProfileFileTest, MissingFileIsMadePrivateWithTheEmbeddedProfile)
{
    MessageBoxes boxes;
    const std::vector<CProfileRow> rows = ReadProfiles();
    ASSERT_EQ(1u, rows.size());
    EXPECT_STREQ("Embedded", rows[0].m_NickName);
    EXPECT_STREQ("(embedded)", rows[0].m_ServerName);
    EXPECT_STREQ("TarnSample", rows[0].m_DatabaseName);
    EXPECT_TRUE(rows[0].m_Identified);
    EXPECT_TRUE(rows[0].m_Default);
    EXPECT_FALSE(rows[0].m_AutoConn || rows[0].m_Lock || rows[0].m_SavePwd);
    struct stat info {};
    ASSERT_EQ(0, ::stat(tw::MapPath(kProfileFile).c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0777);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ProfileFileTest, DamagedFileIsToldKeptAsideAndReplaced)
{
    struct Damage {
        const char* name;
        std::string text;
    };
    const Damage damages[] = {
        {"not xml", "this is not a rowset"},
        {"rowset without the profile fields",
         "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'"
         " xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'><s:Schema id='RowsetSchema'>"
         "<s:ElementType name='row' content='eltOnly'><s:AttributeType name='other' rs:number='1'>"
         "<s:datatype dt:type='string' dt:maxLength='10'/></s:AttributeType></s:ElementType></s:Schema>"
         "<rs:data><z:row other='x'/></rs:data></xml>"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        std::filesystem::remove(tw::MapPath(kProfileFileAside));
        WriteProfileFileText(damage.text);
        MessageBoxes boxes;
        const std::vector<CProfileRow> rows = ReadProfiles();
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_NE(std::string::npos, boxes.texts[0].find("ProData.dat.bad")) << boxes.texts[0];
        EXPECT_EQ(damage.text, ProfileFileText(kProfileFileAside));
        ASSERT_EQ(1u, rows.size());
        EXPECT_STREQ("Embedded", rows[0].m_NickName);
        // Told once: the file now reads without a word.
        ReadProfiles();
        EXPECT_EQ(1u, boxes.texts.size());
    }
}

TEST_F(ProfileFileTest, FileThatCannotBeReadIsReportedAndLeftAlone)
{
    std::filesystem::create_directories(tw::MapPath(kProfileFile));
    MessageBoxes boxes;
    ADODB::_RecordsetPtr rs;
    try {
        CProfileFile::Open(rs);
        FAIL() << "opened a folder as the profile file";
    } catch (const _com_error& error) {
        EXPECT_NE(std::string::npos, std::string(CProfileFile::ErrorText(error)).find("ProData.dat"));
    }
    EXPECT_TRUE(std::filesystem::is_directory(tw::MapPath(kProfileFile)));
    EXPECT_FALSE(std::filesystem::exists(tw::MapPath(kProfileFileAside)));
    EXPECT_TRUE(boxes.texts.empty());
    std::filesystem::remove(tw::MapPath(kProfileFile));
}

TEST_F(ProfileFileTest, RowsKeepTheirTextsAndSwitchesThroughTheFile)
{
    CProfileRow odd = Row("semi;colon", "srv,1433", "My Db", FALSE, "o'neil", "p;w=}x");
    odd.m_SavePwd = TRUE;
    odd.m_Lock = TRUE;
    CProfileRow automatic = Row("auto", "(embedded)", "", TRUE);
    automatic.m_AutoConn = TRUE;
    WriteProfiles({odd, automatic});

    const std::vector<CProfileRow> rows = ReadProfiles();
    ASSERT_EQ(2u, rows.size());
    EXPECT_STREQ("semi;colon", rows[0].m_NickName);
    EXPECT_STREQ("p;w=}x", rows[0].m_PasswordName);
    EXPECT_STREQ("o'neil", rows[0].m_UserName);
    EXPECT_TRUE(rows[0].m_SavePwd && rows[0].m_Lock);
    EXPECT_FALSE(rows[0].m_Identified || rows[0].m_AutoConn || rows[0].m_Default);
    EXPECT_STREQ("", rows[1].m_DatabaseName);
    EXPECT_TRUE(rows[1].m_Identified && rows[1].m_AutoConn);
}

}  // namespace
