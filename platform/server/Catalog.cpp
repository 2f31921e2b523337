#include "platform/server/Catalog.h"

#include <algorithm>
#include <ctime>

#include "platform/server/Logins.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace catalog_detail {

// The catalogue's own tables. Names compare as SQL Server's default collation
// does (TWCI: no case, no trailing blanks).
const char* const kTables[] = {
    "CREATE TABLE IF NOT EXISTS %s.tw_objects (id int PRIMARY KEY, name nvarchar(128) COLLATE TWCI NOT NULL, "
    "xtype char(2) COLLATE TWCI NOT NULL, uid smallint NOT NULL DEFAULT 1, parent_obj int NOT NULL DEFAULT 0, "
    "crdate datetime NOT NULL, status int NOT NULL DEFAULT 0, category int NOT NULL DEFAULT 0, "
    "type char(2) COLLATE TWCI NOT NULL DEFAULT '')",
    "CREATE TABLE IF NOT EXISTS %s.tw_columns (id int NOT NULL, colid smallint NOT NULL, "
    "name nvarchar(128) COLLATE TWCI NOT NULL, typename nvarchar(128) NOT NULL, xtype tinyint NOT NULL, "
    "xusertype smallint NOT NULL, length smallint NOT NULL, prec smallint, scale int, isnullable int NOT NULL, "
    "colstat smallint NOT NULL DEFAULT 0, isoutparam int NOT NULL DEFAULT 0, cdefault int NOT NULL DEFAULT 0, "
    "PRIMARY KEY (id, colid))",
    "CREATE TABLE IF NOT EXISTS %s.tw_comments (id int NOT NULL, colid smallint NOT NULL, text nvarchar(4000))",
    "CREATE TABLE IF NOT EXISTS %s.tw_depends (id int NOT NULL, depid int NOT NULL)",
    "CREATE TABLE IF NOT EXISTS %s.tw_indexes (id int NOT NULL, indid smallint NOT NULL, "
    "name nvarchar(128) COLLATE TWCI, status int NOT NULL, keycnt smallint NOT NULL, sqlname nvarchar(128))",
    "CREATE TABLE IF NOT EXISTS %s.tw_indexkeys (id int NOT NULL, indid smallint NOT NULL, colid smallint NOT NULL, "
    "keyno smallint NOT NULL)",
    "CREATE TABLE IF NOT EXISTS %s.tw_references (constid int NOT NULL, fkeyid int NOT NULL, rkeyid int NOT NULL, "
    "keycnt smallint NOT NULL, fkey1 smallint, fkey2 smallint, fkey3 smallint, fkey4 smallint, "
    "rkey1 smallint, rkey2 smallint, rkey3 smallint, rkey4 smallint)",
    "CREATE TABLE IF NOT EXISTS %s.tw_extprops (level0type varchar(128) COLLATE TWCI, "
    "level0name nvarchar(128) COLLATE TWCI, level1type varchar(128) COLLATE TWCI, "
    "level1name nvarchar(128) COLLATE TWCI, level2type varchar(128) COLLATE TWCI, "
    "level2name nvarchar(128) COLLATE TWCI, name nvarchar(128) COLLATE TWCI NOT NULL, value sql_variant)",
    "CREATE TABLE IF NOT EXISTS %s.tw_types (name nvarchar(128) COLLATE TWCI, xtype tinyint, status tinyint, "
    "xusertype smallint, length smallint, xprec tinyint, xscale tinyint, variable bit, allownulls bit, "
    "prec smallint, scale tinyint)",
    "CREATE TABLE IF NOT EXISTS %s.tw_users (uid smallint, status smallint, name nvarchar(128) COLLATE TWCI, "
    "issqlrole int, createdate datetime)",
    "CREATE TABLE IF NOT EXISTS %s.sysfiles (fileid smallint, groupid smallint, size int, maxsize int, growth int, "
    "status int, perf int, name nchar(128), filename nchar(260))",
    "CREATE TABLE IF NOT EXISTS %s.tw_protects (id int NOT NULL, uid smallint NOT NULL, action tinyint NOT NULL, "
    "protecttype tinyint NOT NULL, grantor smallint NOT NULL, PRIMARY KEY (id, uid, action))",
    "CREATE TABLE IF NOT EXISTS %s.tw_tableoptions (id int NOT NULL, name varchar(64) COLLATE TWCI NOT NULL, "
    "value int NOT NULL, PRIMARY KEY (id, name))",
    // Foreign keys and checks switched off with NOCHECK: the SQLite text of
    // each, taken out of its table until CHECK puts it back.
    "CREATE TABLE IF NOT EXISTS %s.tw_disabled (id int NOT NULL PRIMARY KEY, item text NOT NULL)",
    // Every statement looks its tables up by name, several times.
    "CREATE INDEX IF NOT EXISTS %s.tw_objects_name ON tw_objects (name, uid)",
    "CREATE INDEX IF NOT EXISTS %s.tw_objects_parent ON tw_objects (parent_obj)",
};

