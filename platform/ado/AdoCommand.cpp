#include "platform/ado/AdoCommand.h"

#include "platform/ado/AdoRecordset.h"
#include "platform/ado/ValueMapping.h"

namespace tw::ado {

namespace cmddetail {
constexpr const char* kParameterSource = "ADODB.Parameter";
constexpr const char* kCommandSource = "ADODB.Command";

bool IsMissing(const VARIANT& value)
{
    return value.vt == VT_EMPTY || (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}
} // namespace cmddetail


// ---- Parameter

HRESULT ParameterObject::get_Name(BSTR* pbstr)
{
    return Guard(cmddetail::kParameterSource, ADODB::IID_Parameter, [&] {
        std::lock_guard lock(m_mutex);
        HandOutText(pbstr, m_name);
    });
}

HRESULT ParameterObject::put_Name(BSTR bstr)
{
    std::lock_guard lock(m_mutex);
    m_name = TextOf(bstr);
    return S_OK;
}

HRESULT ParameterObject::get_Value(VARIANT* pvar)
{
    return Guard(cmddetail::kParameterSource, ADODB::IID_Parameter, [&] {
        std::lock_guard lock(m_mutex);
        HandOutVariant(pvar, m_value);
    });
}

HRESULT ParameterObject::put_Value(VARIANT val)
{
    return Guard(cmddetail::kParameterSource, ADODB::IID_Parameter, [&] {
        std::lock_guard lock(m_mutex);
        FieldInfo field;
        field.type = m_type;
        m_value = CoerceToField(_variant_t(val), field);
    });
}

HRESULT ParameterObject::get_Type(ADODB::DataTypeEnum* psDataType)
{
    return Guard(cmddetail::kParameterSource, ADODB::IID_Parameter, [&] {
        std::lock_guard lock(m_mutex);
        StoreOut(psDataType, m_type);
    });
}

HRESULT ParameterObject::put_Type(ADODB::DataTypeEnum sDataType)
{
    std::lock_guard lock(m_mutex);
    m_type = sDataType;
    return S_OK;
}

HRESULT ParameterObject::get_Direction(ADODB::ParameterDirectionEnum* plParmDirection)
{
    return Guard(cmddetail::kParameterSource, ADODB::IID_Parameter, [&] {
        std::lock_guard lock(m_mutex);
        StoreOut(plParmDirection, m_direction);
    });
}

HRESULT ParameterObject::put_Direction(ADODB::ParameterDirectionEnum lParmDirection)
{
    return Guard(cmddetail::kParameterSource, ADODB::IID_Parameter, [&] {
        // Output values would need the provider's output parameters, which
        // only the embedded server's own EXEC reports.
        if (lParmDirection != ADODB::adParamInput && lParmDirection != ADODB::adParamUnknown)
            Fail(ADODB::adErrFeatureNotAvailable);
        std::lock_guard lock(m_mutex);
        m_direction = lParmDirection;
    });
}

HRESULT ParameterObject::get_Size(long* pl)
{
    return Guard(cmddetail::kParameterSource, ADODB::IID_Parameter, [&] {
        std::lock_guard lock(m_mutex);
        StoreOut(pl, m_size);
    });
}

HRESULT ParameterObject::put_Size(long l)
{
    std::lock_guard lock(m_mutex);
    m_size = l;
    return S_OK;
}

_variant_t ParameterObject::Value() const
{
    std::lock_guard lock(m_mutex);
    return m_value;
}

// ---- Parameters

HRESULT ParametersCollection::get_Count(long* c)
{
    return Guard("ADODB.Parameters", ADODB::IID_Parameters, [&] {
        std::lock_guard lock(m_mutex);
        StoreOut(c, static_cast<long>(m_items.size()));
    });
}

int ParametersCollection::Resolve(const VARIANT& index) const
{
    std::string name;
    long position = 0;
    if (IndexIsName(index, name, position)) {
        for (size_t i = 0; i < m_items.size(); ++i)
            if (strcasecmp(static_cast<const char*>(m_items[i]->GetName()), name.c_str()) == 0)
                return static_cast<int>(i);
        Fail(ADODB::adErrItemNotFound);
    }
    if (position < 0 || position >= static_cast<long>(m_items.size()))
        Fail(ADODB::adErrItemNotFound);
    return static_cast<int>(position);
}

HRESULT ParametersCollection::get_Item(VARIANT Index, ADODB::Parameter** ppvObject)
{
    return Guard("ADODB.Parameters", ADODB::IID_Parameters, [&] {
        std::lock_guard lock(m_mutex);
        HandOut(ppvObject, m_items[Resolve(Index)].GetInterfacePtr());
    });
}

HRESULT ParametersCollection::raw_Refresh() { return S_OK; }

HRESULT ParametersCollection::raw_Append(IDispatch* Object)
{
    return Guard("ADODB.Parameters", ADODB::IID_Parameters, [&] {
        ADODB::ParameterPtr parameter(Object);
        if (!parameter || !dynamic_cast<ParameterObject*>(parameter.GetInterfacePtr()))
            Fail(ADODB::adErrInvalidArgument);
        std::lock_guard lock(m_mutex);
        m_items.push_back(parameter);
    });
}

HRESULT ParametersCollection::raw_Delete(VARIANT Index)
{
    return Guard("ADODB.Parameters", ADODB::IID_Parameters, [&] {
        std::lock_guard lock(m_mutex);
        const int removed = Resolve(Index);
        std::vector<ADODB::ParameterPtr> kept;
        for (size_t i = 0; i < m_items.size(); ++i)
            if (static_cast<int>(i) != removed)
                kept.push_back(m_items[i]);
        m_items.swap(kept);
    });
}

std::vector<_variant_t> ParametersCollection::InputValues() const
{
    std::lock_guard lock(m_mutex);
    std::vector<_variant_t> values;
    for (const ADODB::ParameterPtr& item : m_items)
        values.push_back(static_cast<ParameterObject*>(item.GetInterfacePtr())->Value());
    return values;
}

// ---- Command

CommandObject::CommandObject()
    : m_parametersPtr(new ParametersCollection, false),
      m_parameters(static_cast<ParametersCollection*>(m_parametersPtr.GetInterfacePtr()))
{
}

HRESULT CommandObject::get_ActiveConnection(ADODB::_Connection** ppvObject)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        std::lock_guard lock(m_mutex);
        HandOut<ADODB::_Connection>(ppvObject, m_connection);
    });
}

