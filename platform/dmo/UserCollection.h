// The users of a database: read as the other collections are, and the one
// collection the program adds to.
#pragma once

#include <string>
#include <vector>

#include "platform/dmo/ObjectCollection.h"

namespace tw::dmo {

// The users of a database (roles left out), in name order.
std::vector<SQLDMO::_UserPtr> LoadUsers(const ServerLinkRef& link, const std::string& database);

class UserCollectionObject final : public CollectionObject<SQLDMO::Users> {
public:
    UserCollectionObject(ServerLinkRef link, std::string database);

    // Grants the user's login access under the user's name (the login
    // defaults to the name, as sp_grantdbaccess does); the object then
    // stands for the new user.
    void Add(SQLDMO::_User* user) override;

private:
    ServerLinkRef m_link;
    std::string m_database;
};

} // namespace tw::dmo
