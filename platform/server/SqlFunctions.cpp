#include "platform/server/SqlFunctions.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <random>

#include "platform/server/Catalog.h"
#include "platform/server/DateTimeValue.h"
#include "platform/server/Decimal.h"
#include "platform/server/ErrorMapper.h"
#include "platform/server/ObjectName.h"
#include "platform/server/Server.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"
#include "platform/server/SqlError.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace sqlfn_detail {

using Args = sqlite3_value**;

SessionState* Session(sqlite3_context* ctx) { return static_cast<SessionState*>(sqlite3_user_data(ctx)); }

std::string Text(sqlite3_value* v)
{
    const unsigned char* t = sqlite3_value_text(v);
    return t ? std::string(reinterpret_cast<const char*>(t), sqlite3_value_bytes(v)) : std::string();
}

bool IsNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

void ResultText(sqlite3_context* ctx, const std::string& s)
{
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void Fail(sqlite3_context* ctx, int number, int severity, const std::string& text)
{
    const std::string message = ErrorMapper::Encode(number, severity, text);
    sqlite3_result_error(ctx, message.c_str(), -1);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string TrimRight(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// Characters, not bytes: UTF-8 continuation bytes do not start a character.
std::vector<size_t> CharStarts(const std::string& s)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    return starts;
}

std::string Substring(const std::string& s, int64_t start, int64_t length)
{
    const std::vector<size_t> starts = CharStarts(s);
    const int64_t count = static_cast<int64_t>(starts.size());
    int64_t first = start - 1;
    int64_t last = first + length; // exclusive
    if (first < 0)
        first = 0;
    if (last > count)
        last = count;
    if (last <= first)
        return {};
    const size_t from = starts[first];
    const size_t to = last < count ? starts[last] : s.size();
    return s.substr(from, to - from);
}

std::string FormatNumber(double v)
{
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15) {
        char b[32];
        std::snprintf(b, sizeof b, "%.0f", v);
        return b;
    }
    char b[40];
    std::snprintf(b, sizeof b, "%.6g", v);
    return b;
}

// The current database's catalogue, or a named one's.
bool CatalogFor(SessionState* s, const std::string& database, std::string* schema)
{
    if (!s)
        return false;
    const std::string name = database.empty() ? s->database : database;
    DatabaseInfo info;
    if (!s->server->FindDatabase(name, &info))
        return false;
    *schema = info.name;
    return true;
}

int64_t LookupObjectId(SessionState* s, const std::string& text, const std::string& types = "")
{
    const ObjectName n = ObjectName::Parse(text);
    if (!n.valid || n.name.empty() || !n.server.empty())
        return 0;
    std::string schema;
    if (!CatalogFor(s, n.database, &schema))
        return 0;
    const Catalog catalog(s->db, schema);
    return catalog.Resolve(n.owner, n.name, types, catalog.LoginUid(s->login));
}

// --- operators -----------------------------------------------------------------

bool IsTextValue(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_TEXT; }

bool ParseNumber(const std::string& text, double* out, bool* integral)
{
    std::string t = text;
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    if (i == t.size())
        return false;
    char* end = nullptr;
    *out = std::strtod(t.c_str() + i, &end);
    if (end != t.c_str() + t.size())
        return false;
    *integral = t.find_first_of(".eE", i) == std::string::npos;
    return true;
}

// A value between the steps of an additive chain.
struct Operand {
    int type = SQLITE_NULL; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT or SQLITE_NULL
    int64_t integer = 0;
    double real = 0;
    std::string text;
};

Operand OperandOf(sqlite3_value* v)
{
    Operand o;
    o.type = sqlite3_value_type(v);
    if (o.type == SQLITE_INTEGER) {
        o.integer = sqlite3_value_int64(v);
    } else if (o.type == SQLITE_TEXT) {
        o.text = Text(v);
    } else if (o.type != SQLITE_NULL) {
        o.type = SQLITE_FLOAT;
        o.real = sqlite3_value_double(v);
    }
    return o;
}

std::string TextOf(const Operand& o)
{
    if (o.type == SQLITE_INTEGER)
        return std::to_string(o.integer);
    if (o.type == SQLITE_FLOAT) {
        char* printed = sqlite3_mprintf("%!.15g", o.real);
        std::string text = printed ? printed : "";
        sqlite3_free(printed);
        return text;
    }
    return o.text;
}

Operand IntegerOperand(int64_t v)
{
    Operand o;
    o.type = SQLITE_INTEGER;
    o.integer = v;
    return o;
}

Operand RealOperand(double v)
{
    Operand o;
    o.type = SQLITE_FLOAT;
    o.real = v;
    return o;
}

Operand TextOperand(std::string text)
{
    Operand o;
    o.type = SQLITE_TEXT;
    o.text = std::move(text);
    return o;
}

// The operand as a number; false for text that reads as none.
bool NumberOf(const Operand& o, Operand* number)
{
    if (o.type != SQLITE_TEXT) {
        *number = o;
        return true;
    }
    double value = 0;
    bool integral = false;
    if (!ParseNumber(o.text, &value, &integral))
        return false;
    *number = integral && std::fabs(value) < 9.2e18 ? IntegerOperand(static_cast<int64_t>(value)) : RealOperand(value);
    return true;
}

double RealOf(const Operand& o) { return o.type == SQLITE_INTEGER ? static_cast<double>(o.integer) : o.real; }

// Numbers added or subtracted as SQLite does: integers while they fit, else floating point.
Operand AddNumbers(const Operand& a, const Operand& b, bool subtract)
{
    if (a.type == SQLITE_INTEGER && b.type == SQLITE_INTEGER) {
        int64_t result = 0;
        const bool overflow = subtract ? __builtin_sub_overflow(a.integer, b.integer, &result)
                                       : __builtin_add_overflow(a.integer, b.integer, &result);
        if (!overflow)
            return IntegerOperand(result);
    }
    return RealOperand(subtract ? RealOf(a) - RealOf(b) : RealOf(a) + RealOf(b));
}

// T-SQL's +: strings concatenate (a NULL is '' with CONCAT_NULL_YIELDS_NULL
// off); a string meeting a number is converted to the number, as SQL
// Server's precedence rules do, and text that is no number is an error.
bool AddValues(SessionState* s, const Operand& a, const Operand& b, Operand* out, std::string* error)
{
    const bool aText = a.type == SQLITE_TEXT, bText = b.type == SQLITE_TEXT;
    const bool aNull = a.type == SQLITE_NULL, bNull = b.type == SQLITE_NULL;
    *out = Operand{};
    if ((aText || bText) && (aText || aNull) && (bText || bNull)) {
        const bool nullYieldsNull = !s || s->options.concatNullYieldsNull;
        if (!((aNull || bNull) && nullYieldsNull))
            *out = TextOperand(a.text + b.text);
        return true;
    }
    if (aNull || bNull)
        return true;
    Operand numbers[2];
    const Operand* operands[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        if (!NumberOf(*operands[i], &numbers[i])) {
            *error = "Conversion failed when converting the varchar value '" + operands[i]->text +
                     "' to data type int.";
            return false;
        }
    }
    *out = AddNumbers(numbers[0], numbers[1], false);
    return true;
}

void ResultOperand(sqlite3_context* ctx, const Operand& o)
{
    switch (o.type) {
    case SQLITE_INTEGER: return sqlite3_result_int64(ctx, o.integer);
    case SQLITE_FLOAT: return sqlite3_result_double(ctx, o.real);
    case SQLITE_TEXT: return ResultText(ctx, o.text);
    default: return sqlite3_result_null(ctx);
    }
}

void Add(sqlite3_context* ctx, int, Args argv)
{
    Operand result;
    std::string error;
    if (!AddValues(Session(ctx), OperandOf(argv[0]), OperandOf(argv[1]), &result, &error))
        return Fail(ctx, 245, 16, error);
    ResultOperand(ctx, result);
}

bool DivideByZero(sqlite3_context* ctx)
{
    SessionState* s = Session(ctx);
    if (s && !s->options.arithAbort && !s->options.ansiWarnings) {
        sqlite3_result_null(ctx);
        return true;
    }
    Fail(ctx, 8134, 16, "Divide by zero error encountered.");
    return true;
}

// An integer result outside its type's range: error 8115, or NULL when
// neither ARITHABORT nor ANSI_WARNINGS is on, as SQL Server answers.
void Overflow(sqlite3_context* ctx, const std::string& type)
{
    SessionState* s = Session(ctx);
    if (s && !s->options.arithAbort && !s->options.ansiWarnings)
        return sqlite3_result_null(ctx);
    Fail(ctx, 8115, 16, "Arithmetic overflow error converting expression to data type " + type + ".");
}

void Divide(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const bool integral = sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER &&
                          sqlite3_value_numeric_type(argv[1]) == SQLITE_INTEGER;
    if (sqlite3_value_double(argv[1]) == 0) {
        DivideByZero(ctx);
        return;
    }
    if (integral && sqlite3_value_int64(argv[0]) == INT64_MIN && sqlite3_value_int64(argv[1]) == -1)
        return Overflow(ctx, "bigint");
    if (integral)
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]) / sqlite3_value_int64(argv[1]));
    else
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]) / sqlite3_value_double(argv[1]));
}

// A read of one row of a table (database id, object id, row id): waits while
// another session holds the row exclusively, unless the statement reads
// without waiting. Always true, so it can stand in a WHERE clause.
void RowRead(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    if (!s || s->rowWaitsOff)
        return sqlite3_result_int(ctx, 1);
    LockResource row{static_cast<int>(sqlite3_value_int(argv[0])), sqlite3_value_int64(argv[1]),
                     sqlite3_value_int64(argv[2])};
    try {
        if (s->server->locks.AwaitRow(s->spid, row, s->options.lockTimeout, s->cancelled))
            s->rowWaited = true;
    } catch (const SqlError& e) {
        return Fail(ctx, e.number, e.severity, e.what());
    }
    sqlite3_result_int(ctx, 1);
}

void NullSeen(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    if (s && sqlite3_value_type(argv[0]) == SQLITE_NULL)
        s->nullEliminated = true;
    sqlite3_result_value(ctx, argv[0]);
}

// Checks an integer result against its type ('int' or 'bigint').
void CheckInteger(sqlite3_context* ctx, int, Args argv)
{
    const int kind = sqlite3_value_type(argv[0]);
    if (kind == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const std::string type = Text(argv[1]);
    bool fits = true;
    if (kind == SQLITE_INTEGER) {
        const int64_t v = sqlite3_value_int64(argv[0]);
        fits = type == "bigint" || (v >= INT32_MIN && v <= INT32_MAX);
    } else if (kind == SQLITE_FLOAT) {
        // SQLite gives a float when 64-bit integer arithmetic overflows; a
        // smaller float did not come from integers and passes as it is.
        fits = std::fabs(sqlite3_value_double(argv[0])) < 9.2e18;
    }
    if (fits)
        return sqlite3_result_value(ctx, argv[0]);
    Overflow(ctx, type);
}

// One step of an additive chain (see the translator's AdditiveStep for the
// codes): '+' and '-' as SQLite's operators, 'c' as ||, 'a' as tw_add, and
// the bit operators on integers.
bool ChainStep(SessionState* s, char op, const Operand& a, const Operand& b, Operand* out, std::string* error)
{
    if (op == 'a')
        return AddValues(s, a, b, out, error);
    *out = Operand{};
    if (a.type == SQLITE_NULL || b.type == SQLITE_NULL)
        return true;
    if (op == 'c') {
        *out = TextOperand(TextOf(a) + TextOf(b));
        return true;
    }
    Operand x, y;
    if (!NumberOf(a, &x))
        x = IntegerOperand(0);
    if (!NumberOf(b, &y))
        y = IntegerOperand(0);
    if (op == '+' || op == '-') {
        *out = AddNumbers(x, y, op == '-');
        return true;
    }
    const int64_t i = x.type == SQLITE_INTEGER ? x.integer : static_cast<int64_t>(x.real);
    const int64_t j = y.type == SQLITE_INTEGER ? y.integer : static_cast<int64_t>(y.real);
    *out = IntegerOperand(op == '&' ? (i & j) : op == '|' ? (i | j) : (i ^ j));
    return true;
}

// Whether a chain step's result fits the integer type its check names ('i'
// int, 'b' bigint, '.' none); SQLite gives a float when 64-bit integers overflow.
bool FitsIntegerCheck(const Operand& value, char check)
{
    if (check == '.')
        return true;
    if (value.type == SQLITE_INTEGER)
        return check == 'b' || (value.integer >= INT32_MIN && value.integer <= INT32_MAX);
    return value.type != SQLITE_FLOAT || std::fabs(value.real) < 9.2e18;
}

// One checked step of a chain into `value`; false when it failed, the error
// already given. An integer overflow is NULL when neither ARITHABORT nor
// ANSI_WARNINGS is on, as SQL Server answers.
bool CheckedChainStep(sqlite3_context* ctx, SessionState* s, char op, char check, Operand& value, const Operand& term)
{
    Operand next;
    std::string error;
    if (!ChainStep(s, op, value, term, &next, &error)) {
        Fail(ctx, 245, 16, error);
        return false;
    }
    value = std::move(next);
    if (FitsIntegerCheck(value, check))
        return true;
    if (s && !s->options.arithAbort && !s->options.ansiWarnings) {
        value = Operand{};
        return true;
    }
    Fail(ctx, 8115, 16, std::string("Arithmetic overflow error converting expression to data type ") +
                            (check == 'b' ? "bigint" : "int") + ".");
    return false;
}

// tw_chain(steps, a, b, c, ...): ((a op1 b) op2 c) ... without nesting, two
// characters a step: the operation and the integer check ('i', 'b' or '.').
void Chain(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    const std::string steps = Text(argv[0]);
    if (argc < 2 || steps.size() != 2 * static_cast<size_t>(argc - 2))
        return sqlite3_result_error(ctx, "tw_chain: steps do not match the operands", -1);
    Operand value = OperandOf(argv[1]);
    for (int k = 2; k < argc; ++k) {
        const char op = steps[2 * (k - 2)];
        const char check = steps[2 * (k - 2) + 1];
        if (!CheckedChainStep(ctx, s, op, check, value, OperandOf(argv[k])))
            return;
    }
    ResultOperand(ctx, value);
}

void Modulo(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (sqlite3_value_double(argv[1]) == 0) {
        DivideByZero(ctx);
        return;
    }
    // A fraction's remainder keeps its fraction (7.5 % 2 is 1.5), and 0.5 is no zero divisor.
    const bool integral = sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER &&
                          sqlite3_value_numeric_type(argv[1]) == SQLITE_INTEGER;
    if (!integral)
        return sqlite3_result_double(ctx, std::fmod(sqlite3_value_double(argv[0]), sqlite3_value_double(argv[1])));
    // Any remainder of a division by -1 is 0; computing it overflows for the smallest bigint.
    if (sqlite3_value_int64(argv[1]) == -1)
        return sqlite3_result_int64(ctx, 0);
    sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]) % sqlite3_value_int64(argv[1]));
}

