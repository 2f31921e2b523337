#include "platform/server/Translator.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <pthread.h>

#include "platform/server/DateTimeValue.h"
#include "platform/server/Decimal.h"
#include "platform/server/SqlError.h"

namespace tw::server {

namespace translator_detail {

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Where a recursive CTE's query checks its level, until OPTION (MAXRECURSION) is read.
constexpr const char* kMaxRecursionMark = "\x01maxrecursion\x01";

// Scalar functions the server implements, by their T-SQL names; each is
// registered on the connection under the same name (SqlFunctions).
const std::set<std::string>& ScalarFunctions()
{
    static const std::set<std::string> names = {
        "abs", "app_name", "ascii", "ceiling", "char", "charindex", "coalesce", "col_length", "col_name",
        "columnproperty", "databasepropertyex", "databaseproperty", "datalength", "day", "db_id", "db_name",
        "exp", "floor", "parsename", "error_number", "error_severity", "error_state", "error_line",
        "error_message", "error_procedure", "getdate", "getutcdate", "host_id", "host_name", "ident_current", "ident_seed", "ident_incr", "index_col", "indexproperty",
        "isdate", "isnull", "isnumeric", "left", "len", "log", "log10", "lower", "ltrim", "month", "nchar",
        "newid", "nullif", "object_id", "object_name", "objectproperty", "patindex", "pi", "power",
        "quotename", "rand", "replace", "replicate", "reverse", "right", "round", "rtrim", "serverproperty",
        "sign", "space", "sqrt", "square", "str", "stuff", "substring", "suser_id", "suser_name", "suser_sname",
        "type_name", "unicode", "upper", "user_id", "user_name", "year", "has_dbaccess", "is_member",
        "is_srvrolemember", "scope_identity", "permissions", "objectpropertyex", "sysdatetime", "soundex",
        "difference", "checksum"};
    return names;
}

const std::set<std::string>& Aggregates()
{
    static const std::set<std::string> names = {"count", "count_big", "sum", "avg", "min", "max",
                                                "stdev", "stdevp", "var", "varp"};
    return names;
}

const std::set<std::string>& DateFunctions()
{
    static const std::set<std::string> names = {"dateadd", "datediff", "datepart", "datename"};
    return names;
}

// Words after a table that end it rather than naming its alias.
bool EndsTableAlias(const Token& t)
{
    static const char* const words[] = {"WHERE", "GROUP", "ORDER", "HAVING", "UNION", "EXCEPT", "INTERSECT",
                                        "INNER", "LEFT", "RIGHT", "FULL", "CROSS", "JOIN", "ON", "OUTER", "SET",
                                        "OPTION", "FOR", "WITH", "COMPUTE", "INTO", "VALUES", "SELECT", "OUTPUT"};
    if (t.kind != TokenKind::Name)
        return true;
    for (const char* w : words)
        if (t.Is(w))
            return true;
    return Lexer::IsReservedWord(t.text);
}

bool IsCharacterHint(const TypeSpec& t) { return t.IsKnown() && t.IsCharacter(); }
bool IsNumericHint(const TypeSpec& t)
{
    return t.IsKnown() && (t.IsInteger() || t.IsExactNumeric() || t.IsApproximate());
}

// An exact operand's precision and scale in decimal arithmetic. A whole-number
// literal counts its own digits (its precision field holds them), as SQL
// Server takes constants.
std::pair<int, int> DecimalShape(const TypeSpec& t)
{
    if (t.IsInteger())
        return {t.precision > 0 ? t.precision : t.Precision(), 0};
    return {t.Precision(), t.Scale()};
}

// SQL Server's precision and scale of a decimal result, at most 38 digits,
// giving up scale (keeping at least 6) before whole digits.
void SetDecimalResult(TypeSpec& result, const TypeSpec& a, const TypeSpec& b, char op)
{
    const auto [p1, s1] = DecimalShape(a);
    const auto [p2, s2] = DecimalShape(b);
    int p = 0;
    int s = 0;
    switch (op) {
    case '+':
    case '-':
        s = std::max(s1, s2);
        p = s + std::max(p1 - s1, p2 - s2) + 1;
        break;
    case '*':
        s = s1 + s2;
        p = p1 + p2 + 1;
        break;
    case '/':
        s = std::max(6, s1 + p2 + 1);
        p = p1 - s1 + s2 + s;
        break;
    default:  // '%'
        s = std::max(s1, s2);
        p = std::min(p1 - s1, p2 - s2) + s;
        break;
    }
    if (p > 38) {
        const int whole = p - s;
        s = std::max(std::min(s, 38 - whole), std::min(s, 6));
        p = 38;
    }
    result.precision = std::max(1, p);
    result.scale = std::max(0, std::min(s, result.precision));
}

} // namespace translator_detail


Translator::Translator(const std::vector<Token>& tokens, std::string_view batch, TranslationContext* context)
    : tokens_(tokens), batch_(batch), context_(context)
{
}

std::string Translator::Quote(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string Translator::Literal(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + "'";
}

const Token& Translator::Peek(size_t ahead) const
{
    const size_t i = std::min(pos_ + ahead, tokens_.size() - 1);
    return tokens_[i];
}

const Token& Translator::Next()
{
    const Token& t = Peek();
    if (pos_ < tokens_.size() - 1)
        ++pos_;
    return t;
}

bool Translator::Accept(std::string_view word)
{
    if (!Peek().Is(word))
        return false;
    Next();
    return true;
}

bool Translator::AcceptOp(std::string_view op)
{
    if (!Peek().IsOp(op))
        return false;
    Next();
    return true;
}

void Translator::Expect(std::string_view word)
{
    if (!Accept(word))
        Fail();
}

void Translator::ExpectOp(std::string_view op)
{
    if (!AcceptOp(op))
        Fail();
}

void Translator::Fail() const
{
    const Token& t = Peek();
    if (t.kind == TokenKind::End)
        throw SqlError::SyntaxAtEnd();
    const bool keyword = t.kind == TokenKind::Name && Lexer::IsReservedWord(t.text);
    throw SqlError::Syntax(keyword ? t.text : t.Spelling(batch_), keyword);
}

Translation Translator::Statement(size_t begin)
{
    pos_ = begin;
    out_ = Translation{};
    cteNames_.clear();
    groupingPasses_ = 0;
    const std::string with = Peek().Is("WITH") ? CommonTableExpressions() : std::string();
    const Token& t = Peek();
    if (t.Is("SELECT") || t.IsOp("(")) {
        out_.sql = Select(true);
        out_.returnsRows = out_.assignments.empty() && out_.intoTable.empty();
        out_.columnTypes.clear();
        for (const ItemType& item : queryItems_)
            out_.columnTypes.push_back(item.typed);
        out_.compound = compoundQuery_;
        if (context_ && !compoundQuery_)
            out_.columnTypeByName = [context = context_, scopes = specScopes_](const std::string& name) {
                return ColumnHintIn(context, scopes, {name});
            };
        if (context_)
            out_.itemType = [context = context_, items = queryItems_](size_t index) {
                return index < items.size() ? ItemTypeIn(context, items[index]) : TypeSpec{};
            };
    } else if (t.Is("INSERT")) {
        out_.sql = Insert();
    } else if (t.Is("UPDATE")) {
        out_.sql = Update();
    } else if (t.Is("DELETE")) {
        out_.sql = Delete();
    } else {
        Fail();
    }
    const int maxRecursion = MaxRecursion();
    if (!with.empty()) {
        out_.sql = with + " " + out_.sql;
        for (size_t at = out_.sql.find(translator_detail::kMaxRecursionMark); at != std::string::npos;
             at = out_.sql.find(translator_detail::kMaxRecursionMark, at))
            out_.sql.replace(at, std::strlen(translator_detail::kMaxRecursionMark), std::to_string(maxRecursion));
    }
    out_.end = pos_;
    return out_;
}

int Translator::MaxRecursion()
{
    if (!(Peek().Is("OPTION") && Peek(1).IsOp("(") && Peek(2).Is("MAXRECURSION")))
        return 100;
    pos_ += 3;
    if (Peek().kind != TokenKind::Number)
        Fail();
    const std::string& number = Next().text;
    const long value = number.find_first_not_of("0123456789") == std::string::npos && number.size() < 7
                           ? std::atol(number.c_str()) : -1;
    if (value < 0 || value > 32767)
        throw SqlError(310, 15, "The value " + number + " specified for the MAXRECURSION option exceeds the allowed "
                                "maximum of 32767.");
    ExpectOp(")");
    return static_cast<int>(value);
}

std::string Translator::CommonTableExpressions()
{
    Expect("WITH");
    std::string sql = "WITH RECURSIVE ";
    do {
        sql += (sql.size() > 15 ? ", " : "") + CommonTableExpression();
    } while (AcceptOp(","));
    return sql;
}

// A recursive CTE (one whose query names it) is written as two: one that
// carries each row's recursion level beside its columns, so that a level
// past MAXRECURSION stops the statement (530), and the CTE itself without it.
std::string Translator::CommonTableExpression()
{
    if (!Peek().IsName())
        Fail();
    const std::string name = Next().text;
    const std::string lower = translator_detail::Lower(name);
    std::vector<std::string> columns;
    if (AcceptOp("(")) {
        do {
            if (!Peek().IsName())
                Fail();
            columns.push_back(Next().text);
        } while (AcceptOp(","));
        ExpectOp(")");
    }
    Expect("AS");
    ExpectOp("(");
    bool recursive = false;
    for (size_t i = pos_, level = 0; tokens_[i].kind != TokenKind::End; ++i) {
        if (tokens_[i].IsOp("("))
            ++level;
        else if (tokens_[i].IsOp(")") && level-- == 0)
            break;
        recursive = recursive || (tokens_[i].IsName() && translator_detail::Lower(tokens_[i].text) == lower &&
                                  !(i > 0 && tokens_[i - 1].IsOp(".")));
    }
    std::string list;
    for (const std::string& c : columns)
        list += (list.empty() ? "" : ", ") + Quote(c);
    cteNames_.push_back(lower);
    if (!recursive) {
        const std::string body = Select(false);
        ExpectOp(")");
        return Quote(name) + (list.empty() ? "" : "(" + list + ")") + " AS (" + body + ")";
    }
    const RecursiveCte outer = recursive_;
    recursive_ = RecursiveCte{lower, "tw_levels_" + name, depth_ + 1, {}};
    struct Restore {
        RecursiveCte& target;
        const RecursiveCte saved;
        ~Restore() { target = saved; }
    } restore{recursive_, outer};
    const std::string storage = Quote(recursive_.storage);
    itemNames_.clear();
    const std::string body = Select(false);
    ExpectOp(")");
    std::vector<std::string> names = columns.empty() ? itemNames_ : columns;
    if (std::find(names.begin(), names.end(), std::string()) != names.end() || names.empty())
        throw SqlError(8155, 16, "No column was specified for column 1 of '" + name + "'.");
    std::string visible;
    for (const std::string& c : names)
        visible += (visible.empty() ? "" : ", ") + Quote(c);
    return storage + "(" + visible + ", tw_level) AS (" + body + "), " + Quote(name) + "(" + visible +
           ") AS (SELECT " + visible + " FROM " + storage + ")";
}

bool Translator::IsCommonTableExpression(const std::vector<std::string>& parts) const
{
    return parts.size() == 1 &&
           std::find(cteNames_.begin(), cteNames_.end(), translator_detail::Lower(parts[0])) != cteNames_.end();
}

Translation Translator::Expression(size_t begin)
{
    pos_ = begin;
    out_ = Translation{};
    out_.sql = Expr();
    out_.columnTypes = {lastType_};
    out_.end = pos_;
    return out_;
}

TypeSpec Translator::Type(size_t begin, size_t& end)
{
    pos_ = begin;
    if (!Peek().IsName())
        Fail();
    TypeSpec type;
    type.name = translator_detail::Lower(Next().text);
    if (type.name == "dec")
        type.name = "decimal";
    if (Peek().IsOp("(")) {
        Next();
        if (Accept("max")) {
            type.length = TypeSpec::kMax;
        } else {
            if (Peek().kind != TokenKind::Number)
                Fail();
            const int first = std::atoi(Next().text.c_str());
            int second = -1;
            if (AcceptOp(",")) {
                if (Peek().kind != TokenKind::Number)
                    Fail();
                second = std::atoi(Next().text.c_str());
            }
            if (type.name == "decimal" || type.name == "numeric" || type.name == "float") {
                type.precision = first;
                type.scale = second;
            } else {
                type.length = first;
            }
        }
        ExpectOp(")");
    }
    end = pos_;
    return type;
}

// --- queries ---------------------------------------------------------------

std::string Translator::Select(bool topLevel)
{
    Nesting level(depth_);
    // A nested query groups on its own.
    const GroupingScope outer = grouping_;
    grouping_ = GroupingScope{};
    struct Restore {
        GroupingScope& target;
        const GroupingScope& saved;
        ~Restore() { target = saved; }
    } restore{grouping_, outer};
    return SelectBody(topLevel);
}

namespace translator_detail {

// Whether every key of the ORDER BY in tokens [begin, end) is a bare name
// (with ASC or DESC) that one of the select list's column names spells.
bool KeysNameSelectColumns(const std::vector<Token>& tokens, size_t begin, size_t end,
                           const std::vector<std::string>& names)
{
    size_t i = begin;
    if (i + 1 < end && tokens[i].Is("ORDER") && tokens[i + 1].Is("BY"))
        i += 2;
    for (bool first = true; i < end; first = false) {
        if (!first) {
            if (!tokens[i].IsOp(","))
                return false;
            ++i;
        }
        if (i >= end || !tokens[i].IsName())
            return false;
        const std::string key = Lower(tokens[i].text);
        if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return Lower(n) == key; }))
            return false;
        ++i;
        if (i < end && (tokens[i].Is("ASC") || tokens[i].Is("DESC")))
            ++i;
    }
    return true;
}

} // namespace translator_detail

