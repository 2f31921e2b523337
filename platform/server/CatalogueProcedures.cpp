// sp_helpconstraint, sp_columns, sp_depends and sp_configure, and the DBCC
// reports DBA scripts run (SQLPERF(LOGSPACE), SHOWCONTIG), over the catalogue.
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <set>

#include "platform/server/BufferedSink.h"
#include "platform/server/Catalog.h"
#include "platform/server/Executor.h"
#include "platform/server/Lexer.h"
#include "platform/server/ModuleDefinition.h"
#include "platform/server/ObjectName.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"
#include "platform/server/SqlError.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/SystemProcedures.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace catalogue_procs_detail {

using sysproc_detail::Column;

// The user table or view an @objname names, or 15009.
int64_t NamedObject(Catalog& catalog, const std::string& spelled, const std::string& xtypes, int callerUid)
{
    const ObjectName name = ObjectName::Parse(spelled);
    const int64_t id = name.valid && !name.name.empty() ? catalog.Resolve(name.owner, name.name, xtypes, callerUid) : 0;
    if (!id)
        throw SqlError(15009, 16, "The object '" + spelled + "' does not exist in database '" + catalog.Schema() +
                                      "' or is invalid for this operation.");
    return id;
}

std::string OwnerDotName(const Catalog& catalog, int64_t id)
{
    return catalog.UserName(catalog.ObjectUid(id)) + "." + catalog.ObjectName(id);
}

std::string ColumnName(sqlite3* db, const Catalog& catalog, int64_t table, int64_t colid)
{
    SqliteStatement q(db, "SELECT name FROM " + catalog.Table("tw_columns") + " WHERE id = ? AND colid = ?");
    q.Bind(1, table).Bind(2, colid);
    return q.Step() ? q.Text(0) : std::string();
}

bool IsDisabled(sqlite3* db, const Catalog& catalog, int64_t constraint)
{
    SqliteStatement q(db, "SELECT 1 FROM " + catalog.Table("tw_disabled") + " WHERE id = ?");
    q.Bind(1, constraint);
    return q.Step();
}

// The one column of the table a check's text names, or empty when it names none or several.
std::string CheckedColumn(const std::string& text, const std::vector<CatalogColumn>& columns)
{
    const std::string lower = sysproc_detail::Lowered(text);
    std::string found;
    for (const CatalogColumn& c : columns) {
        const std::string name = sysproc_detail::Lowered(c.name);
        for (size_t at = lower.find(name); at != std::string::npos; at = lower.find(name, at + 1)) {
            auto word = [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_' || ch == '@' || ch == '#'; };
            const bool alone = (at == 0 || !word(lower[at - 1])) &&
                               (at + name.size() >= lower.size() || !word(lower[at + name.size()]));
            if (!alone)
                continue;
            if (!found.empty() && found != c.name)
                return {};
            found = c.name;
            break;
        }
    }
    return found;
}

// What sp_columns reports of a type, as ODBC 2 describes it: precision, length, scale.
struct OdbcShape {
    int precision = 0;
    int length = 0;
    bool hasScale = false;
    int scale = 0;
};

OdbcShape ShapeOf(const TypeSpec& t)
{
    OdbcShape s;
    const std::string& n = t.name;
    const int chars = t.length == TypeSpec::kMax ? 2147483647 : t.length < 0 ? 1 : t.length;
    if (n == "char" || n == "varchar" || n == "binary" || n == "varbinary") {
        s.precision = s.length = chars;
    } else if (n == "nchar" || n == "nvarchar" || n == "sysname") {
        s.precision = n == "sysname" ? 128 : chars;
        s.length = n == "sysname" ? 256 : chars == 2147483647 ? chars : chars * 2;
    } else if (n == "text" || n == "image") {
        s.precision = s.length = 2147483647;
    } else if (n == "ntext") {
        s.precision = 1073741823;
        s.length = 2147483646;
    } else if (n == "decimal" || n == "numeric") {
        s.precision = t.Precision();
        s.length = s.precision + 2;
        s.hasScale = true;
        s.scale = t.Scale();
    } else if (n == "money" || n == "smallmoney") {
        s.precision = n == "money" ? 19 : 10;
        s.length = s.precision + 2;
        s.hasScale = true;
        s.scale = 4;
    } else if (n == "float" || n == "real") {
        s.precision = n == "float" ? 15 : 7;
        s.length = n == "float" ? 8 : 4;
    } else if (n == "datetime" || n == "smalldatetime") {
        s.precision = n == "datetime" ? 23 : 16;
        s.length = 16;
        s.hasScale = true;
        s.scale = n == "datetime" ? 3 : 0;
    } else if (n == "uniqueidentifier") {
        s.precision = 36;
        s.length = 16;
    } else if (n == "timestamp") {
        s.precision = s.length = 8;
    } else {
        s.precision = t.Precision();
        s.length = t.StorageLength();
        s.hasScale = t.IsInteger();
    }
    return s;
}

struct ConfigOption {
    const char* name;
    int minimum;
    int maximum;
    int value; // what this server does; only 'show advanced options' can change
    bool advanced;
};

const ConfigOption kOptions[] = {
    {"allow updates", 0, 1, 0, false},
    {"cursor threshold", -1, 2147483647, -1, true},
    {"default language", 0, 9999, 0, false},
    {"fill factor (%)", 0, 100, 0, true},
    {"locks", 5000, 2147483647, 0, true},
    {"max text repl size (B)", 0, 2147483647, 65536, false},
    {"nested triggers", 0, 1, 1, false},
    {"query wait (s)", -1, 2147483647, -1, true},
    {"recovery interval (min)", 0, 32767, 0, true},
    {"show advanced options", 0, 1, 0, false},
    {"two digit year cutoff", 1753, 9999, 2049, false},
    {"user connections", 0, 32767, 0, true},
    {"user options", 0, 32767, 0, false},
};

} // namespace catalogue_procs_detail

