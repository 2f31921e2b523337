#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/display/SdlBackend.h"
#include "tests/support/Instance.h"

using namespace tw::display;

// Restores the environment variables a backend choice reads.
class DisplayEnvFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Save("TARNWICK_DISPLAY", savedDisplayKind_);
        Save("DISPLAY", savedX11_);
        Save("WAYLAND_DISPLAY", savedWayland_);
    }
    void TearDown() override
    {
        Restore("TARNWICK_DISPLAY", savedDisplayKind_);
        Restore("DISPLAY", savedX11_);
        Restore("WAYLAND_DISPLAY", savedWayland_);
        Display::Reset();
    }

private:
    static void Save(const char* name, std::pair<bool, std::string>& slot)
    {
        const char* value = std::getenv(name);
        slot = {value != nullptr, value ? value : ""};
    }
    static void Restore(const char* name, const std::pair<bool, std::string>& slot)
    {
        if (slot.first)
            setenv(name, slot.second.c_str(), 1);
        else
            unsetenv(name);
    }
    std::pair<bool, std::string> savedDisplayKind_, savedX11_, savedWayland_;
};

TEST_F(DisplayEnvFixture, HeadlessIsForcedByTheEnvironment)
{
    setenv("TARNWICK_DISPLAY", "headless", 1);
    setenv("DISPLAY", ":0", 1);
    std::string message;
    auto backend = ChooseDisplayBackend(message);
    EXPECT_TRUE(backend->IsHeadless());
    EXPECT_TRUE(message.empty());
}

TEST_F(DisplayEnvFixture, WithoutADesktopNoBackendIsChosenAndTheUserIsToldWhatToDo)
{
    for (const char* wanted : {"", "sdl"}) {
        setenv("TARNWICK_DISPLAY", wanted, 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        std::string message;
        EXPECT_EQ(ChooseDisplayBackend(message), nullptr) << wanted;
        EXPECT_NE(message.find("a desktop is needed"), std::string::npos) << message;
        EXPECT_NE(message.find("TARNWICK_DISPLAY=headless"), std::string::npos) << message;
    }
}

// A program started without a desktop.
TEST(DisplayOtherInstance, StartsWithoutADesktop)
{
    if (!getenv("TW_NO_DESKTOP"))
        GTEST_SKIP() << "run by the no-desktop test";
    unsetenv("TARNWICK_DISPLAY");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    Display::Reset();
    Display::Instance();
    ADD_FAILURE() << "went on without a desktop";
}

TEST(DisplayStart, WithoutADesktopTheProgramSaysSoAndExitsWith1)
{
    const std::string errors = "no-desktop.txt";
    EXPECT_EQ(tw::test::RunInstance("DisplayOtherInstance.StartsWithoutADesktop",
                                    {{"TW_NO_DESKTOP", "1"}},
                                    errors),
              1);
    std::ifstream in(errors);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("a desktop is needed"), std::string::npos) << text;
}

TEST_F(DisplayEnvFixture, InstanceIsHeadlessWithTheDefaultScreen)
{
    Display& display = Display::Instance();
    EXPECT_TRUE(display.IsHeadless());
    EXPECT_STREQ(display.BackendName(), "headless");
    EXPECT_EQ(display.GetScreen().Width(), 1280);
    EXPECT_EQ(display.GetScreen().Height(), 1024);
}

TEST_F(DisplayEnvFixture, InjectedInputArrivesInOrderWithThePointerPosition)
{
    InputInjector inject;
    inject.Click(MouseButton::Left, 30, 40);
    inject.Wheel(-120);
    inject.SetModifiers(ModControl);
    inject.KeyStroke('C');
    inject.Text("é");

    Display& display = Display::Instance();
    const InputKind expected[] = {InputKind::MouseMove, InputKind::ButtonDown, InputKind::ButtonUp,
                                  InputKind::Wheel,     InputKind::KeyDown,    InputKind::KeyUp,
                                  InputKind::Text};
    for (InputKind kind : expected) {
        InputEvent e;
        ASSERT_TRUE(display.PollInput(e));
        EXPECT_EQ(e.kind, kind);
        EXPECT_EQ(e.pos.x, 30);
        EXPECT_EQ(e.pos.y, 40);
        if (kind == InputKind::ButtonDown) {
            EXPECT_EQ(e.button, MouseButton::Left);
        }
        if (kind == InputKind::Wheel) {
            EXPECT_EQ(e.wheelDelta, -120);
        }
        if (kind == InputKind::KeyDown) {
            EXPECT_EQ(e.vk, UINT('C'));
            EXPECT_EQ(e.scanCode, 0x2Eu);
            EXPECT_EQ(e.modifiers, unsigned(ModControl));
        }
        if (kind == InputKind::Text) {
            EXPECT_EQ(e.text, "é");
        }
    }
    InputEvent none;
    EXPECT_FALSE(display.PollInput(none));
}

