#include "platform/server/SystemProcedures.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

#include "platform/server/BufferedSink.h"
#include "platform/server/Catalog.h"
#include "platform/server/Executor.h"
#include "platform/server/ObjectName.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"
#include "platform/server/SqlError.h"
#include "platform/server/SqlFunctions.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/SystemViews.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace sysproc_detail {

std::string Lowered(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

ColumnInfo Column(const std::string& name, const std::string& type, int size, bool nullable)
{
    ColumnInfo c;
    c.name = name;
    c.typeName = type;
    c.size = size;
    c.nullable = nullable;
    if (type == "int") { c.size = 4; c.precision = 10; }
    if (type == "smallint") { c.size = 2; c.precision = 5; }
    return c;
}

Value TextOrNull(const std::string& s) { return s.empty() ? Value::Null() : Value::String(s); }

int OdbcType(const TypeSpec& t)
{
    static const std::pair<const char*, int> codes[] = {
        {"int", 4}, {"smallint", 5}, {"tinyint", -6}, {"bigint", -5}, {"bit", -7}, {"varchar", 12}, {"char", 1},
        {"nvarchar", -9}, {"nchar", -8}, {"sysname", -9}, {"text", -1}, {"ntext", -10}, {"datetime", 11},
        {"smalldatetime", 11}, {"decimal", 3}, {"numeric", 2}, {"money", 3}, {"smallmoney", 3}, {"float", 6},
        {"real", 7}, {"binary", -2}, {"varbinary", -3}, {"image", -4}, {"uniqueidentifier", -11},
        {"timestamp", -2}, {"sql_variant", -150}};
    for (const auto& [name, code] : codes)
        if (t.name == name)
            return code;
    return 0;
}

const char* TypeDescription(const std::string& xtype)
{
    if (xtype == "U ") return "user table";
    if (xtype == "S ") return "system table";
    if (xtype == "V ") return "view";
    if (xtype == "P ") return "stored procedure";
    if (xtype == "FN") return "scalar function";
    if (xtype == "IF") return "inline function";
    if (xtype == "TR") return "trigger";
    if (xtype == "D ") return "default";
    if (xtype == "R ") return "rule";
    if (xtype == "X ") return "extended stored proc";
    if (xtype == "PK") return "primary key cns";
    if (xtype == "F ") return "foreign key cns";
    if (xtype == "C ") return "check cns";
    return "unknown";
}

} // namespace sysproc_detail

SystemProcedures::SystemProcedures(Executor& executor) : x_(executor) {}

bool SystemProcedures::Has(const std::string& n)
{
    static const std::set<std::string> names = {
        "sp_help", "sp_helptext", "sp_helpdb", "sp_who", "sp_who2", "sp_rename", "sp_recompile", "sp_refreshview",
        "sp_tableoption", "sp_sproc_columns", "sp_helpextendedproc", "sp_addextendedproperty",
        "sp_updateextendedproperty", "sp_dropextendedproperty", "sp_msobjsearch", "xp_cmdshell", "sp_databases",
        "sp_tables", "sp_executesql", "sp_addextendedproc", "sp_dropextendedproc", "sp_addtype", "sp_droptype",
        "sp_ms_marksystemobject", "sp_dboption", "sp_helpindex", "sp_spaceused", "sp_lock", "sp_helpconstraint",
        "sp_columns", "sp_depends", "sp_configure", "sp_helpfile", "sp_helptrigger", "sp_stored_procedures", "sp_helpuser", "sp_pkeys", "sp_fkeys", "sp_msforeachtable",
        "sp_msforeachdb"};
    return names.count(n) > 0;
}

Value SystemProcedures::Arg(const Args& args, size_t position, const std::string& name) const
{
    for (const auto& [n, v] : args)
        if (!n.empty() && n == name)
            return v;
    if (position < args.size() && args[position].first.empty())
        return args[position].second;
    return Value::Null();
}

std::string SystemProcedures::Text(const Args& args, size_t position, const std::string& name) const
{
    const Value v = Arg(args, position, name);
    return v.IsNull() ? std::string() : v.ToText();
}

int SystemProcedures::Run(const std::string& n, const Args& args, const std::vector<ExecArgument>&)
{
    if (n == "sp_help") return Help(args);
    if (n == "sp_helptext") return HelpText(args);
    if (n == "sp_helpdb") return HelpDb(args);
    if (n == "sp_who" || n == "sp_who2") return Who(args);
    if (n == "sp_rename") return Rename(args);
    if (n == "sp_recompile") return Recompile(args);
    if (n == "sp_refreshview") return RefreshView(args);
    if (n == "sp_tableoption") return TableOption(args);
    if (n == "sp_sproc_columns") return SprocColumns(args);
    if (n == "sp_helpextendedproc") return HelpExtendedProc(args);
    if (n == "sp_addextendedproc") return AddExtendedProc(args);
    if (n == "sp_dropextendedproc") return DropExtendedProc(args);
    if (n == "sp_addextendedproperty") return ExtendedProperty("add", args);
    if (n == "sp_updateextendedproperty") return ExtendedProperty("update", args);
    if (n == "sp_dropextendedproperty") return ExtendedProperty("drop", args);
    if (n == "sp_msobjsearch") return ObjectSearch(args);
    if (n == "sp_databases") return Databases(args);
    if (n == "sp_tables") return Tables(args);
    if (n == "sp_executesql") return ExecuteSql(args);
    if (n == "sp_addtype") return AddType(args);
    if (n == "sp_droptype") return DropType(args);
    if (n == "sp_ms_marksystemobject") return MarkSystemObject(args);
    if (n == "sp_dboption") return DbOption(args);
    if (n == "sp_helpindex") return HelpIndex(args);
    if (n == "sp_spaceused") return SpaceUsed(args);
    if (n == "sp_lock") return Lock(args);
    if (n == "sp_helpconstraint") return HelpConstraint(args);
    if (n == "sp_columns") return Columns(args);
    if (n == "sp_depends") return Depends(args);
    if (n == "sp_configure") return Configure(args);
    if (n == "sp_helpfile") return HelpFile(args);
    if (n == "sp_helptrigger") return HelpTrigger(args);
    if (n == "sp_stored_procedures") return StoredProcedures(args);
    if (n == "sp_helpuser") return HelpUser(args);
    if (n == "sp_pkeys") return PrimaryKeys(args);
    if (n == "sp_fkeys") return ForeignKeys(args);
    if (n == "sp_msforeachtable") return ForEach(false, args);
    if (n == "sp_msforeachdb") return ForEach(true, args);
    if (n == "xp_cmdshell") {
        SqlError e(15281, 16, "SQL Server blocked access to procedure 'sys.xp_cmdshell' of component 'xp_cmdshell' "
                              "because this component is turned off as part of the security configuration for this "
                              "server. A system administrator can enable the use of 'xp_cmdshell' by using "
                              "sp_configure. For more information about enabling 'xp_cmdshell', see \"Surface Area "
                              "Configuration\" in SQL Server Books Online.");
        throw e;
    }
    throw SqlError::NoProcedure(n);
}

