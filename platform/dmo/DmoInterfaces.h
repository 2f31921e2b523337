// The server-management object model: a server, its databases and the
// objects in them, each an interface with the model's ids. Every object is
// written over the data-access layer in T-SQL, so it serves the embedded
// server and a real server alike. Members raise _com_error carrying the
// server's message when a call fails.
#pragma once

#include "platform/com/ComSupport.h"
#include "platform/com/OleAuto.h"

// All ids of the model share the tail {....-E260-11CF-AE68-00AA004A34D5}.
#define TW_DMO_GUID(name, first) \
    DEFINE_GUID(name, first, 0xE260, 0x11CF, 0xAE, 0x68, 0x00, 0xAA, 0x00, 0x4A, 0x34, 0xD5)

namespace SQLDMO {

TW_DMO_GUID(CLSID_SQLServer, 0x100202C1);
TW_DMO_GUID(CLSID_Database, 0x100203C1);
TW_DMO_GUID(CLSID_Table, 0x100204C1);
TW_DMO_GUID(CLSID_Column, 0x100205C1);
TW_DMO_GUID(CLSID_View, 0x100207C1);
TW_DMO_GUID(CLSID_UserDefinedDatatype, 0x10020800);
TW_DMO_GUID(CLSID_Default, 0x10020900);
TW_DMO_GUID(CLSID_Rule, 0x10020A00);
TW_DMO_GUID(CLSID_User, 0x10020B00);
TW_DMO_GUID(CLSID_StoredProcedure, 0x10020D00);
TW_DMO_GUID(CLSID_Index, 0x10020EC1);
TW_DMO_GUID(CLSID_Key, 0x10020F00);
TW_DMO_GUID(CLSID_Trigger, 0x10021000);
TW_DMO_GUID(CLSID_Check, 0x10021700);
TW_DMO_GUID(CLSID_Login, 0x10022C00);
TW_DMO_GUID(CLSID_UserDefinedFunction, 0x10023700);

TW_DMO_GUID(IID__SQLServer, 0x10020216);
TW_DMO_GUID(IID__Database, 0x10020316);
TW_DMO_GUID(IID__Database2, 0x10020396);
TW_DMO_GUID(IID__Table, 0x10020416);
TW_DMO_GUID(IID__Table2, 0x10020496);
TW_DMO_GUID(IID__Column, 0x10020516);
TW_DMO_GUID(IID__View, 0x10020716);
TW_DMO_GUID(IID__View2, 0x10020796);
TW_DMO_GUID(IID__UserDefinedDatatype, 0x10020806);
TW_DMO_GUID(IID__Default, 0x10020906);
TW_DMO_GUID(IID__Rule, 0x10020A06);
TW_DMO_GUID(IID__User, 0x10020B06);
TW_DMO_GUID(IID__StoredProcedure, 0x10020D06);
TW_DMO_GUID(IID__Index, 0x10020E16);
TW_DMO_GUID(IID__Index2, 0x10020E96);
TW_DMO_GUID(IID__Key, 0x10020F06);
TW_DMO_GUID(IID__Trigger, 0x10021006);
TW_DMO_GUID(IID__Check, 0x10021706);
TW_DMO_GUID(IID__QueryResults, 0x10021C06);
TW_DMO_GUID(IID__QueryResults2, 0x10021C86);
TW_DMO_GUID(IID_NameList, 0x10022306);
TW_DMO_GUID(IID_Names, 0x10022406);
TW_DMO_GUID(IID_SQLObjectList, 0x10022806);
TW_DMO_GUID(IID__Permission, 0x10022906);
TW_DMO_GUID(IID__Login, 0x10022C06);
TW_DMO_GUID(IID__Application, 0x10022E06);
TW_DMO_GUID(IID__UserDefinedFunction, 0x10023706);
TW_DMO_GUID(IID_Databases, 0x1002031A);
TW_DMO_GUID(IID_Tables, 0x1002041A);
TW_DMO_GUID(IID_Columns, 0x1002051A);
TW_DMO_GUID(IID_Views, 0x1002071A);
TW_DMO_GUID(IID_Defaults, 0x1002091A);
TW_DMO_GUID(IID_Rules, 0x10020A1A);
TW_DMO_GUID(IID_Users, 0x10020B1A);
TW_DMO_GUID(IID_StoredProcedures, 0x10020D1A);
TW_DMO_GUID(IID_Indexes, 0x10020E1A);
TW_DMO_GUID(IID_Keys, 0x10020F1A);
TW_DMO_GUID(IID_Triggers, 0x1002101A);
TW_DMO_GUID(IID_Checks, 0x1002171A);
TW_DMO_GUID(IID_UserDefinedFunctions, 0x1002371A);

// NoExec and ParseOnly switch the server's NOEXEC or PARSEONLY on around
// the command.
enum SQLDMO_EXEC_TYPE {
    SQLDMOExec_Default = 0,
    SQLDMOExec_NoExec = 4,
    SQLDMOExec_ParseOnly = 8,
};

// Names are always owner-qualified and quoted.
enum SQLDMO_SCRIPT_TYPE {
    SQLDMOScript_Drops = 1,
    SQLDMOScript_Default = 4,
    SQLDMOScript_PrimaryObject = 4,
    // A table's script adds its triggers.
    SQLDMOScript_Triggers = 16,
    // A table's script leaves out its keys and checks.
    SQLDMOScript_NoDRI = 512,
};

enum SQLDMO_PROCEDURE_TYPE {
    SQLDMOProc_Unknown = 0,
    SQLDMOProc_Standard = 1,
    SQLDMOProc_Extended = 2,
    SQLDMOProc_Macro = 3,
    SQLDMOProc_ReplicationFilter = 4,
};

enum SQLDMO_UDF_TYPE { SQLDMOUDF_Unknown = 0, SQLDMOUDF_Scalar = 1, SQLDMOUDF_Table = 2, SQLDMOUDF_Inline = 3 };

enum SQLDMO_KEY_TYPE { SQLDMOKey_Unknown = 0, SQLDMOKey_Primary = 1, SQLDMOKey_Unique = 2, SQLDMOKey_Foreign = 3 };

// Index.Type bits.
enum SQLDMO_INDEX_TYPE {
    SQLDMOIndex_Unique = 2,
    SQLDMOIndex_Clustered = 16,
    SQLDMOIndex_DRIPrimaryKey = 2048,
    SQLDMOIndex_DRIUniqueKey = 4096,
};

enum SQLDMO_PRIVILEGE_TYPE {
    SQLDMOPriv_Unknown = 0,
    SQLDMOPriv_Select = 1,
    SQLDMOPriv_Insert = 2,
    SQLDMOPriv_Update = 4,
    SQLDMOPriv_Delete = 8,
    SQLDMOPriv_Execute = 16,
    SQLDMOPriv_References = 32,
    SQLDMOPriv_AllObjectPrivs = 63,
};

// Database.Status bits.
enum SQLDMO_DBSTATUS_TYPE {
    SQLDMODBStat_Normal = 0,
    SQLDMODBStat_Loading = 32,
    SQLDMODBStat_Recovering = 192,
    SQLDMODBStat_Suspect = 256,
    SQLDMODBStat_Offline = 512,
    SQLDMODBStat_Inaccessible = 992,
    SQLDMODBStat_EmergencyMode = 32768,
};

// QueryResults.ColumnType: the server's type codes.
enum SQLDMO_QUERY_DATATYPE {
    SQLDMO_DTypeUnknown = 0,
    SQLDMO_DTypeBinary = 45,
    SQLDMO_DTypeChar = 47,
    SQLDMO_DTypeInt1 = 48,
    SQLDMO_DTypeBit = 50,
    SQLDMO_DTypeInt2 = 52,
    SQLDMO_DTypeInt4 = 56,
    SQLDMO_DTypeDateTime = 61,
    SQLDMO_DTypeFloat8 = 62,
    SQLDMO_DTypeMoney = 60,
    SQLDMO_DTypeFloat4 = 59,
    SQLDMO_DTypeNumeric = 108,
    SQLDMO_DTypeBigint = 127,
    SQLDMO_DTypeVarchar = 39,
    SQLDMO_DTypeUChar = 239,
    SQLDMO_DTypeUVarchar = 231,
    SQLDMO_DTypeGUID = 36,
};

struct _QueryResults : IUnknown {
    virtual long GetResultSets() = 0;
    virtual long GetCurrentResultSet() = 0;
    // 1-based; out of range raises.
    virtual void PutCurrentResultSet(long resultSet) = 0;
    virtual long GetRows() = 0;
    virtual long GetColumns() = 0;
    virtual _bstr_t GetColumnName(long column) = 0;
    // The longest value of the column in bytes, at least the name's length.
    virtual long GetColumnMaxLength(long column) = 0;
    virtual SQLDMO_QUERY_DATATYPE GetColumnType(long column) = 0;
    // Row and column from 1; NULL reads as an empty string.
    virtual _bstr_t GetColumnString(long row, long column) = 0;
    virtual long GetColumnLong(long row, long column) = 0;
    virtual double GetColumnDouble(long row, long column) = 0;

protected:
    ~_QueryResults() = default;
};

struct _QueryResults2 : _QueryResults {
protected:
    ~_QueryResults2() = default;
};

// A list of names: the answer of ListAvailableSQLServers, a key's columns.
struct NameList : IUnknown {
    virtual long GetCount() = 0;
    // From 1.
    virtual _bstr_t Item(long index) = 0;
    // The names joined by ", " (the list's whole text).
    virtual _bstr_t GetText() = 0;

protected:
    ~NameList() = default;
};

struct Names : NameList {
protected:
    ~Names() = default;
};

struct _Permission : IUnknown {
    virtual SQLDMO_PRIVILEGE_TYPE GetPrivilegeType() = 0;
    // "Select", "Insert", "Update", "Delete", "Execute" or "References".
    virtual _bstr_t GetPrivilegeTypeName() = 0;
    virtual _bstr_t GetGrantee() = 0;
    virtual VARIANT_BOOL GetGranted() = 0;
    virtual _bstr_t GetObjectName() = 0;
    virtual _bstr_t GetObjectOwner() = 0;

protected:
    ~_Permission() = default;
};

// Items are the list's objects as IUnknown; ask them for their interface.
struct SQLObjectList : IUnknown {
    virtual long GetCount() = 0;
    virtual IUnknownPtr Item(long index) = 0;

protected:
    ~SQLObjectList() = default;
};

// What every object kept in a database's catalogue answers. An object made
// by CoCreateInstance belongs to no database until it is added; until then
// only its name can be read and written, and the rest raises.
struct _DBObject : IUnknown {
    virtual _bstr_t GetName() = 0;
    virtual void PutName(_bstr_t name) = 0;
    virtual _bstr_t GetOwner() = 0;
    virtual long GetID() = 0;
    virtual _bstr_t GetCreateDate() = 0;
    virtual VARIANT_BOOL GetSystemObject() = 0;
    // Text a user can run to make the object again (ScriptType bits
    // SQLDMO_SCRIPT_TYPE); with a file path the text is written there too.
    virtual _bstr_t Script(long scriptType = SQLDMOScript_Default, const _variant_t& scriptFilePath = vtMissing,
                           long script2Type = 0) = 0;
    virtual void Remove() = 0;

protected:
    ~_DBObject() = default;
};

struct _Column : _DBObject {
    virtual _bstr_t GetDatatype() = 0;
    virtual long GetLength() = 0;
    virtual long GetNumericPrecision() = 0;
    virtual long GetNumericScale() = 0;
    virtual VARIANT_BOOL GetAllowNulls() = 0;
    virtual VARIANT_BOOL GetIdentity() = 0;
    // The seed and step of an identity column; 0 for any other column.
    virtual long GetIdentitySeed() = 0;
    virtual long GetIdentityIncrement() = 0;
    // The name of the default bound to the column (not a DEFAULT constraint); empty for none.
    virtual _bstr_t GetDefault() = 0;
    // The name of the rule bound to the column; empty for none.
    virtual _bstr_t GetRule() = 0;
    virtual VARIANT_BOOL GetIsComputed() = 0;
    // A computed column's expression as stored; empty for any other column.
    virtual _bstr_t GetComputedText() = 0;
    virtual VARIANT_BOOL GetIsRowGuidCol() = 0;
    // The collation of a character column; empty for any other column.
    virtual _bstr_t GetCollation() = 0;

protected:
    ~_Column() = default;
};

struct _Index : _DBObject {
    virtual long GetType() = 0;
    // Key columns joined by ", ".
    virtual _bstr_t GetIndexedColumns() = 0;

protected:
    ~_Index() = default;
};
struct _Index2 : _Index {
protected:
    ~_Index2() = default;
};

struct _Key : _DBObject {
    virtual SQLDMO_KEY_TYPE GetType() = 0;
    virtual _com_ptr_t<_com_IIID<Names, &IID_Names>> GetKeyColumns() = 0;
    // Empty for a key other than a foreign key.
    virtual _com_ptr_t<_com_IIID<Names, &IID_Names>> GetReferencedColumns() = 0;
    // "[owner].[table]" of a foreign key's target; empty otherwise.
    virtual _bstr_t GetReferencedTable() = 0;
    virtual VARIANT_BOOL GetExcludeReplication() = 0;

protected:
    ~_Key() = default;
};

// Objects whose definition is kept as text: checks, defaults, rules,
// triggers, views, procedures and functions.
struct _TextObject : _DBObject {
    virtual _bstr_t GetText() = 0;
    virtual VARIANT_BOOL GetAnsiNullsStatus() = 0;
    virtual VARIANT_BOOL GetQuotedIdentifierStatus() = 0;

protected:
    ~_TextObject() = default;
};

struct _Check : _TextObject {
    virtual VARIANT_BOOL GetExcludeReplication() = 0;

protected:
    ~_Check() = default;
};
struct _Default : _TextObject {
protected:
    ~_Default() = default;
};
struct _Rule : _TextObject {
protected:
    ~_Rule() = default;
};
struct _Trigger : _TextObject {
protected:
    ~_Trigger() = default;
};
struct _View : _TextObject {
protected:
    ~_View() = default;
};
struct _View2 : _View {
protected:
    ~_View2() = default;
};

struct _StoredProcedure : _TextObject {
    virtual SQLDMO_PROCEDURE_TYPE GetType() = 0;
    virtual VARIANT_BOOL GetStartup() = 0;
    virtual void PutStartup(VARIANT_BOOL startup) = 0;

protected:
    ~_StoredProcedure() = default;
};

struct _UserDefinedFunction : _TextObject {
    virtual SQLDMO_UDF_TYPE GetType() = 0;

protected:
    ~_UserDefinedFunction() = default;
};

struct _User : _DBObject {
    virtual _bstr_t GetLogin() = 0;
    // Only before the user is added; it then stands for that login.
    virtual void PutLogin(_bstr_t login) = 0;

protected:
    ~_User() = default;
};
struct _Login : _DBObject {
protected:
    ~_Login() = default;
};
struct _UserDefinedDatatype : _DBObject {
protected:
    ~_UserDefinedDatatype() = default;
};

// A collection of one kind of object, with the interface of its items.
template <class ItemInterface, const IID* itemIid>
struct DmoCollection : IUnknown {
    using ItemPtr = _com_ptr_t<_com_IIID<ItemInterface, itemIid>>;
    virtual long GetCount() = 0;
    // By position from 1, by "owner.name" or by name; a separate owner
    // narrows a name to that owner's object. A name not there raises.
    virtual ItemPtr Item(const _variant_t& index, const _variant_t& owner = vtMissing) = 0;
    // Reads the collection from the server again.
    virtual void Refresh(VARIANT_BOOL releaseMemberObjects = VARIANT_FALSE) = 0;

protected:
    ~DmoCollection() = default;
};

#define TW_DMO_COLLECTION(Name, Item)                \
    struct Name : DmoCollection<Item, &IID_##Item> { \
    protected:                                       \
        ~Name() = default;                           \
    }

