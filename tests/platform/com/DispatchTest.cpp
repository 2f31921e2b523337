// Dispatch by id as the data-grid wrapper calls it: arguments arrive right
// to left, a put names its value DISPID_PROPERTYPUT, optional arguments may
// be missing, and failures come back as the platform's HRESULTs.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TestObjects.h"
#include "platform/com/DispatchInvoke.h"
#include "platform/com/DispatchObject.h"

namespace {

using tw::com::InvokeDispatch;
using tw::com::InvokeOrRaise;

// A small stand-in for a grid dataset: field definitions and records.
class FakeDataset : public tw::com::DispatchObject<IDispatch> {
public:
    std::vector<std::string> calls;
    std::string caption;

    FakeDataset()
    {
        Members().Method(1201, "Add", [this](_bstr_t name, int type, int size) {
            calls.push_back(std::string(name) + "/" + std::to_string(type) + "/" + std::to_string(size));
        });
        Members().Method(1039, "MoveToRecord", [this](std::optional<int> record) {
            calls.push_back(record ? "move " + std::to_string(*record) : "move default");
        });
        Members().Method(1025, "AppendRecord", [this](_variant_t values) {
            calls.push_back(values.vt == (VT_ARRAY | VT_VARIANT) ? "array" : "not an array");
        });
        Members().Get(9, "Count", [this] { return static_cast<int>(calls.size()); });
        Members().Get(4, "Caption", [this] { return _bstr_t(caption.c_str()); });
        Members().Put(4, "Caption", [this](std::string text) { caption = text; });
        Members().Put(1064, "FieldValue", [this](_bstr_t field, _variant_t value) {
            calls.push_back(std::string(field) + "=" + std::string(static_cast<_bstr_t>(value)));
        });
        Members().Method(1005, "Close", [] { throw _com_error(E_FAIL, nullptr); });
        Members().Method(1012, "Open", []() -> void {
            tw::com::ReportError(E_FAIL, "Grid", "Dataset is busy");
            IErrorInfo* info = nullptr;
            GetErrorInfo(0, &info);
            throw _com_error(E_FAIL, info);
        });
    }
};

class Dispatch : public testing::Test {
protected:
    void TearDown() override { m_grid->Release(); }
    FakeDataset* m_grid = new FakeDataset;
};

TEST_F(Dispatch, ArgumentsArriveInReverseOrder)
{
    // Built by hand as a caller does: the last argument first.
    VARIANT args[3];
    for (VARIANT& v : args)
        VariantInit(&v);
    args[0].vt = VT_I4;
    args[0].lVal = 26; // size
    args[1].vt = VT_I2;
    args[1].iVal = 3; // type, converted to the handler's int
    args[2].vt = VT_BSTR;
    args[2].bstrVal = SysAllocString(u"name");
    DISPPARAMS params{args, nullptr, 3, 0};
    ASSERT_EQ(m_grid->Invoke(1201, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    VariantClear(&args[2]);
    ASSERT_EQ(m_grid->calls.size(), 1u);
    EXPECT_EQ(m_grid->calls[0], "name/3/26");
}

TEST_F(Dispatch, MissingOptionalArgumentUsesTheDefault)
{
    InvokeOrRaise(m_grid, 1039, DISPATCH_METHOD, {vtMissing});
    InvokeOrRaise(m_grid, 1039, DISPATCH_METHOD, {});
    InvokeOrRaise(m_grid, 1039, DISPATCH_METHOD, {_variant_t(5)});
    EXPECT_EQ(m_grid->calls, (std::vector<std::string>{"move default", "move default", "move 5"}));
}

TEST_F(Dispatch, MissingRequiredArgumentIsNotOptional)
{
    UINT argErr = 99;
    EXPECT_EQ(InvokeDispatch(m_grid, 1201, DISPATCH_METHOD, {_variant_t("name"), vtMissing, _variant_t(1)}, nullptr,
                             nullptr, &argErr),
              DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(argErr, 1u) << "rgvarg index of the second argument";
    EXPECT_TRUE(m_grid->calls.empty());
}

TEST_F(Dispatch, ArgumentErrorsNameTheArgument)
{
    UINT argErr = 99;
    EXPECT_EQ(InvokeDispatch(m_grid, 1201, DISPATCH_METHOD, {_variant_t("n"), _variant_t("three"), _variant_t(1)},
                             nullptr, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u);
    EXPECT_EQ(InvokeDispatch(m_grid, 1201, DISPATCH_METHOD,
                             {_variant_t("n"), _variant_t(1), _variant_t(1), _variant_t(1)}, nullptr),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(InvokeDispatch(m_grid, 4242, DISPATCH_METHOD, {}, nullptr), DISP_E_MEMBERNOTFOUND);
}

TEST_F(Dispatch, PropertyPutAndGetShareTheirId)
{
    InvokeOrRaise(m_grid, 4, DISPATCH_PROPERTYPUT, {_variant_t("Column 1")});
    EXPECT_EQ(m_grid->caption, "Column 1");
    _variant_t caption = InvokeOrRaise(m_grid, 4, DISPATCH_PROPERTYGET);
    EXPECT_TRUE(_bstr_t(caption) == "Column 1");

    InvokeOrRaise(m_grid, 1064, DISPATCH_PROPERTYPUT, {_variant_t("ColumnName"), _variant_t(42)});
    EXPECT_EQ(m_grid->calls.back(), "ColumnName=42") << "index arguments first, the value last";

    _variant_t count = InvokeOrRaise(m_grid, 9, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_EQ(count.vt, VT_I4);
    EXPECT_EQ(count.lVal, 1);
}

TEST_F(Dispatch, PutWithoutTheNamedValueIsRefused)
{
    _variant_t value("x");
    DISPPARAMS unnamed{&value, nullptr, 1, 0};
    EXPECT_EQ(m_grid->Invoke(4, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr, nullptr),
              DISP_E_PARAMNOTOPTIONAL);
    DISPID named = 7;
    DISPPARAMS otherName{&value, &named, 1, 1};
    EXPECT_EQ(m_grid->Invoke(1039, IID_NULL, 0, DISPATCH_METHOD, &otherName, nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
}

TEST_F(Dispatch, SafeArrayArgumentPassesThrough)
{
    _variant_t row;
    row.vt = VT_ARRAY | VT_VARIANT;
    row.parray = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    InvokeOrRaise(m_grid, 1025, DISPATCH_METHOD, {row});
    EXPECT_EQ(m_grid->calls.back(), "array");
}

TEST_F(Dispatch, HandlerErrorsBecomeDispatchExceptions)
{
    EXCEPINFO info{};
    EXPECT_EQ(InvokeDispatch(m_grid, 1005, DISPATCH_METHOD, {}, nullptr, &info), DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, E_FAIL);
    EXPECT_EQ(tw::BstrToUtf8(info.bstrDescription), "Unspecified error");
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);

    try {
        InvokeOrRaise(m_grid, 1012, DISPATCH_METHOD);
        ADD_FAILURE() << "no exception";
    } catch (const _com_error& error) {
        EXPECT_EQ(error.Error(), E_FAIL);
        EXPECT_TRUE(error.Description() == "Dataset is busy");
        EXPECT_TRUE(error.Source() == "Grid");
    }
}

TEST_F(Dispatch, NamesResolveWithoutCase)
{
    OLECHAR name[] = u"movetorecord";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(m_grid->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 1039);
    OLECHAR unknown[] = u"Frobnicate";
    names[0] = unknown;
    EXPECT_EQ(m_grid->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    UINT count = 9;
    EXPECT_EQ(m_grid->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

TEST_F(Dispatch, ObjectParametersArriveAsTheirInterface)
{
    ITestOther* received = nullptr;
    struct Exposed : tw::com::DispatchObject<IDispatch> {
        ITestOther** out;
        explicit Exposed(ITestOther** target) : out(target)
        {
            Members().PutRef(55, "Recordset", [this](ITestOther* other) { *out = other; });
        }
    };
    auto* exposed = new Exposed(&received);
    auto* thing = new TestThing(21);
    InvokeOrRaise(exposed, 55, DISPATCH_PROPERTYPUTREF, {_variant_t(static_cast<IUnknown*>(thing->GetUnknown()))});
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received->Twice(), 42);
    EXPECT_EQ(thing->RefCount(), 1u) << "borrowed for the call, not kept";
    thing->Release();
    exposed->Release();
}

} // namespace

namespace {

// An event sink as a hosted control calls it: the text and the accept flag
// come by reference, and the handler answers through them.
class EditEventSink : public tw::com::DispatchObject<IDispatch> {
public:
    EditEventSink()
    {
        Members().Method(79, "Validate", [](IDispatch*, VARIANT* text, VARIANT* accept) {
            if (!text || !accept || text->vt != (VT_BYREF | VT_BSTR) || accept->vt != (VT_BYREF | VT_BOOL))
                throw _com_error(DISP_E_TYPEMISMATCH);
            const bool empty = SysStringLen(*text->pbstrVal) == 0;
            *accept->pboolVal = empty ? VARIANT_FALSE : VARIANT_TRUE;
            if (!empty)
                SysReAllocString(text->pbstrVal, u"trimmed");
        });
    }
};

TEST(DispatchEvents, ByReferenceArgumentsCarryAnswersBack)
{
    auto* sink = new EditEventSink;
    BSTR text = SysAllocString(u" typed ");
    VARIANT_BOOL accept = VARIANT_FALSE;
    _variant_t textRef;
    textRef.vt = VT_BYREF | VT_BSTR;
    textRef.pbstrVal = &text;
    _variant_t acceptRef;
    acceptRef.vt = VT_BYREF | VT_BOOL;
    acceptRef.pboolVal = &accept;
    EXPECT_EQ(tw::com::InvokeDispatch(sink, 79, DISPATCH_METHOD, {_variant_t(static_cast<IDispatch*>(nullptr)), textRef,
                                                                  acceptRef},
                                      nullptr),
              S_OK);
    EXPECT_EQ(accept, VARIANT_TRUE);
    EXPECT_EQ(tw::BstrToUtf8(text), "trimmed");
    SysFreeString(text);
    sink->Release();
}

} // namespace

namespace {

class ColumnObject : public tw::com::DispatchObject<IDispatch> {
public:
    static inline int s_live = 0;
    ColumnObject()
    {
        ++s_live;
        Members().Get(47, "Index", [] { return 3; });
    }

protected:
    ~ColumnObject() override { --s_live; }
};

class ColumnsObject : public tw::com::DispatchObject<IDispatch> {
public:
    ColumnsObject()
    {
        // A new sub-object per call, handed out as a smart pointer.
        Members().Method(2, "Add", [](int) { return IDispatchPtr(new ColumnObject, false); });
    }
};

TEST(DispatchObjects, SubObjectsLiveAsLongAsTheCallerHoldsThem)
{
    auto* columns = new ColumnsObject;
    {
        _variant_t column = InvokeOrRaise(columns, 2, DISPATCH_METHOD, {_variant_t(1)});
        ASSERT_EQ(column.vt, VT_DISPATCH);
        EXPECT_EQ(ColumnObject::s_live, 1);
        _variant_t index = InvokeOrRaise(column.pdispVal, 47, DISPATCH_PROPERTYGET);
        EXPECT_EQ(index.lVal, 3);
    }
    EXPECT_EQ(ColumnObject::s_live, 0) << "released with the caller's last reference";
    columns->Release();
}

} // namespace
