#include "platform/server/ServerState.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

#include "platform/server/SessionState.h"
#include "platform/server/SqliteStatement.h"

namespace tw::server {

namespace server_state_detail {

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace server_state_detail

ServerState::ServerState(std::string dataDir) : dataDir_(std::move(dataDir)) {}

ServerState::~ServerState()
{
    if (tempdbKeeper)
        SqliteStatement::Close(tempdbKeeper);
}

std::vector<DatabaseInfo> ServerState::Databases() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return databases_;
}

bool ServerState::FindDatabase(const std::string& name, DatabaseInfo* info) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const DatabaseInfo& d : databases_)
        if (server_state_detail::SameName(d.name, name)) {
            *info = d;
            return true;
        }
    return false;
}

bool ServerState::FindDatabase(int dbid, DatabaseInfo* info) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const DatabaseInfo& d : databases_)
        if (d.dbid == dbid) {
            *info = d;
            return true;
        }
    return false;
}

void ServerState::AddDatabase(const DatabaseInfo& info)
{
    std::lock_guard<std::mutex> lock(mutex_);
    databases_.push_back(info);
}

void ServerState::RemoveDatabase(const std::string& name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    databases_.erase(std::remove_if(databases_.begin(), databases_.end(),
                                    [&](const DatabaseInfo& d) { return server_state_detail::SameName(d.name, name); }),
                     databases_.end());
}

void ServerState::SetOffline(const std::string& name, bool offline)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (DatabaseInfo& d : databases_)
        if (server_state_detail::SameName(d.name, name))
            d.offline = offline;
}

int ServerState::RegisterSession(SessionState* session)
{
    std::lock_guard<std::mutex> lock(mutex_);
    sessions_.push_back(session);
    // The lowest free spid from 51 up, as SQL Server hands them out.
    int spid = 51;
    while (std::any_of(sessions_.begin(), sessions_.end(), [&](SessionState* s) { return s->spid == spid; }))
        ++spid;
    return spid;
}

void ServerState::UnregisterSession(int spid)
{
    std::lock_guard<std::mutex> lock(mutex_);
    sessions_.erase(std::remove_if(sessions_.begin(), sessions_.end(), [&](SessionState* s) { return s->spid == spid; }),
                    sessions_.end());
}

SessionState* ServerState::LockSession(int spid, std::unique_lock<std::mutex>& lock) const
{
    lock = std::unique_lock<std::mutex>(mutex_);
    for (SessionState* s : sessions_)
        if (s->spid == spid)
            return s;
    lock.unlock();
    return nullptr;
}

} // namespace tw::server
