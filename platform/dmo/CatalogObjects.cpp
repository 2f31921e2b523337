#include "platform/dmo/CatalogObjects.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/dmo/ListObjects.h"
#include "platform/dmo/ObjectCollection.h"
#include "platform/dmo/SqlQuoting.h"

namespace tw::dmo {

namespace catalog_detail {

long Number(const ResultValue& value) { return value ? std::strtol(value->c_str(), nullptr, 10) : 0; }
std::string Text(const ResultValue& value) { return value ? *value : std::string(); }

std::string Trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// Written beside the target and renamed over it, so a failed write leaves
// the old file whole.
void WriteScriptFile(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out)
            RaiseDmoError(E_FAIL, "The script file '" + path + "' cannot be written.");
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        RaiseDmoError(E_FAIL, "The script file '" + path + "' cannot be written.");
}

TablePlace PlaceOf(const ObjectFacts& facts)
{
    return {facts.link, facts.database, facts.owner, facts.name, facts.id};
}

TablePlace ParentPlaceOf(const ObjectFacts& facts)
{
    return {facts.link, facts.database, facts.parentOwner, facts.parentName, facts.parentId};
}

} // namespace catalog_detail

std::vector<ObjectFacts> LoadCatalogObjects(const ServerLinkRef& link, const std::string& database,
                                            const std::string& condition)
{
    using namespace catalog_detail;
    const auto rows = link->Rows(
        "SELECT o.name, user_name(o.uid), o.id, o.crdate, o.xtype, o.parent_obj, o.status, "
        "OBJECTPROPERTY(o.id, 'IsMSShipped'), p.name, user_name(p.uid) FROM sysobjects o "
        "LEFT JOIN sysobjects p ON p.id = o.parent_obj WHERE " +
            condition + " ORDER BY o.name",
        database);
    std::vector<ObjectFacts> objects;
    for (const auto& row : rows) {
        ObjectFacts facts;
        facts.link = link;
        facts.database = database;
        facts.name = Text(row[0]);
        facts.owner = Text(row[1]);
        facts.id = Number(row[2]);
        facts.createDate = Text(row[3]);
        facts.xtype = Trimmed(Text(row[4]));
        facts.parentId = Number(row[5]);
        facts.status = Number(row[6]);
        facts.systemObject = Number(row[7]) != 0 || facts.xtype == "S";
        facts.parentName = Text(row[8]);
        facts.parentOwner = Text(row[9]);
        objects.push_back(std::move(facts));
    }
    return objects;
}

// --- the shared members ----------------------------------------------------

template <class Interface>
void CatalogObject<Interface>::PutName(_bstr_t name)
{
    if (m_facts.link)
        RaiseDmoError(E_ACCESSDENIED, "The name of an existing object is changed by renaming it on the server.");
    m_facts.name = static_cast<const char*>(name);
}

template <class Interface>
const ObjectFacts& CatalogObject<Interface>::Attached() const
{
    if (!m_facts.link)
        RaiseDmoError(kDmoNotInCollection, "The object '" + m_facts.name + "' does not belong to a database.");
    return m_facts;
}

template <class Interface>
std::string CatalogObject<Interface>::QualifiedSelf() const
{
    return QualifiedName(m_facts.owner, m_facts.name);
}

template <class Interface>
std::string CatalogObject<Interface>::QualifiedParent() const
{
    return QualifiedName(m_facts.parentOwner, m_facts.parentName);
}

template <class Interface>
std::string CatalogObject<Interface>::Ask(const std::string& query) const
{
    const ObjectFacts& facts = Attached();
    return facts.link->Scalar(query, facts.database);
}

template <class Interface>
std::string CatalogObject<Interface>::ObjectPropertyText(const char* property) const
{
    return Ask("SELECT OBJECTPROPERTY(" + std::to_string(Attached().id) + ", '" + property + "')");
}

template <class Interface>
std::string CatalogObject<Interface>::ExistsTest()
{
    return "if exists (select * from dbo.sysobjects where id = object_id(" + QuoteLiteral(QualifiedSelf()) + "))";
}

