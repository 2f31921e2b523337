#include "platform/ado/AdoProperties.h"

#include <strings.h>

namespace tw::ado {

namespace propdetail {
constexpr const char* kSource = "ADODB.Properties";
} // namespace propdetail

PropertyObject::PropertyObject(std::string name, _variant_t value, Writer writer)
    : m_name(std::move(name)), m_value(std::move(value)), m_writer(std::move(writer))
{
}

HRESULT PropertyObject::get_Value(VARIANT* pval)
{
    return Guard(propdetail::kSource, ADODB::IID_Property, [&] {
        std::lock_guard lock(m_mutex);
        HandOutVariant(pval, m_value);
    });
}

HRESULT PropertyObject::put_Value(VARIANT val)
{
    return Guard(propdetail::kSource, ADODB::IID_Property, [&] {
        if (!m_writer)
            Fail(ADODB::adErrIllegalOperation);
        const _variant_t value(val);
        m_writer(value);
        SetValue(value);
    });
}

HRESULT PropertyObject::get_Name(BSTR* pbstr)
{
    return Guard(propdetail::kSource, ADODB::IID_Property, [&] { HandOutText(pbstr, m_name); });
}

HRESULT PropertyObject::get_Type(ADODB::DataTypeEnum* ptype)
{
    return Guard(propdetail::kSource, ADODB::IID_Property, [&] {
        if (!ptype)
            FailWith(E_POINTER, "NULL");
        std::lock_guard lock(m_mutex);
        *ptype = static_cast<ADODB::DataTypeEnum>(m_value.vt);
    });
}

HRESULT PropertyObject::get_Attributes(long* plAttributes)
{
    return Guard(propdetail::kSource, ADODB::IID_Property, [&] {
        if (!plAttributes)
            FailWith(E_POINTER, "NULL");
        *plAttributes = ADODB::adPropRead | (m_writer ? ADODB::adPropWrite : 0);
    });
}

void PropertyObject::SetValue(const _variant_t& value)
{
    std::lock_guard lock(m_mutex);
    m_value = value;
}

HRESULT PropertiesCollection::get_Count(long* c)
{
    return Guard(propdetail::kSource, ADODB::IID_Properties, [&] {
        if (!c)
            FailWith(E_POINTER, "NULL");
        std::lock_guard lock(m_mutex);
        *c = static_cast<long>(m_items.size());
    });
}

HRESULT PropertiesCollection::get_Item(VARIANT Index, ADODB::Property** ppvObject)
{
    return Guard(propdetail::kSource, ADODB::IID_Properties, [&] {
        std::string name;
        long position = 0;
        if (IndexIsName(Index, name, position)) {
            PropertyObject* found = Find(name);
            if (!found)
                Fail(ADODB::adErrItemNotFound);
            HandOut<ADODB::Property>(ppvObject, found);
            return;
        }
        std::lock_guard lock(m_mutex);
        if (position < 0 || position >= static_cast<long>(m_items.size()))
            Fail(ADODB::adErrItemNotFound);
        HandOut(ppvObject, m_items[position].GetInterfacePtr());
    });
}

HRESULT PropertiesCollection::raw_Refresh()
{
    return Guard(propdetail::kSource, ADODB::IID_Properties, [&] {
        if (m_refresher)
            m_refresher(*this);
    });
}

void PropertiesCollection::Set(const std::string& name, const _variant_t& value, PropertyObject::Writer writer)
{
    if (PropertyObject* existing = Find(name)) {
        existing->SetValue(value);
        return;
    }
    ADODB::PropertyPtr item(new PropertyObject(name, value, std::move(writer)), false);
    std::lock_guard lock(m_mutex);
    m_items.push_back(item);
}

PropertyObject* PropertiesCollection::Find(const std::string& name) const
{
    std::lock_guard lock(m_mutex);
    for (const ADODB::PropertyPtr& item : m_items) {
        auto* property = static_cast<PropertyObject*>(item.GetInterfacePtr());
        if (strcasecmp(property->Name().c_str(), name.c_str()) == 0)
            return property;
    }
    return nullptr;
}

} // namespace tw::ado
