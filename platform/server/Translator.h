// Turns one T-SQL query or data statement (SELECT, INSERT, UPDATE, DELETE) or
// expression into SQLite text. Without a context it only checks the syntax and
// finds where the statement ends, which is how the parser uses it; with a
// context it resolves names for the session that runs the statement.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/server/Lexer.h"
#include "platform/server/TypeSpec.h"

namespace tw::server {

// What the translator asks of the session that runs the statement.
class TranslationContext {
public:
    virtual ~TranslationContext() = default;
    // The SQLite text naming the table [db].[owner].[name] (parts may be empty).
    virtual std::string TableReference(const std::string& db, const std::string& owner, const std::string& name) = 0;
    // A SQLite subquery standing for a table-valued system function (::fn_...).
    virtual std::string TableFunction(const std::string& name, const std::vector<std::string>& args) = 0;
    virtual bool AnsiNulls() const = 0;
    virtual bool ConcatNullYieldsNull() const = 0;
    // The declared type of a variable, or an unknown type; throws 137 when undeclared.
    virtual TypeSpec VariableType(const std::string& name) const = 0;
    // The columns an INSERT without a column list fills (all but the identity
    // column) and the identity column's name; false when the table is not catalogued.
    virtual bool InsertColumns(const std::string& db, const std::string& owner, const std::string& table,
                               std::vector<std::string>* columns, std::string* identity)
    {
        (void)db, (void)owner, (void)table, (void)columns, (void)identity;
        return false;
    }
    // SET ROWCOUNT: the most rows a statement may touch, 0 for no limit.
    virtual int64_t RowCountLimit() const { return 0; }
    // The catalogue type of a table's or view's column; unknown when there is none.
    virtual TypeSpec ColumnTypeOf(const std::string& db, const std::string& owner, const std::string& table,
                                  const std::string& column)
    {
        (void)db, (void)owner, (void)table, (void)column;
        return {};
    }
    // The SQLite text reading the table TableReference named last: the
    // reference itself, or a subquery that waits for rows other sessions hold.
    virtual std::string ReadSource(const std::string& reference) { return reference; }
    // The name of the temporary table that holds a table variable's rows; throws 1087 when undeclared.
    virtual std::string TableVariable(const std::string& name);
    // Makes a user type (sp_addtype) its base type; false when `type` names none.
    virtual bool ResolveUserType(TypeSpec& type)
    {
        (void)type;
        return false;
    }
};

// How deeply expressions, queries, joins and statement blocks may nest
// before the text is refused (191): deep enough for any query a person
// writes, shallow enough that the recursion never reaches the end of a
// thread's stack. CASE has SQL Server's own, smaller limit (125).
constexpr int kMaxNesting = 200;
constexpr int kMaxCaseNesting = 10;

// The stack a nesting level leaves unused on the thread that runs it, for what
// follows the deepest level (the leaf's own calls, the error's unwinding, the
// engine's compiling of the result). Text that would reach into it is refused
// like text nested beyond kMaxNesting, so a thread with a small stack, or a
// build whose frames are larger (the address checker's), never overflows.
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kNestingStackReserve = 1024 * 1024;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr size_t kNestingStackReserve = 1024 * 1024;
#else
constexpr size_t kNestingStackReserve = 256 * 1024;
#endif
#else
constexpr size_t kNestingStackReserve = 256 * 1024;
#endif

// Counts one level of recursion for as long as it lives.
class Nesting {
public:
    explicit Nesting(int& depth, int limit = kMaxNesting);
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    int& depth_;
};

struct SelectTarget {
    std::string variable; // "@v" for SELECT @v = expr
};

struct Translation {
    std::string sql;
    size_t end = 0;                       // index of the first token after the statement
    bool returnsRows = false;             // a SELECT that streams a result set
    std::vector<std::string> variables;   // @names bound as parameters
    std::vector<std::string> assignments; // SELECT @a = ..., in select-list order
    std::vector<TypeSpec> columnTypes;    // per select item, where the expression tells the type
    std::string intoTable;                // SELECT ... INTO name (SQLite reference)
    std::string targetTable;              // INSERT/UPDATE/DELETE target (SQLite reference)
    std::string targetDatabase;           // ... and its parts as written
    std::string targetName;
    std::string targetOwner;
    bool isInsert = false;
    bool compound = false;                // a UNION (EXCEPT, INTERSECT): columnTypes hold its columns' types
    // The catalogue type of a result column, by its name, as a column of the
    // tables and views the query reads; for columns SQLite knows no origin of.
    std::function<TypeSpec(const std::string&)> columnTypeByName;
    // The type of the query's select item at an index, its bare columns' looked up.
    std::function<TypeSpec(size_t)> itemType;
};

class Translator {
public:
    Translator(const std::vector<Token>& tokens, std::string_view batch, TranslationContext* context);