using namespace catalogue_procs_detail;

int SystemProcedures::HelpConstraint(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string spelled = Text(args, 0, "@objname");
    const ObjectName name = ObjectName::Parse(spelled);
    Catalog catalog(s.db, name.valid ? x_.ResolveDatabase(name.database) : s.database);
    const int64_t id = NamedObject(catalog, spelled, "U ", catalog.LoginUid(s.login));
    x_.SendResult({Column("Object Name", "nvarchar", 776)}, {{Value::String(catalog.ObjectName(id))}});

    const std::vector<CatalogColumn> columns = catalog.Columns(id);
    const std::string na = "(n/a)";
    struct Entry {
        std::string type, name;
        std::vector<Row> rows;
    };
    std::vector<Entry> entries;
    SqliteStatement list(s.db, "SELECT id, name, xtype FROM " + catalog.Table("tw_objects") +
                                   " WHERE parent_obj = ? AND xtype IN ('PK', 'UQ', 'F ', 'C ', 'D ')");
    list.Bind(1, id);
    while (list.Step()) {
        const int64_t cid = list.Int(0);
        const std::string cname = list.Text(1);
        const std::string xtype = list.Text(2);
        Entry e;
        e.name = cname;
        auto row = [&](const std::string& type, const std::string& del, const std::string& upd, const std::string& en,
                       const std::string& repl, const std::string& keys) {
            e.rows.push_back({Value::String(type), Value::String(e.rows.empty() ? cname : " "), Value::String(del),
                              Value::String(upd), Value::String(en), Value::String(repl), Value::String(keys)});
        };
        const std::string enabled = IsDisabled(s.db, catalog, cid) ? "Disabled" : "Enabled";
        if (xtype == "PK" || xtype == "UQ") {
            SqliteStatement index(s.db, "SELECT indid, status FROM " + catalog.Table("tw_indexes") +
                                            " WHERE id = ? AND name = ?");
            index.Bind(1, id).Bind(2, cname);
            std::string keys;
            bool clustered = false;
            if (index.Step()) {
                clustered = (index.Int(1) & 16) != 0;
                SqliteStatement k(s.db, "SELECT colid FROM " + catalog.Table("tw_indexkeys") +
                                            " WHERE id = ? AND indid = ? ORDER BY keyno");
                k.Bind(1, id).Bind(2, index.Int(0));
                while (k.Step())
                    keys += (keys.empty() ? "" : ", ") + ColumnName(s.db, catalog, id, k.Int(0));
            }
            e.type = std::string(xtype == "PK" ? "PRIMARY KEY" : "UNIQUE") + (clustered ? " (clustered)" : " (non-clustered)");
            row(e.type, na, na, na, na, keys);
        } else if (xtype == "F ") {
            SqliteStatement ref(s.db, "SELECT rkeyid, keycnt, fkey1, fkey2, fkey3, fkey4, rkey1, rkey2, rkey3, rkey4 FROM " +
                                          catalog.Table("tw_references") + " WHERE constid = ?");
            ref.Bind(1, cid);
            std::string from, to, target;
            if (ref.Step()) {
                const int64_t rkey = ref.Int(0);
                for (int i = 0; i < std::min<int64_t>(ref.Int(1), 4); ++i) {
                    from += (from.empty() ? "" : ", ") + ColumnName(s.db, catalog, id, ref.Int(2 + i));
                    to += (to.empty() ? "" : ", ") + ColumnName(s.db, catalog, rkey, ref.Int(6 + i));
                }
                target = catalog.Schema() + "." + OwnerDotName(catalog, rkey);
            }
            e.type = "FOREIGN KEY";
            row(e.type, "No Action", "No Action", enabled, "Is_For_Replication", from);
            row(" ", " ", " ", " ", " ", "REFERENCES " + target + " (" + to + ")");
        } else if (xtype == "C ") {
            const std::string text = catalog.Text(cid);
            const std::string column = CheckedColumn(text, columns);
            e.type = column.empty() ? "CHECK Table Level" : "CHECK on column " + column;
            row(e.type, na, na, enabled, "Is_For_Replication", text);
        } else {
            std::string column;
            for (const CatalogColumn& c : columns)
                if (c.defaultId == cid)
                    column = c.name;
            e.type = "DEFAULT on column " + column;
            row(e.type, na, na, na, na, catalog.Text(cid));
        }
        entries.push_back(std::move(e));
    }
    if (entries.empty()) {
        x_.Inform("No constraints have been defined for this object.", 0, 0);
    } else {
        std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return std::make_pair(sysproc_detail::Lowered(a.type), sysproc_detail::Lowered(a.name)) <
                   std::make_pair(sysproc_detail::Lowered(b.type), sysproc_detail::Lowered(b.name));
        });
        std::vector<Row> rows;
        for (const Entry& e : entries)
            rows.insert(rows.end(), e.rows.begin(), e.rows.end());
        x_.SendResult({Column("constraint_type", "nvarchar", 292), Column("constraint_name", "nvarchar", 256),
                       Column("delete_action", "nvarchar", 18), Column("update_action", "nvarchar", 18),
                       Column("status_enabled", "varchar", 8), Column("status_for_replication", "varchar", 19),
                       Column("constraint_keys", "nvarchar", 4252)},
                      rows);
    }
    SqliteStatement referencing(s.db, "SELECT r.constid, r.fkeyid FROM " + catalog.Table("tw_references") +
                                          " AS r WHERE r.rkeyid = ? ORDER BY r.fkeyid, r.constid");
    referencing.Bind(1, id);
    std::vector<Row> rows;
    while (referencing.Step())
        rows.push_back({Value::String(catalog.Schema() + "." + OwnerDotName(catalog, referencing.Int(1)) + ": " +
                                      catalog.ObjectName(referencing.Int(0)))});
    if (rows.empty())
        x_.Inform("No foreign keys reference this table.", 0, 0);
    else
        x_.SendResult({Column("Table is referenced by foreign key", "nvarchar", 1032)}, rows);
    return 0;
}

