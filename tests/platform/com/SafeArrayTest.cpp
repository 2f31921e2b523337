#include <gtest/gtest.h>

#include <cstring>

#include "TestObjects.h"
#include "platform/com/OleAuto.h"

namespace {

// One row as the grid fetch builds it: a vector of string VARIANTs.
class RowVector : public testing::Test {
protected:
    void SetUp() override { m_row = SafeArrayCreateVector(VT_VARIANT, 0, 3); }
    void TearDown() override { EXPECT_EQ(SafeArrayDestroy(m_row), S_OK); }

    SAFEARRAY* m_row = nullptr;
};

TEST_F(RowVector, BoundsAndType)
{
    ASSERT_NE(m_row, nullptr);
    EXPECT_EQ(SafeArrayGetDim(m_row), 1u);
    EXPECT_EQ(m_row->rgsabound[0].cElements, 3u);
    LONG bound = -1;
    EXPECT_EQ(SafeArrayGetLBound(m_row, 1, &bound), S_OK);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(SafeArrayGetUBound(m_row, 1, &bound), S_OK);
    EXPECT_EQ(bound, 2);
    EXPECT_EQ(SafeArrayGetUBound(m_row, 2, &bound), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayGetLBound(m_row, 0, &bound), DISP_E_BADINDEX);
    VARTYPE vt = VT_EMPTY;
    EXPECT_EQ(SafeArrayGetVartype(m_row, &vt), S_OK);
    EXPECT_EQ(vt, VT_VARIANT);
}

TEST_F(RowVector, PutAndGetCopyTheValues)
{
    _variant_t cell("abc");
    LONG index = 1;
    ASSERT_EQ(SafeArrayPutElement(m_row, &index, &cell), S_OK);
    cell = "changed afterwards";
    VARIANT out;
    VariantInit(&out);
    ASSERT_EQ(SafeArrayGetElement(m_row, &index, &out), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(out.bstrVal), "abc");
    VariantClear(&out);
    index = 0;
    ASSERT_EQ(SafeArrayGetElement(m_row, &index, &out), S_OK);
    EXPECT_EQ(out.vt, VT_EMPTY) << "new elements start empty";
}

TEST_F(RowVector, IndexOutsideTheBoundsIsRefused)
{
    _variant_t cell(1);
    VARIANT out;
    VariantInit(&out);
    for (LONG index : {-1L, 3L, 1000L}) {
        LONG i = static_cast<LONG>(index);
        EXPECT_EQ(SafeArrayPutElement(m_row, &i, &cell), DISP_E_BADINDEX) << index;
        EXPECT_EQ(SafeArrayGetElement(m_row, &i, &out), DISP_E_BADINDEX) << index;
    }
    EXPECT_EQ(SafeArrayPutElement(nullptr, nullptr, &cell), E_INVALIDARG);
}

TEST_F(RowVector, LockedArraysCannotBeDestroyedOrResized)
{
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(m_row, &data), S_OK);
    EXPECT_EQ(data, m_row->pvData);
    EXPECT_EQ(SafeArrayDestroy(m_row), DISP_E_ARRAYISLOCKED);
    SAFEARRAYBOUND bigger{5, 0};
    EXPECT_EQ(SafeArrayRedim(m_row, &bigger), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayUnaccessData(m_row), S_OK);
    EXPECT_EQ(SafeArrayUnlock(m_row), E_UNEXPECTED) << "unlocking more than locked";
}