template <class Interface>
_bstr_t CatalogObject<Interface>::Script(long scriptType, const _variant_t& scriptFilePath, long)
{
    Attached();
    const bool drops = (scriptType & SQLDMO::SQLDMOScript_Drops) != 0;
    const bool creates = (scriptType & SQLDMO::SQLDMOScript_PrimaryObject) != 0 || !drops;
    std::string text;
    if (drops)
        text += ExistsTest() + "\r\n" + DropText() + "\r\nGO\r\n\r\n";
    if (creates)
        text += CreateText();
    const std::string path = ArgumentText(scriptFilePath);
    if (!path.empty())
        catalog_detail::WriteScriptFile(path, text);
    return text.c_str();
}

template <class Interface>
void CatalogObject<Interface>::Remove()
{
    const ObjectFacts& facts = Attached();
    facts.link->Run(DropText(), facts.database);
    facts.link->NoteChange();
}

// --- text objects -----------------------------------------------------------

template <class Interface>
std::string TextCatalogObject<Interface>::StoredText() const
{
    const ObjectFacts& facts = this->Attached();
    return StoredObjectText(facts.link, facts.database, facts.id);
}

template <class Interface>
_bstr_t TextCatalogObject<Interface>::GetText()
{
    return StoredText().c_str();
}

template <class Interface>
VARIANT_BOOL TextCatalogObject<Interface>::GetAnsiNullsStatus()
{
    return this->ObjectPropertyText("ExecIsAnsiNullsOn") == "1" || this->ObjectPropertyText("IsAnsiNullsOn") == "1"
               ? VARIANT_TRUE
               : VARIANT_FALSE;
}

template <class Interface>
VARIANT_BOOL TextCatalogObject<Interface>::GetQuotedIdentifierStatus()
{
    return this->ObjectPropertyText("ExecIsQuotedIdentOn") == "1" ||
                   this->ObjectPropertyText("IsQuotedIdentOn") == "1"
               ? VARIANT_TRUE
               : VARIANT_FALSE;
}

template <class Interface>
std::string TextCatalogObject<Interface>::CreateText()
{
    return StoredText() + "\r\nGO\r\n";
}

template <class Interface>
std::string TextCatalogObject<Interface>::DropText()
{
    return std::string("DROP ") + DropWord() + " " + this->QualifiedSelf();
}

template class CatalogObject<SQLDMO::_Column>;
template class CatalogObject<SQLDMO::_Index2>;
template class CatalogObject<SQLDMO::_Key>;
template class CatalogObject<SQLDMO::_Check>;
template class CatalogObject<SQLDMO::_Default>;
template class CatalogObject<SQLDMO::_Rule>;
template class CatalogObject<SQLDMO::_Trigger>;
template class CatalogObject<SQLDMO::_View2>;
template class CatalogObject<SQLDMO::_StoredProcedure>;
template class CatalogObject<SQLDMO::_UserDefinedFunction>;
template class CatalogObject<SQLDMO::_User>;
template class CatalogObject<SQLDMO::_Login>;
template class CatalogObject<SQLDMO::_UserDefinedDatatype>;
template class CatalogObject<SQLDMO::_Table2>;
template class TextCatalogObject<SQLDMO::_Check>;
template class TextCatalogObject<SQLDMO::_Default>;
template class TextCatalogObject<SQLDMO::_Rule>;
template class TextCatalogObject<SQLDMO::_Trigger>;
template class TextCatalogObject<SQLDMO::_View2>;
template class TextCatalogObject<SQLDMO::_StoredProcedure>;
template class TextCatalogObject<SQLDMO::_UserDefinedFunction>;

// --- columns, indexes, keys, checks -----------------------------------------

std::string ColumnObject::CreateText()
{
    return "ALTER TABLE " + QualifiedParent() + " ADD " + ColumnDefinition(Facts().name, m_shape) + "\r\nGO\r\n";
}

std::string ColumnObject::DropText()
{
    return "ALTER TABLE " + QualifiedParent() + " DROP COLUMN " + QuoteName(Facts().name);
}

std::string ColumnObject::ColumnValue(const std::string& expression) const
{
    const ObjectFacts& facts = Attached();
    return Ask("SELECT " + expression + " FROM syscolumns c WHERE c.id = " + std::to_string(facts.parentId) +
               " AND c.colid = " + std::to_string(facts.number));
}