int SystemProcedures::Help(const Args& args)
{
    SessionState& s = x_.Session();
    Catalog catalog(s.db, s.database);
    const std::string object = Text(args, 0, "@objname");
    if (object.empty()) {
        x_.StreamQuery("SELECT name AS Name, CASE WHEN uid = 1 THEN 'dbo' ELSE 'dbo' END AS Owner, "
                       "CASE xtype WHEN 'U ' THEN 'user table' WHEN 'S ' THEN 'system table' WHEN 'V ' THEN 'view' "
                       "WHEN 'P ' THEN 'stored procedure' WHEN 'FN' THEN 'scalar function' WHEN 'IF' THEN "
                       "'inline function' WHEN 'TR' THEN 'trigger' WHEN 'D ' THEN 'default' WHEN 'R ' THEN 'rule' "
                       "WHEN 'X ' THEN 'extended stored proc' WHEN 'PK' THEN 'primary key cns' WHEN 'F ' THEN "
                       "'foreign key cns' WHEN 'C ' THEN 'check cns' ELSE 'unknown' END AS Object_type FROM " +
                           catalog.Table("tw_objects") + " WHERE parent_obj = 0 ORDER BY xtype, name",
                       {}, {TypeSpec{"nvarchar", 128}, TypeSpec{"nvarchar", 128}, TypeSpec{"nvarchar", 31}});
        return 0;
    }
    const ObjectName name = ObjectName::Parse(object);
    const int64_t id = catalog.ObjectId(name.name);
    if (!id)
        throw SqlError(15009, 16, "The object '" + object + "' does not exist in database '" + s.database + "'.");
    const std::string xtype = catalog.ObjectType(id);
    SqliteStatement created(s.db, "SELECT crdate FROM " + catalog.Table("tw_objects") + " WHERE id = ?");
    created.Bind(1, id).Step();
    x_.SendResult({sysproc_detail::Column("Name", "nvarchar", 256), sysproc_detail::Column("Owner", "nvarchar", 256),
                   sysproc_detail::Column("Type", "nvarchar", 62), sysproc_detail::Column("Created_datetime", "datetime", 8)},
                  {{Value::String(catalog.ObjectName(id)), Value::String("dbo"),
                    Value::String(sysproc_detail::TypeDescription(xtype)), Value::DateTime(created.Text(0))}});
    const std::vector<CatalogColumn> columns = catalog.Columns(id);
    if (xtype == "U " || xtype == "V " || xtype == "S ") {
        std::vector<Row> rows;
        SqliteStatement userType(s.db, "SELECT name FROM " + catalog.Table("tw_types") + " WHERE xusertype = ?");
        for (const CatalogColumn& c : columns) {
            const bool exact = c.type.IsExactNumeric() || c.type.IsInteger() || c.type.IsApproximate();
            // A user type's column shows the user type, as SQL Server's does.
            std::string typeName = c.type.name;
            if (c.type.userType) {
                userType.Bind(1, int64_t{c.type.userType});
                if (userType.Step())
                    typeName = userType.Text(0);
                userType.Reset();
            }
            rows.push_back({Value::String(c.name), Value::String(typeName), Value::String("no"),
                            Value::Int(c.type.StorageLength()),
                            exact ? Value::String(std::to_string(c.type.Precision())) : Value::String("     "),
                            exact ? Value::String(std::to_string(c.type.Scale())) : Value::String("     "),
                            Value::String(c.nullable ? "yes" : "no"),
                            Value::String(c.type.IsCharacter() || c.type.IsBinary() ? "no" : "(n/a)"),
                            Value::String(c.type.IsCharacter() || c.type.IsBinary() ? "no" : "(n/a)"),
                            c.type.IsCharacter() ? Value::String("SQL_Latin1_General_CP1_CI_AS") : Value::Null()});
        }
        x_.SendResult({sysproc_detail::Column("Column_name", "nvarchar", 256), sysproc_detail::Column("Type", "nvarchar", 256),
                       sysproc_detail::Column("Computed", "varchar", 35), sysproc_detail::Column("Length", "int", 4),
                       sysproc_detail::Column("Prec", "char", 5), sysproc_detail::Column("Scale", "char", 5),
                       sysproc_detail::Column("Nullable", "varchar", 35),
                       sysproc_detail::Column("TrimTrailingBlanks", "varchar", 35),
                       sysproc_detail::Column("FixedLenNullInSource", "varchar", 35),
                       sysproc_detail::Column("Collation", "nvarchar", 256)},
                      rows);
        std::string identity;
        for (const CatalogColumn& c : columns)
            if (c.identity)
                identity = c.name;
        x_.SendResult({sysproc_detail::Column("Identity", "nvarchar", 256), sysproc_detail::Column("Seed", "numeric", 17),
                       sysproc_detail::Column("Increment", "numeric", 17),
                       sysproc_detail::Column("Not For Replication", "int", 4)},
                      {{Value::String(identity.empty() ? "No identity column defined." : identity),
                        identity.empty() ? Value::Null() : Value::Decimal("1"),
                        identity.empty() ? Value::Null() : Value::Decimal("1"),
                        identity.empty() ? Value::Null() : Value::Int(0)}});
        if (xtype == "U ") {
            x_.StreamQuery("SELECT i.name AS index_name, CASE WHEN i.status & 16 THEN 'clustered' ELSE 'nonclustered' "
                           "END || CASE WHEN i.status & 2 THEN ', unique' ELSE '' END || CASE WHEN o.xtype = 'PK' THEN "
                           "', primary key' WHEN o.xtype = 'UQ' THEN ', unique key' ELSE '' END || ' located on PRIMARY' "
                           "AS index_description, (SELECT group_concat(c.name, ', ') FROM " + catalog.Table("tw_indexkeys") +
                               " AS k JOIN " + catalog.Table("tw_columns") + " AS c ON c.id = k.id AND c.colid = k.colid "
                           "WHERE k.id = i.id AND k.indid = i.indid ORDER BY k.keyno) AS index_keys FROM " +
                               catalog.Table("tw_indexes") + " AS i LEFT JOIN " + catalog.Table("tw_objects") +
                               " AS o ON o.name = i.name AND o.parent_obj = i.id WHERE i.id = ? ORDER BY i.indid",
                           {Value::Int(id)}, {TypeSpec{"sysname"}, TypeSpec{"varchar", 210}, TypeSpec{"nvarchar", 2078}});
        }
        return 0;
    }
    if (xtype == "P " || xtype == "FN" || xtype == "IF") {
        std::vector<Row> rows;
        int order = 1;
        for (const CatalogColumn& c : columns)
            rows.push_back({Value::String(c.name), Value::String(c.type.name), Value::Int(c.type.StorageLength()),
                            Value::Int(c.type.Precision()), Value::Int(c.type.Scale()), Value::Int(order++),
                            c.type.IsCharacter() ? Value::String("SQL_Latin1_General_CP1_CI_AS") : Value::Null()});
        if (!rows.empty())
            x_.SendResult({sysproc_detail::Column("Parameter_name", "nvarchar", 256), sysproc_detail::Column("Type", "nvarchar", 256),
                           sysproc_detail::Column("Length", "smallint", 2), sysproc_detail::Column("Prec", "int", 4),
                           sysproc_detail::Column("Scale", "int", 4), sysproc_detail::Column("Param_order", "smallint", 2),
                           sysproc_detail::Column("Collation", "nvarchar", 256)},
                          rows);
    }
    return 0;
}

int SystemProcedures::HelpText(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string object = Text(args, 0, "@objname");
    const ObjectName name = ObjectName::Parse(object);
    const std::string db = x_.ResolveDatabase(name.database);
    Catalog catalog(s.db, db);
    const int64_t id = catalog.ObjectId(name.name);
    if (!id)
        throw SqlError(15009, 16, "The object '" + object + "' does not exist in database '" + db + "'.");
    const std::string text = catalog.Text(id);
    if (SqliteStatement::QueryInt(s.db, "SELECT count(*) FROM " + catalog.Table("tw_comments") + " WHERE id = " +
                                            std::to_string(id)) == 0)
        throw SqlError(15197, 16, "There is no text for object '" + object + "'.");
    // One row per line, each keeping its line end, as sp_helptext gives them.
    std::vector<Row> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        rows.push_back({Value::String(text.substr(start, end - start))});
        start = end;
    }
    x_.SendResult({sysproc_detail::Column("Text", "nvarchar", 510)}, rows);
    return 0;
}

