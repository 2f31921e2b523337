#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/kernel/GlobalMemory.h"
#include "tests/platform/ole/OleTestFixture.h"

namespace tw::ole::test {
namespace {

using DataTransferTest = OleTest;

HGLOBAL BlockOf(const std::string& text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

TEST_F(DataTransferTest, RequestsThatCannotBeAnsweredSayWhy)
{
    IDataObject* data = TextData("x");
    struct Case {
        FORMATETC request;
        HRESULT expected;
    } cases[] = {
        {GlobalFormat(CF_TEXT), S_OK},
        {GlobalFormat(CF_UNICODETEXT), DV_E_FORMATETC},
        {FORMATETC{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM}, DV_E_TYMED},
        {FORMATETC{CF_TEXT, nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL}, DV_E_DVASPECT},
    };
    for (Case& c : cases) {
        EXPECT_EQ(data->QueryGetData(&c.request), c.expected) << c.request.cfFormat << "/" << c.request.tymed;
        STGMEDIUM medium{};
        const HRESULT hr = data->GetData(&c.request, &medium);
        EXPECT_EQ(hr, c.expected);
        if (SUCCEEDED(hr))
            ReleaseStgMedium(&medium);
    }
    data->Release();
}

TEST_F(DataTransferTest, DelayedFormatIsRenderedForEachRequest)
{
    auto* data = new DataObject;
    int renders = 0;
    data->DelayRender(GlobalFormat(CF_TEXT), [&renders](const FORMATETC&) {
        ++renders;
        return BlockOf("late " + std::to_string(renders));
    });
    EXPECT_EQ(renders, 0);
    EXPECT_EQ(TextOf(data), "late 1");
    EXPECT_EQ(TextOf(data), "late 2");
    data->Release();
}

TEST_F(DataTransferTest, EachGetDataHandsOutItsOwnCopy)
{
    IDataObject* data = TextData("kept");
    FORMATETC request = GlobalFormat(CF_TEXT);
    STGMEDIUM first{};
    ASSERT_EQ(data->GetData(&request, &first), S_OK);
    std::memcpy(GlobalLock(first.hGlobal), "XXXX", 4);
    GlobalUnlock(first.hGlobal);
    ReleaseStgMedium(&first);
    EXPECT_EQ(first.hGlobal, nullptr);
    EXPECT_EQ(TextOf(data), "kept");
    data->Release();
}

TEST_F(DataTransferTest, EnumeratorListsTheCachedFormats)
{
    auto* data = new DataObject;
    const UINT privateFormat = RegisterClipboardFormat("OleTestPrivate");
    data->Cache(GlobalFormat(CF_TEXT), BlockOf("a"));
    data->Cache(GlobalFormat(static_cast<CLIPFORMAT>(privateFormat)), BlockOf("b"));
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(formats->Next(3, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(got[0].cfFormat, CF_TEXT);
    EXPECT_EQ(got[1].cfFormat, privateFormat);
    formats->Release();
    data->Release();
}

TEST_F(DataTransferTest, ClipboardRoundTripOfTextAndARegisteredFormat)
{
    const auto privateFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat("OleTestBlock"));
    auto* data = new DataObject;
    data->Cache(GlobalFormat(CF_TEXT), BlockOf("plain"));
    data->Cache(GlobalFormat(privateFormat), BlockOf("column block"));
    ASSERT_EQ(OleSetClipboard(data), S_OK);
    EXPECT_EQ(OleIsCurrentClipboard(data), S_OK);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(privateFormat));

    IDataObject* reader = nullptr;
    ASSERT_EQ(OleGetClipboard(&reader), S_OK);
    EXPECT_EQ(TextOf(reader), "plain");
    EXPECT_EQ(TextOf(reader, privateFormat), "column block");
    FORMATETC absent = GlobalFormat(static_cast<CLIPFORMAT>(RegisterClipboardFormat("OleTestAbsent")));
    EXPECT_EQ(reader->QueryGetData(&absent), DV_E_FORMATETC);

    // Flushing lets the object go; the data stay.
    EXPECT_EQ(OleFlushClipboard(), S_OK);
    EXPECT_EQ(OleIsCurrentClipboard(data), S_FALSE);
    EXPECT_EQ(TextOf(reader), "plain");
    reader->Release();
    EXPECT_EQ(data->RefCount(), 1u);
    data->Release();
}

TEST_F(DataTransferTest, AnotherWriterEndsOwnershipAndSetNullEmptiesOnlyOurs)
{
    IDataObject* data = TextData("ours");
    ASSERT_EQ(OleSetClipboard(data), S_OK);
    ASSERT_EQ(OleSetClipboard(nullptr), S_OK);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));

    ASSERT_EQ(OleSetClipboard(data), S_OK);
    HWND other = MakeWindow(RECT{0, 0, 10, 10});
    ASSERT_TRUE(OpenClipboard(other));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, BlockOf("theirs"));
    CloseClipboard();
    EXPECT_EQ(OleIsCurrentClipboard(data), S_FALSE);
    ASSERT_EQ(OleSetClipboard(nullptr), S_OK);
    IDataObject* reader = nullptr;
    ASSERT_EQ(OleGetClipboard(&reader), S_OK);
    EXPECT_EQ(TextOf(reader), "theirs");
    reader->Release();
    data->Release();
}

}  // namespace
}  // namespace tw::ole::test
