// Smart pointers and object creation: reference counts stay exact, creation
// goes through our class registry by CLSID or ProgID.
#include <gtest/gtest.h>

#include <string>

#include "TestObjects.h"

namespace {

// {5E1D0A20-3C2B-4B7A-9E61-2F0C1A7B9D01}
DEFINE_GUID(CLSID_TestThing, 0x5E1D0A20, 0x3C2B, 0x4B7A, 0x9E, 0x61, 0x2F, 0x0C, 0x1A, 0x7B, 0x9D, 0x01);
// {5E1D0A21-3C2B-4B7A-9E61-2F0C1A7B9D01}
DEFINE_GUID(CLSID_NobodyRegistered, 0x5E1D0A21, 0x3C2B, 0x4B7A, 0x9E, 0x61, 0x2F, 0x0C, 0x1A, 0x7B, 0x9D, 0x01);

class Registered : public testing::Test {
protected:
    void SetUp() override
    {
        tw::com::ClassRegistry::Instance().Register(CLSID_TestThing, {"Tarnwick.TestThing", "Tarnwick.TestThing.1"},
                                                    tw::com::ClassRegistry::FactoryOf<TestThing>());
        m_liveBefore = TestThing::s_live;
    }
    void TearDown() override
    {
        tw::com::ClassRegistry::Instance().Unregister(CLSID_TestThing);
        EXPECT_EQ(TestThing::s_live, m_liveBefore) << "every object created was released exactly once";
    }

    int m_liveBefore = 0;
};

TEST_F(Registered, CreateInstanceByClsidAndProgId)
{
    ITestThingPtr byClsid;
    ASSERT_EQ(byClsid.CreateInstance(CLSID_TestThing), S_OK);
    EXPECT_EQ(byClsid->Value(), 7);

    ITestThingPtr byProgId;
    ASSERT_EQ(byProgId.CreateInstance("tarnwick.testthing"), S_OK) << "ProgIDs compare without case";
    ITestThingPtr byClsidText;
    ASSERT_EQ(byClsidText.CreateInstance(u"{5E1D0A20-3C2B-4B7A-9E61-2F0C1A7B9D01}"), S_OK);
    EXPECT_NE(byProgId, byClsidText) << "each creation is a new object";
}

TEST_F(Registered, CreationFailures)
{
    ITestThingPtr thing;
    EXPECT_EQ(thing.CreateInstance(CLSID_NobodyRegistered), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(thing.CreateInstance("No.Such.Class"), CO_E_CLASSSTRING);
    EXPECT_FALSE(thing);
    EXPECT_THROW(ITestThingPtr raising(CLSID_NobodyRegistered), _com_error);

    IUnknownPtr outer(new PlainThing, false);
    void* out = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_TestThing, outer, CLSCTX_ALL, IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_TestThing, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
}

TEST_F(Registered, ProgIdAndClsidLookups)
{
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(u"Tarnwick.TestThing.1", &clsid), S_OK);
    EXPECT_TRUE(clsid == CLSID_TestThing);
    LPOLESTR progId = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(CLSID_TestThing, &progId), S_OK);
    EXPECT_EQ(std::u16string(progId), u"Tarnwick.TestThing");
    CoTaskMemFree(progId);
    EXPECT_EQ(ProgIDFromCLSID(CLSID_NobodyRegistered, &progId), REGDB_E_CLASSNOTREG);
    ASSERT_EQ(CLSIDFromString(u"Tarnwick.TestThing", &clsid), S_OK);
    EXPECT_EQ(CLSIDFromString(u"{5E1D0A20-3C2B-4B7A-9E61-2F0C1A7B9D0}", &clsid), CO_E_CLASSSTRING);
}

TEST_F(Registered, AssignmentFromAnotherTypeQueriesTheInterface)
{
    ITestThingPtr thing(CLSID_TestThing);
    ITestOtherPtr other = thing;
    ASSERT_TRUE(other);
    EXPECT_EQ(other->Twice(), 14);
    IUnknownPtr identity = other;
    EXPECT_EQ(identity.GetInterfacePtr(), static_cast<IUnknown*>(thing.GetInterfacePtr()));

    ITestThingPtr plain(new PlainThing, false);
    ITestOtherPtr missing = plain;
    EXPECT_FALSE(missing) << "no such interface gives NULL, not an exception";

    _variant_t holder(static_cast<IUnknown*>(thing));
    ITestOtherPtr fromVariant = holder;
    EXPECT_TRUE(fromVariant);
}