_bstr_t ColumnObject::GetDefault()
{
    // A DEFAULT constraint belongs to its table; a bound default stands alone.
    return ColumnValue("(SELECT o.name FROM sysobjects o WHERE o.id = c.cdefault AND o.xtype = 'D' AND "
                       "o.parent_obj = 0)")
        .c_str();
}

_bstr_t ColumnObject::GetRule()
{
    return ColumnValue("(SELECT o.name FROM sysobjects o WHERE o.id = c.domain AND o.xtype = 'R')").c_str();
}

VARIANT_BOOL ColumnObject::GetIsComputed()
{
    return ColumnValue("c.iscomputed") == "1" ? VARIANT_TRUE : VARIANT_FALSE;
}

_bstr_t ColumnObject::GetComputedText()
{
    if (GetIsComputed() == VARIANT_FALSE)
        return "";
    return ColumnValue("(SELECT m.text FROM syscomments m WHERE m.id = c.id AND m.number = c.colid)").c_str();
}

VARIANT_BOOL ColumnObject::GetIsRowGuidCol()
{
    return ColumnValue("COLUMNPROPERTY(c.id, c.name, 'IsRowGuidCol')") == "1" ? VARIANT_TRUE : VARIANT_FALSE;
}

_bstr_t ColumnObject::GetCollation() { return ColumnValue("c.collation").c_str(); }

void* IndexObject::FindInterface(REFIID riid)
{
    if (IsEqualIID(riid, SQLDMO::IID__Index))
        return static_cast<SQLDMO::_Index*>(this);
    return CatalogObject::FindInterface(riid);
}

long IndexObject::GetType()
{
    const ObjectFacts& facts = Attached();
    long type = (facts.status & 2) ? SQLDMO::SQLDMOIndex_Unique : 0;
    if (facts.number == 1)
        type |= SQLDMO::SQLDMOIndex_Clustered;
    const std::string key = catalog_detail::Trimmed(
        Ask("SELECT xtype FROM sysobjects WHERE parent_obj = " + std::to_string(facts.parentId) +
            " AND name = " + QuoteLiteral(facts.name) + " AND xtype IN ('PK', 'UQ')"));
    if (key == "PK")
        type |= SQLDMO::SQLDMOIndex_DRIPrimaryKey | SQLDMO::SQLDMOIndex_Unique;
    if (key == "UQ")
        type |= SQLDMO::SQLDMOIndex_DRIUniqueKey | SQLDMO::SQLDMOIndex_Unique;
    return type;
}

_bstr_t IndexObject::GetIndexedColumns()
{
    std::string text;
    for (const std::string& name : IndexColumns(catalog_detail::ParentPlaceOf(Attached()), Facts().number))
        text += (text.empty() ? "" : ", ") + QuoteName(name);
    return text.c_str();
}

std::string IndexObject::CreateText()
{
    const long type = GetType();
    const TablePlace table = catalog_detail::ParentPlaceOf(Facts());
    if (type & SQLDMO::SQLDMOIndex_DRIPrimaryKey)
        return "ALTER TABLE " + QualifiedParent() + " ADD " + KeyConstraintClause(table, Facts().name, "PK") +
               "\r\nGO\r\n";
    if (type & SQLDMO::SQLDMOIndex_DRIUniqueKey)
        return "ALTER TABLE " + QualifiedParent() + " ADD " + KeyConstraintClause(table, Facts().name, "UQ") +
               "\r\nGO\r\n";
    std::string text = "CREATE ";
    text += (type & SQLDMO::SQLDMOIndex_Unique) ? "UNIQUE " : "";
    text += (type & SQLDMO::SQLDMOIndex_Clustered) ? "CLUSTERED " : "";
    return text + "INDEX " + QuoteName(Facts().name) + " ON " + QualifiedParent() + " (" +
           static_cast<const char*>(GetIndexedColumns()) + ")\r\nGO\r\n";
}

