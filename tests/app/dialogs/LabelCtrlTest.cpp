// The label by pixels: backgrounds, text colour and font, the 3-D copy,
// rotation and flashing on the clock; which link clicks reach the desktop's
// opener; and the font-size list.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/FontSizeCombo.h"
#include "app/LabelCtrl.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/app/dialogs/ProgramControlFixture.h"
#include "tests/support/window/RecordingSpawner.h"

namespace tw::test {
namespace {

constexpr UINT kLabelId = 400;

bool NearColour(COLORREF pixel, COLORREF color)
{
    return std::abs(GetRValue(pixel) - GetRValue(color)) < 64 && std::abs(GetGValue(pixel) - GetGValue(color)) < 64 &&
           std::abs(GetBValue(pixel) - GetBValue(color)) < 64;
}

class LabelCtrlTest : public ProgramControlTest {
protected:
    void TearDown() override
    {
        tw::shell::SetProcessSpawner(nullptr);
        if (label.GetSafeHwnd() != nullptr)
            label.DestroyWindow();
        ProgramControlTest::TearDown();
    }

    // A static of a dialog template, subclassed as the program's dialogs do.
    void Make(const char* text, int cx = 200, int cy = 40, DWORD style = SS_LEFT)
    {
        const HWND hwnd = ::CreateWindowEx(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 20, 20, cx, cy, parent,
                                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLabelId)), nullptr,
                                           nullptr);
        ::SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        ASSERT_TRUE(label.SubclassWindow(hwnd));
        Repaint();
    }
    void Repaint()
    {
        label.Invalidate();
        label.UpdateWindow();
        PumpFiltered();
    }
    COLORREF At(int x, int y) { return ScreenPixel(label.GetSafeHwnd(), x, y); }

    struct Found {
        int count = 0;
        CRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};  // right and bottom inclusive
    };
    // Text is drawn smoothed: a pixel of the text is one nearer its colour
    // than the background's.
    Found Pixels(COLORREF color)
    {
        Found found;
        CRect client;
        label.GetClientRect(client);
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                if (!NearColour(At(x, y), color))
                    continue;
                ++found.count;
                found.box.left = std::min<int>(found.box.left, x);
                found.box.top = std::min<int>(found.box.top, y);
                found.box.right = std::max<int>(found.box.right, x);
                found.box.bottom = std::max<int>(found.box.bottom, y);
            }
        }
        return found;
    }

    CLabelCtrl label;
};

TEST_F(LabelCtrlTest, ASolidBackgroundAndTextColourAreDrawn)
{
    Make("Tarnwick");
    label.SetBkColor(RGB(0, 128, 0)).SetTextColor(RGB(255, 255, 0));
    EXPECT_EQ(At(1, 1), RGB(0, 128, 0));
    EXPECT_EQ(At(199, 39), RGB(0, 128, 0));
    const Found text = Pixels(RGB(255, 255, 0));
    EXPECT_GT(text.count, 20);
    EXPECT_LT(text.box.left, 10) << "left-aligned";
    EXPECT_EQ(Pixels(::GetSysColor(COLOR_WINDOWTEXT)).count, 0) << "no text left in the old colour";
}

TEST_F(LabelCtrlTest, TheDefaultBackgroundIsTheButtonFaceAndFollowsASystemColourChange)
{
    Make("");
    EXPECT_EQ(At(5, 5), ::GetSysColor(COLOR_3DFACE));
    const INT index[] = {COLOR_3DFACE};
    const COLORREF before[] = {::GetSysColor(COLOR_3DFACE)};
    const COLORREF changed[] = {RGB(200, 100, 50)};
    ASSERT_TRUE(::SetSysColors(1, index, changed));
    // The dialog hands the change on to its controls.
    label.SendMessage(WM_SYSCOLORCHANGE, 0, 0);
    PumpFiltered();
    const COLORREF after = At(5, 5);
    ::SetSysColors(1, index, before);
    EXPECT_EQ(after, RGB(200, 100, 50));
}

