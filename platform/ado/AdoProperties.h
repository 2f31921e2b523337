// A Properties collection: named values a provider reports, some writable
// (the connection's "Current Catalog" switches database when written).
#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "platform/ado/AdoFailure.h"
#include "platform/ado/AdoInterfaces.h"

namespace tw::ado {

class PropertyObject final : public AdoObject<ADODB::Property> {
public:
    // A writer makes the property writable; it applies the value or throws.
    using Writer = std::function<void(const _variant_t&)>;

    PropertyObject(std::string name, _variant_t value, Writer writer = nullptr);

    HRESULT get_Value(VARIANT* pval) override;
    HRESULT put_Value(VARIANT val) override;
    HRESULT get_Name(BSTR* pbstr) override;
    HRESULT get_Type(ADODB::DataTypeEnum* ptype) override;
    HRESULT get_Attributes(long* plAttributes) override;

    const std::string& Name() const { return m_name; }
    void SetValue(const _variant_t& value);

private:
    const std::string m_name;
    mutable std::mutex m_mutex;
    _variant_t m_value;
    Writer m_writer;
};

class PropertiesCollection final : public AdoObject<ADODB::Properties> {
public:
    using Refresher = std::function<void(PropertiesCollection&)>;

    explicit PropertiesCollection(Refresher refresher = nullptr) : m_refresher(std::move(refresher)) {}

    HRESULT get_Count(long* c) override;
    HRESULT get_Item(VARIANT Index, ADODB::Property** ppvObject) override;
    HRESULT raw_Refresh() override;

    // Adds the property, or sets the value of the one of that name.
    void Set(const std::string& name, const _variant_t& value, PropertyObject::Writer writer = nullptr);

private:
    PropertyObject* Find(const std::string& name) const;

    mutable std::mutex m_mutex;
    std::vector<ADODB::PropertyPtr> m_items;
    Refresher m_refresher;
};

} // namespace tw::ado
