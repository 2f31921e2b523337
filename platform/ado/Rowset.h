// The rows of one result, held on the client: field descriptions, current
// values and, for edited rows, the values as read, so that a batch of changes
// can be written back and undone.
#pragma once

#include <string>
#include <vector>

#include "platform/ado/AdoEnums.h"
#include "platform/com/ComSupport.h"

namespace tw::ado {

struct FieldInfo {
    std::string name;
    ADODB::DataTypeEnum type = ADODB::adVarChar;
    long definedSize = 0;
    BYTE precision = 0;
    BYTE numericScale = 0;
    long attributes = 0;
};

enum class RecordStatus { Unmodified, Modified, New, Deleted };

struct Record {
    std::vector<_variant_t> values;
    std::vector<_variant_t> original; // empty until the row is first changed
    RecordStatus status = RecordStatus::Unmodified;
    long bookmark = 0;
};

struct Rowset {
    std::vector<FieldInfo> fields;
    std::vector<Record> records;
    // The one table a simple SELECT read from; empty when the rows cannot be
    // written back.
    std::string baseTable;
    long nextBookmark = 1;

    // Index of the field, names compared without case; -1 when absent.
    int FieldIndex(std::string_view name) const;
    Record& AppendRecord(std::vector<_variant_t> values);
    bool HasPendingChanges() const;
};

// The byte length of a value as the field reports it (ActualSize).
long ActualSizeOf(const VARIANT& value, const FieldInfo& field);

} // namespace tw::ado