TEST(ComPtr, CountsStayExact)
{
    auto* thing = new TestThing;
    ITestThing* raw = thing;
    {
        ITestThingPtr owner(raw, false); // takes the creator's reference
        EXPECT_EQ(thing->RefCount(), 1u);
        ITestThingPtr copy = owner;
        EXPECT_EQ(thing->RefCount(), 2u);
        ITestThingPtr moved = std::move(copy);
        EXPECT_EQ(thing->RefCount(), 2u);
        EXPECT_FALSE(copy);
        moved = owner; // same object: no change
        EXPECT_EQ(thing->RefCount(), 2u);
        moved = nullptr;
        EXPECT_EQ(thing->RefCount(), 1u);
        ITestThing** out = &moved; // releases what it held (nothing) for an [out] parameter
        *out = raw;
        raw->AddRef();
        EXPECT_EQ(thing->RefCount(), 2u);
        ITestThing* detached = moved.Detach();
        EXPECT_EQ(thing->RefCount(), 2u);
        detached->Release();
        owner.AddRef();
        owner.GetInterfacePtr()->Release();
        EXPECT_EQ(thing->RefCount(), 1u);
        thing->AddRef(); // keep the object to read its count afterwards
    }
    EXPECT_EQ(thing->RefCount(), 1u);
    thing->Release();
}

TEST_F(Registered, AssignmentFromTemporariesKeepsCountsExact)
{
    // Results of calls are temporaries: move assignment must not depend on the
    // pointer's own operator&, and cross-interface assignment goes through it too.
    auto make = [] { return ITestThingPtr(CLSID_TestThing); };
    ITestThingPtr thing;
    thing = make();
    ASSERT_TRUE(thing);
    EXPECT_EQ(static_cast<TestThing*>(thing.GetInterfacePtr())->RefCount(), 1u);
    thing = make(); // the first object is released, the second kept
    EXPECT_EQ(static_cast<TestThing*>(thing.GetInterfacePtr())->RefCount(), 1u);

    ITestOtherPtr other;
    other = thing;
    ASSERT_TRUE(other);
    EXPECT_EQ(static_cast<TestThing*>(thing.GetInterfacePtr())->RefCount(), 2u);
    other = make();
    EXPECT_EQ(static_cast<TestThing*>(thing.GetInterfacePtr())->RefCount(), 1u);
}

TEST(ComPtr, NullDereferenceRaisesPointerError)
{
    ITestThingPtr none;
    try {
        none->Value();
        ADD_FAILURE() << "no exception";
    } catch (const _com_error& error) {
        EXPECT_EQ(error.Error(), E_POINTER);
    }
    EXPECT_THROW(none.Release(), _com_error);
    EXPECT_THROW((void)*none, _com_error);
    EXPECT_TRUE(none == nullptr);
}

TEST(ComPtr, NullAndZeroReadAsThePlatformsNullPointer)
{
    ITestThingPtr none = NULL;
    EXPECT_TRUE(none == NULL);
    EXPECT_TRUE(0 == none);
    EXPECT_FALSE(none != NULL);
    ITestThingPtr thing(new TestThing, false);
    EXPECT_TRUE(thing != NULL);
    thing = NULL;
    EXPECT_TRUE(!thing);
    EXPECT_THROW(ITestThingPtr notNull(1), _com_error) << "only zero stands for a pointer";
}

TEST(GuidText, FormatsAndParsesBracedUpperCaseHex)
{
    const GUID grid = {0x6A24B340, 0x7634, 0x11D3, {0xA5, 0xB0, 0x00, 0x50, 0x04, 0x4A, 0x7E, 0x1A}};
    OLECHAR text[39];
    EXPECT_EQ(StringFromGUID2(grid, text, 39), 39);
    EXPECT_EQ(std::u16string(text), u"{6A24B340-7634-11D3-A5B0-0050044A7E1A}");
    EXPECT_EQ(StringFromGUID2(grid, text, 38), 0) << "no room for the NUL";
    GUID back{};
    ASSERT_EQ(IIDFromString(u"{6a24b340-7634-11d3-a5b0-0050044a7e1a}", &back), S_OK);
    EXPECT_TRUE(back == grid);
    EXPECT_EQ(IIDFromString(u"6A24B340-7634-11D3-A5B0-0050044A7E1A", &back), E_INVALIDARG);
    LPOLESTR allocated = nullptr;
    ASSERT_EQ(StringFromCLSID(IID_IDispatch, &allocated), S_OK);
    EXPECT_EQ(std::u16string(allocated), u"{00020400-0000-0000-C000-000000000046}");
    CoTaskMemFree(allocated);
}

TEST(ComThread, InitialisationCountsPerThread)
{
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(tw::com::ComInitCount(), 3);
    OleUninitialize();
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(tw::com::ComInitCount(), 0);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "a fresh start may pick another model";
    CoUninitialize();
}

TEST(TaskMemory, AllocatorKnowsBlockSizes)
{
    IMalloc* malloc = nullptr;
    ASSERT_EQ(CoGetMalloc(MEMCTX_TASK, &malloc), S_OK);
    void* block = malloc->Alloc(24);
    EXPECT_EQ(malloc->GetSize(block), 24u);
    block = CoTaskMemRealloc(block, 100);
    EXPECT_EQ(malloc->GetSize(block), 100u);
    malloc->Free(block);
    malloc->Release();
}

} // namespace
