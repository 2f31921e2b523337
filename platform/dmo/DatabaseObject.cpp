#include "platform/dmo/DatabaseObject.h"

#include <cstdlib>

#include "platform/dmo/CatalogObjects.h"
#include "platform/dmo/ObjectCollection.h"
#include "platform/dmo/QueryResultsObject.h"
#include "platform/dmo/SqlQuoting.h"
#include "platform/dmo/UserCollection.h"

namespace tw::dmo {

namespace database_detail {

template <class Object, class ItemPtr>
std::vector<ItemPtr> ObjectsOfKind(const ServerLinkRef& link, const std::string& database, const std::string& xtypes)
{
    std::vector<ItemPtr> items;
    for (ObjectFacts& facts : LoadCatalogObjects(link, database, "o.xtype IN (" + xtypes + ")"))
        items.emplace_back(new Object(std::move(facts)), false);
    return items;
}

} // namespace database_detail

void ExecuteImmediateOn(ServerLink& link, const std::string& command, SQLDMO::SQLDMO_EXEC_TYPE execType,
                        const std::string& database)
{
    const char* option = (execType & SQLDMO::SQLDMOExec_ParseOnly) ? "PARSEONLY"
                         : (execType & SQLDMO::SQLDMOExec_NoExec)  ? "NOEXEC"
                                                                   : nullptr;
    if (!option) {
        link.Run(command, database);
        return;
    }
    link.Run(std::string("SET ") + option + " ON", database);
    try {
        link.Run(command);
    } catch (...) {
        link.Run(std::string("SET ") + option + " OFF");
        throw;
    }
    link.Run(std::string("SET ") + option + " OFF");
}

std::string CommandText(_bstr_t command, const _variant_t& length)
{
    std::string text = static_cast<const char*>(command);
    if (IsMissingArgument(length))
        return text;
    const long count = static_cast<long>(_variant_t(length));
    if (count > 0 && static_cast<size_t>(count) < text.size())
        text.resize(static_cast<size_t>(count));
    return text;
}

void* DatabaseObject::FindInterface(REFIID riid)
{
    if (IsEqualIID(riid, SQLDMO::IID__Database))
        return static_cast<SQLDMO::_Database*>(this);
    return ComObject::FindInterface(riid);
}

ServerLink& DatabaseObject::Link() const
{
    if (!m_link)
        RaiseDmoError(kDmoNotInCollection, "The database '" + m_name + "' does not belong to a server.");
    return *m_link;
}

std::string DatabaseObject::MasterFact(const std::string& column) const
{
    return Link().Scalar("SELECT " + column + " FROM master..sysdatabases WHERE name = " + QuoteLiteral(m_name));
}

_bstr_t DatabaseObject::GetOwner()
{
    const std::string owner = MasterFact("suser_sname(sid)");
    return (owner.empty() ? std::string("sa") : owner).c_str();
}

long DatabaseObject::GetID() { return std::strtol(MasterFact("dbid").c_str(), nullptr, 10); }

_bstr_t DatabaseObject::GetCreateDate() { return MasterFact("crdate").c_str(); }

VARIANT_BOOL DatabaseObject::GetSystemObject()
{
    for (const char* name : {"master", "model", "msdb", "tempdb"}) {
        if (SameName(m_name, name))
            return VARIANT_TRUE;
    }
    return VARIANT_FALSE;
}

long DatabaseObject::GetStatus()
{
    const std::string status =
        Link().Scalar("SELECT CAST(DATABASEPROPERTYEX(" + QuoteLiteral(m_name) + ", 'Status') AS nvarchar(60))");
    if (status.empty() || status == "ONLINE")
        return SQLDMO::SQLDMODBStat_Normal;
    if (status == "OFFLINE")
        return SQLDMO::SQLDMODBStat_Offline;
    if (status == "RESTORING")
        return SQLDMO::SQLDMODBStat_Loading;
    if (status == "RECOVERING")
        return SQLDMO::SQLDMODBStat_Recovering;
    if (status == "SUSPECT")
        return SQLDMO::SQLDMODBStat_Suspect;
    return SQLDMO::SQLDMODBStat_Inaccessible;
}

long DatabaseObject::GetSize()
{
    const std::string pages = Link().Scalar("SELECT SUM(size) FROM sysfiles", m_name);
    return static_cast<long>(std::strtoll(pages.c_str(), nullptr, 10) * 8 / 1024);
}

long DatabaseObject::GetVersion() { return std::strtol(MasterFact("version").c_str(), nullptr, 10); }

float DatabaseObject::UsedKilobytes(const std::string& indexCondition) const
{
    const std::string pages = Link().Scalar("SELECT SUM(used) FROM sysindexes WHERE " + indexCondition, m_name);
    return static_cast<float>(std::strtod(pages.c_str(), nullptr) * 8.0);
}

float DatabaseObject::GetDataSpaceUsage() { return UsedKilobytes("indid IN (0, 1, 255)"); }

float DatabaseObject::GetIndexSpaceUsage() { return UsedKilobytes("indid BETWEEN 2 AND 254"); }

long DatabaseObject::GetSpaceAvailable()
{
    const std::string pages = Link().Scalar("SELECT SUM(size) FROM sysfiles", m_name);
    const double sizeKb = std::strtod(pages.c_str(), nullptr) * 8.0;
    const double available = sizeKb - GetDataSpaceUsage() - GetIndexSpaceUsage();
    return available > 0 ? static_cast<long>(available) : 0;
}

// The layout the report reads: each figure follows its label, and every
// label after the first is 32 characters wide with its separator.
_bstr_t DatabaseObject::GetMemoryUsage()
{
    const long usedPages = static_cast<long>((GetDataSpaceUsage() + GetIndexSpaceUsage()) / 8);
    const std::string tables = Link().Scalar("SELECT COUNT(*) FROM sysobjects WHERE xtype = 'U '", m_name);
    std::string text = "Buffer Cache Top " + (tables.empty() ? std::string("0") : tables) + "\r\n";
    text += "Total Buffer Pool Page Count =  " + std::to_string(usedPages) + "\r\n";
    text += "Total Buffer Pool Dirty Count = 0";
    return text.c_str();
}

SQLDMO::TablesPtr DatabaseObject::GetTables()
{
    Link();
    if (m_tables)
        return m_tables;
    auto loader = [link = m_link, name = m_name] {
        return database_detail::ObjectsOfKind<TableObject, SQLDMO::_TablePtr>(link, name, "'U ', 'S '");
    };
    m_tables = SQLDMO::TablesPtr(new CollectionObject<SQLDMO::Tables>("Tables", loader, m_link), false);
    return m_tables;
}

SQLDMO::ViewsPtr DatabaseObject::GetViews()
{
    Link();
    if (m_views)
        return m_views;
    auto loader = [link = m_link, name = m_name] {
        return database_detail::ObjectsOfKind<ViewObject, SQLDMO::_ViewPtr>(link, name, "'V '");
    };
    m_views = SQLDMO::ViewsPtr(new CollectionObject<SQLDMO::Views>("Views", loader, m_link), false);
    return m_views;
}

SQLDMO::StoredProceduresPtr DatabaseObject::GetStoredProcedures()
{
    Link();
    if (m_procedures)
        return m_procedures;
    auto loader = [link = m_link, name = m_name] {
        return database_detail::ObjectsOfKind<StoredProcedureObject, SQLDMO::_StoredProcedurePtr>(
            link, name, "'P ', 'X ', 'RF'");
    };
    m_procedures = SQLDMO::StoredProceduresPtr(
        new CollectionObject<SQLDMO::StoredProcedures>("StoredProcedures", loader, m_link), false);
    return m_procedures;
}

SQLDMO::UserDefinedFunctionsPtr DatabaseObject::GetUserDefinedFunctions()
{
    Link();
    if (m_functions)
        return m_functions;
    auto loader = [link = m_link, name = m_name] {
        return database_detail::ObjectsOfKind<UserDefinedFunctionObject, SQLDMO::_UserDefinedFunctionPtr>(
            link, name, "'FN', 'IF', 'TF'");
    };
    m_functions = SQLDMO::UserDefinedFunctionsPtr(
        new CollectionObject<SQLDMO::UserDefinedFunctions>("UserDefinedFunctions", loader, m_link), false);
    return m_functions;
}

SQLDMO::DefaultsPtr DatabaseObject::GetDefaults()
{
    Link();
    if (m_defaults)
        return m_defaults;
    // Bound defaults stand alone; a column's DEFAULT constraint is its table's.
    auto loader = [link = m_link, name = m_name] {
        std::vector<SQLDMO::_DefaultPtr> items;
        for (ObjectFacts& facts : LoadCatalogObjects(link, name, "o.xtype = 'D ' AND o.parent_obj = 0"))
            items.emplace_back(new DefaultObject(std::move(facts)), false);
        return items;
    };
    m_defaults = SQLDMO::DefaultsPtr(new CollectionObject<SQLDMO::Defaults>("Defaults", loader, m_link), false);
    return m_defaults;
}

SQLDMO::RulesPtr DatabaseObject::GetRules()
{
    Link();
    if (m_rules)
        return m_rules;
    auto loader = [link = m_link, name = m_name] {
        return database_detail::ObjectsOfKind<RuleObject, SQLDMO::_RulePtr>(link, name, "'R '");
    };
    m_rules = SQLDMO::RulesPtr(new CollectionObject<SQLDMO::Rules>("Rules", loader, m_link), false);
    return m_rules;
}

SQLDMO::UsersPtr DatabaseObject::GetUsers()
{
    Link();
    if (!m_users)
        m_users = SQLDMO::UsersPtr(new UserCollectionObject(m_link, m_name), false);
    return m_users;
}

void DatabaseObject::ExecuteImmediate(_bstr_t command, SQLDMO::SQLDMO_EXEC_TYPE execType, const _variant_t& length)
{
    ExecuteImmediateOn(Link(), CommandText(command, length), execType, m_name);
}

SQLDMO::_QueryResultsPtr DatabaseObject::ExecuteWithResults(_bstr_t command, const _variant_t& length)
{
    BatchAnswer answer = Link().Run(CommandText(command, length), m_name);
    return SQLDMO::_QueryResultsPtr(
        static_cast<SQLDMO::_QueryResults*>(new QueryResultsObject(std::move(answer.resultSets))), false);
}

SQLDMO::_QueryResults2Ptr DatabaseObject::ExecuteWithResultsAndMessages2(_bstr_t command, BSTR* messages,
                                                                         const _variant_t& length)
{
    BatchAnswer answer = Link().Run(CommandText(command, length), m_name);
    if (messages)
        *messages = _bstr_t(answer.messages.c_str()).Detach();
    return SQLDMO::_QueryResults2Ptr(new QueryResultsObject(std::move(answer.resultSets)), false);
}

_bstr_t DatabaseObject::Script(long, const _variant_t&, long)
{
    Link();
    return ("CREATE DATABASE " + QuoteName(m_name) + "\r\nGO\r\n").c_str();
}

} // namespace tw::dmo