std::string Translator::SelectBody(bool topLevel)
{
    if (Peek().IsOp("(")) {
        Next();
        std::string inner = Select(false);
        ExpectOp(")");
        return "SELECT * FROM (" + inner + ")";
    }
    bool orderable = true;
    std::string limit;
    std::string sql = QuerySpecification(topLevel, orderable, limit);
    const std::string ties = tiesSource_;
    tiesSource_.clear();
    std::vector<ItemType> items = queryItems_;
    bool compound = false;
    auto wrapLimited = [](const std::string& body, const std::string& lim) {
        return lim.empty() ? body : "SELECT * FROM (" + body + " LIMIT " + lim + ")";
    };
    std::string firstLimit = limit;
    while (Peek().Is("UNION") || Peek().Is("EXCEPT") || Peek().Is("INTERSECT")) {
        if (!ties.empty())
            throw SqlError::NotSupported("TOP ... WITH TIES in a UNION");
        if (!compound)
            sql = wrapLimited(sql, firstLimit);
        compound = true;
        std::string op = Next().text;
        for (char& c : op)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (op == "UNION" && Accept("ALL"))
            op += " ALL";
        std::string part;
        std::string partLimit;
        bool ignored = true;
        if (Peek().IsOp("(")) {
            Next();
            part = "SELECT * FROM (" + Select(false) + ")";
            ExpectOp(")");
        } else {
            part = QuerySpecification(false, ignored, partLimit);
        }
        sql += " " + op + " " + wrapLimited(part, partLimit);
        // Each column takes a type that holds both branches' values.
        for (size_t i = 0; i < items.size(); ++i) {
            ItemType combined;
            if (items.size() == queryItems_.size())
                combined.typed = UnionType(ItemTypeOf(items[i]), ItemTypeOf(queryItems_[i]));
            items[i] = std::move(combined);
        }
    }
    std::string order;
    const std::string unordered = sql;
    const std::vector<std::string> selectNames = specificationNames_;
    if (Peek().Is("ORDER")) {
        order = OrderBy();
        sql += order;
    }
    if (!ties.empty()) {
        // As many rows as rank within the first n by the ORDER BY: the n, and those tied with the last.
        if (order.empty())
            throw SqlError(1062, 16, "The TOP N WITH TIES clause is not allowed without a corresponding ORDER BY "
                                     "clause.");
        for (size_t i = orderStart_; i < pos_; ++i)
            if (tokens_[i].kind == TokenKind::Number && (tokens_[i - 1].Is("BY") || tokens_[i - 1].IsOp(",")))
                throw SqlError::NotSupported("TOP ... WITH TIES ordered by column numbers");
        const std::string keys = order.substr(std::string(" ORDER BY ").size());
        // Keys that all name select-list columns (aliases among them) rank the query's own rows;
        // others rank the rows of its FROM clause, where the tables' columns are.
        if (translator_detail::KeysNameSelectColumns(tokens_, orderStart_, pos_, selectNames))
            firstLimit = "(SELECT count(*) FROM (SELECT rank() OVER (ORDER BY " + keys + ") AS tw_rank FROM (" +
                         unordered + ")) WHERE tw_rank <= " + firstLimit + ")";
        else
            firstLimit = "(SELECT count(*) FROM (SELECT rank() OVER (ORDER BY " + keys + ") AS tw_rank" + ties +
                         ") WHERE tw_rank <= " + firstLimit + ")";
    }
    queryItems_ = std::move(items);
    compoundQuery_ = compound;
    if (!compound && !firstLimit.empty())
        sql += " LIMIT " + firstLimit;
    // FOR READ ONLY and FOR UPDATE end a cursor's query.
    const bool cursorClause = Peek().Is("FOR") && (Peek(1).Is("READ") || Peek(1).Is("UPDATE"));
    const bool maxRecursion = Peek().Is("OPTION") && Peek(1).IsOp("(") && Peek(2).Is("MAXRECURSION");
    if ((Peek().Is("FOR") && !cursorClause) || Peek().Is("COMPUTE") || (Peek().Is("OPTION") && !maxRecursion))
        throw SqlError::NotSupported("The " + translator_detail::Lower(Peek().text) + " clause");
    return sql;
}

std::string Translator::Top(bool& percent)
{
    Expect("TOP");
    std::string count;
    if (Peek().IsOp("(")) {
        Next();
        count = Expr();
        ExpectOp(")");
    } else if (Peek().kind == TokenKind::Number || Peek().kind == TokenKind::Variable) {
        count = Primary();
    } else {
        Fail();
    }
    percent = Accept("PERCENT");
    topTies_ = false;
    if (Peek().Is("WITH") && Peek(1).Is("TIES")) {
        if (percent)
            throw SqlError::NotSupported("TOP ... PERCENT WITH TIES");
        pos_ += 2;
        topTies_ = true;
    }
    return count;
}

namespace translator_detail {

// Words that end a FROM clause, or begin the next statement of a batch.
bool EndsFromClause(const Token& t)
{
    static const char* const words[] = {"WHERE", "GROUP", "ORDER", "HAVING", "UNION", "EXCEPT", "INTERSECT",
                                        "OPTION", "FOR", "COMPUTE", "SELECT", "INSERT", "UPDATE", "DELETE", "IF",
                                        "ELSE", "WHILE", "PRINT", "EXEC", "EXECUTE", "DECLARE", "SET", "BEGIN",
                                        "RETURN", "CREATE", "DROP", "ALTER", "USE", "END"};
    if (t.kind == TokenKind::End || t.IsOp(";"))
        return true;
    if (t.kind != TokenKind::Name)
        return false;
    for (const char* w : words)
        if (t.Is(w))
            return true;
    return false;
}

bool JoinWord(const Token& t)
{
    for (const char* w : {"INNER", "LEFT", "RIGHT", "FULL", "CROSS", "OUTER", "JOIN"})
        if (t.Is(w))
            return true;
    return false;
}

} // namespace translator_detail

// Reads ahead, without translating, the tables named in the FROM clause of
// the query level that starts at the current token.
std::vector<Translator::ColumnSource> Translator::ScanFromClause() const
{
    std::vector<ColumnSource> sources;
    size_t i = pos_;
    int depth = 0;
    int cases = 0; // the ELSE of a CASE in the select list ends nothing
    for (;; ++i) {
        const Token& t = tokens_[i];
        if (t.kind == TokenKind::End)
            return sources;
        if (t.IsOp("("))
            ++depth;
        else if (t.IsOp(")") && --depth < 0)
            return sources;
        if (depth == 0 && t.Is("FROM"))
            break;
        if (depth == 0 && t.Is("CASE"))
            ++cases;
        else if (depth == 0 && t.Is("END") && cases > 0)
            --cases;
        if (depth == 0 && cases == 0 && translator_detail::EndsFromClause(t) && i > pos_ && !t.Is("END"))
            return sources;
    }
    ++i;
    int groups = 0; // brackets around joins, whose tables are sources too: FROM ((a JOIN b ON ...) JOIN c ON ...)
    for (;;) {
        while (tokens_[i].IsOp("(") && (tokens_[i + 1].IsOp("(") || tokens_[i + 1].kind == TokenKind::QuotedName ||
                                        tokens_[i + 1].kind == TokenKind::Variable ||
                                        (tokens_[i + 1].kind == TokenKind::Name && !tokens_[i + 1].Is("SELECT")))) {
            ++groups;
            ++i;
        }
        const Token& t = tokens_[i];
        const bool variable = t.kind == TokenKind::Variable;
        if (t.kind == TokenKind::QuotedName || variable ||
            (t.kind == TokenKind::Name && !translator_detail::JoinWord(t) && !translator_detail::EndsFromClause(t))) {
            std::vector<std::string> parts{t.text};
            // A table variable's columns are its temporary table's.
            if (variable && context_) {
                try {
                    parts[0] = context_->TableVariable(translator_detail::Lower(t.text));
                } catch (const SqlError&) {
                    parts[0].clear();
                }
            }
            ++i;
            while (tokens_[i].IsOp(".")) {
                ++i;
                if (tokens_[i].IsOp(".")) {
                    parts.emplace_back();
                    continue;
                }
                if (!tokens_[i].IsName())
                    break;
                parts.push_back(tokens_[i++].text);
            }
            ColumnSource source;
            source.name = parts.back();
            source.owner = parts.size() >= 2 ? parts[parts.size() - 2] : "";
            source.db = parts.size() >= 3 ? parts[parts.size() - 3] : "";
            if (tokens_[i].Is("AS"))
                ++i;
            if (tokens_[i].IsName() && !translator_detail::EndsTableAlias(tokens_[i]))
                source.alias = tokens_[i++].text;
            sources.push_back(source);
        }
        // On to the next source: past ON conditions, hints and derived tables.
        int level = 0;
        for (;; ++i) {
            const Token& u = tokens_[i];
            if (u.kind == TokenKind::End)
                return sources;
            if (u.IsOp("(")) {
                ++level;
            } else if (u.IsOp(")") && --level < 0) {
                if (groups == 0)
                    return sources;
                --groups;
                level = 0;
            }
            if (level > 0)
                continue;
            if (translator_detail::EndsFromClause(u))
                return sources;
            if (u.IsOp(",") || translator_detail::JoinWord(u))
                break;
        }
        while (tokens_[i].IsOp(",") || translator_detail::JoinWord(tokens_[i]))
            ++i;
    }
}

// The catalogue type of a column named with `parts`, from the innermost
// query level that has it; unknown when none or several sources have it.
TypeSpec Translator::ColumnHintIn(TranslationContext* context, const std::vector<std::vector<ColumnSource>>& scopes,
                                  const std::vector<std::string>& parts)
{
    if (!context || parts.empty())
        return {};
    const std::string column = parts.back();
    const std::string qualifier = parts.size() >= 2 ? translator_detail::Lower(parts[parts.size() - 2]) : "";
    for (auto scope = scopes.rbegin(); scope != scopes.rend(); ++scope) {
        TypeSpec found;
        int matches = 0;
        for (const ColumnSource& source : *scope) {
            const std::string label = translator_detail::Lower(source.alias.empty() ? source.name : source.alias);
            if (!qualifier.empty() && qualifier != label)
                continue;
            const TypeSpec type = context->ColumnTypeOf(source.db, source.owner, source.name, column);
            if (type.IsKnown()) {
                found = type;
                ++matches;
            }
        }
        if (matches == 1)
            return found;
        if (matches > 1)
            return {};
    }
    return {};
}

