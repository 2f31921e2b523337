// Connection points: how an event source hands its events to the sinks that
// advised it. An event source holds a ConnectionPoints list (one
// ConnectionPoint per outgoing interface) and fires through it; firing is
// safe while sinks advise or unadvise (themselves or others) inside the
// callback and while other threads do.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/com/ComPtr.h"

DEFINE_GUID(IID_IConnectionPointContainer, 0xB196B284, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07);
DEFINE_GUID(IID_IEnumConnectionPoints, 0xB196B285, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07);
DEFINE_GUID(IID_IConnectionPoint, 0xB196B286, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07);
DEFINE_GUID(IID_IEnumConnections, 0xB196B287, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07);

struct IConnectionPointContainer;
// Enumeration of connections and points is not offered: EnumConnections and
// EnumConnectionPoints answer E_NOTIMPL, which the platform allows.
struct IEnumConnections;
struct IEnumConnectionPoints;

typedef struct tagCONNECTDATA {
    IUnknown* pUnk;
    DWORD dwCookie;
} CONNECTDATA;

struct IConnectionPoint : public IUnknown {
    virtual HRESULT GetConnectionInterface(IID* pIID) = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) = 0;
    virtual HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) = 0;
    virtual HRESULT Unadvise(DWORD dwCookie) = 0;
    virtual HRESULT EnumConnections(IEnumConnections** ppEnum) = 0;

protected:
    ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : public IUnknown {
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) = 0;
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

TW_INTERFACE_ID(IConnectionPoint, IID_IConnectionPoint);
TW_INTERFACE_ID(IConnectionPointContainer, IID_IConnectionPointContainer);
_COM_SMARTPTR_TYPEDEF(IConnectionPoint, IID_IConnectionPoint);
_COM_SMARTPTR_TYPEDEF(IConnectionPointContainer, IID_IConnectionPointContainer);

namespace tw::com {

// The sinks of one outgoing interface.
class ConnectionPoint final : public ComObject<IConnectionPoint> {
public:
    // container is the owning event source, not referenced: the owner's
    // ConnectionPoints list detaches its points when it goes away.
    ConnectionPoint(IConnectionPointContainer* container, REFIID iid);

    HRESULT GetConnectionInterface(IID* pIID) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    // Cookies are never reused; a sink without the interface answers
    // CONNECT_E_CANNOTCONNECT.
    HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    // CONNECT_E_NOCONNECTION for a cookie not (or no longer) advised.
    HRESULT Unadvise(DWORD dwCookie) override;
    HRESULT EnumConnections(IEnumConnections** ppEnum) override;

    // Calls `call` with each sink advised now, on the calling thread, as the
    // outgoing interface. A sink unadvised before its turn is skipped.
    void FireEach(const std::function<void(IUnknown*)>& call);
    template <class Sink>
    void Fire(const std::function<void(Sink*)>& call)
    {
        FireEach([&call](IUnknown* sink) { call(static_cast<Sink*>(sink)); });
    }

    size_t SinkCount() const;
    void DetachContainer();

private:
    ~ConnectionPoint() override;
    bool IsAdvised(DWORD cookie) const;

    mutable std::mutex m_mutex;
    IConnectionPointContainer* m_container;
    const IID m_iid;
    std::map<DWORD, IUnknown*> m_sinks;
    DWORD m_nextCookie = 1;
};

// An event source's points, one per outgoing interface.
class ConnectionPoints {
public:
    explicit ConnectionPoints(IConnectionPointContainer* owner);
    ~ConnectionPoints();
    ConnectionPoints(const ConnectionPoints&) = delete;
    ConnectionPoints& operator=(const ConnectionPoints&) = delete;

    ConnectionPoint& Add(REFIID iid);
    // NULL when the source has no point for iid.
    ConnectionPoint* Get(REFIID iid) const;
    // The body of FindConnectionPoint: CONNECT_E_NOCONNECTION when unknown.
    HRESULT Find(REFIID iid, IConnectionPoint** ppCP) const;

private:
    IConnectionPointContainer* m_owner;
    std::vector<ConnectionPoint*> m_points;
};

// A sink's side: finds the source's point for iid and advises or unadvises.
HRESULT Advise(IUnknown* source, IUnknown* sink, REFIID iid, DWORD* cookie);
HRESULT Unadvise(IUnknown* source, REFIID iid, DWORD cookie);

} // namespace tw::com