struct _Table;
struct _Database;
TW_DMO_COLLECTION(Columns, _Column);
TW_DMO_COLLECTION(Indexes, _Index);
TW_DMO_COLLECTION(Keys, _Key);
TW_DMO_COLLECTION(Checks, _Check);
TW_DMO_COLLECTION(Triggers, _Trigger);
TW_DMO_COLLECTION(Views, _View);
TW_DMO_COLLECTION(StoredProcedures, _StoredProcedure);
TW_DMO_COLLECTION(UserDefinedFunctions, _UserDefinedFunction);
// Users also take new members: a User object made by CoCreateInstance, with
// its name and login set, is granted access to the database and then belongs
// to it.
struct Users : DmoCollection<_User, &IID__User> {
    virtual void Add(_User* user) = 0;

protected:
    ~Users() = default;
};
TW_DMO_COLLECTION(Defaults, _Default);
TW_DMO_COLLECTION(Rules, _Rule);
TW_DMO_COLLECTION(Tables, _Table);
TW_DMO_COLLECTION(Databases, _Database);

#define TW_DMO_PTR(Interface, iid) using Interface##Ptr = _com_ptr_t<_com_IIID<Interface, &iid>>

TW_DMO_PTR(_QueryResults, IID__QueryResults);
TW_DMO_PTR(_QueryResults2, IID__QueryResults2);
TW_DMO_PTR(NameList, IID_NameList);
TW_DMO_PTR(Names, IID_Names);
TW_DMO_PTR(SQLObjectList, IID_SQLObjectList);
TW_DMO_PTR(_Permission, IID__Permission);
TW_DMO_PTR(Columns, IID_Columns);
TW_DMO_PTR(Indexes, IID_Indexes);
TW_DMO_PTR(Keys, IID_Keys);
TW_DMO_PTR(Checks, IID_Checks);
TW_DMO_PTR(Triggers, IID_Triggers);
TW_DMO_PTR(Views, IID_Views);
TW_DMO_PTR(StoredProcedures, IID_StoredProcedures);
TW_DMO_PTR(UserDefinedFunctions, IID_UserDefinedFunctions);
TW_DMO_PTR(Users, IID_Users);
TW_DMO_PTR(Defaults, IID_Defaults);
TW_DMO_PTR(Rules, IID_Rules);
TW_DMO_PTR(Tables, IID_Tables);
TW_DMO_PTR(Databases, IID_Databases);

