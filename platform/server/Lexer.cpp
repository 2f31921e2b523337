#include "platform/server/Lexer.h"

#include <cctype>
#include <set>

#include "platform/server/SqlError.h"

namespace tw::server {

namespace lexer_detail {

bool IsNameStart(unsigned char c)
{
    return std::isalpha(c) || c == '_' || c == '#' || c >= 0x80;
}

bool IsNamePart(unsigned char c)
{
    return std::isalnum(c) || c == '_' || c == '#' || c == '@' || c == '$' || c >= 0x80;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string Upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

} // namespace lexer_detail

bool Token::Is(std::string_view word) const
{
    return kind == TokenKind::Name && lexer_detail::EqualsNoCase(text, word);
}

bool Lexer::IsReservedWord(std::string_view word)
{
    static const std::set<std::string> words = {
        "ADD", "ALL", "ALTER", "AND", "ANY", "AS", "ASC", "BEGIN", "BETWEEN", "BREAK", "BY", "CASE", "CHECK",
        "CLOSE", "COLUMN", "COMMIT", "CONSTRAINT", "CONTINUE", "CONVERT", "CREATE", "CROSS", "CURSOR", "DBCC",
        "DEALLOCATE", "DECLARE", "DEFAULT", "DELETE", "DESC", "DISTINCT", "DROP", "ELSE", "END", "ESCAPE",
        "EXCEPT", "EXEC", "EXECUTE", "EXISTS", "FETCH", "FOR", "FOREIGN", "FROM", "FULL", "FUNCTION", "GOTO",
        "GRANT", "GROUP", "HAVING", "IDENTITY", "IF", "IN", "INDEX", "INNER", "INSERT", "INTERSECT", "INTO",
        "IS", "JOIN", "KEY", "KILL", "LEFT", "LIKE", "MERGE", "NOT", "NULL", "OF", "ON", "OPEN", "OPENROWSET",
        "OPENQUERY", "OPTION", "OR", "ORDER", "OUTER", "PRIMARY", "PRINT", "PROC", "PROCEDURE", "RAISERROR",
        "REFERENCES", "RETURN", "REVOKE", "RIGHT", "ROLLBACK", "SELECT", "SET", "TABLE", "THEN", "TO", "TOP",
        "TRAN", "TRANSACTION", "TRIGGER", "TRUNCATE", "UNION", "UNIQUE", "UPDATE", "USE", "VALUES", "VIEW",
        "WAITFOR", "WHEN", "WHERE", "WHILE", "WITH"};
    return words.count(lexer_detail::Upper(word)) > 0;
}

Lexer::Lexer(std::string_view text, bool quotedIdentifier) : text_(text), quotedIdentifier_(quotedIdentifier) {}

std::vector<Token> Lexer::Tokenize()
{
    std::vector<Token> tokens;
    // Room for a script's tokens at once: regrowing a vector of a few hundred
    // thousand tokens copies them and touches fresh memory each time.
    // A script of short statements ("INSERT ... VALUES (1, 'a', 1.25);") has a
    // token every three or four characters.
    tokens.reserve(text_.size() / 3 + 2);
    for (;;) {
        SkipBlanksAndComments();
        if (pos_ >= text_.size()) {
            tokens.push_back(Make(TokenKind::End, pos_, ""));
            return tokens;
        }
        const unsigned char c = static_cast<unsigned char>(text_[pos_]);
        const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
        if ((c == 'N' || c == 'n') && next == '\'') {
            const size_t start = pos_++;
            Token t = ReadDelimited('\'', TokenKind::String);
            t.offset = start;
            t.length = pos_ - start;
            t.national = true;
            tokens.push_back(std::move(t));
        } else if (c == '0' && (next == 'x' || next == 'X')) {
            const size_t start = pos_;
            pos_ += 2;
            while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_])))
                ++pos_;
            tokens.push_back(Make(TokenKind::Binary, start, std::string(text_.substr(start + 2, pos_ - start - 2))));
        } else if (std::isdigit(c) || (c == '.' && std::isdigit(static_cast<unsigned char>(next)))) {
            tokens.push_back(ReadNumber());
        } else if (c == '$' && (std::isdigit(static_cast<unsigned char>(next)) || next == '.')) {
            // A money constant: $20.00.
            const size_t start = pos_++;
            Token t = ReadNumber();
            t.offset = start;
            t.length = pos_ - start;
            t.money = true;
            tokens.push_back(std::move(t));
        } else if (c == '\'') {
            tokens.push_back(ReadDelimited('\'', TokenKind::String));
        } else if (c == '[') {
            tokens.push_back(ReadDelimited(']', TokenKind::QuotedName));
            CheckNameLength(tokens.back().text);
        } else if (c == '"') {
            tokens.push_back(ReadDelimited('"', quotedIdentifier_ ? TokenKind::QuotedName : TokenKind::String));
            if (quotedIdentifier_)
                CheckNameLength(tokens.back().text);
        } else if (c == '@') {
            const size_t start = pos_;
            const bool system = next == '@';
            pos_ += system ? 2 : 1;
            while (pos_ < text_.size() && lexer_detail::IsNamePart(static_cast<unsigned char>(text_[pos_])))
                ++pos_;
            tokens.push_back(Make(system ? TokenKind::SystemVariable : TokenKind::Variable, start,
                                  std::string(text_.substr(start, pos_ - start))));
            CheckNameLength(tokens.back().text);
        } else if (lexer_detail::IsNameStart(c)) {
            tokens.push_back(ReadName());
            CheckNameLength(tokens.back().text);
        } else {
            tokens.push_back(ReadOperator());
        }
    }
}