const char* const kViews[] = {
    "CREATE VIEW IF NOT EXISTS %s.sysobjects AS SELECT name, id, xtype, uid, 0 AS info, status, "
    "0 AS base_schema_ver, 0 AS replinfo, parent_obj, crdate, 0 AS ftcatid, 0 AS schema_ver, 0 AS stats_schema_ver, "
    "type, 0 AS userstat, "
    "CASE WHEN xtype = 'S ' THEN 1 ELSE 0 END AS sysstat, 0 AS indexdel, crdate AS refdate, 0 AS version, "
    "0 AS deltrig, 0 AS instrig, 0 AS updtrig, 0 AS seltrig, category, 0 AS cache FROM tw_objects",
    "CREATE VIEW IF NOT EXISTS %s.syscolumns AS SELECT c.name, c.id, c.xtype, 0 AS typestat, c.xusertype, "
    "c.length, c.prec AS xprec, c.scale AS xscale, c.colid, 0 AS xoffset, 0 AS bitpos, 0 AS reserved, c.colstat, "
    "c.cdefault, 0 AS domain, 0 AS number, c.colid AS colorder, NULL AS autoval, 0 AS offset, "
    "CASE WHEN c.xtype IN (35, 99, 167, 175, 231, 239) THEN 872468488 END AS collationid, 0 AS language, "
    "CASE WHEN c.isnullable THEN 8 ELSE 0 END AS status, c.xtype AS type, c.xusertype AS usertype, "
    "NULL AS printfmt, c.prec, c.scale, 0 AS iscomputed, c.isoutparam, c.isnullable, "
    "CASE WHEN c.xtype IN (35, 99, 167, 175, 231, 239) THEN 'SQL_Latin1_General_CP1_CI_AS' END AS collation "
    "FROM tw_columns AS c",
    "CREATE VIEW IF NOT EXISTS %s.systypes AS SELECT name, xtype, status, xusertype, length, xprec, xscale, "
    "0 AS tdefault, 0 AS domain, 1 AS uid, 0 AS reserved, "
    "CASE WHEN xtype IN (35, 99, 167, 175, 231, 239) THEN 872468488 END AS collationid, "
    "CASE WHEN xusertype < 256 THEN xusertype ELSE 0 END AS usertype, variable, allownulls, xtype AS type, "
    "NULL AS printfmt, prec, scale, "
    "CASE WHEN xtype IN (35, 99, 167, 175, 231, 239) THEN 'SQL_Latin1_General_CP1_CI_AS' END AS collation "
    "FROM tw_types",
    "CREATE VIEW IF NOT EXISTS %s.sysusers AS SELECT uid, status, name, CASE WHEN uid = 2 THEN X'00' WHEN login "
    "IS NULL THEN NULL WHEN login = 'sa' THEN X'01' ELSE CAST(login AS BLOB) END AS sid, NULL AS roles, "
    "createdate, createdate AS updatedate, 0 AS altuid, NULL AS password, 0 AS gid, NULL AS environ, "
    "CASE WHEN issqlrole THEN 0 ELSE 1 END AS hasdbaccess, CASE WHEN issqlrole THEN 0 ELSE 1 END AS islogin, "
    "0 AS isntname, 0 AS isntgroup, 0 AS isntuser, CASE WHEN issqlrole THEN 0 ELSE 1 END AS issqluser, "
    "0 AS isaliased, issqlrole, 0 AS isapprole FROM tw_users",
    "CREATE VIEW IF NOT EXISTS %s.syscomments AS SELECT id, CASE WHEN o.xtype = 'P ' THEN 1 ELSE 0 END AS number, "
    "c.colid, 0 AS status, CAST(c.text AS BLOB) AS ctext, 2 AS texttype, 0 AS language, 0 AS encrypted, "
    "0 AS compressed, c.text FROM tw_comments AS c JOIN tw_objects AS o USING (id)",
    "CREATE VIEW IF NOT EXISTS %s.sysdepends AS SELECT id, depid, 0 AS number, 0 AS depnumber, 1 AS status, "
    "1 AS deptype, 0 AS depdbid, 0 AS depsiteid, 0 AS selall, 0 AS resultobj, 1 AS readobj FROM tw_depends",
    // Row counts are the tables' own, read when asked (%n: this database's name); pages are
    // counted as DBCC CHECKTABLE reports them, the data on the heap or clustered index.
    "CREATE VIEW IF NOT EXISTS %s.sysindexes AS SELECT id, status, NULL AS first, indid, NULL AS root, 0 AS minlen, "
    "keycnt, 1 AS groupid, CASE WHEN indid < 2 THEN rowcnt / 50 + 1 ELSE 0 END AS dpages, rowcnt / 50 + 1 AS "
    "reserved, rowcnt / 50 + 1 AS used, rowcnt, 0 AS rowmodctr, 0 AS reserved3, 0 AS reserved4, 0 AS xmaxlen, "
    "0 AS maxirow, 0 AS OrigFillFactor, 0 AS StatVersion, 0 AS reserved2, NULL AS FirstIAM, 0 AS impid, "
    "0 AS lockflags, 0 AS pgmodctr, NULL AS keys, name, NULL AS statblob, 8000 AS maxlen, rowcnt AS rows FROM "
    "(SELECT o.id, 0 AS status, 0 AS indid, 0 AS keycnt, o.name, tw_rowcount(%n, o.id) AS rowcnt "
    "FROM tw_objects AS o WHERE o.xtype = 'U ' AND NOT EXISTS "
    "(SELECT 1 FROM tw_indexes AS i WHERE i.id = o.id AND i.indid = 1) "
    "UNION ALL SELECT id, status, indid, keycnt, name, tw_rowcount(%n, id) FROM tw_indexes)",
    "CREATE VIEW IF NOT EXISTS %s.sysindexkeys AS SELECT id, indid, colid, keyno FROM tw_indexkeys",
    "CREATE VIEW IF NOT EXISTS %s.sysreferences AS SELECT constid, fkeyid, rkeyid, 1 AS rkeyindid, keycnt, "
    "NULL AS forkeys, NULL AS refkeys, 0 AS fkeydbid, 0 AS rkeydbid, fkey1, fkey2, fkey3, fkey4, rkey1, rkey2, "
    "rkey3, rkey4 FROM tw_references",
    "CREATE VIEW IF NOT EXISTS %s.sysforeignkeys AS SELECT constid, fkeyid, rkeyid, fkey1 AS fkey, rkey1 AS rkey, "
    "1 AS keyno FROM tw_references",
    "CREATE VIEW IF NOT EXISTS %s.sysconstraints AS SELECT id AS constid, parent_obj AS id, 0 AS colid, "
    "0 AS spare1, CASE xtype WHEN 'PK' THEN 1 WHEN 'UQ' THEN 2 WHEN 'F ' THEN 3 WHEN 'C ' THEN 4 ELSE 5 END "
    "AS status, 0 AS actions, 0 AS error FROM tw_objects WHERE xtype IN ('PK', 'UQ', 'F ', 'C ', 'D ') "
    "AND parent_obj <> 0",
    // One file group, as every database here keeps its data in one file.
    "CREATE VIEW IF NOT EXISTS %s.sysfilegroups AS SELECT CAST(1 AS smallint) AS groupid, 0 AS allocpolicy, "
    "16 AS status, CAST('PRIMARY' AS nvarchar(128)) AS groupname",
    "CREATE VIEW IF NOT EXISTS %s.sysprotects AS SELECT id, uid, action, protecttype, X'01' AS columns, grantor "
    "FROM tw_protects",
};