void Translator::NoteItem()
{
    ItemType item;
    item.typed = lastType_;
    if (!lastType_.IsKnown()) {
        item.integer = operand_.integer;
        if (!operand_.column.empty()) {
            item.column = operand_.column;
            item.scopes = columnScopes_;
        }
    }
    specItems_.push_back(std::move(item));
}

TypeSpec Translator::ItemTypeIn(TranslationContext* context, const ItemType& item)
{
    if (item.typed.IsKnown())
        return item.typed;
    return item.column.empty() ? item.integer : ColumnHintIn(context, item.scopes, item.column);
}

namespace translator_detail {

// An operand of real arithmetic: converted to real unless it is one already
// (real columns, variables and results hold 4-byte floats).
std::string AsReal(const std::string& sql, const TypeSpec& type)
{
    return type.name == "real" ? sql : "tw_real(" + sql + ")";
}

// Numeric types by SQL Server's precedence, highest first; 0 for others.
int NumericRank(const TypeSpec& t)
{
    static const char* const order[] = {"float", "real", "decimal", "numeric", "money", "smallmoney",
                                        "bigint", "int", "smallint", "tinyint", "bit"};
    for (size_t i = 0; i < sizeof order / sizeof order[0]; ++i)
        if (t.name == order[i])
            return static_cast<int>(sizeof order / sizeof order[0] - i);
    return 0;
}

// The digits and decimals a value of a numeric type may have, as a decimal.
std::pair<int, int> UnionShape(const TypeSpec& t)
{
    if (t.name == "money") return {19, 4};
    if (t.name == "smallmoney") return {10, 4};
    if (t.IsInteger()) {
        TypeSpec plain;
        plain.name = t.name;
        return {plain.Precision(), 0};
    }
    return {t.Precision(), t.Scale()};
}

} // namespace translator_detail

// Numbers take the type of higher precedence and, for decimals, the whole
// digits of the wider branch and the decimals of the finer one (at most 38
// digits, giving up decimals first). Strings take the longer length, varying
// and Unicode when either is. Other types are not combined.
TypeSpec Translator::UnionType(const TypeSpec& a, const TypeSpec& b)
{
    if (a.IsKnown() && b.IsKnown() && a.IsCharacter() && b.IsCharacter()) {
        auto plain = [](TypeSpec t) {
            if (t.name == "sysname")
                t = TypeSpec{"nvarchar", 128};
            return t;
        };
        const TypeSpec x = plain(a), y = plain(b);
        const bool unicode = x.IsUnicode() || y.IsUnicode();
        TypeSpec result;
        if (x.name == "text" || x.name == "ntext" || y.name == "text" || y.name == "ntext") {
            result.name = unicode ? "ntext" : "text";
            return result;
        }
        if ((x.length < 0 && x.length != TypeSpec::kMax) || (y.length < 0 && y.length != TypeSpec::kMax))
            return {};
        const bool varying = x.name.find("var") != std::string::npos || y.name.find("var") != std::string::npos;
        result.name = std::string(unicode ? "n" : "") + (varying ? "varchar" : "char");
        result.length = x.length == TypeSpec::kMax || y.length == TypeSpec::kMax ? TypeSpec::kMax
                                                                                 : std::max(x.length, y.length);
        return result;
    }
    const int ra = translator_detail::NumericRank(a), rb = translator_detail::NumericRank(b);
    if (ra == 0 || rb == 0)
        return {};
    TypeSpec result;
    result.name = (ra >= rb ? a : b).name;
    if (result.name != "decimal" && result.name != "numeric")
        return result;
    const auto [p1, s1] = translator_detail::UnionShape(a);
    const auto [p2, s2] = translator_detail::UnionShape(b);
    int s = std::max(s1, s2);
    const int whole = std::max(p1 - s1, p2 - s2);
    if (whole + s > 38)
        s = std::max(std::min(s, 38 - whole), std::min(s, 6));
    result.precision = std::min(38, whole + s);
    result.scale = std::max(0, std::min(s, result.precision));
    return result;
}

std::string Translator::QuerySpecification(bool topLevel, bool& orderable, std::string& limit)
{
    (void)orderable;
    const size_t start = pos_;
    const bool rolledPass = rollup_.active && rollup_.depth == depth_;
    Expect("SELECT");
    std::string head = "SELECT ";
    if (Accept("DISTINCT"))
        head += "DISTINCT ";
    else
        Accept("ALL");
    bool percent = false;
    bool ties = false;
    if (Peek().Is("TOP")) {
        limit = Top(percent);
        ties = topTies_;
        topTies_ = false;
        if (ties && head.find("DISTINCT") != std::string::npos)
            throw SqlError::NotSupported("SELECT DISTINCT TOP ... WITH TIES");
    }
    std::string items;
    size_t index = 0;
    std::vector<ItemType> outerItems = std::move(specItems_);
    specItems_.clear();
    columnScopes_.push_back(ScanFromClause());
    struct ScopeEnd {
        std::vector<std::vector<ColumnSource>>& scopes;
        ~ScopeEnd() { scopes.pop_back(); }
    } scopeEnd{columnScopes_};
    grouping_ = GroupingScope{};
    grouping_.collecting = true;
    std::vector<std::string> names;
    rollup_.nulling = rolledPass;
    do {
        if (index > 0)
            items += ", ";
        items += SelectItem(index++);
        names.push_back(lastItemName_);
    } while (AcceptOp(","));
    rollup_.nulling = false;
    specificationNames_ = std::move(names);
    const GroupingScope selected = grouping_;
    grouping_ = GroupingScope{};
    const bool recursiveBody = depth_ == recursive_.depth;
    if (recursiveBody) {
        if (itemNames_.empty())
            itemNames_ = specificationNames_;
        recursive_.qualifier.clear();
    }
    if (Accept("INTO")) {
        if (!topLevel)
            Fail();
        out_.intoTable = TableName();
    }
    std::string from;
    if (Accept("FROM"))
        from = " FROM " + FromClause();
    if (recursiveBody)
        items += recursive_.qualifier.empty()
                     ? ", 0 AS tw_level"
                     : ", tw_recursion(" + Quote(recursive_.qualifier) + ".tw_level + 1, " +
                           translator_detail::kMaxRecursionMark + ") AS tw_level";
    std::string rest;
    bool grouped = false;
    std::vector<std::string> groups;
    bool rolling = false;
    bool cube = false;
    if (Accept("WHERE"))
        rest += " WHERE " + Expr();
    if (Peek().Is("GROUP")) {
        Next();
        Expect("BY");
        if (Peek().Is("ALL"))
            throw SqlError::NotSupported("GROUP BY ALL");
        grouping_.collecting = true;
        do
            groups.push_back(Expr());
        while (AcceptOp(","));
        grouping_.collecting = false;
        grouped = true;
        if (Peek().Is("WITH") && (Peek(1).Is("ROLLUP") || Peek(1).Is("CUBE"))) {
            Next();
            cube = Next().Is("CUBE");
            rolling = true;
        }
        const std::vector<std::string>& kept = rolledPass ? rollup_.kept : groups;
        for (size_t i = 0; i < kept.size(); ++i)
            rest += (i ? ", " : " GROUP BY ") + kept[i];
    }
    if (grouped || selected.sawAggregate) {
        for (const auto& column : selected.columns) {
            const std::string& written = column.second;
            const bool inGroup = std::any_of(grouping_.columns.begin(), grouping_.columns.end(),
                                             [&](const auto& g) { return g.first == column.first; });
            if (!inGroup)
                throw SqlError(8120, 16, "Column '" + written + "' is invalid in the select list because it is not "
                                         "contained in " + (grouped ? "either an aggregate function or the GROUP BY "
                                                                      "clause." : "an aggregate function and there is "
                                                                                  "no GROUP BY clause."),
                               SqlError::Scope::Batch);
        }
    }
    if (Accept("HAVING")) {
        rollup_.nulling = rolledPass;
        rest += " HAVING " + Expr();
        rollup_.nulling = false;
    }
    std::string sql = head + items + from + rest;
    if (rolling && !rolledPass)
        sql = GroupingSets(sql, start, groups, std::vector<std::string>(specificationNames_), cube);
    if (percent && !limit.empty()) {
        limit = "(SELECT CAST((COUNT(*) * (" + limit + ") + 99.999999) / 100 AS INTEGER) FROM (" + sql + "))";
    }
    tiesSource_ = ties ? from + rest : std::string();
    queryItems_ = std::move(specItems_);
    specItems_ = std::move(outerItems);
    specScopes_ = columnScopes_;
    compoundQuery_ = false;
    return sql;
}

namespace translator_detail {

// What a GROUP BY expression and a select-list expression are compared by:
// a column without its table, any other expression as it is.
std::string GroupKey(const std::string& sql)
{
    if (sql.size() < 2 || sql.front() != '"' || sql.back() != '"' || sql.find_first_of(" (") != std::string::npos)
        return sql;
    const size_t dot = sql.rfind("\".\"");
    return dot == std::string::npos ? sql : sql.substr(dot + 2);
}

} // namespace translator_detail

namespace translator_detail {

// SQLite joins at most 500 queries in one compound: more are joined in groups.
std::string UnionAll(const std::vector<std::string>& queries)
{
    constexpr size_t kGroup = 400;
    const bool grouped = queries.size() > kGroup;
    std::string all;
    for (size_t first = 0; first < queries.size(); first += kGroup) {
        std::string group;
        for (size_t i = first; i < std::min(queries.size(), first + kGroup); ++i)
            group += (group.empty() ? "" : " UNION ALL ") + queries[i];
        all += (all.empty() ? "" : " UNION ALL ") + (grouped ? "SELECT * FROM (" + group + ")" : group);
    }
    return all;
}

} // namespace translator_detail

// WITH ROLLUP and WITH CUBE: the query once per grouping set, the columns it
// rolls up NULL (GROUPING() 1), joined with UNION ALL and, unless the query
// orders them, ordered as SQL Server streams them: each group's rows before
// its subtotal. A query's own ORDER BY names result columns or their numbers.
std::string Translator::GroupingSets(const std::string& full, size_t start, const std::vector<std::string>& groups,
                                     const std::vector<std::string>& names, bool cube)
{
    const size_t end = pos_;
    const size_t n = groups.size();
    if (n > 10)
        throw SqlError(8122, 16, "Only the first 10 expressions in the GROUP BY ... WITH CUBE or ROLLUP clause are "
                                 "allowed.");
    std::vector<std::string> branches{full};
    // A set is the bits of the groups it keeps: ROLLUP keeps leading ones, CUBE every combination.
    for (uint32_t set = (1u << n) - 1; set-- > 0;) {
        if (!cube && set != 0 && (set & (set + 1)) != 0)
            continue;
        // Grouping sets inside grouping sets multiply; a statement gets a bounded number.
        if (++groupingPasses_ > 4096)
            throw SqlError(8623, 16, "The query processor ran out of internal resources and could not produce a "
                                     "query plan.");
        rollup_ = Rollup{};
        rollup_.active = true;
        rollup_.depth = depth_;
        for (size_t i = 0; i < n; ++i)
            if (set & (1u << i))
                rollup_.kept.push_back(groups[i]);
            else
                rollup_.nulled.insert(translator_detail::GroupKey(groups[i]));
        pos_ = start;
        bool orderable = true;
        std::string limit;
        branches.push_back(QuerySpecification(false, orderable, limit));
    }
    const std::string all = translator_detail::UnionAll(branches);
    rollup_ = Rollup{};
    pos_ = end;
    std::string order;
    for (const std::string& group : groups) {
        const std::string key = translator_detail::Lower(translator_detail::GroupKey(group));
        const auto named = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
            return !name.empty() && translator_detail::Lower(Quote(name)) == key;
        });
        if (named != names.end())
            order += (order.empty() ? "" : ", ") + std::to_string(named - names.begin() + 1) + " NULLS LAST";
    }
    if (Peek().Is("ORDER") || order.empty())
        return all;
    return all + " ORDER BY " + order;
}

