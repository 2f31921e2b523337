#include "platform/server/Parser.h"

#include <algorithm>
#include <cctype>

#include "platform/server/SqlError.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace parser_detail {

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace parser_detail


Parser::Parser(const std::vector<Token>& tokens, std::string_view batch) : tokens_(tokens), batch_(batch) {}

bool Parser::StartsStatement(const Token& t)
{
    static const char* const words[] = {
        "SELECT", "INSERT", "UPDATE", "DELETE", "DECLARE", "SET", "IF", "ELSE", "WHILE", "BEGIN", "END", "PRINT",
        "RAISERROR", "RETURN", "USE", "COMMIT", "ROLLBACK", "SAVE", "EXEC", "EXECUTE", "CREATE", "ALTER", "DROP",
        "DBCC", "KILL", "BREAK", "CONTINUE", "TRUNCATE", "WAITFOR", "GRANT", "REVOKE", "DENY", "GOTO", "OPEN",
        "FETCH", "CLOSE", "DEALLOCATE", "MERGE", "BULK", "BACKUP", "RESTORE", "CHECKPOINT", "RECONFIGURE",
        "SHUTDOWN", "READTEXT", "WRITETEXT", "UPDATETEXT", "WITH", "SETUSER", "LOAD", "DUMP"};
    if (t.kind != TokenKind::Name)
        return false;
    for (const char* w : words)
        if (t.Is(w))
            return true;
    return false;
}

const Token& Parser::Peek(size_t ahead) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }

const Token& Parser::Next()
{
    const Token& t = Peek();
    if (pos_ < tokens_.size() - 1)
        ++pos_;
    return t;
}

bool Parser::Accept(std::string_view word)
{
    if (!Peek().Is(word))
        return false;
    Next();
    return true;
}

void Parser::Expect(std::string_view word)
{
    if (!Accept(word))
        Fail();
}

void Parser::Fail() const
{
    const Token& t = Peek();
    if (t.kind == TokenKind::End)
        throw SqlError::SyntaxAtEnd();
    const bool keyword = t.kind == TokenKind::Name && Lexer::IsReservedWord(t.text);
    throw SqlError::Syntax(keyword ? t.text : t.Spelling(batch_), keyword);
}

std::vector<ParsedStatement> Parser::ParseBatch() { return ParseFrom(0); }

std::vector<ParsedStatement> Parser::ParseFrom(size_t begin)
{
    pos_ = begin;
    std::vector<ParsedStatement> list;
    // Room for a script of short statements at once: a statement is rarely
    // shorter than a dozen tokens, and regrowing moves every statement parsed.
    list.reserve((tokens_.size() - std::min(begin, tokens_.size())) / 12 + 1);
    afterTerminator_ = false;
    while (Peek().kind != TokenKind::End) {
        if (Peek().IsOp(";")) {
            Next();
            afterTerminator_ = true;
            continue;
        }
        list.push_back(ParseStatement(list.empty() && pos_ == begin));
        afterTerminator_ = false;
    }
    return list;
}

size_t Parser::SkipExpression(size_t begin)
{
    Translator translator(tokens_, batch_, nullptr);
    return translator.Expression(begin).end;
}

std::vector<ParsedStatement> Parser::ParseUntilEnd(std::string_view word)
{
    std::vector<ParsedStatement> list;
    while (!(Peek().Is("END") && Peek(1).Is(word))) {
        if (Peek().kind == TokenKind::End)
            Fail();
        if (Peek().IsOp(";")) {
            Next();
            continue;
        }
        list.push_back(ParseStatement(false));
    }
    Next();
    Next();
    return list;
}

ParsedStatement Parser::ParseBlockOrSingle()
{
    while (Peek().IsOp(";"))
        Next();
    if (Peek().kind == TokenKind::End)
        Fail();
    return ParseStatement(false);
}