std::string IndexObject::DropText()
{
    if (GetType() & (SQLDMO::SQLDMOIndex_DRIPrimaryKey | SQLDMO::SQLDMOIndex_DRIUniqueKey))
        return "ALTER TABLE " + QualifiedParent() + " DROP CONSTRAINT " + QuoteName(Facts().name);
    return "DROP INDEX " + QualifiedParent() + "." + QuoteName(Facts().name);
}

SQLDMO::SQLDMO_KEY_TYPE KeyObject::GetType()
{
    const std::string& xtype = Attached().xtype;
    if (xtype == "PK")
        return SQLDMO::SQLDMOKey_Primary;
    if (xtype == "UQ")
        return SQLDMO::SQLDMOKey_Unique;
    if (xtype == "F")
        return SQLDMO::SQLDMOKey_Foreign;
    return SQLDMO::SQLDMOKey_Unknown;
}

namespace catalog_detail {

std::vector<std::string> ReferenceColumns(const ObjectFacts& key, bool referenced)
{
    const auto rows = key.link->Rows(
        "SELECT fkeyid, rkeyid, fkey1, fkey2, fkey3, fkey4, rkey1, rkey2, rkey3, rkey4 FROM sysreferences "
        "WHERE constid = " +
            std::to_string(key.id),
        key.database);
    std::vector<std::string> names;
    if (rows.empty())
        return names;
    const auto& row = rows.front();
    const long tableId = Number(row[referenced ? 1 : 0]);
    for (size_t i = 0; i < 4; ++i) {
        const long colid = Number(row[(referenced ? 6 : 2) + i]);
        if (colid == 0)
            continue;
        names.push_back(key.link->Scalar("SELECT name FROM syscolumns WHERE id = " + std::to_string(tableId) +
                                             " AND colid = " + std::to_string(colid),
                                         key.database));
    }
    return names;
}

} // namespace catalog_detail

SQLDMO::NamesPtr KeyObject::GetKeyColumns()
{
    const ObjectFacts& facts = Attached();
    if (GetType() == SQLDMO::SQLDMOKey_Foreign)
        return SQLDMO::NamesPtr(new NamesObject(catalog_detail::ReferenceColumns(facts, false)), false);
    const TablePlace table = catalog_detail::ParentPlaceOf(facts);
    const long indid = std::strtol(Ask("SELECT indid FROM sysindexes WHERE id = " + std::to_string(facts.parentId) +
                                       " AND name = " + QuoteLiteral(facts.name))
                                       .c_str(),
                                   nullptr, 10);
    return SQLDMO::NamesPtr(new NamesObject(IndexColumns(table, indid)), false);
}

SQLDMO::NamesPtr KeyObject::GetReferencedColumns()
{
    const ObjectFacts& facts = Attached();
    std::vector<std::string> names;
    if (GetType() == SQLDMO::SQLDMOKey_Foreign)
        names = catalog_detail::ReferenceColumns(facts, true);
    return SQLDMO::NamesPtr(new NamesObject(std::move(names)), false);
}

_bstr_t KeyObject::GetReferencedTable()
{
    if (GetType() != SQLDMO::SQLDMOKey_Foreign)
        return "";
    const ObjectFacts& facts = Attached();
    const auto rows = facts.link->Rows("SELECT o.name, user_name(o.uid) FROM sysreferences r JOIN sysobjects o ON "
                                       "o.id = r.rkeyid WHERE r.constid = " +
                                           std::to_string(facts.id),
                                       facts.database);
    if (rows.empty())
        return "";
    return QualifiedName(catalog_detail::Text(rows.front()[1]), catalog_detail::Text(rows.front()[0])).c_str();
}

std::string KeyObject::CreateText()
{
    const TablePlace table = catalog_detail::ParentPlaceOf(Attached());
    const std::string clause = GetType() == SQLDMO::SQLDMOKey_Foreign
                                   ? ForeignKeyClause(table, Facts().name, Facts().id)
                                   : KeyConstraintClause(table, Facts().name, Facts().xtype);
    return "ALTER TABLE " + QualifiedParent() + " ADD " + clause + "\r\nGO\r\n";
}

std::string KeyObject::DropText()
{
    return "ALTER TABLE " + QualifiedParent() + " DROP CONSTRAINT " + QuoteName(Facts().name);
}

