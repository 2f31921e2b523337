#include "platform/server/TableDefinition.h"

#include <cstdlib>

#include <cctype>
#include <cstdio>
#include <random>

#include "platform/server/SqlError.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace tabledef_detail {

class Reader {
public:
    Reader(const std::vector<Token>& tokens, std::string_view text, size_t pos) : tokens_(tokens), text_(text), pos(pos) {}
    const Token& Peek(size_t ahead = 0) const { return tokens_[std::min(pos + ahead, tokens_.size() - 1)]; }
    const Token& Next() { const Token& t = Peek(); if (pos < tokens_.size() - 1) ++pos; return t; }
    bool Accept(std::string_view w) { if (!Peek().Is(w)) return false; Next(); return true; }
    bool AcceptOp(std::string_view op) { if (!Peek().IsOp(op)) return false; Next(); return true; }
    [[noreturn]] void Fail() const
    {
        const Token& t = Peek();
        if (t.kind == TokenKind::End)
            throw SqlError::SyntaxAtEnd();
        const bool keyword = t.kind == TokenKind::Name && Lexer::IsReservedWord(t.text);
        throw SqlError::Syntax(keyword ? t.text : t.Spelling(text_), keyword);
    }
    void ExpectOp(std::string_view op) { if (!AcceptOp(op)) Fail(); }
    std::string Name() { if (!Peek().IsName()) Fail(); return Next().text; }
    std::vector<std::string> NameList()
    {
        std::vector<std::string> names;
        ExpectOp("(");
        do {
            names.push_back(Name());
            if (!Accept("ASC"))
                Accept("DESC");
        } while (AcceptOp(","));
        ExpectOp(")");
        return names;
    }
    std::string Source(size_t from) const
    {
        if (from >= pos)
            return {};
        const Token& last = tokens_[pos - 1];
        return std::string(text_.substr(tokens_[from].offset, last.offset + last.length - tokens_[from].offset));
    }

    const std::vector<Token>& tokens_;
    std::string_view text_;
    size_t pos;
};

std::string ReferenceActions(Reader& r)
{
    std::string actions;
    while (r.Peek().Is("ON") && (r.Peek(1).Is("DELETE") || r.Peek(1).Is("UPDATE"))) {
        r.Next();
        const std::string event = r.Next().Is("DELETE") ? "DELETE" : "UPDATE";
        if (r.Accept("CASCADE")) {
            actions += " ON " + event + " CASCADE";
        } else if (r.Accept("NO")) {
            if (!r.Accept("ACTION"))
                r.Fail();
        } else {
            r.Fail();
        }
    }
    if (r.Accept("NOT")) {
        if (!r.Accept("FOR") || !r.Accept("REPLICATION"))
            r.Fail();
    }
    return actions;
}

} // namespace tabledef_detail

std::string TableDefinition::GeneratedName(const std::string& prefix, const std::string& table,
                                           const std::string& column)
{
    static std::mt19937 rng{std::random_device{}()};
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(rng()));
    std::string name = prefix + "__" + table.substr(0, 16) + "__";
    if (!column.empty())
        name += column.substr(0, 16) + "__";
    return name + hex;
}

