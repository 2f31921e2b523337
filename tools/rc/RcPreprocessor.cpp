#include "tools/rc/RcPreprocessor.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win32/kernel/Utf8Text.h"
#include "tools/rc/RcExpression.h"
#include "tools/rc/RcSymbols.h"

namespace fs = std::filesystem;

namespace tw::rc {

namespace pre_detail {

constexpr int kMaxIncludeDepth = 32;
constexpr int kMaxExpansionDepth = 64;

bool IsIdentStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}


// Reads a quoted string starting at line[pos] == '"'. "" stands for one
// quote; backslash escapes are \n \t \r \a \\ \" \0-\7 (octal) and \x with up
// to four hex digits (a code point).
std::string ReadString(const std::string& line, size_t& pos, const RcLocation& where)
{
    std::string value;
    ++pos;
    for (;;) {
        if (pos >= line.size())
            throw RcError(where, "string not closed before the end of the line");
        const char c = line[pos];
        if (c == '"') {
            if (pos + 1 < line.size() && line[pos + 1] == '"') {
                value += '"';
                pos += 2;
                continue;
            }
            ++pos;
            return value;
        }
        if (c != '\\') {
            value += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= line.size())
            throw RcError(where, "string not closed before the end of the line");
        const char e = line[pos + 1];
        pos += 2;
        switch (e) {
        case 'n': value += '\n'; break;
        case 't': value += '\t'; break;
        case 'r': value += '\r'; break;
        case 'a': value += '\a'; break;
        case '\\': value += '\\'; break;
        case '"': value += '"'; break;
        case '\'': value += '\''; break;
        case 'x':
        case 'X': {
            uint32_t cp = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && std::isxdigit(static_cast<unsigned char>(line[pos]))) {
                cp = cp * 16 + std::stoul(std::string(1, line[pos]), nullptr, 16);
                ++pos;
                ++digits;
            }
            if (digits == 0)
                throw RcError(where, "\\x needs hex digits");
            tw::AppendUtf8(value, cp);
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                uint32_t cp = e - '0';
                for (int digits = 1; digits < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++digits)
                    cp = cp * 8 + (line[pos++] - '0');
                tw::AppendUtf8(value, cp);
                break;
            }
            throw RcError(where, std::string("unknown escape \\") + e);
        }
    }
}

RcToken ReadNumber(const std::string& line, size_t& pos, const RcLocation& where)
{
    RcToken token;
    token.kind = TokenKind::Number;
    token.where = where;
    const size_t start = pos;
    int base = 10;
    if (line[pos] == '0' && pos + 1 < line.size() && (line[pos + 1] == 'x' || line[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    } else if (line[pos] == '0') {
        base = 8;
    }
    uint64_t value = 0;
    const size_t digitsStart = pos;
    while (pos < line.size() && std::isalnum(static_cast<unsigned char>(line[pos]))) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[pos])));
        if (c == 'l' || c == 'u') {
            token.isLong = token.isLong || c == 'l';
            ++pos;
            continue;
        }
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 || digit >= base)
            throw RcError(where, "bad number '" + line.substr(start, pos - start + 1) + "'");
        value = value * base + digit;
        if (value > 0xFFFFFFFFull)
            throw RcError(where, "number too large: '" + line.substr(start) + "'");
        ++pos;
    }
    if (base == 16 && pos == digitsStart)
        throw RcError(where, "bad number '" + line.substr(start, pos - start) + "'");
    token.value = static_cast<uint32_t>(value);
    token.text = line.substr(start, pos - start);
    return token;
}

const char* const kTwoCharPuncts[] = {"==", "!=", "<=", ">=", "&&", "||", "<<", ">>"};

// Removes comments, keeping strings whole; inBlock carries an open /* over lines.
std::string StripComments(const std::string& line, bool& inBlock)
{
    std::string out;
    bool inString = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inBlock) {
            if (c == '*' && i + 1 < line.size() && line[i + 1] == '/') {
                inBlock = false;
                ++i;
                out += ' ';
            }
            continue;
        }
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < line.size())
                out += line[++i];
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
            out += c;
            continue;
        }
        if (c == '/' && i + 1 < line.size() && line[i + 1] == '/')
            break;
        if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
            inBlock = true;
            ++i;
            continue;
        }
        out += c;
    }
    return out;
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\f\v");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r\f\v");
    return text.substr(first, last - first + 1);
}

bool IsHeaderFile(const std::string& path)
{
    const std::string ext = fs::path(path).extension().string();
    return ext == ".h" || ext == ".hpp" || ext == ".hh";
}

}  // namespace pre_detail

