// Events from a source to its sinks through connection points, including the
// awkward cases: a sink that unadvises (itself or another) inside the event,
// and events fired on another thread while sinks come and go.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "TestObjects.h"
#include "platform/com/ConnectionPoints.h"

namespace {

// {5E1D0A30-3C2B-4B7A-9E61-2F0C1A7B9D01}
DEFINE_GUID(IID_ITestEvents, 0x5E1D0A30, 0x3C2B, 0x4B7A, 0x9E, 0x61, 0x2F, 0x0C, 0x1A, 0x7B, 0x9D, 0x01);

struct ITestEvents : public IUnknown {
    virtual void Completed(int status) = 0;

protected:
    ~ITestEvents() = default;
};
TW_INTERFACE_ID(ITestEvents, IID_ITestEvents);

class EventSource : public tw::ComObject<IConnectionPointContainer> {
public:
    EventSource() : m_points(this), m_events(m_points.Add(IID_ITestEvents)) {}

    HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override
    {
        if (ppEnum)
            *ppEnum = nullptr;
        return E_NOTIMPL;
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override { return m_points.Find(riid, ppCP); }

    void FireCompleted(int status)
    {
        m_events.Fire<ITestEvents>([status](ITestEvents* sink) { sink->Completed(status); });
    }
    size_t Sinks() const { return m_events.SinkCount(); }

private:
    tw::com::ConnectionPoints m_points;
    tw::com::ConnectionPoint& m_events;
};

class EventSink : public tw::ComObject<ITestEvents> {
public:
    std::atomic<int> received{0};
    std::atomic<int> lastStatus{0};
    std::function<void()> onEvent;
    static inline std::atomic<int> s_live{0};

    EventSink() { ++s_live; }
    void Completed(int status) override
    {
        ++received;
        lastStatus = status;
        if (onEvent)
            onEvent();
    }

protected:
    ~EventSink() override { --s_live; }
};

class ConnectionPoints : public testing::Test {
protected:
    void TearDown() override
    {
        m_source->Release();
        EXPECT_EQ(EventSink::s_live, 0) << "every sink reference was released";
    }

    EventSink* NewSink()
    {
        auto* sink = new EventSink;
        m_sinks.push_back(sink);
        return sink;
    }
    void ReleaseSinks()
    {
        for (EventSink* sink : m_sinks)
            sink->Release();
        m_sinks.clear();
    }

    EventSource* m_source = new EventSource;
    std::vector<EventSink*> m_sinks;
};

TEST_F(ConnectionPoints, AdviseFireUnadvise)
{
    EventSink* first = NewSink();
    EventSink* second = NewSink();
    DWORD cookie1 = 0, cookie2 = 0;
    ASSERT_EQ(tw::com::Advise(m_source->GetUnknown(), first->GetUnknown(), IID_ITestEvents, &cookie1), S_OK);
    ASSERT_EQ(tw::com::Advise(m_source->GetUnknown(), second->GetUnknown(), IID_ITestEvents, &cookie2), S_OK);
    EXPECT_NE(cookie1, 0u);
    EXPECT_NE(cookie1, cookie2);

    m_source->FireCompleted(5);
    EXPECT_EQ(first->received, 1);
    EXPECT_EQ(second->lastStatus, 5);

    EXPECT_EQ(tw::com::Unadvise(m_source->GetUnknown(), IID_ITestEvents, cookie1), S_OK);
    m_source->FireCompleted(6);
    EXPECT_EQ(first->received, 1);
    EXPECT_EQ(second->received, 2);
    EXPECT_EQ(tw::com::Unadvise(m_source->GetUnknown(), IID_ITestEvents, cookie2), S_OK);
    ReleaseSinks();
}

TEST_F(ConnectionPoints, BadCookiesAndUnknownInterfaces)
{
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(m_source->FindConnectionPoint(IID_ITestEvents, &point), S_OK);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(NewSink()->GetUnknown(), &cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION) << "a cookie works once";

    auto* wrongSink = new PlainThing;
    EXPECT_EQ(point->Advise(wrongSink->GetUnknown(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    wrongSink->Release();

    IConnectionPointContainer* container = nullptr;
    ASSERT_EQ(point->GetConnectionPointContainer(&container), S_OK);
    EXPECT_EQ(container, static_cast<IConnectionPointContainer*>(m_source));
    container->Release();
    point->Release();

    IConnectionPoint* none = nullptr;
    EXPECT_EQ(m_source->FindConnectionPoint(IID_ITestThing, &none), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(none, nullptr);
    ReleaseSinks();
}

TEST_F(ConnectionPoints, SinkUnadvisingDuringTheEventIsSafe)
{
    EventSink* selfRemoving = NewSink();
    EventSink* removedByOther = NewSink();
    DWORD selfCookie = 0, otherCookie = 0;
    tw::com::Advise(m_source->GetUnknown(), selfRemoving->GetUnknown(), IID_ITestEvents, &selfCookie);
    tw::com::Advise(m_source->GetUnknown(), removedByOther->GetUnknown(), IID_ITestEvents, &otherCookie);
    selfRemoving->onEvent = [&] {
        EXPECT_EQ(tw::com::Unadvise(m_source->GetUnknown(), IID_ITestEvents, selfCookie), S_OK);
        EXPECT_EQ(tw::com::Unadvise(m_source->GetUnknown(), IID_ITestEvents, otherCookie), S_OK);
    };
    ReleaseSinks(); // the point's references are now the only ones

    m_source->FireCompleted(1);
    EXPECT_EQ(m_source->Sinks(), 0u);
    EXPECT_EQ(EventSink::s_live, 0) << "both sinks went away once the event was over";
}

TEST_F(ConnectionPoints, FiringOnAnotherThreadWhileSinksComeAndGo)
{
    EventSink* steady = NewSink();
    DWORD steadyCookie = 0;
    tw::com::Advise(m_source->GetUnknown(), steady->GetUnknown(), IID_ITestEvents, &steadyCookie);
    constexpr int kEvents = 2000;
    std::thread provider([this] {
        for (int i = 0; i < kEvents; ++i)
            m_source->FireCompleted(i);
    });
    for (int i = 0; i < 500; ++i) {
        auto* passing = new EventSink;
        DWORD cookie = 0;
        ASSERT_EQ(tw::com::Advise(m_source->GetUnknown(), passing->GetUnknown(), IID_ITestEvents, &cookie), S_OK);
        passing->Release();
        ASSERT_EQ(tw::com::Unadvise(m_source->GetUnknown(), IID_ITestEvents, cookie), S_OK);
    }
    provider.join();
    EXPECT_EQ(steady->received, kEvents);
    EXPECT_EQ(steady->lastStatus, kEvents - 1);
    tw::com::Unadvise(m_source->GetUnknown(), IID_ITestEvents, steadyCookie);
    ReleaseSinks();
}

TEST_F(ConnectionPoints, PointOutlivingItsSourceForgetsIt)
{
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(m_source->FindConnectionPoint(IID_ITestEvents, &point), S_OK);
    m_source->Release();
    m_source = new EventSource; // for TearDown
    IConnectionPointContainer* container = nullptr;
    EXPECT_EQ(point->GetConnectionPointContainer(&container), E_UNEXPECTED);
    EXPECT_EQ(container, nullptr);
    point->Release();
}

} // namespace
