// Event sink maps: a hosted test control fires events whose by-reference
// arguments the container's handlers change, and the control sees the change.
#include <gtest/gtest.h>

#include <string>

#include "platform/com/ClassRegistry.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/com/DispatchObject.h"
#include "platform/ole/HostedControl.h"
#include "tests/platform/mfc/ole/OleWindowTest.h"

// {4C7B9E12-6A3F-4D21-B8E5-71C2A9D3F604}
DEFINE_GUID(CLSID_OleTestControl, 0x4C7B9E12, 0x6A3F, 0x4D21, 0xB8, 0xE5, 0x71, 0xC2, 0xA9, 0xD3, 0xF6, 0x04);
// {4C7B9E13-6A3F-4D21-B8E5-71C2A9D3F604}
DEFINE_GUID(DIID_OleTestEvents, 0x4C7B9E13, 0x6A3F, 0x4D21, 0xB8, 0xE5, 0x71, 0xC2, 0xA9, 0xD3, 0xF6, 0x04);

namespace tw::mfc::ole_test {
namespace {

constexpr UINT IDC_TEST_CONTROL = 700;
constexpr DISPID kEventChanged = 7;
constexpr DISPID kEventKinds = 8;
constexpr DISPID kEventDerived = 9;
constexpr DISPID kEventObject = 10;

// A control whose events carry a value and four arguments by reference.
class TestControl : public tw::com::DispatchObject<IDispatch, IHostedControl, IConnectionPointContainer> {
public:
    TestControl() : points_(this) { points_.Add(DIID_OleTestEvents); }

    HWND CreateControlWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName) override
    {
        if (window_)
            return nullptr;
        window_ = CreateWindowEx(0, "STATIC", windowName ? windowName : "", style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
        return window_;
    }
    HWND ControlWindow() override { return window_; }
    HRESULT GetEventInterface(IID* piid) override
    {
        *piid = DIID_OleTestEvents;
        return S_OK;
    }
    HRESULT EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override { return points_.Find(riid, ppCP); }

    // Fires the event with its arguments given left to right.
    void Fire(DISPID id, std::vector<VARIANT> leftToRight)
    {
        std::vector<VARIANT> args(leftToRight.rbegin(), leftToRight.rend());
        DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        points_.Get(DIID_OleTestEvents)->FireEach([&](IUnknown* sink) {
            static_cast<IDispatch*>(sink)->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr,
                                                   nullptr);
        });
    }

private:
    tw::com::ConnectionPoints points_;
    HWND window_ = nullptr;
};

VARIANT ByRef(VARTYPE type, void* target)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = static_cast<VARTYPE>(type | VT_BYREF);
    v.byref = target;
    return v;
}