TableDefinition TableDefinition::Parse(const std::vector<Token>& tokens, std::string_view text, size_t open,
                                       TranslationContext* context, const std::string& table, bool ansiNullDefaultOn,
                                       bool addMode)
{
    using tabledef_detail::Reader;
    TableDefinition def;
    Reader r(tokens, text, open);
    if (!addMode)
        r.ExpectOp("(");
    auto translate = [&](size_t at, std::string* written) {
        Translator translator(tokens, text, context);
        Translation t = translator.Expression(at);
        r.pos = t.end;
        *written = r.Source(at);
        return t.sql;
    };
    do {
        if (!addMode && r.Peek().IsOp(")"))
            r.Fail();
        // A table constraint.
        std::string constraintName;
        if (r.Accept("CONSTRAINT"))
            constraintName = r.Name();
        if (r.Peek().Is("PRIMARY") || r.Peek().Is("UNIQUE") || r.Peek().Is("FOREIGN") || r.Peek().Is("CHECK")) {
            ConstraintDefinition c;
            c.name = constraintName;
            if (r.Accept("PRIMARY")) {
                if (!r.Accept("KEY"))
                    r.Fail();
                c.kind = "PK";
                c.clustered = !r.Accept("NONCLUSTERED");
                r.Accept("CLUSTERED");
                c.columns = r.NameList();
            } else if (r.Accept("UNIQUE")) {
                c.kind = "UQ";
                c.clustered = r.Accept("CLUSTERED");
                r.Accept("NONCLUSTERED");
                c.columns = r.NameList();
            } else if (r.Accept("FOREIGN")) {
                if (!r.Accept("KEY"))
                    r.Fail();
                c.kind = "F ";
                c.columns = r.NameList();
                if (!r.Accept("REFERENCES"))
                    r.Fail();
                c.refTable = r.Name();
                while (r.AcceptOp("."))
                    c.refTable = r.Name();
                if (r.Peek().IsOp("("))
                    c.refColumns = r.NameList();
                c.actions = tabledef_detail::ReferenceActions(r);
            } else {
                r.Next();
                c.kind = "C ";
                r.Accept("NOT") && r.Accept("FOR") && r.Accept("REPLICATION");
                r.ExpectOp("(");
                c.checkSql = translate(r.pos, &c.checkText);
                c.checkText = "(" + c.checkText + ")";
                r.ExpectOp(")");
            }
            if (c.name.empty())
                c.name = GeneratedName(c.kind == "PK" ? "PK" : c.kind == "UQ" ? "UQ" : c.kind == "F " ? "FK" : "CK",
                                       table, c.kind == "F " || c.kind == "C " ? c.columns.empty() ? "" : c.columns[0] : "");
            def.constraints.push_back(c);
            continue;
        }
        if (!constraintName.empty())
            r.Fail();
        // A column.
        ColumnDefinition col;
        col.column.name = r.Name();
        if (r.Peek().Is("AS"))
            throw SqlError::NotSupported("Computed columns");
        {
            Translator translator(tokens, text, nullptr);
            size_t end = r.pos;
            col.column.type = translator.Type(r.pos, end);
            r.pos = end;
        }
        if (context)
            context->ResolveUserType(col.column.type);
        if (!col.column.type.IsSupported())
            throw SqlError(2715, 16, "Column or parameter #" + std::to_string(def.columns.size() + 1) +
                                         ": Cannot find data type " + col.column.type.name + ".", SqlError::Scope::Statement, 6);
        std::string explicitNull;
        for (;;) {
            std::string name;
            if (r.Accept("CONSTRAINT"))
                name = r.Name();
            if (r.Accept("COLLATE")) {
                r.Name();
            } else if (r.Accept("IDENTITY")) {
                col.column.identity = true;
                if (r.AcceptOp("(")) {
                    auto number = [&] {
                        const bool negative = r.AcceptOp("-");
                        const Token& t = r.Next();
                        if (t.kind != TokenKind::Number || t.text.find_first_not_of("0123456789") != std::string::npos)
                            throw SqlError::Syntax(t.text);
                        const int64_t value = std::strtoll(t.text.c_str(), nullptr, 10);
                        return negative ? -value : value;
                    };
                    col.identitySeed = number();
                    r.ExpectOp(",");
                    col.identityIncrement = number();
                    r.ExpectOp(")");
                    if (col.identityIncrement == 0)
                        throw SqlError(2754, 16, "Identity column '" + col.column.name +
                                                     "' contains invalid INCREMENT.");
                }
            } else if (r.Accept("ROWGUIDCOL")) {
            } else if (r.Accept("NULL")) {
                explicitNull = "NULL";
            } else if (r.Peek().Is("NOT") && r.Peek(1).Is("NULL")) {
                r.Next();
                r.Next();
                explicitNull = "NOT NULL";
            } else if (r.Accept("PRIMARY")) {
                if (!r.Accept("KEY"))
                    r.Fail();
                ConstraintDefinition c;
                c.kind = "PK";
                c.name = name.empty() ? GeneratedName("PK", table, "") : name;
                c.clustered = !r.Accept("NONCLUSTERED");
                r.Accept("CLUSTERED");
                c.columns = {col.column.name};
                def.constraints.push_back(c);
            } else if (r.Accept("UNIQUE")) {
                ConstraintDefinition c;
                c.kind = "UQ";
                c.name = name.empty() ? GeneratedName("UQ", table, "") : name;
                c.clustered = r.Accept("CLUSTERED");
                r.Accept("NONCLUSTERED");
                c.columns = {col.column.name};
                def.constraints.push_back(c);
            } else if (r.Accept("DEFAULT")) {
                col.defaultName = name.empty() ? GeneratedName("DF", table, col.column.name) : name;
                col.defaultSql = translate(r.pos, &col.defaultText);
                col.defaultText = "(" + col.defaultText + ")";
            } else if (r.Accept("CHECK")) {
                ConstraintDefinition c;
                c.kind = "C ";
                c.name = name.empty() ? GeneratedName("CK", table, col.column.name) : name;
                r.ExpectOp("(");
                c.checkSql = translate(r.pos, &c.checkText);
                c.checkText = "(" + c.checkText + ")";
                r.ExpectOp(")");
                def.constraints.push_back(c);
            } else if (r.Peek().Is("REFERENCES") || r.Peek().Is("FOREIGN")) {
                if (r.Accept("FOREIGN") && !r.Accept("KEY"))
                    r.Fail();
                if (!r.Accept("REFERENCES"))
                    r.Fail();
                ConstraintDefinition c;
                c.kind = "F ";
                c.name = name.empty() ? GeneratedName("FK", table, col.column.name) : name;
                c.columns = {col.column.name};
                c.refTable = r.Name();
                while (r.AcceptOp("."))
                    c.refTable = r.Name();
                if (r.Peek().IsOp("("))
                    c.refColumns = r.NameList();
                c.actions = tabledef_detail::ReferenceActions(r);
                def.constraints.push_back(c);
            } else {
                if (!name.empty())
                    r.Fail();
                break;
            }
        }
        bool inKey = false;
        for (const ConstraintDefinition& c : def.constraints)
            if (c.kind == "PK" && c.columns.size() == 1 && c.columns[0] == col.column.name)
                inKey = true;
        // Nullability not written follows the user type's, else ANSI_NULL_DFLT_ON,
        // as on SQL Server; key and identity columns are never nullable.
        if (explicitNull == "NULL")
            col.column.nullable = true;
        else if (explicitNull == "NOT NULL" || col.column.identity || inKey)
            col.column.nullable = false;
        else if (col.column.type.userType)
            col.column.nullable = col.column.type.userTypeAllowsNulls;
        else
            col.column.nullable = ansiNullDefaultOn;
        def.columns.push_back(col);
    } while (r.AcceptOp(","));
    if (!addMode)
        r.ExpectOp(")");
    // Key columns declared elsewhere in the list are not nullable either.
    for (const ConstraintDefinition& c : def.constraints)
        if (c.kind == "PK")
            for (const std::string& k : c.columns)
                for (ColumnDefinition& col : def.columns)
                    if (col.column.name == k)
                        col.column.nullable = false;
    def.end = r.pos;
    return def;
}