std::string CheckObject::CreateText()
{
    std::string text = StoredText();
    if (text.empty() || text.front() != '(')
        text = "(" + text + ")";
    return "ALTER TABLE " + QualifiedParent() + " ADD CONSTRAINT " + QuoteName(Facts().name) + " CHECK " + text +
           "\r\nGO\r\n";
}

std::string CheckObject::DropText()
{
    return "ALTER TABLE " + QualifiedParent() + " DROP CONSTRAINT " + QuoteName(Facts().name);
}

// --- views, procedures, functions --------------------------------------------

void* ViewObject::FindInterface(REFIID riid)
{
    if (IsEqualIID(riid, SQLDMO::IID__View))
        return static_cast<SQLDMO::_View*>(this);
    return TextCatalogObject::FindInterface(riid);
}

SQLDMO::SQLDMO_PROCEDURE_TYPE StoredProcedureObject::GetType()
{
    const std::string& xtype = Attached().xtype;
    if (xtype == "X")
        return SQLDMO::SQLDMOProc_Extended;
    if (xtype == "RF")
        return SQLDMO::SQLDMOProc_ReplicationFilter;
    if (xtype == "P")
        return SQLDMO::SQLDMOProc_Standard;
    return SQLDMO::SQLDMOProc_Unknown;
}

VARIANT_BOOL StoredProcedureObject::GetStartup()
{
    return ObjectPropertyText("ExecIsStartup") == "1" ? VARIANT_TRUE : VARIANT_FALSE;
}

void StoredProcedureObject::PutStartup(VARIANT_BOOL startup)
{
    const ObjectFacts& facts = Attached();
    facts.link->Run("EXEC sp_procoption " + QuoteLiteral(QualifiedSelf()) + ", N'startup', " +
                        (startup ? "N'true'" : "N'false'"),
                    facts.database);
}

std::string StoredProcedureObject::CreateText()
{
    if (GetType() == SQLDMO::SQLDMOProc_Extended) {
        const std::string dll = Ask("SELECT text FROM syscomments WHERE id = " + std::to_string(Facts().id));
        return "EXEC sp_addextendedproc " + QuoteLiteral(QualifiedSelf()) + ", " + QuoteLiteral(dll) + "\r\nGO\r\n";
    }
    std::string text = TextCatalogObject::CreateText();
    if (GetStartup())
        text += "EXEC sp_procoption " + QuoteLiteral(QualifiedSelf()) + ", N'startup', N'true'\r\nGO\r\n";
    return text;
}

std::string StoredProcedureObject::DropText()
{
    if (GetType() == SQLDMO::SQLDMOProc_Extended)
        return "EXEC sp_dropextendedproc " + QuoteLiteral(QualifiedSelf());
    return TextCatalogObject::DropText();
}

SQLDMO::SQLDMO_UDF_TYPE UserDefinedFunctionObject::GetType()
{
    const std::string& xtype = Attached().xtype;
    if (xtype == "FN")
        return SQLDMO::SQLDMOUDF_Scalar;
    if (xtype == "TF")
        return SQLDMO::SQLDMOUDF_Table;
    if (xtype == "IF")
        return SQLDMO::SQLDMOUDF_Inline;
    return SQLDMO::SQLDMOUDF_Unknown;
}

// --- users and the plain creatable objects ------------------------------------

std::string UserObject::CreateText()
{
    return "EXEC sp_grantdbaccess " + QuoteLiteral(m_login) + ", " + QuoteLiteral(Facts().name) + "\r\nGO\r\n";
}

void UserObject::PutLogin(_bstr_t login)
{
    if (!Detached())
        RaiseDmoError(E_ACCESSDENIED, "The login of an existing user cannot be changed.");
    m_login = static_cast<const char*>(login);
}

void UserObject::JoinDatabase(ObjectFacts facts, std::string login)
{
    Adopt(std::move(facts));
    m_login = std::move(login);
}

std::string UserObject::DropText() { return "EXEC sp_revokedbaccess " + QuoteLiteral(Facts().name); }

std::string LoginObject::CreateText()
{
    return "EXEC sp_addlogin " + QuoteLiteral(Facts().name) + "\r\nGO\r\n";
}

