#include "platform/dmo/SqlServerObject.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/dmo/DatabaseObject.h"
#include "platform/dmo/ListObjects.h"
#include "platform/dmo/ObjectCollection.h"
#include "platform/dmo/QueryResultsObject.h"
#include "platform/dmo/SqlQuoting.h"

namespace tw::dmo {

namespace server_detail {

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

void AddUnique(std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& known : names) {
        if (SameName(known, name))
            return;
    }
    names.push_back(name);
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace server_detail

std::vector<std::string> ServerSectionsOf(const std::string& configurationText)
{
    std::vector<std::string> names;
    std::istringstream lines(configurationText);
    std::string line;
    while (std::getline(lines, line)) {
        line = server_detail::Trim(line);
        if (line.size() < 3 || line.front() != '[' || line.back() != ']')
            continue;
        const std::string name = server_detail::Trim(line.substr(1, line.size() - 2));
        if (!name.empty() && !SameName(name, "global"))
            server_detail::AddUnique(names, name);
    }
    return names;
}

std::vector<std::string> ConfiguredServerNames()
{
    std::vector<std::string> paths;
    if (const char* own = std::getenv("FREETDSCONF"))
        paths.emplace_back(own);
    if (const char* home = std::getenv("HOME"))
        paths.push_back(std::string(home) + "/.freetds.conf");
    paths.emplace_back("/etc/freetds/freetds.conf");
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        for (const std::string& name : ServerSectionsOf(server_detail::FileText(path)))
            server_detail::AddUnique(names, name);
    }
    return names;
}

SQLDMO::NameListPtr ApplicationObject::ListAvailableSQLServers()
{
    std::vector<std::string> names{"(embedded)"};
    for (const std::string& name : ConfiguredServerNames())
        server_detail::AddUnique(names, name);
    return SQLDMO::NameListPtr(static_cast<SQLDMO::NameList*>(new NamesObject(std::move(names))), false);
}

void SqlServerObject::Connect(const _variant_t& serverName, const _variant_t& login, const _variant_t& password)
{
    DisConnect();
    m_link = std::make_shared<ServerLink>(ArgumentText(serverName), ArgumentText(login), ArgumentText(password),
                                          m_loginSecure);
    if (m_queryTimeout >= 0)
        m_link->SetCommandTimeout(m_queryTimeout);
}

void SqlServerObject::PutQueryTimeout(long seconds)
{
    if (seconds < -1)
        RaiseDmoError(E_INVALIDARG, "The query time-out must be -1 or more seconds.");
    m_queryTimeout = seconds;
    if (m_link)
        m_link->SetCommandTimeout(seconds);
}

void SqlServerObject::DisConnect()
{
    m_databases = nullptr;
    if (!m_link)
        return;
    m_link->Close();
    m_link.reset();
}

ServerLink& SqlServerObject::Link() const
{
    if (!m_link)
        RaiseDmoError(kDmoNotConnected, "The server is not connected.");
    return *m_link;
}

_bstr_t SqlServerObject::GetName()
{
    if (!m_link)
        return "";
    return (m_link->ServerName().empty() ? std::string("(embedded)") : m_link->ServerName()).c_str();
}

_bstr_t SqlServerObject::GetTrueName() { return Link().Scalar("SELECT @@SERVERNAME").c_str(); }

_bstr_t SqlServerObject::GetLogin() { return m_link ? m_link->Login().c_str() : ""; }

_bstr_t SqlServerObject::GetVersionString() { return Link().Scalar("SELECT @@VERSION").c_str(); }

long SqlServerObject::VersionPart(int index)
{
    const std::string version =
        Link().Scalar("SELECT CAST(SERVERPROPERTY('ProductVersion') AS nvarchar(128))");
    const char* cursor = version.c_str();
    for (int i = 0; i < index && *cursor; ++i) {
        cursor = std::strchr(cursor, '.');
        if (!cursor)
            return 0;
        ++cursor;
    }
    return std::strtol(cursor, nullptr, 10);
}

long SqlServerObject::GetVersionMajor() { return VersionPart(0); }

long SqlServerObject::GetVersionMinor() { return VersionPart(1); }

void SqlServerObject::ExecuteImmediate(_bstr_t command, SQLDMO::SQLDMO_EXEC_TYPE execType, const _variant_t& length)
{
    ExecuteImmediateOn(Link(), CommandText(command, length), execType, {});
}

SQLDMO::_QueryResultsPtr SqlServerObject::ExecuteWithResults(_bstr_t command, const _variant_t& length)
{
    BatchAnswer answer = Link().Run(CommandText(command, length));
    return SQLDMO::_QueryResultsPtr(
        static_cast<SQLDMO::_QueryResults*>(new QueryResultsObject(std::move(answer.resultSets))), false);
}

SQLDMO::_QueryResults2Ptr SqlServerObject::ExecuteWithResultsAndMessages2(_bstr_t command, BSTR* messages,
                                                                          const _variant_t& length)
{
    BatchAnswer answer = Link().Run(CommandText(command, length));
    if (messages)
        *messages = _bstr_t(answer.messages.c_str()).Detach();
    return SQLDMO::_QueryResults2Ptr(new QueryResultsObject(std::move(answer.resultSets)), false);
}

SQLDMO::DatabasesPtr SqlServerObject::GetDatabases()
{
    Link();
    if (m_databases)
        return m_databases;
    auto loader = [link = m_link] {
        std::vector<SQLDMO::_DatabasePtr> items;
        for (const auto& row : link->Rows("SELECT name FROM master..sysdatabases ORDER BY name"))
            items.emplace_back(static_cast<SQLDMO::_Database*>(new DatabaseObject(link, row[0].value_or(""))), false);
        return items;
    };
    m_databases = SQLDMO::DatabasesPtr(new CollectionObject<SQLDMO::Databases>("Databases", loader, m_link), false);
    return m_databases;
}

SQLDMO::_ApplicationPtr SqlServerObject::GetApplication()
{
    return SQLDMO::_ApplicationPtr(new ApplicationObject, false);
}

} // namespace tw::dmo
