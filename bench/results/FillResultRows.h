// Fills a five-column result table of the embedded server's database straight
// through SQLite, for the benchmarks that read a million rows back: the fill
// is not what they measure.
#pragma once

#include "platform/server/SqlFunctions.h"

#include <sqlite3.h>

#include <cstdio>
#include <string>

namespace tw::bench {

// The table (id, name, code, added, price decimal(12,2)) was made through the
// server, so its catalogue knows the types; rows 1..rows are appended.
inline bool FillResultRows(const std::string& databaseFile, const std::string& table, long rows)
{
    sqlite3* db = nullptr;
    sqlite3_open(databaseFile.c_str(), &db);
    // The column checks and the decimal storage call the server's functions.
    tw::server::SqlFunctions::Register(db, nullptr);
    // The raw connection lacks the server's functions that the date triggers call.
    const std::string triggers = "DROP TRIGGER IF EXISTS \"tw_date_" + table + "_added_i\"; DROP TRIGGER IF EXISTS "
                                 "\"tw_date_" + table + "_added_u\"";
    sqlite3_exec(db, triggers.c_str(), nullptr, nullptr, nullptr);
    const std::string fill =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows) +
        ") INSERT INTO " + table + " SELECT i, 'customer ' || i, 'C' || (i % 9973), "
        "'2024-01-' || printf('%02d', 1 + i % 28) || ' 10:' || printf('%02d', i % 60) || ':00.000', "
        "tw_decstore((i % 100000) * 0.25, 'decimal(12,2)') FROM n";
    char* message = nullptr;
    const bool filled = sqlite3_exec(db, fill.c_str(), nullptr, nullptr, &message) == SQLITE_OK;
    if (!filled)
        std::fprintf(stderr, "fill failed: %s\n", message);
    sqlite3_free(message);
    sqlite3_close(db);
    return filled;
}

} // namespace tw::bench
