// Parses a whole batch into statements before anything runs, as SQL Server
// does: a syntax error anywhere means nothing in the batch runs. Queries and
// expressions are checked by the translator and kept as token ranges, which
// the executor translates again with the session's context when it runs them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/server/Lexer.h"
#include "platform/server/TypeSpec.h"

namespace tw::server {

enum class StatementKind {
    Query, Declare, SetVariable, SetOption, If, While, Block, Break, Continue, Print, Raiserror, Return, Use,
    BeginTran, CommitTran, RollbackTran, SaveTran, Exec, ExecString, CreateModule, CreateTable, AlterTable,
    CreateIndex, Drop, CreateDatabase, DropDatabase, AlterDatabase, Permission, Dbcc, Kill, Truncate, WaitFor, Checkpoint,
    UpdateStatistics, TryCatch, DeclareCursor, OpenCursor, FetchCursor, CloseCursor, DeallocateCursor, Reconfigure, Unsupported
};

struct Declaration {
    std::string name; // lower case, with its @
    TypeSpec type;
    size_t initBegin = 0; // token of the initial value, 0 when none
};

struct ExecArgument {
    std::string name;       // "@p" when passed by name
    size_t token = 0;       // the value's first token
    bool isDefault = false;
    bool output = false;
};

struct ParsedStatement {
    StatementKind kind = StatementKind::Query;
    size_t begin = 0;
    size_t end = 0;
    int line = 1;
    size_t exprBegin = 0;   // condition, value or argument list start
    std::vector<ParsedStatement> body;     // of a block, IF, WHILE, or TRY
    std::vector<ParsedStatement> elseBody; // of IF's ELSE, or CATCH
    std::vector<Declaration> declarations;
    std::vector<std::string> words; // SET option names, DROP/CREATE object kind and names, DBCC words
    std::string target;             // variable of SET, database of USE, procedure of EXEC, ...
    std::string returnVariable;     // EXEC @r = ...
    std::vector<ExecArgument> arguments;
    std::string message;            // why an unsupported statement is refused
};

class Parser {
public:
    Parser(const std::vector<Token>& tokens, std::string_view batch);

    std::vector<ParsedStatement> ParseBatch();
    // Statements of a module body (procedure, trigger) starting at `begin`.
    std::vector<ParsedStatement> ParseFrom(size_t begin);

    static bool StartsStatement(const Token& t);

private:
    ParsedStatement ParseStatement(bool firstInBatch);
    ParsedStatement ParseBlockOrSingle();
    // Statements up to END `word` (TRY, CATCH), which it reads too.
    std::vector<ParsedStatement> ParseUntilEnd(std::string_view word);
    void ParseDeclare(ParsedStatement& s);
    // DECLARE name CURSOR: target = name, words = the options; exprBegin = the SELECT.
    void ParseDeclareCursor(ParsedStatement& s);
    // OPEN, CLOSE, DEALLOCATE and FETCH: target = the cursor, words[0] = "GLOBAL" or "";
    // FETCH adds the direction, then the INTO variables; exprBegin = ABSOLUTE's or RELATIVE's row.
    void ParseCursorStatement(ParsedStatement& s);
    void ParseSet(ParsedStatement& s);
    void ParseRaiserror(ParsedStatement& s);
    void ParseExec(ParsedStatement& s, bool keyword);
    void ParseCreate(ParsedStatement& s, bool firstInBatch);
    void ParseDrop(ParsedStatement& s);
    // GRANT/REVOKE/DENY on an object: words = verb, with grant option ("1"/"0"),
    // grant option for ("1"/"0"), the actions, "TO", the users.
    void ParsePermission(ParsedStatement& s);
    void ParseDbcc(ParsedStatement& s);
    void ParseAlter(ParsedStatement& s, bool firstInBatch);
    size_t SkipExpression(size_t begin);
    size_t SkipParenthesised(size_t begin);
    std::string ObjectName();
    void SkipToStatementEnd();

    const Token& Peek(size_t ahead = 0) const;
    const Token& Next();
    bool Accept(std::string_view word);
    void Expect(std::string_view word);
    [[noreturn]] void Fail() const;

    const std::vector<Token>& tokens_;
    std::string_view batch_;
    size_t pos_ = 0;
    bool afterTerminator_ = false;
    int depth_ = 0;
};

} // namespace tw::server
