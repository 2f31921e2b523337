// One login to a server: the data-access connection every object of the
// model that came from this login runs its T-SQL on, and the reading of
// answers into plain rows.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/ado/AdoInterfaces.h"

namespace tw::dmo {

struct ResultColumn {
    std::string name;
    int serverType = 0;
};

using ResultValue = std::optional<std::string>;

struct ResultSetData {
    std::vector<ResultColumn> columns;
    std::vector<std::vector<ResultValue>> rows;
};

struct BatchAnswer {
    std::vector<ResultSetData> resultSets;
    std::string messages;
};

// Errors of the model itself (as against the server's), FACILITY_ITF.
constexpr HRESULT kDmoNotConnected = static_cast<HRESULT>(0x80045003L);
constexpr HRESULT kDmoNameNotFound = static_cast<HRESULT>(0x80045510L);
constexpr HRESULT kDmoIndexOutOfRange = static_cast<HRESULT>(0x80045511L);
constexpr HRESULT kDmoNotInCollection = static_cast<HRESULT>(0x80045512L);

// Raises _com_error with an error object carrying the description.
[[noreturn]] void RaiseDmoError(HRESULT hr, const std::string& description);

class ServerLink {
public:
    // Opens the connection; raises the server's error when it fails.
    ServerLink(const std::string& serverName, const std::string& login, const std::string& password,
               bool loginSecure);
    ~ServerLink();

    const std::string& ServerName() const { return m_serverName; }
    const std::string& Login() const { return m_login; }
    bool IsEmbedded() const { return m_embedded; }

    // Runs the batch, first making database current when one is named.
    BatchAnswer Run(const std::string& batch, const std::string& database = {});
    // The first result set's rows; none when the batch returns no rows.
    std::vector<std::vector<ResultValue>> Rows(const std::string& query, const std::string& database = {});
    // The first column of the first row, or "" when there is none.
    std::string Scalar(const std::string& query, const std::string& database = {});
    void Close();
    // Seconds before a statement is cancelled; 0 waits for ever, -1 goes back
    // to the connection's own limit.
    void SetCommandTimeout(long seconds);

    // Counts the changes the model made itself (objects added or removed), so
    // that collections read before them know to read again.
    void NoteChange() { ++m_changes; }
    unsigned Changes() const { return m_changes; }

private:
    void Execute(const std::string& text, BatchAnswer* answer);

    std::mutex m_mutex;
    ADODB::_ConnectionPtr m_connection;
    std::string m_serverName;
    std::string m_login;
    bool m_embedded = false;
    long m_defaultTimeout = -1;
    std::atomic<unsigned> m_changes{0};
};

using ServerLinkRef = std::shared_ptr<ServerLink>;

// Text of a value as the model hands it out: dates as
// "yyyy-mm-dd hh:mm:ss.mmm", binary as "0x0102", NULL as nothing.
ResultValue ValueText(const _variant_t& value);

} // namespace tw::dmo
