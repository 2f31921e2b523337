// The INFORMATION_SCHEMA views catalogue queries and tools read: tables,
// columns with their types, views, routines and constraints of a database.
#include "ServerFixture.h"

namespace tw::server::test {

class InformationSchemaTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF DB_ID('Catalogued') IS NOT NULL DROP DATABASE Catalogued");
        ASSERT_FALSE(Run("CREATE DATABASE Catalogued").HasError());
        session = NewSession("Catalogued");
        BufferedSink sink = Run(
            "EXEC sp_addtype Code, 'char(4)', 'NOT NULL'\n"
            "CREATE TABLE Parts (PartID int IDENTITY(1,1) CONSTRAINT PK_Parts PRIMARY KEY, Name nvarchar(40) NOT NULL, "
            "Price money NULL CONSTRAINT DF_Parts_Price DEFAULT (0), Weight decimal(9,3) NULL, Kind Code, "
            "Notes text NULL, CONSTRAINT CK_Parts_Price CHECK (Price >= 0), CONSTRAINT UQ_Parts_Name UNIQUE (Name))\n"
            "CREATE TABLE Stock (PartID int NOT NULL CONSTRAINT FK_Stock_Parts REFERENCES Parts (PartID), "
            "Counted datetime NULL, Rate float NULL)");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
        ASSERT_FALSE(Run("CREATE VIEW Cheap AS SELECT Name FROM Parts WHERE Price < 10").HasError());
        ASSERT_FALSE(Run("CREATE PROCEDURE PartCount AS SELECT COUNT(*) FROM Parts").HasError());
    }
    void TearDown() override
    {
        session = NewSession("master");
        Run("DROP DATABASE Catalogued");
    }
};

TEST_F(InformationSchemaTest, ListsTablesViewsAndRoutines)
{
    EXPECT_EQ(Outcome(Run("SELECT TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE FROM INFORMATION_SCHEMA.TABLES "
                             "ORDER BY TABLE_NAME")),
              "Catalogued|dbo|Cheap|VIEW;Catalogued|dbo|Parts|BASE TABLE;Catalogued|dbo|Stock|BASE TABLE");
    EXPECT_EQ(Outcome(Run("SELECT TABLE_NAME, CHECK_OPTION, VIEW_DEFINITION FROM INFORMATION_SCHEMA.VIEWS")),
              "Cheap|NONE|CREATE VIEW Cheap AS SELECT Name FROM Parts WHERE Price < 10");
    EXPECT_EQ(Outcome(Run("SELECT ROUTINE_SCHEMA, ROUTINE_NAME, ROUTINE_TYPE FROM INFORMATION_SCHEMA.ROUTINES")),
              "dbo|PartCount|PROCEDURE");
    EXPECT_EQ(Outcome(Run("SELECT c.TABLE_NAME, c.CONSTRAINT_NAME, c.CONSTRAINT_TYPE "
                             "FROM INFORMATION_SCHEMA.TABLE_CONSTRAINTS c JOIN INFORMATION_SCHEMA.TABLES t "
                             "ON t.TABLE_NAME = c.TABLE_NAME WHERE t.TABLE_TYPE = 'BASE TABLE' ORDER BY 1, 2")),
              "Parts|CK_Parts_Price|CHECK;Parts|PK_Parts|PRIMARY KEY;Parts|UQ_Parts_Name|UNIQUE;"
              "Stock|FK_Stock_Parts|FOREIGN KEY");
    // Names compare as the server compares them, and another database's views are read through its name.
    EXPECT_EQ(Outcome(Run("SELECT COUNT(*) FROM information_schema.tables WHERE table_name = 'PARTS'")), "1");
    session = NewSession("master");
    EXPECT_EQ(Outcome(Run("SELECT COUNT(*) FROM Catalogued.INFORMATION_SCHEMA.TABLES")), "3");
    EXPECT_EQ(Outcome(Run("SELECT * FROM Catalogued.INFORMATION_SCHEMA.SCHEMATA_OF_NOTHING")),
              "208 Invalid object name 'Catalogued.INFORMATION_SCHEMA.SCHEMATA_OF_NOTHING'.");
}

