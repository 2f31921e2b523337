// Colouring with the built-in default settings, read from the program's
// resources, by the colour of pixels where the characters are painted; and
// a settings file in the working directory taking their place.
#include "tests/editctrl/window/EditWindowFixture.h"

#include <filesystem>
#include <fstream>

#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "resources/resource.h"

namespace ktvp_window_test {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kDarkGreen = RGB(0, 128, 0);
constexpr COLORREF kDarkRed = RGB(128, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

CString DefaultSettingsText()
{
    static const bool registered = tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
    (void)registered;
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!tw::FindResourceBytes(nullptr, MAKEINTRESOURCE(IDR_EDITOR_XML_SETTINGS), "EDITOR_XML_SETTINGS", &data, &size))
        return CString();
    return CString(reinterpret_cast<const char*>(data), static_cast<int>(size));
}

class EditColoringTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        EditWindowTest::SetUp();
        const CString settings = DefaultSettingsText();
        ASSERT_FALSE(settings.IsEmpty());
        ASSERT_TRUE(edit.LoadXMLSettingsFromBuffer(settings));
    }

    // Paints the whole control onto a memory bitmap.
    void Paint()
    {
        CRect client;
        edit.GetClientRect(&client);
        canvas.DeleteDC();
        bitmap.DeleteObject();
        ASSERT_TRUE(canvas.Attach(::CreateCompatibleDC(nullptr)));
        ASSERT_TRUE(bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr));
        canvas.SelectObject(&bitmap);
        edit.PaintClient(&canvas);
    }

    // Text is smoothed: a pixel counts when every channel lies near the colour's.
    static bool Near(COLORREF pixel, COLORREF color)
    {
        auto close = [](int a, int b) { return a - b <= 48 && b - a <= 48; };
        return close(GetRValue(pixel), GetRValue(color)) && close(GetGValue(pixel), GetGValue(color)) &&
               close(GetBValue(pixel), GetBValue(color));
    }

    // Pixels of this colour in the cells of the characters.
    int CountColor(int start, int end, COLORREF color)
    {
        POINT from{}, to{};
        edit.OffsetToPoint(start, from);
        edit.OffsetToPoint(end, to);
        int found = 0;
        for (int y = from.y; y < from.y + edit.m_nRowHeight; ++y)
            for (int x = from.x; x < to.x; ++x)
                found += Near(canvas.GetPixel(x, y), color) ? 1 : 0;
        return found;
    }

    CDC canvas;
    CBitmap bitmap;
};

TEST_F(EditColoringTest, DefaultSettingsHoldTheKeywordsBlocksAndDelimiters)
{
    EXPECT_EQ(edit.m_colorRules.GetWordCount(), 167);
    EXPECT_EQ(edit.m_colorRules.GetBlocks().size(), 4u);
    EXPECT_EQ(edit.m_strWordDelimiters.GetLength(), 27);
    EXPECT_GE(edit.m_strWordDelimiters.Find('\\'), 0);
    EXPECT_LT(edit.m_strWordDelimiters.Find('<'), 0);
    EXPECT_STREQ(edit.m_strSpecialDelimiters, ";.{}\n");
    EXPECT_STREQ(edit.m_strIntelliSenseChars, ".>:");
}

TEST_F(EditColoringTest, KeywordsCommentsStringsAndBlocksArePaintedInTheirColours)
{
    //                   0         1         2         3
    //                   0123456789012345678901234567890123456
    const char* text = "SeLeCt xyz -- note\n'str' /* one\ntwo */ from";
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Paint();
    EXPECT_GT(CountColor(0, 6, kBlue), 0) << "keywords match in any letter case";
    EXPECT_EQ(CountColor(7, 10, kBlue), 0);
    EXPECT_GT(CountColor(7, 10, GetSysColor(COLOR_WINDOWTEXT)), 0);
    EXPECT_GT(CountColor(11, 18, kDarkGreen), 0) << "-- runs to the end of the row";
    EXPECT_GT(CountColor(19, 24, kDarkRed), 0);
    EXPECT_GT(CountColor(25, 31, kDarkGreen), 0);
    EXPECT_GT(CountColor(32, 38, kDarkGreen), 0) << "the comment goes on over the next row";
    EXPECT_GT(CountColor(39, 43, kBlue), 0);
    EXPECT_EQ(CountColor(32, 38, kBlue), 0);
}

TEST_F(EditColoringTest, TextAfterATabIsPaintedWhereTheCaretPlacesIt)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a\tselect\t\tfrom"));
    Paint();
    EXPECT_GT(CountColor(2, 8, kBlue), 0);
    EXPECT_EQ(CountColor(1, 2, kBlue), 0) << "the tab's gap stays empty";
    EXPECT_GT(CountColor(10, 14, kBlue), 0);
}

