// CREATE TABLE text from the catalogue: columns with their types, identity
// and defaults, primary and unique keys, checks, foreign keys, and the
// indexes that no key made.
#pragma once

#include <string>
#include <vector>

#include "platform/dmo/ServerLink.h"

namespace tw::dmo {

struct ColumnShape {
    std::string datatype;
    long length = 0;
    long precision = 0;
    long scale = 0;
    bool allowNulls = true;
    bool identity = false;
    long long identitySeed = 1;
    long long identityIncrement = 1;
    long defaultId = 0;
};

struct TableColumn {
    std::string name;
    long colid = 0;
    ColumnShape shape;
};

struct TablePlace {
    ServerLinkRef link;
    std::string database;
    std::string owner;
    std::string name;
    long id = 0;
};

std::vector<TableColumn> LoadTableColumns(const TablePlace& table);
// "nvarchar(40)", "decimal(10, 2)", "int".
std::string ColumnTypeText(const ColumnShape& shape);
// The column as it stands in CREATE TABLE, without its default.
std::string ColumnDefinition(const std::string& name, const ColumnShape& shape);
// The names of an index's key columns in key order.
std::vector<std::string> IndexColumns(const TablePlace& table, long indid);
// A key constraint's clause: "CONSTRAINT [PK] PRIMARY KEY CLUSTERED ([a])".
std::string KeyConstraintClause(const TablePlace& table, const std::string& keyName, const std::string& xtype);
// "CONSTRAINT [FK] FOREIGN KEY ([a]) REFERENCES [dbo].[t] ([b])".
std::string ForeignKeyClause(const TablePlace& table, const std::string& keyName, long constraintId);
// The stored text of an object in syscomments.
std::string StoredObjectText(const ServerLinkRef& link, const std::string& database, long id);

std::string ScriptTable(const TablePlace& table, bool withKeys);

} // namespace tw::dmo