ParsedStatement Parser::ParseStatement(bool firstInBatch)
{
    Nesting level(depth_);
    ParsedStatement s;
    s.begin = pos_;
    s.line = Peek().line;
    const Token& t = Peek();

    if (t.Is("UPDATE") && Peek(1).Is("STATISTICS")) {
        // UPDATE STATISTICS table [index | (index, ...)] [WITH options]
        Next();
        Next();
        s.kind = StatementKind::UpdateStatistics;
        s.target = ObjectName();
        if (Peek().IsOp("("))
            pos_ = SkipParenthesised(pos_);
        else if (Peek().IsName() && !Peek().Is("WITH") && !StartsStatement(Peek()))
            Next();
        if (Accept("WITH")) {
            while ((Peek().IsName() && !StartsStatement(Peek())) || Peek().kind == TokenKind::Number ||
                   Peek().IsOp(","))
                Next();
        }
    } else if (t.Is("OPEN") || t.Is("FETCH") || t.Is("CLOSE") || t.Is("DEALLOCATE")) {
        ParseCursorStatement(s);
    } else if (t.Is("RECONFIGURE")) {
        Next();
        s.kind = StatementKind::Reconfigure;
        if (Accept("WITH") && !Accept("OVERRIDE"))
            Fail();
    } else if (t.Is("CHECKPOINT")) {
        Next();
        s.kind = StatementKind::Checkpoint;
        if (Peek().kind == TokenKind::Number)
            Next();
    } else if (t.Is("SELECT") || t.Is("INSERT") || t.Is("UPDATE") || t.Is("DELETE") || t.IsOp("(") ||
               t.Is("WITH")) {
        Translator translator(tokens_, batch_, nullptr);
        pos_ = translator.Statement(pos_).end;
        s.kind = StatementKind::Query;
    } else if (t.Is("BEGIN")) {
        Next();
        if (Accept("TRAN") || Accept("TRANSACTION")) {
            s.kind = StatementKind::BeginTran;
            if (Peek().IsName() && !StartsStatement(Peek()))
                Next();
            else if (Peek().kind == TokenKind::Variable)
                Next();
        } else if (Peek().Is("DISTRIBUTED")) {
            s.kind = StatementKind::Unsupported;
            s.message = "Distributed transactions";
            SkipToStatementEnd();
        } else if (Accept("TRY")) {
            s.kind = StatementKind::TryCatch;
            s.body = ParseUntilEnd("TRY");
            while (Peek().IsOp(";"))
                Next();
            Expect("BEGIN");
            Expect("CATCH");
            s.elseBody = ParseUntilEnd("CATCH");
        } else {
            s.kind = StatementKind::Block;
            while (!Peek().Is("END")) {
                if (Peek().kind == TokenKind::End)
                    Fail();
                if (Peek().IsOp(";")) {
                    Next();
                    continue;
                }
                s.body.push_back(ParseStatement(false));
            }
            Expect("END");
        }
    } else if (t.Is("IF")) {
        Next();
        s.kind = StatementKind::If;
        s.exprBegin = pos_;
        pos_ = SkipExpression(pos_);
        s.body.push_back(ParseBlockOrSingle());
        size_t save = pos_;
        while (Peek().IsOp(";"))
            Next();
        if (Accept("ELSE"))
            s.elseBody.push_back(ParseBlockOrSingle());
        else
            pos_ = save;
    } else if (t.Is("WHILE")) {
        Next();
        s.kind = StatementKind::While;
        s.exprBegin = pos_;
        pos_ = SkipExpression(pos_);
        s.body.push_back(ParseBlockOrSingle());
    } else if (t.Is("BREAK") || t.Is("CONTINUE")) {
        s.kind = t.Is("BREAK") ? StatementKind::Break : StatementKind::Continue;
        Next();
    } else if (t.Is("DECLARE")) {
        Next();
        ParseDeclare(s);
    } else if (t.Is("SET")) {
        Next();
        ParseSet(s);
    } else if (t.Is("PRINT")) {
        Next();
        s.kind = StatementKind::Print;
        s.exprBegin = pos_;
        pos_ = SkipExpression(pos_);
    } else if (t.Is("RAISERROR")) {
        Next();
        ParseRaiserror(s);
    } else if (t.Is("RETURN")) {
        Next();
        s.kind = StatementKind::Return;
        if (Peek().kind != TokenKind::End && !Peek().IsOp(";") && !StartsStatement(Peek())) {
            s.exprBegin = pos_;
            pos_ = SkipExpression(pos_);
        }
    } else if (t.Is("USE")) {
        Next();
        s.kind = StatementKind::Use;
        if (!Peek().IsName())
            Fail();
        s.target = Next().text;
    } else if (t.Is("COMMIT") || t.Is("ROLLBACK") || t.Is("SAVE")) {
        s.kind = t.Is("COMMIT") ? StatementKind::CommitTran
                 : t.Is("ROLLBACK") ? StatementKind::RollbackTran : StatementKind::SaveTran;
        Next();
        const bool hasWord = Accept("TRAN") || Accept("TRANSACTION") || Accept("WORK");
        if (s.kind == StatementKind::SaveTran && !hasWord)
            Fail();
        if ((Peek().kind == TokenKind::Name && !StartsStatement(Peek())) || Peek().kind == TokenKind::QuotedName ||
            Peek().kind == TokenKind::Variable)
            s.target = Next().text;
    } else if (t.Is("EXEC") || t.Is("EXECUTE")) {
        Next();
        ParseExec(s, true);
    } else if (t.Is("CREATE")) {
        Next();
        ParseCreate(s, firstInBatch);
    } else if (t.Is("ALTER")) {
        Next();
        ParseAlter(s, firstInBatch);
    } else if (t.Is("DROP")) {
        Next();
        ParseDrop(s);
    } else if (t.Is("DBCC")) {
        Next();
        ParseDbcc(s);
    } else if (t.Is("KILL")) {
        Next();
        s.kind = StatementKind::Kill;
        if (Peek().kind != TokenKind::Number && Peek().kind != TokenKind::String)
            Fail();
        s.target = Next().text;
    } else if (t.Is("GRANT") || t.Is("REVOKE") || t.Is("DENY")) {
        ParsePermission(s);
    } else if (t.Is("TRUNCATE")) {
        Next();
        Expect("TABLE");
        s.kind = StatementKind::Truncate;
        s.target = ObjectName();
        s.exprBegin = s.begin + 2;
    } else if (t.Is("WAITFOR")) {
        Next();
        s.kind = StatementKind::WaitFor;
        if (!Accept("DELAY") && !Accept("TIME"))
            Fail();
        s.target = parser_detail::Lower(tokens_[pos_ - 1].text);
        s.exprBegin = pos_;
        pos_ = SkipExpression(pos_);
    } else if (t.kind == TokenKind::Name && (t.Is("GO"))) {
        Fail();
    } else if ((t.kind == TokenKind::Name || t.kind == TokenKind::QuotedName) && !StartsStatement(t) &&
               !Lexer::IsReservedWord(t.text) && (firstInBatch || afterTerminator_)) {
        // A procedure call without EXEC: SQL Server takes it as the first
        // statement of a batch; we also take it right after a ';'.
        ParseExec(s, false);
    } else if (StartsStatement(t) || t.Is("MERGE") || t.Is("CURSOR")) {
        s.kind = StatementKind::Unsupported;
        s.message = "The " + parser_detail::Upper(t.text) + " statement";
        if (t.Is("ELSE") || t.Is("END"))
            Fail();
        Next();
        SkipToStatementEnd();
    } else {
        Fail();
    }
    s.end = pos_;
    return s;
}

