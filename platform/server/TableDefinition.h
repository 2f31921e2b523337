// The column and constraint list of CREATE TABLE (and ALTER TABLE ADD), read
// from tokens and written out as SQLite DDL that enforces what SQL Server
// enforces: lengths, types, keys, checks, defaults and nullability.
#pragma once

#include <string>
#include <vector>

#include "platform/server/Catalog.h"
#include "platform/server/Lexer.h"

namespace tw::server {

class TranslationContext;

struct ColumnDefinition {
    CatalogColumn column;
    std::string defaultSql;  // translated DEFAULT expression, empty when none
    std::string defaultName; // the DEFAULT constraint's name
    std::string defaultText; // as written, for syscomments
    int64_t identitySeed = 1;
    int64_t identityIncrement = 1;
};

struct ConstraintDefinition {
    std::string kind; // "PK", "UQ", "F ", "C "
    std::string name;
    std::vector<std::string> columns;
    std::string refTable;
    std::vector<std::string> refColumns;
    std::string actions;
    std::string checkSql;
    std::string checkText;
    bool clustered = false;
};

class TableDefinition {
public:
    // `open` is the token of "(" (CREATE TABLE) or of the first column (ALTER TABLE ADD).
    static TableDefinition Parse(const std::vector<Token>& tokens, std::string_view text, size_t open,
                                 TranslationContext* context, const std::string& table, bool ansiNullDefaultOn,
                                 bool addMode);

    std::string SqliteBody() const;                    // the text between CREATE TABLE x ( and )
    std::string SqliteColumn(const ColumnDefinition& c) const;

    std::vector<ColumnDefinition> columns;
    std::vector<ConstraintDefinition> constraints;
    size_t end = 0;

    static std::string GeneratedName(const std::string& prefix, const std::string& table, const std::string& column);
};

} // namespace tw::server