struct _Table : _DBObject {
    virtual ColumnsPtr GetColumns() = 0;
    virtual IndexesPtr GetIndexes() = 0;
    virtual KeysPtr GetKeys() = 0;
    virtual ChecksPtr GetChecks() = 0;
    virtual TriggersPtr GetTriggers() = 0;
    virtual long GetRows() = 0;
    // Re-reads the space figures; called before the indexes are listed.
    virtual void RecalcSpaceUsage() = 0;
    // Permissions on the table of the privileges in the mask.
    virtual SQLObjectListPtr ListPermissions(long privilegeTypes = SQLDMOPriv_AllObjectPrivs) = 0;
    // The permissions one user or role holds on the table.
    virtual SQLObjectListPtr ListUserPermissions(_bstr_t userName) = 0;

protected:
    ~_Table() = default;
};
struct _Table2 : _Table {
protected:
    ~_Table2() = default;
};

struct _Database : IUnknown {
    virtual _bstr_t GetName() = 0;
    virtual _bstr_t GetOwner() = 0;
    virtual long GetID() = 0;
    virtual _bstr_t GetCreateDate() = 0;
    virtual VARIANT_BOOL GetSystemObject() = 0;
    // SQLDMO_DBSTATUS_TYPE bits.
    virtual long GetStatus() = 0;
    // Megabytes.
    virtual long GetSize() = 0;
    virtual long GetVersion() = 0;
    // Kilobytes.
    virtual float GetDataSpaceUsage() = 0;
    virtual float GetIndexSpaceUsage() = 0;
    virtual long GetSpaceAvailable() = 0;
    virtual _bstr_t GetMemoryUsage() = 0;
    virtual TablesPtr GetTables() = 0;
    virtual ViewsPtr GetViews() = 0;
    virtual StoredProceduresPtr GetStoredProcedures() = 0;
    virtual UsersPtr GetUsers() = 0;
    virtual DefaultsPtr GetDefaults() = 0;
    virtual RulesPtr GetRules() = 0;
    virtual void ExecuteImmediate(_bstr_t command, SQLDMO_EXEC_TYPE execType = SQLDMOExec_Default,
                                  const _variant_t& length = vtMissing) = 0;
    virtual _QueryResultsPtr ExecuteWithResults(_bstr_t command, const _variant_t& length = vtMissing) = 0;
    virtual _bstr_t Script(long scriptType = SQLDMOScript_Default, const _variant_t& scriptFilePath = vtMissing,
                           long script2Type = 0) = 0;

protected:
    ~_Database() = default;
};

