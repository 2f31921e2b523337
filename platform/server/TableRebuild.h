// Changes SQLite cannot make to a table in place (constraints added or
// dropped, a column's type or nullability): the table is created anew from
// its edited column and constraint list, its rows copied across and its
// indexes and triggers put back, inside the caller's savepoint.
#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace tw::server {

class TableRebuild {
public:
    // Reads the table's definition, indexes and triggers from the schema.
    TableRebuild(sqlite3* db, std::string schema, std::string table);

    // The items of the column and constraint list, as SQLite holds them.
    std::vector<std::string> items;

    // The item defining a column or a named constraint; -1 when there is none.
    int ColumnItem(const std::string& column) const;
    int ConstraintItem(const std::string& name) const;
    // The DEFAULT expression of a column item, without its parentheses; empty when none.
    static std::string DefaultOf(const std::string& item);

    // Rewrites the table from `items`; each column's rows come from the matching
    // expression over the old table. Checks and foreign keys are checked on the
    // rows unless `validate` is false (WITH NOCHECK).
    void Apply(const std::vector<std::string>& columns, const std::vector<std::string>& sources,
               bool validate = true);

private:
    sqlite3* db_;
    std::string schema_;
    std::string table_;
    std::vector<std::string> dependents_; // CREATE INDEX / CREATE TRIGGER texts
};

} // namespace tw::server
