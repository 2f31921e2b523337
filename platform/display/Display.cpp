#include "platform/display/Display.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/display/HeadlessBackend.h"
#include "platform/display/SdlBackend.h"

namespace tw::display {

namespace {

std::mutex g_displayMutex;
std::unique_ptr<Display> g_display;
std::atomic<bool> g_screenshotFailed{false};

bool DisplayEnvironmentHasDesktop()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

std::unique_ptr<DisplayBackend> ChooseDisplayBackend(std::string& message)
{
    message.clear();
    const char* wanted = std::getenv("TARNWICK_DISPLAY");
    if (wanted && std::strcmp(wanted, "headless") == 0)
        return std::make_unique<HeadlessBackend>();
    const bool forcedDesktop = wanted && std::strcmp(wanted, "sdl") == 0;
    std::string error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    if (forcedDesktop || DisplayEnvironmentHasDesktop()) {
        if (auto sdl = SdlBackend::Open(0, 0, error))
            return sdl;
    }
    message = "tarnwick: a desktop is needed to show the program, and none could be opened (" + error +
              "). Start it on a desktop or under xvfb-run, or set TARNWICK_DISPLAY=headless to run it without one.";
    return nullptr;
}

Display::Display(std::unique_ptr<DisplayBackend> backend) : backend_(std::move(backend))
{
    // Injected input must end a wait on native events too.
    input_.SetPushListener([this] { backend_->Wake(); });
    int width = 0, height = 0;
    if (backend_->NativeSize(width, height))
        screen_.Resize(width, height);
}

Display& Display::Instance()
{
    std::lock_guard lock(g_displayMutex);
    if (!g_display) {
        std::string message;
        auto backend = ChooseDisplayBackend(message);
        if (!backend) {
            std::fprintf(stderr, "%s\n", message.c_str());
            std::exit(1);
        }
        g_display = std::make_unique<Display>(std::move(backend));
    }
    return *g_display;
}

void Display::Reset()
{
    std::lock_guard lock(g_displayMutex);
    g_display.reset();
    g_screenshotFailed = false;
}

void Display::Pump()
{
    if (!backend_->IsHeadless() && std::this_thread::get_id() != owner_)
        return;
    backend_->Pump(screen_, input_);
}

bool Display::PollInput(InputEvent& out)
{
    Pump();
    return input_.TryPop(out);
}

bool Display::WaitForInput(int timeoutMs)
{
    Pump();
    if (!input_.Empty())
        return true;
    const bool ownsNative = backend_->IsHeadless() || std::this_thread::get_id() == owner_;
    if (ownsNative && backend_->WaitNative(timeoutMs)) {
        Pump();
        return !input_.Empty();
    }
    return input_.WaitForEvent(timeoutMs);
}

void Display::Wake()
{
    input_.Wake();
    backend_->Wake();
}

bool Display::TakeRequestedScreenshot()
{
    const char* path = std::getenv("TARNWICK_SCREENSHOT");
    if (!path || !*path || screenshotTaken_.exchange(true))
        return false;
    Pump();
    if (!screen_.SavePng(path)) {
        std::fprintf(stderr, "tarnwick: the screenshot could not be written to %s: %s\n", path, std::strerror(errno));
        NoteScreenshotFailed();
    }
    return true;
}

void Display::NoteScreenshotFailed() { g_screenshotFailed = true; }

bool Display::ScreenshotFailed() { return g_screenshotFailed; }

bool Display::SetClipboardText(const std::string& text) { return backend_->SetClipboardText(text); }

bool Display::GetClipboardText(std::string& text) { return backend_->GetClipboardText(text); }

}  // namespace tw::display