std::string TableDefinition::SqliteColumn(const ColumnDefinition& c) const
{
    const TypeSpec& t = c.column.type;
    const std::string name = Translator::Quote(c.column.name);
    std::string sql = name + " ";
    bool rowidKey = false;
    if (c.column.identity) {
        for (const ConstraintDefinition& k : constraints)
            if (k.kind == "PK" && !(k.columns.size() == 1 && k.columns[0] == c.column.name))
                throw SqlError::NotSupported("An IDENTITY column beside a PRIMARY KEY on other columns");
        if (!t.IsInteger() && !t.IsExactNumeric())
            throw SqlError(2749, 16, "Identity column '" + c.column.name +
                                         "' must be of data type int, bigint, smallint, tinyint, or decimal or numeric "
                                         "with a scale of 0, and constrained to be nonnullable.");
        // The identity column becomes SQLite's row id; its values never repeat.
        sql += "INTEGER PRIMARY KEY AUTOINCREMENT";
        rowidKey = true;
    } else {
        const std::string spelling = t.Spelling();
        // Decimals and money are kept as decimal text ordered by value, so that
        // digits past a double's survive and still compare and sort exactly:
        // "decimal TEXT(10,2)" gives the column text affinity and keeps its type.
        if (t.IsExactNumeric())
            sql += t.name + " TEXT" + spelling.substr(std::min(spelling.find('('), spelling.size())) + " COLLATE TWDEC";
        // SQLite reports a column declared plainly "real" as "REAL", as it does
        // float results of CREATE TABLE AS; spelt so, the real type stays known.
        else if (t.name == "real")
            sql += "real REAL";
        else
            sql += spelling;
        // Dates are kept as text: with SQLite's numeric affinity '20240301'
        // would turn into a number.
        if (t.IsDateTime())
            sql += " TEXT";
    }
    if (t.IsCharacter())
        sql += " COLLATE TWCI";
    if (!c.column.nullable && !rowidKey)
        sql += " NOT NULL";
    // A decimal or money default is kept as the column keeps any value.
    if (!c.defaultSql.empty() && t.IsExactNumeric() && !rowidKey)
        sql += " DEFAULT (tw_decstore(" + c.defaultSql + ", " + Translator::Literal(t.Spelling()) + "))";
    else if (!c.defaultSql.empty())
        sql += " DEFAULT (" + c.defaultSql + ")";
    if ((t.IsCharacter() || t.IsBinary()) && t.length > 0 && t.name != "text" && t.name != "ntext" && t.name != "image")
        sql += " CONSTRAINT " + Translator::Quote("tw_length_" + c.column.name) + " CHECK (length(" + name +
               ") <= " + std::to_string(t.length) + ")";
    if (t.IsInteger() && !rowidKey)
        sql += " CONSTRAINT " + Translator::Quote("tw_type_" + c.column.name) + " CHECK (typeof(" + name +
               ") IN ('integer', 'null'))";
    // SQLite keeps any 64-bit integer; the narrower types refuse what they cannot hold.
    // (An identity column is numbered by the server, through values beyond its range.)
    static const struct {
        const char* type;
        const char* range;
    } ranges[] = {{"int", "-2147483648 AND 2147483647"}, {"smallint", "-32768 AND 32767"}, {"tinyint", "0 AND 255"}};
    for (const auto& r : ranges) {
        if (t.name == r.type && !rowidKey)
            sql += " CONSTRAINT " + Translator::Quote(std::string("tw_range_") + r.type + "_" + c.column.name) +
                   " CHECK (" + name + " BETWEEN " + r.range + ")";
    }
    if (t.IsApproximate() || (t.IsExactNumeric() && rowidKey))
        sql += " CONSTRAINT " + Translator::Quote("tw_type_" + c.column.name) + " CHECK (typeof(" + name +
               ") IN ('integer', 'real', 'null'))";
    else if (t.IsExactNumeric())
        sql += " CONSTRAINT " + Translator::Quote("tw_type_" + c.column.name) + " CHECK (tw_isdecimal(" + name + "))";
    return sql;
}