int SystemProcedures::Columns(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string table = Text(args, 0, "@table_name");
    const std::string owner = Text(args, 1, "@table_owner");
    const std::string qualifier = Text(args, 2, "@table_qualifier");
    const std::string columnPattern = Text(args, 3, "@column_name");
    sysproc_detail::CheckQualifier(qualifier, s.database);
    Catalog catalog(s.db, s.database);
    std::vector<std::pair<std::string, int64_t>> tables; // owner, id
    {
        SqliteStatement list(s.db, "SELECT id, name, uid FROM " + catalog.Table("tw_objects") +
                                       " WHERE xtype IN ('U ', 'V ', 'S ') ORDER BY name");
        while (list.Step()) {
            const std::string tableOwner = catalog.UserName(static_cast<int>(list.Int(2)));
            if (sysproc_detail::NameMatches(list.Text(1), table) && sysproc_detail::NameMatches(tableOwner, owner))
                tables.emplace_back(tableOwner, list.Int(0));
        }
    }
    std::stable_sort(tables.begin(), tables.end(), [](const auto& a, const auto& b) {
        return sysproc_detail::Lowered(a.first) < sysproc_detail::Lowered(b.first);
    });
    std::vector<Row> rows;
    for (const auto& [tableOwner, id] : tables) {
        int ordinal = 0;
        for (const CatalogColumn& c : catalog.Columns(id)) {
            ++ordinal;
            if (!sysproc_detail::NameMatches(c.name, columnPattern))
                continue;
            const TypeSpec& t = c.type;
            const OdbcShape shape = ShapeOf(t);
            const int odbc = sysproc_detail::OdbcType(t);
            const bool numeric = t.IsInteger() || t.IsExactNumeric() || t.IsApproximate();
            const bool character = t.IsCharacter() || t.IsBinary();
            const std::string typeName = (t.name == "sysname" ? std::string("nvarchar") : t.name) +
                                         (c.identity ? " identity" : "");
            rows.push_back({Value::String(s.database), Value::String(tableOwner), Value::String(catalog.ObjectName(id)),
                            Value::String(c.name), Value::Int(odbc), Value::String(typeName), Value::Int(shape.precision),
                            Value::Int(shape.length), shape.hasScale ? Value::Int(shape.scale) : Value::Null(),
                            numeric ? Value::Int(10) : Value::Null(), Value::Int(c.nullable ? 1 : 0), Value::Null(),
                            c.defaultId ? Value::String(catalog.Text(c.defaultId)) : Value::Null(),
                            Value::Int(odbc == 11 ? 9 : odbc), odbc == 11 ? Value::Int(3) : Value::Null(),
                            character ? Value::Int(shape.length) : Value::Null(), Value::Int(ordinal),
                            Value::String(c.nullable ? "YES" : "NO"), Value::Int(t.XType())});
        }
    }
    x_.SendResult({Column("TABLE_QUALIFIER", "nvarchar", 256), Column("TABLE_OWNER", "nvarchar", 256),
                   Column("TABLE_NAME", "nvarchar", 256), Column("COLUMN_NAME", "nvarchar", 256),
                   Column("DATA_TYPE", "smallint", 2), Column("TYPE_NAME", "nvarchar", 256),
                   Column("PRECISION", "int", 4), Column("LENGTH", "int", 4), Column("SCALE", "smallint", 2),
                   Column("RADIX", "smallint", 2), Column("NULLABLE", "smallint", 2), Column("REMARKS", "varchar", 254),
                   Column("COLUMN_DEF", "nvarchar", 8000), Column("SQL_DATA_TYPE", "smallint", 2),
                   Column("SQL_DATETIME_SUB", "smallint", 2), Column("CHAR_OCTET_LENGTH", "int", 4),
                   Column("ORDINAL_POSITION", "int", 4), Column("IS_NULLABLE", "varchar", 254),
                   Column("SS_DATA_TYPE", "tinyint", 1)},
                  rows);
    return 0;
}

int SystemProcedures::Depends(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string spelled = Text(args, 0, "@objname");
    const ObjectName name = ObjectName::Parse(spelled);
    if (name.valid)
        sysproc_detail::CheckQualifier(name.database, s.database);
    Catalog catalog(s.db, s.database);
    const int64_t id = NamedObject(catalog, spelled, "", catalog.LoginUid(s.login));
    auto listed = [&](const std::string& sql, bool references) {
        SqliteStatement q(s.db, sql);
        q.Bind(1, id);
        std::vector<Row> rows;
        while (q.Step()) {
            const int64_t other = q.Int(0);
            Row r{Value::String(OwnerDotName(catalog, other)),
                  Value::String(sysproc_detail::TypeDescription(catalog.ObjectType(other)))};
            if (references) {
                // The catalogue keeps which objects are used, not which of their columns.
                r.push_back(Value::String("no"));
                r.push_back(Value::String("yes"));
                r.push_back(Value::Null());
            }
            rows.push_back(std::move(r));
        }
        return rows;
    };
    const std::vector<Row> uses = listed("SELECT DISTINCT d.depid FROM " + catalog.Table("tw_depends") + " AS d JOIN " +
                                             catalog.Table("tw_objects") + " AS o ON o.id = d.depid WHERE d.id = ? "
                                             "ORDER BY o.name", true);
    const std::vector<Row> usedBy = listed("SELECT DISTINCT d.id FROM " + catalog.Table("tw_depends") + " AS d JOIN " +
                                               catalog.Table("tw_objects") + " AS o ON o.id = d.id WHERE d.depid = ? "
                                               "ORDER BY o.name", false);
    if (uses.empty() && usedBy.empty()) {
        x_.Inform("Object does not reference any object, and no objects reference it.", 0, 0);
        return 0;
    }
    if (!uses.empty()) {
        x_.Inform("In the current database, the specified object references the following:", 0, 0);
        x_.SendResult({Column("name", "nvarchar", 514), Column("type", "nvarchar", 32), Column("updated", "nvarchar", 14),
                       Column("selected", "nvarchar", 16), Column("column", "nvarchar", 256)},
                      uses);
    }
    if (!usedBy.empty()) {
        x_.Inform("In the current database, the specified object is referenced by the following:", 0, 0);
        x_.SendResult({Column("name", "nvarchar", 514), Column("type", "nvarchar", 32)}, usedBy);
    }
    return 0;
}

