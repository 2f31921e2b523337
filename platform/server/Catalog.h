// The catalogue of one database, shaped as SQL Server's: the server's own
// tables (tw_objects, tw_columns, ...) hold the facts, and views named as the
// system tables (sysobjects, syscolumns, ...) show them with SQL Server's
// columns. Every database file carries its own; master adds the server-wide
// ones (sysdatabases, syslogins).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/server/TypeSpec.h"

struct sqlite3;

namespace tw::server {

struct CatalogColumn {
    std::string name;
    TypeSpec type;
    bool nullable = true;
    bool identity = false;
    bool output = false; // procedure parameters
    int64_t defaultId = 0;
};

class Catalog {
public:
    // While one lives on a thread, objects found by Resolve are remembered, so
    // that a statement looking its table up many times asks SQLite once. It
    // is for statements that change no catalogue: DML, not DDL, triggers or
    // procedures, which open a Suspension for their run.
    class LookupMemo {
    public:
        LookupMemo();
        ~LookupMemo();
        LookupMemo(const LookupMemo&) = delete;
        LookupMemo& operator=(const LookupMemo&) = delete;
        class Suspension {
        public:
            Suspension();
            ~Suspension();
            Suspension(const Suspension&) = delete;
            Suspension& operator=(const Suspension&) = delete;

        private:
            LookupMemo* suspended_;
        };

        // Whether lookups are being remembered on this thread now.
        static bool Active();
        // Other facts of the catalogue remembered under a key of the caller's
        // (null when none is, or no memo is active), and remembering one.
        static const std::vector<int64_t>* Recall(const std::string& key);
        static void Remember(const std::string& key, std::vector<int64_t> facts);

    private:
        friend class Catalog;
        LookupMemo* outer_;
        std::map<std::string, int64_t> found_;
        std::map<std::string, std::string> storage_;                   // schema, id -> storage name
        std::map<std::string, std::vector<CatalogColumn>> columns_;    // schema, id -> columns
        std::map<std::string, std::vector<int64_t>> facts_;
    };

    // Object types as sysobjects.xtype spells them (two characters, blank padded).
    static constexpr const char* kTable = "U ";
    static constexpr const char* kView = "V ";
    static constexpr const char* kProcedure = "P ";
    static constexpr const char* kScalarFunction = "FN";
    static constexpr const char* kInlineFunction = "IF";
    static constexpr const char* kTableFunction = "TF";
    static constexpr const char* kTrigger = "TR";
    static constexpr const char* kPrimaryKey = "PK";
    static constexpr const char* kUnique = "UQ";
    static constexpr const char* kForeignKey = "F ";
    static constexpr const char* kCheck = "C ";
    static constexpr const char* kDefault = "D ";
    static constexpr const char* kRule = "R ";
    static constexpr const char* kSystemTable = "S ";
    static constexpr int kDboUid = 1;
    static constexpr int kGuestUid = 2;

    Catalog(sqlite3* db, std::string schema);

    // Creates the catalogue on a new database file (nothing when present).
    void Install(bool isMaster, const std::string& fileName);

    int64_t AddObject(const std::string& name, const std::string& xtype, int64_t parent = 0, int uid = kDboUid);
    void AddColumns(int64_t id, const std::vector<CatalogColumn>& columns);
    void SetText(int64_t id, const std::string& text);
    void AddDependency(int64_t id, int64_t dependsOn);
    void AddIndex(int64_t tableId, int indid, const std::string& name, bool unique, bool clustered,
                  const std::vector<int>& columnIds, const std::string& sqliteName);
    void AddReference(int64_t constraintId, int64_t fromTable, int64_t toTable, const std::vector<int>& fromColumns,
                      const std::vector<int>& toColumns);
    void DropObject(int64_t id);

    // dbo's object of that name; 0 when there is none (optionally of one of the given types).
    int64_t ObjectId(const std::string& name, const std::string& xtypes = "") const;
    // Resolves as the server does: the named owner's object, or without an owner
    // the caller's own first and then dbo's. 0 when there is none.
    int64_t Resolve(const std::string& owner, const std::string& name, const std::string& xtypes = "",
                    int callerUid = kDboUid) const;
private:
    int64_t ResolveStored(const std::string& owner, const std::string& name, const std::string& xtypes,
                          int callerUid) const;

public:
    int ObjectUid(int64_t id) const;
    // The SQLite table or view behind an object: its own name for dbo, "owner.name" otherwise,
    // so that one name under two owners stays two objects.
    std::string StorageName(int64_t id) const;
    std::string StoredName(int64_t id) const;             // StorageName without the memo
    std::string StorageName(int uid, const std::string& name) const;
    // The user table stored under a SQLite name StorageName gave; 0 when none.
    int64_t StoredTableId(const std::string& storage) const;
    bool HasClusteredIndex(int64_t tableId) const;

    // Users of the database; -1 when there is no such user.
    int UserId(const std::string& name) const;
    std::string UserName(int uid) const;
    int AddUser(const std::string& name, const std::string& login);
    // The user a login acts as: sa is dbo; another login is the user made for
    // it, or guest when it has none.
    int LoginUid(const std::string& login) const;
    // The user made for a login; -1 when there is none.
    int UserOfLogin(const std::string& login) const;
    void DropUser(int uid);
    std::string ObjectName(int64_t id) const;
    std::string ObjectType(int64_t id) const;
    // sp_MS_marksystemobject: the object counts as shipped with the server (IsMSShipped).
    void MarkSystem(int64_t id);
    bool IsMarkedSystem(int64_t id) const;
    std::string Text(int64_t id) const;
    std::vector<CatalogColumn> Columns(int64_t id) const;
    std::vector<CatalogColumn> StoredColumns(int64_t id) const; // Columns without the memo
    // A type sp_addtype made: its base type with userType set; false when `type` names none.
    bool ResolveUserType(TypeSpec& type) const;
    // sp_addtype gives the new type its xusertype; a type a column or parameter uses cannot be dropped.
    int AddUserType(const std::string& name, const TypeSpec& base, bool allowNulls);
    bool TypeInUse(int userType) const;
    void DropUserType(int userType);
    int ColumnId(int64_t tableId, const std::string& column) const;
    // The SQL Server type of a table's column, for result sets.
    bool ColumnType(const std::string& table, const std::string& column, TypeSpec* type, bool* nullable) const;

    const std::string& Schema() const { return schema_; }
    std::string Table(const std::string& name) const; // "schema"."name"

    static std::string Now();

private:
    void AddUserLogins();
    void InstallServerValues();
    void AddSystemTable(const std::string& name);

    sqlite3* db_;
    std::string schema_;
};

} // namespace tw::server