bool Translator::RolledUp(const std::string& sql) const
{
    return rollup_.nulling && grouping_.aggregateDepth == 0 &&
           rollup_.nulled.count(translator_detail::GroupKey(sql)) > 0;
}

std::string Translator::SelectItem(size_t index)
{
    (void)index;
    const size_t start = pos_;
    lastItemName_.clear();
    if (AcceptOp("*")) {
        specItems_.push_back({});
        return "*";
    }
    // t.* and owner.t.*
    {
        size_t i = 0;
        while (Peek(i).IsName() && Peek(i + 1).IsOp("."))
            i += 2;
        if (i > 0 && Peek(i).IsOp("*")) {
            const std::string table = Peek(i - 2).text;
            pos_ += i + 1;
            specItems_.push_back({});
            return Quote(table) + ".*";
        }
    }
    if (Peek().kind == TokenKind::Variable && Peek(1).IsOp("=")) {
        const std::string variable = translator_detail::Lower(Next().text);
        Next();
        std::string value = Expr();
        out_.assignments.push_back(variable);
        NoteItem();
        return value + " AS " + Quote(variable);
    }
    if ((Peek().IsName() || Peek().kind == TokenKind::String) && Peek(1).IsOp("=")) {
        const std::string alias = Next().text;
        Next();
        std::string value = Expr();
        NoteItem();
        lastItemName_ = alias;
        return value + " AS " + Quote(alias);
    }
    std::string value = Expr();
    const size_t end = pos_;
    std::string alias;
    bool hasAlias = false;
    if (Accept("AS")) {
        if (!Peek().IsName() && Peek().kind != TokenKind::String)
            Fail();
        alias = Next().text;
        hasAlias = true;
    } else if (Peek().kind == TokenKind::QuotedName || Peek().kind == TokenKind::String ||
               (Peek().kind == TokenKind::Name && !translator_detail::EndsTableAlias(Peek()) &&
                !Peek().Is("FROM"))) {
        alias = Next().text;
        hasAlias = true;
    }
    NoteItem();
    lastItemName_ = alias;
    if (hasAlias)
        return value + " AS " + Quote(alias);
    bool plainColumn = true;
    for (size_t i = start; i < end; ++i)
        if (!(tokens_[i].IsName() || tokens_[i].IsOp(".")) || (tokens_[i].kind == TokenKind::Name &&
                                                               Lexer::IsReservedWord(tokens_[i].text)))
            plainColumn = false;
    // SQL Server names a plain column as the query spells it.
    if (plainColumn) {
        lastItemName_ = tokens_[end - 1].text;
        return value + " AS " + Quote(lastItemName_);
    }
    return value + " AS \"\"";
}

std::string Translator::FromClause()
{
    std::string sql = TableSource();
    while (AcceptOp(","))
        sql += ", " + TableSource();
    return sql;
}

std::string Translator::TableSource()
{
    Nesting level(depth_);
    std::string sql = TablePrimary(true, true);
    for (;;) {
        std::string join;
        if (Accept("INNER")) {
            join = " INNER JOIN ";
        } else if (Accept("LEFT")) {
            Accept("OUTER");
            join = " LEFT JOIN ";
        } else if (Accept("RIGHT")) {
            Accept("OUTER");
            join = " RIGHT JOIN ";
        } else if (Accept("FULL")) {
            Accept("OUTER");
            join = " FULL JOIN ";
        } else if (Peek().Is("CROSS") && Peek(1).Is("APPLY")) {
            throw SqlError::NotSupported("CROSS APPLY");
        } else if (Accept("CROSS")) {
            Expect("JOIN");
            sql += " CROSS JOIN " + TablePrimary();
            continue;
        } else if (Peek().Is("JOIN")) {
            join = " JOIN ";
        } else {
            return sql;
        }
        Expect("JOIN");
        sql += join + TablePrimary();
        Expect("ON");
        sql += " ON " + Expr();
    }
}

std::string Translator::TablePrimary(bool reading, bool leftmost)
{
    std::string sql;
    bool wrapped = false;
    bool self = false; // the recursive CTE named in its own query
    if (Peek().IsOp("(")) {
        Next();
        // "((a JOIN b ON ...))" brackets a join; "((SELECT ...))" a query.
        size_t inner = 0;
        while (Peek(inner).IsOp("("))
            ++inner;
        if (Peek(inner).Is("SELECT")) {
            sql = "(" + Select(false) + ")";
            ExpectOp(")");
        } else {
            // A bracketed join on the left of a join is the same join unbracketed
            // (joins group from the left), and SQLite has room for only so many brackets.
            sql = TableSource();
            ExpectOp(")");
            return leftmost ? sql : "(" + sql + ")";
        }
    } else if (Peek().IsOp("::")) {
        Next();
        if (!Peek().IsName())
            Fail();
        const std::string name = translator_detail::Lower(Next().text);
        ExpectOp("(");
        std::vector<std::string> args;
        if (!Peek().IsOp(")")) {
            do {
                if (Accept("DEFAULT"))
                    args.push_back("NULL");
                else
                    args.push_back(Expr());
            } while (AcceptOp(","));
        }
        ExpectOp(")");
        sql = context_ ? context_->TableFunction(name, args) : "(SELECT 1)";
    } else if (Peek().kind == TokenKind::Variable) {
        sql = TableVariable();
    } else if (Peek().Is("OPENROWSET") || Peek().Is("OPENQUERY") || Peek().Is("OPENDATASOURCE") ||
               Peek().Is("OPENXML") || Peek().Is("CONTAINSTABLE") || Peek().Is("FREETEXTTABLE")) {
        throw SqlError::NotSupported(Peek().text);
    } else {
        selfReference_ = false;
        sql = TableName();
        self = selfReference_;
        if (Peek().IsOp("(") && !Peek(1).IsName())
            throw SqlError::NotSupported("Table-valued user-defined functions");
        if (reading && context_ && !cteReference_) {
            const std::string plain = sql;
            sql = context_->ReadSource(plain);
            wrapped = sql != plain;
        }
    }
    if (Accept("AS")) {
        if (!Peek().IsName())
            Fail();
        sql += " AS " + Quote(Next().text);
    } else if (Peek().kind == TokenKind::QuotedName ||
               (Peek().kind == TokenKind::Name && !translator_detail::EndsTableAlias(Peek()))) {
        sql += " AS " + Quote(Next().text);
    } else if (wrapped || self) {
        // Columns named through the table keep working on the subquery.
        sql += " AS " + Quote(lastTableName_);
    }
    if (self)
        recursive_.qualifier = tokens_[pos_ - 1].text;
    // Table hints: the lock manager decides locking, so NOLOCK and friends only
    // need to be read.
    if ((Peek().Is("WITH") && Peek(1).IsOp("(")) || (Peek().IsOp("(") && Peek(1).IsName())) {
        Accept("WITH");
        ExpectOp("(");
        while (!Peek().IsOp(")") && Peek().kind != TokenKind::End)
            Next();
        ExpectOp(")");
    }
    return sql;
}

std::string Translator::TableName(std::string* spelling)
{
    std::vector<std::string> parts;
    const size_t start = pos_;
    if (!Peek().IsName())
        Fail();
    parts.push_back(Next().text);
    while (Peek().IsOp(".")) {
        Next();
        if (Peek().IsOp(".")) {
            parts.push_back("");
            continue;
        }
        if (!Peek().IsName())
            Fail();
        parts.push_back(Next().text);
    }
    if (parts.size() > 4)
        Fail();
    if (parts.size() == 4)
        throw SqlError::NotSupported("Linked servers");
    if (spelling)
        *spelling = std::string(batch_.substr(tokens_[start].offset, tokens_[pos_ - 1].offset +
                                                                        tokens_[pos_ - 1].length - tokens_[start].offset));
    const std::string name = parts.back();
    const std::string owner = parts.size() >= 2 ? parts[parts.size() - 2] : "";
    const std::string db = parts.size() >= 3 ? parts[parts.size() - 3] : "";
    lastTableDatabase_ = db;
    lastTableName_ = name;
    lastTableOwner_ = owner;
    if (name.empty())
        Fail();
    cteReference_ = IsCommonTableExpression(parts);
    if (cteReference_ && translator_detail::Lower(name) == recursive_.name) {
        recursive_.qualifier = name;
        selfReference_ = true;
        return Quote(recursive_.storage);
    }
    if (!context_ || cteReference_)
        return Quote(name);
    return context_->TableReference(db, owner, name);
}

std::string TranslationContext::TableVariable(const std::string& name)
{
    throw SqlError(1087, 15, "Must declare the table variable \"" + name + "\".", SqlError::Scope::Batch);
}

std::string Translator::TableVariable()
{
    const std::string name = translator_detail::Lower(Next().text);
    if (!context_)
        return Quote(name);
    lastTableDatabase_.clear();
    lastTableOwner_.clear();
    lastTableName_ = context_->TableVariable(name);
    return context_->TableReference("", "", lastTableName_);
}

std::string Translator::OrderBy()
{
    orderStart_ = pos_;
    Expect("ORDER");
    Expect("BY");
    std::string sql = " ORDER BY ";
    bool first = true;
    do {
        if (!first)
            sql += ", ";
        first = false;
        sql += Expr();
        if (Accept("DESC"))
            sql += " DESC";
        else if (Accept("ASC"))
            sql += " ASC";
    } while (AcceptOp(","));
    return sql;
}

std::string Translator::Insert()
{
    Expect("INSERT");
    if (Peek().Is("TOP"))
        throw SqlError::NotSupported("INSERT TOP");
    Accept("INTO");
    const std::string table = TableOrVariable();
    out_.targetTable = table;
    out_.targetDatabase = lastTableDatabase_;
    out_.targetName = lastTableName_;
    out_.targetOwner = lastTableOwner_;
    out_.isInsert = true;
    std::string sql = "INSERT INTO " + table;
    std::vector<std::string> columns;
    std::string identity;
    const bool catalogued = context_ && context_->InsertColumns(lastTableDatabase_, lastTableOwner_, lastTableName_, &columns,
                                                                      &identity);
    // The columns the values go to, in order, when known.
    std::vector<std::string> targets = catalogued ? columns : std::vector<std::string>{};
    const std::string targetDb = lastTableDatabase_, targetOwner = lastTableOwner_, targetName = lastTableName_;
    if (Peek().IsOp("(") && Peek(1).IsName() && !Peek(1).Is("SELECT")) {
        Next();
        sql += " (";
        bool first = true;
        targets.clear();
        do {
            if (!Peek().IsName())
                Fail();
            const std::string column = Next().text;
            targets.push_back(column);
            if (catalogued && !identity.empty() && translator_detail::Lower(column) == translator_detail::Lower(identity))
                throw SqlError(544, 16, "Cannot insert explicit value for identity column in table '" +
                                            out_.targetName + "' when IDENTITY_INSERT is set to OFF.");
            sql += (first ? "" : ", ") + Quote(column);
            first = false;
        } while (AcceptOp(","));
        ExpectOp(")");
        sql += ")";
    } else if (catalogued && !identity.empty() && !Peek().Is("DEFAULT")) {
        // Without a column list the values fill every column but the identity one.
        sql += " (";
        for (size_t i = 0; i < columns.size(); ++i)
            sql += (i ? ", " : "") + Quote(columns[i]);
        sql += ")";
    }
    if (Accept("VALUES")) {
        sql += " VALUES ";
        bool firstRow = true;
        do {
            ExpectOp("(");
            std::string row;
            size_t index = 0;
            do {
                if (Peek().Is("DEFAULT"))
                    throw SqlError::NotSupported("DEFAULT in a VALUES list");
                const std::string value = Expr();
                const TypeSpec target = index < targets.size()
                                            ? ExactTarget(targetDb, targetOwner, targetName, targets[index])
                                            : TypeSpec{};
                row += (index ? ", " : "") +
                       (target.IsKnown() ? StoredAs(value, target, OperandType(CurrentOperand())) : value);
                ++index;
            } while (AcceptOp(","));
            ExpectOp(")");
            sql += (firstRow ? "(" : ", (") + row + ")";
            firstRow = false;
        } while (AcceptOp(","));
        return sql;
    }
    if (Accept("DEFAULT")) {
        Expect("VALUES");
        return sql + " DEFAULT VALUES";
    }
    if (Peek().Is("EXEC") || Peek().Is("EXECUTE"))
        throw SqlError::NotSupported("INSERT ... EXEC");
    if (Peek().Is("SELECT") || Peek().IsOp("(")) {
        std::string query = Select(false);
        const std::vector<ItemType> items = queryItems_;
        if (context_ && context_->RowCountLimit() > 0)
            query = "SELECT * FROM (" + query + ") LIMIT " + std::to_string(context_->RowCountLimit());
        // Rows for decimal and money columns are rounded and checked as values are.
        std::string names, stored;
        bool exact = false;
        for (size_t i = 0; i < targets.size(); ++i) {
            const std::string name = "c" + std::to_string(i + 1);
            const TypeSpec target = ExactTarget(targetDb, targetOwner, targetName, targets[i]);
            const std::string value =
                target.IsKnown() ? StoredAs(name, target, i < items.size() ? ItemTypeOf(items[i]) : TypeSpec{}) : name;
            exact = exact || value != name;
            names += (i ? ", " : "") + name;
            stored += (i ? ", " : "") + value;
        }
        if (exact)
            query = "WITH tw_rows(" + names + ") AS (" + query + ") SELECT " + stored + " FROM tw_rows";
        return sql + " " + query;
    }
    Fail();
}

