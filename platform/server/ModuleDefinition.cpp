#include "platform/server/ModuleDefinition.h"

#include <cctype>

#include "platform/server/SqlError.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace module_detail {

std::string UpperWord(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string LowerWord(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

[[noreturn]] void SyntaxAt(const Token& t, std::string_view text)
{
    if (t.kind == TokenKind::End)
        throw SqlError::SyntaxAtEnd();
    throw SqlError::Syntax(t.Spelling(text), t.kind == TokenKind::Name && Lexer::IsReservedWord(t.text));
}

Value ConstantValue(const std::vector<Token>& tokens, size_t& i, std::string_view text)
{
    bool negative = false;
    if (tokens[i].IsOp("-")) {
        negative = true;
        ++i;
    }
    const Token& t = tokens[i++];
    switch (t.kind) {
    case TokenKind::Number:
        if (t.text.find_first_of(".eE") == std::string::npos) {
            const int64_t v = std::stoll(t.text);
            return Value::Int(negative ? -v : v);
        } else {
            const double v = std::stod(t.text);
            return Value::Float(negative ? -v : v);
        }
    case TokenKind::String: return Value::String(t.text);
    case TokenKind::Name:
        if (t.Is("NULL"))
            return Value::Null();
        return Value::String(t.text);
    default: SyntaxAt(t, text);
    }
}

} // namespace module_detail

ModuleDefinition ModuleDefinition::Parse(const std::vector<Token>& tokens, std::string_view text)
{
    ModuleDefinition def;
    size_t i = 0;
    auto at = [&](size_t k) -> const Token& { return tokens[std::min(k, tokens.size() - 1)]; };
    if (!at(i).Is("CREATE") && !at(i).Is("ALTER"))
        module_detail::SyntaxAt(at(i), text);
    ++i;
    def.kind = module_detail::UpperWord(at(i).text);
    if (def.kind == "PROC")
        def.kind = "PROCEDURE";
    ++i;
    // The name, possibly owner.name.
    if (!at(i).IsName())
        module_detail::SyntaxAt(at(i), text);
    def.name = at(i++).text;
    while (at(i).IsOp(".")) {
        ++i;
        if (!at(i).IsName())
            module_detail::SyntaxAt(at(i), text);
        def.name += "." + at(i++).text;
    }
    if (def.kind == "PROCEDURE" && at(i).IsOp(";")) // numbered procedures: name;2
        i += 2;
    if (def.kind == "TRIGGER") {
        if (!at(i).Is("ON"))
            module_detail::SyntaxAt(at(i), text);
        ++i;
        def.triggerTable = at(i++).text;
        while (at(i).IsOp(".")) {
            ++i;
            def.triggerOwner = def.triggerTable;
            def.triggerTable = at(i++).text;
        }
        if (at(i).Is("WITH"))
            i += 2;
        if (!at(i).Is("FOR") && !at(i).Is("AFTER") && !at(i).Is("INSTEAD"))
            module_detail::SyntaxAt(at(i), text);
        if (at(i).Is("INSTEAD"))
            throw SqlError::NotSupported("INSTEAD OF triggers");
        ++i;
        do {
            if (!at(i).Is("INSERT") && !at(i).Is("UPDATE") && !at(i).Is("DELETE"))
                module_detail::SyntaxAt(at(i), text);
            def.triggerEvents.push_back(module_detail::UpperWord(at(i++).text));
        } while (at(i).IsOp(",") && ++i);
    }
    const bool parenthesised = at(i).IsOp("(");
    if (parenthesised)
        ++i;
    if (def.kind == "PROCEDURE" || def.kind == "FUNCTION") {
        while (at(i).kind == TokenKind::Variable) {
            ModuleParameter p;
            p.spelling = at(i).text;
            p.name = module_detail::LowerWord(at(i++).text);
            if (at(i).Is("AS"))
                ++i;
            Translator translator(tokens, text, nullptr);
            size_t end = i;
            p.type = translator.Type(i, end);
            i = end;
            if (at(i).Is("VARYING"))
                ++i;
            if (at(i).IsOp("=")) {
                ++i;
                p.hasDefault = true;
                p.defaultValue = module_detail::ConstantValue(tokens, i, text);
            }
            if (at(i).Is("OUTPUT") || at(i).Is("OUT")) {
                p.output = true;
                ++i;
            }
            if (at(i).Is("READONLY"))
                ++i;
            def.parameters.push_back(p);
            if (!at(i).IsOp(","))
                break;
            ++i;
        }
    }
    if (parenthesised) {
        if (!at(i).IsOp(")"))
            module_detail::SyntaxAt(at(i), text);
        ++i;
    }
    if (def.kind == "FUNCTION") {
        if (!at(i).Is("RETURNS"))
            module_detail::SyntaxAt(at(i), text);
        ++i;
        if (at(i).Is("TABLE")) {
            def.returnsTable = true;
            ++i;
        } else if (at(i).kind == TokenKind::Variable) {
            def.returnsTable = true;
            def.multiStatementTable = true;
            while (at(i).kind != TokenKind::End && !at(i).Is("AS"))
                ++i;
        } else {
            Translator translator(tokens, text, nullptr);
            size_t end = i;
            def.returns = translator.Type(i, end);
            i = end;
        }
    }
    // Options between the header and AS.
    if (at(i).Is("WITH")) {
        ++i;
        while (at(i).IsName() && !at(i).Is("AS")) {
            ++i;
            if (at(i).IsOp(","))
                ++i;
        }
    }
    if (at(i).Is("FOR") && at(i + 1).Is("REPLICATION"))
        i += 2;
    if (def.kind == "DEFAULT" || def.kind == "RULE" || def.kind == "VIEW" || def.kind == "PROCEDURE" ||
        def.kind == "FUNCTION" || def.kind == "TRIGGER") {
        if (!at(i).Is("AS"))
            module_detail::SyntaxAt(at(i), text);
        ++i;
    }
    def.bodyStart = i;
    return def;
}

} // namespace tw::server