void LikeFn(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    int escape = -1;
    if (argc > 2 && !IsNull(argv[2])) {
        const std::string e = Text(argv[2]);
        if (e.size() != 1) {
            Fail(ctx, 506, 16, "The invalid escape character \"" + e + "\" was specified in a LIKE predicate.");
            return;
        }
        escape = static_cast<unsigned char>(e[0]);
    }
    sqlite3_result_int(ctx, SqlFunctions::Like(Text(argv[1]), Text(argv[0]), escape) ? 1 : 0);
}

void SysVar(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    const std::string name = Text(argv[0]);
    if (name == "version") {
        ResultText(ctx, "Microsoft SQL Server  2000 - 8.00.2039 (Tarnwick embedded server on SQLite " +
                            std::string(sqlite3_libversion()) + ")");
        return;
    }
    if (name == "servername" || name == "servicename") {
        ResultText(ctx, name == "servername" ? Server::kServerName : "MSSQLSERVER");
        return;
    }
    if (name == "language") {
        ResultText(ctx, "us_english");
        return;
    }
    if (!s) {
        sqlite3_result_null(ctx);
        return;
    }
    if (name == "spid") sqlite3_result_int(ctx, s->spid);
    else if (name == "trancount") sqlite3_result_int(ctx, s->tranCount);
    else if (name == "error") sqlite3_result_int(ctx, s->lastError);
    else if (name == "rowcount") sqlite3_result_int64(ctx, s->lastRowCount);
    else if (name == "fetch_status") sqlite3_result_int(ctx, s->fetchStatus);
    else if (name == "cursor_rows") sqlite3_result_int64(ctx, s->cursorRows);
    else if (name == "identity") s->lastIdentity != SessionState::kNoIdentity ? sqlite3_result_int64(ctx, s->lastIdentity) : sqlite3_result_null(ctx);
    else if (name == "nestlevel") sqlite3_result_int(ctx, s->nestLevel);
    else if (name == "max_precision") sqlite3_result_int(ctx, 38);
    else if (name == "datefirst") sqlite3_result_int(ctx, s->options.dateFirst);
    else if (name == "lock_timeout") sqlite3_result_int(ctx, s->options.lockTimeout);
    else if (name == "textsize") sqlite3_result_int(ctx, s->options.textSize);
    else if (name == "langid") sqlite3_result_int(ctx, 0);
    else if (name == "procid") sqlite3_result_int(ctx, 0);
    else if (name == "options") {
        const SessionOptions& o = s->options;
        int bits = (o.implicitTransactions ? 2 : 0) | (o.cursorCloseOnCommit ? 4 : 0) | (o.ansiWarnings ? 8 : 0) |
                   (o.ansiPadding ? 16 : 0) | (o.ansiNulls ? 32 : 0) | (o.arithAbort ? 64 : 0) |
                   (o.quotedIdentifier ? 256 : 0) | (o.noCount ? 512 : 0) | (o.ansiNullDefaultOn ? 1024 : 0) |
                   (o.concatNullYieldsNull ? 4096 : 0);
        sqlite3_result_int(ctx, bits);
    } else {
        Fail(ctx, 137, 15, "Must declare the scalar variable \"@@" + name + "\".");
    }
}

// --- conversion ------------------------------------------------------------------

bool IntegerRange(const std::string& type, int64_t v)
{
    if (type == "tinyint") return v >= 0 && v <= 255;
    if (type == "smallint") return v >= -32768 && v <= 32767;
    if (type == "int") return v >= INT32_MIN && v <= INT32_MAX;
    return true;
}

// A value as an exact decimal: integers, doubles by their shortest digits, and
// decimal text; nothing for other text, blobs and NULL.
std::optional<Decimal> DecimalOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return Decimal::FromInt(sqlite3_value_int64(v));
    case SQLITE_FLOAT: return Decimal::FromDouble(sqlite3_value_double(v));
    case SQLITE_TEXT: return Decimal::ParseStored(Text(v));
    default: return std::nullopt;
    }
}

// An exact value travels through SQLite as a double while a double holds all
// its digits, so that SQLite's own arithmetic and comparisons keep working on
// it, and as its decimal text beyond that.
void ResultDecimal(sqlite3_context* ctx, const Decimal& d)
{
    if (d.FitsDouble())
        sqlite3_result_double(ctx, d.ToDouble());
    else
        ResultText(ctx, d.ToText());
}

void DecimalOverflow(sqlite3_context* ctx, const std::string& type)
{
    Fail(ctx, 8115, 16, "Arithmetic overflow error converting expression to data type " + type + ".");
}

// Whether an exact value fits the type: its precision, or money's 64-bit range.
bool FitsExactType(const Decimal& d, const TypeSpec& type)
{
    if (type.name == "money" || type.name == "smallmoney") {
        const char* limit = type.name == "money" ? "922337203685477.5807" : "214748.3647";
        const char* least = type.name == "money" ? "-922337203685477.5808" : "-214748.3648";
        auto r = d.Rescaled(4);
        return r && Decimal::Compare(*r, *Decimal::Parse(limit)) <= 0 &&
               Decimal::Compare(*r, *Decimal::Parse(least)) >= 0;
    }
    return d.Fits(type.Precision(), type.Scale());
}

// Decimal text of a value of an exact type: money with two decimals (four for
// style 2, thousands commas for style 1), decimal and numeric with their scale.
std::string ExactText(const Decimal& d, const TypeSpec& sourceType, int style)
{
    const bool money = sourceType.name == "money" || sourceType.name == "smallmoney";
    const int decimals = money ? (style == 2 ? 4 : 2) : sourceType.Scale();
    std::string text = d.Rescaled(decimals).value_or(d).ToText();
    if (money && style == 1) {
        size_t point = text.find('.');
        if (point == std::string::npos)
            point = text.size();
        for (size_t at = point; at > 3 && std::isdigit(static_cast<unsigned char>(text[at - 4]));)
            text.insert(at -= 3, ",");
    }
    return text;
}

// A real holds a 4-byte float: the value is rounded to one, and carried in
// SQLite's double, which holds every such float exactly.
void ResultReal(sqlite3_context* ctx, double v)
{
    if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max()) {
        Fail(ctx, 8115, 16, "Arithmetic overflow error converting expression to data type real.");
        return;
    }
    sqlite3_result_double(ctx, static_cast<double>(static_cast<float>(v)));
}

// tw_real(value): the value converted to real, as stored into a real column
// or taken by arithmetic whose result is real.
void RealFn(sqlite3_context* ctx, int, Args argv)
{
    const int kind = sqlite3_value_type(argv[0]);
    if (kind == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    double v = 0;
    bool integral;
    if (kind == SQLITE_INTEGER || kind == SQLITE_FLOAT) {
        v = sqlite3_value_double(argv[0]);
    } else if (!ParseNumber(Text(argv[0]), &v, &integral)) {
        Fail(ctx, 8114, 16, "Error converting data type varchar to real.");
        return;
    }
    ResultReal(ctx, v);
}

// CHECKSUM(value, ...): a hash of the values for change detection. Text is
// hashed without case and trailing blanks, as the default collation compares
// it, so values equal under '=' hash alike.
void Checksum(sqlite3_context* ctx, int argc, Args argv)
{
    uint32_t h = 0;
    auto mix = [&h](const unsigned char* bytes, size_t n) {
        for (size_t i = 0; i < n; ++i)
            h = (h << 4 | h >> 28) ^ bytes[i];
    };
    for (int i = 0; i < argc; ++i) {
        switch (sqlite3_value_type(argv[i])) {
        case SQLITE_NULL: h = (h << 4 | h >> 28) ^ 0x7FFFu; break;
        case SQLITE_INTEGER: {
            const int64_t v = sqlite3_value_int64(argv[i]);
            mix(reinterpret_cast<const unsigned char*>(&v), sizeof v);
            break;
        }
        case SQLITE_FLOAT: {
            const double v = sqlite3_value_double(argv[i]);
            mix(reinterpret_cast<const unsigned char*>(&v), sizeof v);
            break;
        }
        case SQLITE_BLOB:
            mix(static_cast<const unsigned char*>(sqlite3_value_blob(argv[i])),
                static_cast<size_t>(sqlite3_value_bytes(argv[i])));
            break;
        default: {
            std::string text = Lower(TrimRight(Text(argv[i])));
            mix(reinterpret_cast<const unsigned char*>(text.data()), text.size());
            break;
        }
        }
    }
    sqlite3_result_int(ctx, static_cast<int32_t>(h));
}

std::string SourceTypeName(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return "int";
    case SQLITE_FLOAT: return "float";
    case SQLITE_BLOB: return "varbinary";
    default: return "varchar";
    }
}

