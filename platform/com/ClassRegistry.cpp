#include "platform/com/ClassRegistry.h"

#include <cctype>
#include <cstring>

#include "platform/win32/kernel/Utf8Text.h"

namespace {

bool SameProgId(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

namespace tw::com {

bool ClassRegistry::GuidLess::operator()(const GUID& a, const GUID& b) const
{
    return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}

ClassRegistry& ClassRegistry::Instance()
{
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::Register(REFCLSID clsid, std::vector<std::string> progIds, ClassFactory factory)
{
    std::lock_guard lock(m_mutex);
    m_classes[clsid] = Entry{std::move(progIds), std::move(factory)};
}

void ClassRegistry::Unregister(REFCLSID clsid)
{
    std::lock_guard lock(m_mutex);
    m_classes.erase(clsid);
}

// The factory runs outside the lock: it may create further objects.
HRESULT ClassRegistry::Create(REFCLSID clsid, IUnknown* outer, REFIID riid, void** ppv) const
{
    ClassFactory factory;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_classes.find(clsid);
        if (found == m_classes.end())
            return REGDB_E_CLASSNOTREG;
        factory = found->second.factory;
    }
    return factory(outer, riid, ppv);
}

bool ClassRegistry::FindProgId(std::string_view progId, CLSID& clsid) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& [id, entry] : m_classes) {
        for (const std::string& name : entry.progIds) {
            if (SameProgId(name, progId)) {
                clsid = id;
                return true;
            }
        }
    }
    return false;
}

bool ClassRegistry::FirstProgIdOf(REFCLSID clsid, std::string& progId) const
{
    std::lock_guard lock(m_mutex);
    const auto found = m_classes.find(clsid);
    if (found == m_classes.end() || found->second.progIds.empty())
        return false;
    progId = found->second.progIds.front();
    return true;
}

} // namespace tw::com

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if ((dwClsContext & CLSCTX_ALL) == 0)
        return E_INVALIDARG;
    return tw::com::ClassRegistry::Instance().Create(rclsid, pUnkOuter, riid, ppv);
}

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid)
{
    if (!lpszProgID || !lpclsid)
        return E_INVALIDARG;
    if (!tw::com::ClassRegistry::Instance().FindProgId(tw::Utf16ToUtf8(lpszProgID), *lpclsid))
        return CO_E_CLASSSTRING;
    return S_OK;
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID)
{
    if (!lplpszProgID)
        return E_INVALIDARG;
    *lplpszProgID = nullptr;
    std::string progId;
    if (!tw::com::ClassRegistry::Instance().FirstProgIdOf(clsid, progId))
        return REGDB_E_CLASSNOTREG;
    const std::u16string wide = tw::Utf8ToUtf16(progId);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy, wide.c_str(), (wide.size() + 1) * sizeof(OLECHAR));
    *lplpszProgID = copy;
    return S_OK;
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid)
{
    if (!lpsz || !pclsid)
        return E_INVALIDARG;
    const std::string text = tw::Utf16ToUtf8(lpsz);
    if (tw::com::GuidFromString(text, *pclsid))
        return S_OK;
    if (tw::com::ClassRegistry::Instance().FindProgId(text, *pclsid))
        return S_OK;
    return CO_E_CLASSSTRING;
}

HRESULT OleRun(LPUNKNOWN pUnknown)
{
    return pUnknown ? S_OK : E_INVALIDARG;
}
