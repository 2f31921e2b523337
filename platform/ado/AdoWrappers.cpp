// The raising wrappers of the interfaces: each calls its raw method and turns
// a failure into _com_error with the error object the object left.
#include "platform/ado/AdoInterfaces.h"

namespace ADODB {

namespace wrapdetail {

void Check(HRESULT hr, IUnknown* self, REFIID iid)
{
    if (FAILED(hr))
        _com_issue_errorex(hr, self, iid);
}

_bstr_t TakeBstr(BSTR text) { return _bstr_t(text, false); }

_variant_t TakeVariant(VARIANT& value) { return _variant_t(value, false); }

VARIANT Lend(const _variant_t& value) { return static_cast<const VARIANT&>(value); }

} // namespace wrapdetail

using wrapdetail::Check;
using wrapdetail::Lend;
using wrapdetail::TakeBstr;
using wrapdetail::TakeVariant;

// Error
long Error::GetNumber() { long v = 0; Check(get_Number(&v), this, IID_Error); return v; }
_bstr_t Error::GetSource() { BSTR b = nullptr; Check(get_Source(&b), this, IID_Error); return TakeBstr(b); }
_bstr_t Error::GetDescription() { BSTR b = nullptr; Check(get_Description(&b), this, IID_Error); return TakeBstr(b); }
_bstr_t Error::GetSQLState() { BSTR b = nullptr; Check(get_SQLState(&b), this, IID_Error); return TakeBstr(b); }
long Error::GetNativeError() { long v = 0; Check(get_NativeError(&v), this, IID_Error); return v; }

// Errors
long Errors::GetCount() { long v = 0; Check(get_Count(&v), this, IID_Errors); return v; }
ErrorPtr Errors::GetItem(const _variant_t& Index)
{
    Error* item = nullptr;
    Check(get_Item(Lend(Index), &item), this, IID_Errors);
    return ErrorPtr(item, false);
}
HRESULT Errors::Refresh() { HRESULT hr = raw_Refresh(); Check(hr, this, IID_Errors); return hr; }
HRESULT Errors::Clear() { HRESULT hr = raw_Clear(); Check(hr, this, IID_Errors); return hr; }

// Property
_variant_t Property::GetValue() { VARIANT v; VariantInit(&v); Check(get_Value(&v), this, IID_Property); return TakeVariant(v); }
void Property::PutValue(const _variant_t& pval) { Check(put_Value(Lend(pval)), this, IID_Property); }
_bstr_t Property::GetName() { BSTR b = nullptr; Check(get_Name(&b), this, IID_Property); return TakeBstr(b); }
DataTypeEnum Property::GetType() { DataTypeEnum t = adEmpty; Check(get_Type(&t), this, IID_Property); return t; }
long Property::GetAttributes() { long v = 0; Check(get_Attributes(&v), this, IID_Property); return v; }

// Properties
long Properties::GetCount() { long v = 0; Check(get_Count(&v), this, IID_Properties); return v; }
PropertyPtr Properties::GetItem(const _variant_t& Index)
{
    Property* item = nullptr;
    Check(get_Item(Lend(Index), &item), this, IID_Properties);
    return PropertyPtr(item, false);
}
HRESULT Properties::Refresh() { HRESULT hr = raw_Refresh(); Check(hr, this, IID_Properties); return hr; }

// Field
long Field::GetActualSize() { long v = 0; Check(get_ActualSize(&v), this, IID_Field); return v; }
long Field::GetAttributes() { long v = 0; Check(get_Attributes(&v), this, IID_Field); return v; }
long Field::GetDefinedSize() { long v = 0; Check(get_DefinedSize(&v), this, IID_Field); return v; }
_bstr_t Field::GetName() { BSTR b = nullptr; Check(get_Name(&b), this, IID_Field); return TakeBstr(b); }
DataTypeEnum Field::GetType() { DataTypeEnum t = adEmpty; Check(get_Type(&t), this, IID_Field); return t; }
_variant_t Field::GetValue() { VARIANT v; VariantInit(&v); Check(get_Value(&v), this, IID_Field); return TakeVariant(v); }
void Field::PutValue(const _variant_t& pvar) { Check(put_Value(Lend(pvar)), this, IID_Field); }
unsigned char Field::GetPrecision() { BYTE v = 0; Check(get_Precision(&v), this, IID_Field); return v; }
unsigned char Field::GetNumericScale() { BYTE v = 0; Check(get_NumericScale(&v), this, IID_Field); return v; }
_variant_t Field::GetOriginalValue() { VARIANT v; VariantInit(&v); Check(get_OriginalValue(&v), this, IID_Field); return TakeVariant(v); }
_variant_t Field::GetUnderlyingValue() { VARIANT v; VariantInit(&v); Check(get_UnderlyingValue(&v), this, IID_Field); return TakeVariant(v); }

// Fields
long Fields::GetCount() { long v = 0; Check(get_Count(&v), this, IID_Fields); return v; }
FieldPtr Fields::GetItem(const _variant_t& Index)
{
    Field* item = nullptr;
    Check(get_Item(Lend(Index), &item), this, IID_Fields);
    return FieldPtr(item, false);
}
HRESULT Fields::Refresh() { HRESULT hr = raw_Refresh(); Check(hr, this, IID_Fields); return hr; }
HRESULT Fields::Append(_bstr_t Name, DataTypeEnum Type, long DefinedSize, FieldAttributeEnum Attrib,
                       const _variant_t& FieldValue)
{
    HRESULT hr = raw_Append(Name, Type, DefinedSize, Attrib, Lend(FieldValue));
    Check(hr, this, IID_Fields);
    return hr;
}
HRESULT Fields::Delete(const _variant_t& Index) { HRESULT hr = raw_Delete(Lend(Index)); Check(hr, this, IID_Fields); return hr; }

// Parameter
_bstr_t Parameter::GetName() { BSTR b = nullptr; Check(get_Name(&b), this, IID_Parameter); return TakeBstr(b); }
void Parameter::PutName(_bstr_t pbstr) { Check(put_Name(pbstr), this, IID_Parameter); }
_variant_t Parameter::GetValue() { VARIANT v; VariantInit(&v); Check(get_Value(&v), this, IID_Parameter); return TakeVariant(v); }
void Parameter::PutValue(const _variant_t& pvar) { Check(put_Value(Lend(pvar)), this, IID_Parameter); }
DataTypeEnum Parameter::GetType() { DataTypeEnum t = adEmpty; Check(get_Type(&t), this, IID_Parameter); return t; }
void Parameter::PutType(DataTypeEnum t) { Check(put_Type(t), this, IID_Parameter); }
ParameterDirectionEnum Parameter::GetDirection() { ParameterDirectionEnum d = adParamUnknown; Check(get_Direction(&d), this, IID_Parameter); return d; }
void Parameter::PutDirection(ParameterDirectionEnum d) { Check(put_Direction(d), this, IID_Parameter); }
long Parameter::GetSize() { long v = 0; Check(get_Size(&v), this, IID_Parameter); return v; }
void Parameter::PutSize(long pl) { Check(put_Size(pl), this, IID_Parameter); }

// Parameters
long Parameters::GetCount() { long v = 0; Check(get_Count(&v), this, IID_Parameters); return v; }
ParameterPtr Parameters::GetItem(const _variant_t& Index)
{
    Parameter* item = nullptr;
    Check(get_Item(Lend(Index), &item), this, IID_Parameters);
    return ParameterPtr(item, false);
}
HRESULT Parameters::Refresh() { HRESULT hr = raw_Refresh(); Check(hr, this, IID_Parameters); return hr; }
HRESULT Parameters::Append(IDispatch* Object) { HRESULT hr = raw_Append(Object); Check(hr, this, IID_Parameters); return hr; }
HRESULT Parameters::Delete(const _variant_t& Index) { HRESULT hr = raw_Delete(Lend(Index)); Check(hr, this, IID_Parameters); return hr; }

// Connection
PropertiesPtr Connection15::GetProperties()
{
    Properties* p = nullptr;
    Check(get_Properties(&p), this, IID__Connection);
    return PropertiesPtr(p, false);
}
_bstr_t Connection15::GetConnectionString() { BSTR b = nullptr; Check(get_ConnectionString(&b), this, IID__Connection); return TakeBstr(b); }
void Connection15::PutConnectionString(_bstr_t s) { Check(put_ConnectionString(s), this, IID__Connection); }
long Connection15::GetCommandTimeout() { long v = 0; Check(get_CommandTimeout(&v), this, IID__Connection); return v; }
void Connection15::PutCommandTimeout(long v) { Check(put_CommandTimeout(v), this, IID__Connection); }
long Connection15::GetConnectionTimeout() { long v = 0; Check(get_ConnectionTimeout(&v), this, IID__Connection); return v; }
void Connection15::PutConnectionTimeout(long v) { Check(put_ConnectionTimeout(v), this, IID__Connection); }
_bstr_t Connection15::GetVersion() { BSTR b = nullptr; Check(get_Version(&b), this, IID__Connection); return TakeBstr(b); }
HRESULT Connection15::Close() { HRESULT hr = raw_Close(); Check(hr, this, IID__Connection); return hr; }
_RecordsetPtr Connection15::Execute(_bstr_t CommandText, VARIANT* RecordsAffected, long Options)
{
    _Recordset* rs = nullptr;
    Check(raw_Execute(CommandText, RecordsAffected, Options, &rs), this, IID__Connection);
    return _RecordsetPtr(rs, false);
}
long Connection15::BeginTrans() { long level = 0; Check(raw_BeginTrans(&level), this, IID__Connection); return level; }
HRESULT Connection15::CommitTrans() { HRESULT hr = raw_CommitTrans(); Check(hr, this, IID__Connection); return hr; }
HRESULT Connection15::RollbackTrans() { HRESULT hr = raw_RollbackTrans(); Check(hr, this, IID__Connection); return hr; }
HRESULT Connection15::Open(_bstr_t ConnectionString, _bstr_t UserID, _bstr_t Password, long Options)
{
    HRESULT hr = raw_Open(ConnectionString, UserID, Password, Options);
    Check(hr, this, IID__Connection);
    return hr;
}
ErrorsPtr Connection15::GetErrors()
{
    Errors* e = nullptr;
    Check(get_Errors(&e), this, IID__Connection);
    return ErrorsPtr(e, false);
}
_bstr_t Connection15::GetDefaultDatabase() { BSTR b = nullptr; Check(get_DefaultDatabase(&b), this, IID__Connection); return TakeBstr(b); }
void Connection15::PutDefaultDatabase(_bstr_t s) { Check(put_DefaultDatabase(s), this, IID__Connection); }
long Connection15::GetState() { long v = 0; Check(get_State(&v), this, IID__Connection); return v; }
CursorLocationEnum Connection15::GetCursorLocation() { CursorLocationEnum c = adUseServer; Check(get_CursorLocation(&c), this, IID__Connection); return c; }
void Connection15::PutCursorLocation(CursorLocationEnum c) { Check(put_CursorLocation(c), this, IID__Connection); }
_bstr_t Connection15::GetProvider() { BSTR b = nullptr; Check(get_Provider(&b), this, IID__Connection); return TakeBstr(b); }
_RecordsetPtr Connection15::OpenSchema(SchemaEnum Schema, const _variant_t& Restrictions, const _variant_t& SchemaID)
{
    _Recordset* rs = nullptr;
    Check(raw_OpenSchema(Schema, Lend(Restrictions), Lend(SchemaID), &rs), this, IID__Connection);
    return _RecordsetPtr(rs, false);
}
HRESULT _Connection::Cancel() { HRESULT hr = raw_Cancel(); Check(hr, this, IID__Connection); return hr; }

// Command
_ConnectionPtr _Command::GetActiveConnection()
{
    _Connection* c = nullptr;
    Check(get_ActiveConnection(&c), this, IID__Command);
    return _ConnectionPtr(c, false);
}
void _Command::PutRefActiveConnection(_Connection* c) { Check(putref_ActiveConnection(c), this, IID__Command); }
void _Command::PutActiveConnection(const _variant_t& c) { Check(put_ActiveConnection(Lend(c)), this, IID__Command); }
_bstr_t _Command::GetCommandText() { BSTR b = nullptr; Check(get_CommandText(&b), this, IID__Command); return TakeBstr(b); }
void _Command::PutCommandText(_bstr_t s) { Check(put_CommandText(s), this, IID__Command); }
long _Command::GetCommandTimeout() { long v = 0; Check(get_CommandTimeout(&v), this, IID__Command); return v; }
void _Command::PutCommandTimeout(long v) { Check(put_CommandTimeout(v), this, IID__Command); }
CommandTypeEnum _Command::GetCommandType() { CommandTypeEnum t = adCmdUnknown; Check(get_CommandType(&t), this, IID__Command); return t; }
void _Command::PutCommandType(CommandTypeEnum t) { Check(put_CommandType(t), this, IID__Command); }
_RecordsetPtr _Command::Execute(VARIANT* RecordsAffected, VARIANT* Parameters, long Options)
{
    _Recordset* rs = nullptr;
    Check(raw_Execute(RecordsAffected, Parameters, Options, &rs), this, IID__Command);
    return _RecordsetPtr(rs, false);
}
ParameterPtr _Command::CreateParameter(_bstr_t Name, DataTypeEnum Type, ParameterDirectionEnum Direction, long Size,
                                       const _variant_t& Value)
{
    Parameter* p = nullptr;
    Check(raw_CreateParameter(Name, Type, Direction, Size, Lend(Value), &p), this, IID__Command);
    return ParameterPtr(p, false);
}
ParametersPtr _Command::GetParameters()
{
    Parameters* p = nullptr;
    Check(get_Parameters(&p), this, IID__Command);
    return ParametersPtr(p, false);
}
HRESULT _Command::Cancel() { HRESULT hr = raw_Cancel(); Check(hr, this, IID__Command); return hr; }

// Recordset
#define TW_RS_CHECK(call) Check(call, this, IID__Recordset)
long _Recordset::GetAbsolutePosition() { long v = 0; TW_RS_CHECK(get_AbsolutePosition(&v)); return v; }
void _Recordset::PutAbsolutePosition(long v) { TW_RS_CHECK(put_AbsolutePosition(v)); }
void _Recordset::PutRefActiveConnection(IDispatch* c) { TW_RS_CHECK(putref_ActiveConnection(c)); }
void _Recordset::PutActiveConnection(const _variant_t& c) { TW_RS_CHECK(put_ActiveConnection(Lend(c))); }
_variant_t _Recordset::GetActiveConnection() { VARIANT v; VariantInit(&v); TW_RS_CHECK(get_ActiveConnection(&v)); return TakeVariant(v); }
VARIANT_BOOL _Recordset::GetBOF() { VARIANT_BOOL b = VARIANT_FALSE; TW_RS_CHECK(get_BOF(&b)); return b; }
_variant_t _Recordset::GetBookmark() { VARIANT v; VariantInit(&v); TW_RS_CHECK(get_Bookmark(&v)); return TakeVariant(v); }
void _Recordset::PutBookmark(const _variant_t& v) { TW_RS_CHECK(put_Bookmark(Lend(v))); }
long _Recordset::GetCacheSize() { long v = 0; TW_RS_CHECK(get_CacheSize(&v)); return v; }
void _Recordset::PutCacheSize(long v) { TW_RS_CHECK(put_CacheSize(v)); }
CursorTypeEnum _Recordset::GetCursorType() { CursorTypeEnum t = adOpenForwardOnly; TW_RS_CHECK(get_CursorType(&t)); return t; }
void _Recordset::PutCursorType(CursorTypeEnum t) { TW_RS_CHECK(put_CursorType(t)); }
VARIANT_BOOL _Recordset::GetadoEOF() { VARIANT_BOOL b = VARIANT_FALSE; TW_RS_CHECK(get_EOF(&b)); return b; }
FieldsPtr _Recordset::GetFields() { ADODB::Fields* f = nullptr; TW_RS_CHECK(get_Fields(&f)); return FieldsPtr(f, false); }
LockTypeEnum _Recordset::GetLockType() { LockTypeEnum t = adLockReadOnly; TW_RS_CHECK(get_LockType(&t)); return t; }
void _Recordset::PutLockType(LockTypeEnum t) { TW_RS_CHECK(put_LockType(t)); }
long _Recordset::GetRecordCount() { long v = 0; TW_RS_CHECK(get_RecordCount(&v)); return v; }
_variant_t _Recordset::GetSource() { VARIANT v; VariantInit(&v); TW_RS_CHECK(get_Source(&v)); return TakeVariant(v); }
void _Recordset::PutSource(_bstr_t s) { TW_RS_CHECK(put_Source(s)); }
HRESULT _Recordset::AddNew(const _variant_t& FieldList, const _variant_t& Values) { HRESULT hr = raw_AddNew(Lend(FieldList), Lend(Values)); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::CancelUpdate() { HRESULT hr = raw_CancelUpdate(); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::Close() { HRESULT hr = raw_Close(); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::Delete(AffectEnum a) { HRESULT hr = raw_Delete(a); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::Move(long n, const _variant_t& Start) { HRESULT hr = raw_Move(n, Lend(Start)); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::MoveNext() { HRESULT hr = raw_MoveNext(); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::MovePrevious() { HRESULT hr = raw_MovePrevious(); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::MoveFirst() { HRESULT hr = raw_MoveFirst(); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::MoveLast() { HRESULT hr = raw_MoveLast(); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::Open(const _variant_t& Source, const _variant_t& ActiveConnection, CursorTypeEnum CursorType,
                         LockTypeEnum LockType, long Options)
{
    HRESULT hr = raw_Open(Lend(Source), Lend(ActiveConnection), CursorType, LockType, Options);
    TW_RS_CHECK(hr);
    return hr;
}
HRESULT _Recordset::Requery(long Options) { HRESULT hr = raw_Requery(Options); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::Resync(AffectEnum a, ResyncEnum r) { HRESULT hr = raw_Resync(a, r); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::Update(const _variant_t& f, const _variant_t& v) { HRESULT hr = raw_Update(Lend(f), Lend(v)); TW_RS_CHECK(hr); return hr; }
EditModeEnum _Recordset::GetEditMode() { EditModeEnum m = adEditNone; TW_RS_CHECK(get_EditMode(&m)); return m; }
_variant_t _Recordset::GetFilter() { VARIANT v; VariantInit(&v); TW_RS_CHECK(get_Filter(&v)); return TakeVariant(v); }
void _Recordset::PutFilter(const _variant_t& c) { TW_RS_CHECK(put_Filter(Lend(c))); }
_bstr_t _Recordset::GetSort() { BSTR b = nullptr; TW_RS_CHECK(get_Sort(&b)); return TakeBstr(b); }
void _Recordset::PutSort(_bstr_t c) { TW_RS_CHECK(put_Sort(c)); }
long _Recordset::GetState() { long v = 0; TW_RS_CHECK(get_State(&v)); return v; }
_RecordsetPtr _Recordset::NextRecordset(VARIANT* RecordsAffected)
{
    _Recordset* rs = nullptr;
    TW_RS_CHECK(raw_NextRecordset(RecordsAffected, &rs));
    return _RecordsetPtr(rs, false);
}
VARIANT_BOOL _Recordset::Supports(CursorOptionEnum o) { VARIANT_BOOL b = VARIANT_FALSE; TW_RS_CHECK(raw_Supports(o, &b)); return b; }
_variant_t _Recordset::GetCollect(const _variant_t& Index) { VARIANT v; VariantInit(&v); TW_RS_CHECK(get_Collect(Lend(Index), &v)); return TakeVariant(v); }
void _Recordset::PutCollect(const _variant_t& Index, const _variant_t& v) { TW_RS_CHECK(put_Collect(Lend(Index), Lend(v))); }
HRESULT _Recordset::UpdateBatch(AffectEnum a) { HRESULT hr = raw_UpdateBatch(a); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::CancelBatch(AffectEnum a) { HRESULT hr = raw_CancelBatch(a); TW_RS_CHECK(hr); return hr; }
CursorLocationEnum _Recordset::GetCursorLocation() { CursorLocationEnum c = adUseServer; TW_RS_CHECK(get_CursorLocation(&c)); return c; }
void _Recordset::PutCursorLocation(CursorLocationEnum c) { TW_RS_CHECK(put_CursorLocation(c)); }
HRESULT _Recordset::Cancel() { HRESULT hr = raw_Cancel(); TW_RS_CHECK(hr); return hr; }
HRESULT _Recordset::Save(const _variant_t& d, PersistFormatEnum f) { HRESULT hr = raw_Save(Lend(d), f); TW_RS_CHECK(hr); return hr; }
#undef TW_RS_CHECK

} // namespace ADODB