void Convert(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    const TypeSpec target = TypeSpec::FromDeclared(Text(argv[1]));
    if (IsNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const int style = argc > 2 && !IsNull(argv[2]) ? sqlite3_value_int(argv[2]) : 0;
    const int kind = sqlite3_value_type(argv[0]);
    const std::string dateFormat = s ? s->options.dateFormat : "mdy";

    if (target.IsInteger()) {
        int64_t v = 0;
        if (kind == SQLITE_INTEGER) {
            v = sqlite3_value_int64(argv[0]);
        } else if (kind == SQLITE_FLOAT) {
            v = static_cast<int64_t>(std::trunc(sqlite3_value_double(argv[0])));
        } else {
            std::string t = Text(argv[0]);
            double d;
            bool integral;
            if (target.name == "bit" && (Lower(TrimRight(t)) == "true" || Lower(TrimRight(t)) == "false")) {
                sqlite3_result_int(ctx, Lower(TrimRight(t)) == "true");
                return;
            }
            // Whole digits convert exactly; so does the decimal text of an exact
            // value, truncated as a decimal's conversion truncates.
            const auto exact = Decimal::Parse(t);
            const bool exactSource =
                argc > 3 && !IsNull(argv[3]) && TypeSpec::FromDeclared(Text(argv[3])).IsExactNumeric();
            if (exact && (exact->Scale() == 0 || exactSource)) {
                const auto whole = exact->ToInt64();
                if (!whole)
                    return DecimalOverflow(ctx, target.name);
                v = *whole;
            } else if (!ParseNumber(t, &d, &integral) || !integral) {
                Fail(ctx, 245, 16, "Conversion failed when converting the varchar value '" + t +
                                       "' to data type " + target.name + ".");
                return;
            } else {
                v = static_cast<int64_t>(d);
            }
        }
        if (target.name == "bit") {
            sqlite3_result_int(ctx, v != 0);
            return;
        }
        if (!IntegerRange(target.name, v)) {
            Fail(ctx, 8115, 16, "Arithmetic overflow error converting expression to data type " + target.name + ".");
            return;
        }
        sqlite3_result_int64(ctx, v);
        return;
    }
    if (target.IsExactNumeric()) {
        std::optional<Decimal> d;
        if (kind == SQLITE_INTEGER || kind == SQLITE_FLOAT) {
            d = DecimalOf(argv[0]);
            if (!d)
                return DecimalOverflow(ctx, target.name);
        } else {
            std::string t = Text(argv[0]);
            if (target.name == "money" || target.name == "smallmoney")
                if (!t.empty() && t[0] == '$')
                    t.erase(0, 1);
            d = Decimal::Parse(t);
            double v = 0;
            bool integral;
            if (!d && ParseNumber(t, &v, &integral)) {
                // Exponent forms, and digits too many for 38: through a double.
                d = Decimal::FromDouble(v);
                if (!d)
                    return DecimalOverflow(ctx, target.name);
            }
            if (!d) {
                Fail(ctx, 8114, 16, "Error converting data type varchar to " + target.name + ".");
                return;
            }
        }
        if (!FitsExactType(*d, target))
            return DecimalOverflow(ctx, target.name);
        ResultDecimal(ctx, *d->Rescaled(target.Scale()));
        return;
    }
    if (target.IsApproximate()) {
        double v = 0;
        if (kind == SQLITE_INTEGER || kind == SQLITE_FLOAT) {
            v = sqlite3_value_double(argv[0]);
        } else {
            bool integral;
            std::string t = Text(argv[0]);
            if (!ParseNumber(t, &v, &integral)) {
                Fail(ctx, 8114, 16, "Error converting data type varchar to " + target.name + ".");
                return;
            }
        }
        if (target.name == "real")
            return ResultReal(ctx, v);
        sqlite3_result_double(ctx, v);
        return;
    }
    if (target.IsDateTime()) {
        if (kind == SQLITE_INTEGER || kind == SQLITE_FLOAT) {
            const double v = sqlite3_value_double(argv[0]);
            DateTimeValue d{static_cast<int64_t>(std::floor(v)),
                            static_cast<int64_t>(std::llround((v - std::floor(v)) * 86400000.0))};
            ResultText(ctx, d.ToCanonical());
            return;
        }
        auto parsed = DateTimeValue::Parse(Text(argv[0]), dateFormat);
        if (!parsed) {
            Fail(ctx, 241, 16, "Conversion failed when converting datetime from character string.");
            return;
        }
        if (target.name == "smalldatetime")
            parsed->ms = (parsed->ms + 30000) / 60000 * 60000;
        ResultText(ctx, parsed->ToCanonical());
        return;
    }
    if (target.IsCharacter()) {
        std::string text;
        const std::string source = argc > 3 && !IsNull(argv[3]) ? Text(argv[3]) : SourceTypeName(argv[0]);
        const TypeSpec sourceType = TypeSpec::FromDeclared(source);
        const std::optional<Decimal> exact = sourceType.IsExactNumeric() ? DecimalOf(argv[0]) : std::nullopt;
        if (exact) {
            text = ExactText(*exact, sourceType, style);
        } else if (kind == SQLITE_INTEGER) {
            text = std::to_string(sqlite3_value_int64(argv[0]));
        } else if (kind == SQLITE_FLOAT) {
            text = FormatNumber(sqlite3_value_double(argv[0]));
        } else if (source == "datetime" || source == "smalldatetime") {
            auto d = DateTimeValue::Parse(Text(argv[0]));
            text = d ? d->Format(style) : Text(argv[0]);
            if (d && text.empty()) {
                Fail(ctx, 281, 16, std::to_string(style) + " is not a valid style number when converting from "
                                                           "datetime to a character string.");
                return;
            }
        } else {
            text = Text(argv[0]);
        }
        const int length = target.length == TypeSpec::kMax ? -1 : target.length < 0 ? 30 : target.length;
        if (length >= 0) {
            const std::vector<size_t> starts = CharStarts(text);
            if (static_cast<int>(starts.size()) > length) {
                if (kind == SQLITE_INTEGER || kind == SQLITE_FLOAT || exact) {
                    // A number that does not fit gives '*', as SQL Server does.
                    text = "*";
                } else {
                    text = text.substr(0, starts[length]);
                }
            } else if (target.name == "char" || target.name == "nchar") {
                text.append(length - starts.size(), ' ');
            }
        }
        ResultText(ctx, text);
        return;
    }
    if (target.IsBinary()) {
        if (kind == SQLITE_INTEGER) {
            const int64_t v = sqlite3_value_int64(argv[0]);
            std::string bytes;
            for (int i = 3; i >= 0; --i)
                bytes += static_cast<char>((v >> (i * 8)) & 0xff);
            sqlite3_result_blob(ctx, bytes.data(), 4, SQLITE_TRANSIENT);
            return;
        }
        const void* data = sqlite3_value_blob(argv[0]);
        sqlite3_result_blob(ctx, data, sqlite3_value_bytes(argv[0]), SQLITE_TRANSIENT);
        return;
    }
    sqlite3_result_value(ctx, argv[0]);
}

// --- strings ------------------------------------------------------------------------

void Len(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, static_cast<int64_t>(CharStarts(TrimRight(Text(argv[0]))).size()));
}

// UTF-16 code units of UTF-8 text: characters beyond the BMP take two.
int64_t Utf16Units(const std::string& text)
{
    int64_t units = 0;
    for (const char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80)
            units += b >= 0xF0 ? 2 : 1;
    }
    return units;
}

// The bytes SQL Server stores for the value: by its declared type when the
// translator knows it (the second argument), else by what SQLite holds.
void DataLength(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    const int kind = sqlite3_value_type(argv[0]);
    const std::string declared = argc > 1 ? Text(argv[1]) : std::string();
    const TypeSpec type = declared.empty() ? TypeSpec{} : TypeSpec::FromDeclared(declared);
    if (type.IsKnown() && type.IsCharacter() && type.name != "sysname") {
        const std::string text = Text(argv[0]);
        // Fixed-length types hold their whole length, padded.
        const bool fixed = type.name == "char" || type.name == "nchar";
        const int64_t characters = type.IsUnicode() ? Utf16Units(text) : static_cast<int64_t>(CharStarts(text).size());
        const int64_t stored = fixed && type.length > 0 ? std::max<int64_t>(characters, type.length) : characters;
        return sqlite3_result_int64(ctx, type.IsUnicode() ? stored * 2 : stored);
    }
    if (type.IsKnown() && type.name == "sysname")
        return sqlite3_result_int64(ctx, Utf16Units(Text(argv[0])) * 2);
    if (type.IsKnown() && !type.IsBinary() && type.StorageLength() > 0)
        return sqlite3_result_int(ctx, type.StorageLength());
    if (kind == SQLITE_INTEGER) return sqlite3_result_int(ctx, 4);
    if (kind == SQLITE_FLOAT) return sqlite3_result_int(ctx, 8);
    sqlite3_result_int(ctx, sqlite3_value_bytes(argv[0]));
}

void CharIndex(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    const std::string needle = Lower(Text(argv[0]));
    const std::string hay = Lower(Text(argv[1]));
    int64_t start = argc > 2 && !IsNull(argv[2]) ? sqlite3_value_int64(argv[2]) : 1;
    if (start < 1)
        start = 1;
    const std::vector<size_t> starts = CharStarts(hay);
    if (needle.empty() || start > static_cast<int64_t>(starts.size()))
        return sqlite3_result_int(ctx, 0);
    const size_t at = hay.find(needle, starts[start - 1]);
    if (at == std::string::npos)
        return sqlite3_result_int(ctx, 0);
    sqlite3_result_int64(ctx, static_cast<int64_t>(CharStarts(hay.substr(0, at)).size()) + 1);
}

void PatIndex(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    const std::string pattern = Text(argv[0]);
    const std::string value = Text(argv[1]);
    const std::vector<size_t> starts = CharStarts(value);
    std::string inner = pattern;
    if (!inner.empty() && inner.front() == '%') inner.erase(0, 1);
    if (!inner.empty() && inner.back() == '%') inner.pop_back();
    for (size_t i = 0; i < starts.size(); ++i)
        if (SqlFunctions::Like(value.substr(starts[i]), inner + "%"))
            return sqlite3_result_int64(ctx, static_cast<int64_t>(i) + 1);
    sqlite3_result_int(ctx, 0);
}

void SubstringFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
    const int64_t length = sqlite3_value_int64(argv[2]);
    if (length < 0)
        return Fail(ctx, 537, 16, "Invalid length parameter passed to the substring function.");
    ResultText(ctx, Substring(Text(argv[0]), sqlite3_value_int64(argv[1]), length));
}

void LeftFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    const int64_t n = sqlite3_value_int64(argv[1]);
    if (n < 0) return Fail(ctx, 536, 16, "Invalid length parameter passed to the left function.");
    ResultText(ctx, Substring(Text(argv[0]), 1, n));
}

void RightFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    const int64_t n = sqlite3_value_int64(argv[1]);
    if (n < 0) return Fail(ctx, 536, 16, "Invalid length parameter passed to the right function.");
    const std::string s = Text(argv[0]);
    const int64_t count = static_cast<int64_t>(CharStarts(s).size());
    ResultText(ctx, Substring(s, std::max<int64_t>(1, count - n + 1), n));
}

void ReplaceFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
    const std::string s = Text(argv[0]), from = Text(argv[1]), to = Text(argv[2]);
    if (from.empty()) return ResultText(ctx, s);
    // Matches ignore case, as under the default collation.
    const std::string lower = Lower(s), lowerFrom = Lower(from);
    std::string out;
    size_t at = 0;
    for (size_t hit; (hit = lower.find(lowerFrom, at)) != std::string::npos; at = hit + from.size())
        out += s.substr(at, hit - at) + to;
    ResultText(ctx, out + s.substr(at));
}

void Space(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || sqlite3_value_int64(argv[0]) < 0) return sqlite3_result_null(ctx);
    ResultText(ctx, std::string(static_cast<size_t>(std::min<int64_t>(sqlite3_value_int64(argv[0]), 8000)), ' '));
}

void Replicate(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1]) || sqlite3_value_int64(argv[1]) < 0) return sqlite3_result_null(ctx);
    const std::string s = Text(argv[0]);
    std::string out;
    for (int64_t i = 0; i < sqlite3_value_int64(argv[1]) && out.size() < 8000; ++i)
        out += s;
    ResultText(ctx, out);
}

void Reverse(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    const std::string s = Text(argv[0]);
    const std::vector<size_t> starts = CharStarts(s);
    std::string out;
    for (size_t i = starts.size(); i-- > 0;)
        out += s.substr(starts[i], (i + 1 < starts.size() ? starts[i + 1] : s.size()) - starts[i]);
    ResultText(ctx, out);
}

void Stuff(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
    const std::string s = Text(argv[0]);
    const int64_t start = sqlite3_value_int64(argv[1]), length = sqlite3_value_int64(argv[2]);
    const int64_t count = static_cast<int64_t>(CharStarts(s).size());
    if (start < 1 || start > count || length < 0) return sqlite3_result_null(ctx);
    ResultText(ctx, Substring(s, 1, start - 1) + Text(argv[3]) + Substring(s, start + length, count));
}

void QuoteName(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    const std::string s = Text(argv[0]);
    std::string open = argc > 1 ? Text(argv[1]) : "[";
    if (s.size() > 128) return sqlite3_result_null(ctx);
    char close = open == "[" || open == "]" ? ']' : open == "'" ? '\'' : open == "\"" ? '"' : 0;
    if (!close) return sqlite3_result_null(ctx);
    std::string out(1, close == ']' ? '[' : close);
    for (char c : s) {
        out += c;
        if (c == close) out += c;
    }
    ResultText(ctx, out + close);
}

void Str(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    const int length = argc > 1 ? sqlite3_value_int(argv[1]) : 10;
    const int decimals = argc > 2 ? sqlite3_value_int(argv[2]) : 0;
    char b[128];
    std::snprintf(b, sizeof b, "%*.*f", length, std::min(decimals, 16), sqlite3_value_double(argv[0]));
    std::string out = b;
    if (static_cast<int>(out.size()) > length) out = std::string(length, '*');
    ResultText(ctx, out);
}

void Ascii(sqlite3_context* ctx, int, Args argv)
{
    const std::string s = Text(argv[0]);
    if (IsNull(argv[0]) || s.empty()) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, static_cast<unsigned char>(s[0]));
}

void CharFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    const int64_t code = sqlite3_value_int64(argv[0]);
    if (code < 0 || code > 255) return sqlite3_result_null(ctx);
    if (code < 128) return ResultText(ctx, std::string(1, static_cast<char>(code)));
    // Latin-1 upper half as UTF-8.
    std::string out;
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
    ResultText(ctx, out);
}

void Round(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    const int digits = argc > 1 ? sqlite3_value_int(argv[1]) : 0;
    const double factor = std::pow(10.0, digits);
    const double v = sqlite3_value_double(argv[0]);
    const bool truncate = argc > 2 && sqlite3_value_int(argv[2]) != 0;
    const double r = (truncate ? std::trunc(v * factor) : std::round(v * factor)) / factor;
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
        return sqlite3_result_int64(ctx, static_cast<int64_t>(r));
    sqlite3_result_double(ctx, r);
}

void NewId(sqlite3_context* ctx, int, Args)
{
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    const uint64_t a = rng(), b = rng();
    char out[40];
    std::snprintf(out, sizeof out, "%08X-%04X-4%03X-%04X-%012llX", static_cast<unsigned>(a >> 32),
                  static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>(a & 0xFFF),
                  static_cast<unsigned>(0x8000 | (b >> 48 & 0x3FFF)),
                  static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFULL));
    ResultText(ctx, out);
}

// What SQL Server's ISNUMERIC accepts: a number that converts to one of the
// numeric types, money included, so a sign, a currency sign, thousands
// commas and a d or e exponent are all allowed, and so are a lone sign,
// point or currency sign.
bool LooksNumeric(const std::string& text)
{
    size_t i = 0, end = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < end && blank(text[i]))
        ++i;
    while (end > i && blank(text[end - 1]))
        --end;
    if (i == end)
        return false;
    bool sign = false, currency = false;
    for (; i < end; ++i) {
        if ((text[i] == '+' || text[i] == '-') && !sign)
            sign = true;
        else if (text[i] == '$' && !currency)
            currency = true;
        else
            break;
    }
    size_t digits = 0;
    bool point = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            ++digits;
        else if (c == ',' && !point && digits > 0)
            continue;
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    if (i < end && digits > 0 && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t exponent = 0;
        while (i < end && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++exponent;
        }
        if (exponent == 0)
            return false;
    }
    if (i != end)
        return false;
    return digits > 0 || sign || currency || point;
}