void Parser::SkipToStatementEnd()
{
    // What follows a statement the server refuses cannot be read reliably
    // (a cursor's SELECT, a CTE's query): the refusal takes the batch's rest.
    while (Peek().kind != TokenKind::End)
        Next();
}

void Parser::ParseDeclare(ParsedStatement& s)
{
    s.kind = StatementKind::Declare;
    do {
        if (Peek().kind != TokenKind::Variable) {
            if (s.declarations.empty() && Peek().IsName() &&
                (Peek(1).Is("CURSOR") || Peek(1).Is("INSENSITIVE") || Peek(1).Is("SCROLL")))
                return ParseDeclareCursor(s);
            Fail();
        }
        Declaration d;
        d.name = parser_detail::Lower(Next().text);
        Accept("AS");
        if (Peek().Is("TABLE") && s.declarations.empty()) {
            Next();
            s.kind = StatementKind::CreateTable;
            s.target = d.name;
            s.words.push_back("VARIABLE");
            if (!Peek().IsOp("("))
                Fail();
            s.exprBegin = pos_;
            pos_ = SkipParenthesised(pos_);
            return;
        }
        if (Peek().Is("TABLE") || Peek().Is("CURSOR")) {
            s.kind = StatementKind::Unsupported;
            s.message = Peek().Is("TABLE") ? "Table variables declared beside others" : "Cursor variables";
            SkipToStatementEnd();
            return;
        }
        Translator translator(tokens_, batch_, nullptr);
        size_t end = pos_;
        d.type = translator.Type(pos_, end);
        pos_ = end;
        if (Peek().IsOp("=")) {
            Next();
            d.initBegin = pos_;
            pos_ = SkipExpression(pos_);
        }
        s.declarations.push_back(d);
    } while (Peek().IsOp(",") && (Next(), true));
}