int SystemProcedures::Configure(const Args& args)
{
    SessionState& s = x_.Session();
    ServerState& server = *s.server;
    const Value nameArg = Arg(args, 0, "@configname");
    const Value valueArg = Arg(args, 1, "@configvalue");
    const bool advancedShown = server.showAdvancedRunning.load() != 0;
    auto current = [&](const ConfigOption& o, bool running) {
        if (std::string(o.name) == "show advanced options")
            return running ? server.showAdvancedRunning.load() : server.showAdvancedConfigured.load();
        return o.value;
    };
    std::vector<const ConfigOption*> chosen;
    const std::string wanted = nameArg.IsNull() ? std::string() : sysproc_detail::Lowered(nameArg.ToText());
    for (const ConfigOption& o : kOptions) {
        if (o.advanced && !advancedShown)
            continue;
        const std::string name = o.name;
        if (name == wanted) {
            chosen.assign(1, &o);
            break;
        }
        if (name.find(wanted) != std::string::npos)
            chosen.push_back(&o);
    }
    if (!wanted.empty() && chosen.empty())
        throw SqlError(15123, 16, "The configuration option '" + nameArg.ToText() +
                                      "' does not exist, or it may be an advanced option.");
    if (!wanted.empty() && chosen.size() > 1)
        throw SqlError(15123, 16, "The configuration option '" + nameArg.ToText() + "' is not unique.");
    if (!valueArg.IsNull()) {
        const ConfigOption& o = *chosen.front();
        const int64_t value = valueArg.kind == ValueKind::Int ? valueArg.integer : std::atoll(valueArg.ToText().c_str());
        if (value < o.minimum || value > o.maximum)
            throw SqlError(15129, 16, "'" + std::to_string(value) + "' is not a valid value for configuration option '" +
                                          o.name + "'.");
        const int before = current(o, false);
        if (std::string(o.name) == "show advanced options")
            server.showAdvancedConfigured = static_cast<int>(value);
        else if (value != before)
            throw SqlError(15129, 16, "The embedded server cannot change the configuration option '" +
                                          std::string(o.name) + "': it stays " + std::to_string(before) + ".");
        x_.Inform("Configuration option '" + std::string(o.name) + "' changed from " + std::to_string(before) +
                      " to " + std::to_string(value) + ". Run the RECONFIGURE statement to install.",
                  15457, 0);
        return 0;
    }
    std::vector<Row> rows;
    for (const ConfigOption& o : kOptions)
        if ((wanted.empty() && (!o.advanced || advancedShown)) ||
            std::find(chosen.begin(), chosen.end(), &o) != chosen.end())
            rows.push_back({Value::String(o.name), Value::Int(o.minimum), Value::Int(o.maximum),
                            Value::Int(current(o, false)), Value::Int(current(o, true))});
    x_.SendResult({Column("name", "nvarchar", 70), Column("minimum", "int", 4), Column("maximum", "int", 4),
                   Column("config_value", "int", 4), Column("run_value", "int", 4)},
                  rows);
    return 0;
}

int SystemProcedures::HelpFile(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string wanted = Text(args, 0, "@filename");
    Catalog catalog(s.db, s.database);
    SqliteStatement files(s.db, "SELECT rtrim(name), fileid, rtrim(filename), groupid, size, maxsize, growth, status FROM " +
                                    catalog.Table("sysfiles") + " ORDER BY fileid");
    std::vector<Row> rows;
    while (files.Step()) {
        if (!wanted.empty() && sysproc_detail::Lowered(files.Text(0)) != sysproc_detail::Lowered(wanted))
            continue;
        const bool log = files.Int(3) == 0;
        const int64_t maxsize = files.Int(5);
        const int64_t growth = files.Int(6);
        const bool percent = (files.Int(7) & 0x100000) != 0;
        rows.push_back({Value::String(files.Text(0)), Value::Int(files.Int(1)), Value::String(files.Text(2)),
                        log ? Value::Null() : Value::String("PRIMARY"), Value::String(std::to_string(files.Int(4) * 8) + " KB"),
                        Value::String(maxsize < 0 ? "Unlimited" : std::to_string(maxsize * 8) + " KB"),
                        Value::String(percent ? std::to_string(growth) + "%" : std::to_string(growth * 8) + " KB"),
                        Value::String(log ? "log only" : "data only")});
    }
    x_.SendResult({Column("name", "nvarchar", 256), Column("fileid", "smallint", 2), Column("filename", "nvarchar", 520),
                   Column("filegroup", "nvarchar", 256), Column("size", "nvarchar", 36), Column("maxsize", "nvarchar", 36),
                   Column("growth", "nvarchar", 36), Column("usage", "varchar", 9)},
                  rows);
    return 0;
}