void IsNumeric(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_int(ctx, 0);
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) return sqlite3_result_int(ctx, 1);
    sqlite3_result_int(ctx, LooksNumeric(Text(argv[0])) ? 1 : 0);
}

// ERROR_NUMBER() and friends: the error the innermost running CATCH block
// handles; NULL outside CATCH.
template <typename Field>
void CaughtField(sqlite3_context* ctx, Field field)
{
    SessionState* s = Session(ctx);
    if (!s || s->caught.empty())
        return sqlite3_result_null(ctx);
    field(s->caught.back());
}

void ErrorNumber(sqlite3_context* ctx, int, Args)
{
    CaughtField(ctx, [&](const SessionState::CaughtError& e) { sqlite3_result_int(ctx, e.number); });
}
void ErrorSeverity(sqlite3_context* ctx, int, Args)
{
    CaughtField(ctx, [&](const SessionState::CaughtError& e) { sqlite3_result_int(ctx, e.severity); });
}
void ErrorState(sqlite3_context* ctx, int, Args)
{
    CaughtField(ctx, [&](const SessionState::CaughtError& e) { sqlite3_result_int(ctx, e.state); });
}
void ErrorLine(sqlite3_context* ctx, int, Args)
{
    CaughtField(ctx, [&](const SessionState::CaughtError& e) { sqlite3_result_int(ctx, e.line); });
}
void ErrorMessage(sqlite3_context* ctx, int, Args)
{
    CaughtField(ctx, [&](const SessionState::CaughtError& e) { ResultText(ctx, e.message); });
}
void ErrorProcedure(sqlite3_context* ctx, int, Args)
{
    CaughtField(ctx, [&](const SessionState::CaughtError& e) {
        if (e.procedure.empty())
            return sqlite3_result_null(ctx);
        ResultText(ctx, e.procedure);
    });
}

// PARSENAME('server.db.owner.object', part): part 1 is the object, 4 the
// server; NULL for a part not given or a name that is no valid object name.
void ParseName(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    const std::string name = Text(argv[0]);
    const int64_t part = sqlite3_value_int64(argv[1]);
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '[' || c == '"') {
            const char close = c == '[' ? ']' : '"';
            if (!parts.back().empty())
                return sqlite3_result_null(ctx);
            size_t j = i + 1;
            std::string quoted;
            for (;; ++j) {
                if (j >= name.size())
                    return sqlite3_result_null(ctx);
                if (name[j] == close) {
                    if (j + 1 < name.size() && name[j + 1] == close) {
                        quoted += close;
                        ++j;
                        continue;
                    }
                    break;
                }
                quoted += name[j];
            }
            if (j + 1 < name.size() && name[j + 1] != '.')
                return sqlite3_result_null(ctx);
            parts.back() = quoted.empty() ? std::string(1, '\0') : quoted;
            i = j;
        } else if (c == '.') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    if (parts.size() > 4 || part < 1 || part > 4 || static_cast<size_t>(part) > parts.size())
        return sqlite3_result_null(ctx);
    const std::string& chosen = parts[parts.size() - static_cast<size_t>(part)];
    if (chosen.empty())
        return sqlite3_result_null(ctx);
    ResultText(ctx, chosen == std::string(1, '\0') ? std::string() : chosen);
}

// --- dates -----------------------------------------------------------------------------

std::optional<DateTimeValue> DateArg(sqlite3_context* ctx, sqlite3_value* v)
{
    SessionState* s = Session(ctx);
    if (sqlite3_value_type(v) == SQLITE_INTEGER || sqlite3_value_type(v) == SQLITE_FLOAT) {
        const double d = sqlite3_value_double(v);
        return DateTimeValue{static_cast<int64_t>(std::floor(d)),
                             static_cast<int64_t>(std::llround((d - std::floor(d)) * 86400000.0))};
    }
    return DateTimeValue::Parse(Text(v), s ? s->options.dateFormat : "mdy");
}

void GetDate(sqlite3_context* ctx, int, Args) { ResultText(ctx, DateTimeValue::Now().ToCanonical()); }

bool LooksCanonical(const std::string& t)
{
    return t.size() == 23 && t[4] == '-' && t[7] == '-' && t[10] == ' ' && t[13] == ':' && t[19] == '.';
}

// A date literal beside a stored datetime takes the datetime's form.
void DateCoerce(sqlite3_context* ctx, int, Args argv)
{
    if (sqlite3_value_type(argv[1]) != SQLITE_TEXT || !LooksCanonical(Text(argv[1])))
        return sqlite3_result_value(ctx, argv[0]);
    auto d = DateArg(ctx, argv[0]);
    if (!d)
        return sqlite3_result_value(ctx, argv[0]);
    ResultText(ctx, d->ToCanonical());
}

void DatePartFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[1])) return sqlite3_result_null(ctx);
    auto d = DateArg(ctx, argv[1]);
    if (!d) return Fail(ctx, 241, 16, "Conversion failed when converting datetime from character string.");
    SessionState* s = Session(ctx);
    auto part = d->Part(Text(argv[0]), s ? s->options.dateFirst : 7);
    if (!part) return Fail(ctx, 155, 15, "'" + Text(argv[0]) + "' is not a recognized datepart option.");
    sqlite3_result_int64(ctx, *part);
}

void DateNameFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[1])) return sqlite3_result_null(ctx);
    auto d = DateArg(ctx, argv[1]);
    if (!d) return Fail(ctx, 241, 16, "Conversion failed when converting datetime from character string.");
    const std::string part = Lower(Text(argv[0]));
    if (part == "month" || part == "mm" || part == "m")
        return ResultText(ctx, DateTimeValue::MonthName(static_cast<int>(*d->Part("month"))));
    if (part == "weekday" || part == "dw")
        return ResultText(ctx, DateTimeValue::DayName(static_cast<int>(*d->Part("weekday", 7))));
    auto value = d->Part(part);
    if (!value) return Fail(ctx, 155, 15, "'" + Text(argv[0]) + "' is not a recognized datepart option.");
    ResultText(ctx, std::to_string(*value));
}

void DateAddFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
    auto d = DateArg(ctx, argv[2]);
    if (!d) return Fail(ctx, 241, 16, "Conversion failed when converting datetime from character string.");
    auto r = d->Add(Text(argv[0]), sqlite3_value_int64(argv[1]));
    if (!r) return Fail(ctx, 155, 15, "'" + Text(argv[0]) + "' is not a recognized dateadd option.");
    ResultText(ctx, r->ToCanonical());
}

void DateDiffFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
    auto a = DateArg(ctx, argv[1]);
    auto b = DateArg(ctx, argv[2]);
    if (!a || !b) return Fail(ctx, 241, 16, "Conversion failed when converting datetime from character string.");
    auto r = DateTimeValue::Diff(Text(argv[0]), *a, *b);
    if (!r) return Fail(ctx, 155, 15, "'" + Text(argv[0]) + "' is not a recognized datediff option.");
    sqlite3_result_int64(ctx, *r);
}

void DatePartAlias(sqlite3_context* ctx, const char* part, sqlite3_value* v)
{
    if (IsNull(v)) return sqlite3_result_null(ctx);
    auto d = DateArg(ctx, v);
    if (!d) return Fail(ctx, 241, 16, "Conversion failed when converting datetime from character string.");
    sqlite3_result_int64(ctx, *d->Part(part));
}

// --- the session and its catalogue ------------------------------------------------------

void DbName(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    if (!s) return sqlite3_result_null(ctx);
    if (argc == 0 || IsNull(argv[0])) return ResultText(ctx, s->database);
    DatabaseInfo info;
    if (!s->server->FindDatabase(static_cast<int>(sqlite3_value_int64(argv[0])), &info))
        return sqlite3_result_null(ctx);
    ResultText(ctx, info.name);
}

void DbId(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    if (!s) return sqlite3_result_null(ctx);
    DatabaseInfo info;
    const std::string name = argc == 0 || IsNull(argv[0]) ? s->database : Text(argv[0]);
    if (!s->server->FindDatabase(name, &info)) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, info.dbid);
}

// INDEX_COL('table', index id, key number): the name of the index's key column.
void IndexCol(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
    SessionState* s = Session(ctx);
    try {
        const ObjectName n = ObjectName::Parse(Text(argv[0]));
        std::string schema;
        if (!n.valid || !CatalogFor(s, n.database, &schema))
            return sqlite3_result_null(ctx);
        const int64_t table = LookupObjectId(s, Text(argv[0]), "U S V ");
        if (!table)
            return sqlite3_result_null(ctx);
        const Catalog catalog(s->db, schema);
        SqliteStatement q(s->db, "SELECT c.name FROM " + catalog.Table("tw_indexkeys") + " AS k JOIN " +
                                     catalog.Table("tw_columns") + " AS c ON c.id = k.id AND c.colid = k.colid "
                                     "WHERE k.id = ? AND k.indid = ? AND k.keyno = ?");
        q.Bind(1, table).Bind(2, sqlite3_value_int64(argv[1])).Bind(3, sqlite3_value_int64(argv[2]));
        if (!q.Step())
            return sqlite3_result_null(ctx);
        ResultText(ctx, q.Text(0));
    } catch (const SqlError&) {
        sqlite3_result_null(ctx);
    }
}

// tw_recursion(level, most): a recursive CTE's level, refused past MAXRECURSION (0: no limit).
void Recursion(sqlite3_context* ctx, int, Args argv)
{
    const int64_t level = sqlite3_value_int64(argv[0]);
    const int64_t most = sqlite3_value_int64(argv[1]);
    if (most > 0 && level > most)
        return Fail(ctx, 530, 16, "The statement terminated. The maximum recursion " + std::to_string(most) +
                                      " has been exhausted before statement completion.");
    sqlite3_result_int64(ctx, level);
}