TEST(SafeArray, InterfaceElementsHoldTheirOwnReference)
{
    const int liveBefore = TestThing::s_live;
    auto* thing = new TestThing;
    SAFEARRAY* objects = SafeArrayCreateVector(VT_UNKNOWN, 1, 2);
    LONG index = 2;
    ASSERT_EQ(SafeArrayPutElement(objects, &index, thing->GetUnknown()), S_OK);
    EXPECT_EQ(thing->RefCount(), 2u);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(objects, &copy), S_OK);
    EXPECT_EQ(thing->RefCount(), 3u);
    IUnknown* out = nullptr;
    ASSERT_EQ(SafeArrayGetElement(copy, &index, &out), S_OK);
    EXPECT_EQ(out, thing->GetUnknown());
    out->Release();
    SafeArrayDestroy(copy);
    SafeArrayDestroy(objects);
    EXPECT_EQ(thing->RefCount(), 1u);
    thing->Release();
    EXPECT_EQ(TestThing::s_live, liveBefore);
}

TEST(SafeArray, BinaryValuesAsBytes)
{
    const BYTE bytes[] = {0x00, 0xFF, 0x10, 0x20};
    SAFEARRAY* blob = SafeArrayCreateVector(VT_UI1, 0, sizeof bytes);
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(blob, &data), S_OK);
    std::memcpy(data, bytes, sizeof bytes);
    SafeArrayUnaccessData(blob);

    SAFEARRAYBOUND shorter{2, 0};
    ASSERT_EQ(SafeArrayRedim(blob, &shorter), S_OK);
    LONG upper = 0;
    SafeArrayGetUBound(blob, 1, &upper);
    EXPECT_EQ(upper, 1);
    BYTE second = 0;
    LONG index = 1;
    ASSERT_EQ(SafeArrayGetElement(blob, &index, &second), S_OK);
    EXPECT_EQ(second, 0xFF);

    _variant_t value;
    value.vt = VT_ARRAY | VT_UI1;
    value.parray = blob; // the variant now owns the array
    _variant_t copy(value);
    EXPECT_NE(copy.parray, blob) << "copying a variant copies its array";
    EXPECT_EQ(static_cast<const BYTE*>(copy.parray->pvData)[1], 0xFF);
}

TEST(SafeArray, StringElementsAreCopiedWhole)
{
    SAFEARRAY* names = SafeArrayCreateVector(VT_BSTR, 0, 1);
    BSTR name = SysAllocStringLen(u"a\0b", 3);
    LONG index = 0;
    ASSERT_EQ(SafeArrayPutElement(names, &index, name), S_OK);
    SysFreeString(name);
    BSTR out = nullptr;
    ASSERT_EQ(SafeArrayGetElement(names, &index, &out), S_OK);
    EXPECT_EQ(SysStringLen(out), 3u);
    SysFreeString(out);
    SafeArrayDestroy(names);
}

TEST(SafeArray, TwoDimensionsTakeRightmostIndexFirst)
{
    SAFEARRAYBOUND bounds[2] = {{2, 1}, {3, 10}}; // a(1 To 2, 10 To 12)
    SAFEARRAY* grid = SafeArrayCreate(VT_I4, 2, bounds);
    ASSERT_NE(grid, nullptr);
    LONG lower = 0;
    SafeArrayGetLBound(grid, 1, &lower);
    EXPECT_EQ(lower, 1);
    SafeArrayGetLBound(grid, 2, &lower);
    EXPECT_EQ(lower, 10);
    LONG value = 77;
    LONG at[2] = {12, 2}; // rightmost dimension first: a(2, 12)
    ASSERT_EQ(SafeArrayPutElement(grid, at, &value), S_OK);
    EXPECT_EQ(static_cast<LONG*>(grid->pvData)[5], 77) << "last element; the leftmost index varies fastest";
    LONG outside[2] = {2, 12};
    EXPECT_EQ(SafeArrayPutElement(grid, outside, &value), DISP_E_BADINDEX);
    SafeArrayDestroy(grid);
}

TEST(SafeArray, UnsupportedCreationsFail)
{
    SAFEARRAYBOUND bound{1, 0};
    EXPECT_EQ(SafeArrayCreate(VT_EMPTY, 1, &bound), nullptr);
    EXPECT_EQ(SafeArrayCreate(VT_I4, 0, &bound), nullptr);
    EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

} // namespace
