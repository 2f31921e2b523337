#include "platform/dmo/TableScripter.h"

#include <cstdlib>

#include "platform/dmo/SqlQuoting.h"

namespace tw::dmo {

namespace scripter_detail {

long Number(const ResultValue& value) { return value ? std::strtol(value->c_str(), nullptr, 10) : 0; }

std::string Text(const ResultValue& value) { return value ? *value : std::string(); }

std::string Trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

bool SizedByLength(const std::string& type)
{
    return type == "char" || type == "varchar" || type == "binary" || type == "varbinary";
}

std::string ColumnName(const TablePlace& table, long tableId, long colid)
{
    return table.link->Scalar("SELECT name FROM syscolumns WHERE id = " + std::to_string(tableId) +
                                  " AND colid = " + std::to_string(colid),
                              table.database);
}

std::string JoinedNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + QuoteName(name);
    return text;
}

// "(x)" -> "x" when the first bracket closes at the end; "(a) + (b)" stays.
std::string WithoutOuterBrackets(const std::string& text)
{
    if (text.size() < 2 || text.front() != '(' || text.back() != ')')
        return text;
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        depth += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
        if (depth == 0 && i + 1 < text.size())
            return text;
    }
    return text.substr(1, text.size() - 2);
}

std::string Parenthesised(const std::string& text)
{
    if (!text.empty() && text.front() == '(' && text.back() == ')')
        return text;
    return "(" + text + ")";
}

// A server without IDENT_SEED answers with an error; its identities then
// keep the (1, 1) they were read with.
void ReadIdentitySeed(const TablePlace& table, ColumnShape& shape)
{
    const std::string name = QuoteLiteral(QualifiedName(table.owner, table.name));
    try {
        const auto rows = table.link->Rows("SELECT IDENT_SEED(" + name + "), IDENT_INCR(" + name + ")", table.database);
        if (rows.empty() || !rows.front()[0] || !rows.front()[1])
            return;
        shape.identitySeed = std::strtoll(rows.front()[0]->c_str(), nullptr, 10);
        shape.identityIncrement = std::strtoll(rows.front()[1]->c_str(), nullptr, 10);
    } catch (const _com_error&) {
    }
}

} // namespace scripter_detail

std::vector<TableColumn> LoadTableColumns(const TablePlace& table)
{
    using namespace scripter_detail;
    const auto rows = table.link->Rows(
        "SELECT c.name, c.colid, t.name, c.length, c.prec, c.scale, c.isnullable, c.colstat, c.cdefault "
        "FROM syscolumns c JOIN systypes t ON t.xusertype = c.xusertype WHERE c.id = " +
            std::to_string(table.id) + " ORDER BY c.colid",
        table.database);
    std::vector<TableColumn> columns;
    for (const auto& row : rows) {
        TableColumn column;
        column.name = Text(row[0]);
        column.colid = Number(row[1]);
        column.shape.datatype = Text(row[2]);
        column.shape.length = Number(row[3]);
        column.shape.precision = Number(row[4]);
        column.shape.scale = Number(row[5]);
        column.shape.allowNulls = Number(row[6]) != 0;
        column.shape.identity = (Number(row[7]) & 1) != 0;
        column.shape.defaultId = Number(row[8]);
        if (column.shape.identity)
            ReadIdentitySeed(table, column.shape);
        columns.push_back(std::move(column));
    }
    return columns;
}

std::string ColumnTypeText(const ColumnShape& shape)
{
    const std::string& type = shape.datatype;
    if (scripter_detail::SizedByLength(type))
        return QuoteName(type) + " (" + std::to_string(shape.length) + ")";
    if (type == "nchar" || type == "nvarchar")
        return QuoteName(type) + " (" + std::to_string(shape.length / 2) + ")";
    if (type == "decimal" || type == "numeric")
        return QuoteName(type) + " (" + std::to_string(shape.precision) + ", " + std::to_string(shape.scale) + ")";
    return QuoteName(type);
}

std::string ColumnDefinition(const std::string& name, const ColumnShape& shape)
{
    std::string text = QuoteName(name) + " " + ColumnTypeText(shape);
    if (shape.identity)
        text += " IDENTITY (" + std::to_string(shape.identitySeed) + ", " + std::to_string(shape.identityIncrement) +
                ")";
    text += shape.allowNulls ? " NULL" : " NOT NULL";
    return text;
}

std::vector<std::string> IndexColumns(const TablePlace& table, long indid)
{
    const auto rows = table.link->Rows("SELECT c.name FROM sysindexkeys k JOIN syscolumns c ON c.id = k.id AND "
                                       "c.colid = k.colid WHERE k.id = " +
                                           std::to_string(table.id) + " AND k.indid = " + std::to_string(indid) +
                                           " ORDER BY k.keyno",
                                       table.database);
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(scripter_detail::Text(row[0]));
    return names;
}

std::string KeyConstraintClause(const TablePlace& table, const std::string& keyName, const std::string& xtype)
{
    const long indid = std::strtol(table.link
                                       ->Scalar("SELECT indid FROM sysindexes WHERE id = " + std::to_string(table.id) +
                                                    " AND name = " + QuoteLiteral(keyName),
                                                table.database)
                                       .c_str(),
                                   nullptr, 10);
    std::string text = "CONSTRAINT " + QuoteName(keyName) + (xtype == "PK" ? " PRIMARY KEY" : " UNIQUE");
    text += indid == 1 ? " CLUSTERED" : " NONCLUSTERED";
    return text + " (" + scripter_detail::JoinedNames(IndexColumns(table, indid)) + ")";
}

