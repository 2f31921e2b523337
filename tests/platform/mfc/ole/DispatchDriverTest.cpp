// COleDispatchDriver and InvokeHelper against an object that records the
// arguments it receives and writes through the by-reference ones.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/com/ClassRegistry.h"
#include "platform/com/DispatchObject.h"
#include "platform/com/ErrorInfo.h"
#include "tests/platform/mfc/ole/OleWindowTest.h"

// {8E5A2F61-3C4D-4B7E-9A10-2F6B8C3D4E51}
DEFINE_GUID(CLSID_OleTestRecorder, 0x8E5A2F61, 0x3C4D, 0x4B7E, 0x9A, 0x10, 0x2F, 0x6B, 0x8C, 0x3D, 0x4E, 0x51);

namespace tw::mfc::ole_test {
namespace {

constexpr DISPID kRecord = 1;
constexpr DISPID kName = 2;
constexpr DISPID kFail = 3;
constexpr DISPID kEcho = 4;

// "vt:text" for each argument, left to right.
std::vector<std::string> g_recorded;

class Recorder : public tw::com::DispatchObject<IDispatch> {
public:
    Recorder()
    {
        Members().Add(kRecord, "Record", DISPATCH_METHOD, [](const tw::com::DispatchArgs& args) {
            g_recorded.clear();
            for (UINT i = 0; i < args.Count(); ++i)
                g_recorded.push_back(Describe(args.At(i)));
            for (UINT i = 0; i < args.Count(); ++i)
                Change(const_cast<VARIANT&>(args.At(i)));
            return _variant_t(static_cast<long>(args.Count()));
        });
        Members().Get(kName, "Name", [this] { return name_; });
        Members().Put(kName, "Name", [this](std::string name) { name_ = name; });
        Members().Method(kFail, "Fail", []() -> long {
            tw::com::ReportError(E_FAIL, "Recorder", "The recorder refused.");
            IErrorInfo* info = nullptr;
            GetErrorInfo(0, &info);
            throw _com_error(E_FAIL, info);
        });
        Members().Method(kEcho, "Echo", [](_variant_t value) { return value; });
    }

private:
    static std::string Describe(const VARIANT& v)
    {
        _variant_t copy;
        VariantCopyInd(&copy, &v);
        std::string text;
        if (copy.vt == VT_DISPATCH || copy.vt == VT_UNKNOWN)
            text = copy.punkVal ? "object" : "null";
        else if (SUCCEEDED(VariantChangeType(&copy, &copy, 0, VT_BSTR)))
            text = tw::BstrToUtf8(copy.bstrVal);
        return std::to_string(v.vt) + ":" + text;
    }

    // What the object does to a by-reference argument.
    static void Change(VARIANT& v)
    {
        switch (v.vt) {
        case VT_I4 | VT_BYREF:
            *v.plVal += 1;
            break;
        case VT_I2 | VT_BYREF:
            *v.piVal = static_cast<SHORT>(*v.piVal * 2);
            break;
        case VT_R8 | VT_BYREF:
            *v.pdblVal *= 2;
            break;
        case VT_BOOL | VT_BYREF:
            *v.pboolVal = *v.pboolVal ? VARIANT_FALSE : VARIANT_TRUE;
            break;
        case VT_BSTR | VT_BYREF:
            SysFreeString(*v.pbstrVal);
            *v.pbstrVal = tw::SysAllocStringUtf8("changed");
            break;
        case VT_VARIANT | VT_BYREF:
            VariantClear(v.pvarVal);
            v.pvarVal->vt = VT_I4;
            v.pvarVal->lVal = 99;
            break;
        default:
            break;
        }
    }

    std::string name_ = "first";
};

class DispatchDriverTest : public OleWindowTest {
protected:
    void SetUp() override
    {
        OleWindowTest::SetUp();
        tw::com::ClassRegistry::Instance().Register(CLSID_OleTestRecorder, {"OleTests.Recorder"},
                                                    tw::com::ClassRegistry::FactoryOf<Recorder>());
        ASSERT_TRUE(driver.CreateDispatch("OleTests.Recorder"));
    }