int SystemProcedures::HelpTrigger(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string spelled = Text(args, 0, "@tabname");
    const std::string wanted = sysproc_detail::Lowered(Text(args, 1, "@triggertype"));
    Catalog catalog(s.db, s.database);
    const int64_t table = NamedObject(catalog, spelled, "U V ", catalog.LoginUid(s.login));
    SqliteStatement list(s.db, "SELECT id, name, uid FROM " + catalog.Table("tw_objects") +
                                   " WHERE parent_obj = ? AND xtype = 'TR' ORDER BY name");
    list.Bind(1, table);
    std::vector<Row> rows;
    while (list.Step()) {
        const std::string text = catalog.Text(list.Int(0));
        ModuleDefinition def;
        try {
            def = ModuleDefinition::Parse(Lexer(text, true).Tokenize(), text);
        } catch (const SqlError&) {
            continue;
        }
        bool events[3] = {false, false, false}; // update, delete, insert
        for (const std::string& e : def.triggerEvents) {
            const std::string event = sysproc_detail::Lowered(e);
            events[0] = events[0] || event == "update";
            events[1] = events[1] || event == "delete";
            events[2] = events[2] || event == "insert";
        }
        const bool matches = wanted.empty() || (wanted.find("update") != std::string::npos && events[0]) ||
                             (wanted.find("delete") != std::string::npos && events[1]) ||
                             (wanted.find("insert") != std::string::npos && events[2]);
        if (!matches)
            continue;
        // INSTEAD OF triggers are refused, so every trigger here runs after its statement.
        rows.push_back({Value::String(list.Text(1)), Value::String(catalog.UserName(static_cast<int>(list.Int(2)))),
                        Value::Int(events[0]), Value::Int(events[1]), Value::Int(events[2]), Value::Int(1), Value::Int(0)});
    }
    x_.SendResult({Column("trigger_name", "nvarchar", 256), Column("trigger_owner", "nvarchar", 256),
                   Column("isupdate", "int", 4), Column("isdelete", "int", 4), Column("isinsert", "int", 4),
                   Column("isafter", "int", 4), Column("isinsteadof", "int", 4)},
                  rows);
    return 0;
}

int SystemProcedures::StoredProcedures(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string name = Text(args, 0, "@sp_name");
    const std::string owner = Text(args, 1, "@sp_owner");
    sysproc_detail::CheckQualifier(Text(args, 2, "@sp_qualifier"), s.database);
    Catalog catalog(s.db, s.database);
    SqliteStatement list(s.db, "SELECT name, uid, xtype FROM " + catalog.Table("tw_objects") +
                                   " WHERE xtype IN ('P ', 'FN', 'IF', 'TF', 'X ') ORDER BY name");
    std::vector<std::pair<std::string, Row>> found; // owner, row
    while (list.Step()) {
        const std::string routineOwner = catalog.UserName(static_cast<int>(list.Int(1)));
        if (!sysproc_detail::NameMatches(list.Text(0), name) || !sysproc_detail::NameMatches(routineOwner, owner))
            continue;
        const std::string number = list.Text(2) == "P " || list.Text(2) == "X " ? ";1" : ";0";
        found.push_back({routineOwner,
                         {Value::String(s.database), Value::String(routineOwner), Value::String(list.Text(0) + number),
                          Value::Int(-1), Value::Int(-1), Value::Int(-1), Value::Null(), Value::Int(2)}});
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return sysproc_detail::Lowered(a.first) < sysproc_detail::Lowered(b.first);
    });
    std::vector<Row> rows;
    for (auto& f : found)
        rows.push_back(std::move(f.second));
    x_.SendResult({Column("PROCEDURE_QUALIFIER", "nvarchar", 256), Column("PROCEDURE_OWNER", "nvarchar", 256),
                   Column("PROCEDURE_NAME", "nvarchar", 268), Column("NUM_INPUT_PARAMS", "int", 4),
                   Column("NUM_OUTPUT_PARAMS", "int", 4), Column("NUM_RESULT_SETS", "int", 4),
                   Column("REMARKS", "varchar", 254), Column("PROCEDURE_TYPE", "smallint", 2)},
                  rows);
    return 0;
}

int SystemProcedures::HelpUser(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string wanted = Text(args, 0, "@name_in_db");
    Catalog catalog(s.db, s.database);
    Catalog master(s.db, "master");
    SqliteStatement users(s.db, "SELECT uid, name, login FROM " + catalog.Table("tw_users") +
                                    " WHERE issqlrole = 0 AND uid <> 3 ORDER BY name"); // INFORMATION_SCHEMA owns views only
    std::vector<Row> rows;
    while (users.Step()) {
        const std::string name = users.Text(1);
        if (!wanted.empty() && sysproc_detail::Lowered(name) != sysproc_detail::Lowered(wanted))
            continue;
        const int uid = static_cast<int>(users.Int(0));
        const std::string login = uid == Catalog::kDboUid ? "sa" : users.IsNull(2) ? "" : users.Text(2);
        Value defaultDatabase = Value::Null();
        if (!login.empty()) {
            SqliteStatement d(s.db, "SELECT dbname FROM " + master.Table("tw_logins") + " WHERE name = ?");
            d.Bind(1, login);
            if (d.Step() && !d.IsNull(0))
                defaultDatabase = Value::String(d.Text(0));
        }
        rows.push_back({Value::String(name), Value::String(uid == Catalog::kDboUid ? "db_owner" : "public"),
                        login.empty() ? Value::Null() : Value::String(login), defaultDatabase, Value::Int(uid),
                        uid == Catalog::kDboUid ? Value::Binary(std::string(1, '\x01')) : Value::Null()});
    }
    if (!wanted.empty() && rows.empty())
        throw SqlError(15198, 16, "The name supplied (" + wanted + ") is not a user, role, or aliased login.");
    x_.SendResult({Column("UserName", "nvarchar", 256), Column("GroupName", "nvarchar", 256),
                   Column("LoginName", "nvarchar", 256), Column("DefDBName", "nvarchar", 256),
                   Column("UserID", "smallint", 2), Column("SID", "varbinary", 85)},
                  rows);
    return 0;
}