VARIANT Long(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

class EventHost : public CWnd {
public:
    long seenValue = 0;
    std::string seenText;
    int calls = 0;
    short seenShort = 0;
    double seenReal = 0;
    IDispatch* seenObject = nullptr;

protected:
    void OnChanged(long value, long* count, BOOL* cancel, BSTR* text, VARIANT* extra)
    {
        ++calls;
        seenValue = value;
        seenText = tw::BstrToUtf8(*text);
        *count += value;
        *cancel = TRUE;
        SysFreeString(*text);
        *text = tw::SysAllocStringUtf8("from host");
        VariantClear(extra);
        extra->vt = VT_I4;
        extra->lVal = 42;
    }
    void OnKinds(short small, LPCTSTR text, double real, VARIANT_BOOL* flag)
    {
        seenShort = small;
        seenText = text;
        seenReal = real;
        *flag = VARIANT_TRUE;
    }
    void OnObject(IDispatch* object) { seenObject = object; }
    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(EventHost, CWnd)
    ON_EVENT(EventHost, IDC_TEST_CONTROL, kEventChanged, OnChanged, VTS_I4 VTS_PI4 VTS_PBOOL VTS_PBSTR VTS_PVARIANT)
    ON_EVENT(EventHost, IDC_TEST_CONTROL, kEventKinds, OnKinds, VTS_I2 VTS_BSTR VTS_R8 VTS_PBOOL)
    ON_EVENT(EventHost, IDC_TEST_CONTROL, kEventObject, OnObject, VTS_DISPATCH)
END_EVENTSINK_MAP()

class DerivedHost : public EventHost {
public:
    int derivedCalls = 0;

protected:
    void OnDerived() { ++derivedCalls; }
    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(DerivedHost, EventHost)
    ON_EVENT(DerivedHost, IDC_TEST_CONTROL, kEventDerived, OnDerived, VTS_NONE)
END_EVENTSINK_MAP()

class EventSinkTest : public OleWindowTest {
protected:
    void SetUp() override
    {
        OleWindowTest::SetUp();
        tw::com::ClassRegistry::Instance().Register(CLSID_OleTestControl, {"OleTests.Control"},
                                                    tw::com::ClassRegistry::FactoryOf<TestControl>());
    }

    TestControl* Host(EventHost& host, CWnd& control)
    {
        LPCTSTR cls = AfxRegisterWndClass(0);
        EXPECT_TRUE(host.CreateEx(0, cls, "Host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
        EXPECT_TRUE(control.CreateControl(CLSID_OleTestControl, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60),
                                          &host, IDC_TEST_CONTROL));
        IHostedControlPtr hosted;
        control.GetControlUnknown()->QueryInterface(IID_IHostedControl, reinterpret_cast<void**>(&hosted));
        return static_cast<TestControl*>(hosted.GetInterfacePtr());
    }
};

TEST_F(EventSinkTest, HandlerWritesThroughEveryByReferenceArgument)
{
    EventHost host;
    CWnd control;
    TestControl* object = Host(host, control);
    ASSERT_NE(object, nullptr);
    LONG count = 10;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    BSTR text = tw::SysAllocStringUtf8("from control");
    VARIANT extra;
    VariantInit(&extra);
    object->Fire(kEventChanged, {Long(5), ByRef(VT_I4, &count), ByRef(VT_BOOL, &cancel), ByRef(VT_BSTR, &text),
                                 ByRef(VT_VARIANT, &extra)});
    EXPECT_EQ(host.calls, 1);
    EXPECT_EQ(host.seenValue, 5);
    EXPECT_EQ(host.seenText, "from control");
    EXPECT_EQ(count, 15);
    // The control's flag is a VARIANT_BOOL: the handler's TRUE arrives as all bits set.
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(tw::BstrToUtf8(text), "from host");
    EXPECT_EQ(extra.vt, VT_I4);
    EXPECT_EQ(extra.lVal, 42);
    SysFreeString(text);
    control.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(EventSinkTest, ArgumentsAreConvertedToTheHandlersTypes)
{
    EventHost host;
    CWnd control;
    TestControl* object = Host(host, control);
    ASSERT_NE(object, nullptr);
    VARIANT small = Long(12);  // sent wider than the handler takes it
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = tw::SysAllocStringUtf8("naïve");
    VARIANT real;
    VariantInit(&real);
    real.vt = VT_R8;
    real.dblVal = 0.5;
    VARIANT_BOOL flag = VARIANT_FALSE;
    object->Fire(kEventKinds, {small, text, real, ByRef(VT_BOOL, &flag)});
    EXPECT_EQ(host.seenShort, 12);
    EXPECT_EQ(host.seenText, "naïve");
    EXPECT_EQ(host.seenReal, 0.5);
    EXPECT_EQ(flag, VARIANT_TRUE);
    VARIANT sender;
    VariantInit(&sender);
    sender.vt = VT_DISPATCH;
    sender.pdispVal = static_cast<IDispatch*>(object);
    object->Fire(kEventObject, {sender});
    EXPECT_EQ(host.seenObject, sender.pdispVal);
    VariantClear(&text);
    control.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(EventSinkTest, DerivedMapsFallBackToTheBaseAndUnmappedEventsAreIgnored)
{
    DerivedHost host;
    CWnd control;
    TestControl* object = Host(host, control);
    ASSERT_NE(object, nullptr);
    object->Fire(kEventDerived, {});
    EXPECT_EQ(host.derivedCalls, 1);
    LONG count = 1;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    BSTR text = tw::SysAllocStringUtf8("x");
    VARIANT extra;
    VariantInit(&extra);
    object->Fire(kEventChanged, {Long(2), ByRef(VT_I4, &count), ByRef(VT_BOOL, &cancel), ByRef(VT_BSTR, &text),
                                 ByRef(VT_VARIANT, &extra)});
    EXPECT_EQ(host.calls, 1);
    EXPECT_EQ(count, 3);
    object->Fire(55, {Long(1)});
    // Too few arguments for the handler: it is not called.
    object->Fire(kEventChanged, {Long(2)});
    EXPECT_EQ(host.calls, 1);
    SysFreeString(text);
    control.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(EventSinkTest, CreateControlRefusesWhatItCannotMake)
{
    EventHost host;
    LPCTSTR cls = AfxRegisterWndClass(0);
    ASSERT_TRUE(host.CreateEx(0, cls, "Host", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CWnd unknownClass;
    EXPECT_FALSE(unknownClass.CreateControl("OleTests.Nobody", "", WS_CHILD, CRect(0, 0, 10, 10), &host, 1));
    CWnd noParent;
    EXPECT_FALSE(noParent.CreateControl(CLSID_OleTestControl, "", WS_CHILD, CRect(0, 0, 10, 10), nullptr, 1));
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, cls, "", WS_CHILD, 0, 0, 10, 10, host.m_hWnd, nullptr));
    EXPECT_EQ(plain.GetControlUnknown(), nullptr);
    try {
        LONG value = 0;
        plain.GetProperty(1, VT_I4, &value);
        ADD_FAILURE() << "no exception";
    } catch (COleException* e) {
        EXPECT_EQ(e->m_sc, E_NOINTERFACE);
        e->Delete();
    }
    host.DestroyWindow();
}

}  // namespace
}  // namespace tw::mfc::ole_test