    COleDispatchDriver driver;
};

TEST_F(DispatchDriverTest, EachByValueFormArrivesAsItsVariantType)
{
    IDispatch* other = driver.m_lpDispatch;
    CY money{};
    money.int64 = 12345;  // 1.2345
    VARIANT given;
    VariantInit(&given);
    given.vt = VT_I2;
    given.iVal = 7;
    static const OLECHAR wide[] = u"wide";
    struct Case {
        const char* name;
        std::function<void(COleDispatchDriver&)> call;
        std::string expected;
    } cases[] = {
        {"I2", [](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_I2, 3); },
         "2:3"},
        {"I4", [](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_I4, 70000L); },
         "3:70000"},
        {"R4", [](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_R4, 1.5f); },
         "4:1.5"},
        {"R8", [](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_R8, 2.25); },
         "5:2.25"},
        {"CY", [&](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_CY, money); },
         "6:1.2345"},
        {"BSTR", [](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_BSTR, "héllo"); },
         "8:héllo"},
        {"WBSTR", [&](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_WBSTR, wide); },
         "8:wide"},
        {"DISPATCH",
         [&](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_DISPATCH, other); },
         "9:object"},
        {"SCODE", [](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_SCODE, E_FAIL); },
         "10:"},
        {"BOOL", [](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_BOOL, TRUE); },
         "11:-1"},
        {"VARIANT",
         [&](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_VARIANT, &given); },
         "2:7"},
        {"UI1", [](auto& d) { d.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_UI1, 200); },
         "17:200"},
    };
    for (Case& c : cases) {
        g_recorded.clear();
        c.call(driver);
        ASSERT_EQ(g_recorded.size(), 1u) << c.name;
        const std::string& got = g_recorded[0];
        if (c.expected.back() == ':')
            EXPECT_EQ(got.substr(0, c.expected.size()), c.expected) << c.name;
        else
            EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST_F(DispatchDriverTest, ArgumentsKeepTheirOrderAndTheResultIsConverted)
{
    CString result;
    static const BYTE params[] = VTS_I4 VTS_BSTR VTS_BOOL;
    driver.InvokeHelper(kRecord, DISPATCH_METHOD, VT_BSTR, &result, params, 1L, "two", FALSE);
    EXPECT_EQ(g_recorded, (std::vector<std::string>{"3:1", "8:two", "11:0"}));
    EXPECT_STREQ(result, "3");
}

TEST_F(DispatchDriverTest, ByReferenceArgumentsAreWrittenBack)
{
    LONG count = 41;
    short small = 4;
    double real = 1.25;
    BOOL flag = FALSE;
    BSTR text = tw::SysAllocStringUtf8("before");
    VARIANT any;
    VariantInit(&any);
    static const BYTE params[] = VTS_PI4 VTS_PI2 VTS_PR8 VTS_PBOOL VTS_PBSTR VTS_PVARIANT;
    driver.InvokeHelper(kRecord, DISPATCH_METHOD, VT_EMPTY, nullptr, params, &count, &small, &real, &flag, &text,
                        &any);
    EXPECT_EQ(g_recorded, (std::vector<std::string>{"16387:41", "16386:4", "16389:1.25", "16395:0",
                                                    "16392:before", "16396:"}));
    EXPECT_EQ(count, 42);
    EXPECT_EQ(small, 8);
    EXPECT_EQ(real, 2.5);
    // A BOOL, not the object's two-byte flag: exactly TRUE.
    EXPECT_EQ(flag, TRUE);
    EXPECT_EQ(tw::BstrToUtf8(text), "changed");
    EXPECT_EQ(any.vt, VT_I4);
    EXPECT_EQ(any.lVal, 99);
    SysFreeString(text);
}

TEST_F(DispatchDriverTest, ResultsByType)
{
    static const BYTE variantParam[] = VTS_VARIANT;
    _variant_t in(3.5);
    LONG asLong = 0;
    driver.InvokeHelper(kEcho, DISPATCH_METHOD, VT_I4, &asLong, variantParam, &in);
    EXPECT_EQ(asLong, 4);  // banker's rounding of 3.5
    double asDouble = 0;
    driver.InvokeHelper(kEcho, DISPATCH_METHOD, VT_R8, &asDouble, variantParam, &in);
    EXPECT_EQ(asDouble, 3.5);
    BOOL asBool = FALSE;
    driver.InvokeHelper(kEcho, DISPATCH_METHOD, VT_BOOL, &asBool, variantParam, &in);
    EXPECT_EQ(asBool, TRUE);
    VARIANT asVariant;
    VariantInit(&asVariant);
    driver.InvokeHelper(kEcho, DISPATCH_METHOD, VT_VARIANT, &asVariant, variantParam, &in);
    EXPECT_EQ(asVariant.vt, VT_R8);
    _variant_t self(static_cast<IDispatch*>(driver.m_lpDispatch));
    LPDISPATCH asDispatch = nullptr;
    driver.InvokeHelper(kEcho, DISPATCH_METHOD, VT_DISPATCH, &asDispatch, variantParam, &self);
    ASSERT_EQ(asDispatch, driver.m_lpDispatch);
    asDispatch->Release();
}

TEST_F(DispatchDriverTest, PropertiesPutAndGet)
{
    CString name;
    driver.GetProperty(kName, VT_BSTR, &name);
    EXPECT_STREQ(name, "first");
    driver.SetProperty(kName, VT_BSTR, "second");
    driver.GetProperty(kName, VT_BSTR, &name);
    EXPECT_STREQ(name, "second");
}

TEST_F(DispatchDriverTest, AnErrorTheObjectRaisesIsADispatchException)
{
    LONG result = 0;
    try {
        driver.InvokeHelper(kFail, DISPATCH_METHOD, VT_I4, &result, nullptr);
        FAIL() << "no exception";
    } catch (COleDispatchException* e) {
        EXPECT_STREQ(e->m_strDescription, "The recorder refused.");
        EXPECT_STREQ(e->m_strSource, "Recorder");
        EXPECT_EQ(e->m_scError, E_FAIL);
        EXPECT_EQ(COleException::Process(e), E_FAIL);
        TCHAR text[64];
        EXPECT_TRUE(e->GetErrorMessage(text, 64));
        EXPECT_STREQ(text, "The recorder refused.");
        e->Delete();
    }
}

TEST_F(DispatchDriverTest, OtherFailuresAreOleExceptions)
{
    struct Case {
        const char* name;
        std::function<void()> call;
        SCODE expected;
    } cases[] = {
        {"unknown member", [&] { driver.InvokeHelper(99, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); },
         DISP_E_MEMBERNOTFOUND},
        {"wrong type",
         [&] { driver.InvokeHelper(kName, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, (const BYTE*)VTS_DISPATCH, nullptr); },
         DISP_E_TYPEMISMATCH},
        {"no object",
         [] {
             COleDispatchDriver empty;
             empty.InvokeHelper(kName, DISPATCH_PROPERTYGET, VT_EMPTY, nullptr, nullptr);
         },
         E_UNEXPECTED},
    };
    for (Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.name << ": no exception";
        } catch (COleException* e) {
            EXPECT_EQ(e->m_sc, c.expected) << c.name;
            e->Delete();
        }
    }
}