const char* const kMasterTables[] = {
    "CREATE TABLE IF NOT EXISTS %s.tw_databases (name nvarchar(128) COLLATE TWCI NOT NULL, dbid smallint NOT NULL, "
    "crdate datetime NOT NULL, cmptlevel tinyint NOT NULL, filename nvarchar(260))",
    "CREATE TABLE IF NOT EXISTS %s.tw_logins (name nvarchar(128) COLLATE TWCI NOT NULL, dbname nvarchar(128), "
    "createdate datetime, sysadmin int)",
    // Salted password digests by login; never the passwords themselves.
    "CREATE TABLE IF NOT EXISTS %s.tw_login_passwords (name nvarchar(128) COLLATE TWCI NOT NULL PRIMARY KEY, "
    "hash varchar(96) NOT NULL)",
    // sysdatabases.status bits beyond the fixed ones (512 offline), by database.
    "CREATE TABLE IF NOT EXISTS %s.tw_database_status (name nvarchar(128) COLLATE TWCI NOT NULL PRIMARY KEY, "
    "status int NOT NULL)",
};

const char* const kMasterViews[] = {
    "CREATE VIEW IF NOT EXISTS %s.sysdatabases AS SELECT d.name, d.dbid, X'01' AS sid, 0 AS mode, "
    "16 | coalesce((SELECT s.status FROM tw_database_status AS s WHERE s.name = d.name), "
    "CASE WHEN d.name IN ('master', 'tempdb') THEN 8 ELSE 0 END) AS status, "
    "1090519040 AS status2, d.crdate, d.crdate AS reserved, 0 AS category, d.cmptlevel, d.filename, 539 AS version "
    "FROM tw_databases AS d",
    // Every database's files, as each one's sysfiles has them.
    "CREATE VIEW IF NOT EXISTS %s.sysaltfiles AS SELECT CAST(1 AS smallint) AS fileid, "
    "CAST(1 AS smallint) AS groupid, 128 AS size, -1 AS maxsize, 10 AS growth, 2 AS status, 0 AS perf, dbid, "
    "'data' AS name, filename, 0 AS createlsn, 0 AS droplsn FROM tw_databases UNION ALL SELECT 2, 0, 64, -1, 10, "
    "66, 0, dbid, 'log', filename || '.log', 0, 0 FROM tw_databases",
    "CREATE VIEW IF NOT EXISTS %s.syslogins AS SELECT CASE WHEN name = 'sa' THEN X'01' ELSE CAST(name AS BLOB) END "
    "AS sid, 9 AS status, createdate, createdate AS updatedate, "
    "createdate AS accdate, 0 AS totcpu, 0 AS totio, 0 AS spacelimit, 0 AS timelimit, 0 AS resultlimit, name, "
    "dbname, NULL AS password, 'us_english' AS language, 0 AS denylogin, 1 AS hasaccess, 0 AS isntname, "
    "0 AS isntgroup, 0 AS isntuser, sysadmin, 0 AS securityadmin, 0 AS serveradmin, 0 AS setupadmin, "
    "0 AS processadmin, 0 AS diskadmin, 0 AS dbcreator, 0 AS bulkadmin, name AS loginname FROM tw_logins",
};

// The view a "CREATE VIEW IF NOT EXISTS %s.name AS ..." pattern makes, so that
// an older file gets the current definition.
std::string DropViewFor(const char* pattern, const std::string& schema)
{
    const std::string text = pattern;
    const size_t start = text.find("%s.") + 3;
    return "DROP VIEW IF EXISTS " + schema + "." + text.substr(start, text.find(' ', start) - start);
}

std::string Format(const char* pattern, const std::string& schema, const std::string& databaseLiteral = {})
{
    std::string out = pattern;
    const size_t at = out.find("%s");
    out.replace(at, 2, schema);
    for (size_t name = out.find("%n"); name != std::string::npos; name = out.find("%n", name))
        out.replace(name, 2, databaseLiteral);
    return out;
}

struct SystemType {
    const char* name;
    int xtype;
    int xusertype;
    int length;
    int prec;
    int scale;
    int variable;
};

