// Labels: notifications with and without SS_NOTIFY, parent colours, images,
// and the fills of rectangles.
#include "tests/platform/win32/controls/ControlTestFixture.h"

namespace tw::controls::test {
namespace {

class StaticTest : public ControlTest {};

TEST_F(StaticTest, ClicksReachTheParentOnlyWithNotify)
{
    HWND quiet = Make("Static", "quiet", SS_LEFT, RECT{10, 10, 150, 30}, 1);
    HWND loud = Make("Static", "loud", SS_LEFT | SS_NOTIFY, RECT{10, 40, 150, 60}, 2);
    Click(quiet, 5, 5);
    EXPECT_TRUE(Commands().empty());
    Clear();
    Click(loud, 5, 5);
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(2, STN_CLICKED)});
    Clear();
    DoubleClick(loud, 5, 5);
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(2, STN_CLICKED), CommandLine(2, STN_DBLCLK)}));
}

TEST_F(StaticTest, ParentColourMessageChoosesTheBackground)
{
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HWND label = nullptr;
    OnParentMessage([&](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lParam) != label)
            return false;
        *result = reinterpret_cast<LRESULT>(red);
        return true;
    });
    label = Make("Static", "", SS_LEFT, RECT{10, 10, 150, 30});
    InvalidateRect(label, nullptr, TRUE);
    Pump();
    EXPECT_EQ(ScreenPixel(label, 50, 10), RGB(255, 0, 0));
    OnParentMessage(nullptr);
    DestroyWindow(label);
    DeleteObject(red);
}

TEST_F(StaticTest, RectanglesAndFramesUseTheSystemColours)
{
    struct Case {
        DWORD style;
        COLORREF edge;
        COLORREF inside;
    };
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const Case cases[] = {
        {SS_BLACKRECT, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME)},
        {SS_GRAYRECT, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)},
        {SS_WHITEFRAME, GetSysColor(COLOR_BTNHIGHLIGHT), face},
        {SS_ETCHEDFRAME, GetSysColor(COLOR_BTNSHADOW), face},
    };
    for (const Case& c : cases) {
        HWND shape = Make("Static", "", c.style, RECT{10, 10, 60, 40});
        EXPECT_EQ(ScreenPixel(shape, 0, 10), c.edge) << "style " << c.style;
        EXPECT_EQ(ScreenPixel(shape, 25, 15), c.inside) << "style " << c.style;
        DestroyWindow(shape);
        Pump();
    }
}

TEST_F(StaticTest, SetIconAnswersThePreviousIconAndOnlyIconStaticsTakeIt)
{
    HWND icon = Make("Static", "", SS_ICON | SS_CENTERIMAGE, RECT{10, 10, 60, 60});
    HWND text = Make("Static", "t", SS_LEFT, RECT{70, 10, 160, 30});
    HICON first = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1111));
    HICON second = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x2222));
    EXPECT_EQ(SendMessage(text, STM_SETICON, reinterpret_cast<WPARAM>(first), 0), 0);
    EXPECT_EQ(SendMessage(text, STM_GETICON, 0, 0), 0);
    EXPECT_EQ(SendMessage(icon, STM_SETICON, reinterpret_cast<WPARAM>(first), 0), 0);
    EXPECT_EQ(SendMessage(icon, STM_SETICON, reinterpret_cast<WPARAM>(second), 0), reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessage(icon, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(SendMessage(icon, STM_SETIMAGE, IMAGE_BITMAP, 0), 0) << "an icon static takes no bitmap";
    SendMessage(icon, STM_SETICON, 0, 0);
    DestroyWindow(icon);
}

TEST_F(StaticTest, BitmapIsDrawnAtTheCentreWithCenterImage)
{
    HWND picture = Make("Static", "", SS_BITMAP | SS_CENTERIMAGE, RECT{10, 10, 70, 50});
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 10, 10);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    RECT all{0, 0, 10, 10};
    FillRect(memory, &all, green);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    Pump();
    RECT client{};
    GetClientRect(picture, &client);
    EXPECT_EQ(client.right, 60) << "a centred image leaves the control's size alone";
    EXPECT_EQ(ScreenPixel(picture, 30, 20), RGB(0, 200, 0));
    EXPECT_EQ(ScreenPixel(picture, 5, 5), GetSysColor(COLOR_BTNFACE));
    DestroyWindow(picture);
    DeleteObject(bitmap);
    DeleteObject(green);
}