namespace parser_detail {

bool CursorOption(const std::string& word)
{
    static const char* const options[] = {"LOCAL", "GLOBAL", "FORWARD_ONLY", "SCROLL", "STATIC", "KEYSET",
                                          "DYNAMIC", "FAST_FORWARD", "READ_ONLY", "SCROLL_LOCKS", "OPTIMISTIC",
                                          "TYPE_WARNING", "INSENSITIVE"};
    return std::any_of(std::begin(options), std::end(options), [&](const char* o) { return word == o; });
}

} // namespace parser_detail

void Parser::ParseDeclareCursor(ParsedStatement& s)
{
    s.kind = StatementKind::DeclareCursor;
    s.target = Next().text;
    bool sawCursor = false;
    while (!Peek().Is("FOR")) {
        const std::string word = parser_detail::Upper(Next().text);
        if (word == "CURSOR" && !sawCursor)
            sawCursor = true;
        else if (parser_detail::CursorOption(word))
            s.words.push_back(word);
        else
            Fail();
    }
    if (!sawCursor)
        Fail();
    Expect("FOR");
    if (!Peek().Is("SELECT") && !Peek().IsOp("("))
        Fail();
    s.exprBegin = pos_;
    Translator translator(tokens_, batch_, nullptr);
    pos_ = translator.Statement(pos_).end;
    if (Accept("FOR")) {
        if (Accept("READ")) {
            Expect("ONLY");
            s.words.push_back("READ_ONLY");
        } else {
            Expect("UPDATE");
            s.words.push_back("FOR UPDATE");
            if (Accept("OF"))
                do {
                    if (!Peek().IsName())
                        Fail();
                    Next();
                } while (Peek().IsOp(",") && (Next(), true));
        }
    }
    // Only cursors that read a copy of their rows are kept: one that would
    // see or make changes through itself is refused rather than faked.
    for (const std::string& w : s.words)
        if (w == "KEYSET" || w == "DYNAMIC" || w == "SCROLL_LOCKS" || w == "OPTIMISTIC" || w == "FOR UPDATE") {
            s.kind = StatementKind::Unsupported;
            s.message = "Cursors that are " + w + " (only read-only STATIC, FAST_FORWARD and FORWARD_ONLY ones)";
        }
}

void Parser::ParseCursorStatement(ParsedStatement& s)
{
    const std::string verb = parser_detail::Upper(Next().text);
    s.kind = verb == "OPEN" ? StatementKind::OpenCursor
             : verb == "FETCH" ? StatementKind::FetchCursor
             : verb == "CLOSE" ? StatementKind::CloseCursor : StatementKind::DeallocateCursor;
    std::string direction = "NEXT";
    if (s.kind == StatementKind::FetchCursor) {
        if (Peek().Is("NEXT") || Peek().Is("PRIOR") || Peek().Is("FIRST") || Peek().Is("LAST")) {
            direction = parser_detail::Upper(Next().text);
        } else if (Peek().Is("ABSOLUTE") || Peek().Is("RELATIVE")) {
            direction = parser_detail::Upper(Next().text);
            s.exprBegin = pos_;
            pos_ = SkipExpression(pos_);
        }
        if (direction != "NEXT" || s.exprBegin)
            Expect("FROM");
        else
            Accept("FROM");
    }
    s.words.push_back(Peek().Is("GLOBAL") && Peek(1).IsName() ? (Next(), "GLOBAL") : "");
    if (Peek().kind == TokenKind::Variable)
        throw SqlError::NotSupported("Cursor variables");
    if (!Peek().IsName())
        Fail();
    s.target = Next().text;
    if (s.kind != StatementKind::FetchCursor)
        return;
    s.words.push_back(direction);
    if (!Accept("INTO"))
        return;
    do {
        if (Peek().kind != TokenKind::Variable)
            Fail();
        s.words.push_back(parser_detail::Lower(Next().text));
    } while (Peek().IsOp(",") && (Next(), true));
}