const SystemType kTypes[] = {
    {"image", 34, 34, 16, 0, 0, 0}, {"text", 35, 35, 16, 0, 0, 0}, {"uniqueidentifier", 36, 36, 16, 0, 0, 0},
    {"tinyint", 48, 48, 1, 3, 0, 0}, {"smallint", 52, 52, 2, 5, 0, 0}, {"int", 56, 56, 4, 10, 0, 0},
    {"smalldatetime", 58, 58, 4, 16, 0, 0}, {"real", 59, 59, 4, 24, 0, 0}, {"money", 60, 60, 8, 19, 4, 0},
    {"datetime", 61, 61, 8, 23, 3, 0}, {"float", 62, 62, 8, 53, 0, 0}, {"sql_variant", 98, 98, 8016, 0, 0, 0},
    {"ntext", 99, 99, 16, 0, 0, 0}, {"bit", 104, 104, 1, 1, 0, 0}, {"decimal", 106, 106, 17, 38, 38, 0},
    {"numeric", 108, 108, 17, 38, 38, 0}, {"smallmoney", 122, 122, 4, 10, 4, 0}, {"bigint", 127, 127, 8, 19, 0, 0},
    {"varbinary", 165, 165, 8000, 8000, 0, 1}, {"varchar", 167, 167, 8000, 8000, 0, 1},
    {"binary", 173, 173, 8000, 8000, 0, 0}, {"char", 175, 175, 8000, 8000, 0, 0},
    {"timestamp", 189, 189, 8, 8, 0, 0}, {"nvarchar", 231, 231, 8000, 4000, 0, 1},
    {"sysname", 231, 256, 256, 128, 0, 1}, {"nchar", 239, 239, 8000, 4000, 0, 0}};

const char* const kSystemTables[] = {"sysobjects", "sysindexes", "syscolumns", "systypes", "syscomments",
                                     "sysfiles", "syspermissions", "sysusers", "sysproperties", "sysdepends",
                                     "sysreferences", "sysindexkeys", "sysforeignkeys", "sysconstraints",
                                     "sysprotects"};
const char* const kMasterSystemTables[] = {"sysdatabases", "syslogins", "sysprocesses", "syslockinfo",
                                           "sysservers", "syscharsets", "sysconfigures"};

// master's table of numbers and codes that DBA scripts read (type 'P': the numbers 0 to 2047).
const char* const kServerValues =
    "CREATE TABLE IF NOT EXISTS %s.spt_values (name nvarchar(35) COLLATE TWCI, number int NOT NULL, "
    "type nchar(3) COLLATE TWCI NOT NULL, low int, high int, status int DEFAULT 0)";

} // namespace catalog_detail


Catalog::Catalog(sqlite3* db, std::string schema) : db_(db), schema_(std::move(schema)) {}

std::string Catalog::Table(const std::string& name) const { return Translator::Quote(schema_) + "." + name; }

std::string Catalog::Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S.000", &local);
    return buffer;
}

void Catalog::Install(bool isMaster, const std::string& fileName)
{
    const std::string schema = Translator::Quote(schema_);
    const bool fresh = SqliteStatement::QueryInt(
                           db_, "SELECT count(*) FROM " + schema + ".sqlite_master WHERE name = 'tw_objects'") == 0;
    SqliteStatement::Exec(db_, "SAVEPOINT tw_install");
    try {
        for (const char* sql : catalog_detail::kTables)
            SqliteStatement::Exec(db_, catalog_detail::Format(sql, schema));
        AddUserLogins();
        for (const char* sql : catalog_detail::kViews) {
            SqliteStatement::Exec(db_, catalog_detail::DropViewFor(sql, schema));
            SqliteStatement::Exec(db_, catalog_detail::Format(sql, schema, Translator::Literal(schema_)));
        }
        if (isMaster) {
            for (const char* sql : catalog_detail::kMasterTables)
                SqliteStatement::Exec(db_, catalog_detail::Format(sql, schema));
            for (const char* sql : catalog_detail::kMasterViews) {
                SqliteStatement::Exec(db_, catalog_detail::DropViewFor(sql, schema));
                SqliteStatement::Exec(db_, catalog_detail::Format(sql, schema));
            }
        }
        if (fresh) {
            for (const catalog_detail::SystemType& t : catalog_detail::kTypes) {
                SqliteStatement s(db_, "INSERT INTO " + Table("tw_types") +
                                           " VALUES (?, ?, 0, ?, ?, ?, ?, ?, 1, ?, ?)");
                s.Bind(1, std::string(t.name)).Bind(2, t.xtype).Bind(3, t.xusertype).Bind(4, t.length);
                s.Bind(5, t.prec).Bind(6, t.scale).Bind(7, t.variable).Bind(8, t.prec).Bind(9, t.scale);
                s.Step();
            }
            const std::string now = Now();
            const std::pair<int, const char*> users[] = {{0, "public"}, {1, "dbo"}, {2, "guest"},
                                                         {3, "INFORMATION_SCHEMA"}, {16384, "db_owner"}};
            for (const auto& [uid, name] : users) {
                SqliteStatement s(db_, "INSERT INTO " + Table("tw_users") +
                                           " (uid, status, name, issqlrole, createdate, login) "
                                           "VALUES (?, ?, ?, ?, ?, ?)");
                const bool role = uid == 0 || uid >= 16384;
                s.Bind(1, uid).Bind(2, uid == 1 ? 2 : 0).Bind(3, std::string(name)).Bind(4, role ? 1 : 0);
                s.Bind(5, now);
                if (uid == kDboUid)
                    s.Bind(6, std::string("sa"));
                else
                    s.BindNull(6);
                s.Step();
            }
            int64_t id = 1;
            for (const char* name : catalog_detail::kSystemTables) {
                SqliteStatement s(db_, "INSERT INTO " + Table("tw_objects") +
                                            " (id, name, xtype, uid, crdate, status, type) VALUES (?, ?, 'S ', 1, ?, 1, 'S ')");
                s.Bind(1, id++).Bind(2, std::string(name)).Bind(3, now).Step();
            }
            if (isMaster)
                for (const char* name : catalog_detail::kMasterSystemTables) {
                    SqliteStatement s(db_, "INSERT INTO " + Table("tw_objects") +
                                                " (id, name, xtype, uid, crdate, status, type) VALUES (?, ?, 'S ', 1, ?, 1, 'S ')");
                    s.Bind(1, id++).Bind(2, std::string(name)).Bind(3, now).Step();
                }
            SqliteStatement files(db_, "INSERT INTO " + Table("sysfiles") + " VALUES (1, 1, 128, -1, 10, 2, 0, 'data', ?), "
                                                                         "(2, 0, 64, -1, 10, 66, 0, 'log', ?)");
            files.Bind(1, fileName).Bind(2, fileName + ".log").Step();
            if (isMaster) {
                SqliteStatement s(db_, "INSERT INTO " + Table("tw_logins") + " VALUES ('sa', 'master', ?, 1)");
                s.Bind(1, now).Step();
            }
        }
        if (isMaster)
            InstallServerValues();
        SqliteStatement::Exec(db_, "RELEASE tw_install");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK TO tw_install; RELEASE tw_install", nullptr, nullptr, nullptr);
        throw;
    }
}