HRESULT CommandObject::putref_ActiveConnection(ADODB::_Connection* ppvObject)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        if (ppvObject && !ConnectionFrom(ppvObject))
            Fail(ADODB::adErrInvalidConnection);
        std::lock_guard lock(m_mutex);
        m_connection = ppvObject;
    });
}

HRESULT CommandObject::put_ActiveConnection(VARIANT ppvObject)
{
    const VARIANT& value = (ppvObject.vt == (VT_BYREF | VT_VARIANT)) ? *ppvObject.pvarVal : ppvObject;
    if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN)
        return putref_ActiveConnection(ADODB::_ConnectionPtr(value.punkVal));
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        if (value.vt != VT_BSTR)
            Fail(ADODB::adErrInvalidArgument);
        ADODB::_ConnectionPtr connection;
        connection.Attach(new ConnectionObject);
        const HRESULT hr = connection->raw_Open(value.bstrVal, nullptr, nullptr, -1);
        if (FAILED(hr))
            _com_issue_errorex(hr, connection, ADODB::IID__Connection);
        std::lock_guard lock(m_mutex);
        m_connection = static_cast<ADODB::_Connection*>(connection);
    });
}

HRESULT CommandObject::get_CommandText(BSTR* pbstr)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        std::lock_guard lock(m_mutex);
        HandOutText(pbstr, m_text);
    });
}

HRESULT CommandObject::put_CommandText(BSTR pbstr)
{
    std::lock_guard lock(m_mutex);
    m_text = TextOf(pbstr);
    return S_OK;
}

HRESULT CommandObject::get_CommandTimeout(long* pl)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        std::lock_guard lock(m_mutex);
        StoreOut(pl, m_timeout);
    });
}

HRESULT CommandObject::put_CommandTimeout(long pl)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        if (pl < 0)
            Fail(ADODB::adErrInvalidArgument);
        std::lock_guard lock(m_mutex);
        m_timeout = pl;
    });
}

HRESULT CommandObject::get_CommandType(ADODB::CommandTypeEnum* plCmdType)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        std::lock_guard lock(m_mutex);
        StoreOut(plCmdType, m_type);
    });
}

HRESULT CommandObject::put_CommandType(ADODB::CommandTypeEnum plCmdType)
{
    std::lock_guard lock(m_mutex);
    m_type = plCmdType;
    return S_OK;
}