TEST_F(DisplayEnvFixture, DragMovesInStepsBetweenDownAndUp)
{
    InputQueue queue;
    InputInjector inject(queue);
    inject.Drag(MouseButton::Right, POINT{0, 0}, POINT{40, 20}, 4);
    std::vector<InputEvent> events;
    for (InputEvent e; queue.TryPop(e);)
        events.push_back(e);
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[1].kind, InputKind::ButtonDown);
    EXPECT_EQ(events[3].pos.x, 20);
    EXPECT_EQ(events[3].pos.y, 10);
    EXPECT_EQ(events[6].kind, InputKind::ButtonUp);
    EXPECT_EQ(events[6].pos.x, 40);
}

TEST_F(DisplayEnvFixture, WaitEndsOnInputFromAnotherThreadOrOnWake)
{
    Display& display = Display::Instance();
    std::thread pusher([] { InputInjector().KeyStroke(0x0D); });
    EXPECT_TRUE(display.WaitForInput(5000));
    pusher.join();
    display.Input().Clear();

    std::thread waker([&] { display.Wake(); });
    EXPECT_FALSE(display.WaitForInput(5000));
    waker.join();
}

TEST_F(DisplayEnvFixture, HeadlessClipboardKeepsText)
{
    Display& display = Display::Instance();
    std::string text;
    EXPECT_FALSE(display.GetClipboardText(text));
    ASSERT_TRUE(display.SetClipboardText("select 1"));
    ASSERT_TRUE(display.GetClipboardText(text));
    EXPECT_EQ(text, "select 1");
}

TEST(SdlKeyMapTest, NativeKeysMapToVirtualKeysAndScanCodes)
{
    struct Case {
        int sdl;
        UINT vk;
        UINT scan;
        bool extended;
    };
    const Case cases[] = {
        {4, 'A', 0x1E, false},      // A
        {29, 'Z', 0x2C, false},     // Z
        {30, '1', 0x02, false},     // 1
        {39, '0', 0x0B, false},     // 0
        {58, 0x70, 0x3B, false},    // F1
        {69, 0x7B, 0x58, false},    // F12
        {40, 0x0D, 0x1C, false},    // Return
        {88, 0x0D, 0x1C, true},     // keypad Enter
        {80, 0x25, 0x4B, true},     // Left arrow
        {228, 0x11, 0x1D, true},    // right Ctrl
        {224, 0x11, 0x1D, false},   // left Ctrl
        {76, 0x2E, 0x53, true},     // Delete
        {54, 0xBC, 0x33, false},    // comma
    };
    for (const Case& c : cases) {
        NativeKey key{};
        ASSERT_TRUE(TranslateSdlScancode(c.sdl, key)) << c.sdl;
        EXPECT_EQ(key.vk, c.vk) << c.sdl;
        EXPECT_EQ(key.scanCode, c.scan) << c.sdl;
        EXPECT_EQ(key.extended, c.extended) << c.sdl;
    }
    NativeKey unknown{};
    EXPECT_FALSE(TranslateSdlScancode(0, unknown));
}

TEST_F(DisplayEnvFixture, RequestedScreenshotIsWrittenOnce)
{
    Display& display = Display::Instance();
    unsetenv("TARNWICK_SCREENSHOT");
    EXPECT_FALSE(display.TakeRequestedScreenshot());
    display.GetScreen().Resize(64, 48);
    display.GetScreen().Fill(0x336699);
    setenv("TARNWICK_SCREENSHOT", "idle.png", 1);
    EXPECT_TRUE(display.TakeRequestedScreenshot());
    EXPECT_FALSE(display.TakeRequestedScreenshot());
    unsetenv("TARNWICK_SCREENSHOT");
    FILE* f = std::fopen("idle.png", "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[4] = {};
    EXPECT_EQ(std::fread(magic, 1, 4, f), 4u);
    std::fclose(f);
    EXPECT_EQ(magic[1], 'P');
    EXPECT_EQ(magic[2], 'N');
}