// Added to older master files too, when they lack it.
void Catalog::InstallServerValues()
{
    if (ObjectId("sysaltfiles") == 0)
        AddSystemTable("sysaltfiles");
    if (ObjectId("spt_values") != 0)
        return;
    SqliteStatement::Exec(db_, catalog_detail::Format(catalog_detail::kServerValues, Translator::Quote(schema_)));
    SqliteStatement::Exec(db_, "INSERT INTO " + Table("spt_values") + " (name, number, type, low, high, status) "
                               "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2047) "
                               "SELECT NULL, i, 'P', CASE WHEN i < 1024 THEN i / 8 + 1 END, "
                               "CASE WHEN i < 1024 THEN 1 << (i % 8) END, 0 FROM n");
    const int64_t id = AddObject("spt_values", kTable);
    std::vector<CatalogColumn> columns;
    for (const char* declared : {"name nvarchar(35)", "number int", "type nchar(3)", "low int", "high int",
                                 "status int"}) {
        const std::string text = declared;
        const size_t space = text.find(' ');
        columns.push_back({text.substr(0, space), TypeSpec::FromDeclared(text.substr(space + 1)),
                           text.rfind("number", 0) != 0 && text.rfind("type", 0) != 0});
    }
    AddColumns(id, columns);
    MarkSystem(id);
}

void Catalog::AddSystemTable(const std::string& name)
{
    const int64_t id = SqliteStatement::QueryInt(db_, "SELECT max(id) FROM " + Table("tw_objects") +
                                                          " WHERE xtype = 'S '", 0) + 1;
    SqliteStatement s(db_, "INSERT INTO " + Table("tw_objects") +
                               " (id, name, xtype, uid, crdate, status, type) VALUES (?, ?, 'S ', 1, ?, 1, 'S ')");
    s.Bind(1, id).Bind(2, name).Bind(3, Now()).Step();
}