struct _Database2 : _Database {
    virtual UserDefinedFunctionsPtr GetUserDefinedFunctions() = 0;
    // The server's informational messages of the batch come back in
    // *messages, one a line.
    virtual _QueryResults2Ptr ExecuteWithResultsAndMessages2(_bstr_t command, BSTR* messages,
                                                             const _variant_t& length = vtMissing) = 0;

protected:
    ~_Database2() = default;
};

struct _Application : IUnknown {
    // "(embedded)" and the servers the TDS driver's configuration names.
    virtual NameListPtr ListAvailableSQLServers() = 0;

protected:
    ~_Application() = default;
};

struct _SQLServer : IUnknown {
    virtual VARIANT_BOOL GetLoginSecure() = 0;
    virtual void PutLoginSecure(VARIANT_BOOL loginSecure) = 0;
    // A new login disconnects the previous one first. "(embedded)" or an
    // empty server name is the embedded server.
    virtual void Connect(const _variant_t& serverName = vtMissing, const _variant_t& login = vtMissing,
                         const _variant_t& password = vtMissing) = 0;
    virtual void DisConnect() = 0;
    virtual _bstr_t GetName() = 0;
    virtual _bstr_t GetTrueName() = 0;
    virtual _bstr_t GetLogin() = 0;
    virtual _bstr_t GetVersionString() = 0;
    virtual long GetVersionMajor() = 0;
    virtual long GetVersionMinor() = 0;
    virtual void ExecuteImmediate(_bstr_t command, SQLDMO_EXEC_TYPE execType = SQLDMOExec_Default,
                                  const _variant_t& length = vtMissing) = 0;
    virtual _QueryResultsPtr ExecuteWithResults(_bstr_t command, const _variant_t& length = vtMissing) = 0;
    virtual _QueryResults2Ptr ExecuteWithResultsAndMessages2(_bstr_t command, BSTR* messages,
                                                             const _variant_t& length = vtMissing) = 0;
    virtual DatabasesPtr GetDatabases() = 0;
    virtual _com_ptr_t<_com_IIID<_Application, &IID__Application>> GetApplication() = 0;
    // Seconds a statement may run before it is cancelled and fails; -1 (the
    // default) leaves the data-access layer's own limit. Kept across logins.
    virtual long GetQueryTimeout() = 0;
    virtual void PutQueryTimeout(long seconds) = 0;

protected:
    ~_SQLServer() = default;
};

