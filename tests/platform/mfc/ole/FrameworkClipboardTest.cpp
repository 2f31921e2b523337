// The framework's data source and data object over the clipboard: cached and
// rendered-on-request formats, text and a registered format, and ownership.
#include <gtest/gtest.h>

#include "tests/platform/mfc/ole/OleWindowTest.h"

namespace tw::mfc::ole_test {
namespace {

// Renders its registered format only when someone asks for it.
class RenderingSource : public COleDataSource {
public:
    explicit RenderingSource(int* renders) : renders_(renders) {}
    BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override
    {
        ++*renders_;
        if (lpFormatEtc->cfFormat != Format())
            return FALSE;
        *phGlobal = OleWindowTest::TextBlockPublic("rendered");
        return TRUE;
    }
    static CLIPFORMAT Format() { return static_cast<CLIPFORMAT>(RegisterClipboardFormat("OleTestRendered")); }

private:
    int* renders_;
};

using FrameworkClipboardTest = OleWindowTest;

TEST_F(FrameworkClipboardTest, TextAndARegisteredFormatRoundTrip)
{
    int renders = 0;
    auto* source = new RenderingSource(&renders);
    source->CacheGlobalData(CF_TEXT, TextBlock("plain text"));
    source->DelayRenderData(RenderingSource::Format());
    source->SetClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), source);

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_TRUE(data.IsDataAvailable(RenderingSource::Format()));
    EXPECT_FALSE(data.IsDataAvailable(static_cast<CLIPFORMAT>(RegisterClipboardFormat("OleTestAbsent"))));
    EXPECT_EQ(TextOfPublic(data.GetGlobalData(CF_TEXT), true), "plain text");
    EXPECT_EQ(TextOfPublic(data.GetGlobalData(RenderingSource::Format()), true), "rendered");
    EXPECT_GE(renders, 1);

    CFile* file = data.GetFileData(CF_TEXT);
    ASSERT_NE(file, nullptr);
    char bytes[16] = {};
    EXPECT_EQ(file->Read(bytes, sizeof bytes), 11u);
    EXPECT_STREQ(bytes, "plain text");
    delete file;

    FORMATETC format{};
    data.BeginEnumFormats();
    int formats = 0;
    while (data.GetNextFormat(&format))
        ++formats;
    EXPECT_GE(formats, 2);
}

TEST_F(FrameworkClipboardTest, TheNextOwnerReplacesTheFirstAndFlushKeepsTheData)
{
    int renders = 0;
    auto* first = new RenderingSource(&renders);
    first->CacheGlobalData(CF_TEXT, TextBlock("first"));
    first->SetClipboard();
    auto* second = new COleDataSource;
    second->CacheGlobalData(CF_TEXT, TextBlock("second"));
    // The clipboard deletes the first owner now.
    second->SetClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), second);
    COleDataSource::FlushClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_EQ(TextOfPublic(data.GetGlobalData(CF_TEXT), true), "second");
}

TEST_F(FrameworkClipboardTest, AnEmptyDataObjectOffersNothing)
{
    COleDataObject data;
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(data.GetGlobalData(CF_TEXT), nullptr);
    EXPECT_EQ(data.GetFileData(CF_TEXT), nullptr);
    data.BeginEnumFormats();
    FORMATETC format{};
    EXPECT_FALSE(data.GetNextFormat(&format));
}

}  // namespace
}  // namespace tw::mfc::ole_test