namespace catalogue_procs_detail {

// The user tables (views too, when asked) whose name and owner match the patterns, by owner and name.
std::vector<std::pair<std::string, int64_t>> MatchingTables(sqlite3* db, const Catalog& catalog, const std::string& name,
                                                            const std::string& owner)
{
    std::vector<std::pair<std::string, int64_t>> tables;
    if (name.empty())
        return tables;
    SqliteStatement list(db, "SELECT id, name, uid FROM " + catalog.Table("tw_objects") +
                                 " WHERE xtype IN ('U ', 'S ') ORDER BY name");
    while (list.Step()) {
        const std::string tableOwner = catalog.UserName(static_cast<int>(list.Int(2)));
        if (sysproc_detail::NameMatches(list.Text(1), name) && sysproc_detail::NameMatches(tableOwner, owner))
            tables.emplace_back(tableOwner, list.Int(0));
    }
    return tables;
}

} // namespace catalogue_procs_detail

int SystemProcedures::PrimaryKeys(const Args& args)
{
    SessionState& s = x_.Session();
    sysproc_detail::CheckQualifier(Text(args, 2, "@table_qualifier"), s.database);
    Catalog catalog(s.db, s.database);
    std::vector<Row> rows;
    for (const auto& [owner, id] :
         MatchingTables(s.db, catalog, Text(args, 0, "@table_name"), Text(args, 1, "@table_owner"))) {
        SqliteStatement key(s.db, "SELECT o.name, k.colid, k.keyno FROM " + catalog.Table("tw_objects") + " AS o JOIN " +
                                      catalog.Table("tw_indexes") + " AS i ON i.id = o.parent_obj AND i.name = o.name JOIN " +
                                      catalog.Table("tw_indexkeys") + " AS k ON k.id = i.id AND k.indid = i.indid "
                                      "WHERE o.parent_obj = ? AND o.xtype = 'PK' ORDER BY k.keyno");
        key.Bind(1, id);
        while (key.Step())
            rows.push_back({Value::String(s.database), Value::String(owner), Value::String(catalog.ObjectName(id)),
                            Value::String(ColumnName(s.db, catalog, id, key.Int(1))), Value::Int(key.Int(2)),
                            Value::String(key.Text(0))});
    }
    x_.SendResult({Column("TABLE_QUALIFIER", "nvarchar", 256), Column("TABLE_OWNER", "nvarchar", 256),
                   Column("TABLE_NAME", "nvarchar", 256), Column("COLUMN_NAME", "nvarchar", 256),
                   Column("KEY_SEQ", "smallint", 2), Column("PK_NAME", "nvarchar", 256)},
                  rows);
    return 0;
}

int SystemProcedures::ForeignKeys(const Args& args)
{
    SessionState& s = x_.Session();
    sysproc_detail::CheckQualifier(Text(args, 2, "@pktable_qualifier"), s.database);
    sysproc_detail::CheckQualifier(Text(args, 5, "@fktable_qualifier"), s.database);
    const std::string pkName = Text(args, 0, "@pktable_name");
    const std::string fkName = Text(args, 3, "@fktable_name");
    if (pkName.empty() && fkName.empty())
        throw SqlError(15252, 16, "The primary key or foreign key table name must be given.");
    Catalog catalog(s.db, s.database);
    std::set<int64_t> pkTables, fkTables;
    for (const auto& t : MatchingTables(s.db, catalog, pkName, Text(args, 1, "@pktable_owner")))
        pkTables.insert(t.second);
    for (const auto& t : MatchingTables(s.db, catalog, fkName, Text(args, 4, "@fktable_owner")))
        fkTables.insert(t.second);
    SqliteStatement refs(s.db, "SELECT r.constid, r.fkeyid, r.rkeyid, r.keycnt, r.fkey1, r.fkey2, r.fkey3, r.fkey4, r.rkey1, "
                               "r.rkey2, r.rkey3, r.rkey4, o.name FROM " + catalog.Table("tw_references") + " AS r JOIN " +
                               catalog.Table("tw_objects") + " AS o ON o.id = r.constid ORDER BY o.name");
    std::vector<Row> rows;
    while (refs.Step()) {
        const int64_t fk = refs.Int(1), pk = refs.Int(2);
        if ((!pkName.empty() && !pkTables.count(pk)) || (!fkName.empty() && !fkTables.count(fk)))
            continue;
        std::string pkConstraint;
        {
            SqliteStatement key(s.db, "SELECT name FROM " + catalog.Table("tw_objects") +
                                          " WHERE parent_obj = ? AND xtype IN ('PK', 'UQ') ORDER BY xtype");
            key.Bind(1, pk);
            if (key.Step())
                pkConstraint = key.Text(0);
        }
        for (int i = 0; i < std::min<int64_t>(refs.Int(3), 4); ++i)
            rows.push_back({Value::String(s.database), Value::String(catalog.UserName(catalog.ObjectUid(pk))),
                            Value::String(catalog.ObjectName(pk)), Value::String(ColumnName(s.db, catalog, pk, refs.Int(8 + i))),
                            Value::String(s.database), Value::String(catalog.UserName(catalog.ObjectUid(fk))),
                            Value::String(catalog.ObjectName(fk)), Value::String(ColumnName(s.db, catalog, fk, refs.Int(4 + i))),
                            Value::Int(i + 1), Value::Int(1), Value::Int(1), Value::String(refs.Text(12)),
                            Value::String(pkConstraint), Value::Int(7)});
    }
    x_.SendResult({Column("PKTABLE_QUALIFIER", "nvarchar", 256), Column("PKTABLE_OWNER", "nvarchar", 256),
                   Column("PKTABLE_NAME", "nvarchar", 256), Column("PKCOLUMN_NAME", "nvarchar", 256),
                   Column("FKTABLE_QUALIFIER", "nvarchar", 256), Column("FKTABLE_OWNER", "nvarchar", 256),
                   Column("FKTABLE_NAME", "nvarchar", 256), Column("FKCOLUMN_NAME", "nvarchar", 256),
                   Column("KEY_SEQ", "smallint", 2), Column("UPDATE_RULE", "smallint", 2),
                   Column("DELETE_RULE", "smallint", 2), Column("FK_NAME", "nvarchar", 256),
                   Column("PK_NAME", "nvarchar", 256), Column("DEFERRABILITY", "smallint", 2)},
                  rows);
    return 0;
}