void Parser::ParseSet(ParsedStatement& s)
{
    if (Peek().kind == TokenKind::Variable) {
        s.kind = StatementKind::SetVariable;
        s.target = parser_detail::Lower(Next().text);
        if (!Peek().IsOp("="))
            Fail();
        Next();
        s.exprBegin = pos_;
        pos_ = SkipExpression(pos_);
        return;
    }
    s.kind = StatementKind::SetOption;
    if (!Peek().IsName())
        Fail();
    // Options taking a value rather than ON/OFF.
    static const char* const valued[] = {"ROWCOUNT", "TEXTSIZE", "LOCK_TIMEOUT", "DATEFORMAT", "DATEFIRST",
                                         "LANGUAGE", "DEADLOCK_PRIORITY", "QUERY_GOVERNOR_COST_LIMIT"};
    for (const char* v : valued)
        if (Peek().Is(v)) {
            s.words.push_back(parser_detail::Upper(Next().text));
            if (Peek().kind == TokenKind::End || Peek().IsOp(";"))
                Fail();
            s.exprBegin = pos_;
            if (Peek().kind == TokenKind::Name) {
                s.target = Next().text;
                s.exprBegin = 0;
            } else {
                pos_ = SkipExpression(pos_);
            }
            return;
        }
    if (Peek().Is("IDENTITY_INSERT")) {
        Next();
        s.words.push_back("IDENTITY_INSERT");
        s.exprBegin = 0;
        s.message = ObjectName();
        if (Accept("ON"))
            s.target = "ON";
        else if (Accept("OFF"))
            s.target = "OFF";
        else
            Fail();
        return;
    }
    if (Peek().Is("TRANSACTION")) {
        Next();
        Expect("ISOLATION");
        Expect("LEVEL");
        s.words.push_back("TRANSACTION ISOLATION LEVEL");
        std::string level;
        while (Peek().kind == TokenKind::Name && !StartsStatement(Peek()))
            level += (level.empty() ? "" : " ") + parser_detail::Upper(Next().text);
        if (level.empty())
            Fail();
        s.target = level;
        return;
    }
    do {
        if (!Peek().IsName())
            Fail();
        std::string word = parser_detail::Upper(Next().text);
        if (word == "STATISTICS" || word == "SHOWPLAN_TEXT" || word == "SHOWPLAN_ALL") {
            if (word == "STATISTICS") {
                if (!Peek().IsName())
                    Fail();
                word += " " + parser_detail::Upper(Next().text);
            }
        }
        s.words.push_back(word);
    } while (Peek().IsOp(",") && (Next(), true));
    if (Accept("ON"))
        s.target = "ON";
    else if (Accept("OFF"))
        s.target = "OFF";
    else
        Fail();
}

void Parser::ParseRaiserror(ParsedStatement& s)
{
    s.kind = StatementKind::Raiserror;
    if (Peek().IsOp("(")) {
        Next();
        s.exprBegin = pos_;
        pos_ = SkipExpression(pos_);
        while (Peek().IsOp(",")) {
            Next();
            pos_ = SkipExpression(pos_);
        }
        if (!Peek().IsOp(")"))
            Fail();
        Next();
    } else {
        // The old form: RAISERROR number 'text'.
        if (Peek().kind != TokenKind::Number && Peek().kind != TokenKind::Variable)
            Fail();
        s.words.push_back("legacy");
        s.exprBegin = pos_;
        Next();
        if (Peek().kind != TokenKind::String && Peek().kind != TokenKind::Variable)
            Fail();
        Next();
    }
    if (Accept("WITH")) {
        do {
            if (!Peek().Is("LOG") && !Peek().Is("NOWAIT") && !Peek().Is("SETERROR"))
                Fail();
            s.words.push_back(parser_detail::Upper(Next().text));
        } while (Peek().IsOp(",") && (Next(), true));
    }
}

namespace parser_detail {

// A part of a dotted name as ObjectName::Parse reads it back: bracketed when
// it holds what would otherwise split or quote it.
std::string NamePart(const std::string& part)
{
    if (part.find_first_of(".[]\"") == std::string::npos && (part.empty() || (part.front() != ' ' && part.back() != ' ')))
        return part;
    std::string out = "[";
    for (char c : part) {
        out += c;
        if (c == ']')
            out += ']';
    }
    return out + "]";
}

} // namespace parser_detail