// INDEXPROPERTY(table id, 'index', 'property'), from the index's sysindexes row.
void IndexProperty(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    if (!s || IsNull(argv[0]) || IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
    std::string schema;
    if (!CatalogFor(s, "", &schema)) return sqlite3_result_null(ctx);
    const Catalog catalog(s->db, schema);
    SqliteStatement q(s->db, "SELECT indid, status FROM " + catalog.Table("tw_indexes") + " WHERE id = ? AND name = ?");
    q.Bind(1, sqlite3_value_int64(argv[0])).Bind(2, Text(argv[1]));
    if (!q.Step()) return sqlite3_result_null(ctx);
    const int64_t indid = q.Int(0), status = q.Int(1);
    const std::string p = Lower(Text(argv[2]));
    if (p == "indexid") return sqlite3_result_int64(ctx, indid);
    if (p == "isclustered") return sqlite3_result_int(ctx, indid == 1 || (status & 16) != 0);
    if (p == "isunique") return sqlite3_result_int(ctx, (status & 2) != 0);
    if (p == "indexdepth") return sqlite3_result_int(ctx, 1);
    for (const char* zero : {"indexfillfactor", "isautostatistics", "isfulltextkey", "ishypothetical",
                             "ispadindex", "ispagelockdisallowed", "isrowlockdisallowed", "isstatistics"})
        if (p == zero) return sqlite3_result_int(ctx, 0);
    sqlite3_result_null(ctx);
}

void ObjectId(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    std::string types;
    if (argc > 1 && !IsNull(argv[1])) {
        types = Text(argv[1]);
        if (types.size() == 1) types += ' ';
    }
    try {
        const int64_t id = LookupObjectId(Session(ctx), Text(argv[0]), types);
        if (!id) return sqlite3_result_null(ctx);
        sqlite3_result_int64(ctx, id);
    } catch (const SqlError&) {
        sqlite3_result_null(ctx);
    }
}

void ObjectNameFn(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    if (!s || IsNull(argv[0])) return sqlite3_result_null(ctx);
    DatabaseInfo info;
    bool found = argc > 1 && !IsNull(argv[1])
                     ? s->server->FindDatabase(static_cast<int>(sqlite3_value_int64(argv[1])), &info)
                     : s->server->FindDatabase(s->database, &info);
    if (!found) return sqlite3_result_null(ctx);
    try {
        const std::string name = Catalog(s->db, info.name).ObjectName(sqlite3_value_int64(argv[0]));
        if (name.empty()) return sqlite3_result_null(ctx);
        ResultText(ctx, name);
    } catch (const SqlError&) {
        sqlite3_result_null(ctx);
    }
}

void UserName(sqlite3_context* ctx, int argc, Args argv)
{
    if (argc > 0 && !IsNull(argv[0])) {
        const int64_t uid = sqlite3_value_int64(argv[0]);
        std::string schema;
        if (uid < 0 || uid > 32767 || !CatalogFor(Session(ctx), "", &schema)) return sqlite3_result_null(ctx);
        try {
            const std::string name = Catalog(Session(ctx)->db, schema).UserName(static_cast<int>(uid));
            if (name.empty()) return sqlite3_result_null(ctx);
            return ResultText(ctx, name);
        } catch (const SqlError&) {
            return sqlite3_result_null(ctx);
        }
    }
    SessionState* s = Session(ctx);
    std::string schema;
    if (!s || !CatalogFor(s, "", &schema)) return ResultText(ctx, "dbo");
    const Catalog catalog(s->db, schema);
    ResultText(ctx, catalog.UserName(catalog.LoginUid(s->login)));
}

// Without an argument the session's login; with one, the login of that sid
// (sa's is 0x01, another login's is its name's bytes).
void SuserName(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    if (argc == 0 || !s)
        return ResultText(ctx, s ? s->login : "sa");
    if (IsNull(argv[0]))
        return sqlite3_result_null(ctx);
    const std::string sid(static_cast<const char*>(sqlite3_value_blob(argv[0])),
                          static_cast<size_t>(sqlite3_value_bytes(argv[0])));
    if (sid == std::string(1, '\x01'))
        return ResultText(ctx, "sa");
    try {
        SqliteStatement q(s->db, "SELECT name FROM master.tw_logins WHERE CAST(name AS BLOB) = CAST(? AS BLOB)");
        q.Bind(1, sid);
        if (q.Step())
            return ResultText(ctx, q.Text(0));
    } catch (const SqlError&) {
    }
    sqlite3_result_null(ctx);
}

void HostName(sqlite3_context* ctx, int, Args)
{
    SessionState* s = Session(ctx);
    ResultText(ctx, s ? s->host : "");
}

void AppName(sqlite3_context* ctx, int, Args)
{
    SessionState* s = Session(ctx);
    ResultText(ctx, s ? s->program : "");
}

// As sysdatabases.status keeps it: 8 SIMPLE, 4 BULK_LOGGED, neither FULL.
const char* RecoveryModel(SessionState* s, const std::string& database)
{
    SqliteStatement status(s->db, "SELECT status FROM master.sysdatabases WHERE name = ?");
    status.Bind(1, database);
    const int64_t bits = status.Step() ? status.Int(0) : 0;
    return (bits & 8) ? "SIMPLE" : (bits & 4) ? "BULK_LOGGED" : "FULL";
}

void DatabasePropertyEx(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    DatabaseInfo info;
    if (!s || IsNull(argv[0]) || IsNull(argv[1]) || !s->server->FindDatabase(Text(argv[0]), &info))
        return sqlite3_result_null(ctx);
    const std::string p = Lower(Text(argv[1]));
    // An offline database has no readable options: only its status is known.
    if (info.offline && p != "status") return sqlite3_result_null(ctx);
    static const std::pair<const char*, int> flags[] = {
        {"isansinulldefault", 0}, {"isansinullsenabled", 0}, {"isansipaddingenabled", 0},
        {"isansiwarningsenabled", 0}, {"isarithmeticabortenabled", 0}, {"isautoclose", 0},
        {"isautocreatestatistics", 1}, {"isautoshrink", 0}, {"isautoupdatestatistics", 1},
        {"isclosecursorsoncommitenabled", 0}, {"isfulltextenabled", 0}, {"isinstandby", 0},
        {"islocalcursorsdefault", 0}, {"ismergepublished", 0}, {"isnullconcat", 0},
        {"isnumericroundabortenabled", 0}, {"isquotedidentifiersenabled", 0}, {"isrecursivetriggersenabled", 0},
        {"issubscribed", 0}, {"istornpagedetectionenabled", 1}, {"ispublished", 0}, {"issyncwithbackup", 0},
        {"sqlsortorder", 52}, {"version", 539}, {"lcid", 1033}, {"comparisonstyle", 196609}};
    for (const auto& [name, value] : flags)
        if (p == name) return sqlite3_result_int(ctx, value);
    if (p == "collation") return ResultText(ctx, "SQL_Latin1_General_CP1_CI_AS");
    if (p == "recovery") return ResultText(ctx, RecoveryModel(s, info.name));
    if (p == "status") return ResultText(ctx, info.offline ? "OFFLINE" : "ONLINE");
    if (p == "updateability") return ResultText(ctx, "READ_WRITE");
    if (p == "useraccess") return ResultText(ctx, "MULTI_USER");
    sqlite3_result_null(ctx);
}

void ObjectProperty(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    if (!s || IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    std::string schema;
    if (!CatalogFor(s, "", &schema)) return sqlite3_result_null(ctx);
    try {
        Catalog catalog(s->db, schema);
        const int64_t id = sqlite3_value_int64(argv[0]);
        const std::string type = catalog.ObjectType(id);
        if (type.empty()) return sqlite3_result_null(ctx);
        const std::string p = Lower(Text(argv[1]));
        auto is = [&](const char* t) { return sqlite3_result_int(ctx, type == t ? 1 : 0); };
        if (p == "isusertable") return is(Catalog::kTable);
        if (p == "isview") return is(Catalog::kView);
        if (p == "isprocedure") return is(Catalog::kProcedure);
        if (p == "isextendedproc") return is("X ");
        if (p == "issystemtable") return is(Catalog::kSystemTable);
        if (p == "istrigger") return is(Catalog::kTrigger);
        if (p == "isscalarfunction") return is(Catalog::kScalarFunction);
        if (p == "isinlinefunction") return is(Catalog::kInlineFunction);
        if (p == "istablefunction") return is(Catalog::kTableFunction);
        if (p == "isprimarykey") return is(Catalog::kPrimaryKey);
        if (p == "isforeignkey") return is(Catalog::kForeignKey);
        if (p == "ischeckcnst") return is(Catalog::kCheck);
        if (p == "isdefaultcnst" || p == "isdefault") return is(Catalog::kDefault);
        if (p == "isrule") return is(Catalog::kRule);
        if (p == "istable") return sqlite3_result_int(ctx, type == "U " || type == "S ");
        if (p == "isconstraint")
            return sqlite3_result_int(ctx, type == "PK" || type == "UQ" || type == "F " || type == "C " || type == "D ");
        if (p == "ismsshipped") return sqlite3_result_int(ctx, type == "S " || catalog.IsMarkedSystem(id));
        if (p == "ownerid") return sqlite3_result_int(ctx, catalog.ObjectUid(id));
        if (p == "isansinullson" || p == "isquotedidenton") return sqlite3_result_int(ctx, 1);
        if (p == "isexecuted" || p == "isreplproc" || p == "isencrypted")
            return sqlite3_result_int(ctx, 0);
        if (p == "execisstartup" && type != Catalog::kProcedure) return sqlite3_result_null(ctx);
        if (p == "tableispinned" || p == "tablelockonbulkload" || p == "tabletextinrowlimit" ||
            p == "execisstartup") {
            const std::string option = p == "execisstartup" ? "startup" : p == "tableispinned" ? "pintable"
                                       : p == "tablelockonbulkload" ? "table lock on bulk load" : "text in row";
            SqliteStatement q(s->db, "SELECT value FROM " + catalog.Table("tw_tableoptions") +
                                         " WHERE id = ? AND name = ?");
            q.Bind(1, id).Bind(2, option);
            return sqlite3_result_int64(ctx, q.Step() ? q.Int(0) : 0);
        }
        if (p == "cnstisdisabled") {
            if (type != Catalog::kForeignKey && type != Catalog::kCheck)
                return sqlite3_result_null(ctx);
            SqliteStatement q(s->db, "SELECT count(*) FROM " + catalog.Table("tw_disabled") + " WHERE id = ?");
            q.Bind(1, id).Step();
            return sqlite3_result_int(ctx, q.Int(0) > 0);
        }
        // Constraints are never excluded from replication nor left untrusted here,
        // and their cascading actions are not kept: 0 for the kinds they apply to.
        if (p == "cnstisnotrepl" || p == "cnstisnottrusted")
            return (type == Catalog::kForeignKey || type == Catalog::kCheck) ? sqlite3_result_int(ctx, 0)
                                                                             : sqlite3_result_null(ctx);
        if (p == "cnstisdeletecascade" || p == "cnstisupdatecascade")
            return type == Catalog::kForeignKey ? sqlite3_result_int(ctx, 0) : sqlite3_result_null(ctx);
        if (p == "tablehasprimarykey") {
            SqliteStatement q(s->db, "SELECT count(*) FROM " + catalog.Table("tw_objects") +
                                         " WHERE parent_obj = ? AND xtype = 'PK'");
            q.Bind(1, id).Step();
            return sqlite3_result_int(ctx, q.Int(0) > 0);
        }
        if (p == "tablehasidentity") {
            SqliteStatement q(s->db, "SELECT count(*) FROM " + catalog.Table("tw_columns") +
                                         " WHERE id = ? AND colstat & 1");
            q.Bind(1, id).Step();
            return sqlite3_result_int(ctx, q.Int(0) > 0);
        }
        sqlite3_result_null(ctx);
    } catch (const SqlError&) {
        sqlite3_result_null(ctx);
    }
}

// The rows of a table of the named database, for sysindexes.
void RowCount(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    if (!s || IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_int(ctx, 0);
    try {
        const std::string schema = Text(argv[0]);
        const Catalog catalog(s->db, schema);
        const std::string storage = catalog.StorageName(sqlite3_value_int64(argv[1]));
        if (storage.empty()) return sqlite3_result_int(ctx, 0);
        sqlite3_result_int64(ctx, SqliteStatement::QueryInt(s->db, "SELECT count(*) FROM " +
                                                                       catalog.Table(Translator::Quote(storage))));
    } catch (const SqlError&) {
        sqlite3_result_int(ctx, 0);
    }
}

void ColumnProperty(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    std::string schema;
    if (!s || IsNull(argv[0]) || IsNull(argv[1]) || IsNull(argv[2]) || !CatalogFor(s, "", &schema))
        return sqlite3_result_null(ctx);
    try {
        Catalog catalog(s->db, schema);
        SqliteStatement q(s->db, "SELECT colid, isnullable, colstat, prec, scale, isoutparam, length FROM " +
                                     catalog.Table("tw_columns") + " WHERE id = ? AND name = ?");
        q.Bind(1, sqlite3_value_int64(argv[0])).Bind(2, Text(argv[1]));
        if (!q.Step()) return sqlite3_result_null(ctx);
        const std::string p = Lower(Text(argv[2]));
        if (p == "columnid") return sqlite3_result_int64(ctx, q.Int(0));
        if (p == "allowsnull") return sqlite3_result_int64(ctx, q.Int(1));
        if (p == "isidentity") return sqlite3_result_int64(ctx, q.Int(2) & 1);
        if (p == "precision") return sqlite3_result_int64(ctx, q.Int(3));
        if (p == "scale") return sqlite3_result_int64(ctx, q.Int(4));
        if (p == "isoutparam") return sqlite3_result_int64(ctx, q.Int(5));
        if (p == "iscomputed" || p == "isrowguidcol" || p == "isfulltextindexed") return sqlite3_result_int(ctx, 0);
        sqlite3_result_null(ctx);
    } catch (const SqlError&) {
        sqlite3_result_null(ctx);
    }
}

void UserFunction(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    if (!s || !s->callFunction) return Fail(ctx, 4121, 16, "Cannot find user-defined function.");
    std::vector<Value> args;
    for (int i = 1; i < argc; ++i) {
        switch (sqlite3_value_type(argv[i])) {
        case SQLITE_NULL: args.push_back(Value::Null()); break;
        case SQLITE_INTEGER: args.push_back(Value::Int(sqlite3_value_int64(argv[i]))); break;
        case SQLITE_FLOAT: args.push_back(Value::Float(sqlite3_value_double(argv[i]))); break;
        case SQLITE_BLOB: args.push_back(Value::Binary(std::string(static_cast<const char*>(sqlite3_value_blob(argv[i])), sqlite3_value_bytes(argv[i])))); break;
        default: args.push_back(Value::String(Text(argv[i])));
        }
    }
    try {
        const Value r = s->callFunction(Text(argv[0]), args);
        switch (r.kind) {
        case ValueKind::Null: sqlite3_result_null(ctx); break;
        case ValueKind::Int: sqlite3_result_int64(ctx, r.integer); break;
        case ValueKind::Float: sqlite3_result_double(ctx, r.real); break;
        case ValueKind::Decimal: sqlite3_result_double(ctx, std::strtod(r.text.c_str(), nullptr)); break;
        case ValueKind::Binary: sqlite3_result_blob(ctx, r.text.data(), static_cast<int>(r.text.size()), SQLITE_TRANSIENT); break;
        default: ResultText(ctx, r.text);
        }
    } catch (const SqlError& e) {
        Fail(ctx, e.number, e.severity, e.what());
    }
}

int CollationNoCase(void*, int n1, const void* p1, int n2, const void* p2)
{
    return SqlFunctions::CompareNoCase(std::string(static_cast<const char*>(p1), n1),
                                       std::string(static_cast<const char*>(p2), n2));
}

struct FunctionEntry {
    const char* name;
    int args;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
};

#define TW_MATH1(NAME, EXPR)                                                                  \
    void NAME(sqlite3_context* ctx, int, Args argv)                                           \
    {                                                                                         \
        if (IsNull(argv[0])) return sqlite3_result_null(ctx);                                 \
        const double x = sqlite3_value_double(argv[0]);                                       \
        sqlite3_result_double(ctx, EXPR);                                                     \
    }
TW_MATH1(SqrtFn, std::sqrt(x))
TW_MATH1(SquareFn, x * x)
TW_MATH1(ExpFn, std::exp(x))
TW_MATH1(LogFn, std::log(x))
TW_MATH1(Log10Fn, std::log10(x))
#undef TW_MATH1

void FloorFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    sqlite3_result_double(ctx, std::floor(sqlite3_value_double(argv[0])));
}

void CeilingFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    sqlite3_result_double(ctx, std::ceil(sqlite3_value_double(argv[0])));
}

void PowerFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    const double r = std::pow(sqlite3_value_double(argv[0]), sqlite3_value_double(argv[1]));
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_int64(ctx, static_cast<int64_t>(r));
    sqlite3_result_double(ctx, r);
}

void SignFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    const double x = sqlite3_value_double(argv[0]);
    sqlite3_result_int(ctx, x > 0 ? 1 : x < 0 ? -1 : 0);
}