TEST_F(InformationSchemaTest, DescribesEachColumnsType)
{
    EXPECT_EQ(Outcome(Run("SELECT COLUMN_NAME, ORDINAL_POSITION, IS_NULLABLE, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, "
                             "CHARACTER_OCTET_LENGTH, NUMERIC_PRECISION, NUMERIC_PRECISION_RADIX, NUMERIC_SCALE, "
                             "DATETIME_PRECISION, CHARACTER_SET_NAME, DOMAIN_NAME "
                             "FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME <> 'Cheap' ORDER BY TABLE_NAME, "
                             "ORDINAL_POSITION")),
              "PartID|1|NO|int|NULL|NULL|10|10|0|NULL|NULL|NULL;"
              "Name|2|NO|nvarchar|40|80|NULL|NULL|NULL|NULL|UNICODE|NULL;"
              "Price|3|YES|money|NULL|NULL|19|10|4|NULL|NULL|NULL;"
              "Weight|4|YES|decimal|NULL|NULL|9|10|3|NULL|NULL|NULL;"
              "Kind|5|NO|char|4|4|NULL|NULL|NULL|NULL|iso_1|Code;"
              "Notes|6|YES|text|2147483647|2147483647|NULL|NULL|NULL|NULL|iso_1|NULL;"
              "PartID|1|NO|int|NULL|NULL|10|10|0|NULL|NULL|NULL;"
              "Counted|2|YES|datetime|NULL|NULL|NULL|NULL|NULL|3|NULL|NULL;"
              "Rate|3|YES|float|NULL|NULL|53|2|NULL|NULL|NULL|NULL");
    EXPECT_EQ(Outcome(Run("SELECT COLUMN_DEFAULT FROM INFORMATION_SCHEMA.COLUMNS WHERE COLUMN_NAME = 'Price'")),
              "((0))");
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(InformationSchemaTest, ListsKeyColumnsReferencesChecksAndParameters)
{
    EXPECT_EQ(Outcome(Run("SELECT CONSTRAINT_NAME, TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION FROM "
                          "INFORMATION_SCHEMA.KEY_COLUMN_USAGE ORDER BY CONSTRAINT_NAME")),
              "FK_Stock_Parts|Stock|PartID|1;PK_Parts|Parts|PartID|1;UQ_Parts_Name|Parts|Name|1");
    EXPECT_EQ(Outcome(Run("SELECT CONSTRAINT_NAME, UNIQUE_CONSTRAINT_NAME, UPDATE_RULE, DELETE_RULE FROM "
                          "INFORMATION_SCHEMA.REFERENTIAL_CONSTRAINTS")),
              "FK_Stock_Parts|PK_Parts|NO ACTION|NO ACTION");
    EXPECT_EQ(Outcome(Run("SELECT CONSTRAINT_NAME, CHECK_CLAUSE FROM INFORMATION_SCHEMA.CHECK_CONSTRAINTS")),
              "CK_Parts_Price|(Price >= 0)");
    ASSERT_FALSE(Run("CREATE PROCEDURE PartsOf @Kind char(4), @Found int OUTPUT AS SELECT @Found = 1").HasError());
    EXPECT_EQ(Outcome(Run("SELECT SPECIFIC_NAME, ORDINAL_POSITION, PARAMETER_MODE, PARAMETER_NAME, DATA_TYPE, "
                          "CHARACTER_MAXIMUM_LENGTH FROM INFORMATION_SCHEMA.PARAMETERS ORDER BY ORDINAL_POSITION")),
              "PartsOf|1|IN|@Kind|char|4;PartsOf|2|INOUT|@Found|int|NULL");
}

} // namespace tw::server::test