std::string Translator::Update()
{
    Expect("UPDATE");
    std::string limit;
    bool percent = false;
    if (Peek().Is("TOP"))
        limit = Top(percent);
    if (topTies_)
        Fail();
    if (percent)
        throw SqlError::NotSupported("UPDATE TOP ... PERCENT");
    lastTableName_.clear();
    const std::string table = TablePrimary(false);
    out_.targetTable = table;
    out_.targetDatabase = lastTableDatabase_;
    out_.targetName = lastTableName_;
    out_.targetOwner = lastTableOwner_;
    Expect("SET");
    std::string sets;
    do {
        if (Peek().kind == TokenKind::Variable)
            throw SqlError::NotSupported("Assigning variables in UPDATE");
        if (!Peek().IsName())
            Fail();
        std::string column = Next().text;
        while (AcceptOp(".")) {
            if (!Peek().IsName())
                Fail();
            column = Next().text;
        }
        ExpectOp("=");
        std::string value = Expr();
        const TypeSpec target = ExactTarget(out_.targetDatabase, out_.targetOwner, out_.targetName, column);
        if (target.IsKnown())
            value = StoredAs(value, target, OperandType(CurrentOperand()));
        sets += (sets.empty() ? "" : ", ") + Quote(column) + " = " + value;
    } while (AcceptOp(","));
    std::string sql = "UPDATE " + table + " SET " + sets;
    if (Accept("FROM"))
        sql += " FROM " + FromClause();
    std::string where;
    if (Accept("WHERE"))
        where = Expr();
    if (limit.empty() && context_ && context_->RowCountLimit() > 0)
        limit = std::to_string(context_->RowCountLimit());
    if (!limit.empty())
        where = "rowid IN (SELECT rowid FROM " + table + (where.empty() ? "" : " WHERE " + where) + " LIMIT " +
                limit + ")";
    if (!where.empty())
        sql += " WHERE " + where;
    return sql;
}

std::string Translator::Delete()
{
    Expect("DELETE");
    std::string limit;
    bool percent = false;
    if (Peek().Is("TOP"))
        limit = Top(percent);
    if (topTies_)
        Fail();
    if (percent)
        throw SqlError::NotSupported("DELETE TOP ... PERCENT");
    Accept("FROM");
    size_t afterTarget = 0;
    while ((Peek(afterTarget).IsName() && !Peek(afterTarget).Is("FROM")) || Peek(afterTarget).IsOp("."))
        ++afterTarget;
    if (Peek().IsName() && afterTarget > 0 && Peek(afterTarget - 1).IsName() && Peek(afterTarget).Is("FROM"))
        return JoinedDelete(limit);
    const std::string table = TableOrVariable();
    out_.targetTable = table;
    out_.targetDatabase = lastTableDatabase_;
    out_.targetName = lastTableName_;
    out_.targetOwner = lastTableOwner_;
    if (Peek().Is("FROM"))
        throw SqlError::NotSupported("DELETE of a table variable with a second FROM clause (name it by an alias)");
    std::string where;
    if (Accept("WHERE"))
        where = Expr();
    if (limit.empty() && context_ && context_->RowCountLimit() > 0)
        limit = std::to_string(context_->RowCountLimit());
    if (!limit.empty())
        where = "rowid IN (SELECT rowid FROM " + table + (where.empty() ? "" : " WHERE " + where) + " LIMIT " +
                limit + ")";
    return "DELETE FROM " + table + (where.empty() ? "" : " WHERE " + where);
}

// DELETE [FROM] t FROM <tables> [WHERE ...]: the rows of t, a table of the
// FROM clause named by its name or its alias, that the join and the
// condition find.
std::string Translator::JoinedDelete(const std::string& limit)
{
    std::vector<std::string> parts{Next().text};
    while (AcceptOp("."))
        parts.push_back(Peek().IsOp(".") ? std::string() : Next().text);
    const std::string written = translator_detail::Lower(parts.back());
    const size_t from = pos_;
    const std::vector<ColumnSource> sources = ScanFromClause();
    const ColumnSource* target = nullptr;
    for (const ColumnSource& source : sources)
        if (!source.alias.empty() && translator_detail::Lower(source.alias) == written && parts.size() == 1)
            target = &source;
    for (const ColumnSource& source : sources)
        if (!target && translator_detail::Lower(source.name) == written)
            target = &source;
    if (!target) {
        std::string spelled;
        for (const std::string& part : parts)
            spelled += (spelled.empty() ? "" : ".") + part;
        throw SqlError::InvalidObject(spelled);
    }
    const ColumnSource chosen = *target;
    const std::string table = context_ ? context_->TableReference(chosen.db, chosen.owner, chosen.name)
                                       : Quote(chosen.name);
    out_.targetTable = table;
    out_.targetDatabase = chosen.db;
    out_.targetName = chosen.name;
    out_.targetOwner = chosen.owner;
    pos_ = from;
    Expect("FROM");
    const std::string tables = FromClause();
    std::string where;
    if (Accept("WHERE"))
        where = Expr();
    std::string rows = "SELECT " + Quote(chosen.alias.empty() ? chosen.name : chosen.alias) + ".rowid FROM " + tables +
                       (where.empty() ? "" : " WHERE " + where);
    std::string cap = limit;
    if (cap.empty() && context_ && context_->RowCountLimit() > 0)
        cap = std::to_string(context_->RowCountLimit());
    if (!cap.empty())
        rows += " LIMIT " + cap;
    return "DELETE FROM " + table + " WHERE rowid IN (" + rows + ")";
}

// --- expressions -------------------------------------------------------------

std::string Translator::ExprList()
{
    std::string sql = Expr();
    while (AcceptOp(","))
        sql += ", " + Expr();
    return sql;
}

namespace translator_detail {

// The lowest address this thread's recursion may reach before the reserve,
// or 0 when the thread cannot tell where its stack ends.
uintptr_t NestingStackFloor()
{
    thread_local const uintptr_t floor = [] {
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) != 0)
            return uintptr_t(0);
        void* low = nullptr;
        size_t size = 0;
        const bool known = pthread_attr_getstack(&attr, &low, &size) == 0 && low != nullptr;
        pthread_attr_destroy(&attr);
        return known ? reinterpret_cast<uintptr_t>(low) + kNestingStackReserve : uintptr_t(0);
    }();
    return floor;
}

bool NestingStackSpent()
{
    // The frame's own address: the checker may keep locals elsewhere.
    const auto here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    const uintptr_t floor = NestingStackFloor();
    return floor != 0 && here < floor;
}

} // namespace translator_detail

Nesting::Nesting(int& depth, int limit) : depth_(depth)
{
    if (depth_ >= limit)
        throw limit == kMaxCaseNesting ? SqlError::CaseNestedTooDeeply() : SqlError::NestedTooDeeply();
    if (translator_detail::NestingStackSpent())
        throw SqlError::NestedTooDeeply();
    ++depth_;
}

std::string Translator::Expr()
{
    Nesting level(depth_);
    std::string sql = OrExpr();
    return RolledUp(sql) ? "NULL" : sql;
}

// SQLite's parser and its expression trees have a fixed depth, so a long
// chain is written flat, in groups that keep the tree shallow; OR and AND
// give the same answer however their operands are grouped.
std::string Translator::FlatChain(const std::vector<std::string>& terms, const char* op)
{
    if (terms.size() == 1)
        return terms.front();
    constexpr size_t kGroup = 50;
    const std::string separator = std::string(" ") + op + " ";
    std::string sql = "(";
    for (size_t first = 0; first < terms.size(); first += kGroup) {
        const size_t end = std::min(first + kGroup, terms.size());
        const bool wrap = terms.size() > kGroup && end - first > 1;
        if (first > 0)
            sql += separator;
        if (wrap)
            sql += "(";
        for (size_t i = first; i < end; ++i)
            sql += (i > first ? separator : "") + terms[i];
        if (wrap)
            sql += ")";
    }
    return sql + ")";
}

std::string Translator::OrExpr()
{
    std::vector<std::string> terms{AndExpr()};
    while (Accept("OR"))
        terms.push_back(AndExpr());
    if (terms.size() > 1)
        lastType_ = {};
    return FlatChain(terms, "OR");
}

std::string Translator::AndExpr()
{
    std::vector<std::string> terms{NotExpr()};
    while (Accept("AND"))
        terms.push_back(NotExpr());
    if (terms.size() > 1)
        lastType_ = {};
    return FlatChain(terms, "AND");
}

std::string Translator::NotExpr()
{
    if (Accept("NOT")) {
        Nesting level(depth_);
        std::string sql = "(NOT " + NotExpr() + ")";
        lastType_ = {};
        return sql;
    }
    return Predicate();
}

// A string literal that reads as a date meets a datetime operand as a
// datetime (SQL Server's type precedence): '20240301' and '2024-03-01'
// compare equal with a stored date.
std::string Translator::CoerceDate(const std::string& sql, size_t begin, size_t end, const std::string& other) const
{
    if (end != begin + 1 || tokens_[begin].kind != TokenKind::String || !DateTimeValue::Parse(tokens_[begin].text))
        return sql;
    return "tw_datecoerce(" + sql + ", " + other + ")";
}

// Whether a comparison needs the exact one: an operand of an exact type met by
// a number or text, unless one side is a bare column, which SQLite compares
// exactly itself (decimal columns keep decimal text under a numeric
// collation) and can look up in an index.
bool Translator::CompareExactly(const TypeSpec& left, size_t leftBegin, size_t leftEnd, const TypeSpec& right,
                                size_t rightBegin, size_t rightEnd) const
{
    auto comparable = [](const TypeSpec& t) { return !t.IsKnown() || !(t.IsDateTime() || t.IsBinary()); };
    if (!(left.IsExactNumeric() || right.IsExactNumeric()) || !comparable(left) || !comparable(right))
        return false;
    return !BareColumn(leftBegin, leftEnd) && !BareColumn(rightBegin, rightEnd);
}

bool Translator::BareColumn(size_t begin, size_t end) const
{
    if (begin >= end)
        return false;
    for (size_t i = begin; i < end; ++i)
        if (!tokens_[i].IsName() && !tokens_[i].IsOp("."))
            return false;
    return true;
}

// A number met by a real is converted to real, as SQL Server converts the
// operand of lower precedence; a real met by a float stays as it is.
std::string Translator::ComparedWithReal(const std::string& sql, const TypeSpec& type, const TypeSpec& other)
{
    if (other.name != "real" || !translator_detail::IsNumericHint(type) || type.IsApproximate())
        return sql;
    return "tw_real(" + sql + ")";
}

