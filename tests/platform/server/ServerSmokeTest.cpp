#include "ServerFixture.h"

namespace tw::server::test {

TEST_F(ServerTest, SampleDatabaseAnswersAJoin)
{
    ResultSet r = Query("SELECT TOP 3 c.CompanyName, COUNT(*) AS Orders FROM Customers c JOIN Orders o "
                        "ON o.CustomerID = c.CustomerID GROUP BY c.CompanyName ORDER BY c.CompanyName");
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.columns[0].name, "CompanyName");
    EXPECT_EQ(r.columns[0].typeName, "nvarchar");
    EXPECT_EQ(r.columns[1].typeName, "int");
}

} // namespace tw::server::test

#include <filesystem>

namespace tw::server::test {

// The fixture copies a data folder built elsewhere: the files it names must be the copies.
TEST_F(ServerTest, ACopiedDataFolderNamesItsOwnFiles)
{
    const std::string here = std::filesystem::current_path().string() + "/data/server/";
    BufferedSink names = Run("SELECT filename FROM master..sysdatabases WHERE name = 'TarnSample'\n"
                             "SELECT filename FROM sysfiles ORDER BY fileid");
    ASSERT_FALSE(names.HasError()) << Describe(names);
    ASSERT_EQ(names.resultSets.size(), 2u);
    EXPECT_EQ(names.resultSets[0].rows[0][0].ToText(), here + "TarnSample.db");
    // sysfiles.filename is nchar(260): blank padded.
    auto trimmed = [](std::string text) { return text.erase(text.find_last_not_of(' ') + 1); };
    EXPECT_EQ(trimmed(names.resultSets[1].rows[0][0].ToText()), here + "TarnSample.db");
    EXPECT_EQ(trimmed(names.resultSets[1].rows[1][0].ToText()), here + "TarnSample.db.log");
}

} // namespace tw::server::test
