#include "platform/dmo/UserCollection.h"

#include <cstdlib>

#include "platform/dmo/CatalogObjects.h"

namespace tw::dmo {

namespace usercollection_detail {

std::vector<std::pair<ObjectFacts, std::string>> UserRows(const ServerLinkRef& link, const std::string& database,
                                                         const std::string& condition)
{
    std::vector<std::pair<ObjectFacts, std::string>> users;
    const auto rows = link->Rows(
        "SELECT u.name, u.uid, u.createdate, l.name FROM sysusers u LEFT JOIN master..syslogins l ON l.sid = u.sid "
        "WHERE u.issqlrole = 0" + condition + " ORDER BY u.name",
        database);
    for (const auto& row : rows) {
        ObjectFacts facts;
        facts.link = link;
        facts.database = database;
        facts.name = row[0].value_or("");
        facts.id = std::strtol(row[1].value_or("0").c_str(), nullptr, 10);
        facts.createDate = row[2].value_or("");
        facts.systemObject = facts.name == "dbo" || facts.name == "guest" || facts.name == "INFORMATION_SCHEMA";
        users.emplace_back(std::move(facts), row[3].value_or(""));
    }
    return users;
}

} // namespace usercollection_detail

std::vector<SQLDMO::_UserPtr> LoadUsers(const ServerLinkRef& link, const std::string& database)
{
    std::vector<SQLDMO::_UserPtr> items;
    for (auto& [facts, login] : usercollection_detail::UserRows(link, database, ""))
        items.emplace_back(new UserObject(std::move(facts), std::move(login)), false);
    return items;
}

UserCollectionObject::UserCollectionObject(ServerLinkRef link, std::string database)
    : CollectionObject(
          "Users", [link, database] { return LoadUsers(link, database); }, link),
      m_link(std::move(link)), m_database(std::move(database))
{
}

void UserCollectionObject::Add(SQLDMO::_User* user)
{
    auto* own = dynamic_cast<UserObject*>(user);
    if (!own)
        RaiseDmoError(E_INVALIDARG, "Only a User object can be added to the Users collection.");
    if (!own->Detached())
        RaiseDmoError(E_INVALIDARG, "The user '" + std::string(static_cast<const char*>(own->GetName())) +
                                        "' already belongs to a database.");
    const std::string name = static_cast<const char*>(own->GetName());
    std::string login = static_cast<const char*>(own->GetLogin());
    if (name.empty())
        RaiseDmoError(E_INVALIDARG, "A user needs a name before it is added.");
    if (login.empty())
        login = name;
    m_link->Run("EXEC sp_grantdbaccess " + QuoteLiteral(login) + ", " + QuoteLiteral(name), m_database);
    m_link->NoteChange();
    auto added = usercollection_detail::UserRows(m_link, m_database, " AND u.name = " + QuoteLiteral(name));
    if (added.empty())
        RaiseDmoError(E_FAIL, "The user '" + name + "' was not found after it was added.");
    own->JoinDatabase(std::move(added.front().first), std::move(added.front().second));
}

} // namespace tw::dmo