std::string BindMarkers(const std::string& text, const std::vector<_variant_t>& values)
{
    std::string bound;
    size_t next = 0;
    char quote = 0;
    for (char c : text) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '[') {
            quote = ']';
        } else if (c == '?') {
            if (next >= values.size())
                Fail(ADODB::adErrInvalidArgument);
            bound += SqlLiteral(values[next++]);
            continue;
        }
        bound += c;
    }
    if (next != values.size())
        Fail(ADODB::adErrInvalidArgument);
    return bound;
}

std::string CommandObject::StatementText(const std::vector<_variant_t>& values) const
{
    if (m_type != ADODB::adCmdStoredProc)
        return BindMarkers(m_text, values);
    std::string call = "EXEC " + m_text;
    for (size_t i = 0; i < values.size(); ++i)
        call += (i ? ", " : " ") + SqlLiteral(values[i]);
    return call;
}

HRESULT CommandObject::raw_Execute(VARIANT* RecordsAffected, VARIANT* Parameters, long Options,
                                   ADODB::_Recordset** ppiRs)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        ADODB::_ConnectionPtr connectionPtr;
        std::string text;
        {
            std::lock_guard lock(m_mutex);
            connectionPtr = m_connection;
        }
        ConnectionObject* connection = ConnectionFrom(connectionPtr);
        if (!connection)
            Fail(ADODB::adErrInvalidConnection);
        std::vector<_variant_t> values = m_parameters->InputValues();
        if (Parameters && !cmddetail::IsMissing(*Parameters)) {
            values.clear();
            const VARIANT& given = Parameters->vt == (VT_BYREF | VT_VARIANT) ? *Parameters->pvarVal : *Parameters;
            if (given.vt == (VT_ARRAY | VT_VARIANT)) {
                LONG lower = 0, upper = -1;
                SafeArrayGetLBound(given.parray, 1, &lower);
                SafeArrayGetUBound(given.parray, 1, &upper);
                for (LONG i = lower; i <= upper; ++i) {
                    VARIANT element;
                    VariantInit(&element);
                    SafeArrayGetElement(given.parray, &i, &element);
                    values.emplace_back(element, false);
                }
            } else {
                values.emplace_back(given);
            }
        }
        {
            std::lock_guard lock(m_mutex);
            text = StatementText(values);
        }
        ADODB::_RecordsetPtr recordset;
        recordset.Attach(new RecordsetObject);
        auto* object = static_cast<RecordsetObject*>(recordset.GetInterfacePtr());
        const long options = Options == ADODB::adOptionUnspecified ? static_cast<long>(ADODB::adCmdText) : Options;
        if (!ppiRs || (options & ADODB::adExecuteNoRecords))
            object->RunWhole();
        object->OpenOnConnection(connection, text, ADODB::adOpenForwardOnly, ADODB::adLockReadOnly, options);
        if (RecordsAffected) {
            VariantClear(RecordsAffected);
            RecordsAffected->vt = VT_I4;
            RecordsAffected->lVal = object->FirstRecordsAffected();
        }
        if (ppiRs)
            HandOut<ADODB::_Recordset>(ppiRs, recordset);
    });
}

HRESULT CommandObject::raw_CreateParameter(BSTR Name, ADODB::DataTypeEnum Type, ADODB::ParameterDirectionEnum Direction,
                                           long Size, VARIANT Value, ADODB::Parameter** ppiprm)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        ADODB::ParameterPtr parameter;
        parameter.Attach(new ParameterObject);
        parameter->PutName(_bstr_t(Name, true));
        parameter->PutType(Type);
        parameter->PutDirection(Direction);
        parameter->PutSize(Size);
        if (!cmddetail::IsMissing(Value))
            parameter->PutValue(_variant_t(Value));
        HandOut<ADODB::Parameter>(ppiprm, parameter);
    });
}

HRESULT CommandObject::get_Parameters(ADODB::Parameters** ppvObject)
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        HandOut<ADODB::Parameters>(ppvObject, m_parameters);
    });
}

HRESULT CommandObject::raw_Cancel()
{
    return Guard(cmddetail::kCommandSource, ADODB::IID__Command, [&] {
        std::lock_guard lock(m_mutex);
        if (ConnectionObject* connection = ConnectionFrom(m_connection))
            connection->CancelRunning();
    });
}

} // namespace tw::ado
