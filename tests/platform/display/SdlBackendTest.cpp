#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/display/Display.h"
#include "platform/display/SdlBackend.h"

using namespace tw::display;

// Runs the desktop backend against a private virtual X server, so the native
// path is checked without anyone's desktop; skipped where none is installed.
class SdlBackendFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (access("/usr/bin/Xvfb", X_OK) != 0)
            GTEST_SKIP() << "no Xvfb";
        const char* old = std::getenv("DISPLAY");
        savedDisplay_ = old ? old : "";
        hadDisplay_ = old != nullptr;
        // Servers started side by side may race for a display number; the loser is retried.
        std::string error;
        for (int attempt = 0; attempt < 5 && !backend_; ++attempt) {
            StopServer();
            const std::string display = StartServer();
            if (display.empty())
                continue;
            setenv("DISPLAY", display.c_str(), 1);
            backend_ = SdlBackend::Open(320, 240, error);
        }
        ASSERT_NE(backend_, nullptr) << error;
    }

    std::string StartServer()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return {};
        server_ = fork();
        if (server_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
                  "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        const ssize_t got = server_ > 0 ? read(fds[0], number, sizeof(number) - 1) : -1;
        close(fds[0]);
        if (got <= 0)
            return {};
        std::string display(number, size_t(got));
        while (!display.empty() && (display.back() == '\n' || display.back() == '\r'))
            display.pop_back();
        return ":" + display;
    }

    void StopServer()
    {
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
        server_ = -1;
    }

    void TearDown() override
    {
        backend_.reset();
        StopServer();
        if (hadDisplay_)
            setenv("DISPLAY", savedDisplay_.c_str(), 1);
        else
            unsetenv("DISPLAY");
    }

    std::unique_ptr<SdlBackend> backend_;
    pid_t server_ = -1;
    std::string savedDisplay_;
    bool hadDisplay_ = false;
};

TEST_F(SdlBackendFixture, OnASmallDesktopTheScreenTakesItsUsableArea)
{
    std::string error;
    auto fitted = SdlBackend::Open(0, 0, error);
    ASSERT_NE(fitted, nullptr) << error;
    int width = 0, height = 0;
    ASSERT_TRUE(fitted->NativeSize(width, height));
    SDL_Rect usable{};
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0) << SDL_GetError();
    EXPECT_LE(width, 640);
    EXPECT_LE(height, 480);
    EXPECT_EQ(width, usable.w);
    EXPECT_EQ(height, usable.h);

    // The display sizes its screen from the desktop at start.
    fitted.reset();
    unsetenv("TARNWICK_DISPLAY");
    Display::Reset();
    Display& display = Display::Instance();
    EXPECT_FALSE(display.IsHeadless());
    EXPECT_EQ(display.GetScreen().Width(), usable.w);
    EXPECT_EQ(display.GetScreen().Height(), usable.h);
    Display::Reset();
    setenv("TARNWICK_DISPLAY", "headless", 1);
}

TEST_F(SdlBackendFixture, ShowsExactlyTheScreensPixels)
{
    Screen screen(320, 240);
    screen.Fill(0x123456);
    screen.SetPixel(10, 20, 0xFF0000);
    screen.SetPixel(319, 239, 0x00FF00);
    InputQueue input;
    backend_->Pump(screen, input);
    EXPECT_FALSE(screen.HasDirtyRects());
    std::vector<uint32_t> shown;
    int width = 0, height = 0;
    ASSERT_TRUE(backend_->ReadShownPixels(shown, width, height));
    ASSERT_EQ(width, 320);
    ASSERT_EQ(height, 240);
    EXPECT_EQ(shown[20 * 320 + 10], 0xFF0000u);
    EXPECT_EQ(shown[239 * 320 + 319], 0x00FF00u);
    EXPECT_EQ(shown[100 * 320 + 100], 0x123456u);

    // Only what changed goes to the window, and it arrives.
    screen.SetPixel(50, 50, 0x0000FF);
    backend_->Pump(screen, input);
    ASSERT_TRUE(backend_->ReadShownPixels(shown, width, height));
    EXPECT_EQ(shown[50 * 320 + 50], 0x0000FFu);
}