std::string LoginObject::DropText() { return "EXEC sp_droplogin " + QuoteLiteral(Facts().name); }

std::string UserDefinedDatatypeObject::CreateText()
{
    RaiseDmoError(E_NOTIMPL, "Scripting a user-defined data type is not supported.");
}

std::string UserDefinedDatatypeObject::DropText() { return "EXEC sp_droptype " + QuoteLiteral(Facts().name); }

// --- tables --------------------------------------------------------------------

void* TableObject::FindInterface(REFIID riid)
{
    if (IsEqualIID(riid, SQLDMO::IID__Table))
        return static_cast<SQLDMO::_Table*>(this);
    return CatalogObject::FindInterface(riid);
}

ObjectFacts TableObject::MemberFacts() const
{
    ObjectFacts facts = Attached();
    facts.parentId = facts.id;
    facts.parentName = facts.name;
    facts.parentOwner = facts.owner;
    return facts;
}

SQLDMO::ColumnsPtr TableObject::GetColumns()
{
    const ObjectFacts parent = MemberFacts();
    auto loader = [parent] {
        std::vector<SQLDMO::_ColumnPtr> items;
        for (const TableColumn& column : LoadTableColumns(catalog_detail::PlaceOf(parent))) {
            ObjectFacts facts = parent;
            facts.name = column.name;
            facts.number = column.colid;
            items.emplace_back(new ColumnObject(facts, column.shape), false);
        }
        return items;
    };
    return SQLDMO::ColumnsPtr(new CollectionObject<SQLDMO::Columns>("Columns", loader), false);
}

SQLDMO::IndexesPtr TableObject::GetIndexes()
{
    const ObjectFacts parent = MemberFacts();
    auto loader = [parent] {
        std::vector<SQLDMO::_IndexPtr> items;
        const auto rows = parent.link->Rows("SELECT name, indid, status FROM sysindexes WHERE id = " +
                                                std::to_string(parent.id) +
                                                " AND indid BETWEEN 1 AND 254 ORDER BY indid",
                                            parent.database);
        for (const auto& row : rows) {
            ObjectFacts facts = parent;
            facts.name = catalog_detail::Text(row[0]);
            facts.number = catalog_detail::Number(row[1]);
            facts.status = catalog_detail::Number(row[2]);
            if (facts.status & 64)
                continue;
            items.emplace_back(static_cast<SQLDMO::_Index*>(new IndexObject(facts)), false);
        }
        return items;
    };
    return SQLDMO::IndexesPtr(new CollectionObject<SQLDMO::Indexes>("Indexes", loader), false);
}

namespace catalog_detail {

template <class Object, class ItemPtr>
std::vector<ItemPtr> MembersOfKind(const ObjectFacts& parent, const std::string& xtypes)
{
    std::vector<ItemPtr> items;
    for (ObjectFacts& facts :
         LoadCatalogObjects(parent.link, parent.database,
                            "o.parent_obj = " + std::to_string(parent.id) + " AND o.xtype IN (" + xtypes + ")")) {
        facts.parentName = parent.name;
        facts.parentOwner = parent.owner;
        items.emplace_back(new Object(std::move(facts)), false);
    }
    return items;
}

} // namespace catalog_detail

SQLDMO::KeysPtr TableObject::GetKeys()
{
    const ObjectFacts parent = MemberFacts();
    auto loader = [parent] {
        return catalog_detail::MembersOfKind<KeyObject, SQLDMO::_KeyPtr>(parent, "'PK', 'UQ', 'F '");
    };
    return SQLDMO::KeysPtr(new CollectionObject<SQLDMO::Keys>("Keys", loader), false);
}

SQLDMO::ChecksPtr TableObject::GetChecks()
{
    const ObjectFacts parent = MemberFacts();
    auto loader = [parent] { return catalog_detail::MembersOfKind<CheckObject, SQLDMO::_CheckPtr>(parent, "'C '"); };
    return SQLDMO::ChecksPtr(new CollectionObject<SQLDMO::Checks>("Checks", loader), false);
}