TEST_F(EditColoringTest, ACommentOpenedAboveTheViewStillColoursTheFirstVisibleRow)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("/* open\nselect inside\n*/ select"));
    edit.ScrollText(SB_VERT, SB_LINEDOWN, 0);
    ASSERT_EQ(edit.m_nFirstVisibleRow, 1);
    Paint();
    EXPECT_GT(CountColor(8, 14, kDarkGreen), 0);
    EXPECT_EQ(CountColor(8, 14, kBlue), 0) << "a keyword inside a comment is comment";
    EXPECT_GT(CountColor(25, 31, kBlue), 0);
}

TEST_F(EditColoringTest, SelectionColoursCoverPartOfAKeywordAndTheRestKeepsItsColour)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("select 1"));
    edit.SetFocus();
    edit.SetSelection(3, 8, FALSE, TRUE);
    Paint();
    EXPECT_GT(CountColor(0, 3, kBlue), 0);
    EXPECT_GT(CountColor(3, 6, edit.m_clrSelBack), 0);
    EXPECT_EQ(CountColor(3, 6, kBlue), 0);
}

TEST_F(EditColoringTest, BookmarksAreDrawnInTheMarkerMarginAndLineNumbersBesideIt)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a\nb\nc"));
    ASSERT_TRUE(edit.ToggleMarker(1, KTVP_MARKER_BOOKMARK));
    edit.m_bLineNumbers = TRUE;
    ::SendMessage(edit.m_hWnd, WM_SIZE, 0, 0);
    Paint();
    const int row = edit.m_nRowHeight;
    const int mid = edit.m_nMarkerMarginWidth / 2;
    EXPECT_EQ(canvas.GetPixel(mid, row + row / 2), RGB(0, 255, 255));
    EXPECT_NE(canvas.GetPixel(mid, row / 2), RGB(0, 255, 255));
    int numberPixels = 0;
    for (int y = 0; y < row; ++y)
        for (int x = edit.m_nMarkerMarginWidth; x < edit.m_nMarkerMarginWidth + edit.m_nLineNumberMarginWidth - 2; ++x)
            numberPixels += Near(canvas.GetPixel(x, y), RGB(0, 130, 132)) ? 1 : 0;
    EXPECT_GT(numberPixels, 0);
}

TEST_F(EditColoringTest, ASettingsFileInTheDataFolderOverridesTheDefaults)
{
    std::filesystem::create_directories("data");
    std::ofstream("data/DazoRer.dat") << "<COLOR_DATA>\r\n<KEYWORDS>\r\n<Color>ff00\r\n00</Color>\r\n"
                                         "<Keyword>xyz</Keyword></KEYWORDS>\r\n</COLOR_DATA>\r\n";
    ASSERT_TRUE(edit.LoadXMLSettings(".//data//DazoRer.dat"));
    EXPECT_EQ(edit.m_colorRules.GetWordCount(), 1);
    EXPECT_TRUE(edit.m_colorRules.GetBlocks().empty());
    EXPECT_EQ(edit.m_strWordDelimiters.GetLength(), 27) << "what the file lacks stays";
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("select xyz XYZ"));
    COLORREF text = 0, back = 0;
    ASSERT_TRUE(edit.GetWordColor("xyz", text, back, 0));
    EXPECT_EQ(text, kRed) << "a value split over lines is joined";
    Paint();
    EXPECT_EQ(CountColor(0, 6, kBlue), 0);
    EXPECT_GT(CountColor(7, 10, kRed), 0);
    EXPECT_EQ(CountColor(11, 14, kRed), 0) << "without CaseSensitive a keyword matches only as written";
    EXPECT_FALSE(edit.LoadXMLSettings(".//data//missing.dat"));
    EXPECT_EQ(edit.m_colorRules.GetWordCount(), 1);
}

TEST_F(EditColoringTest, ABareFileNameIsLookedForBesideTheProgramNotInTheWorkingDirectory)
{
    std::ofstream("bare-settings.dat") << "<COLOR_DATA></COLOR_DATA>";
    EXPECT_FALSE(edit.LoadXMLSettings("bare-settings.dat"));
    EXPECT_EQ(edit.m_colorRules.GetWordCount(), 167) << "nothing was applied";
    EXPECT_TRUE(edit.LoadXMLSettings("./bare-settings.dat"));
    EXPECT_EQ(edit.m_colorRules.GetWordCount(), 0);
}

}  // namespace
}  // namespace ktvp_window_test