int SystemProcedures::HelpDb(const Args& args)
{
    const std::string name = Text(args, 0, "@dbname");
    std::vector<Row> rows;
    SqliteStatement status(x_.Session().db, "SELECT status FROM master.sysdatabases WHERE name = ?");
    for (const DatabaseInfo& d : x_.Session().server->Databases()) {
        if (!name.empty() && sysproc_detail::Lowered(name) != sysproc_detail::Lowered(d.name))
            continue;
        status.Reset();
        status.Bind(1, d.name);
        const int64_t bits = status.Step() ? status.Int(0) : 0;
        const char* recovery = (bits & 8) ? "SIMPLE" : (bits & 4) ? "BULK_LOGGED" : "FULL";
        rows.push_back({Value::String(d.name), Value::String("       1.00 MB"), Value::String("sa"), Value::Int(d.dbid),
                        Value::String(d.crdate.substr(0, 11)),
                        Value::String(std::string("Status=") + (d.offline ? "OFFLINE" : "ONLINE") +
                                      ", Updateability=READ_WRITE, UserAccess=MULTI_USER, Recovery=" +
                                      std::string(recovery) +
                                      ", Version=539, Collation=SQL_Latin1_General_CP1_CI_AS, SQLSortOrder=52"),
                        Value::Int(d.cmptlevel)});
    }
    if (!name.empty() && rows.empty())
        throw SqlError(15010, 16, "The database '" + name + "' does not exist. Supply a valid database name. To see "
                                  "available databases, use sys.databases.");
    x_.SendResult({sysproc_detail::Column("name", "nvarchar", 256), sysproc_detail::Column("db_size", "nvarchar", 26),
                   sysproc_detail::Column("owner", "nvarchar", 256), sysproc_detail::Column("dbid", "smallint", 2),
                   sysproc_detail::Column("created", "nvarchar", 22), sysproc_detail::Column("status", "nvarchar", 1200),
                   sysproc_detail::Column("compatibility_level", "tinyint", 1)},
                  rows);
    return 0;
}

int SystemProcedures::Who(const Args&)
{
    SystemViews::Refresh(x_.Session(), "sysprocesses");
    x_.StreamQuery("SELECT spid, ecid, status, loginame, hostname, blocked AS blk, db_name(dbid) AS dbname, cmd "
                   "FROM temp.tw_sysprocesses ORDER BY spid",
                   {}, {TypeSpec{"smallint"}, TypeSpec{"smallint"}, TypeSpec{"nchar", 30}, TypeSpec{"nchar", 128},
                        TypeSpec{"nchar", 128}, TypeSpec{"char", 5}, TypeSpec{"nvarchar", 128}, TypeSpec{"nchar", 16}});
    return 0;
}

int SystemProcedures::Rename(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string object = Text(args, 0, "@objname");
    const std::string newName = Text(args, 1, "@newname");
    const std::string type = sysproc_detail::Lowered(Text(args, 2, "@objtype"));
    if (newName.empty())
        throw SqlError(15223, 11, "Error: The input parameter '@newname' is not allowed to be null.");
    Catalog catalog(s.db, s.database);
    x_.Inform("Caution: Changing any part of an object name could break scripts and stored procedures.", 15477, 10);
    if (type == "column" || (type.empty() && ObjectName::Parse(object).owner.size() && !catalog.ObjectId(ObjectName::Parse(object).name))) {
        const ObjectName column = ObjectName::Parse(object);
        const int64_t table = catalog.ObjectId(column.owner, "U ");
        if (!table || !catalog.ColumnId(table, column.name))
            throw SqlError(15248, 11, "Either the parameter @objname is ambiguous or the claimed @objtype (" + type +
                                          ") is wrong.");
        SqliteStatement::Exec(s.db, "ALTER TABLE " + catalog.Table(Translator::Quote(column.owner)) + " RENAME COLUMN " +
                                        Translator::Quote(column.name) + " TO " + Translator::Quote(newName));
        SqliteStatement u(s.db, "UPDATE " + catalog.Table("tw_columns") + " SET name = ? WHERE id = ? AND name = ?");
        u.Bind(1, newName).Bind(2, table).Bind(3, column.name).Step();
        x_.Inform("The column was renamed to '" + newName + "'.", 15502, 10);
        return 0;
    }
    if (!type.empty() && type != "object")
        throw SqlError::NotSupported("sp_rename of a " + type);
    const ObjectName name = ObjectName::Parse(object);
    const int64_t id = catalog.ObjectId(name.name);
    if (!id)
        throw SqlError(15248, 11, "Either the parameter @objname is ambiguous or the claimed @objtype (" +
                                      (type.empty() ? std::string("OBJECT") : type) + ") is wrong.");
    if (catalog.ObjectId(newName))
        throw SqlError(15335, 11, "Error: The new name '" + newName + "' is already in use as a OBJECT name and would "
                                  "cause a duplicate that is not permitted.");
    const std::string xtype = catalog.ObjectType(id);
    SqliteStatement::Exec(s.db, "SAVEPOINT tw_rename");
    try {
        if (xtype == "U ")
            SqliteStatement::Exec(s.db, "ALTER TABLE " + catalog.Table(Translator::Quote(name.name)) + " RENAME TO " +
                                            Translator::Quote(newName));
        else if (xtype == "V ")
            throw SqlError::NotSupported("Renaming a view");
        SqliteStatement u(s.db, "UPDATE " + catalog.Table("tw_objects") + " SET name = ? WHERE id = ?");
        u.Bind(1, newName).Bind(2, id).Step();
        SqliteStatement::Exec(s.db, "RELEASE tw_rename");
    } catch (...) {
        sqlite3_exec(s.db, "ROLLBACK TO tw_rename; RELEASE tw_rename", nullptr, nullptr, nullptr);
        throw;
    }
    x_.Inform("The object was renamed to '" + newName + "'.", 15501, 10);
    return 0;
}

int SystemProcedures::Recompile(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string object = Text(args, 0, "@objname");
    Catalog catalog(s.db, s.database);
    const int64_t id = catalog.ObjectId(ObjectName::Parse(object).name, "U P TRFNIFV ");
    if (!id)
        throw SqlError(15009, 16, "The object '" + object + "' does not exist in database '" + s.database + "'.");
    // Modules are read from their text at every run, so every one is always "recompiled".
    x_.Inform("Object '" + object + "' was successfully marked for recompilation.", 15070, 10);
    return 0;
}

int SystemProcedures::RefreshView(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string object = Text(args, 0, "@viewname");
    Catalog catalog(s.db, s.database);
    const ObjectName name = ObjectName::Parse(object);
    const int64_t id = catalog.ObjectId(name.name, "V ");
    if (!id)
        throw SqlError(15165, 16, "Could not find object '" + object + "' or you do not have permission.");
    // Re-reads the view's columns from the tables as they are now.
    SqliteStatement del(s.db, "DELETE FROM " + catalog.Table("tw_columns") + " WHERE id = ?");
    del.Bind(1, id).Step();
    std::vector<CatalogColumn> columns;
    SqliteStatement info(s.db, "SELECT name, type FROM pragma_table_info(?, ?)");
    info.Bind(1, name.name).Bind(2, s.database);
    while (info.Step()) {
        CatalogColumn c;
        c.name = info.Text(0);
        c.type = TypeSpec::FromDeclared(info.Text(1));
        if (!c.type.IsSupported()) {
            c.type.name = "varchar";
            c.type.length = 8000;
        }
        columns.push_back(c);
    }
    catalog.AddColumns(id, columns);
    return 0;
}

