#include "platform/display/SdlBackend.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>

#include "platform/win32/kernel/ProcessClock.h"

namespace tw::display {

struct SdlBackend::Native {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    Uint32 wakeEvent = 0;
    std::atomic<bool> pendingNative{false};
    POINT lastMouse{0, 0};
    // Files and text of a drop in progress: SDL hands them over one event each.
    std::vector<std::string> droppedFiles;
    std::vector<std::string> droppedTexts;
};

namespace {

constexpr int kSdlWheelUnit = 120;

unsigned SdlModifiers()
{
    const SDL_Keymod mod = SDL_GetModState();
    unsigned result = 0;
    if (mod & KMOD_SHIFT)
        result |= ModShift;
    if (mod & KMOD_CTRL)
        result |= ModControl;
    if (mod & KMOD_ALT)
        result |= ModAlt;
    return result;
}

MouseButton SdlButton(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    case SDL_BUTTON_X1: return MouseButton::X1;
    case SDL_BUTTON_X2: return MouseButton::X2;
    default: return MouseButton::None;
    }
}

bool SdlEnsureTexture(SdlBackend::Native& native, int width, int height)
{
    if (native.texture && native.textureWidth == width && native.textureHeight == height)
        return true;
    if (native.texture)
        SDL_DestroyTexture(native.texture);
    native.texture =
        SDL_CreateTexture(native.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
    native.textureWidth = width;
    native.textureHeight = height;
    return native.texture != nullptr;
}

}  // namespace

// Under the address sanitizer the leak check runs at exit, after SDL has
// unloaded the drivers it opened; what those drivers keep for the life of the
// process then shows with no library name and no suppression can match it.
// Keeping every loaded library in memory until exit lets the checked-in
// suppressions name them. Only sanitizer builds carry this.
#if defined(__SANITIZE_ADDRESS__)
extern "C" int dlclose(void*) { return 0; }
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
extern "C" int dlclose(void*) { return 0; }
#endif
#endif

SdlBackend::SdlBackend(std::unique_ptr<Native> native) : native_(std::move(native)) {}

std::unique_ptr<SdlBackend> SdlBackend::Open(int width, int height, std::string& error)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    // SDL falls back to drivers that show nothing; they are no display to a person.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    const bool invisible = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (invisible && !(requested && SDL_strcmp(requested, driver) == 0)) {
        error = std::string("SDL found no display, only its '") + driver + "' driver";
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    auto native = std::make_unique<Native>();
    const bool fitDesktop = width <= 0 || height <= 0;
    SDL_Rect usable{0, 0, Screen::kDefaultWidth, Screen::kDefaultHeight};
    if (fitDesktop && SDL_GetDisplayUsableBounds(0, &usable) != 0)
        SDL_GetDisplayBounds(0, &usable);
    if (fitDesktop) {
        width = usable.w;
        height = usable.h;
    }
    native->window = SDL_CreateWindow("Tarnwick", fitDesktop ? usable.x : int(SDL_WINDOWPOS_CENTERED),
                                      fitDesktop ? usable.y : int(SDL_WINDOWPOS_CENTERED), width, height,
                                      SDL_WINDOW_RESIZABLE);
    if (!native->window) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    // The title bar and borders must fit on the desktop too.
    int top = 0, left = 0, bottom = 0, right = 0;
    if (fitDesktop && SDL_GetWindowBordersSize(native->window, &top, &left, &bottom, &right) == 0 &&
        (top || left || bottom || right)) {
        SDL_SetWindowSize(native->window, std::max(1, usable.w - left - right), std::max(1, usable.h - top - bottom));
        SDL_SetWindowPosition(native->window, usable.x + left, usable.y + top);
    }
    native->renderer = SDL_CreateRenderer(native->window, -1, 0);
    if (!native->renderer) {
        error = SDL_GetError();
        SDL_DestroyWindow(native->window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    native->wakeEvent = SDL_RegisterEvents(1);
    SDL_StartTextInput();
    return std::unique_ptr<SdlBackend>(new SdlBackend(std::move(native)));
}

SdlBackend::~SdlBackend()
{
    if (native_->texture)
        SDL_DestroyTexture(native_->texture);
    SDL_DestroyRenderer(native_->renderer);
    SDL_DestroyWindow(native_->window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

namespace {

void SdlPresent(SdlBackend::Native& native, Screen& screen)
{
    auto lock = screen.Lock();
    const std::vector<RECT> dirty = screen.TakeDirtyRects();
    const bool recreated = !native.texture || native.textureWidth != screen.Width() ||
                           native.textureHeight != screen.Height();
    if (dirty.empty() && !recreated)
        return;
    if (!SdlEnsureTexture(native, screen.Width(), screen.Height()))
        return;
    const int pitch = screen.Stride() * 4;
    if (recreated) {
        SDL_UpdateTexture(native.texture, nullptr, screen.Data(), pitch);
    } else {
        for (const RECT& r : dirty) {
            const SDL_Rect area{int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)};
            SDL_UpdateTexture(native.texture, &area, screen.Data() + size_t(r.top) * screen.Stride() + r.left, pitch);
        }
    }
    lock.unlock();
    SDL_RenderCopy(native.renderer, native.texture, nullptr, nullptr);
    SDL_RenderPresent(native.renderer);
}

// Motion events stop while a file manager drags over us, so the drop point
// is read from the pointer itself.
void SdlUpdateDropPoint(SdlBackend::Native& native)
{
    int globalX = 0;
    int globalY = 0;
    int windowX = 0;
    int windowY = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    SDL_GetWindowPosition(native.window, &windowX, &windowY);
    native.lastMouse = POINT{globalX - windowX, globalY - windowY};
}

// Some desktops hand dropped text over one line per event; the lines are
// joined again so that the window gets the drop whole.
std::string SdlJoinDroppedTexts(const std::vector<std::string>& pieces)
{
    std::string text;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += pieces[i];
    }
    return text;
}

void SdlFinishDrop(SdlBackend::Native& native, InputEvent& event, InputQueue& input)
{
    if (native.droppedFiles.empty() && native.droppedTexts.empty())
        return;
    SdlUpdateDropPoint(native);
    event.pos = native.lastMouse;
    if (!native.droppedFiles.empty()) {
        InputEvent files = event;
        files.kind = InputKind::DropFiles;
        files.files = std::move(native.droppedFiles);
        input.Push(std::move(files));
    }
    if (!native.droppedTexts.empty()) {
        event.kind = InputKind::DropText;
        event.text = SdlJoinDroppedTexts(native.droppedTexts);
        input.Push(std::move(event));
    }
    native.droppedFiles.clear();
    native.droppedTexts.clear();
}

void SdlTranslate(SdlBackend::Native& native, const SDL_Event& e, Screen& screen, InputQueue& input)
{
    InputEvent event;
    event.timeMs = tw::ProcessClock::NowMs();
    event.modifiers = SdlModifiers();
    event.pos = native.lastMouse;
    switch (e.type) {
    case SDL_QUIT:
        event.kind = InputKind::Quit;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            screen.Resize(e.window.data1, e.window.data2);
        else if (e.window.event == SDL_WINDOWEVENT_EXPOSED)
            screen.MarkDirty(screen.Bounds());
        return;
    case SDL_MOUSEMOTION:
        native.lastMouse = POINT{e.motion.x, e.motion.y};
        event.kind = InputKind::MouseMove;
        event.pos = native.lastMouse;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        native.lastMouse = POINT{e.button.x, e.button.y};
        event.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputKind::ButtonDown : InputKind::ButtonUp;
        event.pos = native.lastMouse;
        event.button = SdlButton(e.button.button);
        if (event.button == MouseButton::None)
            return;
        break;
    case SDL_MOUSEWHEEL: {
        event.kind = InputKind::Wheel;
        const int flip = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        if (e.wheel.y != 0) {
            event.wheelDelta = e.wheel.y * flip * kSdlWheelUnit;
        } else {
            event.wheelHorizontal = true;
            event.wheelDelta = e.wheel.x * flip * kSdlWheelUnit;
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        NativeKey key{};
        if (!TranslateSdlScancode(e.key.keysym.scancode, key))
            return;
        event.kind = e.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp;
        event.vk = key.vk;
        event.scanCode = key.scanCode;
        event.extendedKey = key.extended;
        event.repeat = e.key.repeat != 0;
        break;
    }
    case SDL_TEXTINPUT:
        event.kind = InputKind::Text;
        event.text = e.text.text;
        break;
    case SDL_DROPBEGIN:
        native.droppedFiles.clear();
        native.droppedTexts.clear();
        return;
    case SDL_DROPFILE:
        if (e.drop.file) {
            native.droppedFiles.emplace_back(e.drop.file);
            SDL_free(e.drop.file);
        }
        return;
    case SDL_DROPTEXT:
        if (e.drop.file) {
            native.droppedTexts.emplace_back(e.drop.file);
            SDL_free(e.drop.file);
        }
        return;
    case SDL_DROPCOMPLETE:
        SdlFinishDrop(native, event, input);
        return;
    default:
        return;
    }
    input.Push(std::move(event));
}

}  // namespace

void SdlBackend::Pump(Screen& screen, InputQueue& input)
{
    SdlPresent(*native_, screen);
    native_->pendingNative = false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == native_->wakeEvent)
            continue;
        SdlTranslate(*native_, e, screen, input);
    }
    SdlPresent(*native_, screen);
}

bool SdlBackend::WaitNative(int timeoutMs)
{
    // Peeking leaves the event for Pump, which turns it into input.
    if (SDL_WaitEventTimeout(nullptr, timeoutMs) == 1)
        native_->pendingNative = true;
    return true;
}

bool SdlBackend::NativeSize(int& width, int& height)
{
    SDL_GetWindowSize(native_->window, &width, &height);
    return width > 0 && height > 0;
}

void SdlBackend::Wake()
{
    SDL_Event e{};
    e.type = native_->wakeEvent;
    SDL_PushEvent(&e);
}

bool SdlBackend::ReadShownPixels(std::vector<uint32_t>& pixels, int& width, int& height)
{
    if (!native_->texture)
        return false;
    width = native_->textureWidth;
    height = native_->textureHeight;
    pixels.assign(size_t(width) * height, 0);
    SDL_RenderCopy(native_->renderer, native_->texture, nullptr, nullptr);
    if (SDL_RenderReadPixels(native_->renderer, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width * 4) != 0)
        return false;
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return true;
}

bool SdlBackend::SetClipboardText(const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0; }

bool SdlBackend::GetClipboardText(std::string& text)
{
    if (!SDL_HasClipboardText())
        return false;
    char* native = SDL_GetClipboardText();
    if (!native)
        return false;
    text = native;
    SDL_free(native);
    return true;
}

}  // namespace tw::display
