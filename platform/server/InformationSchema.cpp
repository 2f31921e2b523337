#include "platform/server/InformationSchema.h"

#include <utility>

#include "platform/server/Translator.h"

namespace tw::server {

namespace information_schema_detail {

// Each view's query; %s stands for the database's SQLite schema, %n for its name as text.
const std::pair<const char*, const char*> kViews[] = {
    {"tables",
     "SELECT %n AS TABLE_CATALOG, u.name AS TABLE_SCHEMA, o.name AS TABLE_NAME, "
     "CASE o.xtype WHEN 'V ' THEN 'VIEW' ELSE 'BASE TABLE' END AS TABLE_TYPE "
     "FROM %s.tw_objects AS o JOIN %s.tw_users AS u ON u.uid = o.uid WHERE o.xtype IN ('U ', 'V ')"},
    {"columns",
     "SELECT %n AS TABLE_CATALOG, u.name AS TABLE_SCHEMA, o.name AS TABLE_NAME, c.name AS COLUMN_NAME, "
     "c.colid AS ORDINAL_POSITION, (SELECT m.text FROM %s.tw_comments AS m WHERE m.id = c.cdefault "
     "ORDER BY m.colid LIMIT 1) AS COLUMN_DEFAULT, CASE WHEN c.isnullable THEN 'YES' ELSE 'NO' END AS IS_NULLABLE, "
     "b.name AS DATA_TYPE, "
     "CASE WHEN c.xtype IN (167, 175) THEN c.length WHEN c.xtype IN (231, 239) THEN c.length / 2 "
     "WHEN c.xtype IN (165, 173) THEN c.length WHEN c.xtype IN (35, 34) THEN 2147483647 "
     "WHEN c.xtype = 99 THEN 1073741823 END AS CHARACTER_MAXIMUM_LENGTH, "
     "CASE WHEN c.xtype IN (167, 175, 231, 239, 165, 173) THEN c.length WHEN c.xtype IN (35, 34, 99) "
     "THEN 2147483647 END AS CHARACTER_OCTET_LENGTH, "
     "CASE WHEN c.xtype IN (48, 52, 56, 127, 59, 62, 60, 122, 106, 108, 104) THEN c.prec END AS NUMERIC_PRECISION, "
     "CASE WHEN c.xtype IN (48, 52, 56, 127, 60, 122, 106, 108, 104) THEN 10 WHEN c.xtype IN (59, 62) THEN 2 END "
     "AS NUMERIC_PRECISION_RADIX, "
     "CASE WHEN c.xtype IN (48, 52, 56, 127, 60, 122, 106, 108, 104) THEN c.scale END AS NUMERIC_SCALE, "
     "CASE c.xtype WHEN 61 THEN 3 WHEN 58 THEN 0 END AS DATETIME_PRECISION, "
     "NULL AS CHARACTER_SET_CATALOG, NULL AS CHARACTER_SET_SCHEMA, "
     "CASE WHEN c.xtype IN (167, 175, 35) THEN 'iso_1' WHEN c.xtype IN (231, 239, 99) THEN 'UNICODE' END "
     "AS CHARACTER_SET_NAME, NULL AS COLLATION_CATALOG, NULL AS COLLATION_SCHEMA, "
     "CASE WHEN c.xtype IN (167, 175, 35, 231, 239, 99) THEN 'SQL_Latin1_General_CP1_CI_AS' END AS COLLATION_NAME, "
     "CASE WHEN c.xusertype > 256 THEN %n END AS DOMAIN_CATALOG, "
     "CASE WHEN c.xusertype > 256 THEN 'dbo' END AS DOMAIN_SCHEMA, "
     "(SELECT d.name FROM %s.tw_types AS d WHERE d.xusertype = c.xusertype AND c.xusertype > 256) AS DOMAIN_NAME "
     "FROM %s.tw_columns AS c JOIN %s.tw_objects AS o ON o.id = c.id AND o.xtype IN ('U ', 'V ') "
     "JOIN %s.tw_users AS u ON u.uid = o.uid "
     "LEFT JOIN %s.tw_types AS b ON b.xusertype = c.xtype AND b.xusertype = b.xtype"},
    {"views",
     "SELECT %n AS TABLE_CATALOG, u.name AS TABLE_SCHEMA, o.name AS TABLE_NAME, "
     "(SELECT group_concat(m.text, '') FROM (SELECT text FROM %s.tw_comments WHERE id = o.id ORDER BY colid) AS m) "
     "AS VIEW_DEFINITION, 'NONE' AS CHECK_OPTION, 'NO' AS IS_UPDATABLE "
     "FROM %s.tw_objects AS o JOIN %s.tw_users AS u ON u.uid = o.uid WHERE o.xtype = 'V '"},
    {"routines",
     "SELECT %n AS SPECIFIC_CATALOG, u.name AS SPECIFIC_SCHEMA, o.name AS SPECIFIC_NAME, %n AS ROUTINE_CATALOG, "
     "u.name AS ROUTINE_SCHEMA, o.name AS ROUTINE_NAME, "
     "CASE o.xtype WHEN 'P ' THEN 'PROCEDURE' ELSE 'FUNCTION' END AS ROUTINE_TYPE, "
     "CASE o.xtype WHEN 'IF' THEN 'TABLE' WHEN 'TF' THEN 'TABLE' END AS DATA_TYPE, 'SQL' AS ROUTINE_BODY, "
     "(SELECT substr(group_concat(m.text, ''), 1, 4000) FROM (SELECT text FROM %s.tw_comments WHERE id = o.id "
     "ORDER BY colid) AS m) AS ROUTINE_DEFINITION, 'NO' AS IS_DETERMINISTIC, 'MODIFIES' AS SQL_DATA_ACCESS, "
     "o.crdate AS CREATED, o.crdate AS LAST_ALTERED "
     "FROM %s.tw_objects AS o JOIN %s.tw_users AS u ON u.uid = o.uid WHERE o.xtype IN ('P ', 'FN', 'IF', 'TF')"},
    {"table_constraints",
     "SELECT %n AS CONSTRAINT_CATALOG, u.name AS CONSTRAINT_SCHEMA, k.name AS CONSTRAINT_NAME, "
     "%n AS TABLE_CATALOG, u.name AS TABLE_SCHEMA, o.name AS TABLE_NAME, "
     "CASE k.xtype WHEN 'PK' THEN 'PRIMARY KEY' WHEN 'UQ' THEN 'UNIQUE' WHEN 'F ' THEN 'FOREIGN KEY' "
     "ELSE 'CHECK' END AS CONSTRAINT_TYPE, 'NO' AS IS_DEFERRABLE, 'NO' AS INITIALLY_DEFERRED "
     "FROM %s.tw_objects AS k JOIN %s.tw_objects AS o ON o.id = k.parent_obj "
     "JOIN %s.tw_users AS u ON u.uid = o.uid WHERE k.xtype IN ('PK', 'UQ', 'F ', 'C ')"},
    // Key columns: a primary key's or unique constraint's index keys, a foreign key's referencing columns.
    {"key_column_usage",
     "SELECT %n AS CONSTRAINT_CATALOG, u.name AS CONSTRAINT_SCHEMA, k.name AS CONSTRAINT_NAME, "
     "%n AS TABLE_CATALOG, u.name AS TABLE_SCHEMA, o.name AS TABLE_NAME, c.name AS COLUMN_NAME, "
     "x.pos AS ORDINAL_POSITION "
     "FROM (SELECT q.id AS cid, i.id AS tid, ik.colid AS colid, ik.keyno AS pos FROM %s.tw_objects AS q "
     "JOIN %s.tw_indexes AS i ON i.id = q.parent_obj AND i.name = q.name "
     "JOIN %s.tw_indexkeys AS ik ON ik.id = i.id AND ik.indid = i.indid WHERE q.xtype IN ('PK', 'UQ') "
     "UNION ALL SELECT constid, fkeyid, fkey1, 1 FROM %s.tw_references WHERE keycnt >= 1 "
     "UNION ALL SELECT constid, fkeyid, fkey2, 2 FROM %s.tw_references WHERE keycnt >= 2 "
     "UNION ALL SELECT constid, fkeyid, fkey3, 3 FROM %s.tw_references WHERE keycnt >= 3 "
     "UNION ALL SELECT constid, fkeyid, fkey4, 4 FROM %s.tw_references WHERE keycnt >= 4 "
     ") AS x "
     "JOIN %s.tw_objects AS k ON k.id = x.cid JOIN %s.tw_objects AS o ON o.id = x.tid "
     "JOIN %s.tw_columns AS c ON c.id = x.tid AND c.colid = x.colid JOIN %s.tw_users AS u ON u.uid = o.uid"},
    {"referential_constraints",
     "SELECT %n AS CONSTRAINT_CATALOG, u.name AS CONSTRAINT_SCHEMA, k.name AS CONSTRAINT_NAME, "
     "%n AS UNIQUE_CONSTRAINT_CATALOG, pu.name AS UNIQUE_CONSTRAINT_SCHEMA, "
     "(SELECT p.name FROM %s.tw_objects AS p WHERE p.parent_obj = r.rkeyid AND p.xtype IN ('PK', 'UQ') "
     "ORDER BY p.xtype LIMIT 1) AS UNIQUE_CONSTRAINT_NAME, 'SIMPLE' AS MATCH_OPTION, 'NO ACTION' AS UPDATE_RULE, "
     "'NO ACTION' AS DELETE_RULE "
     "FROM %s.tw_references AS r JOIN %s.tw_objects AS k ON k.id = r.constid "
     "JOIN %s.tw_objects AS o ON o.id = r.fkeyid JOIN %s.tw_users AS u ON u.uid = o.uid "
     "JOIN %s.tw_objects AS po ON po.id = r.rkeyid JOIN %s.tw_users AS pu ON pu.uid = po.uid"},
    {"check_constraints",
     "SELECT %n AS CONSTRAINT_CATALOG, u.name AS CONSTRAINT_SCHEMA, k.name AS CONSTRAINT_NAME, "
     "(SELECT group_concat(m.text, '') FROM (SELECT text FROM %s.tw_comments WHERE id = k.id ORDER BY colid) AS m) "
     "AS CHECK_CLAUSE "
     "FROM %s.tw_objects AS k JOIN %s.tw_objects AS o ON o.id = k.parent_obj "
     "JOIN %s.tw_users AS u ON u.uid = o.uid WHERE k.xtype = 'C '"},
    {"parameters",
     "SELECT %n AS SPECIFIC_CATALOG, u.name AS SPECIFIC_SCHEMA, o.name AS SPECIFIC_NAME, "
     "c.colid AS ORDINAL_POSITION, CASE WHEN c.isoutparam THEN 'INOUT' ELSE 'IN' END AS PARAMETER_MODE, "
     "'NO' AS IS_RESULT, 'NO' AS AS_LOCATOR, c.name AS PARAMETER_NAME, b.name AS DATA_TYPE, "
     "CASE WHEN c.xtype IN (167, 175, 165, 173) THEN c.length WHEN c.xtype IN (231, 239) THEN c.length / 2 END "
     "AS CHARACTER_MAXIMUM_LENGTH, "
     "CASE WHEN c.xtype IN (167, 175, 231, 239, 165, 173) THEN c.length END AS CHARACTER_OCTET_LENGTH, "
     "CASE WHEN c.xtype IN (48, 52, 56, 127, 59, 62, 60, 122, 106, 108, 104) THEN c.prec END AS NUMERIC_PRECISION, "
     "CASE WHEN c.xtype IN (48, 52, 56, 127, 60, 122, 106, 108, 104) THEN c.scale END AS NUMERIC_SCALE "
     "FROM %s.tw_columns AS c JOIN %s.tw_objects AS o ON o.id = c.id AND o.xtype IN ('P ', 'FN', 'IF', 'TF') "
     "JOIN %s.tw_users AS u ON u.uid = o.uid "
     "LEFT JOIN %s.tw_types AS b ON b.xusertype = c.xtype AND b.xusertype = b.xtype"},
};

std::string Replaced(std::string text, const std::string& mark, const std::string& by)
{
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size()))
        text.replace(at, mark.size(), by);
    return text;
}

} // namespace information_schema_detail

std::string InformationSchema::View(const std::string& lowerView, const std::string& schema)
{
    for (const auto& [name, query] : information_schema_detail::kViews)
        if (lowerView == name)
            return "(" +
                   information_schema_detail::Replaced(
                       information_schema_detail::Replaced(query, "%s", Translator::Quote(schema)), "%n",
                       Translator::Literal(schema)) +
                   ")";
    return {};
}

} // namespace tw::server