int SystemProcedures::TableOption(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string table = Text(args, 0, "@tablenamepattern");
    const std::string option = sysproc_detail::Lowered(Text(args, 1, "@optionname"));
    const std::string value = sysproc_detail::Lowered(Text(args, 2, "@optionvalue"));
    Catalog catalog(s.db, s.database);
    const int64_t id = catalog.ObjectId(ObjectName::Parse(table).name, "U ");
    if (!id)
        throw SqlError(15388, 11, "There is no user table matching the input name '" + table + "' in the current "
                                  "database or you do not have permission to access the table.");
    int64_t stored = 0;
    if (option == "text in row") {
        if (value == "on")
            stored = 256;
        else if (value == "off" || value == "0")
            stored = 0;
        else {
            stored = std::atoll(value.c_str());
            if (stored < 24 || stored > 7000 || value.find_first_not_of("0123456789") != std::string::npos)
                throw SqlError(7634, 16, "Invalid value for text in row limit. Valid values are ON, OFF, 0, or 24 "
                                         "through 7000.");
        }
    } else if (option == "pintable" || option == "table lock on bulk load") {
        if (value != "on" && value != "off" && value != "true" && value != "false" && value != "1" && value != "0")
            throw SqlError(15241, 11, "Usage: sp_tableoption @TableNamePattern [, '@OptionName'] [, '@OptionValue'] "
                                      "where @OptionValue must be 'on' or 'off'.");
        stored = value == "on" || value == "true" || value == "1";
    } else {
        throw SqlError(15600, 15, "An invalid parameter or option was specified for procedure 'sp_tableoption'.");
    }
    SqliteStatement u(s.db, "INSERT OR REPLACE INTO " + catalog.Table("tw_tableoptions") + " VALUES (?, ?, ?)");
    u.Bind(1, id).Bind(2, option).Bind(3, stored).Step();
    return 0;
}

namespace sysproc_detail {

// Catalogue procedures take name patterns; a name holding pattern characters
// of its own ("[", "_") still finds itself.
bool NameMatches(const std::string& name, const std::string& pattern)
{
    return pattern.empty() || Lowered(name) == Lowered(pattern) || SqlFunctions::Like(name, pattern);
}

void CheckQualifier(const std::string& qualifier, const std::string& database)
{
    if (!qualifier.empty() && Lowered(qualifier) != Lowered(database))
        throw SqlError(15250, 16, "The database name component of the object qualifier must be the name of the "
                                  "current database.");
}

} // namespace sysproc_detail

int SystemProcedures::SprocColumns(const Args& args)
{
    SessionState& s = x_.Session();
    std::string procedure = Text(args, 0, "@procedure_name");
    std::string owner = Text(args, 1, "@procedure_owner");
    const std::string qualifier = Text(args, 2, "@procedure_qualifier");
    const std::string columnPattern = Text(args, 3, "@column_name");
    sysproc_detail::CheckQualifier(qualifier, s.database);
    // Typed as owner.name, the name still finds its procedure.
    if (procedure.find('.') != std::string::npos) {
        const ObjectName dotted = ObjectName::Parse(procedure);
        if (dotted.valid) {
            if (owner.empty())
                owner = dotted.owner;
            procedure = dotted.name;
        }
    }
    Catalog catalog(s.db, s.database);
    struct Routine {
        int64_t id;
        int uid;
        std::string owner;
    };
    std::vector<Routine> routines;
    {
        SqliteStatement list(s.db, "SELECT id, name, uid FROM " + catalog.Table("tw_objects") +
                                       " WHERE xtype IN ('P ', 'FN', 'IF', 'TF') ORDER BY name, uid");
        while (list.Step())
            if (sysproc_detail::NameMatches(list.Text(1), procedure))
                routines.push_back({list.Int(0), static_cast<int>(list.Int(2)), catalog.UserName(static_cast<int>(list.Int(2)))});
    }
    // Without an owner the caller's own routine wins when there is one; otherwise every owner's is listed.
    const int caller = catalog.LoginUid(s.login);
    const bool callerOwnsOne =
        std::any_of(routines.begin(), routines.end(), [&](const Routine& r) { return r.uid == caller; });
    std::vector<Routine> chosen;
    for (const Routine& r : routines)
        if (owner.empty() ? (!callerOwnsOne || r.uid == caller) : sysproc_detail::NameMatches(r.owner, owner))
            chosen.push_back(r);
    std::stable_sort(chosen.begin(), chosen.end(), [](const Routine& a, const Routine& b) {
        return sysproc_detail::Lowered(a.owner) < sysproc_detail::Lowered(b.owner);
    });
    std::vector<Row> rows;
    for (const Routine& routine : chosen) {
        const int64_t id = routine.id;
        const std::string xtype = catalog.ObjectType(id);
        const std::string procName = catalog.ObjectName(id) + (xtype == "P " ? ";1" : ";0");
        auto row = [&](const std::string& column, int columnType, const TypeSpec& t, bool nullable, int ordinal) {
            if (!sysproc_detail::NameMatches(column, columnPattern))
                return;
            const bool character = t.IsCharacter() || t.IsBinary();
            const bool numeric = t.IsInteger() || t.IsExactNumeric() || t.IsApproximate();
            rows.push_back({Value::String(s.database), Value::String(routine.owner), Value::String(procName),
                            Value::String(column), Value::Int(columnType), Value::Int(sysproc_detail::OdbcType(t)),
                            Value::String(t.name), Value::Int(t.Precision()), Value::Int(t.StorageLength()),
                            numeric ? Value::Int(t.Scale()) : Value::Null(), numeric ? Value::Int(10) : Value::Null(),
                            Value::Int(nullable ? 1 : 0), Value::Null(), Value::Null(),
                            Value::Int(sysproc_detail::OdbcType(t) == 11 ? 9 : sysproc_detail::OdbcType(t)),
                            sysproc_detail::OdbcType(t) == 11 ? Value::Int(3) : Value::Null(),
                            character ? Value::Int(t.StorageLength()) : Value::Null(), Value::Int(ordinal),
                            Value::String(nullable ? "YES" : "NO"), Value::Int(t.XType())});
        };
        if (xtype == "P ") {
            row("@RETURN_VALUE", 5, TypeSpec{"int"}, false, 0);
        } else if (xtype == "FN") {
            const std::string text = catalog.Text(id);
            std::vector<Token> tokens = Lexer(text, true).Tokenize();
            size_t i = 0;
            while (i < tokens.size() && !tokens[i].Is("RETURNS"))
                ++i;
            if (i + 1 < tokens.size()) {
                size_t end = i + 1;
                const TypeSpec returns = Translator(tokens, text, nullptr).Type(i + 1, end);
                row("@RETURN_VALUE", 5, returns, true, 0);
            }
        } else {
            // A function returning a table reports it as its one result column.
            row("@TABLE_RETURN_VALUE", 3, TypeSpec{"table"}, false, 0);
        }
        int ordinal = 1;
        for (const CatalogColumn& c : catalog.Columns(id))
            row(c.name, c.output ? 2 : 1, c.type, true, ordinal++);
    }
    x_.SendResult({sysproc_detail::Column("PROCEDURE_QUALIFIER", "nvarchar", 256),
                   sysproc_detail::Column("PROCEDURE_OWNER", "nvarchar", 256),
                   sysproc_detail::Column("PROCEDURE_NAME", "nvarchar", 268),
                   sysproc_detail::Column("COLUMN_NAME", "nvarchar", 256),
                   sysproc_detail::Column("COLUMN_TYPE", "smallint", 2), sysproc_detail::Column("DATA_TYPE", "smallint", 2),
                   sysproc_detail::Column("TYPE_NAME", "nvarchar", 256), sysproc_detail::Column("PRECISION", "int", 4),
                   sysproc_detail::Column("LENGTH", "int", 4), sysproc_detail::Column("SCALE", "smallint", 2),
                   sysproc_detail::Column("RADIX", "smallint", 2), sysproc_detail::Column("NULLABLE", "smallint", 2),
                   sysproc_detail::Column("REMARKS", "varchar", 254), sysproc_detail::Column("COLUMN_DEF", "nvarchar", 8000),
                   sysproc_detail::Column("SQL_DATA_TYPE", "smallint", 2),
                   sysproc_detail::Column("SQL_DATETIME_SUB", "smallint", 2),
                   sysproc_detail::Column("CHAR_OCTET_LENGTH", "int", 4),
                   sysproc_detail::Column("ORDINAL_POSITION", "int", 4), sysproc_detail::Column("IS_NULLABLE", "varchar", 254),
                   sysproc_detail::Column("SS_DATA_TYPE", "tinyint", 1)},
                  rows);
    return 0;
}