std::string Translator::Predicate()
{
    const size_t leftBegin = pos_;
    std::string left = Additive();
    const size_t leftEnd = pos_;
    for (;;) {
        const Operand leftOperand = CurrentOperand();
        const Token& t = Peek();
        static const char* const comparisons[] = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
        std::string op;
        for (const char* c : comparisons)
            if (t.IsOp(c))
                op = c;
        if (!op.empty()) {
            Next();
            if (Peek().Is("ALL") || Peek().Is("ANY") || Peek().Is("SOME"))
                throw SqlError::NotSupported("Comparisons with ALL, ANY or SOME");
            const TypeSpec leftType = lastType_;
            const size_t rightBegin = pos_;
            std::string right = Additive();
            const bool exact = CompareExactly(leftType, leftBegin, leftEnd, lastType_, rightBegin, pos_);
            {
                const TypeSpec leftNumber = OperandType(leftOperand), rightNumber = OperandType(CurrentOperand());
                right = ComparedWithReal(right, rightNumber, leftNumber);
                left = ComparedWithReal(left, leftNumber, rightNumber);
            }
            const std::string coercedLeft = CoerceDate(left, leftBegin, leftEnd, right);
            right = CoerceDate(right, rightBegin, pos_, left);
            left = coercedLeft;
            const bool ansiNulls = !context_ || context_->AnsiNulls();
            if (op == "!<")
                op = ">=";
            else if (op == "!>")
                op = "<=";
            else if (op == "!=")
                op = "<>";
            if (!ansiNulls && op == "=")
                op = "IS";
            else if (!ansiNulls && op == "<>")
                op = "IS NOT";
            // A side of no known type (a CASE, a UNION's column, a subquery) met by a
            // number compares as numbers when both hold them: it may carry an exact
            // value's decimal text, which SQLite would order after every number.
            // Bare columns are left to SQLite, which may find them in an index.
            const bool loose = !exact && (op != "IS" && op != "IS NOT") &&
                               ((!leftType.IsKnown() && translator_detail::IsNumericHint(lastType_) &&
                                 !BareColumn(leftBegin, leftEnd)) ||
                                (!lastType_.IsKnown() && translator_detail::IsNumericHint(leftType) &&
                                 !BareColumn(rightBegin, pos_)));
            if (exact)
                left = "(tw_deccmp(" + left + ", " + right + ") " + op + " 0)";
            else if (loose)
                left = "COALESCE(tw_numcmp(" + left + ", " + right + ") " + op + " 0, " + left + " " + op + " " +
                       right + ")";
            else
                left = "(" + left + " " + op + " " + right + ")";
            lastType_ = {};
            continue;
        }
        if (t.Is("IS")) {
            Next();
            const bool negated = Accept("NOT");
            Expect("NULL");
            left = "(" + left + (negated ? " IS NOT NULL)" : " IS NULL)");
            lastType_ = {};
            continue;
        }
        bool negated = false;
        if (t.Is("NOT") && (Peek(1).Is("LIKE") || Peek(1).Is("IN") || Peek(1).Is("BETWEEN"))) {
            Next();
            negated = true;
        }
        const std::string neg = negated ? "NOT " : "";
        if (Accept("LIKE")) {
            std::string pattern = Additive();
            std::string call = "tw_like(" + pattern + ", " + left;
            if (Accept("ESCAPE"))
                call += ", " + Additive();
            left = "(" + neg + call + "))";
        } else if (Accept("IN")) {
            ExpectOp("(");
            if (Peek().Is("SELECT"))
                left = "(" + left + " " + neg + "IN (" + Select(false) + "))";
            else if (OperandType(leftOperand).name == "real") {
                std::string items;
                do {
                    const std::string item = Expr();
                    items += (items.empty() ? "" : ", ") + ComparedWithReal(item, lastType_, TypeSpec{"real"});
                } while (AcceptOp(","));
                left = "(" + left + " " + neg + "IN (" + items + "))";
            } else
                left = "(" + left + " " + neg + "IN (" + ExprList() + "))";
            ExpectOp(")");
        } else if (Accept("BETWEEN")) {
            const TypeSpec operandType = OperandType(leftOperand);
            size_t at = pos_;
            std::string low = ComparedWithReal(Additive(), lastType_, operandType);
            low = CoerceDate(low, at, pos_, left);
            Expect("AND");
            at = pos_;
            std::string high = ComparedWithReal(Additive(), lastType_, operandType);
            high = CoerceDate(high, at, pos_, left);
            left = "(" + left + " " + neg + "BETWEEN " + low + " AND " + high + ")";
        } else {
            if (negated)
                Fail();
            return left;
        }
        lastType_ = {};
    }
}

namespace translator_detail {

// The overflow check an integer result of a chain step takes: 'i' int, 'b' bigint, '.' none.
char CheckCode(const TypeSpec& integerType)
{
    if (integerType.name == "bigint")
        return 'b';
    if (integerType.IsInteger() && integerType.name != "bit")
        return 'i';
    return '.';
}

std::string Checked(const std::string& expression, char check)
{
    if (check == '.')
        return expression;
    return "tw_checkinteger(" + expression + ", '" + (check == 'b' ? "bigint" : "int") + "')";
}

// One step of an additive chain as SQLite text. Codes: '+' and '-' numbers,
// 'c' strings, 'a' either (decided on the values), '&', '|', '^' bits.
std::string AdditiveStep(const std::string& left, const std::string& right, char op, char check)
{
    switch (op) {
    case 'c': return "(" + left + " || " + right + ")";
    case 'a': return Checked("tw_add(" + left + ", " + right + ")", check);
    case '&': return "(" + left + " & " + right + ")";
    case '|': return "(" + left + " | " + right + ")";
    case '^': return "((" + left + " | " + right + ") - (" + left + " & " + right + "))";
    default: return Checked("(" + left + " " + op + " " + right + ")", check);
    }
}

// A chain of several steps is one call of tw_chain, which folds its operands
// from the left exactly as the steps would, without nesting; SQLite takes
// at most 127 arguments a call, so a very long chain continues in the next call.
std::string AdditiveChain(const std::vector<std::string>& terms, const std::string& steps)
{
    constexpr size_t kOperands = 100;
    std::string sql = terms.front();
    for (size_t first = 1; first < terms.size(); first += kOperands - 1) {
        const size_t end = std::min(first + kOperands - 1, terms.size());
        std::string call = "tw_chain('" + steps.substr(2 * (first - 1), 2 * (end - first)) + "', " + sql;
        for (size_t i = first; i < end; ++i)
            call += ", " + terms[i];
        sql = call + ")";
    }
    return sql;
}

} // namespace translator_detail

std::string Translator::Additive()
{
    std::vector<std::string> terms{Multiplicative()};
    std::string steps;
    // Decimal and money sums and differences go exactly, step by step.
    std::vector<TypeSpec> exactTypes;
    // Each step's operand types, for steps whose result is real.
    std::vector<std::pair<TypeSpec, TypeSpec>> realSteps;
    for (;;) {
        const TypeSpec leftType = lastType_;
        const Operand leftOperand = CurrentOperand();
        char op = 0;
        char check = '.';
        TypeSpec exact;
        TypeSpec stepRight;
        if (AcceptOp("+")) {
            terms.push_back(Multiplicative());
            const TypeSpec rightType = lastType_;
            stepRight = OperandType(CurrentOperand());
            const TypeSpec integerType = ArithmeticType(OperandType(leftOperand), OperandType(CurrentOperand()));
            exact = ArithmeticType(OperandType(leftOperand), OperandType(CurrentOperand()), '+');
            const bool cnyn = !context_ || context_->ConcatNullYieldsNull();
            if (translator_detail::IsNumericHint(leftType) && translator_detail::IsNumericHint(rightType))
                op = '+';
            else if (cnyn && translator_detail::IsCharacterHint(leftType) && translator_detail::IsCharacterHint(rightType))
                op = 'c';
            else
                op = 'a';
            if (op != 'c')
                check = translator_detail::CheckCode(integerType);
            if (translator_detail::IsCharacterHint(leftType) || translator_detail::IsCharacterHint(rightType)) {
                TypeSpec t;
                t.name = leftType.IsUnicode() || rightType.IsUnicode() ? "nvarchar" : "varchar";
                t.length = 8000;
                lastType_ = t;
            } else if (translator_detail::IsNumericHint(leftType) && translator_detail::IsNumericHint(rightType)) {
                lastType_ = ArithmeticType(leftType, rightType, '+');
            } else {
                lastType_ = {};
            }
            SetArithmeticResult(integerType);
        } else if (AcceptOp("-")) {
            terms.push_back(Multiplicative());
            stepRight = OperandType(CurrentOperand());
            const TypeSpec integerType = ArithmeticType(OperandType(leftOperand), OperandType(CurrentOperand()));
            exact = ArithmeticType(OperandType(leftOperand), OperandType(CurrentOperand()), '-');
            op = '-';
            check = translator_detail::CheckCode(integerType);
            lastType_ = ArithmeticType(leftType, lastType_, '-');
            SetArithmeticResult(integerType);
        } else if (Peek().IsOp("&") || Peek().IsOp("|") || Peek().IsOp("^")) {
            op = Next().text[0];
            SetArithmeticResult({});
            terms.push_back(Multiplicative());
            lastType_ = ArithmeticType(leftType, lastType_);
        } else {
            break;
        }
        exactTypes.push_back(exact);
        const TypeSpec leftNumber = op == '+' || op == '-' || op == 'a' ? OperandType(leftOperand) : TypeSpec{};
        if (ArithmeticType(leftNumber, stepRight).name == "real") {
            // Real sums go in 4-byte floats: each operand and the result are rounded to one.
            realSteps.emplace_back(leftNumber, stepRight);
            lastType_ = TypeSpec{"real"};
            SetArithmeticResult({});
            op = op == 'a' ? '+' : op;
            check = '.';
        } else {
            realSteps.emplace_back();
        }
        if (exact.IsExactNumeric()) {
            lastType_ = exact;
            SetArithmeticResult({});
        }
        steps += op;
        steps += check;
    }
    if (terms.size() == 1)
        return terms.front();
    constexpr size_t kExactSteps = 64; // nested calls; a longer chain stays one flat call
    const bool anyExact =
        std::any_of(exactTypes.begin(), exactTypes.end(), [](const TypeSpec& t) { return t.IsExactNumeric(); });
    const bool anyReal = std::any_of(realSteps.begin(), realSteps.end(),
                                     [](const std::pair<TypeSpec, TypeSpec>& r) { return r.first.IsKnown(); });
    if ((anyExact || anyReal) && exactTypes.size() <= kExactSteps) {
        std::string sql = terms.front();
        for (size_t i = 0; i < exactTypes.size(); ++i) {
            if (exactTypes[i].IsExactNumeric())
                sql = ExactStep(steps[2 * i] == '-' ? '-' : '+', sql, terms[i + 1], exactTypes[i]);
            else if (realSteps[i].first.IsKnown())
                sql = "tw_real(" +
                      translator_detail::AdditiveStep(translator_detail::AsReal(sql, realSteps[i].first),
                                                      translator_detail::AsReal(terms[i + 1], realSteps[i].second),
                                                      steps[2 * i], '.') +
                      ")";
            else
                sql = translator_detail::AdditiveStep(sql, terms[i + 1], steps[2 * i], steps[2 * i + 1]);
        }
        return sql;
    }
    if (anyExact) {
        // A long run with exact steps goes flat: calls of at most kChainTerms
        // terms, each taking the one before as its first; the steps between
        // that are not exact go as tw_chain's do.
        constexpr size_t kChainTerms = 100;
        std::string sql = terms.front();
        for (size_t first = 0; first < exactTypes.size(); first += kChainTerms) {
            const size_t end = std::min(exactTypes.size(), first + kChainTerms);
            std::string spec, args;
            for (size_t i = first; i < end; ++i) {
                if (exactTypes[i].IsExactNumeric())
                    spec += std::string(1, steps[2 * i] == '-' ? '-' : '+') + " " +
                            std::to_string(exactTypes[i].Precision()) + " " + std::to_string(exactTypes[i].Scale()) +
                            " " + exactTypes[i].Spelling() + ";";
                else
                    spec += "~" + steps.substr(2 * i, 2) + ";";
                args += ", " + terms[i + 1];
            }
            sql = "tw_decchain(" + Literal(spec) + ", " + sql + args + ")";
        }
        return translator_detail::IsCharacterHint(lastType_) ? sql + " COLLATE TWCI" : sql;
    }
    if (terms.size() == 2)
        return translator_detail::AdditiveStep(terms[0], terms[1], steps[0], steps[1]);
    const std::string chain = translator_detail::AdditiveChain(terms, steps);
    // A string result keeps the server's comparison rules through the call.
    return translator_detail::IsCharacterHint(lastType_) ? chain + " COLLATE TWCI" : chain;
}

