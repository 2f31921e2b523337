// The Fields collection of a recordset and its Field objects, which read and
// write the recordset's current record through the shared cursor.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/ado/AdoFailure.h"
#include "platform/ado/AdoInterfaces.h"
#include "platform/ado/RecordCursor.h"

namespace tw::ado {

class FieldObject final : public AdoObject<ADODB::Field> {
public:
    FieldObject(std::shared_ptr<RecordCursor> cursor, int index) : m_cursor(std::move(cursor)), m_index(index) {}

    HRESULT get_ActualSize(long* pl) override;
    HRESULT get_Attributes(long* pl) override;
    HRESULT get_DefinedSize(long* pl) override;
    HRESULT get_Name(BSTR* pbstr) override;
    HRESULT get_Type(ADODB::DataTypeEnum* pDataType) override;
    HRESULT get_Value(VARIANT* pvar) override;
    HRESULT put_Value(VARIANT Val) override;
    HRESULT get_Precision(BYTE* pbPrecision) override;
    HRESULT get_NumericScale(BYTE* pbNumericScale) override;
    HRESULT get_OriginalValue(VARIANT* pvar) override;
    HRESULT get_UnderlyingValue(VARIANT* pvar) override;

private:
    // The field's description; caller holds the cursor's mutex.
    const FieldInfo& Info() const;
    HRESULT OriginalOf(VARIANT* pvar);

    std::shared_ptr<RecordCursor> m_cursor;
    const int m_index;
};

class FieldsObject final : public AdoObject<ADODB::Fields> {
public:
    explicit FieldsObject(std::shared_ptr<RecordCursor> cursor) : m_cursor(std::move(cursor)) {}

    HRESULT get_Count(long* c) override;
    HRESULT get_Item(VARIANT Index, ADODB::Field** ppvObject) override;
    HRESULT raw_Refresh() override;
    HRESULT raw_Append(BSTR Name, ADODB::DataTypeEnum Type, long DefinedSize, ADODB::FieldAttributeEnum Attrib,
                       VARIANT FieldValue) override;
    HRESULT raw_Delete(VARIANT Index) override;

private:
    // The field index an Item argument names; throws when there is none.
    int Resolve(const VARIANT& index) const;

    std::shared_ptr<RecordCursor> m_cursor;
    // One Field object per position, made on first use: a reader asks for
    // each field of each row. A Field reads by position, whatever result
    // the cursor holds.
    std::mutex m_itemsMutex;
    std::vector<ADODB::FieldPtr> m_items;
};

} // namespace tw::ado
