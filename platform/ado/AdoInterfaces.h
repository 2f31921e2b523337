// The data-access object model's interfaces, with the platform's names and
// ids. Each interface has the raw virtual methods an implementation answers
// (get_X, put_X, raw_X returning HRESULT) and the inline wrappers callers use
// (GetX, PutX, X), which raise _com_error with the error object the call left.
#pragma once

#include "platform/ado/AdoEnums.h"
#include "platform/com/ComSupport.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/com/OleAuto.h"

namespace ADODB {

DEFINE_GUID(CLSID_Connection, 0x00000514, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(CLSID_Recordset, 0x00000535, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(CLSID_Command, 0x00000507, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);

DEFINE_GUID(IID_Error, 0x00000500, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Errors, 0x00000501, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Property, 0x00000503, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Properties, 0x00000504, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Parameter, 0x0000050C, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Parameters, 0x0000050D, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Field, 0x00000569, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Fields, 0x00000564, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Connection15, 0x00000515, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID__Connection, 0x00001550, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID__Command, 0x0000054E, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID__Recordset, 0x00001556, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_ConnectionEvents, 0x00000402, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);

struct _Connection;
struct _Recordset;
struct _Command;

struct Error : IDispatch {
    virtual HRESULT get_Number(long* pl) = 0;
    virtual HRESULT get_Source(BSTR* pbstr) = 0;
    virtual HRESULT get_Description(BSTR* pbstr) = 0;
    virtual HRESULT get_SQLState(BSTR* pbstr) = 0;
    virtual HRESULT get_NativeError(long* pl) = 0;

    long GetNumber();
    _bstr_t GetSource();
    _bstr_t GetDescription();
    _bstr_t GetSQLState();
    long GetNativeError();

protected:
    ~Error() = default;
};

struct Errors : IDispatch {
    virtual HRESULT get_Count(long* c) = 0;
    virtual HRESULT get_Item(VARIANT Index, Error** ppvObject) = 0;
    virtual HRESULT raw_Refresh() = 0;
    virtual HRESULT raw_Clear() = 0;

    long GetCount();
    _com_ptr_t<_com_IIID<Error, &IID_Error>> GetItem(const _variant_t& Index);
    HRESULT Refresh();
    HRESULT Clear();

protected:
    ~Errors() = default;
};

struct Property : IDispatch {
    virtual HRESULT get_Value(VARIANT* pval) = 0;
    virtual HRESULT put_Value(VARIANT val) = 0;
    virtual HRESULT get_Name(BSTR* pbstr) = 0;
    virtual HRESULT get_Type(DataTypeEnum* ptype) = 0;
    virtual HRESULT get_Attributes(long* plAttributes) = 0;

    _variant_t GetValue();
    void PutValue(const _variant_t& pval);
    _bstr_t GetName();
    DataTypeEnum GetType();
    long GetAttributes();

protected:
    ~Property() = default;
};

struct Properties : IDispatch {
    virtual HRESULT get_Count(long* c) = 0;
    virtual HRESULT get_Item(VARIANT Index, Property** ppvObject) = 0;
    virtual HRESULT raw_Refresh() = 0;

    long GetCount();
    _com_ptr_t<_com_IIID<Property, &IID_Property>> GetItem(const _variant_t& Index);
    HRESULT Refresh();

protected:
    ~Properties() = default;
};

struct Field : IDispatch {
    virtual HRESULT get_ActualSize(long* pl) = 0;
    virtual HRESULT get_Attributes(long* pl) = 0;
    virtual HRESULT get_DefinedSize(long* pl) = 0;
    virtual HRESULT get_Name(BSTR* pbstr) = 0;
    virtual HRESULT get_Type(DataTypeEnum* pDataType) = 0;
    virtual HRESULT get_Value(VARIANT* pvar) = 0;
    virtual HRESULT put_Value(VARIANT Val) = 0;
    virtual HRESULT get_Precision(BYTE* pbPrecision) = 0;
    virtual HRESULT get_NumericScale(BYTE* pbNumericScale) = 0;
    virtual HRESULT get_OriginalValue(VARIANT* pvar) = 0;
    virtual HRESULT get_UnderlyingValue(VARIANT* pvar) = 0;

    long GetActualSize();
    long GetAttributes();
    long GetDefinedSize();
    _bstr_t GetName();
    DataTypeEnum GetType();
    _variant_t GetValue();
    void PutValue(const _variant_t& pvar);
    unsigned char GetPrecision();
    unsigned char GetNumericScale();
    _variant_t GetOriginalValue();
    _variant_t GetUnderlyingValue();

protected:
    ~Field() = default;
};

struct Fields : IDispatch {
    virtual HRESULT get_Count(long* c) = 0;
    virtual HRESULT get_Item(VARIANT Index, Field** ppvObject) = 0;
    virtual HRESULT raw_Refresh() = 0;
    virtual HRESULT raw_Append(BSTR Name, DataTypeEnum Type, long DefinedSize, FieldAttributeEnum Attrib,
                               VARIANT FieldValue) = 0;
    virtual HRESULT raw_Delete(VARIANT Index) = 0;

    long GetCount();
    _com_ptr_t<_com_IIID<Field, &IID_Field>> GetItem(const _variant_t& Index);
    HRESULT Refresh();
    HRESULT Append(_bstr_t Name, DataTypeEnum Type, long DefinedSize = 0,
                   FieldAttributeEnum Attrib = adFldUnspecified, const _variant_t& FieldValue = vtMissing);
    HRESULT Delete(const _variant_t& Index);

protected:
    ~Fields() = default;
};

struct Parameter : IDispatch {
    virtual HRESULT get_Name(BSTR* pbstr) = 0;
    virtual HRESULT put_Name(BSTR bstr) = 0;
    virtual HRESULT get_Value(VARIANT* pvar) = 0;
    virtual HRESULT put_Value(VARIANT val) = 0;
    virtual HRESULT get_Type(DataTypeEnum* psDataType) = 0;
    virtual HRESULT put_Type(DataTypeEnum sDataType) = 0;
    virtual HRESULT get_Direction(ParameterDirectionEnum* plParmDirection) = 0;
    virtual HRESULT put_Direction(ParameterDirectionEnum lParmDirection) = 0;
    virtual HRESULT get_Size(long* pl) = 0;
    virtual HRESULT put_Size(long l) = 0;

    _bstr_t GetName();
    void PutName(_bstr_t pbstr);
    _variant_t GetValue();
    void PutValue(const _variant_t& pvar);
    DataTypeEnum GetType();
    void PutType(DataTypeEnum psDataType);
    ParameterDirectionEnum GetDirection();
    void PutDirection(ParameterDirectionEnum plParmDirection);
    long GetSize();
    void PutSize(long pl);

protected:
    ~Parameter() = default;
};

struct Parameters : IDispatch {
    virtual HRESULT get_Count(long* c) = 0;
    virtual HRESULT get_Item(VARIANT Index, Parameter** ppvObject) = 0;
    virtual HRESULT raw_Refresh() = 0;
    virtual HRESULT raw_Append(IDispatch* Object) = 0;
    virtual HRESULT raw_Delete(VARIANT Index) = 0;

    long GetCount();
    _com_ptr_t<_com_IIID<Parameter, &IID_Parameter>> GetItem(const _variant_t& Index);
    HRESULT Refresh();
    HRESULT Append(IDispatch* Object);
    HRESULT Delete(const _variant_t& Index);

protected:
    ~Parameters() = default;
};

struct Connection15 : IDispatch {
    virtual HRESULT get_Properties(Properties** ppvObject) = 0;
    virtual HRESULT get_ConnectionString(BSTR* pbstr) = 0;
    virtual HRESULT put_ConnectionString(BSTR bstr) = 0;
    virtual HRESULT get_CommandTimeout(long* plTimeout) = 0;
    virtual HRESULT put_CommandTimeout(long lTimeout) = 0;
    virtual HRESULT get_ConnectionTimeout(long* plTimeout) = 0;
    virtual HRESULT put_ConnectionTimeout(long lTimeout) = 0;
    virtual HRESULT get_Version(BSTR* pbstr) = 0;
    virtual HRESULT raw_Close() = 0;
    virtual HRESULT raw_Execute(BSTR CommandText, VARIANT* RecordsAffected, long Options,
                                _Recordset** ppiRset) = 0;
    virtual HRESULT raw_BeginTrans(long* TransactionLevel) = 0;
    virtual HRESULT raw_CommitTrans() = 0;
    virtual HRESULT raw_RollbackTrans() = 0;
    virtual HRESULT raw_Open(BSTR ConnectionString, BSTR UserID, BSTR Password, long Options) = 0;
    virtual HRESULT get_Errors(Errors** ppvObject) = 0;
    virtual HRESULT get_DefaultDatabase(BSTR* pbstr) = 0;
    virtual HRESULT put_DefaultDatabase(BSTR bstr) = 0;
    virtual HRESULT get_State(long* plObjState) = 0;
    virtual HRESULT get_CursorLocation(CursorLocationEnum* plCursorLoc) = 0;
    virtual HRESULT put_CursorLocation(CursorLocationEnum lCursorLoc) = 0;
    virtual HRESULT get_Provider(BSTR* pbstr) = 0;
    virtual HRESULT raw_OpenSchema(SchemaEnum Schema, VARIANT Restrictions, VARIANT SchemaID,
                                   _Recordset** pprset) = 0;

    _com_ptr_t<_com_IIID<Properties, &IID_Properties>> GetProperties();
    _bstr_t GetConnectionString();
    void PutConnectionString(_bstr_t pbstr);
    long GetCommandTimeout();
    void PutCommandTimeout(long plTimeout);
    long GetConnectionTimeout();
    void PutConnectionTimeout(long plTimeout);
    _bstr_t GetVersion();
    HRESULT Close();
    _com_ptr_t<_com_IIID<_Recordset, &IID__Recordset>> Execute(_bstr_t CommandText, VARIANT* RecordsAffected,
                                                               long Options);
    long BeginTrans();
    HRESULT CommitTrans();
    HRESULT RollbackTrans();
    HRESULT Open(_bstr_t ConnectionString, _bstr_t UserID, _bstr_t Password, long Options);
    _com_ptr_t<_com_IIID<Errors, &IID_Errors>> GetErrors();
    _bstr_t GetDefaultDatabase();
    void PutDefaultDatabase(_bstr_t pbstr);
    long GetState();
    CursorLocationEnum GetCursorLocation();
    void PutCursorLocation(CursorLocationEnum plCursorLoc);
    _bstr_t GetProvider();
    _com_ptr_t<_com_IIID<_Recordset, &IID__Recordset>> OpenSchema(SchemaEnum Schema,
                                                                  const _variant_t& Restrictions = vtMissing,
                                                                  const _variant_t& SchemaID = vtMissing);

protected:
    ~Connection15() = default;
};

struct _Connection : Connection15 {
    virtual HRESULT raw_Cancel() = 0;

    HRESULT Cancel();

protected:
    ~_Connection() = default;
};

struct _Command : IDispatch {
    virtual HRESULT get_ActiveConnection(_Connection** ppvObject) = 0;
    virtual HRESULT putref_ActiveConnection(_Connection* ppvObject) = 0;
    virtual HRESULT put_ActiveConnection(VARIANT ppvObject) = 0;
    virtual HRESULT get_CommandText(BSTR* pbstr) = 0;
    virtual HRESULT put_CommandText(BSTR pbstr) = 0;
    virtual HRESULT get_CommandTimeout(long* pl) = 0;
    virtual HRESULT put_CommandTimeout(long pl) = 0;
    virtual HRESULT get_CommandType(CommandTypeEnum* plCmdType) = 0;
    virtual HRESULT put_CommandType(CommandTypeEnum plCmdType) = 0;
    virtual HRESULT raw_Execute(VARIANT* RecordsAffected, VARIANT* Parameters, long Options,
                                _Recordset** ppiRs) = 0;
    virtual HRESULT raw_CreateParameter(BSTR Name, DataTypeEnum Type, ParameterDirectionEnum Direction, long Size,
                                        VARIANT Value, Parameter** ppiprm) = 0;
    virtual HRESULT get_Parameters(Parameters** ppvObject) = 0;
    virtual HRESULT raw_Cancel() = 0;

    _com_ptr_t<_com_IIID<_Connection, &IID__Connection>> GetActiveConnection();
    void PutRefActiveConnection(_Connection* ppvObject);
    void PutActiveConnection(const _variant_t& ppvObject);
    _bstr_t GetCommandText();
    void PutCommandText(_bstr_t pbstr);
    long GetCommandTimeout();
    void PutCommandTimeout(long pl);
    CommandTypeEnum GetCommandType();
    void PutCommandType(CommandTypeEnum plCmdType);
    _com_ptr_t<_com_IIID<_Recordset, &IID__Recordset>> Execute(VARIANT* RecordsAffected, VARIANT* Parameters,
                                                               long Options);
    _com_ptr_t<_com_IIID<Parameter, &IID_Parameter>> CreateParameter(_bstr_t Name, DataTypeEnum Type,
                                                                     ParameterDirectionEnum Direction, long Size,
                                                                     const _variant_t& Value = vtMissing);
    _com_ptr_t<_com_IIID<Parameters, &IID_Parameters>> GetParameters();
    HRESULT Cancel();

protected:
    ~_Command() = default;
};

struct _Recordset : IDispatch {
    virtual HRESULT get_AbsolutePosition(long* pl) = 0;
    virtual HRESULT put_AbsolutePosition(long l) = 0;
    virtual HRESULT putref_ActiveConnection(IDispatch* pvar) = 0;
    virtual HRESULT put_ActiveConnection(VARIANT pvar) = 0;
    virtual HRESULT get_ActiveConnection(VARIANT* pvar) = 0;
    virtual HRESULT get_BOF(VARIANT_BOOL* pb) = 0;
    virtual HRESULT get_Bookmark(VARIANT* pvBookmark) = 0;
    virtual HRESULT put_Bookmark(VARIANT vBookmark) = 0;
    virtual HRESULT get_CacheSize(long* pl) = 0;
    virtual HRESULT put_CacheSize(long pl) = 0;
    virtual HRESULT get_CursorType(CursorTypeEnum* plCursorType) = 0;
    virtual HRESULT put_CursorType(CursorTypeEnum plCursorType) = 0;
    virtual HRESULT get_EOF(VARIANT_BOOL* pb) = 0;
    virtual HRESULT get_Fields(Fields** ppvObject) = 0;
    virtual HRESULT get_LockType(LockTypeEnum* plLockType) = 0;
    virtual HRESULT put_LockType(LockTypeEnum plLockType) = 0;
    virtual HRESULT get_RecordCount(long* pl) = 0;
    virtual HRESULT get_Source(VARIANT* pvSource) = 0;
    virtual HRESULT put_Source(BSTR pvSource) = 0;
    virtual HRESULT raw_AddNew(VARIANT FieldList, VARIANT Values) = 0;
    virtual HRESULT raw_CancelUpdate() = 0;
    virtual HRESULT raw_Close() = 0;
    virtual HRESULT raw_Delete(AffectEnum AffectRecords) = 0;
    virtual HRESULT raw_Move(long NumRecords, VARIANT Start) = 0;
    virtual HRESULT raw_MoveNext() = 0;
    virtual HRESULT raw_MovePrevious() = 0;
    virtual HRESULT raw_MoveFirst() = 0;
    virtual HRESULT raw_MoveLast() = 0;
    virtual HRESULT raw_Open(VARIANT Source, VARIANT ActiveConnection, CursorTypeEnum CursorType,
                             LockTypeEnum LockType, long Options) = 0;
    virtual HRESULT raw_Requery(long Options) = 0;
    virtual HRESULT raw_Resync(AffectEnum AffectRecords, ResyncEnum ResyncValues) = 0;
    virtual HRESULT raw_Update(VARIANT Fields, VARIANT Values) = 0;
    virtual HRESULT get_EditMode(EditModeEnum* pl) = 0;
    virtual HRESULT get_Filter(VARIANT* Criteria) = 0;
    virtual HRESULT put_Filter(VARIANT Criteria) = 0;
    virtual HRESULT get_Sort(BSTR* Criteria) = 0;
    virtual HRESULT put_Sort(BSTR Criteria) = 0;
    virtual HRESULT get_State(long* plObjState) = 0;
    virtual HRESULT raw_NextRecordset(VARIANT* RecordsAffected, _Recordset** ppiRs) = 0;
    virtual HRESULT raw_Supports(CursorOptionEnum CursorOptions, VARIANT_BOOL* pb) = 0;
    virtual HRESULT get_Collect(VARIANT Index, VARIANT* pvar) = 0;
    virtual HRESULT put_Collect(VARIANT Index, VARIANT pvar) = 0;
    virtual HRESULT raw_UpdateBatch(AffectEnum AffectRecords) = 0;
    virtual HRESULT raw_CancelBatch(AffectEnum AffectRecords) = 0;
    virtual HRESULT get_CursorLocation(CursorLocationEnum* plCursorLoc) = 0;
    virtual HRESULT put_CursorLocation(CursorLocationEnum plCursorLoc) = 0;
    virtual HRESULT raw_Cancel() = 0;
    virtual HRESULT raw_Save(VARIANT Destination, PersistFormatEnum PersistFormat) = 0;

    long GetAbsolutePosition();
    void PutAbsolutePosition(long pl);
    void PutRefActiveConnection(IDispatch* pvar);
    void PutActiveConnection(const _variant_t& pvar);
    _variant_t GetActiveConnection();
    VARIANT_BOOL GetBOF();
    _variant_t GetBookmark();
    void PutBookmark(const _variant_t& pvBookmark);
    long GetCacheSize();
    void PutCacheSize(long pl);
    CursorTypeEnum GetCursorType();
    void PutCursorType(CursorTypeEnum plCursorType);
    VARIANT_BOOL GetadoEOF();
    VARIANT_BOOL GetEOF() { return GetadoEOF(); }
    _com_ptr_t<_com_IIID<Fields, &IID_Fields>> GetFields();
    LockTypeEnum GetLockType();
    void PutLockType(LockTypeEnum plLockType);
    long GetRecordCount();
    _variant_t GetSource();
    void PutSource(_bstr_t pvSource);
    HRESULT AddNew(const _variant_t& FieldList = vtMissing, const _variant_t& Values = vtMissing);
    HRESULT CancelUpdate();
    HRESULT Close();
    HRESULT Delete(AffectEnum AffectRecords = adAffectCurrent);
    HRESULT Move(long NumRecords, const _variant_t& Start = vtMissing);
    HRESULT MoveNext();
    HRESULT MovePrevious();
    HRESULT MoveFirst();
    HRESULT MoveLast();
    HRESULT Open(const _variant_t& Source, const _variant_t& ActiveConnection, CursorTypeEnum CursorType,
                 LockTypeEnum LockType, long Options);
    HRESULT Requery(long Options = adOptionUnspecified);
    HRESULT Resync(AffectEnum AffectRecords = adAffectAll, ResyncEnum ResyncValues = adResyncAllValues);
    HRESULT Update(const _variant_t& Fields = vtMissing, const _variant_t& Values = vtMissing);
    EditModeEnum GetEditMode();
    _variant_t GetFilter();
    void PutFilter(const _variant_t& Criteria);
    _bstr_t GetSort();
    void PutSort(_bstr_t Criteria);
    long GetState();
    _com_ptr_t<_com_IIID<_Recordset, &IID__Recordset>> NextRecordset(VARIANT* RecordsAffected = nullptr);
    VARIANT_BOOL Supports(CursorOptionEnum CursorOptions);
    _variant_t GetCollect(const _variant_t& Index);
    void PutCollect(const _variant_t& Index, const _variant_t& pvar);
    HRESULT UpdateBatch(AffectEnum AffectRecords = adAffectAll);
    HRESULT CancelBatch(AffectEnum AffectRecords = adAffectAll);
    CursorLocationEnum GetCursorLocation();
    void PutCursorLocation(CursorLocationEnum plCursorLoc);
    HRESULT Cancel();
    HRESULT Save(const _variant_t& Destination = vtMissing, PersistFormatEnum PersistFormat = adPersistADTG);

protected:
    ~_Recordset() = default;
};

// The connection's events, as a plain virtual-call interface. A sink that
// sets *adStatus to adStatusUnwantedEvent gets no more of that event.
struct ConnectionEvents : IUnknown {
    virtual HRESULT InfoMessage(Error* pError, EventStatusEnum* adStatus, _Connection* pConnection) = 0;
    virtual HRESULT BeginTransComplete(long TransactionLevel, Error* pError, EventStatusEnum* adStatus,
                                       _Connection* pConnection) = 0;
    virtual HRESULT CommitTransComplete(Error* pError, EventStatusEnum* adStatus, _Connection* pConnection) = 0;
    virtual HRESULT RollbackTransComplete(Error* pError, EventStatusEnum* adStatus, _Connection* pConnection) = 0;
    virtual HRESULT WillExecute(BSTR* Source, CursorTypeEnum* CursorType, LockTypeEnum* LockType, long* Options,
                                EventStatusEnum* adStatus, _Command* pCommand, _Recordset* pRecordset,
                                _Connection* pConnection) = 0;
    virtual HRESULT ExecuteComplete(long RecordsAffected, Error* pError, EventStatusEnum* adStatus,
                                    _Command* pCommand, _Recordset* pRecordset, _Connection* pConnection) = 0;
    virtual HRESULT WillConnect(BSTR* ConnectionString, BSTR* UserID, BSTR* Password, long* Options,
                                EventStatusEnum* adStatus, _Connection* pConnection) = 0;
    virtual HRESULT ConnectComplete(Error* pError, EventStatusEnum* adStatus, _Connection* pConnection) = 0;
    virtual HRESULT Disconnect(EventStatusEnum* adStatus, _Connection* pConnection) = 0;

protected:
    ~ConnectionEvents() = default;
};

TW_INTERFACE_ID(Error, IID_Error);
TW_INTERFACE_ID(Errors, IID_Errors);
TW_INTERFACE_ID(Property, IID_Property);
TW_INTERFACE_ID(Properties, IID_Properties);
TW_INTERFACE_ID(Field, IID_Field);
TW_INTERFACE_ID(Fields, IID_Fields);
TW_INTERFACE_ID(Parameter, IID_Parameter);
TW_INTERFACE_ID(Parameters, IID_Parameters);
TW_INTERFACE_ID(Connection15, IID_Connection15);
TW_INTERFACE_ID(_Connection, IID__Connection);
TW_INTERFACE_ID(_Command, IID__Command);
TW_INTERFACE_ID(_Recordset, IID__Recordset);
TW_INTERFACE_ID(ConnectionEvents, IID_ConnectionEvents);

_COM_SMARTPTR_TYPEDEF(Error, IID_Error);
_COM_SMARTPTR_TYPEDEF(Errors, IID_Errors);
_COM_SMARTPTR_TYPEDEF(Property, IID_Property);
_COM_SMARTPTR_TYPEDEF(Properties, IID_Properties);
_COM_SMARTPTR_TYPEDEF(Field, IID_Field);
_COM_SMARTPTR_TYPEDEF(Fields, IID_Fields);
_COM_SMARTPTR_TYPEDEF(Parameter, IID_Parameter);
_COM_SMARTPTR_TYPEDEF(Parameters, IID_Parameters);
_COM_SMARTPTR_TYPEDEF(Connection15, IID_Connection15);
_COM_SMARTPTR_TYPEDEF(_Connection, IID__Connection);
_COM_SMARTPTR_TYPEDEF(_Command, IID__Command);
_COM_SMARTPTR_TYPEDEF(_Recordset, IID__Recordset);
_COM_SMARTPTR_TYPEDEF(ConnectionEvents, IID_ConnectionEvents);

} // namespace ADODB

namespace tw::ado {

// Registers "ADODB.Connection", "ADODB.Recordset" and "ADODB.Command" (with
// their versioned ProgIDs) and their class ids. Safe to call more than once.
void RegisterClasses();

} // namespace tw::ado