std::string ForeignKeyClause(const TablePlace& table, const std::string& keyName, long constraintId)
{
    using namespace scripter_detail;
    const auto rows = table.link->Rows("SELECT fkeyid, rkeyid, fkey1, fkey2, fkey3, fkey4, rkey1, rkey2, rkey3, rkey4 "
                                       "FROM sysreferences WHERE constid = " +
                                           std::to_string(constraintId),
                                       table.database);
    if (rows.empty())
        return {};
    const auto& row = rows.front();
    const long fkeyid = Number(row[0]);
    const long rkeyid = Number(row[1]);
    std::vector<std::string> keyColumns, referencedColumns;
    for (size_t i = 0; i < 4; ++i) {
        if (Number(row[2 + i]) != 0)
            keyColumns.push_back(ColumnName(table, fkeyid, Number(row[2 + i])));
        if (Number(row[6 + i]) != 0)
            referencedColumns.push_back(ColumnName(table, rkeyid, Number(row[6 + i])));
    }
    const auto target = table.link->Rows(
        "SELECT name, user_name(uid) FROM sysobjects WHERE id = " + std::to_string(rkeyid), table.database);
    const std::string targetName = target.empty() ? std::string() : Text(target.front()[0]);
    const std::string targetOwner = target.empty() ? std::string() : Text(target.front()[1]);
    return "CONSTRAINT " + QuoteName(keyName) + " FOREIGN KEY (" + JoinedNames(keyColumns) + ") REFERENCES " +
           QualifiedName(targetOwner, targetName) + " (" + JoinedNames(referencedColumns) + ")";
}

std::string StoredObjectText(const ServerLinkRef& link, const std::string& database, long id)
{
    std::string text;
    for (const auto& row : link->Rows("SELECT text FROM syscomments WHERE id = " + std::to_string(id) +
                                          " ORDER BY colid",
                                      database))
        text += scripter_detail::Text(row[0]);
    return text;
}

std::string ScriptTable(const TablePlace& table, bool withKeys)
{
    using namespace scripter_detail;
    std::vector<std::string> lines;
    for (const TableColumn& column : LoadTableColumns(table)) {
        std::string line = ColumnDefinition(column.name, column.shape);
        if (column.shape.defaultId != 0) {
            const std::string name = table.link->Scalar(
                "SELECT name FROM sysobjects WHERE id = " + std::to_string(column.shape.defaultId), table.database);
            // The server brackets the expression it stores; one pair comes
            // off so that running the script again stores the same text.
            line += " CONSTRAINT " + QuoteName(name) + " DEFAULT " +
                    WithoutOuterBrackets(StoredObjectText(table.link, table.database, column.shape.defaultId));
        }
        lines.push_back(line);
    }
    if (withKeys) {
        const auto constraints = table.link->Rows("SELECT name, id, xtype FROM sysobjects WHERE parent_obj = " +
                                                      std::to_string(table.id) +
                                                      " AND xtype IN ('PK', 'UQ', 'C ', 'F ') ORDER BY id",
                                                  table.database);
        for (const auto& row : constraints) {
            const std::string name = Text(row[0]);
            const std::string xtype = Trimmed(Text(row[2]));
            if (xtype == "PK" || xtype == "UQ")
                lines.push_back(KeyConstraintClause(table, name, xtype));
            else if (xtype == "C")
                lines.push_back("CONSTRAINT " + QuoteName(name) + " CHECK " +
                                Parenthesised(StoredObjectText(table.link, table.database, Number(row[1]))));
            else
                lines.push_back(ForeignKeyClause(table, name, Number(row[1])));
        }
    }
    const std::string qualified = QualifiedName(table.owner, table.name);
    std::string text = "CREATE TABLE " + qualified + " (\r\n";
    for (size_t i = 0; i < lines.size(); ++i)
        text += "\t" + lines[i] + (i + 1 < lines.size() ? ",\r\n" : "\r\n");
    text += ")\r\nGO\r\n";

    const auto indexes = table.link->Rows(
        "SELECT i.name, i.indid, i.status FROM sysindexes i WHERE i.id = " + std::to_string(table.id) +
            " AND i.indid BETWEEN 1 AND 254 AND NOT EXISTS (SELECT * FROM sysobjects o WHERE o.parent_obj = i.id "
            "AND o.name = i.name AND o.xtype IN ('PK', 'UQ')) ORDER BY i.indid",
        table.database);
    for (const auto& row : indexes) {
        const long indid = Number(row[1]);
        const long status = Number(row[2]);
        if (status & 64) // statistics, not an index
            continue;
        text += "\r\nCREATE ";
        text += (status & 2) ? "UNIQUE " : "";
        text += indid == 1 ? "CLUSTERED " : "";
        text += "INDEX " + QuoteName(Text(row[0])) + " ON " + qualified + " (" +
                JoinedNames(IndexColumns(table, indid)) + ")\r\nGO\r\n";
    }
    return text;
}

} // namespace tw::dmo