int SystemProcedures::HelpExtendedProc(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string name = Text(args, 0, "@funcname");
    Catalog master(s.db, "master");
    // The library's name is the procedure's text, as the server keeps it.
    std::string sql = "SELECT o.name, coalesce((SELECT c.text FROM " + master.Table("tw_comments") +
                      " AS c WHERE c.id = o.id), 'xplog70.dll') AS dll FROM " + master.Table("tw_objects") +
                      " AS o WHERE o.xtype = 'X '";
    std::vector<Value> params;
    if (!name.empty()) {
        sql += " AND o.name = ?";
        params.push_back(Value::String(ObjectName::Parse(name).name));
    }
    x_.StreamQuery(sql + " ORDER BY o.name", params, {TypeSpec{"sysname"}, TypeSpec{"nvarchar", 255}});
    return 0;
}

// Extended procedures are registered in master whichever database is current;
// they are only ever names, as no library can be loaded here.
int SystemProcedures::AddExtendedProc(const Args& args)
{
    SessionState& s = x_.Session();
    if (s.tranCount > 0)
        throw SqlError(15002, 16, "The procedure 'sp_addextendedproc' cannot be executed within a transaction.");
    const std::string spelled = Text(args, 0, "@functname");
    const std::string dll = Text(args, 1, "@dllname");
    const ObjectName name = ObjectName::Parse(spelled);
    if (spelled.empty() || dll.empty() || !name.valid || !name.database.empty() ||
        !(name.owner.empty() || sysproc_detail::Lowered(name.owner) == "dbo"))
        throw SqlError(15600, 15, "An invalid parameter or option was specified for procedure 'sp_addextendedproc'.");
    Catalog master(s.db, "master");
    if (master.ObjectId(name.name))
        throw SqlError(2714, 16, "There is already an object named '" + name.name + "' in the database.");
    const int64_t id = master.AddObject(name.name, "X ");
    master.SetText(id, dll);
    return 0;
}

int SystemProcedures::DropExtendedProc(const Args& args)
{
    SessionState& s = x_.Session();
    if (s.tranCount > 0)
        throw SqlError(15002, 16, "The procedure 'sp_dropextendedproc' cannot be executed within a transaction.");
    const std::string spelled = Text(args, 0, "@functname");
    const ObjectName name = ObjectName::Parse(spelled);
    Catalog master(s.db, "master");
    const int64_t id = name.valid ? master.Resolve(name.owner, name.name, "X ") : 0;
    if (!id)
        throw SqlError(3701, 11, "Cannot drop the procedure '" + spelled +
                                     "', because it does not exist or you do not have permission.");
    master.DropObject(id);
    return 0;
}