std::string TableDefinition::SqliteBody() const
{
    std::string sql;
    bool identityKey = false;
    for (const ColumnDefinition& c : columns) {
        sql += (sql.empty() ? "" : ", ") + SqliteColumn(c);
        identityKey = identityKey || c.column.identity;
    }
    auto list = [](const std::vector<std::string>& names) {
        std::string out;
        for (const std::string& n : names)
            out += (out.empty() ? "" : ", ") + Translator::Quote(n);
        return out;
    };
    for (const ConstraintDefinition& c : constraints) {
        const std::string head = ", CONSTRAINT " + Translator::Quote(c.name);
        if (c.kind == "PK") {
            if (identityKey)
                continue; // the identity column already is the key
            sql += head + " PRIMARY KEY (" + list(c.columns) + ")";
        } else if (c.kind == "UQ") {
            sql += head + " UNIQUE (" + list(c.columns) + ")";
        } else if (c.kind == "F ") {
            sql += head + " FOREIGN KEY (" + list(c.columns) + ") REFERENCES " + Translator::Quote(c.refTable);
            if (!c.refColumns.empty())
                sql += " (" + list(c.refColumns) + ")";
            sql += c.actions;
        } else if (c.kind == "C ") {
            sql += head + " CHECK (" + c.checkSql + ")";
        }
    }
    return sql;
}

} // namespace tw::server