TEST_F(DispatchDriverTest, CreationByClassIdAndProgIdAndItsFailures)
{
    COleDispatchDriver byClsid;
    EXPECT_TRUE(byClsid.CreateDispatch(CLSID_OleTestRecorder));
    COleDispatchDriver byText;
    EXPECT_TRUE(byText.CreateDispatch("{8E5A2F61-3C4D-4B7E-9A10-2F6B8C3D4E51}"));
    COleDispatchDriver missing;
    COleException error;
    EXPECT_FALSE(missing.CreateDispatch("OleTests.Nobody", &error));
    EXPECT_EQ(error.m_sc, CO_E_CLASSSTRING);
    EXPECT_EQ(missing.m_lpDispatch, nullptr);
}

TEST_F(DispatchDriverTest, DriversShareAndReleaseTheirObject)
{
    auto* object = new Recorder;
    {
        COleDispatchDriver first(object, TRUE);
        object->AddRef();
        COleDispatchDriver second(first);
        EXPECT_EQ(object->RefCount(), 3u);
        COleDispatchDriver third;
        third = second;
        EXPECT_EQ(object->RefCount(), 4u);
        LPDISPATCH detached = third.DetachDispatch();
        EXPECT_EQ(third.m_lpDispatch, nullptr);
        detached->Release();
    }
    EXPECT_EQ(object->RefCount(), 1u);
    object->Release();
}

}  // namespace
}  // namespace tw::mfc::ole_test
