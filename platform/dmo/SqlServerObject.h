// The server object: one login at a time, the databases of that server and
// batches run on it, and the application object that lists servers.
#pragma once

#include <string>
#include <vector>

#include "platform/com/Unknown.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/dmo/ServerLink.h"

namespace tw::dmo {

class ApplicationObject final : public tw::ComObject<SQLDMO::_Application> {
public:
    SQLDMO::NameListPtr ListAvailableSQLServers() override;
};

class SqlServerObject final : public tw::ComObject<SQLDMO::_SQLServer> {
public:
    VARIANT_BOOL GetLoginSecure() override { return m_loginSecure ? VARIANT_TRUE : VARIANT_FALSE; }
    void PutLoginSecure(VARIANT_BOOL loginSecure) override { m_loginSecure = loginSecure != VARIANT_FALSE; }
    void Connect(const _variant_t& serverName, const _variant_t& login, const _variant_t& password) override;
    void DisConnect() override;
    _bstr_t GetName() override;
    _bstr_t GetTrueName() override;
    _bstr_t GetLogin() override;
    _bstr_t GetVersionString() override;
    long GetVersionMajor() override;
    long GetVersionMinor() override;
    void ExecuteImmediate(_bstr_t command, SQLDMO::SQLDMO_EXEC_TYPE execType, const _variant_t& length) override;
    SQLDMO::_QueryResultsPtr ExecuteWithResults(_bstr_t command, const _variant_t& length) override;
    SQLDMO::_QueryResults2Ptr ExecuteWithResultsAndMessages2(_bstr_t command, BSTR* messages,
                                                             const _variant_t& length) override;
    SQLDMO::DatabasesPtr GetDatabases() override;
    SQLDMO::_ApplicationPtr GetApplication() override;
    long GetQueryTimeout() override { return m_queryTimeout; }
    void PutQueryTimeout(long seconds) override;

private:
    ServerLink& Link() const;
    long VersionPart(int index);

    ServerLinkRef m_link;
    SQLDMO::DatabasesPtr m_databases; // kept once read, until the next login
    bool m_loginSecure = false;
    long m_queryTimeout = -1;
};

// The server names of the TDS driver's configuration: the sections of
// $FREETDSCONF, ~/.freetds.conf and /etc/freetds/freetds.conf, without
// "global", each once.
std::vector<std::string> ConfiguredServerNames();
// The section names of one configuration text.
std::vector<std::string> ServerSectionsOf(const std::string& configurationText);

} // namespace tw::dmo