int SystemProcedures::ForEach(bool databases, const Args& args)
{
    SessionState& s = x_.Session();
    const std::string commands[] = {Text(args, 0, "@command1"), Text(args, 2, "@command2"), Text(args, 3, "@command3")};
    std::string replace = Text(args, 1, "@replacechar");
    if (replace.empty())
        replace = "?";
    const std::string whereAnd = Text(args, databases ? 99 : 4, "@whereand");
    const std::string pre = Text(args, databases ? 4 : 5, "@precommand");
    const std::string post = Text(args, databases ? 5 : 6, "@postcommand");
    if (commands[0].empty())
        throw SqlError(201, 16, std::string("Procedure or function '") + (databases ? "sp_MSforeachdb" : "sp_MSforeachtable") +
                                    "' expects parameter '@command1', which was not supplied.");
    // The names, found as the caller would find them (@whereand speaks of sysobjects as o).
    std::vector<std::string> names;
    {
        BufferedSink found;
        Executor lister(s, found);
        s.frames.push_back({});
        lister.RunBatch(databases ? std::string("SELECT name FROM master.dbo.sysdatabases ORDER BY name")
                                  : "SELECT '[' + REPLACE(USER_NAME(o.uid), ']', ']]') + '].[' + REPLACE(o.name, ']', ']]') + ']' "
                                    "FROM dbo.sysobjects AS o WHERE OBJECTPROPERTY(o.id, 'IsUserTable') = 1 " +
                                        whereAnd + " ORDER BY o.name");
        s.frames.pop_back();
        if (const Message* error = found.FirstError())
            throw SqlError(error->number, error->severity, error->text);
        for (const ResultSet& r : found.resultSets)
            for (const Row& row : r.rows)
                names.push_back(row[0].ToText());
    }
    int failures = 0;
    auto run = [&](const std::string& text) {
        Executor inner(s, x_.Sink());
        s.frames.push_back({});
        inner.RunBatch(text);
        s.frames.pop_back();
        failures += inner.HadError() ? 1 : 0;
    };
    if (!pre.empty())
        run(pre);
    for (const std::string& name : names)
        for (const std::string& command : commands) {
            if (command.empty())
                continue;
            std::string text = command;
            for (size_t at = text.find(replace); at != std::string::npos; at = text.find(replace, at + name.size()))
                text.replace(at, replace.size(), name);
            run(text);
        }
    if (!post.empty())
        run(post);
    return failures ? 1 : 0;
}

