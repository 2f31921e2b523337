// Typed values and result-set column descriptions as the server streams them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw::server {

enum class ValueKind { Null, Int, Float, Decimal, String, Binary, DateTime };

// One cell. Decimal and money travel as exact decimal text ("12.3400"),
// datetime as "YYYY-MM-DD hh:mm:ss.mmm", binary as raw bytes in `text`.
struct Value {
    ValueKind kind = ValueKind::Null;
    int64_t integer = 0;
    double real = 0;
    std::string text;

    static Value Null() { return {}; }
    static Value Int(int64_t v) { Value x; x.kind = ValueKind::Int; x.integer = v; return x; }
    static Value Float(double v) { Value x; x.kind = ValueKind::Float; x.real = v; return x; }
    static Value String(std::string v) { Value x; x.kind = ValueKind::String; x.text = std::move(v); return x; }
    static Value Decimal(std::string v) { Value x; x.kind = ValueKind::Decimal; x.text = std::move(v); return x; }
    static Value DateTime(std::string v) { Value x; x.kind = ValueKind::DateTime; x.text = std::move(v); return x; }
    static Value Binary(std::string bytes) { Value x; x.kind = ValueKind::Binary; x.text = std::move(bytes); return x; }

    bool IsNull() const { return kind == ValueKind::Null; }
    // The value as a client shows it in text mode ("NULL" for null; binary as 0x...).
    std::string ToText() const;
    bool operator==(const Value&) const = default;
};

// A result-set column with the server's type name ("int", "varchar", "money"...).
// `size` is the maximum length in bytes for strings and binaries, the storage size otherwise.
struct ColumnInfo {
    std::string name;
    std::string typeName;
    int32_t size = 0;
    uint8_t precision = 0;
    uint8_t scale = 0;
    bool nullable = true;
};

using Row = std::vector<Value>;

// A decimal or money value, held as a double, as text with `scale` decimals:
// from the shortest digits that read back as the same double, rounded half
// away from zero, so that 0.1 shows as 0.1000 and not as its binary tail.
std::string DecimalText(double v, int scale);
// The same into `out`, reusing its buffer: a result's rows are read into one Row.
void DecimalTextInto(double v, int scale, std::string& out);

// Whether decimal text carries more digits than a double holds; such values
// go to SQLite as text, others as doubles.
bool NeedsDecimalText(const std::string& text);

} // namespace tw::server