void PiFn(sqlite3_context* ctx, int, Args) { sqlite3_result_double(ctx, 3.141592653589793); }

void RandFn(sqlite3_context* ctx, int argc, Args argv)
{
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    if (argc > 0 && !IsNull(argv[0]))
        rng.seed(static_cast<uint64_t>(sqlite3_value_int64(argv[0])));
    sqlite3_result_double(ctx, std::uniform_real_distribution<double>(0.0, 1.0)(rng));
}

void UnicodeFn(sqlite3_context* ctx, int, Args argv)
{
    const std::string s = Text(argv[0]);
    if (IsNull(argv[0]) || s.empty()) return sqlite3_result_null(ctx);
    const unsigned char c = static_cast<unsigned char>(s[0]);
    int code = c, extra = 0;
    if (c >= 0xF0) { code = c & 0x07; extra = 3; }
    else if (c >= 0xE0) { code = c & 0x0F; extra = 2; }
    else if (c >= 0xC0) { code = c & 0x1F; extra = 1; }
    for (int i = 1; i <= extra && i < static_cast<int>(s.size()); ++i)
        code = (code << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    sqlite3_result_int(ctx, code);
}

void YearFn(sqlite3_context* ctx, int, Args argv) { DatePartAlias(ctx, "year", argv[0]); }
void MonthFn(sqlite3_context* ctx, int, Args argv) { DatePartAlias(ctx, "month", argv[0]); }
void DayFn(sqlite3_context* ctx, int, Args argv) { DatePartAlias(ctx, "day", argv[0]); }

void IsDateFn(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_int(ctx, 0);
    sqlite3_result_int(ctx, DateTimeValue::Parse(Text(argv[0])).has_value() ? 1 : 0);
}

void ConstantOne(sqlite3_context* ctx, int, Args) { sqlite3_result_int(ctx, 1); }
void ConstantNull(sqlite3_context* ctx, int, Args) { sqlite3_result_null(ctx); }

void UserId(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    std::string schema;
    if (!s || !CatalogFor(s, "", &schema)) return sqlite3_result_null(ctx);
    try {
        const Catalog catalog(s->db, schema);
        if (argc == 0 || IsNull(argv[0])) return sqlite3_result_int(ctx, catalog.LoginUid(s->login));
        const int uid = catalog.UserId(Text(argv[0]));
        if (uid < 0) return sqlite3_result_null(ctx);
        sqlite3_result_int(ctx, uid);
    } catch (const SqlError&) {
        sqlite3_result_null(ctx);
    }
}

void ScopeIdentity(sqlite3_context* ctx, int, Args)
{
    SessionState* s = Session(ctx);
    if (!s || s->lastIdentity == SessionState::kNoIdentity) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, s->lastIdentity);
}

// The identity rule of a table: false when it has no identity column.
bool IdentityOf(SessionState* s, const std::string& table, int64_t* seed, int64_t* increment, int64_t* current)
{
    const ObjectName n = ObjectName::Parse(table);
    std::string schema;
    if (!n.valid || n.name.empty() || !CatalogFor(s, n.database, &schema))
        return false;
    const Catalog catalog(s->db, schema);
    const int64_t id = catalog.Resolve(n.owner, n.name, "U ", catalog.LoginUid(s->login));
    if (!id)
        return false;
    bool identity = false;
    for (const CatalogColumn& c : catalog.Columns(id))
        identity = identity || c.identity;
    if (!identity)
        return false;
    *seed = 1;
    *increment = 1;
    SqliteStatement options(s->db, "SELECT name, value FROM " + catalog.Table("tw_tableoptions") +
                                       " WHERE id = ? AND name LIKE 'identity %'");
    options.Bind(1, id);
    while (options.Step())
        (options.Text(0) == "identity seed" ? *seed : *increment) = options.Int(1);
    // Before the first row the current value is the seed, as on SQL Server.
    SqliteStatement sequence(s->db, "SELECT seq FROM " + Translator::Quote(schema) + ".sqlite_sequence WHERE name = ?");
    sequence.Bind(1, catalog.StorageName(id));
    *current = sequence.Step() ? sequence.Int(0) : *seed;
    return true;
}

void IdentityPart(sqlite3_context* ctx, Args argv, int part)
{
    SessionState* s = Session(ctx);
    if (!s || IsNull(argv[0])) return sqlite3_result_null(ctx);
    int64_t values[3] = {0, 0, 0};
    try {
        if (!IdentityOf(s, Text(argv[0]), &values[0], &values[1], &values[2])) return sqlite3_result_null(ctx);
    } catch (const SqlError&) {
        return sqlite3_result_null(ctx);
    }
    sqlite3_result_int64(ctx, values[part]);
}

void IdentSeed(sqlite3_context* ctx, int, Args argv) { IdentityPart(ctx, argv, 0); }
void IdentIncrement(sqlite3_context* ctx, int, Args argv) { IdentityPart(ctx, argv, 1); }
void IdentCurrent(sqlite3_context* ctx, int, Args argv) { IdentityPart(ctx, argv, 2); }

void ServerProperty(sqlite3_context* ctx, int, Args argv)
{
    const std::string p = Lower(Text(argv[0]));
    if (p == "servername" || p == "machinename") return ResultText(ctx, Server::kServerName);
    if (p == "productversion") return ResultText(ctx, "8.00.2039");
    if (p == "productlevel") return ResultText(ctx, "SP4");
    if (p == "edition") return ResultText(ctx, "Embedded Edition");
    if (p == "collation") return ResultText(ctx, "SQL_Latin1_General_CP1_CI_AS");
    if (p == "isintegratedsecurityonly" || p == "isclustered" || p == "isfulltextinstalled") return sqlite3_result_int(ctx, 0);
    sqlite3_result_null(ctx);
}

void TypeName(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    const int64_t id = sqlite3_value_int64(argv[0]);
    static const char* const names[] = {"image", "text", "uniqueidentifier", "tinyint", "smallint", "int",
        "smalldatetime", "real", "money", "datetime", "float", "sql_variant", "ntext", "bit", "decimal", "numeric",
        "smallmoney", "bigint", "varbinary", "varchar", "binary", "char", "timestamp", "nvarchar", "nchar"};
    for (const char* n : names) {
        TypeSpec t;
        t.name = n;
        if (t.XType() == id) return ResultText(ctx, n);
    }
    if (id == 256) return ResultText(ctx, "sysname");
    sqlite3_result_null(ctx);
}

void ColName(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    std::string schema;
    if (!s || IsNull(argv[0]) || IsNull(argv[1]) || !CatalogFor(s, "", &schema)) return sqlite3_result_null(ctx);
    try {
        SqliteStatement q(s->db, "SELECT name FROM " + Catalog(s->db, schema).Table("tw_columns") +
                                     " WHERE id = ? AND colid = ?");
        q.Bind(1, sqlite3_value_int64(argv[0])).Bind(2, sqlite3_value_int64(argv[1]));
        if (!q.Step()) return sqlite3_result_null(ctx);
        ResultText(ctx, q.Text(0));
    } catch (const SqlError&) {
        sqlite3_result_null(ctx);
    }
}

void ColLength(sqlite3_context* ctx, int, Args argv)
{
    SessionState* s = Session(ctx);
    std::string schema;
    if (!s || IsNull(argv[0]) || IsNull(argv[1]) || !CatalogFor(s, "", &schema)) return sqlite3_result_null(ctx);
    try {
        const int64_t id = LookupObjectId(s, Text(argv[0]));
        SqliteStatement q(s->db, "SELECT length FROM " + Catalog(s->db, schema).Table("tw_columns") +
                                     " WHERE id = ? AND name = ?");
        q.Bind(1, id).Bind(2, Text(argv[1]));
        if (!q.Step()) return sqlite3_result_null(ctx);
        sqlite3_result_int64(ctx, q.Int(0));
    } catch (const SqlError&) {
        sqlite3_result_null(ctx);
    }
}

// AVG as SQL Server computes it: over integers the result is an integer
// (truncated), over anything else a float. The running sum is held to 64
// bits, and to int's range for an int argument (tw_avg_int: a function per
// type, since a DISTINCT aggregate takes one argument), so a sum past its
// type's range is error 8115 as SQL Server reports it.
// Lives in SQLite's zero-filled aggregate memory: every member starts as zero.
struct AverageState {
    double sum;
    int64_t integerSum;
    int64_t count;
    bool sawNonInteger;
    bool integerOverflow;
    bool intArgument;
};

void AddToAverage(sqlite3_context* ctx, sqlite3_value* value, bool intArgument)
{
    if (IsNull(value))
        return;
    auto* state = static_cast<AverageState*>(sqlite3_aggregate_context(ctx, sizeof(AverageState)));
    if (!state)
        return sqlite3_result_error_nomem(ctx);
    state->intArgument = intArgument;
    if (sqlite3_value_numeric_type(value) == SQLITE_INTEGER) {
        int64_t sum = 0;
        const bool wrapped = __builtin_add_overflow(state->integerSum, sqlite3_value_int64(value), &sum);
        if (wrapped || (intArgument && (sum < INT32_MIN || sum > INT32_MAX)))
            state->integerOverflow = true;
        state->integerSum = sum;
    } else {
        state->sawNonInteger = true;
    }
    state->sum += sqlite3_value_double(value);
    ++state->count;
}

void AverageStep(sqlite3_context* ctx, int, Args argv)
{
    AddToAverage(ctx, argv[0], false);
}

void IntAverageStep(sqlite3_context* ctx, int, Args argv)
{
    AddToAverage(ctx, argv[0], true);
}

void AverageFinal(sqlite3_context* ctx)
{
    auto* state = static_cast<AverageState*>(sqlite3_aggregate_context(ctx, 0));
    if (!state || state->count == 0)
        return sqlite3_result_null(ctx);
    if (state->sawNonInteger)
        return sqlite3_result_double(ctx, state->sum / state->count);
    if (state->integerOverflow)
        return Overflow(ctx, state->intArgument ? "int" : "bigint");
    sqlite3_result_int64(ctx, state->integerSum / state->count);
}

// STDEV, STDEVP, VAR and VARP: the spread of the values, kept as a running
// mean and sum of squared differences (so large values lose no precision).
// Lives in SQLite's zero-filled aggregate memory.
struct SpreadState {
    int64_t count;
    double mean;
    double squares;
};

void SpreadStep(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]))
        return;
    auto* state = static_cast<SpreadState*>(sqlite3_aggregate_context(ctx, sizeof(SpreadState)));
    if (!state)
        return sqlite3_result_error_nomem(ctx);
    const double x = sqlite3_value_double(argv[0]);
    ++state->count;
    const double delta = x - state->mean;
    state->mean += delta / static_cast<double>(state->count);
    state->squares += delta * (x - state->mean);
}

// The user data: 's' sample deviation, 'p' population deviation, 'v' sample
// variance, 'q' population variance. A sample of one value has none.
void SpreadFinal(sqlite3_context* ctx)
{
    auto* state = static_cast<SpreadState*>(sqlite3_aggregate_context(ctx, 0));
    const char kind = *static_cast<const char*>(sqlite3_user_data(ctx));
    const bool population = kind == 'p' || kind == 'q';
    if (!state || state->count == 0 || (!population && state->count < 2))
        return sqlite3_result_null(ctx);
    const double variance = state->squares / static_cast<double>(population ? state->count : state->count - 1);
    sqlite3_result_double(ctx, kind == 's' || kind == 'p' ? std::sqrt(variance) : variance);
}

// SOUNDEX: the first letter and three digits for the consonants that follow,
// a run of letters of one digit counting once (H and W do not break a run,
// vowels do); the code ends at the first character that is no letter.
std::string SoundexCode(const std::string& text)
{
    static const char digits[] = "01230120022455012623010202"; // A..Z
    std::string code;
    char last = 0;
    for (const char raw : text) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (c < 'A' || c > 'Z') {
            if (code.empty() && (raw == ' ' || raw == '\t'))
                continue;
            break;
        }
        const char digit = digits[c - 'A'];
        if (code.empty()) {
            code += c;
            last = digit;
            continue;
        }
        if (c == 'H' || c == 'W')
            continue;
        if (digit != '0' && digit != last)
            code += digit;
        last = digit;
        if (code.size() == 4)
            break;
    }
    if (code.empty())
        return "0000";
    code.resize(4, '0');
    return code;
}

void Soundex(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]))
        return sqlite3_result_null(ctx);
    ResultText(ctx, SoundexCode(Text(argv[0])));
}

// DIFFERENCE: how many of the two SOUNDEX codes' four characters agree, 0 to 4.
void Difference(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1]))
        return sqlite3_result_null(ctx);
    const std::string a = SoundexCode(Text(argv[0])), b = SoundexCode(Text(argv[1]));
    int same = 0;
    for (size_t i = 0; i < 4; ++i)
        same += a[i] == b[i];
    sqlite3_result_int(ctx, same);
}