bool SystemProcedures::DbccReport(const std::string& command, const std::vector<std::string>& args,
                                  const std::vector<std::string>& options)
{
    SessionState& s = x_.Session();
    const std::string done = "DBCC execution completed. If DBCC printed error messages, contact your system "
                             "administrator.";
    auto asReal = [](double v) { return Value::Float(static_cast<double>(static_cast<float>(v))); };
    if (command == "sqlperf") {
        if (args.size() != 1 || sysproc_detail::Lowered(args[0]) != "logspace")
            throw SqlError(2526, 16, "Incorrect DBCC statement. Check documentation for the correct DBCC syntax and "
                                     "options.");
        // Each database's log is its write-ahead file; what it holds is in use until a checkpoint.
        std::vector<Row> rows;
        for (const DatabaseInfo& d : s.server->Databases()) {
            std::error_code ec;
            const auto wal = d.dbid == 2 ? 0 : std::filesystem::file_size(d.path + "-wal", ec);
            const double megabytes = ec ? 0.0 : static_cast<double>(wal) / (1024.0 * 1024.0);
            const double size = std::max(megabytes, 0.5);
            rows.push_back({Value::String(d.name), asReal(size), asReal(100.0 * megabytes / size), Value::Int(0)});
        }
        x_.SendResult({Column("Database Name", "nvarchar", 256), Column("Log Size (MB)", "real", 4),
                       Column("Log Space Used (%)", "real", 4), Column("Status", "int", 4)},
                      rows);
        x_.Inform(done, 2528, 10);
        return true;
    }
    if (command == "showfilestats") {
        // The data file's extents: those it has, and those its pages fill.
        Catalog catalog(s.db, s.database);
        SqliteStatement files(s.db, "SELECT fileid, groupid, size, rtrim(name), rtrim(filename) FROM " +
                                        catalog.Table("sysfiles") + " WHERE groupid > 0 ORDER BY fileid");
        std::vector<Row> rows;
        while (files.Step()) {
            std::error_code ec;
            const auto bytes = std::filesystem::file_size(files.Text(4), ec);
            const int64_t used = ec ? 0 : static_cast<int64_t>((bytes + 65535) / 65536);
            const int64_t total = std::max(used, (files.Int(2) + 7) / 8);
            rows.push_back({Value::Int(files.Int(0)), Value::Int(files.Int(1)), Value::Int(total), Value::Int(used),
                            Value::String(files.Text(3)), Value::String(files.Text(4))});
        }
        x_.SendResult({Column("Fileid", "int", 4), Column("FileGroup", "int", 4), Column("TotalExtents", "int", 4),
                       Column("UsedExtents", "int", 4), Column("Name", "nvarchar", 256),
                       Column("FileName", "nvarchar", 520)},
                      rows);
        x_.Inform(done, 2528, 10);
        return true;
    }
    if (command == "opentran") {
        const std::string database = args.empty() ? s.database : args[0];
        DatabaseInfo info;
        if (!s.server->FindDatabase(database, &info))
            throw SqlError(2520, 16, "Could not find database '" + database + "'. The database either does not exist, "
                                     "or was dropped before a statement tried to use it.");
        int oldest = 0;
        int uid = 0;
        s.server->ForEachSession([&](const SessionState& other) {
            if (other.tranCount > 0 && sysproc_detail::Lowered(other.Info(&SessionState::databaseShown)) ==
                                           sysproc_detail::Lowered(info.name) && (oldest == 0 || other.spid < oldest)) {
                oldest = other.spid;
                uid = other.login == "sa" ? 1 : -1;
            }
        });
        if (oldest == 0) {
            x_.Inform("No active open transactions.", 0, 0);
        } else {
            x_.Inform("Transaction information for database '" + info.name + "'.\n\nOldest active transaction:\n"
                      "    SPID (server process ID) : " + std::to_string(oldest) + "\n    UID (user ID)            : " +
                          std::to_string(uid) + "\n    Name                     : user_transaction",
                      0, 0);
        }
        x_.Inform(done, 2528, 10);
        return true;
    }
    if (command != "showcontig")
        return false;
    Catalog catalog(s.db, s.database);
    std::vector<int64_t> tables;
    if (!args.empty()) {
        const std::string spelled = args[0];
        int64_t id = 0;
        if (!spelled.empty() && std::isdigit(static_cast<unsigned char>(spelled[0])))
            id = std::atoll(spelled.c_str());
        else
            id = catalog.Resolve(ObjectName::Parse(spelled).owner, ObjectName::Parse(spelled).name, "U ",
                                 catalog.LoginUid(s.login));
        if (!id || catalog.ObjectType(id) != "U ")
            throw SqlError(2501, 16, "Could not find a table or object named '" + spelled + "'. Check sysobjects.");
        tables.push_back(id);
    } else {
        SqliteStatement list(s.db, "SELECT id FROM " + catalog.Table("tw_objects") + " WHERE xtype = 'U ' ORDER BY name");
        while (list.Step())
            tables.push_back(list.Int(0));
    }
    DatabaseInfo current;
    s.server->FindDatabase(s.database, &current);
    bool tableResults = false;
    for (const std::string& o : options)
        tableResults = tableResults || sysproc_detail::Lowered(o) == "tableresults";
    std::vector<Row> rows;
    for (const int64_t id : tables) {
        const std::string table = catalog.ObjectName(id);
        // SQLite keeps no extents: the figures are those of a freshly built table of its rows,
        // each 8 KB page filled, no fragmentation.
        const int64_t count = SqliteStatement::QueryInt(s.db, "SELECT count(*) FROM " +
                                                                  catalog.Table(Translator::Quote(catalog.StorageName(id))), 0);
        int recordSize = 0;
        for (const CatalogColumn& c : catalog.Columns(id))
            recordSize += std::max(1, c.type.StorageLength());
        recordSize += 9; // row header and null bitmap
        const int64_t perPage = std::max<int64_t>(1, 8096 / recordSize);
        const int64_t pages = std::max<int64_t>(1, (count + perPage - 1) / perPage);
        const int64_t extents = (pages + 7) / 8;
        const double freeBytes = static_cast<double>(8096 - std::min<int64_t>(count, perPage) * recordSize);
        const double density = 100.0 * (8096.0 - freeBytes) / 8096.0;
        if (tableResults) {
            rows.push_back({Value::String(table), Value::Int(id), Value::String(""), Value::Int(0), Value::Int(0),
                            Value::Int(pages), Value::Int(count), Value::Int(recordSize), Value::Int(recordSize),
                            Value::Float(recordSize), Value::Int(0), Value::Int(extents),
                            Value::Int(extents > 0 ? extents - 1 : 0), Value::Float(freeBytes), Value::Float(density),
                            Value::Float(100.0), Value::Int(extents), Value::Int(extents), Value::Float(0.0),
                            Value::Float(0.0)});
            continue;
        }
        char text[1024];
        std::snprintf(text, sizeof text,
                      "DBCC SHOWCONTIG scanning '%s' table...\nTable: '%s' (%lld); index ID: 0, database ID: %d\n"
                      "TABLE level scan performed.\n"
                      "- Pages Scanned................................: %lld\n"
                      "- Extents Scanned..............................: %lld\n"
                      "- Extent Switches..............................: %lld\n"
                      "- Avg. Pages per Extent........................: %.1f\n"
                      "- Scan Density [Best Count:Actual Count].......: 100.00%% [%lld:%lld]\n"
                      "- Extent Scan Fragmentation ...................: 0.00%%\n"
                      "- Avg. Bytes Free per Page.....................: %.1f\n"
                      "- Avg. Page Density (full).....................: %.2f%%",
                      table.c_str(), table.c_str(), static_cast<long long>(id), current.dbid,
                      static_cast<long long>(pages), static_cast<long long>(extents),
                      static_cast<long long>(extents > 0 ? extents - 1 : 0),
                      static_cast<double>(pages) / static_cast<double>(std::max<int64_t>(1, extents)),
                      static_cast<long long>(extents), static_cast<long long>(extents), freeBytes, density);
        x_.Inform(text, 0, 0);
    }
    if (tableResults)
        x_.SendResult({Column("ObjectName", "nvarchar", 256), Column("ObjectId", "int", 4),
                       Column("IndexName", "nvarchar", 256), Column("IndexId", "int", 4), Column("Level", "int", 4),
                       Column("Pages", "int", 4), Column("Rows", "int", 4), Column("MinimumRecordSize", "int", 4),
                       Column("MaximumRecordSize", "int", 4), Column("AverageRecordSize", "float", 8),
                       Column("ForwardedRecords", "int", 4), Column("Extents", "int", 4),
                       Column("ExtentSwitches", "int", 4), Column("AverageFreeBytes", "float", 8),
                       Column("AveragePageDensity", "float", 8), Column("ScanDensity", "float", 8),
                       Column("BestCount", "int", 4), Column("ActualCount", "int", 4),
                       Column("LogicalFragmentation", "float", 8), Column("ExtentFragmentation", "float", 8)},
                      rows);
    x_.Inform(done, 2528, 10);
    return true;
}

} // namespace tw::server