class StaticAlignmentTest : public StaticTest, public ::testing::WithParamInterface<DWORD> {
protected:
    // The first and last columns where a label's text has ink.
    std::pair<int, int> InkColumns(HWND label, int width, int height)
    {
        int first = width;
        int last = -1;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (ScreenPixel(label, x, y) != GetSysColor(COLOR_BTNFACE)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        return {first, last};
    }
};

TEST_P(StaticAlignmentTest, TextSitsWhereTheStyleSays)
{
    HWND label = Make("Static", "Label", GetParam(), RECT{10, 10, 210, 30});
    const auto [first, last] = InkColumns(label, 200, 20);
    ASSERT_LT(first, last) << "some text was drawn";
    const int leftGap = first;
    const int rightGap = 199 - last;
    switch (GetParam() & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
        EXPECT_LT(leftGap, 3);
        break;
    case SS_RIGHT:
        EXPECT_LT(rightGap, 3);
        break;
    case SS_CENTER:
        EXPECT_NEAR(leftGap, rightGap, 3);
        break;
    default:
        FAIL();
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, StaticAlignmentTest,
                         ::testing::Values(SS_LEFT, SS_CENTER, SS_RIGHT, SS_LEFTNOWORDWRAP, SS_SIMPLE));

TEST_F(StaticTest, EndEllipsisKeepsLongTextOnOneLine)
{
    const char* text = "a long label that cannot fit in the narrow control at all";
    HWND wrapped = Make("Static", text, SS_LEFT, RECT{10, 10, 90, 70});
    HWND clipped = Make("Static", text, SS_LEFT | SS_ENDELLIPSIS, RECT{100, 10, 180, 70});
    auto inkRows = [&](HWND label) {
        int rows = 0;
        for (int y = 0; y < 60; ++y) {
            bool ink = false;
            for (int x = 0; x < 80 && !ink; ++x)
                ink = ScreenPixel(label, x, y) != GetSysColor(COLOR_BTNFACE);
            rows += ink ? 1 : 0;
        }
        return rows;
    };
    EXPECT_GT(inkRows(wrapped), inkRows(clipped) + 5) << "the plain label wraps onto more lines";
}

TEST_F(StaticTest, AnImageNamedByAMissingResourceOrdinalLeavesTheLabelEmpty)
{
    // Dialog templates name an icon label's image by ordinal, passed as the title.
    HWND icon = CreateWindowEx(0, "Static", MAKEINTRESOURCE(4242), WS_CHILD | WS_VISIBLE | SS_ICON, 10, 10, 32, 32,
                               parent, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowEx(0, "Edit", MAKEINTRESOURCE(7), WS_CHILD | WS_VISIBLE, 50, 10, 80, 20, parent, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(edit, nullptr);
    Pump();
    EXPECT_EQ(SendMessage(icon, STM_GETICON, 0, 0), 0);
    EXPECT_EQ(GetWindowTextLength(icon), 0);
    EXPECT_EQ(GetWindowTextLength(edit), 0);
}

TEST_F(StaticTest, TextChangesAreKeptAndRepainted)
{
    HWND label = Make("Static", "before", SS_CENTER, RECT{10, 10, 150, 30});
    SetWindowText(label, "after");
    EXPECT_EQ(TextOf(label), "after");
    EXPECT_EQ(SendMessage(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(label, &update, FALSE));
}

}  // namespace
}  // namespace tw::controls::test
