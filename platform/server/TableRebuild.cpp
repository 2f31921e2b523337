#include "platform/server/TableRebuild.h"

#include <sqlite3.h>

#include <cctype>

#include "platform/server/SqlError.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace rebuild_detail {

// The end of the quoted run starting at `at` ("..." or '...', doubled quotes inside).
size_t SkipQuoted(const std::string& text, size_t at)
{
    const char quote = text[at];
    for (size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] != quote)
            continue;
        if (i + 1 < text.size() && text[i + 1] == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return text.size();
}

// The first "..." identifier at or after `at`, unquoted.
std::string LeadingName(const std::string& text, size_t at)
{
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at >= text.size() || text[at] != '"')
        return std::string();
    const size_t end = SkipQuoted(text, at);
    std::string name;
    for (size_t i = at + 1; i + 1 < end; ++i) {
        name += text[i];
        if (text[i] == '"')
            ++i;
    }
    return name;
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace rebuild_detail

TableRebuild::TableRebuild(sqlite3* db, std::string schema, std::string table)
    : db_(db), schema_(std::move(schema)), table_(std::move(table))
{
    SqliteStatement read(db_, "SELECT type, sql FROM " + Translator::Quote(schema_) +
                                  ".sqlite_master WHERE tbl_name = ? AND sql IS NOT NULL ORDER BY type = 'table' DESC");
    read.Bind(1, table_);
    std::string definition;
    while (read.Step()) {
        if (read.Text(0) == "table")
            definition = read.Text(1);
        else
            dependents_.push_back(read.Text(1));
    }
    // The list runs from the first "(" outside quotes to its match.
    size_t i = 0;
    while (i < definition.size() && definition[i] != '(')
        i = definition[i] == '"' || definition[i] == '\'' ? rebuild_detail::SkipQuoted(definition, i) : i + 1;
    int depth = 0;
    std::string item;
    for (++i; i < definition.size(); ++i) {
        const char c = definition[i];
        if (c == '"' || c == '\'') {
            const size_t end = rebuild_detail::SkipQuoted(definition, i);
            item += definition.substr(i, end - i);
            i = end - 1;
            continue;
        }
        if (depth == 0 && (c == ',' || c == ')')) {
            items.push_back(rebuild_detail::Trim(item));
            item.clear();
            if (c == ')')
                break;
            continue;
        }
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        item += c;
    }
}

int TableRebuild::ColumnItem(const std::string& column) const
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].rfind("CONSTRAINT ", 0) != 0 && rebuild_detail::SameName(rebuild_detail::LeadingName(items[i], 0), column))
            return static_cast<int>(i);
    return -1;
}

int TableRebuild::ConstraintItem(const std::string& name) const
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].rfind("CONSTRAINT ", 0) == 0 && rebuild_detail::SameName(rebuild_detail::LeadingName(items[i], 11), name))
            return static_cast<int>(i);
    return -1;
}

std::string TableRebuild::DefaultOf(const std::string& item)
{
    int depth = 0;
    for (size_t i = 0; i < item.size(); ++i) {
        const char c = item[i];
        if (c == '"' || c == '\'') {
            i = rebuild_detail::SkipQuoted(item, i) - 1;
            continue;
        }
        if (c == '(' || c == ')') {
            depth += c == '(' ? 1 : -1;
            continue;
        }
        if (depth != 0 || item.compare(i, 10, " DEFAULT (") != 0)
            continue;
        const size_t open = i + 9;
        int inner = 0;
        for (size_t j = open; j < item.size(); ++j) {
            if (item[j] == '"' || item[j] == '\'') {
                j = rebuild_detail::SkipQuoted(item, j) - 1;
                continue;
            }
            inner += item[j] == '(' ? 1 : item[j] == ')' ? -1 : 0;
            if (inner == 0)
                return item.substr(open + 1, j - open - 1);
        }
    }
    return std::string();
}

void TableRebuild::Apply(const std::vector<std::string>& columns, const std::vector<std::string>& sources,
                         bool validate)
{
    const std::string schema = Translator::Quote(schema_);
    const std::string fresh = schema + "." + Translator::Quote("tw_rebuild");
    std::string list, names, values;
    for (const std::string& item : items)
        list += (list.empty() ? "" : ", ") + item;
    for (size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", " : "") + Translator::Quote(columns[i]);
        values += (i ? ", " : "") + sources[i];
    }
    SqliteStatement::Exec(db_, "CREATE TABLE " + fresh + " (" + list + ")");
    if (!validate)
        SqliteStatement::Exec(db_, "PRAGMA ignore_check_constraints = ON");
    try {
        SqliteStatement::Exec(db_, "INSERT INTO " + fresh + " (" + names + ") SELECT " + values + " FROM " + schema +
                                       "." + Translator::Quote(table_));
    } catch (...) {
        sqlite3_exec(db_, "PRAGMA ignore_check_constraints = OFF", nullptr, nullptr, nullptr);
        throw;
    }
    if (!validate)
        SqliteStatement::Exec(db_, "PRAGMA ignore_check_constraints = OFF");
    SqliteStatement::Exec(db_, "DROP TABLE " + schema + "." + Translator::Quote(table_));
    // Views naming the table are left as they are while it is briefly missing.
    SqliteStatement::Exec(db_, "PRAGMA legacy_alter_table = ON");
    try {
        SqliteStatement::Exec(db_, "ALTER TABLE " + fresh + " RENAME TO " + Translator::Quote(table_));
    } catch (...) {
        sqlite3_exec(db_, "PRAGMA legacy_alter_table = OFF", nullptr, nullptr, nullptr);
        throw;
    }
    SqliteStatement::Exec(db_, "PRAGMA legacy_alter_table = OFF");
    for (std::string sql : dependents_) {
        const size_t name = sql.find('"');
        if (name == std::string::npos)
            continue;
        sql.insert(name, schema + ".");
        SqliteStatement::Exec(db_, sql);
    }
    if (!validate)
        return;
    SqliteStatement check(db_, "SELECT count(*) FROM pragma_foreign_key_check(?, ?)");
    check.Bind(1, table_).Bind(2, schema_);
    if (check.Step() && check.Int(0) > 0)
        throw SqlError(547, 16, "The ALTER TABLE statement conflicted with a FOREIGN KEY constraint in table '" +
                                    table_ + "'.");
}

} // namespace tw::server