std::string Parser::ObjectName()
{
    std::string name;
    if (!Peek().IsName())
        Fail();
    name = parser_detail::NamePart(Next().text);
    while (Peek().IsOp(".")) {
        Next();
        name += ".";
        if (Peek().IsOp("."))
            continue;
        if (!Peek().IsName())
            Fail();
        name += parser_detail::NamePart(Next().text);
    }
    return name;
}

void Parser::ParseExec(ParsedStatement& s, bool keyword)
{
    (void)keyword;
    if (Peek().IsOp("(")) {
        s.kind = StatementKind::ExecString;
        Next();
        s.exprBegin = pos_;
        pos_ = SkipExpression(pos_);
        if (!Peek().IsOp(")"))
            Fail();
        Next();
        return;
    }
    s.kind = StatementKind::Exec;
    if (Peek().kind == TokenKind::Variable && Peek(1).IsOp("=")) {
        s.returnVariable = parser_detail::Lower(Next().text);
        Next();
    }
    if (Peek().kind == TokenKind::Variable)
        throw SqlError::NotSupported("EXEC of a procedure named by a variable");
    s.target = ObjectName();
    // Arguments: constants, variables or bare words, optionally by name.
    if (Peek().kind == TokenKind::End || Peek().IsOp(";") || (StartsStatement(Peek()) && !Peek(1).IsOp("=")))
        return;
    do {
        ExecArgument a;
        if (Peek().kind == TokenKind::Variable && Peek(1).IsOp("=")) {
            a.name = parser_detail::Lower(Next().text);
            Next();
        }
        a.token = pos_;
        const Token& v = Peek();
        if (v.Is("DEFAULT")) {
            a.isDefault = true;
            Next();
        } else if (v.IsOp("-") || v.IsOp("+")) {
            Next();
            if (Peek().kind != TokenKind::Number)
                Fail();
            Next();
        } else if (v.kind == TokenKind::Number || v.kind == TokenKind::String || v.kind == TokenKind::Binary ||
                   v.kind == TokenKind::Variable || v.IsName()) {
            Next();
        } else {
            Fail();
        }
        if (Accept("OUTPUT") || Accept("OUT"))
            a.output = true;
        s.arguments.push_back(a);
    } while (Peek().IsOp(",") && (Next(), true));
}

void Parser::ParseCreate(ParsedStatement& s, bool firstInBatch)
{
    bool unique = false;
    if (Accept("UNIQUE"))
        unique = true;
    if (Accept("CLUSTERED") || Accept("NONCLUSTERED")) {
        if (!Peek().Is("INDEX"))
            Fail();
    }
    const Token& kind = Peek();
    if (kind.Is("PROCEDURE") || kind.Is("PROC") || kind.Is("VIEW") || kind.Is("FUNCTION") ||
        kind.Is("TRIGGER") || kind.Is("DEFAULT") || kind.Is("RULE")) {
        std::string word = parser_detail::Upper(Next().text);
        if (word == "PROC")
            word = "PROCEDURE";
        if (!firstInBatch)
            throw SqlError(111, 15, "'CREATE " + word + "' must be the first statement in a query batch.",
                           SqlError::Scope::Batch);
        s.kind = StatementKind::CreateModule;
        s.words.push_back(word);
        s.target = ObjectName();
        s.exprBegin = pos_;
        // The module body runs to the end of the batch; procedures and
        // triggers are parsed now so that a syntax error stops the CREATE.
        if (word == "PROCEDURE" || word == "TRIGGER") {
            size_t asPos = pos_;
            while (tokens_[asPos].kind != TokenKind::End && !tokens_[asPos].Is("AS"))
                ++asPos;
            if (tokens_[asPos].kind == TokenKind::End) {
                pos_ = asPos;
                Fail();
            }
            Parser body(tokens_, batch_);
            body.ParseFrom(asPos + 1);
        }
        while (Peek().kind != TokenKind::End)
            Next();
        return;
    }
    if (kind.Is("TABLE")) {
        Next();
        s.kind = StatementKind::CreateTable;
        s.target = ObjectName();
        if (!Peek().IsOp("("))
            Fail();
        s.exprBegin = pos_;
        pos_ = SkipParenthesised(pos_);
        if (Accept("ON"))
            Next();
        return;
    }
    if (kind.Is("DATABASE")) {
        Next();
        s.kind = StatementKind::CreateDatabase;
        if (!Peek().IsName())
            Fail();
        s.target = Next().text;
        if (Peek().kind != TokenKind::End && !Peek().IsOp(";") && !StartsStatement(Peek())) {
            s.kind = StatementKind::Unsupported;
            s.message = "CREATE DATABASE with file, log or collation options";
            SkipToStatementEnd();
        }
        return;
    }
    if (kind.Is("INDEX")) {
        Next();
        s.kind = StatementKind::CreateIndex;
        s.words.push_back(unique ? "UNIQUE" : "");
        if (!Peek().IsName())
            Fail();
        s.words.push_back(Next().text);
        Expect("ON");
        s.target = ObjectName();
        if (!Peek().IsOp("("))
            Fail();
        s.exprBegin = pos_;
        pos_ = SkipParenthesised(pos_);
        if (Accept("WITH")) {
            if (Peek().IsOp("("))
                pos_ = SkipParenthesised(pos_);
            else
                while (Peek().IsName() && !StartsStatement(Peek()) && !Peek().Is("ON"))
                    Next();
        }
        if (Accept("ON"))
            Next();
        return;
    }
    s.kind = StatementKind::Unsupported;
    s.message = "CREATE " + parser_detail::Upper(kind.text);
    SkipToStatementEnd();
}

