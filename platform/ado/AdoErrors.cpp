#include "platform/ado/AdoErrors.h"

namespace tw::ado {

namespace errorsdetail {
constexpr const char* kSource = "ADODB.Error";
} // namespace errorsdetail

HRESULT ErrorObject::get_Number(long* pl)
{
    return Guard(errorsdetail::kSource, ADODB::IID_Error, [&] {
        if (!pl)
            FailWith(E_POINTER, "NULL");
        *pl = m_message.hr;
    });
}

HRESULT ErrorObject::get_Source(BSTR* pbstr)
{
    return Guard(errorsdetail::kSource, ADODB::IID_Error, [&] { HandOutText(pbstr, m_message.source); });
}

HRESULT ErrorObject::get_Description(BSTR* pbstr)
{
    return Guard(errorsdetail::kSource, ADODB::IID_Error, [&] { HandOutText(pbstr, m_message.text); });
}

HRESULT ErrorObject::get_SQLState(BSTR* pbstr)
{
    return Guard(errorsdetail::kSource, ADODB::IID_Error, [&] { HandOutText(pbstr, m_message.sqlState); });
}

HRESULT ErrorObject::get_NativeError(long* pl)
{
    return Guard(errorsdetail::kSource, ADODB::IID_Error, [&] {
        if (!pl)
            FailWith(E_POINTER, "NULL");
        *pl = m_message.nativeError;
    });
}

HRESULT ErrorsCollection::get_Count(long* c)
{
    return Guard("ADODB.Errors", ADODB::IID_Errors, [&] {
        if (!c)
            FailWith(E_POINTER, "NULL");
        std::lock_guard lock(m_mutex);
        *c = static_cast<long>(m_items.size());
    });
}

HRESULT ErrorsCollection::get_Item(VARIANT Index, ADODB::Error** ppvObject)
{
    return Guard("ADODB.Errors", ADODB::IID_Errors, [&] {
        std::string name;
        long position = 0;
        if (IndexIsName(Index, name, position))
            Fail(ADODB::adErrItemNotFound);
        std::lock_guard lock(m_mutex);
        if (position < 0 || position >= static_cast<long>(m_items.size()))
            Fail(ADODB::adErrItemNotFound);
        HandOut(ppvObject, m_items[position].GetInterfacePtr());
    });
}

HRESULT ErrorsCollection::raw_Refresh() { return S_OK; }

HRESULT ErrorsCollection::raw_Clear()
{
    ClearAll();
    return S_OK;
}

void ErrorsCollection::Replace(const std::vector<ProviderMessage>& messages)
{
    std::vector<ADODB::ErrorPtr> items;
    for (const ProviderMessage& message : messages)
        items.push_back(ADODB::ErrorPtr(new ErrorObject(message), false));
    std::lock_guard lock(m_mutex);
    m_items.swap(items);
}

void ErrorsCollection::Add(const ProviderMessage& message)
{
    ADODB::ErrorPtr item(new ErrorObject(message), false);
    std::lock_guard lock(m_mutex);
    m_items.push_back(item);
}

void ErrorsCollection::ClearAll()
{
    std::vector<ADODB::ErrorPtr> released;
    std::lock_guard lock(m_mutex);
    m_items.swap(released);
}

std::string ErrorsCollection::JoinedDescriptions() const
{
    std::lock_guard lock(m_mutex);
    std::string text;
    for (const ADODB::ErrorPtr& item : m_items) {
        if (!text.empty())
            text += "\n\n";
        BSTR description = nullptr;
        item->get_Description(&description);
        text += TextOf(description);
        SysFreeString(description);
    }
    return text;
}

} // namespace tw::ado