int64_t Catalog::AddObject(const std::string& name, const std::string& xtype, int64_t parent, int uid)
{
    // Ids look like SQL Server's: large, stable and never reused.
    const int64_t last = SqliteStatement::QueryInt(db_, "SELECT max(id) FROM " + Table("tw_objects"), 0);
    const int64_t id = last < 1977058079 ? 1977058079 : last + 16000057 % 1000 + 1;
    SqliteStatement s(db_, "INSERT INTO " + Table("tw_objects") +
                               " (id, name, xtype, uid, parent_obj, crdate, status, type) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    const std::string type = xtype == kPrimaryKey || xtype == kUnique ? "K " : xtype;
    s.Bind(1, id).Bind(2, name).Bind(3, xtype).Bind(4, uid).Bind(5, parent).Bind(6, Now());
    s.Bind(7, int64_t{1610612736}).Bind(8, type);
    s.Step();
    return id;
}

void Catalog::AddColumns(int64_t id, const std::vector<CatalogColumn>& columns)
{
    int colid = 1;
    for (const CatalogColumn& c : columns) {
        SqliteStatement s(db_, "INSERT INTO " + Table("tw_columns") +
                                   " (id, colid, name, typename, xtype, xusertype, length, prec, scale, isnullable,"
                                   " colstat, isoutparam, cdefault) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        s.Bind(1, id).Bind(2, colid++).Bind(3, c.name).Bind(4, c.type.Spelling()).Bind(5, c.type.XType());
        s.Bind(6, c.type.XUserType()).Bind(7, c.type.StorageLength()).Bind(8, c.type.Precision()).Bind(9, c.type.Scale());
        s.Bind(10, c.nullable ? 1 : 0).Bind(11, c.identity ? 1 : 0).Bind(12, c.output ? 1 : 0).Bind(13, c.defaultId);
        s.Step();
    }
}

void Catalog::SetText(int64_t id, const std::string& text)
{
    SqliteStatement del(db_, "DELETE FROM " + Table("tw_comments") + " WHERE id = ?");
    del.Bind(1, id).Step();
    // syscomments keeps long texts in rows of 4000 characters.
    int colid = 1;
    for (size_t at = 0; at < text.size() || colid == 1; at += 4000) {
        SqliteStatement s(db_, "INSERT INTO " + Table("tw_comments") + " VALUES (?, ?, ?)");
        s.Bind(1, id).Bind(2, colid++).Bind(3, text.substr(at, 4000)).Step();
        if (text.empty())
            break;
    }
}

void Catalog::AddDependency(int64_t id, int64_t dependsOn)
{
    SqliteStatement s(db_, "INSERT INTO " + Table("tw_depends") + " VALUES (?, ?)");
    s.Bind(1, id).Bind(2, dependsOn).Step();
}

void Catalog::AddIndex(int64_t tableId, int indid, const std::string& name, bool unique, bool clustered,
                       const std::vector<int>& columnIds, const std::string& sqliteName)
{
    const int status = (unique ? 2 : 0) | (clustered ? 16 : 0);
    SqliteStatement s(db_, "INSERT INTO " + Table("tw_indexes") + " VALUES (?, ?, ?, ?, ?, ?)");
    s.Bind(1, tableId).Bind(2, indid).Bind(3, name).Bind(4, status);
    s.Bind(5, static_cast<int64_t>(columnIds.size())).Bind(6, sqliteName).Step();
    int keyno = 1;
    for (int colid : columnIds) {
        SqliteStatement k(db_, "INSERT INTO " + Table("tw_indexkeys") + " VALUES (?, ?, ?, ?)");
        k.Bind(1, tableId).Bind(2, indid).Bind(3, colid).Bind(4, keyno++).Step();
    }
}

void Catalog::AddReference(int64_t constraintId, int64_t fromTable, int64_t toTable,
                           const std::vector<int>& fromColumns, const std::vector<int>& toColumns)
{
    SqliteStatement s(db_, "INSERT INTO " + Table("tw_references") +
                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    s.Bind(1, constraintId).Bind(2, fromTable).Bind(3, toTable).Bind(4, static_cast<int64_t>(fromColumns.size()));
    for (int i = 0; i < 4; ++i) {
        if (i < static_cast<int>(fromColumns.size()))
            s.Bind(5 + i, fromColumns[i]);
        else
            s.BindNull(5 + i);
        if (i < static_cast<int>(toColumns.size()))
            s.Bind(9 + i, toColumns[i]);
        else
            s.BindNull(9 + i);
    }
    s.Step();
}

void Catalog::DropObject(int64_t id)
{
    std::vector<int64_t> children;
    {
        SqliteStatement s(db_, "SELECT id FROM " + Table("tw_objects") + " WHERE parent_obj = ?");
        s.Bind(1, id);
        while (s.Step())
            children.push_back(s.Int(0));
    }
    for (int64_t child : children)
        DropObject(child);
    const char* const tables[] = {"tw_objects", "tw_columns", "tw_comments", "tw_indexes", "tw_indexkeys",
                                  "tw_tableoptions", "tw_protects", "tw_disabled"};
    for (const char* table : tables) {
        SqliteStatement s(db_, "DELETE FROM " + Table(table) + " WHERE id = ?");
        s.Bind(1, id).Step();
    }
    SqliteStatement d(db_, "DELETE FROM " + Table("tw_depends") + " WHERE id = ? OR depid = ?");
    d.Bind(1, id).Bind(2, id).Step();
    SqliteStatement r(db_, "DELETE FROM " + Table("tw_references") + " WHERE constid = ? OR fkeyid = ? OR rkeyid = ?");
    r.Bind(1, id).Bind(2, id).Bind(3, id).Step();
}

int64_t Catalog::ObjectId(const std::string& name, const std::string& xtypes) const
{
    return Resolve("", name, xtypes, kDboUid);
}

namespace catalog_detail {
thread_local Catalog::LookupMemo* currentMemo = nullptr;
} // namespace catalog_detail

Catalog::LookupMemo::LookupMemo() : outer_(catalog_detail::currentMemo) { catalog_detail::currentMemo = this; }
Catalog::LookupMemo::~LookupMemo() { catalog_detail::currentMemo = outer_; }
bool Catalog::LookupMemo::Active() { return catalog_detail::currentMemo != nullptr; }

const std::vector<int64_t>* Catalog::LookupMemo::Recall(const std::string& key)
{
    LookupMemo* memo = catalog_detail::currentMemo;
    if (!memo)
        return nullptr;
    const auto it = memo->facts_.find(key);
    return it == memo->facts_.end() ? nullptr : &it->second;
}

void Catalog::LookupMemo::Remember(const std::string& key, std::vector<int64_t> facts)
{
    if (LookupMemo* memo = catalog_detail::currentMemo)
        memo->facts_[key] = std::move(facts);
}
Catalog::LookupMemo::Suspension::Suspension() : suspended_(catalog_detail::currentMemo)
{
    catalog_detail::currentMemo = nullptr;
}
Catalog::LookupMemo::Suspension::~Suspension() { catalog_detail::currentMemo = suspended_; }

int64_t Catalog::Resolve(const std::string& owner, const std::string& name, const std::string& xtypes,
                         int callerUid) const
{
    LookupMemo* memo = catalog_detail::currentMemo;
    std::string key;
    if (memo) {
        key = schema_ + '\x1f' + owner + '\x1f' + name + '\x1f' + xtypes + '\x1f' + std::to_string(callerUid);
        const auto it = memo->found_.find(key);
        if (it != memo->found_.end())
            return it->second;
    }
    const int64_t id = ResolveStored(owner, name, xtypes, callerUid);
    if (memo && id)
        memo->found_[key] = id;
    return id;
}

int64_t Catalog::ResolveStored(const std::string& owner, const std::string& name, const std::string& xtypes,
                               int callerUid) const
{
    std::vector<int> owners;
    if (!owner.empty()) {
        const int uid = UserId(owner);
        if (uid < 0)
            return 0;
        owners.push_back(uid);
    } else {
        owners.push_back(callerUid);
        if (callerUid != kDboUid)
            owners.push_back(kDboUid);
    }
    std::string sql = "SELECT id FROM " + Table("tw_objects") + " WHERE name = ? AND uid = ?";
    if (!xtypes.empty())
        sql += " AND instr(?, xtype) > 0";
    SqliteStatement s(db_, sql);
    for (const int uid : owners) {
        s.Reset();
        s.Bind(1, name).Bind(2, int64_t{uid});
        if (!xtypes.empty())
            s.Bind(3, xtypes);
        if (s.Step())
            return s.Int(0);
    }
    return 0;
}

int Catalog::ObjectUid(int64_t id) const
{
    SqliteStatement s(db_, "SELECT uid FROM " + Table("tw_objects") + " WHERE id = ?");
    s.Bind(1, id);
    return s.Step() ? static_cast<int>(s.Int(0)) : -1;
}

std::string Catalog::StorageName(int64_t id) const
{
    LookupMemo* memo = catalog_detail::currentMemo;
    const std::string key = memo ? schema_ + '\x1f' + std::to_string(id) : std::string();
    if (memo) {
        const auto it = memo->storage_.find(key);
        if (it != memo->storage_.end())
            return it->second;
    }
    std::string storage = StoredName(id);
    if (memo && !storage.empty())
        memo->storage_[key] = storage;
    return storage;
}

std::string Catalog::StoredName(int64_t id) const
{
    SqliteStatement s(db_, "SELECT uid, name FROM " + Table("tw_objects") + " WHERE id = ?");
    s.Bind(1, id);
    if (!s.Step())
        return std::string();
    const int uid = static_cast<int>(s.Int(0));
    const std::string name = s.Text(1);
    s.Reset();
    return StorageName(uid, name);
}

std::string Catalog::StorageName(int uid, const std::string& name) const
{
    return uid == kDboUid ? name : UserName(uid) + "." + name;
}

int64_t Catalog::StoredTableId(const std::string& storage) const
{
    if (const int64_t id = Resolve("dbo", storage, kTable))
        return id;
    // "owner.name": the owner is the part before one of the full stops.
    for (size_t dot = storage.find('.'); dot != std::string::npos; dot = storage.find('.', dot + 1)) {
        const std::string owner = storage.substr(0, dot);
        if (UserId(owner) > kDboUid)
            if (const int64_t id = Resolve(owner, storage.substr(dot + 1), kTable))
                return id;
    }
    return 0;
}

bool Catalog::HasClusteredIndex(int64_t tableId) const
{
    SqliteStatement s(db_, "SELECT count(*) FROM " + Table("tw_indexes") + " WHERE id = ? AND indid = 1");
    s.Bind(1, tableId).Step();
    return s.Int(0) > 0;
}

int Catalog::UserId(const std::string& name) const
{
    SqliteStatement s(db_, "SELECT uid FROM " + Table("tw_users") + " WHERE name = ?");
    s.Bind(1, name);
    return s.Step() ? static_cast<int>(s.Int(0)) : -1;
}

std::string Catalog::UserName(int uid) const
{
    SqliteStatement s(db_, "SELECT name FROM " + Table("tw_users") + " WHERE uid = ?");
    s.Bind(1, int64_t{uid});
    return s.Step() ? s.Text(0) : std::string();
}

int Catalog::AddUser(const std::string& name, const std::string& login)
{
    // New users number from 5 upwards, below the roles' 16384, as the server numbers them.
    const int uid = static_cast<int>(std::max<int64_t>(
        5, SqliteStatement::QueryInt(db_, "SELECT max(uid) + 1 FROM " + Table("tw_users") + " WHERE uid < 16384", 5)));
    SqliteStatement s(db_, "INSERT INTO " + Table("tw_users") +
                               " (uid, status, name, issqlrole, createdate, login) VALUES (?, 2, ?, 0, ?, ?)");
    s.Bind(1, int64_t{uid}).Bind(2, name).Bind(3, Now()).Bind(4, login).Step();
    return uid;
}

int Catalog::LoginUid(const std::string& login) const
{
    if (Logins::IsSa(login))
        return kDboUid;
    const int uid = UserOfLogin(login);
    return uid > 0 && uid < 16384 ? uid : kGuestUid;
}

int Catalog::UserOfLogin(const std::string& login) const
{
    SqliteStatement s(db_, "SELECT uid FROM " + Table("tw_users") + " WHERE login = ? COLLATE TWCI");
    s.Bind(1, login);
    return s.Step() ? static_cast<int>(s.Int(0)) : -1;
}

// Users record the login they stand for; files made before that was kept
// take each user as the login of its name, as they were matched then.
void Catalog::AddUserLogins()
{
    if (SqliteStatement::QueryInt(db_, "SELECT count(*) FROM pragma_table_info('tw_users', " +
                                           Translator::Literal(schema_) + ") WHERE name = 'login'") > 0)
        return;
    SqliteStatement::Exec(db_, "ALTER TABLE " + Table("tw_users") + " ADD COLUMN login nvarchar(128) COLLATE TWCI");
    SqliteStatement::Exec(db_, "UPDATE " + Table("tw_users") +
                                   " SET login = CASE WHEN uid = 1 THEN 'sa' ELSE name END WHERE uid = 1 OR "
                                   "(uid >= 5 AND uid < 16384)");
}

void Catalog::DropUser(int uid)
{
    SqliteStatement s(db_, "DELETE FROM " + Table("tw_users") + " WHERE uid = ?");
    s.Bind(1, int64_t{uid}).Step();
    SqliteStatement p(db_, "DELETE FROM " + Table("tw_protects") + " WHERE uid = ?");
    p.Bind(1, int64_t{uid}).Step();
}

std::string Catalog::ObjectName(int64_t id) const
{
    SqliteStatement s(db_, "SELECT name FROM " + Table("tw_objects") + " WHERE id = ?");
    s.Bind(1, id);
    return s.Step() ? s.Text(0) : std::string();
}

std::string Catalog::ObjectType(int64_t id) const
{
    SqliteStatement s(db_, "SELECT xtype FROM " + Table("tw_objects") + " WHERE id = ?");
    s.Bind(1, id);
    return s.Step() ? s.Text(0) : std::string();
}

std::string Catalog::Text(int64_t id) const
{
    SqliteStatement s(db_, "SELECT text FROM " + Table("tw_comments") + " WHERE id = ? ORDER BY colid");
    s.Bind(1, id);
    std::string text;
    while (s.Step())
        text += s.Text(0);
    return text;
}

std::vector<CatalogColumn> Catalog::Columns(int64_t id) const
{
    LookupMemo* memo = catalog_detail::currentMemo;
    const std::string key = memo ? schema_ + '\x1f' + std::to_string(id) : std::string();
    if (memo) {
        const auto it = memo->columns_.find(key);
        if (it != memo->columns_.end())
            return it->second;
    }
    std::vector<CatalogColumn> columns = StoredColumns(id);
    if (memo && !columns.empty())
        memo->columns_[key] = columns;
    return columns;
}

std::vector<CatalogColumn> Catalog::StoredColumns(int64_t id) const
{
    SqliteStatement s(db_, "SELECT name, typename, isnullable, colstat, isoutparam, cdefault, xusertype FROM " +
                               Table("tw_columns") + " WHERE id = ? ORDER BY colid");
    s.Bind(1, id);
    std::vector<CatalogColumn> columns;
    while (s.Step()) {
        CatalogColumn c;
        c.name = s.Text(0);
        c.type = TypeSpec::FromDeclared(s.Text(1));
        c.nullable = s.Int(2) != 0;
        c.identity = s.Int(3) != 0;
        c.output = s.Int(4) != 0;
        c.defaultId = s.Int(5);
        if (s.Int(6) > 256)
            c.type.userType = static_cast<int>(s.Int(6));
        columns.push_back(c);
    }
    return columns;
}

int Catalog::ColumnId(int64_t tableId, const std::string& column) const
{
    SqliteStatement s(db_, "SELECT colid FROM " + Table("tw_columns") + " WHERE id = ? AND name = ?");
    s.Bind(1, tableId).Bind(2, column);
    return s.Step() ? static_cast<int>(s.Int(0)) : 0;
}

bool Catalog::ColumnType(const std::string& table, const std::string& column, TypeSpec* type, bool* nullable) const
{
    SqliteStatement s(db_, "SELECT c.typename, c.isnullable FROM " + Table("tw_columns") + " AS c JOIN " +
                               Table("tw_objects") + " AS o ON o.id = c.id WHERE o.name = ? AND c.name = ? "
                               "AND o.xtype IN ('U ', 'S ')");
    s.Bind(1, table).Bind(2, column);
    if (!s.Step())
        return false;
    *type = TypeSpec::FromDeclared(s.Text(0));
    *nullable = s.Int(1) != 0;
    return true;
}

// User types are numbered from 257, after sysname's 256, as SQL Server numbers them.
bool Catalog::ResolveUserType(TypeSpec& type) const
{
    if (type.IsSupported() || type.length != -1 || type.precision != -1)
        return false;
    SqliteStatement s(db_, "SELECT u.xusertype, b.name, u.length, u.prec, u.scale, u.allownulls FROM " +
                               Table("tw_types") + " AS u JOIN " + Table("tw_types") +
                               " AS b ON b.xusertype = u.xtype WHERE u.name = ? AND u.xusertype > 256");
    s.Bind(1, type.name);
    if (!s.Step())
        return false;
    TypeSpec base;
    base.name = s.Text(1);
    if (base.IsCharacter() || base.IsBinary())
        base.length = static_cast<int>(base.IsUnicode() ? s.Int(2) / 2 : s.Int(2));
    if (base.name == "decimal" || base.name == "numeric") {
        base.precision = static_cast<int>(s.Int(3));
        base.scale = static_cast<int>(s.Int(4));
    }
    base.userType = static_cast<int>(s.Int(0));
    base.userTypeAllowsNulls = s.Int(5) != 0;
    type = base;
    return true;
}

int Catalog::AddUserType(const std::string& name, const TypeSpec& base, bool allowNulls)
{
    const int userType = static_cast<int>(
        std::max<int64_t>(256, SqliteStatement::QueryInt(db_, "SELECT max(xusertype) FROM " + Table("tw_types"), 0)) + 1);
    SqliteStatement s(db_, "INSERT INTO " + Table("tw_types") + " VALUES (?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?)");
    const bool variable = base.name == "varchar" || base.name == "nvarchar" || base.name == "varbinary";
    s.Bind(1, name).Bind(2, base.XType()).Bind(3, userType).Bind(4, base.StorageLength());
    s.Bind(5, base.Precision()).Bind(6, base.Scale()).Bind(7, variable ? 1 : 0).Bind(8, allowNulls ? 1 : 0);
    s.Bind(9, base.Precision()).Bind(10, base.Scale());
    s.Step();
    return userType;
}

bool Catalog::TypeInUse(int userType) const
{
    SqliteStatement s(db_, "SELECT 1 FROM " + Table("tw_columns") + " WHERE xusertype = ?");
    s.Bind(1, userType);
    return s.Step();
}

void Catalog::DropUserType(int userType)
{
    SqliteStatement s(db_, "DELETE FROM " + Table("tw_types") + " WHERE xusertype = ?");
    s.Bind(1, userType).Step();
}

// sysobjects.status as a signed 32-bit int; the top bit marks a system object.
void Catalog::MarkSystem(int64_t id)
{
    SqliteStatement s(db_, "UPDATE " + Table("tw_objects") +
                               " SET status = ((status | 3221225473) & 4294967295) - 4294967296 WHERE id = ?");
    s.Bind(1, id).Step();
}

bool Catalog::IsMarkedSystem(int64_t id) const
{
    SqliteStatement s(db_, "SELECT status & 2147483648 FROM " + Table("tw_objects") + " WHERE id = ?");
    s.Bind(1, id);
    return s.Step() && s.Int(0) != 0;
}

} // namespace tw::server
