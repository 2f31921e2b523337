// Our class registry: the classes of the platform stand-in (ADO objects,
// hosted controls, ...) register a CLSID, ProgIDs and a factory here, and
// CoCreateInstance, CLSIDFromProgID and the smart pointers' CreateInstance
// find them. A class not registered answers REGDB_E_CLASSNOTREG.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/ComThread.h"
#include "platform/com/GuidText.h"
#include "platform/com/TaskMemory.h"
#include "platform/com/Unknown.h"

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_REMOTE_SERVER 0x10
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);
// CO_E_CLASSSTRING for a ProgID nobody registered.
HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
// The class's first ProgID in CoTaskMemAlloc'd memory; REGDB_E_CLASSNOTREG.
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID);
// A braced GUID or a registered ProgID; CO_E_CLASSSTRING otherwise.
HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
// Our objects run from their creation, so there is nothing to start.
HRESULT OleRun(LPUNKNOWN pUnknown);

namespace tw::com {

// Makes an instance answering riid; outer is the aggregating object or NULL.
using ClassFactory = std::function<HRESULT(IUnknown* outer, REFIID riid, void** ppv)>;

class ClassRegistry {
public:
    static ClassRegistry& Instance();

    // Registers or replaces a class. ProgIDs compare without case, as
    // registry keys do; the first is the one ProgIDFromCLSID answers.
    void Register(REFCLSID clsid, std::vector<std::string> progIds, ClassFactory factory);
    void Unregister(REFCLSID clsid);

    HRESULT Create(REFCLSID clsid, IUnknown* outer, REFIID riid, void** ppv) const;
    bool FindProgId(std::string_view progId, CLSID& clsid) const;
    bool FirstProgIdOf(REFCLSID clsid, std::string& progId) const;

    // A factory for a default-constructible ComObject class that does not
    // aggregate.
    template <class T>
    static ClassFactory FactoryOf()
    {
        return [](IUnknown* outer, REFIID riid, void** ppv) -> HRESULT {
            if (outer)
                return CLASS_E_NOAGGREGATION;
            T* object = new T;
            const HRESULT hr = object->QueryInterface(riid, ppv);
            object->Release();
            return hr;
        };
    }

private:
    struct Entry {
        std::vector<std::string> progIds;
        ClassFactory factory;
    };
    struct GuidLess {
        bool operator()(const GUID& a, const GUID& b) const;
    };

    mutable std::mutex m_mutex;
    std::map<GUID, Entry, GuidLess> m_classes;
};

} // namespace tw::com