TW_DMO_PTR(_Column, IID__Column);
TW_DMO_PTR(_Index, IID__Index);
TW_DMO_PTR(_Index2, IID__Index2);
TW_DMO_PTR(_Key, IID__Key);
TW_DMO_PTR(_Check, IID__Check);
TW_DMO_PTR(_Default, IID__Default);
TW_DMO_PTR(_Rule, IID__Rule);
TW_DMO_PTR(_Trigger, IID__Trigger);
TW_DMO_PTR(_View, IID__View);
TW_DMO_PTR(_View2, IID__View2);
TW_DMO_PTR(_StoredProcedure, IID__StoredProcedure);
TW_DMO_PTR(_UserDefinedFunction, IID__UserDefinedFunction);
TW_DMO_PTR(_User, IID__User);
TW_DMO_PTR(_Login, IID__Login);
TW_DMO_PTR(_UserDefinedDatatype, IID__UserDefinedDatatype);
TW_DMO_PTR(_Table, IID__Table);
TW_DMO_PTR(_Table2, IID__Table2);
TW_DMO_PTR(_Database, IID__Database);
TW_DMO_PTR(_Database2, IID__Database2);
TW_DMO_PTR(_Application, IID__Application);
TW_DMO_PTR(_SQLServer, IID__SQLServer);