std::vector<RcToken> TokenizeLine(const std::string& line, const RcLocation& where)
{
    using namespace pre_detail;
    std::vector<RcToken> tokens;
    size_t pos = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++pos;
            continue;
        }
        RcToken token;
        token.where = where;
        const bool wideString = (c == 'L' || c == 'l') && pos + 1 < line.size() && line[pos + 1] == '"';
        if (c == '"' || wideString) {
            if (wideString)
                ++pos;
            token.kind = TokenKind::String;
            token.wide = wideString;
            token.text = ReadString(line, pos, where);
            tokens.push_back(std::move(token));
            continue;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            tokens.push_back(ReadNumber(line, pos, where));
            continue;
        }
        if (IsIdentStart(c)) {
            const size_t start = pos;
            while (pos < line.size() && IsIdentChar(line[pos]))
                ++pos;
            token.kind = TokenKind::Identifier;
            token.text = line.substr(start, pos - start);
            tokens.push_back(std::move(token));
            continue;
        }
        token.kind = TokenKind::Punct;
        for (const char* two : kTwoCharPuncts) {
            if (line.compare(pos, 2, two) == 0) {
                token.text = two;
                break;
            }
        }
        if (token.text.empty()) {
            if (std::string_view(",|+-()~&*/%^!<>{}=").find(c) == std::string_view::npos)
                throw RcError(where, std::string("unexpected character '") + c + "'");
            token.text = std::string(1, c);
        }
        pos += token.text.size();
        tokens.push_back(std::move(token));
    }
    return tokens;
}

RcPreprocessor::RcPreprocessor(std::vector<std::string> includeDirs) : m_includeDirs(std::move(includeDirs))
{
    for (const RcSymbol& symbol : PredefinedSymbols()) {
        Macro macro;
        RcToken token;
        if (symbol.text) {
            token.kind = TokenKind::String;
            token.text = symbol.text;
        } else {
            token.kind = TokenKind::Number;
            token.value = symbol.value;
            token.text = std::to_string(symbol.value);
        }
        macro.body.push_back(token);
        m_macros[symbol.name] = macro;
    }
}

void RcPreprocessor::NoteFileRead(const std::string& path)
{
    m_filesRead.insert(fs::absolute(path).lexically_normal().string());
}

bool RcPreprocessor::IsDefined(const std::string& name) const
{
    return m_macros.count(name) != 0;
}

bool RcPreprocessor::Active() const
{
    return m_conditionals.empty() || m_conditionals.back().active;
}

std::string RcPreprocessor::ResolvePath(const std::string& name, const RcLocation& from) const
{
    std::string normalised = name;
    for (char& c : normalised) {
        if (c == '\\')
            c = '/';
    }
    const fs::path given(normalised);
    if (given.is_absolute())
        return fs::exists(given) ? given.string() : std::string();
    std::vector<fs::path> bases;
    if (!from.file.empty())
        bases.push_back(fs::path(from.file).parent_path());
    for (const std::string& dir : m_includeDirs)
        bases.emplace_back(dir);
    for (const fs::path& base : bases) {
        const fs::path candidate = base / given;
        if (fs::exists(candidate))
            return candidate.lexically_normal().string();
    }
    return {};
}

void RcPreprocessor::ProcessFile(const std::string& path)
{
    if (m_includeStack.size() >= size_t(pre_detail::kMaxIncludeDepth))
        throw RcError({path, 0}, "includes nested too deeply");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RcError({path, 0}, "cannot open file");
    std::stringstream content;
    content << in.rdbuf();
    NoteFileRead(path);
    m_includeStack.push_back(path);
    ProcessText(content.str(), path, pre_detail::IsHeaderFile(path));
    m_includeStack.pop_back();
}

void RcPreprocessor::ProcessText(const std::string& text, const std::string& name, bool headerOnly)
{
    std::vector<std::string> lines;
    std::string current;
    std::string_view body = text;
    if (body.substr(0, 3) == "\xEF\xBB\xBF")
        body.remove_prefix(3);
    for (char c : body) {
        if (c == '\n') {
            lines.push_back(current);
            current.clear();
        } else if (c != '\r') {
            current += c;
        }
    }
    lines.push_back(current);
    const size_t depth = m_conditionals.size();
    ProcessLines(lines, name, headerOnly);
    if (m_conditionals.size() != depth)
        throw RcError(m_conditionals.back().where, "#if without #endif");
}

void RcPreprocessor::ProcessLines(const std::vector<std::string>& lines, const std::string& file, bool headerOnly)
{
    using namespace pre_detail;
    bool inBlockComment = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const RcLocation where{file, int(i + 1)};
        std::string logical = StripComments(lines[i], inBlockComment);
        // A line ending in a backslash goes on with the next one.
        while (!logical.empty() && Trim(logical).size() && Trim(logical).back() == '\\' && i + 1 < lines.size()) {
            logical = Trim(logical);
            logical.pop_back();
            logical += ' ' + StripComments(lines[++i], inBlockComment);
        }
        const std::string trimmed = Trim(logical);
        if (trimmed.empty())
            continue;
        if (trimmed[0] == '#') {
            bool skipping = !Active();
            Directive(Trim(trimmed.substr(1)), where, skipping);
            continue;
        }
        if (!Active() || headerOnly)
            continue;
        for (const RcToken& token : TokenizeLine(trimmed, where)) {
            std::set<std::string> expanding;
            Expand(token, m_tokens, expanding, 0);
        }
    }
}

