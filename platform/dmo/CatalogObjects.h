// The objects kept in a database's catalogue: tables and what belongs to
// them (columns, indexes, keys, checks, triggers), views, procedures,
// functions, defaults, rules, users. Each keeps the catalogue row it was
// read from and asks the server for the rest when asked.
#pragma once

#include <string>
#include <vector>

#include "platform/com/Unknown.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/dmo/ServerLink.h"
#include "platform/dmo/TableScripter.h"

namespace tw::dmo {

// Where an object lives and what its catalogue row said.
struct ObjectFacts {
    ServerLinkRef link;
    std::string database;
    std::string name;
    std::string owner;
    long id = 0;
    std::string createDate;
    std::string xtype;
    bool systemObject = false;
    // The table an index, key, check, trigger or column belongs to.
    long parentId = 0;
    std::string parentName;
    std::string parentOwner;
    // Index number, column number or key type, by kind.
    long number = 0;
    long status = 0;
};

// Reads the sysobjects rows of a database matching the condition (on the
// alias o), in name order.
std::vector<ObjectFacts> LoadCatalogObjects(const ServerLinkRef& link, const std::string& database,
                                            const std::string& condition);

// The members every catalogue object shares; the kinds add their own.
template <class Interface>
class CatalogObject : public tw::ComObject<Interface> {
public:
    CatalogObject() = default;
    explicit CatalogObject(ObjectFacts facts) : m_facts(std::move(facts)) {}

    _bstr_t GetName() override { return m_facts.name.c_str(); }
    void PutName(_bstr_t name) override;
    _bstr_t GetOwner() override { return m_facts.owner.c_str(); }
    long GetID() override { return Attached().id; }
    _bstr_t GetCreateDate() override { return Attached().createDate.c_str(); }
    VARIANT_BOOL GetSystemObject() override { return Attached().systemObject ? VARIANT_TRUE : VARIANT_FALSE; }
    _bstr_t Script(long scriptType, const _variant_t& scriptFilePath, long script2Type) override;
    void Remove() override;

protected:
    // The facts of an object that belongs to a database; raises otherwise.
    const ObjectFacts& Attached() const;
    const ObjectFacts& Facts() const { return m_facts; }
    void Adopt(ObjectFacts facts) { m_facts = std::move(facts); }
    std::string QualifiedSelf() const;
    std::string QualifiedParent() const;
    // One value read from the object's database.
    std::string Ask(const std::string& query) const;
    std::string ObjectPropertyText(const char* property) const;

    virtual std::string CreateText() = 0;
    virtual std::string DropText() = 0;
    // For the existence test of a dropping script: sysobjects' xtype.
    virtual std::string ExistsTest();

private:
    ObjectFacts m_facts;
};

// Objects whose definition is text in syscomments.
template <class Interface>
class TextCatalogObject : public CatalogObject<Interface> {
public:
    using CatalogObject<Interface>::CatalogObject;

    _bstr_t GetText() override;
    VARIANT_BOOL GetAnsiNullsStatus() override;
    VARIANT_BOOL GetQuotedIdentifierStatus() override;

protected:
    std::string StoredText() const;
    std::string CreateText() override;
    std::string DropText() override;
    virtual const char* DropWord() const = 0;
};

class ColumnObject final : public CatalogObject<SQLDMO::_Column> {
public:
    using Shape = ColumnShape;
    ColumnObject() = default;
    ColumnObject(ObjectFacts facts, Shape shape) : CatalogObject(std::move(facts)), m_shape(std::move(shape)) {}

    _bstr_t GetDatatype() override { return m_shape.datatype.c_str(); }
    long GetLength() override { return m_shape.length; }
    long GetNumericPrecision() override { return m_shape.precision; }
    long GetNumericScale() override { return m_shape.scale; }
    VARIANT_BOOL GetAllowNulls() override { return m_shape.allowNulls ? VARIANT_TRUE : VARIANT_FALSE; }
    VARIANT_BOOL GetIdentity() override { return m_shape.identity ? VARIANT_TRUE : VARIANT_FALSE; }
    long GetIdentitySeed() override { return m_shape.identity ? (long)m_shape.identitySeed : 0; }
    long GetIdentityIncrement() override { return m_shape.identity ? (long)m_shape.identityIncrement : 0; }
    _bstr_t GetDefault() override;
    _bstr_t GetRule() override;
    VARIANT_BOOL GetIsComputed() override;
    _bstr_t GetComputedText() override;
    VARIANT_BOOL GetIsRowGuidCol() override;
    _bstr_t GetCollation() override;

protected:
    std::string CreateText() override;
    std::string DropText() override;

private:
    // One value of the column's syscolumns row.
    std::string ColumnValue(const std::string& expression) const;
    Shape m_shape;
};

class IndexObject final : public CatalogObject<SQLDMO::_Index2> {
public:
    using CatalogObject::CatalogObject;