void Lexer::SkipBlanksAndComments()
{
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == '\n') {
            ++line_;
            ++pos_;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++pos_;
        } else if (c == '-' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '-') {
            while (pos_ < text_.size() && text_[pos_] != '\n')
                ++pos_;
        } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '*') {
            int depth = 0;
            do {
                if (pos_ + 1 < text_.size() && text_[pos_] == '/' && text_[pos_ + 1] == '*') {
                    ++depth;
                    pos_ += 2;
                } else if (pos_ + 1 < text_.size() && text_[pos_] == '*' && text_[pos_ + 1] == '/') {
                    --depth;
                    pos_ += 2;
                } else {
                    if (text_[pos_] == '\n')
                        ++line_;
                    ++pos_;
                }
            } while (depth > 0 && pos_ < text_.size());
            if (depth > 0)
                throw SqlError(113, 15, "Missing end comment mark '*/'.", SqlError::Scope::Batch);
        } else {
            return;
        }
    }
}

void Lexer::CheckNameLength(const std::string& name) const
{
    constexpr size_t kMaxName = 128;
    size_t characters = 0;
    size_t cut = name.size();
    for (size_t i = 0; i < name.size(); ++i) {
        if ((static_cast<unsigned char>(name[i]) & 0xC0) == 0x80)
            continue;
        if (++characters == kMaxName + 1)
            cut = i;
    }
    if (characters <= kMaxName)
        return;
    throw SqlError(103, 15, "The identifier that starts with '" + name.substr(0, cut) +
                                "' is too long. Maximum length is 128.", SqlError::Scope::Batch);
}

Token Lexer::Make(TokenKind kind, size_t start, std::string text)
{
    Token t;
    t.kind = kind;
    t.text = std::move(text);
    t.offset = start;
    t.length = pos_ - start;
    t.line = line_;
    return t;
}

Token Lexer::ReadName()
{
    const size_t start = pos_;
    while (pos_ < text_.size() && lexer_detail::IsNamePart(static_cast<unsigned char>(text_[pos_])))
        ++pos_;
    return Make(TokenKind::Name, start, std::string(text_.substr(start, pos_ - start)));
}

// A quoted run where the closing character doubled stands for itself.
Token Lexer::ReadDelimited(char close, TokenKind kind)
{
    const size_t start = pos_;
    const int startLine = line_;
    ++pos_;
    std::string value;
    for (;;) {
        if (pos_ >= text_.size()) {
            const std::string rest(text_.substr(start + 1));
            if (kind == TokenKind::String)
                throw SqlError(105, 15, "Unclosed quotation mark after the character string '" + rest + "'.",
                               SqlError::Scope::Batch);
            throw SqlError(105, 15, "Unclosed quotation mark before the character string '" + rest + "'.",
                           SqlError::Scope::Batch);
        }
        const char c = text_[pos_];
        if (c == close) {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == close) {
                value += close;
                pos_ += 2;
                continue;
            }
            ++pos_;
            break;
        }
        if (c == '\n')
            ++line_;
        value += c;
        ++pos_;
    }
    Token t = Make(kind, start, std::move(value));
    t.line = startLine;
    return t;
}

Token Lexer::ReadNumber()
{
    const size_t start = pos_;
    auto digits = [&] {
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    };
    digits();
    if (pos_ < text_.size() && text_[pos_] == '.') {
        ++pos_;
        digits();
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
        size_t save = pos_++;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
            ++pos_;
        if (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
            digits();
        else
            pos_ = save;
    }
    return Make(TokenKind::Number, start, std::string(text_.substr(start, pos_ - start)));
}

Token Lexer::ReadOperator()
{
    static const char* const twoChar[] = {"<=", ">=", "<>", "!=", "!<", "!>", "::"};
    const size_t start = pos_;
    if (pos_ + 1 < text_.size()) {
        const std::string_view pair = text_.substr(pos_, 2);
        for (const char* op : twoChar)
            if (pair == op) {
                pos_ += 2;
                return Make(TokenKind::Operator, start, std::string(pair));
            }
    }
    // A stray UTF-8 byte or control character is still one token so that the
    // parser can report it.
    ++pos_;
    return Make(TokenKind::Operator, start, std::string(text_.substr(start, 1)));
}

} // namespace tw::server