int SystemProcedures::ExtendedProperty(const std::string& action, const Args& args)
{
    SessionState& s = x_.Session();
    const std::string name = Text(args, 0, "@name");
    const Value value = action == "drop" ? Value::Null() : Arg(args, 1, "@value");
    const size_t base = action == "drop" ? 1 : 2;
    std::string levels[6];
    static const char* const names[] = {"@level0type", "@level0name", "@level1type", "@level1name", "@level2type",
                                        "@level2name"};
    for (size_t i = 0; i < 6; ++i)
        levels[i] = Text(args, base + i, names[i]);
    if (name.empty())
        throw SqlError(15600, 15, "An invalid parameter or option was specified for procedure 'sp_" + action +
                                      "extendedproperty'.");
    Catalog catalog(s.db, s.database);
    // The object (and its column or parameter) must exist.
    std::string described = levels[1];
    if (!levels[2].empty()) {
        const int64_t id = catalog.ObjectId(levels[3]);
        described = levels[1] + "." + levels[3];
        bool valid = id != 0;
        if (valid && !levels[4].empty()) {
            described += "." + levels[5];
            valid = catalog.ColumnId(id, levels[5]) != 0;
        }
        if (!valid)
            throw SqlError(15135, 16, "Object is invalid. Extended properties are not permitted on '" + described +
                                          "', or the object does not exist.");
    }
    const std::string table = catalog.Table("tw_extprops");
    const std::string match = " WHERE name = ? AND level0type IS ? AND level0name IS ? AND level1type IS ? AND "
                              "level1name IS ? AND level2type IS ? AND level2name IS ?";
    auto bindLevels = [&](SqliteStatement& st, int first) {
        for (int i = 0; i < 6; ++i) {
            if (levels[i].empty())
                st.BindNull(first + i);
            else
                st.Bind(first + i, levels[i]);
        }
    };
    SqliteStatement exists(s.db, "SELECT count(*) FROM " + table + match);
    exists.Bind(1, name);
    bindLevels(exists, 2);
    exists.Step();
    const bool present = exists.Int(0) > 0;
    if (action == "add") {
        if (present)
            throw SqlError(15233, 16, "Property cannot be added. Property '" + name + "' already exists for '" +
                                          described + "'.");
        SqliteStatement ins(s.db, "INSERT INTO " + table + " (name, value, level0type, level0name, level1type, "
                                  "level1name, level2type, level2name) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        ins.Bind(1, name).BindValue(2, value);
        bindLevels(ins, 3);
        ins.Step();
        return 0;
    }
    if (!present)
        throw SqlError(15217, 16, "Property cannot be updated or deleted. Property '" + name + "' does not exist for '" +
                                      described + "'.");
    if (action == "update") {
        SqliteStatement up(s.db, "UPDATE " + table + " SET value = ?" + match);
        up.BindValue(1, value).Bind(2, name);
        bindLevels(up, 3);
        up.Step();
    } else {
        SqliteStatement del(s.db, "DELETE FROM " + table + match);
        del.Bind(1, name);
        bindLevels(del, 2);
        del.Step();
    }
    return 0;
}

int SystemProcedures::ObjectSearch(const Args& args)
{
    SessionState& s = x_.Session();
    std::string key = Text(args, 0, "@searchkey");
    const std::string dbPattern = Text(args, 2, "@dbname");
    const bool caseSensitive = Arg(args, 3, "@casesensitive").integer != 0;
    const int64_t limit = Arg(args, 4, "@hitlimit").integer;
    if (key.empty())
        key = "%";
    std::vector<Row> rows;
    for (const DatabaseInfo& d : s.server->Databases()) {
        if (!dbPattern.empty() && dbPattern != "%" && dbPattern != "N'%'" &&
            sysproc_detail::Lowered(dbPattern) != sysproc_detail::Lowered(d.name))
            continue;
        Catalog catalog(s.db, d.name);
        SqliteStatement q(s.db, "SELECT name, xtype, crdate FROM " + catalog.Table("tw_objects") +
                                    " WHERE xtype <> 'S ' ORDER BY name");
        while (q.Step()) {
            const std::string name = q.Text(0);
            // LIKE semantics; case matters only when asked for.
            std::string subject = name, pattern = key;
            if (!caseSensitive) {
                subject = sysproc_detail::Lowered(subject);
                pattern = sysproc_detail::Lowered(pattern);
            }
            SqliteStatement like(s.db, "SELECT tw_like(?, ?)");
            like.Bind(1, pattern).Bind(2, subject).Step();
            if (!like.Int(0))
                continue;
            rows.push_back({Value::String(d.name), Value::String("dbo"), Value::String(name),
                            Value::String(sysproc_detail::TypeDescription(q.Text(1))), Value::DateTime(q.Text(2))});
            if (limit > 0 && static_cast<int64_t>(rows.size()) >= limit)
                break;
        }
        if (limit > 0 && static_cast<int64_t>(rows.size()) >= limit)
            break;
    }
    x_.SendResult({sysproc_detail::Column("Database Name", "nvarchar", 256), sysproc_detail::Column("Owner", "nvarchar", 256),
                   sysproc_detail::Column("Object Name", "nvarchar", 256), sysproc_detail::Column("Object Type", "nvarchar", 60),
                   sysproc_detail::Column("Create Date", "datetime", 8)},
                  rows);
    return 0;
}

int SystemProcedures::Databases(const Args&)
{
    std::vector<Row> rows;
    for (const DatabaseInfo& d : x_.Session().server->Databases())
        rows.push_back({Value::String(d.name), Value::Int(1024), Value::Null()});
    x_.SendResult({sysproc_detail::Column("DATABASE_NAME", "nvarchar", 256), sysproc_detail::Column("DATABASE_SIZE", "int", 4),
                   sysproc_detail::Column("REMARKS", "varchar", 254)},
                  rows);
    return 0;
}

int SystemProcedures::Tables(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string pattern = Text(args, 0, "@table_name");
    Catalog catalog(s.db, s.database);
    x_.StreamQuery("SELECT ? AS TABLE_QUALIFIER, 'dbo' AS TABLE_OWNER, name AS TABLE_NAME, CASE xtype WHEN 'U ' THEN "
                   "'TABLE' WHEN 'V ' THEN 'VIEW' ELSE 'SYSTEM TABLE' END AS TABLE_TYPE, NULL AS REMARKS FROM " +
                       catalog.Table("tw_objects") + " WHERE xtype IN ('U ', 'V ', 'S ') AND tw_like(?, name) "
                   "ORDER BY TABLE_TYPE, name",
                   {Value::String(s.database), Value::String(pattern.empty() ? "%" : pattern)},
                   {TypeSpec{"sysname"}, TypeSpec{"sysname"}, TypeSpec{"sysname"}, TypeSpec{"varchar", 32},
                    TypeSpec{"varchar", 254}});
    return 0;
}

int SystemProcedures::ExecuteSql(const Args& args)
{
    if (args.size() > 1)
        throw SqlError::NotSupported("sp_executesql with parameters");
    const std::string text = Text(args, 0, "@statement");
    BufferedSink ignored;
    (void)ignored;
    Executor inner(x_.Session(), x_.Sink());
    x_.Session().frames.push_back({});
    inner.RunBatch(text);
    x_.Session().frames.pop_back();
    return inner.HadError() ? 1 : 0;
}

int SystemProcedures::AddType(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string name = Text(args, 0, "@typename");
    const std::string physical = Text(args, 1, "@phystype");
    const std::string nullType = sysproc_detail::Lowered(Text(args, 2, "@nulltype"));
    if (name.empty() || physical.empty())
        throw SqlError(15600, 15, "An invalid parameter or option was specified for procedure 'sp_addtype'.");
    const std::vector<Token> tokens = Lexer(physical, true).Tokenize();
    TypeSpec base;
    try {
        size_t end = 0;
        base = Translator(tokens, physical, nullptr).Type(0, end);
        if (tokens[end].kind != TokenKind::End)
            base = TypeSpec{};
    } catch (const SqlError&) {
    }
    if (!base.IsSupported() || base.name == "sysname" || base.name == "timestamp")
        throw SqlError(15036, 16, "The data type '" + physical + "' does not exist.");
    if (nullType != "" && nullType != "null" && nullType != "not null" && nullType != "nonull")
        throw SqlError(15040, 16, "User-defined data types can only be NULL or NOT NULL, not '" + nullType + "'.");
    Catalog catalog(s.db, s.database);
    TypeSpec existing;
    existing.name = name;
    if (existing.IsSupported() || catalog.ResolveUserType(existing))
        throw SqlError(15029, 16, "The type '" + name + "' already exists, or you do not have permission to create it.");
    const bool allowNulls = nullType.empty() ? s.options.ansiNullDefaultOn : nullType == "null";
    catalog.AddUserType(name, base, allowNulls);
    x_.Inform("Type added.", 15089, 10);
    return 0;
}

int SystemProcedures::DropType(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string name = Text(args, 0, "@typename");
    Catalog catalog(s.db, s.database);
    TypeSpec type;
    type.name = name;
    if (name.empty() || !catalog.ResolveUserType(type))
        throw SqlError(15148, 16, "The data type or table name given does not exist or you do not have permission.");
    if (catalog.TypeInUse(type.userType))
        throw SqlError(15180, 16, "Cannot drop. The data type is being used.");
    catalog.DropUserType(type.userType);
    x_.Inform("Type has been dropped.", 15090, 10);
    return 0;
}

int SystemProcedures::MarkSystemObject(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string spelled = Text(args, 0, "@objname");
    const ObjectName name = ObjectName::Parse(spelled);
    Catalog catalog(s.db, s.database);
    const int64_t id = name.valid ? catalog.Resolve(name.owner, name.name) : 0;
    if (!id)
        return 1; // as SQL Server's own: a name it cannot find only fails the return status
    catalog.MarkSystem(id);
    return 0;
}

namespace sysproc_detail {

// The options sp_dboption knows: the sysdatabases.status bit of those a
// database keeps, and for the others the one setting every database here has
// (as DATABASEPROPERTYEX reports it).
struct DbOptionEntry {
    const char* name;
    int64_t bit;
    bool fixedOn;
};

constexpr DbOptionEntry kDbOptions[] = {
    {"ANSI null default", 0, false}, {"ANSI nulls", 0, false}, {"ANSI padding", 0, false},
    {"ANSI warnings", 0, false}, {"arithabort", 0, false}, {"auto create statistics", 0, true},
    {"auto update statistics", 0, true}, {"autoclose", 0, false}, {"autoshrink", 0, false},
    {"concat null yields null", 0, false}, {"cursor close on commit", 0, false}, {"db chaining", 0, false},
    {"dbo use only", 0, false}, {"default to local cursor", 0, false}, {"merge publish", 0, false},
    {"numeric roundabort", 0, false}, {"offline", 0, false}, {"published", 0, false},
    {"quoted identifier", 0, false}, {"read only", 0, false}, {"recursive triggers", 0, false},
    {"select into/bulkcopy", 4, false}, {"single user", 0, false}, {"subscribed", 0, false},
    {"torn page detection", 0, true}, {"trunc. log on chkpt.", 8, false}};

bool DbOptionSet(const DbOptionEntry& entry, int64_t status)
{
    return entry.bit ? (status & entry.bit) != 0 : entry.fixedOn;
}

} // namespace sysproc_detail

// sp_dboption: without arguments the options there are, with a database the
// ones set on it, with an option and a value sets it. The options a database
// keeps here are those of its recovery (truncating the log on checkpoint,
// minimal logging of bulk copies); the others are refused, not pretended.
int SystemProcedures::DbOption(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string database = Text(args, 0, "@dbname");
    const std::string option = Text(args, 1, "@optname");
    const std::string value = sysproc_detail::Lowered(Text(args, 2, "@optvalue"));
    if (database.empty()) {
        std::vector<Row> rows;
        for (const auto& entry : sysproc_detail::kDbOptions)
            rows.push_back({Value::String(entry.name)});
        x_.SendResult({sysproc_detail::Column("Settable database options:", "varchar", 35)}, rows);
        return 0;
    }
    DatabaseInfo info;
    if (!s.server->FindDatabase(database, &info))
        throw SqlError(15010, 16, "The database '" + database + "' does not exist. Use sp_helpdb to show available "
                                  "databases.");
    SqliteStatement get(s.db, "SELECT status FROM master.tw_database_status WHERE name = ?");
    get.Bind(1, info.name);
    const int64_t status = get.Step() ? get.Int(0) : 0;
    if (option.empty()) {
        std::vector<Row> rows;
        for (const auto& entry : sysproc_detail::kDbOptions)
            if (sysproc_detail::DbOptionSet(entry, status))
                rows.push_back({Value::String(entry.name)});
        x_.SendResult({sysproc_detail::Column("The following options are set:", "varchar", 35)}, rows);
        return 0;
    }
    // An option may be named by the start of its name, as long as that names one.
    const std::string wanted = sysproc_detail::Lowered(option);
    const sysproc_detail::DbOptionEntry* found = nullptr;
    int matches = 0;
    for (const auto& entry : sysproc_detail::kDbOptions) {
        const std::string name = sysproc_detail::Lowered(entry.name);
        if (name == wanted) {
            found = &entry;
            matches = 1;
            break;
        }
        if (name.rfind(wanted, 0) == 0) {
            found = &entry;
            ++matches;
        }
    }
    if (!found)
        throw SqlError(15011, 16, "Database option '" + option + "' does not exist. Specify a valid database option.");
    if (matches > 1)
        throw SqlError(15242, 16, "Database option '" + option + "' is not unique.");
    if (value.empty()) {
        std::vector<Row> rows{
            {Value::String(found->name), Value::String(sysproc_detail::DbOptionSet(*found, status) ? "ON" : "OFF")}};
        x_.SendResult({sysproc_detail::Column("OptionName", "varchar", 35),
                       sysproc_detail::Column("CurrentSetting", "varchar", 3)},
                      rows);
        return 0;
    }
    const bool on = value == "true" || value == "on";
    if (!on && value != "false" && value != "off")
        throw SqlError(15241, 16, "Usage: sp_dboption [dbname [,optname [,'true' | 'false']]]");
    if (!found->bit) {
        // What every database here already is needs no change; anything else cannot be kept.
        if (on == found->fixedOn)
            return 0;
        throw SqlError::NotSupported(std::string("Setting the database option '") + found->name + "' to " +
                                     (on ? "true" : "false"));
    }
    if (sysproc_detail::Lowered(info.name) == "tempdb")
        throw SqlError(5058, 16, std::string("Option '") + found->name + "' cannot be set in database 'tempdb'.");
    SqliteStatement put(s.db, "INSERT OR REPLACE INTO master.tw_database_status VALUES (?, ?)");
    put.Bind(1, info.name).Bind(2, on ? (status | found->bit) : (status & ~found->bit)).Step();
    return 0;
}

// sp_helpindex: a table's or view's indexes, each with its kind and its key columns.
int SystemProcedures::HelpIndex(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string spelled = Text(args, 0, "@objname");
    const ObjectName name = ObjectName::Parse(spelled);
    const std::string database = name.valid ? x_.ResolveDatabase(name.database) : s.database;
    Catalog catalog(s.db, database);
    const int64_t id = name.valid && !name.name.empty() ? catalog.Resolve(name.owner, name.name, "U V S ") : 0;
    if (!id)
        throw SqlError(15009, 16, "The object '" + spelled + "' does not exist in database '" + database +
                                      "' or is invalid for this operation.");
    SqliteStatement indexes(s.db, "SELECT i.indid, i.name, i.status, (SELECT k.xtype FROM " +
                                      catalog.Table("tw_objects") + " AS k WHERE k.parent_obj = i.id AND k.name = "
                                      "i.name AND k.xtype IN ('PK', 'UQ')) FROM " + catalog.Table("tw_indexes") +
                                      " AS i WHERE i.id = ? ORDER BY i.name");
    indexes.Bind(1, id);
    SqliteStatement keys(s.db, "SELECT c.name FROM " + catalog.Table("tw_indexkeys") + " AS k JOIN " +
                                   catalog.Table("tw_columns") + " AS c ON c.id = k.id AND c.colid = k.colid "
                                   "WHERE k.id = ? AND k.indid = ? ORDER BY k.keyno");
    std::vector<Row> rows;
    while (indexes.Step()) {
        const int64_t status = indexes.Int(2);
        const std::string constraint = indexes.IsNull(3) ? "" : indexes.Text(3);
        std::string description = (status & 16) ? "clustered" : "nonclustered";
        if (status & 2)
            description += ", unique";
        if (constraint == "PK")
            description += ", primary key";
        else if (constraint == "UQ")
            description += ", unique key";
        description += " located on PRIMARY";
        std::string columns;
        keys.Reset();
        keys.Bind(1, id).Bind(2, indexes.Int(0));
        while (keys.Step())
            columns += (columns.empty() ? "" : ", ") + keys.Text(0);
        rows.push_back({Value::String(indexes.Text(1)), Value::String(description), Value::String(columns)});
    }
    if (rows.empty()) {
        x_.Inform("The object does not have any indexes.", 0, 0);
        return 0;
    }
    x_.SendResult({sysproc_detail::Column("index_name", "nvarchar", 256),
                   sysproc_detail::Column("index_description", "varchar", 210),
                   sysproc_detail::Column("index_keys", "nvarchar", 4252)},
                  rows);
    return 0;
}

// sp_spaceused: the space a table, or the whole database, takes, in the pages
// sysindexes counts (8 KB each) and, for the database, its file's size.
int SystemProcedures::SpaceUsed(const Args& args)
{
    SessionState& s = x_.Session();
    Catalog catalog(s.db, s.database);
    const std::string spelled = Text(args, 0, "@objname");
    const std::string pages = "SELECT coalesce(sum(CASE WHEN indid < 2 THEN rows END), 0), "
                              "coalesce(sum(reserved), 0), coalesce(sum(CASE WHEN indid < 2 THEN dpages END), 0), "
                              "coalesce(sum(CASE WHEN indid > 1 THEN used END), 0) FROM " +
                              catalog.Table("sysindexes");
    auto kb = [](int64_t count) { return std::to_string(count * 8) + " KB"; };
    if (spelled.empty()) {
        const std::string schema = Translator::Quote(s.database);
        const int64_t pageSize = SqliteStatement::QueryInt(s.db, "PRAGMA " + schema + ".page_size");
        const int64_t pageCount = SqliteStatement::QueryInt(s.db, "PRAGMA " + schema + ".page_count");
        const int64_t freePages = SqliteStatement::QueryInt(s.db, "PRAGMA " + schema + ".freelist_count");
        auto mb = [pageSize](int64_t count) {
            char text[32];
            std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(count * pageSize) / (1024.0 * 1024.0));
            return std::string(text);
        };
        x_.SendResult({sysproc_detail::Column("database_name", "nvarchar", 256),
                       sysproc_detail::Column("database_size", "varchar", 18),
                       sysproc_detail::Column("unallocated space", "varchar", 18)},
                      {{Value::String(s.database), Value::String(mb(pageCount)), Value::String(mb(freePages))}});
        SqliteStatement total(s.db, pages + " WHERE id IN (SELECT id FROM " + catalog.Table("tw_objects") +
                                        " WHERE xtype = 'U ')");
        total.Step();
        x_.SendResult({sysproc_detail::Column("reserved", "varchar", 18), sysproc_detail::Column("data", "varchar", 18),
                       sysproc_detail::Column("index_size", "varchar", 18),
                       sysproc_detail::Column("unused", "varchar", 18)},
                      {{Value::String(kb(total.Int(1))), Value::String(kb(total.Int(2))),
                        Value::String(kb(total.Int(3))),
                        Value::String(kb(total.Int(1) - total.Int(2) - total.Int(3)))}});
        return 0;
    }
    const ObjectName name = ObjectName::Parse(spelled);
    const int64_t id = name.valid && name.database.empty() ? catalog.Resolve(name.owner, name.name, "U ") : 0;
    if (!id)
        throw SqlError(15009, 16, "The object '" + spelled + "' does not exist in database '" + s.database +
                                      "' or is invalid for this operation.");
    SqliteStatement table(s.db, pages + " WHERE id = ?");
    table.Bind(1, id).Step();
    x_.SendResult({sysproc_detail::Column("name", "nvarchar", 256), sysproc_detail::Column("rows", "char", 11),
                   sysproc_detail::Column("reserved", "varchar", 18), sysproc_detail::Column("data", "varchar", 18),
                   sysproc_detail::Column("index_size", "varchar", 18), sysproc_detail::Column("unused", "varchar", 18)},
                  {{Value::String(catalog.ObjectName(id)), Value::String(std::to_string(table.Int(0))),
                    Value::String(kb(table.Int(1))), Value::String(kb(table.Int(2))), Value::String(kb(table.Int(3))),
                    Value::String(kb(table.Int(1) - table.Int(2) - table.Int(3)))}});
    return 0;
}