// Exact comparison of two numbers, one of them of an exact type: -1, 0 or 1.
// Text on either side converts as SQL Server converts it to numeric.
void DecimalCompare(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]) || IsNull(argv[1]))
        return sqlite3_result_null(ctx);
    std::optional<Decimal> a = DecimalOf(argv[0]), b = DecimalOf(argv[1]);
    if (!a || !b) {
        // Doubles beyond 38 digits compare as doubles; anything else is no number.
        const int ka = sqlite3_value_type(argv[0]), kb = sqlite3_value_type(argv[1]);
        if ((ka == SQLITE_FLOAT || ka == SQLITE_INTEGER) && (kb == SQLITE_FLOAT || kb == SQLITE_INTEGER)) {
            const double x = sqlite3_value_double(argv[0]), y = sqlite3_value_double(argv[1]);
            return sqlite3_result_int(ctx, x < y ? -1 : x > y ? 1 : 0);
        }
        Fail(ctx, 8114, 16, "Error converting data type varchar to numeric.");
        return;
    }
    sqlite3_result_int(ctx, Decimal::Compare(*a, *b));
}

// tw_numcmp(a, b): -1, 0 or 1 when both are numbers or decimal text, compared
// exactly; NULL otherwise, for the caller to compare them as they are.
void NumberCompare(sqlite3_context* ctx, int, Args argv)
{
    const std::optional<Decimal> a = DecimalOf(argv[0]), b = DecimalOf(argv[1]);
    if (!a || !b)
        return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, Decimal::Compare(*a, *b));
}

// Whether a stored value is a number a decimal column may hold: a stored
// value that is no number fails the column's type check.
void IsDecimal(sqlite3_context* ctx, int, Args argv)
{
    sqlite3_result_int(ctx, IsNull(argv[0]) || DecimalOf(argv[0]).has_value());
}

// Orders decimal text by value, so that indexes, ORDER BY, MIN and MAX over
// exact columns hold past a double's digits; text that is no number sorts after.
int CollationDecimal(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const auto x = Decimal::ParseStored(std::string_view(static_cast<const char*>(a), static_cast<size_t>(lengthA)));
    const auto y = Decimal::ParseStored(std::string_view(static_cast<const char*>(b), static_cast<size_t>(lengthB)));
    if (x && y)
        return Decimal::Compare(*x, *y);
    if (x || y)
        return x ? -1 : 1;
    const int c = std::memcmp(a, b, static_cast<size_t>(std::min(lengthA, lengthB)));
    return c ? c : lengthA - lengthB;
}

// SUM and AVG of decimal and money, exact to 38 digits. The engine's
// aggregate memory is zero-filled and aligned for 8 bytes only, while a
// decimal wants 16: the state is copied in and out of an aligned local.
struct DecimalSumState {
    Decimal sum;
    int64_t count;
    bool overflow;
};
static_assert(std::is_trivially_copyable_v<DecimalSumState>);

bool LoadDecimalSum(sqlite3_context* ctx, int bytes, DecimalSumState* state, void** raw)
{
    *raw = sqlite3_aggregate_context(ctx, bytes);
    if (*raw == nullptr)
        return false;
    std::memcpy(state, *raw, sizeof(DecimalSumState));
    return true;
}

void DecimalSumStep(sqlite3_context* ctx, int, Args argv)
{
    DecimalSumState state;
    void* raw = nullptr;
    if (!LoadDecimalSum(ctx, sizeof(DecimalSumState), &state, &raw) || IsNull(argv[0]) || state.overflow)
        return;
    const auto d = DecimalOf(argv[0]);
    Decimal next;
    if (!d || Decimal::Add(state.sum, *d, Decimal::kMaxPrecision, std::max(state.sum.Scale(), d->Scale()), &next) !=
                  Decimal::Status::Ok) {
        state.overflow = true;
    } else {
        state.sum = next;
        ++state.count;
    }
    std::memcpy(raw, &state, sizeof(DecimalSumState));
}

void DecimalSumFinish(sqlite3_context* ctx, bool average)
{
    DecimalSumState state;
    void* raw = nullptr;
    const bool any = LoadDecimalSum(ctx, 0, &state, &raw);
    const char* type = static_cast<const char*>(sqlite3_user_data(ctx)) ? "money" : "numeric";
    if (any && state.overflow)
        return DecimalOverflow(ctx, type);
    if (!any || state.count == 0)
        return sqlite3_result_null(ctx);
    if (!average)
        return ResultDecimal(ctx, state.sum);
    Decimal mean;
    const int scale = std::max(state.sum.Scale(), 6);
    if (Decimal::Divide(state.sum, Decimal::FromInt(state.count), Decimal::kMaxPrecision, scale, &mean) !=
        Decimal::Status::Ok)
        return DecimalOverflow(ctx, type);
    ResultDecimal(ctx, mean);
}

void DecimalSumFinal(sqlite3_context* ctx) { DecimalSumFinish(ctx, false); }
void DecimalAverageFinal(sqlite3_context* ctx) { DecimalSumFinish(ctx, true); }

// tw_decop(op, a, b, precision, scale, type): + - * / % of exact values, rounded
// half away from zero to the result's scale; 8115 past its precision (or
// money's range), 8134 for a zero divisor.
void DecimalOperation(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[1]) || IsNull(argv[2]))
        return sqlite3_result_null(ctx);
    const std::string op = Text(argv[0]);
    const TypeSpec type = TypeSpec::FromDeclared(Text(argv[5]));
    const std::string typeName = type.name == "decimal" ? "numeric" : type.name;
    const auto a = DecimalOf(argv[1]), b = DecimalOf(argv[2]);
    if (!a || !b) {
        const bool textual = sqlite3_value_type(argv[1]) == SQLITE_TEXT || sqlite3_value_type(argv[2]) == SQLITE_TEXT;
        if (textual)
            return Fail(ctx, 8114, 16, "Error converting data type varchar to " + typeName + ".");
        return Overflow(ctx, typeName);
    }
    const int precision = sqlite3_value_int(argv[3]);
    const int scale = sqlite3_value_int(argv[4]);
    Decimal r;
    Decimal::Status status = Decimal::Status::Ok;
    switch (op.empty() ? '+' : op[0]) {
    case '+': status = Decimal::Add(*a, *b, precision, scale, &r); break;
    case '-': status = Decimal::Subtract(*a, *b, precision, scale, &r); break;
    case '*': status = Decimal::Multiply(*a, *b, precision, scale, &r); break;
    case '/': status = Decimal::Divide(*a, *b, precision, scale, &r); break;
    default: status = Decimal::Modulo(*a, *b, precision, scale, &r); break;
    }
    if (status == Decimal::Status::DivideByZero) {
        DivideByZero(ctx);
        return;
    }
    if (status == Decimal::Status::Overflow || !FitsExactType(r, type))
        return Overflow(ctx, typeName);
    ResultDecimal(ctx, r);
}

// An operand as an exact decimal, as DecimalOf takes a value.
std::optional<Decimal> DecimalOfOperand(const Operand& o)
{
    switch (o.type) {
    case SQLITE_INTEGER: return Decimal::FromInt(o.integer);
    case SQLITE_FLOAT: return Decimal::FromDouble(o.real);
    case SQLITE_TEXT: return Decimal::ParseStored(o.text);
    default: return std::nullopt;
    }
}

// An exact value as an operand travels (see ResultDecimal).
Operand DecimalOperand(const Decimal& d)
{
    return d.FitsDouble() ? RealOperand(d.ToDouble()) : TextOperand(d.ToText());
}

// tw_decchain(steps, a, b, c, ...): a long run of + and -, one step per term
// after the first, folded from the left without nesting. `steps` holds
// "op precision scale type;" for each exact step, so that it rounds and
// overflows as its own tw_decop would, and "~" with tw_chain's two
// characters (operation and integer check) for each other step, which goes
// as tw_chain's steps go.
void DecimalChain(sqlite3_context* ctx, int argc, Args argv)
{
    SessionState* s = Session(ctx);
    const std::string steps = Text(argv[0]);
    Operand value = argc > 1 ? OperandOf(argv[1]) : Operand{};
    std::optional<Decimal> exact; // the value, while the steps before were exact
    size_t at = 0;
    for (int i = 2; i < argc; ++i) {
        const size_t end = steps.find(';', at);
        if (end == std::string::npos)
            return sqlite3_result_error(ctx, "tw_decchain: steps do not match the operands", -1);
        const std::string step = steps.substr(at, end - at);
        at = end + 1;
        const Operand term = OperandOf(argv[i]);
        if (!step.empty() && step[0] == '~') {
            if (step.size() < 3)
                return sqlite3_result_error(ctx, "tw_decchain: a malformed step", -1);
            if (exact)
                value = DecimalOperand(*exact);
            exact.reset();
            if (!CheckedChainStep(ctx, s, step[1], step[2], value, term))
                return;
            continue;
        }
        char op = '+';
        int precision = 0, scale = 0;
        char typeText[32] = {};
        std::sscanf(step.c_str(), "%c %d %d %31s", &op, &precision, &scale, typeText);
        const TypeSpec type = TypeSpec::FromDeclared(typeText);
        const std::string typeName = type.name == "decimal" ? "numeric" : type.name;
        if ((!exact && value.type == SQLITE_NULL) || term.type == SQLITE_NULL) {
            exact.reset();
            value = Operand{};
            continue;
        }
        const std::optional<Decimal> a = exact ? exact : DecimalOfOperand(value);
        const std::optional<Decimal> b = DecimalOfOperand(term);
        if (!a || !b) {
            if (term.type == SQLITE_TEXT || !a)
                return Fail(ctx, 8114, 16, "Error converting data type varchar to " + typeName + ".");
            return Overflow(ctx, typeName);
        }
        Decimal r;
        const Decimal::Status status = op == '-' ? Decimal::Subtract(*a, *b, precision, scale, &r)
                                                 : Decimal::Add(*a, *b, precision, scale, &r);
        if (status != Decimal::Status::Ok || !FitsExactType(r, type))
            return Overflow(ctx, typeName);
        exact = r;
    }
    if (exact)
        return ResultDecimal(ctx, *exact);
    ResultOperand(ctx, value);
}

// ROUND(x, places[, truncate]) of an exact value: half away from zero, the scale kept.
void DecimalRound(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0]) || (argc > 1 && IsNull(argv[1])))
        return sqlite3_result_null(ctx);
    const auto d = DecimalOf(argv[0]);
    if (!d)
        return Fail(ctx, 8114, 16, "Error converting data type varchar to numeric.");
    const int places = argc > 1 ? sqlite3_value_int(argv[1]) : 0;
    const bool truncate = argc > 2 && !IsNull(argv[2]) && sqlite3_value_int(argv[2]) != 0;
    Decimal r;
    if (d->Round(places, truncate, &r) != Decimal::Status::Ok)
        return Overflow(ctx, "numeric");
    ResultDecimal(ctx, r);
}

// FLOOR, CEILING, ABS and SIGN of an exact value.
void DecimalUnary(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]))
        return sqlite3_result_null(ctx);
    const auto d = DecimalOf(argv[0]);
    if (!d)
        return Fail(ctx, 8114, 16, "Error converting data type varchar to numeric.");
    switch (*static_cast<const char*>(sqlite3_user_data(ctx))) {
    case 'f': return ResultDecimal(ctx, d->Floor());
    case 'c': return ResultDecimal(ctx, d->Ceiling());
    case 'a': return ResultDecimal(ctx, d->Abs());
    default: return ResultDecimal(ctx, Decimal::FromInt(d->IsZero() ? 0 : d->IsNegative() ? -1 : 1));
    }
}

// Unary minus of an exact value.
void DecimalNegate(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]))
        return sqlite3_result_null(ctx);
    const auto d = DecimalOf(argv[0]);
    if (!d) {
        Fail(ctx, 8114, 16, "Error converting data type varchar to numeric.");
        return;
    }
    ResultDecimal(ctx, d->Negated());
}

// tw_decstore(value, type[, source]): a value as a decimal, numeric or money
// column keeps it, rounded half away from zero to the column's scale, as its
// decimal text (so that it reads back the same however it is read); 8115 when
// it does not fit the column's precision (or money's range), so the statement
// stores nothing. `source` names the value's type in that message when the
// statement knows it.
void DecimalStore(sqlite3_context* ctx, int argc, Args argv)
{
    if (IsNull(argv[0]))
        return sqlite3_result_null(ctx);
    const TypeSpec type = TypeSpec::FromDeclared(Text(argv[1]));
    const bool money = type.name == "money" || type.name == "smallmoney";
    const int kind = sqlite3_value_type(argv[0]);
    std::optional<Decimal> d;
    if (kind == SQLITE_TEXT) {
        std::string t = Text(argv[0]);
        const size_t first = t.find_first_not_of(' ');
        if (money && first != std::string::npos && t[first] == '$')
            t.erase(first, 1);
        d = Decimal::ParseStored(t);
        if (!d)
            return Fail(ctx, 8114, 16, std::string("Error converting data type varchar to ") +
                                           (money ? type.name : "numeric") + ".");
    } else if (kind != SQLITE_BLOB) {
        d = DecimalOf(argv[0]);
    }
    // Without the statement's word, only integers are named apart: exact values travel as doubles too.
    std::string source = argc > 2 && !IsNull(argv[2]) ? Text(argv[2]) : "";
    if (source.empty())
        source = kind == SQLITE_INTEGER ? "int" : "numeric";
    const std::string overflow = money ? "Arithmetic overflow error converting expression to data type " + type.name + "."
                                       : "Arithmetic overflow error converting " + source + " to data type numeric.";
    if (!d || !FitsExactType(*d, type))
        return Fail(ctx, 8115, 16, overflow);
    const auto r = d->Rescaled(type.Scale());
    if (!r)
        return Fail(ctx, 8115, 16, overflow);
    ResultText(ctx, r->ToText());
}