void RcPreprocessor::Expand(const RcToken& token, std::vector<RcToken>& out, std::set<std::string>& active, int depth)
{
    if (token.kind != TokenKind::Identifier) {
        out.push_back(token);
        return;
    }
    const auto macro = m_macros.find(token.text);
    if (macro == m_macros.end() || active.count(token.text)) {
        out.push_back(token);
        return;
    }
    if (macro->second.functionLike)
        throw RcError(token.where, "macro '" + token.text + "' takes arguments, which scripts do not support");
    if (!macro->second.unusable.empty())
        throw RcError(token.where, "macro '" + token.text + "' cannot be used: " + macro->second.unusable);
    if (depth > pre_detail::kMaxExpansionDepth)
        throw RcError(token.where, "macro expansion too deep at '" + token.text + "'");
    active.insert(token.text);
    for (RcToken part : macro->second.body) {
        part.where = token.where;
        Expand(part, out, active, depth + 1);
    }
    active.erase(token.text);
}

void RcPreprocessor::Directive(const std::string& text, const RcLocation& where, bool& skipping)
{
    size_t nameEnd = 0;
    while (nameEnd < text.size() && pre_detail::IsIdentChar(text[nameEnd]))
        ++nameEnd;
    const std::string name = text.substr(0, nameEnd);
    const std::string argument = pre_detail::Trim(text.substr(nameEnd));

    if (name == "if" || name == "ifdef" || name == "ifndef") {
        const bool parentActive = Active();
        bool value = false;
        if (parentActive) {
            if (name == "if")
                value = EvaluateCondition(argument, where);
            else
                value = IsDefined(argument) == (name == "ifdef");
        }
        m_conditionals.push_back({parentActive && value, value, parentActive, where});
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        if (m_conditionals.empty())
            throw RcError(where, "#" + name + " without #if");
        Conditional& top = m_conditionals.back();
        if (name == "endif") {
            m_conditionals.pop_back();
            return;
        }
        bool value = !top.anyTaken;
        if (name == "elif" && value && top.parentActive)
            value = EvaluateCondition(argument, where);
        top.active = top.parentActive && value;
        top.anyTaken = top.anyTaken || top.active;
        return;
    }
    if (skipping)
        return;
    if (name == "define") {
        Define(argument, where);
    } else if (name == "undef") {
        m_macros.erase(argument);
    } else if (name == "include") {
        Include(argument, where);
    } else if (name == "error") {
        throw RcError(where, "#error " + argument);
    } else if (name == "pragma" || name == "line" || name.empty()) {
        // code_page and the like change nothing: scripts are UTF-8.
    } else {
        throw RcError(where, "unknown directive #" + name);
    }
}

bool RcPreprocessor::EvaluateCondition(const std::string& text, const RcLocation& where)
{
    std::vector<RcToken> raw = TokenizeLine(text, where);
    std::vector<RcToken> expanded;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].IsWord("defined")) {
            const bool parenthesised = i + 1 < raw.size() && raw[i + 1].IsPunct("(");
            const size_t nameAt = i + (parenthesised ? 2 : 1);
            if (nameAt >= raw.size() || raw[nameAt].kind != TokenKind::Identifier)
                throw RcError(where, "defined needs a name");
            RcToken value;
            value.kind = TokenKind::Number;
            value.value = IsDefined(raw[nameAt].text) ? 1 : 0;
            value.where = where;
            expanded.push_back(value);
            i = nameAt + (parenthesised ? 1 : 0);
            continue;
        }
        std::set<std::string> active;
        Expand(raw[i], expanded, active, 0);
    }
    size_t pos = 0;
    RcExpression expression(expanded, pos, true);
    const uint32_t value = expression.Parse();
    if (pos != expanded.size())
        throw RcError(where, "unexpected '" + expanded[pos].text + "' in #if");
    return value != 0;
}

void RcPreprocessor::Include(const std::string& argument, const RcLocation& where)
{
    if (argument.size() < 2 || !((argument.front() == '"' && argument.back() == '"') ||
                                 (argument.front() == '<' && argument.back() == '>')))
        throw RcError(where, "#include needs a \"file\" or <file>");
    const std::string name = argument.substr(1, argument.size() - 2);
    const std::string path = ResolvePath(name, where);
    if (path.empty())
        throw RcError(where, "cannot find include file '" + name + "'");
    ProcessFile(path);
}

void RcPreprocessor::Define(const std::string& argument, const RcLocation& where)
{
    size_t nameEnd = 0;
    if (argument.empty() || !pre_detail::IsIdentStart(argument[0]))
        throw RcError(where, "#define needs a name");
    while (nameEnd < argument.size() && pre_detail::IsIdentChar(argument[nameEnd]))
        ++nameEnd;
    Macro macro;
    const std::string name = argument.substr(0, nameEnd);
    if (nameEnd < argument.size() && argument[nameEnd] == '(') {
        // Kept so that a header may define them; only a use is an error.
        macro.functionLike = true;
    } else {
        try {
            macro.body = TokenizeLine(argument.substr(nameEnd), where);
        } catch (const RcError& error) {
            macro.unusable = error.what();
        }
    }
    m_macros[name] = std::move(macro);
}

}  // namespace tw::rc
