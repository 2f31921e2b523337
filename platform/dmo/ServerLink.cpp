#include "platform/dmo/ServerLink.h"


#include "platform/com/ErrorInfo.h"
#include "platform/ado/ValueMapping.h"
#include "platform/dmo/SqlQuoting.h"

namespace tw::dmo {

namespace link_detail {

constexpr const char* kSource = "SQLDMO";

bool NamesEmbedded(const std::string& server)
{
    return server.empty() || SameName(server, "(embedded)");
}

// Values holding ";" or starting with a brace or blank are braced, so a
// password cannot add keys to the connection string.
std::string ConnectionValue(const std::string& value)
{
    const bool needsBraces = value.find_first_of(";{}") != std::string::npos ||
                             (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!needsBraces)
        return value;
    std::string braced = "{";
    for (char c : value) {
        braced += c;
        if (c == '}')
            braced += c;
    }
    return braced + "}";
}

std::string ConnectionText(const std::string& server, const std::string& login, const std::string& password,
                           bool loginSecure)
{
    std::string text = "Provider=SQLOLEDB.1;Initial Catalog=master;Data Source=";
    text += NamesEmbedded(server) ? std::string("(embedded)") : ConnectionValue(server);
    if (loginSecure)
        return text + ";Integrated Security=SSPI";
    return text + ";User ID=" + ConnectionValue(login) + ";Password=" + ConnectionValue(password);
}

int ServerTypeOf(ADODB::DataTypeEnum type)
{
    switch (type) {
    case ADODB::adTinyInt:
    case ADODB::adUnsignedTinyInt: return 48;
    case ADODB::adSmallInt: return 52;
    case ADODB::adInteger: return 56;
    case ADODB::adBigInt: return 127;
    case ADODB::adBoolean: return 50;
    case ADODB::adSingle: return 59;
    case ADODB::adDouble: return 62;
    case ADODB::adCurrency: return 60;
    case ADODB::adNumeric:
    case ADODB::adDecimal: return 108;
    case ADODB::adDate:
    case ADODB::adDBTimeStamp: return 61;
    case ADODB::adGUID: return 36;
    case ADODB::adChar: return 47;
    case ADODB::adWChar: return 239;
    case ADODB::adVarWChar:
    case ADODB::adLongVarWChar: return 231;
    case ADODB::adBinary:
    case ADODB::adVarBinary:
    case ADODB::adLongVarBinary: return 45;
    default: return 39;
    }
}

ResultSetData ReadResultSet(ADODB::_Recordset* recordset)
{
    ResultSetData data;
    ADODB::FieldsPtr fields = recordset->GetFields();
    const long count = fields->GetCount();
    for (long i = 0; i < count; ++i) {
        ADODB::FieldPtr field = fields->GetItem(_variant_t(i));
        data.columns.push_back({static_cast<const char*>(field->GetName()), ServerTypeOf(field->GetType())});
    }
    while (!recordset->GetEOF()) {
        std::vector<ResultValue> row;
        row.reserve(count);
        for (long i = 0; i < count; ++i)
            row.push_back(ValueText(fields->GetItem(_variant_t(i))->GetValue()));
        data.rows.push_back(std::move(row));
        recordset->MoveNext();
    }
    return data;
}

std::string CollectMessages(ADODB::_Connection* connection)
{
    std::string text;
    ADODB::ErrorsPtr errors = connection->GetErrors();
    const long count = errors->GetCount();
    for (long i = 0; i < count; ++i) {
        if (!text.empty())
            text += "\n";
        text += static_cast<const char*>(errors->GetItem(_variant_t(i))->GetDescription());
    }
    return text;
}

} // namespace link_detail

void RaiseDmoError(HRESULT hr, const std::string& description)
{
    tw::com::ReportError(hr, link_detail::kSource, description.c_str());
    IErrorInfo* info = nullptr;
    GetErrorInfo(0, &info);
    _com_raise_error(hr, info);
}

ResultValue ValueText(const _variant_t& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return std::nullopt;
    if (value.vt == VT_DATE) {
        // Milliseconds included: the system-time conversion drops them.
        std::string text = tw::ado::IsoTextFromDate(value.date);
        if (!text.empty())
            return text;
    }
    if (value.vt == VT_BOOL)
        return std::string(value.boolVal ? "1" : "0");
    // Binary has no text conversion of its own; it reads as the server's own
    // tools show it, "0x" and upper-case hex digits.
    if (value.vt == (VT_ARRAY | VT_UI1))
        return tw::ado::SqlLiteral(value);
    return std::string(static_cast<const char*>(_bstr_t(value)));
}

ServerLink::ServerLink(const std::string& serverName, const std::string& login, const std::string& password,
                       bool loginSecure)
    : m_serverName(serverName), m_login(login), m_embedded(link_detail::NamesEmbedded(serverName))
{
    tw::ado::RegisterClasses();
    m_connection.CreateInstance("ADODB.Connection");
    if (!m_connection)
        RaiseDmoError(REGDB_E_CLASSNOTREG, "The data-access classes are not available.");
    m_connection->Open(link_detail::ConnectionText(serverName, login, password, loginSecure).c_str(), "", "", -1);
    if (loginSecure || m_login.empty())
        m_login = Scalar("SELECT SUSER_SNAME()");
}

ServerLink::~ServerLink() { Close(); }

void ServerLink::Close()
{
    std::lock_guard lock(m_mutex);
    if (m_connection && m_connection->GetState() != ADODB::adStateClosed)
        m_connection->Close();
}

void ServerLink::SetCommandTimeout(long seconds)
{
    std::lock_guard lock(m_mutex);
    if (!m_connection)
        return;
    if (m_defaultTimeout < 0)
        m_defaultTimeout = m_connection->GetCommandTimeout();
    m_connection->PutCommandTimeout(seconds < 0 ? m_defaultTimeout : seconds);
}

void ServerLink::Execute(const std::string& text, BatchAnswer* answer)
{
    _variant_t affected;
    // The connection's Errors show the messages of the step just taken, so
    // they are gathered after every step, in the order the server sent them.
    const auto gather = [&] {
        if (!answer)
            return;
        const std::string step = link_detail::CollectMessages(m_connection);
        if (step.empty())
            return;
        if (!answer->messages.empty())
            answer->messages += "\n";
        answer->messages += step;
    };
    ADODB::_RecordsetPtr recordset = m_connection->Execute(text.c_str(), &affected, ADODB::adCmdText);
    gather();
    while (recordset) {
        if (answer && recordset->GetState() == ADODB::adStateOpen)
            answer->resultSets.push_back(link_detail::ReadResultSet(recordset));
        // Copy-assigned: the smart pointer's move assignment does not compile
        // against its own operator&.
        const ADODB::_RecordsetPtr next = recordset->NextRecordset(&affected);
        recordset = next;
        gather();
    }
}

BatchAnswer ServerLink::Run(const std::string& batch, const std::string& database)
{
    std::lock_guard lock(m_mutex);
    if (!m_connection || m_connection->GetState() == ADODB::adStateClosed)
        RaiseDmoError(kDmoNotConnected, "The server is not connected.");
    if (!database.empty())
        Execute("USE " + QuoteName(database), nullptr);
    BatchAnswer answer;
    Execute(batch, &answer);
    return answer;
}

std::vector<std::vector<ResultValue>> ServerLink::Rows(const std::string& query, const std::string& database)
{
    BatchAnswer answer = Run(query, database);
    if (answer.resultSets.empty())
        return {};
    return std::move(answer.resultSets.front().rows);
}

std::string ServerLink::Scalar(const std::string& query, const std::string& database)
{
    const auto rows = Rows(query, database);
    if (rows.empty() || rows.front().empty() || !rows.front().front())
        return {};
    return *rows.front().front();
}

} // namespace tw::dmo