TEST_F(LabelCtrlTest, AGradientRunsInAtMostAHundredStripsToTheRightEdge)
{
    const struct {
        int width;
        int x;
        COLORREF expected;
    } cases[] = {
        // 200 pixels: a hundred strips of two pixels.
        {200, 0, RGB(0, 0, 0)},
        {200, 1, RGB(0, 0, 0)},
        {200, 100, RGB(100, 50, 0)},
        {200, 199, RGB(198, 99, 0)},
        // 50 pixels: one strip a pixel.
        {50, 0, RGB(0, 0, 0)},
        {50, 25, RGB(100, 50, 0)},
        {50, 49, RGB(196, 98, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("width " + std::to_string(c.width) + " x " + std::to_string(c.x));
        Make("", c.width, 30);
        label.SetBkColor(RGB(0, 0, 0), RGB(200, 100, 0), 1);
        EXPECT_EQ(At(c.x, 15), c.expected);
        EXPECT_EQ(At(c.x, 0), c.expected) << "strips run the full height";
        label.DestroyWindow();
    }
}

TEST_F(LabelCtrlTest, BoldFaceAndSizeChangeTheText)
{
    Make("iiiiiiii mmmm", 300, 60);
    label.SetBkColor(RGB(255, 255, 255)).SetTextColor(RGB(0, 0, 0)).SetFontName("Arial", ANSI_CHARSET).SetFontSize(10);
    const Found normal = Pixels(RGB(0, 0, 0));
    label.SetFontBold(TRUE);
    EXPECT_EQ(label.GetLogFont().lfWeight, FW_BOLD);
    const Found bold = Pixels(RGB(0, 0, 0));
    EXPECT_GT(bold.count, normal.count + normal.count / 5) << "bold strokes are wider";
    label.SetFontBold(FALSE).SetFontName("Courier New", ANSI_CHARSET);
    const Found mono = Pixels(RGB(0, 0, 0));
    EXPECT_GT(mono.box.Width(), normal.box.Width() + 20) << "a fixed face gives the i's full width";
    label.SetFontName("Arial", ANSI_CHARSET).SetFontSize(20);
    const Found large = Pixels(RGB(0, 0, 0));
    EXPECT_GT(large.box.Height(), normal.box.Height() * 3 / 2);
    EXPECT_LT(label.GetLogFont().lfHeight, 0) << "a point size is a character height";
}

TEST_F(LabelCtrlTest, FaceNamesLongerThanTheFontRecordAreCutAtAWholeCharacter)
{
    const std::string thirty(30, 'a');
    const struct {
        std::string face;
        std::string kept;
    } cases[] = {
        {"Arial", "Arial"},
        {thirty + "b", thirty + "b"},
        {thirty + "bcdef", thirty + "b"},
        {thirty + "\xC3\xA9", thirty},  // a two-byte character that would not fit whole
        {std::string(29, 'a') + "\xC3\xA9" + "x", std::string(29, 'a') + "\xC3\xA9"},
    };
    Make("x");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        label.SetFontName(c.face.c_str(), DEFAULT_CHARSET);
        EXPECT_EQ(std::string(label.GetLogFont().lfFaceName), c.kept);
        EXPECT_EQ(label.GetLogFont().lfCharSet, DEFAULT_CHARSET);
    }
}

TEST_F(LabelCtrlTest, The3DCopyIsOffsetDownRightWhenRaisedAndUpLeftWhenSunk)
{
    const COLORREF text = RGB(0, 0, 255);
    const COLORREF hilite = RGB(255, 0, 0);
    for (const int type : {1, 0}) {
        SCOPED_TRACE(type ? "raised" : "sunk");
        Make("Raised", 200, 40);
        label.SetBkColor(RGB(255, 255, 255)).SetTextColor(text).SetText3DHiliteColor(hilite);
        const Found alone = Pixels(text);
        label.SetText3D(TRUE, type);
        const Found copy = Pixels(hilite);
        ASSERT_GT(copy.count, 10);
        const int offset = type ? 1 : -1;
        EXPECT_EQ(copy.box.left, alone.box.left + offset);
        EXPECT_EQ(copy.box.top, alone.box.top + offset);
        EXPECT_EQ(copy.box.right, alone.box.right + offset);
        EXPECT_EQ(copy.box.bottom, alone.box.bottom + offset);
        label.DestroyWindow();
    }
}

TEST_F(LabelCtrlTest, RotatedTextRunsUpFromTheCentre)
{
    Make("Rotated text", 200, 200);
    label.SetBkColor(RGB(255, 255, 255)).SetTextColor(RGB(0, 0, 0)).SetRotationAngle(90, TRUE);
    EXPECT_EQ(label.GetLogFont().lfEscapement, 900);
    const Found text = Pixels(RGB(0, 0, 0));
    ASSERT_GT(text.count, 20);
    EXPECT_GT(text.box.Height(), 2 * text.box.Width()) << "it stands upright";
    EXPECT_LE(text.box.bottom, 100 + 2) << "it starts at the centre and runs up";
    EXPECT_LT(text.box.top, 60);
    EXPECT_LE(std::abs(text.box.right - 100), 20);
}

TEST_F(LabelCtrlTest, FlashingTextHidesAndShowsOnTheClock)
{
    Make("Connection lost");
    label.SetBkColor(RGB(255, 255, 255)).SetTextColor(RGB(0, 0, 0));
    EXPECT_GT(Pixels(RGB(0, 0, 0)).count, 20);
    label.FlashText(TRUE);
    Repaint();
    EXPECT_EQ(Pixels(RGB(0, 0, 0)).count, 0) << "it starts in its hidden phase";
    std::vector<bool> shown;
    for (int tick = 0; tick < 4; ++tick) {
        tw::ProcessClock::Advance(500);
        PumpFiltered();
        shown.push_back(Pixels(RGB(0, 0, 0)).count > 20);
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, false}));
    label.FlashText(FALSE);
    Repaint();
    tw::ProcessClock::Advance(500);
    PumpFiltered();
    EXPECT_GT(Pixels(RGB(0, 0, 0)).count, 20) << "stopped: shown for good";
    tw::ProcessClock::Advance(500);
    PumpFiltered();
    EXPECT_GT(Pixels(RGB(0, 0, 0)).count, 20);
}

