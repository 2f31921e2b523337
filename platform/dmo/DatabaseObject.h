// A database of the logged-in server: its figures, its collections of
// objects, and batches run in it.
#pragma once

#include <string>

#include "platform/com/Unknown.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/dmo/ServerLink.h"

namespace tw::dmo {

class DatabaseObject final : public tw::ComObject<SQLDMO::_Database2> {
public:
    DatabaseObject() = default;
    DatabaseObject(ServerLinkRef link, std::string name) : m_link(std::move(link)), m_name(std::move(name)) {}

    _bstr_t GetName() override { return m_name.c_str(); }
    _bstr_t GetOwner() override;
    long GetID() override;
    _bstr_t GetCreateDate() override;
    VARIANT_BOOL GetSystemObject() override;
    long GetStatus() override;
    long GetSize() override;
    long GetVersion() override;
    float GetDataSpaceUsage() override;
    float GetIndexSpaceUsage() override;
    long GetSpaceAvailable() override;
    _bstr_t GetMemoryUsage() override;
    SQLDMO::TablesPtr GetTables() override;
    SQLDMO::ViewsPtr GetViews() override;
    SQLDMO::StoredProceduresPtr GetStoredProcedures() override;
    SQLDMO::UsersPtr GetUsers() override;
    SQLDMO::DefaultsPtr GetDefaults() override;
    SQLDMO::RulesPtr GetRules() override;
    void ExecuteImmediate(_bstr_t command, SQLDMO::SQLDMO_EXEC_TYPE execType, const _variant_t& length) override;
    SQLDMO::_QueryResultsPtr ExecuteWithResults(_bstr_t command, const _variant_t& length) override;
    _bstr_t Script(long scriptType, const _variant_t& scriptFilePath, long script2Type) override;
    SQLDMO::UserDefinedFunctionsPtr GetUserDefinedFunctions() override;
    SQLDMO::_QueryResults2Ptr ExecuteWithResultsAndMessages2(_bstr_t command, BSTR* messages,
                                                             const _variant_t& length) override;

protected:
    void* FindInterface(REFIID riid) override;

private:
    ServerLink& Link() const;
    std::string MasterFact(const std::string& column) const;
    // Kilobytes of pages the database's indexes report, by index kind.
    float UsedKilobytes(const std::string& indexCondition) const;

    ServerLinkRef m_link;
    std::string m_name;
    // Collections stay with the database once read, as SQL-DMO keeps them.
    SQLDMO::TablesPtr m_tables;
    SQLDMO::ViewsPtr m_views;
    SQLDMO::StoredProceduresPtr m_procedures;
    SQLDMO::UserDefinedFunctionsPtr m_functions;
    SQLDMO::UsersPtr m_users;
    SQLDMO::DefaultsPtr m_defaults;
    SQLDMO::RulesPtr m_rules;
};

// Runs a batch as ExecuteImmediate does: with parse-only or no-exec set
// around it when the type asks for it.
void ExecuteImmediateOn(ServerLink& link, const std::string& command, SQLDMO::SQLDMO_EXEC_TYPE execType,
                        const std::string& database);
// The command cut to the length argument when one is given.
std::string CommandText(_bstr_t command, const _variant_t& length);

} // namespace tw::dmo
