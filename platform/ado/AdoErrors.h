// The connection's Errors collection: the provider's messages of the last
// operation that produced any, in the order they arrived.
#pragma once

#include <mutex>
#include <vector>

#include "platform/ado/AdoFailure.h"
#include "platform/ado/AdoInterfaces.h"
#include "platform/ado/Provider.h"

namespace tw::ado {

class ErrorObject final : public AdoObject<ADODB::Error> {
public:
    explicit ErrorObject(ProviderMessage message) : m_message(std::move(message)) {}

    HRESULT get_Number(long* pl) override;
    HRESULT get_Source(BSTR* pbstr) override;
    HRESULT get_Description(BSTR* pbstr) override;
    HRESULT get_SQLState(BSTR* pbstr) override;
    HRESULT get_NativeError(long* pl) override;

private:
    const ProviderMessage m_message;
};

class ErrorsCollection final : public AdoObject<ADODB::Errors> {
public:
    HRESULT get_Count(long* c) override;
    HRESULT get_Item(VARIANT Index, ADODB::Error** ppvObject) override;
    HRESULT raw_Refresh() override;
    HRESULT raw_Clear() override;

    void Replace(const std::vector<ProviderMessage>& messages);
    void Add(const ProviderMessage& message);
    void ClearAll();
    // Every description, each followed by "\n\n" but the last.
    std::string JoinedDescriptions() const;

private:
    mutable std::mutex m_mutex;
    std::vector<ADODB::ErrorPtr> m_items;
};

} // namespace tw::ado