    // The statement starting at `begin` (SELECT, INSERT, UPDATE, DELETE or a parenthesised query).
    Translation Statement(size_t begin);
    // One scalar expression starting at `begin`.
    Translation Expression(size_t begin);
    // A type name starting at `begin`; sets `end`.
    TypeSpec Type(size_t begin, size_t& end);

    // SQLite spelling of a name: "x" with quotes doubled.
    static std::string Quote(const std::string& name);
    static std::string Literal(const std::string& text);


private:
    const Token& Peek(size_t ahead = 0) const;
    const Token& Next();
    bool Accept(std::string_view word);
    bool AcceptOp(std::string_view op);
    void Expect(std::string_view word);
    void ExpectOp(std::string_view op);
    [[noreturn]] void Fail() const;
    bool AtClauseEnd() const;

    // WITH name [(columns)] AS (query), ...: the SQLite WITH clause; names the CTEs for the statement.
    std::string CommonTableExpressions();
    std::string CommonTableExpression();
    // OPTION (MAXRECURSION n) after a statement: n, or SQL Server's default of 100.
    int MaxRecursion();
    bool IsCommonTableExpression(const std::vector<std::string>& parts) const;
    std::string Select(bool topLevel);
    std::string SelectBody(bool topLevel);
    std::string QuerySpecification(bool topLevel, bool& orderable, std::string& limit);
    std::string SelectItem(size_t index);
    // The query of a GROUP BY ... WITH ROLLUP or CUBE that starts at `start`, `full` its plain GROUP BY form.
    std::string GroupingSets(const std::string& full, size_t start, const std::vector<std::string>& groups,
                             const std::vector<std::string>& names, bool cube);
    // Whether `sql` is a group the grouping set being translated rolls up (so it reads NULL).
    bool RolledUp(const std::string& sql) const;
    struct Rollup {
        bool active = false;
        bool nulling = false; // in the select list or HAVING, where rolled-up groups read NULL
        int depth = -1;
        std::vector<std::string> kept;
        std::set<std::string> nulled;
    };
    Rollup rollup_;
    int groupingPasses_ = 0; // queries translated again for grouping sets, bounded per statement
    std::string FromClause();
    std::string TableSource();
    // `reading`: a source of rows, which may wait for rows other sessions hold; false for a change's target.
    // `leftmost`: the first source of a join, which needs no brackets of its own.
    std::string TablePrimary(bool reading = true, bool leftmost = false);
    std::string TableName(std::string* spelling = nullptr);
    // A table variable where a table is named: its temporary table.
    std::string TableVariable();
    std::string TableOrVariable() { return Peek().kind == TokenKind::Variable ? TableVariable() : TableName(); }
    std::string Insert();
    std::string Update();
    std::string Delete();
    std::string JoinedDelete(const std::string& limit);
    std::string Top(bool& percent);
    std::string OrderBy();
    bool topTies_ = false;     // the TOP just read has WITH TIES
    std::string tiesSource_;   // of the query block just translated with TOP ... WITH TIES: its FROM onwards
    size_t orderStart_ = 0;    // where the ORDER BY just translated starts

    int depth_ = 0;
    int caseDepth_ = 0;

    std::string Expr();
    std::string OrExpr();
    // Joins the operands of a chain of ORs or ANDs without nesting them.
    static std::string FlatChain(const std::vector<std::string>& terms, const char* op);
    std::string AndExpr();
    std::string NotExpr();
    std::string ComparedWithReal(const std::string& sql, const TypeSpec& type, const TypeSpec& other);
    std::string Predicate();
    bool CompareExactly(const TypeSpec& left, size_t leftBegin, size_t leftEnd, const TypeSpec& right,
                        size_t rightBegin, size_t rightEnd) const;
    bool BareColumn(size_t begin, size_t end) const;
    std::string CoerceDate(const std::string& sql, size_t begin, size_t end, const std::string& other) const;
    std::string Additive();
    std::string Multiplicative();
    static TypeSpec ArithmeticType(const TypeSpec& a, const TypeSpec& b, char op = 0);
    // The type of a column that keeps values rounded to it (decimal, numeric,
    // money); unknown for any other column.
    TypeSpec ExactTarget(const std::string& db, const std::string& owner, const std::string& table,
                         const std::string& column) const;
    // `value` as a column of type `target` keeps it; `source` is the value's type when known.
    static std::string StoredAs(const std::string& value, const TypeSpec& target, const TypeSpec& source);
    static std::string ExactStep(char op, const std::string& left, const std::string& right, const TypeSpec& result);
    static std::string CheckedInteger(const std::string& expression, const TypeSpec& type);
    std::string Unary();
    static TypeSpec SummedIntegerType(const TypeSpec& argument);
    std::string Primary();
    std::string PrimaryTerm();
    std::string NameOrCall();
    std::string FunctionCall(const std::string& name);
    std::string CaseExpr();
    std::string CastExpr(bool isConvert);
    std::string SubqueryOrParen();
    std::string ExprList();