// sp_lock [spid1 [, spid2]]: the locks syslockinfo holds, spelled out.
int SystemProcedures::Lock(const Args& args)
{
    SystemViews::Refresh(x_.Session(), "syslockinfo");
    std::vector<Value> spids;
    for (size_t i = 0; i < 2; ++i) {
        const Value v = Arg(args, i, i == 0 ? "@spid1" : "@spid2");
        if (!v.IsNull())
            spids.push_back(v);
    }
    std::string where;
    for (size_t i = 0; i < spids.size(); ++i)
        where += (i ? ", ?" : " WHERE req_spid IN (?");
    if (!where.empty())
        where += ")";
    x_.StreamQuery("SELECT req_spid AS spid, rsc_dbid AS dbid, rsc_objid AS ObjId, rsc_indid AS IndId, "
                   "CASE rsc_type WHEN 2 THEN 'DB' WHEN 3 THEN 'FIL' WHEN 5 THEN 'TAB' WHEN 6 THEN 'PAG' "
                   "WHEN 7 THEN 'KEY' WHEN 8 THEN 'EXT' WHEN 9 THEN 'RID' ELSE '' END AS Type, rsc_text AS Resource, "
                   "CASE req_mode WHEN 1 THEN 'Sch-S' WHEN 2 THEN 'Sch-M' WHEN 3 THEN 'S' WHEN 4 THEN 'U' "
                   "WHEN 5 THEN 'X' WHEN 6 THEN 'IS' WHEN 7 THEN 'IU' WHEN 8 THEN 'IX' WHEN 9 THEN 'SIU' "
                   "WHEN 10 THEN 'SIX' WHEN 11 THEN 'UIX' WHEN 12 THEN 'BU' ELSE 'NULL' END AS Mode, "
                   "CASE req_status WHEN 1 THEN 'GRANT' WHEN 2 THEN 'CNVT' ELSE 'WAIT' END AS Status "
                   "FROM temp.tw_syslockinfo" + where + " ORDER BY spid, dbid, ObjId, Type",
                   spids,
                   {TypeSpec{"smallint"}, TypeSpec{"smallint"}, TypeSpec{"int"}, TypeSpec{"smallint"},
                    TypeSpec{"nchar", 4}, TypeSpec{"nchar", 16}, TypeSpec{"nvarchar", 8}, TypeSpec{"nvarchar", 5}});
    return 0;
}

