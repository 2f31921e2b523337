#include "platform/server/SessionState.h"

#include "platform/server/ServerState.h"

namespace tw::server {

SessionState::SessionState(std::shared_ptr<ServerState> server_, sqlite3* db_) : server(std::move(server_)), db(db_) {}

SessionState::~SessionState() = default;

Variable* SessionState::FindVariable(const std::string& name)
{
    auto& frame = frames.back();
    auto it = frame.find(name);
    return it == frame.end() ? nullptr : &it->second;
}

void SessionState::SetDatabase(const std::string& name)
{
    database = name;
    SetInfo(&SessionState::databaseShown, name);
}

std::string SessionState::Info(std::string SessionState::*field) const
{
    std::lock_guard<std::mutex> lock(infoMutex);
    return this->*field;
}

void SessionState::SetInfo(std::string SessionState::*field, std::string value)
{
    std::lock_guard<std::mutex> lock(infoMutex);
    this->*field = std::move(value);
}

void SessionState::NoteChangedRow(const char* databaseName, const char* tableName, int64_t rowid)
{
    ChangedTable* entry = nullptr;
    for (ChangedTable& t : changedTables)
        if (t.database == databaseName && t.table == tableName)
            entry = &t;
    if (!entry) {
        changedTables.push_back({databaseName, tableName, {}});
        entry = &changedTables.back();
    }
    entry->rowids.push_back(rowid);
}

} // namespace tw::server