// The type of an arithmetic result when both operands' types are known:
// the operand of higher precedence, as in SQL Server.
TypeSpec Translator::ArithmeticType(const TypeSpec& a, const TypeSpec& b, char op)
{
    if (!translator_detail::IsNumericHint(a) || !translator_detail::IsNumericHint(b))
        return {};
    auto rank = [](const TypeSpec& t) {
        if (t.name == "float") return 6;
        if (t.name == "real") return 5;
        if (t.name == "money" || t.name == "smallmoney") return 4;
        if (t.IsExactNumeric()) return 3;
        if (t.name == "bigint") return 2;
        return 1;
    };
    TypeSpec result = rank(a) >= rank(b) ? a : b;
    if (op != 0 && (result.name == "decimal" || result.name == "numeric"))
        translator_detail::SetDecimalResult(result, a, b, op);
    return result;
}

std::string Translator::Multiplicative()
{
    std::string left = Unary();
    for (;;) {
        const TypeSpec leftType = lastType_;
        const Operand leftOperand = CurrentOperand();
        bool checked = false;
        char op = 0;
        const std::string leftSql = left;
        std::string right;
        if (AcceptOp("*")) {
            right = Unary();
            left = "(" + left + " * " + right + ")";
            checked = true;
            op = '*';
        } else if (AcceptOp("/")) {
            right = Unary();
            left = "tw_divide(" + left + ", " + right + ")";
            checked = true;
            op = '/';
        } else if (AcceptOp("%")) {
            right = Unary();
            left = "tw_modulo(" + left + ", " + right + ")";
            op = '%';
        } else {
            return left;
        }
        const TypeSpec exact = ArithmeticType(OperandType(leftOperand), OperandType(CurrentOperand()), op);
        if (exact.IsExactNumeric()) {
            lastType_ = exact;
            SetArithmeticResult({});
            left = ExactStep(op, leftSql, right, exact);
            continue;
        }
        // Products and quotients are checked (the smallest int divided by -1),
        // so only they look the columns' types up.
        const TypeSpec integerType =
            checked ? ArithmeticType(OperandType(leftOperand), OperandType(CurrentOperand())) : TypeSpec{};
        if (op != '%') {
            // Real arithmetic goes in 4-byte floats: each operand and the result are rounded to one.
            const TypeSpec leftNumber = OperandType(leftOperand), rightNumber = OperandType(CurrentOperand());
            if (ArithmeticType(leftNumber, rightNumber).name == "real") {
                lastType_ = TypeSpec{"real"};
                SetArithmeticResult({});
                const std::string l = translator_detail::AsReal(leftSql, leftNumber);
                const std::string r = translator_detail::AsReal(right, rightNumber);
                left = "tw_real(" + (op == '*' ? "(" + l + " * " + r + ")" : "tw_divide(" + l + ", " + r + ")") + ")";
                continue;
            }
        }
        lastType_ = ArithmeticType(leftType, lastType_, op);
        SetArithmeticResult(integerType);
        if (checked)
            left = CheckedInteger(left, integerType);
    }
}

// A value going into a column: decimal, numeric and money columns keep it
// rounded to their scale and checked against their precision; real columns
// keep it as a 4-byte float.
TypeSpec Translator::ExactTarget(const std::string& db, const std::string& owner, const std::string& table,
                                 const std::string& column) const
{
    if (!context_ || table.empty())
        return {};
    TypeSpec type = context_->ColumnTypeOf(db, owner, table, column);
    return type.IsExactNumeric() || type.name == "real" ? type : TypeSpec{};
}

std::string Translator::StoredAs(const std::string& value, const TypeSpec& target, const TypeSpec& source)
{
    if (target.name == "real")
        return translator_detail::AsReal(value, source);
    // An overflow names the value's type as SQL Server does: decimals and
    // constants of more digits than an int holds are numeric.
    std::string word;
    if (source.name == "decimal" || source.name == "numeric" || (source.name == "bigint" && source.precision > 0))
        word = "numeric";
    else if (translator_detail::IsNumericHint(source) || source.IsCharacter())
        word = source.name == "sysname" ? "nvarchar" : source.name;
    return "tw_decstore(" + value + ", " + Literal(target.Spelling()) + (word.empty() ? "" : ", " + Literal(word)) +
           ")";
}

// One step of decimal or money arithmetic, exact to 38 digits.
std::string Translator::ExactStep(char op, const std::string& left, const std::string& right, const TypeSpec& result)
{
    return "tw_decop('" + std::string(1, op) + "', " + left + ", " + right + ", " +
           std::to_string(result.Precision()) + ", " + std::to_string(result.Scale()) + ", " +
           Literal(result.Spelling()) + ")";
}

// Integer sums, differences and products are checked against their type's
// range, which SQLite's 64-bit integers would otherwise pass (or turn into
// floating point beyond 64 bits).
std::string Translator::CheckedInteger(const std::string& expression, const TypeSpec& type)
{
    if (type.name == "bigint")
        return "tw_checkinteger(" + expression + ", 'bigint')";
    if (type.IsInteger() && type.name != "bit")
        return "tw_checkinteger(" + expression + ", 'int')";
    return expression;
}

// SUM and AVG of tinyint, smallint and int are int, of bigint bigint.
TypeSpec Translator::SummedIntegerType(const TypeSpec& argument)
{
    if (!argument.IsInteger() || argument.name == "bit")
        return {};
    TypeSpec summed;
    summed.name = argument.name == "bigint" ? "bigint" : "int";
    return summed;
}

std::string Translator::Unary()
{
    if (!Peek().IsOp("-") && !Peek().IsOp("+") && !Peek().IsOp("~"))
        return Primary();
    Nesting level(depth_);
    if (AcceptOp("-")) {
        // A literal's negation always fits (2147483648 is not an int).
        if (Peek().kind == TokenKind::Number) {
            const std::string literal = Unary();
            // Decimal text of many digits keeps them through the sign.
            if (!literal.empty() && literal[0] == '\'')
                return "'-" + literal.substr(1);
            return "(- " + literal + ")";
        }
        const std::string operand = Unary();
        if (lastType_.IsExactNumeric())
            return "tw_decneg(" + operand + ")";
        const TypeSpec integerType = OperandType(CurrentOperand());
        SetArithmeticResult(integerType);
        return CheckedInteger("(- " + operand + ")", integerType);
    }
    if (AcceptOp("+"))
        return Unary();
    if (AcceptOp("~"))
        return "(~ " + Unary() + ")";
    return Primary();
}

std::string Translator::Primary()
{
    namedColumn_ = false;
    std::string sql = PrimaryTerm();
    if (!namedColumn_)
        operand_ = {};
    namedColumn_ = false;
    return sql;
}

std::string Translator::PrimaryTerm()
{
    const Token& t = Peek();
    lastType_ = {};
    switch (t.kind) {
    case TokenKind::Number: {
        Next();
        if (t.money) {
            lastType_.name = "money";
            const auto exact = Decimal::Parse(t.text);
            return exact && !exact->FitsDouble() ? Literal(exact->ToText()) : t.text;
        }
        const bool whole = t.text.find_first_of(".eE") == std::string::npos;
        if (whole) {
            const bool fitsInt = t.text.size() < 10 || (t.text.size() == 10 && t.text <= "2147483647");
            lastType_.name = fitsInt ? "int" : "bigint";
            if (t.text.size() > 18)
                lastType_.name = "numeric";
            // Its digits, for the decimal arithmetic it may take part in.
            const size_t firstDigit = std::min(t.text.find_first_not_of('0'), t.text.size() - 1);
            lastType_.precision = std::max(1, static_cast<int>(t.text.size() - firstDigit));
            if (lastType_.name == "numeric")
                lastType_.scale = 0;
        } else if (t.text.find_first_of("eE") != std::string::npos) {
            lastType_.name = "float";
        } else {
            // numeric(p, s) of the digits as written: 7.5 is numeric(2,1), 0.25 numeric(2,2).
            const size_t point = t.text.find('.');
            const std::string whole = t.text.substr(0, point);
            const size_t firstDigit = whole.find_first_not_of('0');
            const int wholeDigits = firstDigit == std::string::npos ? 0 : static_cast<int>(whole.size() - firstDigit);
            const int scale = static_cast<int>(t.text.size() - point - 1);
            lastType_.name = "numeric";
            lastType_.scale = scale;
            lastType_.precision = std::max(1, std::max(scale, wholeDigits + scale));
        }
        // Digits past a double's go to SQLite as decimal text.
        if (lastType_.name == "numeric") {
            const auto exact = Decimal::Parse(t.text);
            if (exact && !exact->FitsDouble())
                return Literal(exact->ToText());
        }
        return t.text;
    }
    case TokenKind::String: {
        Next();
        lastType_.name = t.national ? "nvarchar" : "varchar";
        lastType_.length = std::max<int>(1, static_cast<int>(t.text.size()));
        // Strings compare as under SQL Server's default collation: no case, no trailing blanks.
        return Literal(t.text) + " COLLATE TWCI";
    }
    case TokenKind::Binary: {
        Next();
        lastType_.name = "varbinary";
        std::string hex = t.text;
        if (hex.size() % 2)
            hex = "0" + hex;
        return "X'" + hex + "'";
    }
    case TokenKind::Variable: {
        Next();
        const std::string name = translator_detail::Lower(t.text);
        if (context_)
            lastType_ = context_->VariableType(t.text);
        if (seenVariables_.insert(name).second)
            out_.variables.push_back(name);
        return name;
    }
    case TokenKind::SystemVariable: {
        Next();
        const std::string name = translator_detail::Lower(t.text.substr(2));
        if (name == "version" || name == "servername" || name == "servicename" || name == "language")
            lastType_.name = "nvarchar";
        else
            lastType_.name = "int";
        return "tw_sysvar(" + Literal(name) + ")";
    }
    case TokenKind::Operator:
        if (t.IsOp("("))
            return SubqueryOrParen();
        Fail();
    case TokenKind::Name:
    case TokenKind::QuotedName:
        return NameOrCall();
    case TokenKind::End:
        Fail();
    }
    Fail();
}

std::string Translator::SubqueryOrParen()
{
    ExpectOp("(");
    std::string sql;
    if (Peek().Is("SELECT")) {
        sql = "(" + Select(false) + ")";
        // A scalar subquery has its one column's type.
        lastType_ = queryItems_.size() == 1 ? ItemTypeOf(queryItems_[0]) : TypeSpec{};
    } else {
        // Every translated expression is already bracketed where it needs
        // to be, and SQLite's parser has room for only so many parentheses.
        sql = Expr();
    }
    ExpectOp(")");
    return sql;
}

