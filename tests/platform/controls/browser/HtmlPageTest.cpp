#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls/browser/BrowserHistory.h"
#include "platform/controls/browser/HtmlPage.h"

namespace tw::browser {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

uint32_t Rgb(uint32_t pixel)
{
    return pixel & 0xFFFFFF;
}

class HtmlPageTest : public ::testing::Test {
protected:
    std::vector<uint32_t> Paint(int scrollY = 0)
    {
        std::vector<uint32_t> pixels(size_t(kWidth) * kHeight);
        page.Paint(pixels.data(), kWidth, kHeight, 0, scrollY);
        return pixels;
    }
    // Whether any pixel of the rectangle has this colour.
    static bool Has(const std::vector<uint32_t>& pixels, uint32_t rgb, int left, int top, int right, int bottom)
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (Rgb(pixels[size_t(y) * kWidth + size_t(x)]) == rgb)
                    return true;
        return false;
    }

    // Whether any pixel of the rectangle is darker than mid grey.
    static bool HasDark(const std::vector<uint32_t>& pixels, int left, int top, int right, int bottom)
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const uint32_t p = pixels[size_t(y) * kWidth + size_t(x)];
                if ((p & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && ((p >> 16) & 0xFF) < 0x80)
                    return true;
            }
        return false;
    }

    HtmlPage page;
};

TEST_F(HtmlPageTest, BlocksStackAndTheTitleIsRead)
{
    page.Load("<html><head><title>Start here</title></head><body>"
              "<h1>Heading</h1><p>One paragraph.</p><ul><li>a</li><li>b</li></ul>"
              "<table border=1><tr><th>H</th><td>cell</td></tr></table></body></html>",
              "/nowhere/page.htm");
    const int oneBlock = [] {
        HtmlPage single;
        single.Load("<p>One paragraph.</p>", "");
        return single.Layout(kWidth, kHeight);
    }();
    EXPECT_EQ(page.Title(), "Start here");
    EXPECT_GT(page.Layout(kWidth, kHeight), 3 * oneBlock);
    EXPECT_EQ(page.Height(), page.Layout(kWidth, kHeight)) << "layout is repeatable";
}

TEST_F(HtmlPageTest, NarrowerViewportsWrapTextIntoATallerPage)
{
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "word ";
    page.Load("<p>" + words + "</p>", "");
    const int wide = page.Layout(kWidth, kHeight);
    EXPECT_GT(page.Layout(kWidth / 4, kHeight), 2 * wide);
}

TEST_F(HtmlPageTest, PaintsBackgroundsTextAndTheScrolledPart)
{
    page.Load("<body style='margin:0'><div style='background:#ff0000;height:50px'></div>"
              "<div style='height:400px'></div><div style='background:#00ff00;height:50px'></div>"
              "<p style='color:#0000ff;font-size:30px'>XXXX</p></body>",
              "");
    page.Layout(kWidth, kHeight);
    const auto top = Paint();
    EXPECT_EQ(Rgb(top[10 * kWidth + 10]), 0xFF0000u);
    EXPECT_EQ(Rgb(top[100 * kWidth + 10]), 0xFFFFFFu) << "the ground is white";
    const auto scrolled = Paint(450);
    EXPECT_EQ(Rgb(scrolled[10 * kWidth + 10]), 0x00FF00u);
    EXPECT_TRUE(Has(scrolled, 0x0000FF, 0, 50, 200, kHeight)) << "the blue text is drawn below the green block";
}

TEST_F(HtmlPageTest, ClickingALinkAnswersItsAddressAndElsewhereNothing)
{
    page.Load("<body style='margin:0;font-size:20px'><a href='second.htm#part'>next page</a>"
              "<p>plain text</p></body>",
              "");
    page.Layout(kWidth, kHeight);
    EXPECT_EQ(page.Click(10, 10).value_or(""), "second.htm#part");
    EXPECT_FALSE(page.Click(10, 60).has_value());
    page.MouseMove(10, 10);
    EXPECT_EQ(page.Cursor(), "pointer");
}

TEST_F(HtmlPageTest, AnchorsAreFoundByIdOrNameOnly)
{
    page.Load("<body style='margin:0'><div style='height:500px'></div><h2 id='later'>Later</h2>"
              "<a name='old-style'></a></body>",
              "");
    page.Layout(kWidth, kHeight);
    EXPECT_EQ(page.AnchorTop("later").value_or(-1), 500 + 20) << "below the block and the heading's margin";
    EXPECT_TRUE(page.AnchorTop("old-style").has_value());
    EXPECT_FALSE(page.AnchorTop("missing").has_value());
    EXPECT_FALSE(page.AnchorTop("later],h2[id=later").has_value()) << "a fragment is never read as a selector";
}

TEST_F(HtmlPageTest, ListMarkersAreDrawnForOrderedAndUnorderedLists)
{
    page.Load("<body style='margin:0;color:#000000'><ol style='margin:0'><li>first</li></ol>"
              "<ul style='margin:0'><li>bullet</li></ul></body>",
              "");
    page.Layout(kWidth, kHeight);
    const auto pixels = Paint();
    // Markers sit in the 40-pixel indent, left of the item text.
    EXPECT_TRUE(HasDark(pixels, 0, 0, 39, 19)) << "the number";
    EXPECT_TRUE(HasDark(pixels, 0, 20, 39, 40)) << "the bullet";
}

TEST(BrowserHistoryTest, BackAndForwardFollowTheVisits)
{
    BrowserHistory history;
    std::string address;
    EXPECT_FALSE(history.GoBack(address));
    history.Visit("a");
    history.Visit("b");
    history.Visit("b");
    history.Visit("c");
    ASSERT_TRUE(history.GoBack(address));
    EXPECT_EQ(address, "b");
    ASSERT_TRUE(history.GoBack(address));
    EXPECT_EQ(address, "a");
    EXPECT_FALSE(history.GoBack(address)) << "the same page twice in a row is one step";
    ASSERT_TRUE(history.GoForward(address));
    EXPECT_EQ(address, "b");
    history.Visit("d");
    EXPECT_FALSE(history.CanGoForward()) << "a new visit drops the pages ahead";
    ASSERT_TRUE(history.GoBack(address));
    EXPECT_EQ(address, "b");
}

}  // namespace
}  // namespace tw::browser