TEST_F(LabelCtrlTest, OnlyWebAndMailLinksReachTheDesktopsOpener)
{
    enum class Mode { Link, Mail, LinkNotifying };
    const struct {
        Mode mode;
        const char* text;
        const char* target;  // SetLinkText; empty: the label's text
        const char* opened;  // nullptr: nothing opened
    } cases[] = {
        {Mode::Link, "Our site", "https://example.org/tarnwick", "https://example.org/tarnwick"},
        {Mode::Link, "Our site", "http://example.org/", "http://example.org/"},
        {Mode::Link, "HTTPS://EXAMPLE.ORG/", "", "HTTPS://EXAMPLE.ORG/"},
        {Mode::Link, "Our site", "file:///etc/passwd", nullptr},
        {Mode::Link, "Our site", "ftp://example.org/", nullptr},
        {Mode::Link, "/usr/bin/xterm", "", nullptr},
        {Mode::Link, "Our site", "mailto:team@example.org", "mailto:team@example.org"},
        {Mode::Mail, "team@example.org", "", "mailto:team@example.org"},
        {Mode::LinkNotifying, "Our site", "https://example.org/", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " -> " + c.target);
        auto spawner = std::make_shared<RecordingSpawner>();
        tw::shell::SetProcessSpawner(spawner);
        Make(c.text);
        if (c.mode == Mode::Mail)
            label.SetMailLink(TRUE, FALSE);
        else
            label.SetLink(TRUE, c.mode == Mode::LinkNotifying);
        label.SetLinkText(c.target);
        bool notified = false;
        answer = [&](UINT message, WPARAM, LPARAM lParam, LRESULT&) {
            const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
            if (message == WM_NOTIFY && nm->code == CLabelCtrl::kClickNotifyCode && nm->idFrom == kLabelId &&
                nm->hwndFrom == label.GetSafeHwnd())
                notified = true;
            return false;
        };
        Click(label.GetSafeHwnd(), 5, 5);
        PumpFiltered();
        answer = nullptr;
        if (c.opened == nullptr) {
            EXPECT_TRUE(spawner->runs.empty());
        } else {
            ASSERT_EQ(spawner->runs.size(), 1u);
            EXPECT_EQ(spawner->runs.back().back(), c.opened);
        }
        EXPECT_EQ(notified, c.mode == Mode::LinkNotifying) << "a notifying label tells its parent instead";
        label.DestroyWindow();
    }
}

TEST_F(LabelCtrlTest, TheFontSizeListIsTheSameSixteenSizesForAnyFace)
{
    CFontSizeComboBox sizes;
    ASSERT_TRUE(sizes.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(20, 80, 120, 300), &host, 401));
    const std::vector<std::string> expected = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                               "20", "22", "24", "26", "28", "36", "48", "72"};
    auto listed = [&] {
        std::vector<std::string> items;
        for (int i = 0; i < sizes.GetCount(); ++i) {
            CString text;
            sizes.GetLBText(i, text);
            items.emplace_back(text);
        }
        return items;
    };
    for (const char* face : {"Arial", "Courier New", "No Such Face"}) {
        SCOPED_TRACE(face);
        sizes.FillSizes(face);
        EXPECT_EQ(listed(), expected);
        EXPECT_EQ(sizes.m_nLogPixelsY, 96);
    }
    sizes.SetCurSel(3);
    sizes.FillSizes("");
    EXPECT_EQ(listed(), expected) << "an empty face leaves the list";
    EXPECT_EQ(sizes.GetCurSel(), 3);
    sizes.DestroyWindow();
}

}  // namespace
}  // namespace tw::test