std::string Translator::NameOrCall()
{
    const Token& t = Peek();
    if (t.kind == TokenKind::Name) {
        if (t.Is("NULL")) {
            Next();
            return "NULL";
        }
        if (t.Is("CASE"))
            return CaseExpr();
        if (t.Is("CAST") || t.Is("CONVERT")) {
            const bool isConvert = t.Is("CONVERT");
            Next();
            return CastExpr(isConvert);
        }
        if (t.Is("EXISTS")) {
            Next();
            ExpectOp("(");
            std::string sql = "EXISTS (" + Select(false) + ")";
            ExpectOp(")");
            lastType_ = {};
            return sql;
        }
        static const std::pair<const char*, const char*> niladic[] = {
            {"CURRENT_USER", "user_name()"}, {"SESSION_USER", "user_name()"}, {"USER", "user_name()"},
            {"SYSTEM_USER", "suser_sname()"}, {"CURRENT_TIMESTAMP", "getdate()"}};
        for (const auto& [word, call] : niladic)
            if (t.Is(word) && !Peek(1).IsOp("(")) {
                Next();
                lastType_.name = std::string(word) == "CURRENT_TIMESTAMP" ? "datetime" : "nvarchar";
                return call;
            }
        if (Lexer::IsReservedWord(t.text) && !Peek(1).IsOp("(") && !t.Is("LEFT") && !t.Is("RIGHT"))
            Fail();
    }
    std::vector<std::string> parts;
    parts.push_back(Next().text);
    while (Peek().IsOp(".") && (Peek(1).IsName() || Peek(1).IsOp("."))) {
        Next();
        if (Peek().IsOp(".")) {
            parts.push_back("");
            continue;
        }
        parts.push_back(Next().text);
    }
    if (Peek().IsOp("(")) {
        if (parts.size() > 1)
            return FunctionCall(parts[parts.size() - 2] + "." + parts.back());
        return FunctionCall(parts.back());
    }
    if (parts.size() > 2)
        parts.erase(parts.begin(), parts.end() - 2);
    std::string sql;
    std::string written;
    for (const std::string& p : parts) {
        sql += (sql.empty() ? "" : ".") + Quote(p);
        written += (written.empty() ? "" : ".") + p;
    }
    if (grouping_.collecting && grouping_.aggregateDepth == 0)
        grouping_.columns.emplace_back(translator_detail::Lower(parts.back()), written);
    if (RolledUp(sql))
        return "NULL";
    operand_ = {{}, {}, parts};
    namedColumn_ = true;
    return sql;
}

std::string Translator::FunctionCall(const std::string& spelled)
{
    const std::string name = translator_detail::Lower(spelled);
    ExpectOp("(");
    std::string args;
    if (name == "grouping") {
        // 1 where the row rolls its argument up; its argument is a group, not a column of the select list.
        ++grouping_.aggregateDepth;
        const std::string arg = Expr();
        --grouping_.aggregateDepth;
        ExpectOp(")");
        grouping_.sawAggregate = true;
        lastType_ = TypeSpec{"int"};
        return rollup_.active && rollup_.nulled.count(translator_detail::GroupKey(arg)) ? "1" : "0";
    }
    if (translator_detail::Aggregates().count(name)) {
        std::string fn = name == "count_big" ? "count" : name;
        if (AcceptOp("*")) {
            if (fn != "count")
                Fail();
            grouping_.sawAggregate = true;
            ExpectOp(")");
            lastType_.name = name == "count_big" ? "bigint" : "int";
            return "count(*)";
        }
        std::string distinct;
        if (Accept("DISTINCT"))
            distinct = "DISTINCT ";
        else
            Accept("ALL");
        ++grouping_.aggregateDepth;
        grouping_.sawAggregate = true;
        std::string arg;
        try {
            arg = Expr();
        } catch (...) {
            --grouping_.aggregateDepth;
            throw;
        }
        --grouping_.aggregateDepth;
        const TypeSpec argType = OperandType(CurrentOperand());
        const TypeSpec integerType = SummedIntegerType(argType);
        ExpectOp(")");
        lastType_ = {};
        if (fn == "count")
            lastType_.name = name == "count_big" ? "bigint" : "int";
        else if (fn == "min" || fn == "max")
            lastType_ = argType;
        else if (fn == "sum" && !argType.IsApproximate())
            lastType_ = integerType.IsKnown() ? integerType : argType;
        else if (fn != "avg" || argType.IsApproximate())
            lastType_.name = "float"; // STDEV, STDEVP, VAR, VARP; SUM and AVG of real and float
        if (fn == "sum" || fn == "avg")
            SetArithmeticResult(integerType);
        // The argument notes a NULL it passes, for the warning the aggregate then owes;
        // strings keep their collation through the call.
        std::string noted = "tw_nullseen(" + arg + ")";
        if (argType.IsCharacter())
            noted += " COLLATE TWCI";
        // MIN and MAX of decimal text order by value, as the column does.
        else if (argType.IsExactNumeric())
            noted += " COLLATE TWDEC";
        if ((fn == "sum" || fn == "avg") && argType.IsExactNumeric()) {
            // Exact to 38 digits: SUM keeps the scale, AVG has at least six decimals (money four).
            const bool money = argType.name == "money" || argType.name == "smallmoney";
            lastType_ = argType;
            lastType_.name = money ? "money" : "decimal";
            lastType_.precision = money ? -1 : 38;
            lastType_.scale = money ? -1 : fn == "avg" ? std::max(6, argType.Scale()) : argType.Scale();
            return "tw_" + fn + (money ? "_money(" : "_dec(") + distinct + noted + ")";
        }
        if (fn == "avg")
            return (integerType.name == "int" ? "tw_avg_int(" : "tw_avg(") + distinct + noted + ")";
        if (fn == "sum")
            return CheckedInteger("sum(" + distinct + noted + ")", integerType);
        return fn + "(" + distinct + noted + ")";
    }
    if (translator_detail::DateFunctions().count(name)) {
        if (!Peek().IsName())
            Fail();
        args = Literal(translator_detail::Lower(Next().text));
        while (AcceptOp(","))
            args += ", " + Expr();
        ExpectOp(")");
        lastType_ = {};
        lastType_.name = name == "dateadd" ? "datetime" : name == "datename" ? "nvarchar" : "int";
        return "tw_" + name + "(" + args + ")";
    }
    TypeSpec firstType;
    TypeSpec firstOperand;
    if (name == "checksum" && Peek().IsOp("*"))
        throw SqlError::NotSupported("CHECKSUM(*)");
    if (!Peek().IsOp(")")) {
        args = Expr();
        firstType = lastType_;
        firstOperand = OperandType(CurrentOperand());
        // DATALENGTH answers by the stored type: two bytes a character of nvarchar.
        if (name == "datalength") {
            const TypeSpec stored = OperandType(CurrentOperand());
            args += ", " + Literal(stored.IsKnown() ? stored.Spelling() : "");
        }
        while (AcceptOp(",")) {
            std::string next = Expr();
            // ISNULL's result has its first argument's type.
            if (name == "isnull" && firstType.IsCharacter())
                next = "tw_convert(" + next + ", " + Literal(firstType.Spelling()) + ", NULL)";
            args += ", " + next;
        }
    }
    ExpectOp(")");
    lastType_ = {};
    if (name == "isnull")
        lastType_ = firstType;
    // Exact values keep their type through these, so that they compare as numbers.
    if ((name == "isnull" || name == "coalesce" || name == "nullif") && firstOperand.IsExactNumeric())
        lastType_ = firstOperand;
    if (name.find('.') != std::string::npos) {
        // dbo.fn(...): a user-defined function, run by the executor.
        return "tw_udf(" + Literal(spelled) + (args.empty() ? "" : ", " + args) + ")";
    }
    if (!translator_detail::ScalarFunctions().count(name))
        throw SqlError::UnknownFunction(spelled);
    static const std::set<std::string> textResults = {
        "db_name", "object_name", "user_name", "suser_sname", "suser_name", "host_name", "app_name", "left",
        "right", "upper", "lower", "ltrim", "rtrim", "replace", "substring", "space", "replicate", "str",
        "quotename", "reverse", "stuff", "col_name", "type_name", "index_col", "char", "nchar", "parsename",
        "error_message", "error_procedure"};
    static const std::set<std::string> intResults = {"len", "charindex", "db_id", "object_id", "user_id",
                                                      "datalength", "patindex", "ascii", "unicode", "year",
                                                      "month", "day", "col_length", "isnumeric", "isdate",
                                                      "error_number", "error_severity", "error_state", "error_line",
                                                      "indexproperty", "checksum"};
    if (textResults.count(name)) {
        lastType_.name = "nvarchar";
        lastType_.length =
            name == "db_name" || name == "object_name" || name == "user_name" || name == "parsename" ||
                    name == "error_procedure"
                ? 128
                : 4000;
    } else if (intResults.count(name)) {
        lastType_.name = "int";
    } else if (name == "getdate" || name == "getutcdate" || name == "sysdatetime") {
        lastType_.name = "datetime";
    } else if (name == "databasepropertyex" || name == "serverproperty") {
        lastType_.name = "sql_variant";
    }
    // ROUND, FLOOR, CEILING, ABS and SIGN of decimal and money stay exact and keep
    // the type (FLOOR and CEILING drop a decimal's scale).
    if (firstOperand.IsExactNumeric() &&
        (name == "round" || name == "floor" || name == "ceiling" || name == "abs" || name == "sign")) {
        lastType_ = firstOperand;
        if ((name == "floor" || name == "ceiling") && !(lastType_.name == "money" || lastType_.name == "smallmoney"))
            lastType_.scale = 0;
        return "tw_dec" + name + "(" + args + ")";
    }
    static const std::pair<const char*, const char*> renamed[] = {{"isnull", "ifnull"},
                                                                  {"substring", "tw_substring"},
                                                                  {"getdate", "tw_getdate"},
                                                                  {"left", "tw_left"},
                                                                  {"right", "tw_right"},
                                                                  {"replace", "tw_replace"},
                                                                  {"char", "tw_char"},
                                                                  {"round", "tw_round"}};
    for (const auto& [from, to] : renamed)
        if (name == from)
            return std::string(to) + "(" + args + ")";
    return name + "(" + args + ")";
}

std::string Translator::CaseExpr()
{
    Nesting level(caseDepth_, kMaxCaseNesting);
    Expect("CASE");
    std::string sql = "CASE";
    if (!Peek().Is("WHEN"))
        sql += " " + Expr();
    // The result's type holds every branch's, as a UNION's column does (a
    // NULL branch has none); while a branch's type is unknown, the first known one.
    TypeSpec firstType, combined;
    bool allKnown = true, anyTyped = false;
    auto noteBranch = [&](const std::string& branch) {
        if (branch == "NULL")
            return;
        const TypeSpec type = OperandType(CurrentOperand());
        if (!firstType.IsKnown())
            firstType = lastType_;
        if (!type.IsKnown())
            allKnown = false;
        combined = anyTyped ? UnionType(combined, type) : type;
        anyTyped = true;
    };
    bool any = false;
    while (Accept("WHEN")) {
        any = true;
        sql += " WHEN " + Expr();
        Expect("THEN");
        const std::string branch = Expr();
        sql += " THEN " + branch;
        noteBranch(branch);
    }
    if (!any)
        Fail();
    if (Accept("ELSE")) {
        const std::string branch = Expr();
        sql += " ELSE " + branch;
        noteBranch(branch);
    }
    Expect("END");
    lastType_ = allKnown && combined.IsKnown() ? combined : firstType;
    return sql + " END";
}

std::string Translator::CastExpr(bool isConvert)
{
    ExpectOp("(");
    std::string value;
    TypeSpec type;
    TypeSpec sourceType;
    std::string style = "NULL";
    if (isConvert) {
        size_t end = pos_;
        type = Type(pos_, end);
        pos_ = end;
        ExpectOp(",");
        value = Expr();
        sourceType = OperandType(CurrentOperand());
        if (AcceptOp(","))
            style = Expr();
    } else {
        value = Expr();
        sourceType = OperandType(CurrentOperand());
        Expect("AS");
        size_t end = pos_;
        type = Type(pos_, end);
        pos_ = end;
    }
    ExpectOp(")");
    if (context_)
        context_->ResolveUserType(type);
    if (context_ && !type.IsSupported())
        throw SqlError(243, 16, "Type " + type.name + " is not a defined system type.");
    lastType_ = type;
    if (lastType_.IsCharacter() && lastType_.length == -1)
        lastType_.length = 30;
    // Dates, money and decimals convert to text by their own rules.
    std::string source;
    if (sourceType.IsDateTime())
        source = ", 'datetime'";
    else if (sourceType.IsExactNumeric())
        source = ", " + Literal(sourceType.Spelling());
    return "tw_convert(" + value + ", " + Literal(type.Spelling()) + ", " + style + source + ")";
}

} // namespace tw::server
