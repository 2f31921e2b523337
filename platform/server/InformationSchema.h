// The INFORMATION_SCHEMA views (TABLES, COLUMNS, VIEWS, ROUTINES,
// TABLE_CONSTRAINTS) of a database, as SQLite subqueries over its catalogue.
#pragma once

#include <string>

namespace tw::server {

class InformationSchema {
public:
    // The subquery standing for INFORMATION_SCHEMA.<view> of the database kept
    // in SQLite schema `schema`; empty when `lowerView` names no such view.
    static std::string View(const std::string& lowerView, const std::string& schema);
};

} // namespace tw::server