    const std::vector<Token>& tokens_;
    std::string_view batch_;
    TranslationContext* context_;
    size_t pos_ = 0;
    Translation out_;
    TypeSpec lastType_; // the type of the expression just translated, when known
    // The tables each query level reads, found ahead of its select list, so
    // that a column's catalogue type is known where integer arithmetic is
    // checked for overflow (and only there).
    struct ColumnSource {
        std::string db, owner, name, alias;
    };
    std::vector<std::vector<ColumnSource>> columnScopes_;
    // What is known of the operand just translated beside lastType_: the
    // integer type of an arithmetic result, or the bare column it names (its
    // type looked up only when arithmetic needs it).
    struct Operand {
        TypeSpec typed;
        TypeSpec integer;
        std::vector<std::string> column;
    };
    Operand operand_;
    bool namedColumn_ = false; // the primary just translated was a bare column
    std::vector<ColumnSource> ScanFromClause() const;
    TypeSpec ColumnHint(const std::vector<std::string>& parts) const
    {
        return ColumnHintIn(context_, columnScopes_, parts);
    }
    static TypeSpec ColumnHintIn(TranslationContext* context, const std::vector<std::vector<ColumnSource>>& scopes,
                                 const std::vector<std::string>& parts);
    std::vector<std::vector<ColumnSource>> specScopes_; // of the query block translated last
    // A select item's type as far as the query tells it: its expression's, or
    // that of the bare column it names, looked up only when asked for.
    struct ItemType {
        TypeSpec typed;
        TypeSpec integer; // of integer arithmetic, when that is all that is known
        std::vector<std::string> column;
        std::vector<std::vector<ColumnSource>> scopes; // the query levels the column is found in
    };
    std::vector<ItemType> specItems_;  // of the query block being translated
    std::vector<ItemType> queryItems_; // of the query just translated, its UNION branches combined
    bool compoundQuery_ = false;       // ... which has UNION, EXCEPT or INTERSECT branches
    void NoteItem();                   // the select item just translated, of lastType_ and operand_
    TypeSpec ItemTypeOf(const ItemType& item) const { return ItemTypeIn(context_, item); }
    static TypeSpec ItemTypeIn(TranslationContext* context, const ItemType& item);
    // The type of a column of a UNION of two queries whose columns have types `a` and `b`.
    static TypeSpec UnionType(const TypeSpec& a, const TypeSpec& b);
    Operand CurrentOperand() const { return {lastType_, operand_.integer, operand_.column}; }
    // The integer type an arithmetic operand has: its own when known, else its column's.
    TypeSpec OperandType(const Operand& o) const
    {
        if (o.typed.IsKnown())
            return o.typed;
        return o.column.empty() ? o.integer : ColumnHint(o.column);
    }
    void SetArithmeticResult(const TypeSpec& integerType) { operand_ = {{}, integerType, {}}; }
    std::set<std::string> seenVariables_;
    // Columns named outside aggregates in the select list and in GROUP BY, to
    // refuse what SQL Server refuses (8120) instead of answering arbitrarily.
    struct GroupingScope {
        bool collecting = false;
        int aggregateDepth = 0;
        bool sawAggregate = false;
        std::vector<std::pair<std::string, std::string>> columns; // lower-case name, as written
    };
    GroupingScope grouping_;
    std::vector<std::string> cteNames_; // lower case, of the statement's WITH clause
    // The recursive CTE whose body is being translated: its rows carry their
    // recursion level in a column of their own, checked against MAXRECURSION.
    struct RecursiveCte {
        std::string name;     // lower case
        std::string storage;  // the SQLite name of the CTE with the level column
        int depth = -1;       // the nesting depth of the body's own query blocks
        std::string qualifier; // how the query block being translated names the CTE, when it does
    };
    RecursiveCte recursive_;
    std::vector<std::string> itemNames_; // the column names of the recursive CTE's first query
    std::vector<std::string> specificationNames_; // of the query block just translated
    std::string lastItemName_;          // of the select item just translated; empty for * and unnamed ones
    bool cteReference_ = false;         // the table name just translated names a CTE
    bool selfReference_ = false;        // ... the recursive CTE being defined
    std::string lastTableDatabase_;
    std::string lastTableName_;
    std::string lastTableOwner_;
};

} // namespace tw::server