void Parser::ParseAlter(ParsedStatement& s, bool firstInBatch)
{
    if (Peek().Is("TABLE")) {
        Next();
        s.kind = StatementKind::AlterTable;
        s.target = ObjectName();
        s.exprBegin = pos_;
        // WITH CHECK / WITH NOCHECK: whether the rows already there are checked.
        std::string with;
        if (Peek().Is("WITH") && (Peek(1).Is("CHECK") || Peek(1).Is("NOCHECK"))) {
            Next();
            with = parser_detail::Upper(Next().text);
        }
        if (Peek().Is("CHECK") || Peek().Is("NOCHECK")) {
            s.words.push_back(parser_detail::Upper(Next().text));
            s.words.push_back(with);
            Expect("CONSTRAINT");
            s.exprBegin = pos_;
            if (Accept("ALL"))
                return;
            do {
                if (!Peek().IsName())
                    Fail();
                Next();
            } while (Peek().IsOp(",") && (Next(), true));
            return;
        }
        if (!with.empty() && !Peek().Is("ADD"))
            Fail();
        if (Accept("ADD")) {
            s.words.push_back("ADD");
            s.words.push_back(with);
        } else if (Accept("DROP")) {
            s.words.push_back("DROP");
            Accept("COLUMN");
        } else if (Accept("ALTER")) {
            s.words.push_back("ALTER");
            Expect("COLUMN");
        } else {
            Fail();
        }
        s.exprBegin = pos_;
        int depth = 0;
        while (Peek().kind != TokenKind::End && !(depth == 0 && (Peek().IsOp(";") || StartsStatement(Peek())))) {
            if (Peek().IsOp("("))
                ++depth;
            if (Peek().IsOp(")"))
                --depth;
            Next();
        }
        return;
    }
    if (Peek().Is("DATABASE")) {
        Next();
        if (!Peek().IsName())
            Fail();
        s.target = Next().text;
        Expect("SET");
        s.kind = StatementKind::AlterDatabase;
        if (Peek().Is("OFFLINE") || Peek().Is("ONLINE")) {
            s.words.push_back(parser_detail::Upper(Next().text));
        } else if (Peek().Is("RECOVERY") &&
                   (Peek(1).Is("FULL") || Peek(1).Is("SIMPLE") || Peek(1).Is("BULK_LOGGED"))) {
            s.words.push_back(parser_detail::Upper(Next().text));
            s.words.push_back(parser_detail::Upper(Next().text));
        }
        if (s.words.empty() || !(Peek().kind == TokenKind::End || Peek().IsOp(";") || StartsStatement(Peek()))) {
            s.kind = StatementKind::Unsupported;
            s.message = "ALTER DATABASE with options other than OFFLINE, ONLINE and RECOVERY";
            SkipToStatementEnd();
        }
        return;
    }
    if (Peek().Is("PROCEDURE") || Peek().Is("PROC") || Peek().Is("VIEW") || Peek().Is("FUNCTION") ||
        Peek().Is("TRIGGER")) {
        ParseCreate(s, firstInBatch);
        if (!s.words.empty())
            s.words.push_back("ALTER");
        return;
    }
    s.kind = StatementKind::Unsupported;
    s.message = "ALTER " + parser_detail::Upper(Peek().text);
    SkipToStatementEnd();
}

