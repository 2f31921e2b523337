#include "platform/com/ConnectionPoints.h"

namespace tw::com {

ConnectionPoint::ConnectionPoint(IConnectionPointContainer* container, REFIID iid)
    : m_container(container), m_iid(iid)
{
}

ConnectionPoint::~ConnectionPoint()
{
    for (auto& [cookie, sink] : m_sinks)
        sink->Release();
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* pIID)
{
    if (!pIID)
        return E_POINTER;
    *pIID = m_iid;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC)
{
    if (!ppCPC)
        return E_POINTER;
    std::lock_guard lock(m_mutex);
    *ppCPC = m_container;
    if (!m_container)
        return E_UNEXPECTED;
    m_container->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie)
{
    if (!pdwCookie)
        return E_POINTER;
    *pdwCookie = 0;
    if (!pUnkSink)
        return E_POINTER;
    void* sink = nullptr;
    if (FAILED(pUnkSink->QueryInterface(m_iid, &sink)) || !sink)
        return CONNECT_E_CANNOTCONNECT;
    std::lock_guard lock(m_mutex);
    const DWORD cookie = m_nextCookie++;
    m_sinks.emplace(cookie, static_cast<IUnknown*>(sink));
    *pdwCookie = cookie;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD dwCookie)
{
    IUnknown* sink = nullptr;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_sinks.find(dwCookie);
        if (found == m_sinks.end())
            return CONNECT_E_NOCONNECTION;
        sink = found->second;
        m_sinks.erase(found);
    }
    // Released outside the lock: the sink's destructor may call back.
    sink->Release();
    return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** ppEnum)
{
    if (ppEnum)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}

bool ConnectionPoint::IsAdvised(DWORD cookie) const
{
    std::lock_guard lock(m_mutex);
    return m_sinks.count(cookie) != 0;
}

void ConnectionPoint::FireEach(const std::function<void(IUnknown*)>& call)
{
    // The snapshot's own references are dropped however the firing ends,
    // and ours keeps the point alive should a sink release its source.
    struct Snapshot {
        std::vector<std::pair<DWORD, IUnknown*>> sinks;
        IUnknown* point;
        ~Snapshot()
        {
            for (const auto& [cookie, sink] : sinks)
                sink->Release();
            point->Release();
        }
    } snapshot{{}, this};
    AddRef();
    {
        std::lock_guard lock(m_mutex);
        snapshot.sinks.reserve(m_sinks.size());
        for (const auto& [cookie, sink] : m_sinks) {
            sink->AddRef();
            snapshot.sinks.emplace_back(cookie, sink);
        }
    }
    for (const auto& [cookie, sink] : snapshot.sinks) {
        if (IsAdvised(cookie))
            call(sink);
    }
}

size_t ConnectionPoint::SinkCount() const
{
    std::lock_guard lock(m_mutex);
    return m_sinks.size();
}

void ConnectionPoint::DetachContainer()
{
    std::lock_guard lock(m_mutex);
    m_container = nullptr;
}

ConnectionPoints::ConnectionPoints(IConnectionPointContainer* owner) : m_owner(owner) {}

ConnectionPoints::~ConnectionPoints()
{
    for (ConnectionPoint* point : m_points) {
        point->DetachContainer();
        point->Release();
    }
}

ConnectionPoint& ConnectionPoints::Add(REFIID iid)
{
    m_points.push_back(new ConnectionPoint(m_owner, iid));
    return *m_points.back();
}

ConnectionPoint* ConnectionPoints::Get(REFIID iid) const
{
    for (ConnectionPoint* point : m_points) {
        IID pointIid;
        point->GetConnectionInterface(&pointIid);
        if (IsEqualIID(pointIid, iid))
            return point;
    }
    return nullptr;
}

HRESULT ConnectionPoints::Find(REFIID iid, IConnectionPoint** ppCP) const
{
    if (!ppCP)
        return E_POINTER;
    ConnectionPoint* point = Get(iid);
    *ppCP = point;
    if (!point)
        return CONNECT_E_NOCONNECTION;
    point->AddRef();
    return S_OK;
}

namespace {

HRESULT FindPoint(IUnknown* source, REFIID iid, IConnectionPoint** point)
{
    if (!source)
        return E_POINTER;
    IConnectionPointContainer* container = nullptr;
    HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr))
        return hr;
    hr = container->FindConnectionPoint(iid, point);
    container->Release();
    return hr;
}

} // namespace

HRESULT Advise(IUnknown* source, IUnknown* sink, REFIID iid, DWORD* cookie)
{
    IConnectionPoint* point = nullptr;
    HRESULT hr = FindPoint(source, iid, &point);
    if (FAILED(hr))
        return hr;
    hr = point->Advise(sink, cookie);
    point->Release();
    return hr;
}

HRESULT Unadvise(IUnknown* source, REFIID iid, DWORD cookie)
{
    IConnectionPoint* point = nullptr;
    HRESULT hr = FindPoint(source, iid, &point);
    if (FAILED(hr))
        return hr;
    hr = point->Unadvise(cookie);
    point->Release();
    return hr;
}

} // namespace tw::com
