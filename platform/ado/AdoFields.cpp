#include "platform/ado/AdoFields.h"

namespace tw::ado {

namespace fieldsdetail {
constexpr const char* kFieldSource = "ADODB.Field";
constexpr const char* kFieldsSource = "ADODB.Fields";
} // namespace fieldsdetail


const FieldInfo& FieldObject::Info() const
{
    if (m_index >= static_cast<int>(m_cursor->rowset->fields.size()))
        Fail(ADODB::adErrItemNotFound);
    return m_cursor->rowset->fields[m_index];
}

HRESULT FieldObject::get_ActualSize(long* pl)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        const FieldInfo& info = Info();
        StoreOut(pl, ActualSizeOf(m_cursor->Current().values[m_index], info));
    });
}

HRESULT FieldObject::get_Attributes(long* pl)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        long attributes = Info().attributes;
        if (m_cursor->Updatable())
            attributes |= ADODB::adFldUpdatable;
        StoreOut(pl, attributes);
    });
}

HRESULT FieldObject::get_DefinedSize(long* pl)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        StoreOut(pl, Info().definedSize);
    });
}

HRESULT FieldObject::get_Name(BSTR* pbstr)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        HandOutText(pbstr, Info().name);
    });
}

HRESULT FieldObject::get_Type(ADODB::DataTypeEnum* pDataType)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        StoreOut(pDataType, Info().type);
    });
}

HRESULT FieldObject::get_Value(VARIANT* pvar)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        Info();
        HandOutVariant(pvar, m_cursor->Current().values[m_index]);
    });
}

HRESULT FieldObject::put_Value(VARIANT Val)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        Info();
        m_cursor->SetValue(m_index, _variant_t(Val));
    });
}

HRESULT FieldObject::get_Precision(BYTE* pbPrecision)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        StoreOut(pbPrecision, Info().precision);
    });
}

HRESULT FieldObject::get_NumericScale(BYTE* pbNumericScale)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        StoreOut(pbNumericScale, Info().numericScale);
    });
}

HRESULT FieldObject::OriginalOf(VARIANT* pvar)
{
    return Guard(fieldsdetail::kFieldSource, ADODB::IID_Field, [&] {
        std::lock_guard lock(m_cursor->mutex);
        Info();
        Record& record = m_cursor->Current();
        if (record.status == RecordStatus::New) {
            VARIANT null;
            VariantInit(&null);
            null.vt = VT_NULL;
            HandOutVariant(pvar, null);
            return;
        }
        const std::vector<_variant_t>& source = record.original.empty() ? record.values : record.original;
        HandOutVariant(pvar, source[m_index]);
    });
}

HRESULT FieldObject::get_OriginalValue(VARIANT* pvar) { return OriginalOf(pvar); }

// The value as last read from the source; a Resync refreshes it.
HRESULT FieldObject::get_UnderlyingValue(VARIANT* pvar) { return OriginalOf(pvar); }

HRESULT FieldsObject::get_Count(long* c)
{
    return Guard(fieldsdetail::kFieldsSource, ADODB::IID_Fields, [&] {
        std::lock_guard lock(m_cursor->mutex);
        StoreOut(c, static_cast<long>(m_cursor->rowset->fields.size()));
    });
}

int FieldsObject::Resolve(const VARIANT& index) const
{
    std::string name;
    long position = 0;
    if (IndexIsName(index, name, position)) {
        const int found = m_cursor->rowset->FieldIndex(name);
        if (found < 0)
            Fail(ADODB::adErrItemNotFound);
        return found;
    }
    if (position < 0 || position >= static_cast<long>(m_cursor->rowset->fields.size()))
        Fail(ADODB::adErrItemNotFound);
    return static_cast<int>(position);
}

HRESULT FieldsObject::get_Item(VARIANT Index, ADODB::Field** ppvObject)
{
    return Guard(fieldsdetail::kFieldsSource, ADODB::IID_Fields, [&] {
        int field = 0;
        {
            std::lock_guard lock(m_cursor->mutex);
            field = Resolve(Index);
        }
        std::lock_guard lock(m_itemsMutex);
        if (static_cast<int>(m_items.size()) <= field)
            m_items.resize(field + 1);
        if (!m_items[field])
            m_items[field] = ADODB::FieldPtr(new FieldObject(m_cursor, field), false);
        HandOut(ppvObject, m_items[field].GetInterfacePtr());
    });
}

HRESULT FieldsObject::raw_Refresh() { return S_OK; }

HRESULT FieldsObject::raw_Append(BSTR Name, ADODB::DataTypeEnum Type, long DefinedSize,
                                 ADODB::FieldAttributeEnum Attrib, VARIANT)
{
    return Guard(fieldsdetail::kFieldsSource, ADODB::IID_Fields, [&] {
        std::lock_guard lock(m_cursor->mutex);
        if (m_cursor->open)
            Fail(ADODB::adErrObjectOpen);
        const std::string name = TextOf(Name);
        if (name.empty() || m_cursor->rowset->FieldIndex(name) >= 0)
            Fail(ADODB::adErrInvalidArgument);
        FieldInfo field;
        field.name = name;
        field.type = Type;
        field.definedSize = DefinedSize;
        field.attributes = Attrib == ADODB::adFldUnspecified ? ADODB::adFldIsNullable | ADODB::adFldMayBeNull : Attrib;
        m_cursor->rowset->fields.push_back(field);
    });
}

HRESULT FieldsObject::raw_Delete(VARIANT Index)
{
    return Guard(fieldsdetail::kFieldsSource, ADODB::IID_Fields, [&] {
        std::lock_guard lock(m_cursor->mutex);
        if (m_cursor->open)
            Fail(ADODB::adErrObjectOpen);
        const int field = Resolve(Index);
        m_cursor->rowset->fields.erase(m_cursor->rowset->fields.begin() + field);
    });
}

} // namespace tw::ado