TEST_F(SdlBackendFixture, NativeEventsBecomeInputEvents)
{
    Screen screen(320, 240);
    InputQueue input;
    backend_->Pump(screen, input);
    for (InputEvent drop; input.TryPop(drop);) {
    }

    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 30;
    e.motion.y = 40;
    SDL_PushEvent(&e);
    e = SDL_Event{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_RIGHT;
    e.button.x = 31;
    e.button.y = 41;
    SDL_PushEvent(&e);
    e = SDL_Event{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = -2;
    SDL_PushEvent(&e);
    e = SDL_Event{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.scancode = SDL_SCANCODE_RETURN;
    SDL_PushEvent(&e);
    e = SDL_Event{};
    e.type = SDL_TEXTINPUT;
    std::strcpy(e.text.text, "ü");
    SDL_PushEvent(&e);
    e = SDL_Event{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    backend_->Pump(screen, input);

    std::vector<InputEvent> got;
    for (InputEvent event; input.TryPop(event);)
        got.push_back(event);
    ASSERT_GE(got.size(), 6u);
    EXPECT_EQ(got[0].kind, InputKind::MouseMove);
    EXPECT_EQ(got[0].pos.x, 30);
    EXPECT_EQ(got[1].kind, InputKind::ButtonDown);
    EXPECT_EQ(got[1].button, MouseButton::Right);
    EXPECT_EQ(got[1].pos.y, 41);
    EXPECT_EQ(got[2].kind, InputKind::Wheel);
    EXPECT_EQ(got[2].wheelDelta, -240);
    EXPECT_EQ(got[2].pos.x, 31);  // the pointer's last known place
    EXPECT_EQ(got[3].kind, InputKind::KeyDown);
    EXPECT_EQ(got[3].vk, 0x0Du);
    EXPECT_EQ(got[4].kind, InputKind::Text);
    EXPECT_EQ(got[4].text, "ü");
    EXPECT_EQ(got.back().kind, InputKind::Quit);
}

TEST_F(SdlBackendFixture, ResizingTheWindowResizesTheScreen)
{
    Screen screen(320, 240);
    InputQueue input;
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    e.window.data1 = 400;
    e.window.data2 = 300;
    SDL_PushEvent(&e);
    backend_->Pump(screen, input);
    EXPECT_EQ(screen.Width(), 400);
    EXPECT_EQ(screen.Height(), 300);
    std::vector<uint32_t> shown;
    int width = 0, height = 0;
    ASSERT_TRUE(backend_->ReadShownPixels(shown, width, height));
    EXPECT_EQ(width, 400);
}

TEST_F(SdlBackendFixture, ClipboardTextGoesBothWays)
{
    ASSERT_TRUE(backend_->SetClipboardText("select 1"));
    std::string text;
    ASSERT_TRUE(backend_->GetClipboardText(text));
    EXPECT_EQ(text, "select 1");
}

TEST_F(SdlBackendFixture, WakeEndsANativeWait)
{
    backend_->Wake();
    EXPECT_TRUE(backend_->WaitNative(5000));
}

TEST_F(SdlBackendFixture, ADesktopIsChosenWhenOneExists)
{
    const char* kind = std::getenv("TARNWICK_DISPLAY");
    const std::string savedKind = kind ? kind : "";
    unsetenv("TARNWICK_DISPLAY");
    std::string message;
    auto chosen = ChooseDisplayBackend(message);
    if (kind)
        setenv("TARNWICK_DISPLAY", savedKind.c_str(), 1);
    ASSERT_NE(chosen, nullptr);
    EXPECT_FALSE(chosen->IsHeadless()) << message;
    EXPECT_STREQ(chosen->Name(), "sdl");
    EXPECT_TRUE(message.empty());
}

TEST_F(SdlBackendFixture, FilesOfOneDropArriveAsOneEvent)
{
    Screen screen(320, 240);
    InputQueue input;
    SDL_Event e{};
    e.type = SDL_DROPBEGIN;
    SDL_PushEvent(&e);
    for (const char* path : {"/tmp/a.sql", "/tmp/b c.txt"}) {
        e = SDL_Event{};
        e.type = SDL_DROPFILE;
        e.drop.file = SDL_strdup(path);
        SDL_PushEvent(&e);
    }
    e = SDL_Event{};
    e.type = SDL_DROPCOMPLETE;
    SDL_PushEvent(&e);
    backend_->Pump(screen, input);

    std::vector<InputEvent> drops;
    for (InputEvent event; input.TryPop(event);) {
        if (event.kind == InputKind::DropFiles)
            drops.push_back(event);
    }
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].files, (std::vector<std::string>{"/tmp/a.sql", "/tmp/b c.txt"}));
}

TEST_F(SdlBackendFixture, TextPiecesOfOneDropArriveJoinedAfterItsFiles)
{
    Screen screen(320, 240);
    InputQueue input;
    SDL_Event e{};
    e.type = SDL_DROPBEGIN;
    SDL_PushEvent(&e);
    const std::pair<Uint32, const char*> pieces[] = {
        {SDL_DROPTEXT, "select 1"}, {SDL_DROPFILE, "/tmp/a.sql"}, {SDL_DROPTEXT, "from t"}};
    for (const auto& [type, text] : pieces) {
        e = SDL_Event{};
        e.type = type;
        e.drop.file = SDL_strdup(text);
        SDL_PushEvent(&e);
    }
    e = SDL_Event{};
    e.type = SDL_DROPCOMPLETE;
    SDL_PushEvent(&e);
    backend_->Pump(screen, input);

    std::vector<InputEvent> drops;
    for (InputEvent event; input.TryPop(event);) {
        if (event.kind == InputKind::DropFiles || event.kind == InputKind::DropText)
            drops.push_back(event);
    }
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_EQ(drops[0].kind, InputKind::DropFiles);
    EXPECT_EQ(drops[0].files, (std::vector<std::string>{"/tmp/a.sql"}));
    EXPECT_EQ(drops[1].kind, InputKind::DropText);
    EXPECT_EQ(drops[1].text, "select 1\nfrom t");
}
