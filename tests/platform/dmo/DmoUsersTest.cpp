#include <gtest/gtest.h>

#include "tests/platform/dmo/DmoTestSupport.h"

namespace dmousers {

using namespace SQLDMO;
using dmotest::Text;

// Users added through the object model, in a database of their own, and the
// collections a database keeps once read.
class DmoUsers : public dmotest::ScriptFixture {
protected:
    void SetUp() override
    {
        Login();
        server->ExecuteImmediate("if db_id('DmoUsers') is not null drop database DmoUsers");
        server->ExecuteImmediate("create database DmoUsers");
        for (const char* login : {"erin", "O'Hara", "fred"})
            server->ExecuteImmediate(("if not exists (select * from master..syslogins where name = N'" +
                                      Doubled(login) + "') exec sp_addlogin N'" + Doubled(login) + "'")
                                         .c_str());
        OpenDatabase("DmoUsers");
    }

    void TearDown() override
    {
        if (server)
            server->ExecuteImmediate("use master; drop database DmoUsers");
    }

    static _UserPtr NewUser(const char* name, const char* login)
    {
        _UserPtr user;
        user.CreateInstance(CLSID_User);
        user->PutName(name);
        if (login)
            user->PutLogin(login);
        return user;
    }
};

TEST_F(DmoUsers, AddedUserBelongsToTheDatabaseAndItsCollection)
{
    UsersPtr users = database->GetUsers();
    const long before = users->GetCount();
    _UserPtr user = NewUser("Erin's ]Reports", "erin");
    users->Add(user);

    // The same object now stands for the new user, and is listed without Refresh.
    EXPECT_EQ(Text(user->GetLogin()), "erin");
    EXPECT_GT(user->GetID(), 4);
    EXPECT_FALSE(user->GetSystemObject());
    EXPECT_EQ(users->GetCount(), before + 1);
    EXPECT_EQ(Text(users->Item("Erin's ]Reports")->GetLogin()), "erin");
    _QueryResultsPtr rows = database->ExecuteWithResults("select name from sysusers where name = N'Erin''s ]Reports'");
    EXPECT_EQ(rows->GetRows(), 1);

    // A user with no login set takes the login of its name.
    _UserPtr named = NewUser("O'Hara", nullptr);
    users->Add(named);
    EXPECT_EQ(Text(named->GetLogin()), "O'Hara");

    // Its script grants the access again after a removal.
    const std::string script = Text(user->Script());
    user->Remove();
    EXPECT_EQ(users->GetCount(), before + 1);
    RunScript(script);
    users->Refresh();
    EXPECT_EQ(Text(users->Item("Erin's ]Reports")->GetLogin()), "erin");
}

TEST_F(DmoUsers, RefusedAdditionsRaiseAndChangeNothing)
{
    UsersPtr users = database->GetUsers();
    users->Add(NewUser("fred", nullptr));
    const long count = users->GetCount();

    // Each login has one user in a database; the server's message comes back.
    try {
        users->Add(NewUser("fred again", "fred"));
        ADD_FAILURE() << "a second user for one login was added";
    } catch (const _com_error& error) {
        EXPECT_NE(Text(error.Description()).find("already has an account"), std::string::npos);
    }
    EXPECT_THROW(users->Add(NewUser("ghost", "no such login")), _com_error);
    EXPECT_THROW(users->Add(NewUser("", "erin")), _com_error);
    // An object that already stands for a user cannot be added again, nor change its login.
    _UserPtr fred = users->Item("fred");
    EXPECT_THROW(users->Add(fred), _com_error);
    EXPECT_THROW(fred->PutLogin("erin"), _com_error);
    users->Refresh();
    EXPECT_EQ(users->GetCount(), count);
}

TEST_F(DmoUsers, CollectionsAreKeptUntilRefreshed)
{
    UsersPtr users = database->GetUsers();
    EXPECT_EQ(static_cast<Users*>(database->GetUsers()), static_cast<Users*>(users));
    const long count = users->GetCount();
    // A change made by T-SQL is seen after Refresh, as SQL-DMO's collections do.
    database->ExecuteImmediate("exec sp_grantdbaccess N'erin'");
    EXPECT_EQ(users->GetCount(), count);
    users->Refresh();
    EXPECT_EQ(users->GetCount(), count + 1);

    TablesPtr tables = database->GetTables();
    const long tableCount = tables->GetCount();
    database->ExecuteImmediate("create table kept (a int null)");
    EXPECT_THROW(tables->Item("kept"), _com_error);
    tables->Refresh();
    _TablePtr kept = tables->Item("kept");
    kept->Remove();
    EXPECT_THROW(database->GetTables()->Item("kept"), _com_error);
    EXPECT_EQ(tables->GetCount(), tableCount);
}

} // namespace dmousers
