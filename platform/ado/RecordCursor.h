// The state a recordset shares with its Fields and Field objects: the rows,
// the current position and what may be changed. Every access holds `mutex`,
// since a worker may read while another thread cancels or closes.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/ado/AdoEnums.h"
#include "platform/ado/RowStream.h"
#include "platform/ado/Rowset.h"

namespace tw::ado {

struct RecordCursor {
    mutable std::mutex mutex;
    std::shared_ptr<Rowset> rowset = std::make_shared<Rowset>();
    bool open = false;
    long position = 0; // index into rowset->records; records.size() is EOF
    // A forward-only result still arriving: rowset->records is a window onto
    // it that moves on as the reader does; windowStart counts the rows before.
    std::shared_ptr<RowStream> stream;
    long windowStart = 0;
    // The errors that ended a streamed result read whole before the reader got there.
    std::vector<ProviderMessage> heldErrors;
    bool beforeFirst = false;
    ADODB::LockTypeEnum lockType = ADODB::adLockReadOnly;
    ADODB::EditModeEnum editMode = ADODB::adEditNone;
    // The connection's period the rows were read in; none for rows that
    // belong to no connection (files, disconnected recordsets).
    std::shared_ptr<const std::atomic<uint64_t>> period;
    uint64_t readInPeriod = 0;

    // Caller holds mutex. Closes the cursor when its connection has closed
    // since, and fails when it is not open.
    void RequireOpen();

    // Caller holds mutex. When the reader has moved past the window, the rows
    // read go and the next page comes in (waiting for it). Answers the errors
    // of a row that could not be read, once, when the result ends with them.
    std::vector<ProviderMessage> Pull();
    // Caller holds mutex. Takes the rest of a streamed result into the window.
    void PullAll();
    // Caller holds mutex. No rows at all (a reader past the first rows has seen some).
    bool Empty() const;

    // Caller holds mutex.
    bool AtEnd() const { return beforeFirst || position < 0 || position >= static_cast<long>(rowset->records.size()); }
    Record& Current();
    bool Updatable() const { return lockType != ADODB::adLockReadOnly; }
    // Marks the current record changed (keeping what it held) and sets one value.
    void SetValue(int field, const _variant_t& value);
};

// The VARIANT type a field of this type holds; VT_EMPTY to keep values as given.
VARTYPE VariantTypeOf(ADODB::DataTypeEnum type);
// The value converted to the field's type; NULL and empty stay. Throws on failure.
_variant_t CoerceToField(const _variant_t& value, const FieldInfo& field);

} // namespace tw::ado
