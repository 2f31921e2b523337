// The Command object: a statement bound to a connection, with parameters
// whose values stand in for the text's '?' markers (or follow the name of a
// stored procedure).
#pragma once

#include <mutex>
#include <vector>

#include "platform/ado/AdoConnection.h"

namespace tw::ado {

class ParameterObject final : public AdoObject<ADODB::Parameter> {
public:
    HRESULT get_Name(BSTR* pbstr) override;
    HRESULT put_Name(BSTR bstr) override;
    HRESULT get_Value(VARIANT* pvar) override;
    HRESULT put_Value(VARIANT val) override;
    HRESULT get_Type(ADODB::DataTypeEnum* psDataType) override;
    HRESULT put_Type(ADODB::DataTypeEnum sDataType) override;
    HRESULT get_Direction(ADODB::ParameterDirectionEnum* plParmDirection) override;
    HRESULT put_Direction(ADODB::ParameterDirectionEnum lParmDirection) override;
    HRESULT get_Size(long* pl) override;
    HRESULT put_Size(long l) override;

    _variant_t Value() const;

private:
    mutable std::mutex m_mutex;
    std::string m_name;
    _variant_t m_value;
    ADODB::DataTypeEnum m_type = ADODB::adVariant;
    ADODB::ParameterDirectionEnum m_direction = ADODB::adParamInput;
    long m_size = 0;
};

class ParametersCollection final : public AdoObject<ADODB::Parameters> {
public:
    HRESULT get_Count(long* c) override;
    HRESULT get_Item(VARIANT Index, ADODB::Parameter** ppvObject) override;
    HRESULT raw_Refresh() override;
    HRESULT raw_Append(IDispatch* Object) override;
    HRESULT raw_Delete(VARIANT Index) override;

    std::vector<_variant_t> InputValues() const;

private:
    int Resolve(const VARIANT& index) const;

    mutable std::mutex m_mutex;
    std::vector<ADODB::ParameterPtr> m_items;
};

class CommandObject final : public AdoObject<ADODB::_Command> {
public:
    CommandObject();

    HRESULT get_ActiveConnection(ADODB::_Connection** ppvObject) override;
    HRESULT putref_ActiveConnection(ADODB::_Connection* ppvObject) override;
    HRESULT put_ActiveConnection(VARIANT ppvObject) override;
    HRESULT get_CommandText(BSTR* pbstr) override;
    HRESULT put_CommandText(BSTR pbstr) override;
    HRESULT get_CommandTimeout(long* pl) override;
    HRESULT put_CommandTimeout(long pl) override;
    HRESULT get_CommandType(ADODB::CommandTypeEnum* plCmdType) override;
    HRESULT put_CommandType(ADODB::CommandTypeEnum plCmdType) override;
    HRESULT raw_Execute(VARIANT* RecordsAffected, VARIANT* Parameters, long Options,
                        ADODB::_Recordset** ppiRs) override;
    HRESULT raw_CreateParameter(BSTR Name, ADODB::DataTypeEnum Type, ADODB::ParameterDirectionEnum Direction,
                                long Size, VARIANT Value, ADODB::Parameter** ppiprm) override;
    HRESULT get_Parameters(ADODB::Parameters** ppvObject) override;
    HRESULT raw_Cancel() override;

private:
    // The text to run: markers replaced by literals, or a procedure call.
    std::string StatementText(const std::vector<_variant_t>& values) const;

    mutable std::mutex m_mutex;
    ADODB::_ConnectionPtr m_connection;
    std::string m_text;
    long m_timeout = 30;
    ADODB::CommandTypeEnum m_type = ADODB::adCmdUnknown;
    ADODB::ParametersPtr m_parametersPtr;
    ParametersCollection* m_parameters;
};

// The text with each '?' outside quotes and brackets replaced by the next
// value's literal; throws when the counts differ.
std::string BindMarkers(const std::string& text, const std::vector<_variant_t>& values);

} // namespace tw::ado