void Parser::ParsePermission(ParsedStatement& s)
{
    s.kind = StatementKind::Permission;
    s.words.push_back(parser_detail::Upper(Next().text));
    const bool revoke = s.words[0] == "REVOKE";
    const bool optionFor = revoke && Peek().Is("GRANT") && Peek(1).Is("OPTION") && (Next(), Next(), Expect("FOR"), true);
    s.words.push_back("0");
    s.words.push_back(optionFor ? "1" : "0");
    do {
        if (!Peek().IsName())
            Fail();
        std::string action = parser_detail::Upper(Next().text);
        if (action == "EXEC")
            action = "EXECUTE";
        if (action == "ALL")
            Accept("PRIVILEGES");
        s.words.push_back(action);
    } while (Peek().IsOp(",") && (Next(), true));
    if (!Accept("ON")) {
        // Statement permissions (CREATE TABLE, BACKUP DATABASE, ...) are not kept.
        s.kind = StatementKind::Unsupported;
        s.message = s.words[0] + " of statement permissions";
        SkipToStatementEnd();
        return;
    }
    s.target = ObjectName();
    if (Peek().IsOp("(")) {
        s.kind = StatementKind::Unsupported;
        s.message = s.words[0] + " on columns";
        SkipToStatementEnd();
        return;
    }
    if (!(Accept("TO") || (revoke && Accept("FROM"))))
        Fail();
    s.words.push_back("TO");
    do {
        if (!Peek().IsName())
            Fail();
        s.words.push_back(Next().text);
    } while (Peek().IsOp(",") && (Next(), true));
    if (s.words[0] == "GRANT" && Peek().Is("WITH")) {
        Next();
        Expect("GRANT");
        Expect("OPTION");
        s.words[1] = "1";
    }
    if (s.words[0] != "GRANT")
        Accept("CASCADE");
    if (Accept("AS"))
        Next();
}

void Parser::ParseDrop(ParsedStatement& s)
{
    s.kind = StatementKind::Drop;
    if (!Peek().IsName())
        Fail();
    std::string word = parser_detail::Upper(Next().text);
    if (word == "PROC")
        word = "PROCEDURE";
    if (word == "DATABASE") {
        s.kind = StatementKind::DropDatabase;
        do {
            if (!Peek().IsName())
                Fail();
            s.words.push_back(Next().text);
        } while (Peek().IsOp(",") && (Next(), true));
        return;
    }
    static const char* const kinds[] = {"TABLE", "VIEW", "PROCEDURE", "FUNCTION", "TRIGGER", "INDEX", "DEFAULT",
                                        "RULE"};
    if (std::none_of(std::begin(kinds), std::end(kinds), [&](const char* k) { return word == k; })) {
        s.kind = StatementKind::Unsupported;
        s.message = "DROP " + word;
        SkipToStatementEnd();
        return;
    }
    s.words.push_back(word);
    do {
        s.words.push_back(ObjectName());
    } while (Peek().IsOp(",") && (Next(), true));
}

void Parser::ParseDbcc(ParsedStatement& s)
{
    s.kind = StatementKind::Dbcc;
    if (!Peek().IsName())
        Fail();
    s.target = Next().text;
    if (Peek().IsOp("(")) {
        s.exprBegin = pos_ + 1;
        pos_ = SkipParenthesised(pos_);
    }
    if (Accept("WITH")) {
        do {
            if (!Peek().IsName())
                Fail();
            s.words.push_back(Next().text);
        } while (Peek().IsOp(",") && (Next(), true));
    }
}

size_t Parser::SkipParenthesised(size_t begin)
{
    pos_ = begin;
    int depth = 0;
    do {
        if (Peek().kind == TokenKind::End)
            Fail();
        if (Peek().IsOp("("))
            ++depth;
        else if (Peek().IsOp(")"))
            --depth;
        Next();
    } while (depth > 0);
    return pos_;
}

} // namespace tw::server
