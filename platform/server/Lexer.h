// Splits T-SQL text into tokens: names (plain, [bracketed] or "quoted"),
// strings ('x', N'x'), numbers, binaries (0x..), @variables, @@functions and
// operators. Comments (-- and nested /* */) and blanks are dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw::server {

enum class TokenKind { Name, QuotedName, String, Number, Binary, Variable, SystemVariable, Operator, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;   // the decoded value: name without brackets, string without quotes
    size_t offset = 0;  // where the token starts in the batch
    size_t length = 0;  // its length in the batch
    int line = 1;
    bool national = false; // N'...'
    bool money = false;    // $12.50

    // A plain name spelled `word`, compared without case.
    bool Is(std::string_view word) const;
    bool IsOp(std::string_view op) const { return kind == TokenKind::Operator && text == op; }
    bool IsName() const { return kind == TokenKind::Name || kind == TokenKind::QuotedName; }
    // The text as written ("[x]" keeps its brackets), for error messages.
    std::string Spelling(std::string_view batch) const { return std::string(batch.substr(offset, length)); }
};

class Lexer {
public:
    // With `quotedIdentifier` off, "x" is a string as in SQL Server.
    Lexer(std::string_view text, bool quotedIdentifier);

    // All tokens, ending with one End token. Throws SqlError on an unclosed
    // string, name or comment.
    std::vector<Token> Tokenize();

    static bool IsReservedWord(std::string_view word);

private:
    void SkipBlanksAndComments();
    Token ReadName();
    Token ReadDelimited(char close, TokenKind kind);
    Token ReadNumber();
    Token ReadOperator();
    Token Make(TokenKind kind, size_t start, std::string text);
    // Refuses a name longer than SQL Server's 128 characters (103).
    void CheckNameLength(const std::string& name) const;

    std::string_view text_;
    bool quotedIdentifier_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace tw::server