SQLDMO::TriggersPtr TableObject::GetTriggers()
{
    const ObjectFacts parent = MemberFacts();
    auto loader = [parent] {
        return catalog_detail::MembersOfKind<TriggerObject, SQLDMO::_TriggerPtr>(parent, "'TR'");
    };
    return SQLDMO::TriggersPtr(new CollectionObject<SQLDMO::Triggers>("Triggers", loader), false);
}

long TableObject::GetRows()
{
    return std::strtol(Ask("SELECT COUNT(*) FROM " + QualifiedSelf()).c_str(), nullptr, 10);
}

void TableObject::RecalcSpaceUsage()
{
    // The space figures are read fresh on every request; checking that the
    // table still exists is all there is to do.
    if (Ask("SELECT object_id(" + QuoteLiteral(QualifiedSelf()) + ")").empty())
        RaiseDmoError(kDmoNameNotFound, "The table " + QualifiedSelf() + " no longer exists.");
}

namespace catalog_detail {

SQLDMO::SQLDMO_PRIVILEGE_TYPE PrivilegeOfAction(long action)
{
    switch (action) {
    case 193: return SQLDMO::SQLDMOPriv_Select;
    case 195: return SQLDMO::SQLDMOPriv_Insert;
    case 197: return SQLDMO::SQLDMOPriv_Update;
    case 196: return SQLDMO::SQLDMOPriv_Delete;
    case 224: return SQLDMO::SQLDMOPriv_Execute;
    case 26: return SQLDMO::SQLDMOPriv_References;
    default: return SQLDMO::SQLDMOPriv_Unknown;
    }
}

} // namespace catalog_detail

SQLDMO::SQLObjectListPtr TableObject::Permissions(const std::string& condition, long privilegeTypes)
{
    const ObjectFacts& facts = Attached();
    const auto rows = facts.link->Rows("SELECT user_name(uid), action, protecttype FROM sysprotects WHERE id = " +
                                           std::to_string(facts.id) + condition + " ORDER BY uid, action",
                                       facts.database);
    std::vector<IUnknownPtr> items;
    for (const auto& row : rows) {
        PermissionFacts permission;
        permission.privilege = catalog_detail::PrivilegeOfAction(catalog_detail::Number(row[1]));
        if ((permission.privilege & privilegeTypes) == 0)
            continue;
        permission.grantee = catalog_detail::Text(row[0]);
        permission.granted = catalog_detail::Number(row[2]) != 206;
        permission.objectName = facts.name;
        permission.objectOwner = facts.owner;
        items.emplace_back(static_cast<SQLDMO::_Permission*>(new PermissionObject(permission)), false);
    }
    return SQLDMO::SQLObjectListPtr(new ObjectListObject(std::move(items)), false);
}

SQLDMO::SQLObjectListPtr TableObject::ListPermissions(long privilegeTypes) { return Permissions("", privilegeTypes); }

SQLDMO::SQLObjectListPtr TableObject::ListUserPermissions(_bstr_t userName)
{
    return Permissions(" AND user_name(uid) = " + QuoteLiteral(static_cast<const char*>(userName)),
                       SQLDMO::SQLDMOPriv_AllObjectPrivs);
}

std::string TableObject::CreateText()
{
    const bool withKeys = (m_scriptType & SQLDMO::SQLDMOScript_NoDRI) == 0;
    std::string text = ScriptTable(catalog_detail::PlaceOf(Attached()), withKeys);
    if ((m_scriptType & SQLDMO::SQLDMOScript_Triggers) == 0)
        return text;
    const ObjectFacts parent = MemberFacts();
    for (const auto& trigger : catalog_detail::MembersOfKind<TriggerObject, SQLDMO::_TriggerPtr>(parent, "'TR'"))
        text += "\r\n" + std::string(static_cast<const char*>(trigger->Script(SQLDMO::SQLDMOScript_PrimaryObject)));
    return text;
}

_bstr_t TableObject::Script(long scriptType, const _variant_t& scriptFilePath, long script2Type)
{
    m_scriptType = scriptType;
    return CatalogObject::Script(scriptType, scriptFilePath, script2Type);
}

std::string TableObject::DropText() { return "DROP TABLE " + QualifiedSelf(); }

} // namespace tw::dmo