TW_INTERFACE_ID(_QueryResults, IID__QueryResults);
TW_INTERFACE_ID(_QueryResults2, IID__QueryResults2);
TW_INTERFACE_ID(NameList, IID_NameList);
TW_INTERFACE_ID(Names, IID_Names);
TW_INTERFACE_ID(SQLObjectList, IID_SQLObjectList);
TW_INTERFACE_ID(_Permission, IID__Permission);
TW_INTERFACE_ID(_Column, IID__Column);
TW_INTERFACE_ID(_Index, IID__Index);
TW_INTERFACE_ID(_Index2, IID__Index2);
TW_INTERFACE_ID(_Key, IID__Key);
TW_INTERFACE_ID(_Check, IID__Check);
TW_INTERFACE_ID(_Default, IID__Default);
TW_INTERFACE_ID(_Rule, IID__Rule);
TW_INTERFACE_ID(_Trigger, IID__Trigger);
TW_INTERFACE_ID(_View, IID__View);
TW_INTERFACE_ID(_View2, IID__View2);
TW_INTERFACE_ID(_StoredProcedure, IID__StoredProcedure);
TW_INTERFACE_ID(_UserDefinedFunction, IID__UserDefinedFunction);
TW_INTERFACE_ID(_User, IID__User);
TW_INTERFACE_ID(_Login, IID__Login);
TW_INTERFACE_ID(_UserDefinedDatatype, IID__UserDefinedDatatype);
TW_INTERFACE_ID(_Table, IID__Table);
TW_INTERFACE_ID(_Table2, IID__Table2);
TW_INTERFACE_ID(_Database, IID__Database);
TW_INTERFACE_ID(_Database2, IID__Database2);
TW_INTERFACE_ID(_Application, IID__Application);
TW_INTERFACE_ID(_SQLServer, IID__SQLServer);
TW_INTERFACE_ID(Columns, IID_Columns);
TW_INTERFACE_ID(Indexes, IID_Indexes);
TW_INTERFACE_ID(Keys, IID_Keys);
TW_INTERFACE_ID(Checks, IID_Checks);
TW_INTERFACE_ID(Triggers, IID_Triggers);
TW_INTERFACE_ID(Views, IID_Views);
TW_INTERFACE_ID(StoredProcedures, IID_StoredProcedures);
TW_INTERFACE_ID(UserDefinedFunctions, IID_UserDefinedFunctions);
TW_INTERFACE_ID(Users, IID_Users);
TW_INTERFACE_ID(Defaults, IID_Defaults);
TW_INTERFACE_ID(Rules, IID_Rules);
TW_INTERFACE_ID(Tables, IID_Tables);
TW_INTERFACE_ID(Databases, IID_Databases);

} // namespace SQLDMO

namespace tw::dmo {

// Registers the creatable classes of the model (SQLServer, Database, Table,
// ...) with the class registry under their class ids. Safe to call again.
void RegisterClasses();

} // namespace tw::dmo