    long GetType() override;
    _bstr_t GetIndexedColumns() override;

protected:
    std::string CreateText() override;
    std::string DropText() override;
    void* FindInterface(REFIID riid) override;
};

class KeyObject final : public CatalogObject<SQLDMO::_Key> {
public:
    using CatalogObject::CatalogObject;

    SQLDMO::SQLDMO_KEY_TYPE GetType() override;
    SQLDMO::NamesPtr GetKeyColumns() override;
    SQLDMO::NamesPtr GetReferencedColumns() override;
    _bstr_t GetReferencedTable() override;
    VARIANT_BOOL GetExcludeReplication() override { return VARIANT_FALSE; }

protected:
    std::string CreateText() override;
    std::string DropText() override;
};

class CheckObject final : public TextCatalogObject<SQLDMO::_Check> {
public:
    using TextCatalogObject::TextCatalogObject;
    VARIANT_BOOL GetExcludeReplication() override { return VARIANT_FALSE; }

protected:
    std::string CreateText() override;
    std::string DropText() override;
    const char* DropWord() const override { return "CONSTRAINT"; }
};

#define TW_DMO_TEXT_OBJECT(Class, Interface, Word)                           \
    class Class final : public TextCatalogObject<Interface> {               \
    public:                                                                  \
        using TextCatalogObject::TextCatalogObject;                          \
                                                                             \
    protected:                                                               \
        const char* DropWord() const override { return Word; }               \
    }

TW_DMO_TEXT_OBJECT(DefaultObject, SQLDMO::_Default, "DEFAULT");
TW_DMO_TEXT_OBJECT(RuleObject, SQLDMO::_Rule, "RULE");
TW_DMO_TEXT_OBJECT(TriggerObject, SQLDMO::_Trigger, "TRIGGER");

class ViewObject final : public TextCatalogObject<SQLDMO::_View2> {
public:
    using TextCatalogObject::TextCatalogObject;

protected:
    const char* DropWord() const override { return "VIEW"; }
    void* FindInterface(REFIID riid) override;
};

class StoredProcedureObject final : public TextCatalogObject<SQLDMO::_StoredProcedure> {
public:
    using TextCatalogObject::TextCatalogObject;

    SQLDMO::SQLDMO_PROCEDURE_TYPE GetType() override;
    VARIANT_BOOL GetStartup() override;
    void PutStartup(VARIANT_BOOL startup) override;

protected:
    std::string CreateText() override;
    std::string DropText() override;
    const char* DropWord() const override { return "PROCEDURE"; }
};

class UserDefinedFunctionObject final : public TextCatalogObject<SQLDMO::_UserDefinedFunction> {
public:
    using TextCatalogObject::TextCatalogObject;

    SQLDMO::SQLDMO_UDF_TYPE GetType() override;

protected:
    const char* DropWord() const override { return "FUNCTION"; }
};

class UserObject final : public CatalogObject<SQLDMO::_User> {
public:
    UserObject() = default;
    UserObject(ObjectFacts facts, std::string login) : CatalogObject(std::move(facts)), m_login(std::move(login)) {}

    _bstr_t GetLogin() override { return m_login.c_str(); }
    void PutLogin(_bstr_t login) override;

    // For Users.Add: whether the user is still on its own, and then taking
    // the catalogue row it was added as.
    bool Detached() const { return !Facts().link; }
    void JoinDatabase(ObjectFacts facts, std::string login);

protected:
    std::string CreateText() override;
    std::string DropText() override;

private:
    std::string m_login;
};

// Creatable objects the model offers that have nothing of their own yet.
class LoginObject final : public CatalogObject<SQLDMO::_Login> {
protected:
    std::string CreateText() override;
    std::string DropText() override;
};

class UserDefinedDatatypeObject final : public CatalogObject<SQLDMO::_UserDefinedDatatype> {
protected:
    std::string CreateText() override;
    std::string DropText() override;
};

class TableObject final : public CatalogObject<SQLDMO::_Table2> {
public:
    using CatalogObject::CatalogObject;

    SQLDMO::ColumnsPtr GetColumns() override;
    SQLDMO::IndexesPtr GetIndexes() override;
    SQLDMO::KeysPtr GetKeys() override;
    SQLDMO::ChecksPtr GetChecks() override;
    SQLDMO::TriggersPtr GetTriggers() override;
    long GetRows() override;
    void RecalcSpaceUsage() override;
    SQLDMO::SQLObjectListPtr ListPermissions(long privilegeTypes) override;
    SQLDMO::SQLObjectListPtr ListUserPermissions(_bstr_t userName) override;
    _bstr_t Script(long scriptType, const _variant_t& scriptFilePath, long script2Type) override;

protected:
    std::string CreateText() override;
    std::string DropText() override;
    void* FindInterface(REFIID riid) override;

private:
    long m_scriptType = SQLDMO::SQLDMOScript_Default;
    SQLDMO::SQLObjectListPtr Permissions(const std::string& condition, long privilegeTypes);
    ObjectFacts MemberFacts() const;
};

} // namespace tw::dmo