// An exact value as it travels: a double while one holds its digits, text beyond.
void DecimalNumber(sqlite3_context* ctx, int, Args argv)
{
    if (IsNull(argv[0]))
        return sqlite3_result_null(ctx);
    const auto d = DecimalOf(argv[0]);
    if (d)
        return ResultDecimal(ctx, *d);
    sqlite3_result_value(ctx, argv[0]);
}

const FunctionEntry kFunctions[] = {
    {"tw_deccmp", 2, DecimalCompare, true}, {"tw_numcmp", 2, NumberCompare, true},
    {"tw_isdecimal", 1, IsDecimal, true}, {"tw_decnum", 1, DecimalNumber, true},
    {"tw_decneg", 1, DecimalNegate, true}, {"tw_decstore", 2, DecimalStore, true},
    {"tw_decstore", 3, DecimalStore, true}, {"soundex", 1, Soundex, true}, {"difference", 2, Difference, true},
    {"tw_decop", 6, DecimalOperation, false},
    {"tw_decchain", -1, DecimalChain, false},
    {"tw_decround", 1, DecimalRound, true}, {"tw_decround", 2, DecimalRound, true}, {"tw_decround", 3, DecimalRound, true},
    {"tw_add", 2, Add, true}, {"tw_chain", -1, Chain, true}, {"tw_divide", 2, Divide, true}, {"tw_modulo", 2, Modulo, true},
    {"tw_real", 1, RealFn, true}, {"checksum", -1, Checksum, true}, {"tw_like", 2, LikeFn, true}, {"tw_like", 3, LikeFn, true}, {"tw_sysvar", 1, SysVar, false},
    {"tw_convert", 3, Convert, false}, {"tw_convert", 4, Convert, false}, {"tw_getdate", 0, GetDate, false},
    {"getutcdate", 0, GetDate, false}, {"tw_datecoerce", 2, DateCoerce, false}, {"sysdatetime", 0, GetDate, false},
    {"tw_substring", 3, SubstringFn, true}, {"tw_left", 2, LeftFn, true}, {"tw_right", 2, RightFn, true},
    {"tw_replace", 3, ReplaceFn, true}, {"tw_char", 1, CharFn, true}, {"tw_round", 2, Round, true},
    {"tw_round", 3, Round, true}, {"tw_datepart", 2, DatePartFn, false}, {"tw_datename", 2, DateNameFn, false},
    {"tw_dateadd", 3, DateAddFn, false}, {"tw_datediff", 3, DateDiffFn, false}, {"tw_udf", -1, UserFunction, false},
    {"len", 1, Len, true}, {"datalength", 1, DataLength, true}, {"datalength", 2, DataLength, true},
    {"parsename", 2, ParseName, true}, {"error_number", 0, ErrorNumber, false},
    {"error_severity", 0, ErrorSeverity, false}, {"error_state", 0, ErrorState, false},
    {"error_line", 0, ErrorLine, false}, {"error_message", 0, ErrorMessage, false},
    {"error_procedure", 0, ErrorProcedure, false}, {"charindex", 2, CharIndex, true},
    {"charindex", 3, CharIndex, true}, {"patindex", 2, PatIndex, true}, {"space", 1, Space, true},
    {"replicate", 2, Replicate, true}, {"reverse", 1, Reverse, true}, {"stuff", 4, Stuff, true},
    {"quotename", 1, QuoteName, true}, {"quotename", 2, QuoteName, true}, {"str", 1, Str, true},
    {"str", 2, Str, true}, {"str", 3, Str, true}, {"ascii", 1, Ascii, true}, {"unicode", 1, UnicodeFn, true},
    {"nchar", 1, CharFn, true}, {"newid", 0, NewId, false}, {"isnumeric", 1, IsNumeric, true},
    {"isdate", 1, IsDateFn, false}, {"year", 1, YearFn, false}, {"month", 1, MonthFn, false},
    {"day", 1, DayFn, false}, {"floor", 1, FloorFn, true}, {"ceiling", 1, CeilingFn, true},
    {"power", 2, PowerFn, true}, {"sqrt", 1, SqrtFn, true}, {"square", 1, SquareFn, true},
    {"sign", 1, SignFn, true}, {"pi", 0, PiFn, true}, {"log", 1, LogFn, true}, {"log10", 1, Log10Fn, true},
    {"exp", 1, ExpFn, true}, {"rand", 0, RandFn, false}, {"rand", 1, RandFn, false},
    {"db_name", 0, DbName, false}, {"db_name", 1, DbName, false}, {"db_id", 0, DbId, false},
    {"db_id", 1, DbId, false}, {"object_id", 1, ObjectId, false}, {"object_id", 2, ObjectId, false},
    {"object_name", 1, ObjectNameFn, false}, {"object_name", 2, ObjectNameFn, false},
    {"user_name", 0, UserName, false}, {"user_name", 1, UserName, false}, {"user_id", 0, UserId, false},
    {"user_id", 1, UserId, false}, {"suser_sname", 0, SuserName, false}, {"suser_sname", 1, SuserName, false},
    {"suser_name", 0, SuserName, false}, {"suser_name", 1, SuserName, false}, {"suser_id", 0, ConstantOne, false},
    {"host_name", 0, HostName, false}, {"host_id", 0, ConstantOne, false}, {"app_name", 0, AppName, false},
    {"databasepropertyex", 2, DatabasePropertyEx, false}, {"databaseproperty", 2, DatabasePropertyEx, false},
    {"tw_rowcount", 2, RowCount, false}, {"tw_checkinteger", 2, CheckInteger, true},
    {"tw_nullseen", 1, NullSeen, false}, {"tw_rowread", 3, RowRead, false},
    {"objectproperty", 2, ObjectProperty, false}, {"objectpropertyex", 2, ObjectProperty, false},
    {"columnproperty", 3, ColumnProperty, false}, {"scope_identity", 0, ScopeIdentity, false},
    {"ident_current", 1, IdentCurrent, false}, {"ident_seed", 1, IdentSeed, false},
    {"ident_incr", 1, IdentIncrement, false}, {"serverproperty", 1, ServerProperty, false},
    {"type_name", 1, TypeName, true}, {"col_name", 2, ColName, false}, {"col_length", 2, ColLength, false},
    {"has_dbaccess", 1, ConstantOne, false}, {"is_member", 1, ConstantOne, false},
    {"is_srvrolemember", 1, ConstantOne, false}, {"is_srvrolemember", 2, ConstantOne, false},
    {"permissions", 0, ConstantNull, false}, {"permissions", 1, ConstantNull, false},
    {"permissions", 2, ConstantNull, false}, {"index_col", 3, IndexCol, false},
    {"indexproperty", 3, IndexProperty, false}, {"tw_recursion", 2, Recursion, false},
};

} // namespace sqlfn_detail


namespace sqlfn_detail {

// The next character of UTF-8 text as a code point; a stray byte stands for itself.
uint32_t NextCodePoint(const std::string& s, size_t& i, size_t end)
{
    const unsigned char lead = static_cast<unsigned char>(s[i++]);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || i + static_cast<size_t>(extra) > end)
        return lead;
    uint32_t cp = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return cp;
}

// Lower case of the letters SQL Server's default collation folds: Latin,
// Greek and Cyrillic capitals.
uint32_t FoldCase(uint32_t cp)
{
    if (cp < 0x80)
        return static_cast<uint32_t>(std::tolower(static_cast<int>(cp)));
    if ((cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) || (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) ||
        (cp >= 0x410 && cp <= 0x42F))
        return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F)
        return cp + 0x50;
    if (cp == 0x178)
        return 0xFF;
    const bool evenUpper = (cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177) ||
                           (cp >= 0x460 && cp <= 0x481) || (cp >= 0x48A && cp <= 0x4BF);
    const bool oddUpper = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
    if ((evenUpper && cp % 2 == 0) || (oddUpper && cp % 2 == 1))
        return cp + 1;
    return cp;
}

} // namespace sqlfn_detail

int SqlFunctions::CompareNoCase(const std::string& a, const std::string& b)
{
    size_t na = a.size(), nb = b.size();
    while (na > 0 && a[na - 1] == ' ')
        --na;
    while (nb > 0 && b[nb - 1] == ' ')
        --nb;
    size_t i = 0, j = 0;
    while (i < na && j < nb) {
        const unsigned char ba = static_cast<unsigned char>(a[i]);
        const unsigned char bb = static_cast<unsigned char>(b[j]);
        uint32_t ca, cb;
        if (ba < 0x80 && bb < 0x80) {
            ca = static_cast<uint32_t>(std::tolower(ba));
            cb = static_cast<uint32_t>(std::tolower(bb));
            ++i;
            ++j;
        } else {
            ca = sqlfn_detail::FoldCase(sqlfn_detail::NextCodePoint(a, i, na));
            cb = sqlfn_detail::FoldCase(sqlfn_detail::NextCodePoint(b, j, nb));
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    const bool aDone = i >= na, bDone = j >= nb;
    return aDone && bDone ? 0 : aDone ? -1 : 1;
}

bool SqlFunctions::Like(const std::string& value, const std::string& pattern, int escape)
{
    // Iterative matcher with backtracking on the last %.
    size_t v = 0, p = 0, starP = std::string::npos, starV = 0;
    auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    auto charLen = [](const std::string& s, size_t i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        return c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    };
    // Trailing blanks of the value do not count, as with '='.
    std::string trimmed = value;
    while (!trimmed.empty() && trimmed.back() == ' ' && !(pattern.size() && pattern.back() == ' '))
        trimmed.pop_back();
    const std::string& s = trimmed;
    while (v < s.size()) {
        bool matched = false;
        size_t nextP = p;
        if (p < pattern.size()) {
            const char c = pattern[p];
            if (escape >= 0 && static_cast<unsigned char>(c) == escape && p + 1 < pattern.size()) {
                matched = lower(pattern[p + 1]) == lower(s[v]);
                nextP = p + 2;
            } else if (c == '%') {
                starP = p++;
                starV = v;
                continue;
            } else if (c == '_') {
                matched = true;
                nextP = p + charLen(pattern, p);
            } else if (c == '[') {
                const size_t close = pattern.find(']', p + 1);
                if (close != std::string::npos) {
                    size_t i = p + 1;
                    const bool negate = i < close && pattern[i] == '^';
                    if (negate)
                        ++i;
                    bool inSet = false;
                    for (; i < close; ++i) {
                        if (i + 2 < close && pattern[i + 1] == '-') {
                            if (lower(s[v]) >= lower(pattern[i]) && lower(s[v]) <= lower(pattern[i + 2]))
                                inSet = true;
                            i += 2;
                        } else if (lower(pattern[i]) == lower(s[v])) {
                            inSet = true;
                        }
                    }
                    matched = inSet != negate;
                    nextP = close + 1;
                } else {
                    matched = s[v] == '[';
                    nextP = p + 1;
                }
            } else {
                const int len = charLen(pattern, p);
                matched = pattern.compare(p, len, s, v, len) == 0 || (len == 1 && lower(c) == lower(s[v]));
                nextP = p + len;
            }
        }
        if (matched) {
            v += charLen(s, v);
            p = nextP;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            starV += charLen(s, starV);
            v = starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '%')
        ++p;
    return p == pattern.size();
}

void SqlFunctions::Register(sqlite3* db, SessionState* session)
{
    sqlite3_create_collation(db, "TWCI", SQLITE_UTF8, nullptr, sqlfn_detail::CollationNoCase);
    for (const sqlfn_detail::FunctionEntry& f : sqlfn_detail::kFunctions) {
        const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
        sqlite3_create_function(db, f.name, f.args, flags, session, f.fn, nullptr, nullptr);
    }
    sqlite3_create_function(db, "tw_avg", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, session, nullptr,
                            sqlfn_detail::AverageStep, sqlfn_detail::AverageFinal);
    sqlite3_create_function(db, "tw_avg_int", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, session, nullptr,
                            sqlfn_detail::IntAverageStep, sqlfn_detail::AverageFinal);
    sqlite3_create_collation(db, "TWDEC", SQLITE_UTF8, nullptr, sqlfn_detail::CollationDecimal);
    static const char spreads[] = "spvq";
    static const char* const spreadNames[] = {"stdev", "stdevp", "var", "varp"};
    for (int i = 0; i < 4; ++i)
        sqlite3_create_function(db, spreadNames[i], 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                const_cast<char*>(spreads + i), nullptr, sqlfn_detail::SpreadStep,
                                sqlfn_detail::SpreadFinal);
    // The user data picks the function: floor, ceiling, abs, sign.
    static const char unary[] = "fcas";
    static const char* const unaryNames[] = {"tw_decfloor", "tw_decceiling", "tw_decabs", "tw_decsign"};
    for (int i = 0; i < 4; ++i)
        sqlite3_create_function(db, unaryNames[i], 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                const_cast<char*>(unary + i), sqlfn_detail::DecimalUnary, nullptr, nullptr);
    // The user data tells money (non-null) from decimal, for the overflow message.
    static char money = 1;
    for (void* kind : {static_cast<void*>(nullptr), static_cast<void*>(&money)}) {
        const std::string suffix = kind ? "money" : "dec";
        sqlite3_create_function(db, ("tw_sum_" + suffix).c_str(), 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, kind,
                                nullptr, sqlfn_detail::DecimalSumStep, sqlfn_detail::DecimalSumFinal);
        sqlite3_create_function(db, ("tw_avg_" + suffix).c_str(), 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, kind,
                                nullptr, sqlfn_detail::DecimalSumStep, sqlfn_detail::DecimalAverageFinal);
    }
}

} // namespace tw::server