void SystemProcedures::Dbcc(const ParsedStatement& st, const std::vector<Token>& tokens)
{
    SessionState& s = x_.Session();
    const std::string command = sysproc_detail::Lowered(st.target);
    std::vector<std::string> args;
    if (st.exprBegin)
        for (size_t i = st.exprBegin; i < st.end && !tokens[i].IsOp(")"); ++i)
            if (!tokens[i].IsOp(","))
                args.push_back(tokens[i].text);
    const std::string done = "DBCC execution completed. If DBCC printed error messages, contact your system "
                             "administrator.";
    if (command == "checktable") {
        if (args.empty())
            throw SqlError(2501, 16, "Could not find a table or object named ''. Check sysobjects.");
        const ObjectName name = ObjectName::Parse(args[0]);
        const std::string db = x_.ResolveDatabase(name.database);
        Catalog catalog(s.db, db);
        const int64_t id = catalog.ObjectId(name.name, "U S ");
        if (!id)
            throw SqlError(2501, 16, "Could not find a table or object named '" + args[0] + "'. Check sysobjects.");
        const std::string table = catalog.ObjectName(id);
        const int64_t rows = catalog.ObjectType(id) == "U "
                                 ? SqliteStatement::QueryInt(s.db, "SELECT count(*) FROM " + catalog.Table(Translator::Quote(table)))
                                 : 0;
        SqliteStatement check(s.db, "PRAGMA " + Translator::Quote(db) + ".quick_check");
        std::string problems;
        while (check.Step())
            if (check.Text(0) != "ok")
                problems += check.Text(0) + "\n";
        if (!problems.empty())
            throw SqlError(8928, 16, "Table error: object '" + table + "': " + problems);
        x_.Inform("DBCC results for '" + table + "'.", 2536, 10);
        x_.Inform("There are " + std::to_string(rows) + " rows in " + std::to_string(rows / 50 + 1) +
                      " pages for object '" + table + "'.", 2593, 10);
        x_.Inform(done, 2528, 10);
        return;
    }
    if (command == "checkdb") {
        SqliteStatement check(s.db, "PRAGMA " + Translator::Quote(s.database) + ".quick_check");
        while (check.Step())
            if (check.Text(0) != "ok")
                throw SqlError(8928, 16, "Database error: " + check.Text(0));
        x_.Inform("CHECKDB found 0 allocation errors and 0 consistency errors in database '" + s.database + "'.", 8989, 10);
        x_.Inform(done, 2528, 10);
        return;
    }
    if (command == "inputbuffer") {
        const int spid = args.empty() ? 0 : std::atoi(args[0].c_str());
        std::unique_lock<std::mutex> lock;
        std::string text;
        bool found = false;
        if (spid == s.spid) {
            text = s.Info(&SessionState::lastBatch);
            found = true;
        } else if (SessionState* other = s.server->LockSession(spid, lock)) {
            text = other->Info(&SessionState::lastBatch);
            found = true;
        }
        if (!found)
            throw SqlError(7940, 16, "System processes cannot be specified; SPID " + std::to_string(spid) +
                                         " is not an active process ID.");
        if (text.size() > 255)
            text.resize(255);
        x_.SendResult({sysproc_detail::Column("EventType", "nvarchar", 60), sysproc_detail::Column("Parameters", "int", 4),
                       sysproc_detail::Column("EventInfo", "nvarchar", 510)},
                      {{Value::String("Language Event"), Value::Int(0), Value::String(text)}});
        x_.Inform(done, 2528, 10);
        return;
    }
    if (command == "useroptions") {
        const SessionOptions& o = s.options;
        std::vector<Row> rows = {{Value::String("textsize"), Value::String(std::to_string(o.textSize))},
                                 {Value::String("language"), Value::String("us_english")},
                                 {Value::String("dateformat"), Value::String(o.dateFormat)},
                                 {Value::String("datefirst"), Value::String(std::to_string(o.dateFirst))}};
        auto flag = [&](const char* name, bool on) {
            if (on)
                rows.push_back({Value::String(name), Value::String("SET")});
        };
        flag("quoted_identifier", o.quotedIdentifier);
        flag("arithabort", o.arithAbort);
        flag("ansi_null_dflt_on", o.ansiNullDefaultOn);
        flag("ansi_warnings", o.ansiWarnings);
        flag("ansi_padding", o.ansiPadding);
        flag("ansi_nulls", o.ansiNulls);
        flag("concat_null_yields_null", o.concatNullYieldsNull);
        flag("implicit_transactions", o.implicitTransactions);
        flag("cursor_close_on_commit", o.cursorCloseOnCommit);
        flag("nocount", o.noCount);
        if (o.rowCount)
            rows.push_back({Value::String("rowcount"), Value::String(std::to_string(o.rowCount))});
        rows.push_back({Value::String("isolation level"), Value::String(sysproc_detail::Lowered(o.isolationLevel))});
        x_.SendResult({sysproc_detail::Column("Set Option", "nvarchar", 256), sysproc_detail::Column("Value", "nvarchar", 256)},
                      rows);
        x_.Inform(done, 2528, 10);
        return;
    }
    if (command == "freeproccache" || command == "dropcleanbuffers" || command == "freesystemcache") {
        x_.Inform(done, 2528, 10);
        return;
    }
    if (DbccReport(command, args, st.words))
        return;
    // DBCC <library> (FREE) unloads an extended-procedure library; none stays loaded here.
    if (args.size() == 1 && sysproc_detail::Lowered(args[0]) == "free") {
        x_.Inform(done, 2528, 10);
        return;
    }
    throw SqlError(2526, 16, "Incorrect DBCC statement. Check documentation for the correct DBCC syntax and options.");
}

} // namespace tw::server
