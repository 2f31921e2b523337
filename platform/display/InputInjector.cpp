#include "platform/display/InputInjector.h"

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::display {

namespace {

// Set-1 scan codes for the keys tests commonly press; 0 for the rest.
UINT InjectorScanCode(UINT vk)
{
    static constexpr UINT kLetterScans[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                              0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                              0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    if (vk >= 'A' && vk <= 'Z')
        return kLetterScans[vk - 'A'];
    if (vk >= '1' && vk <= '9')
        return 0x02 + (vk - '1');
    if (vk == '0')
        return 0x0B;
    if (vk >= 0x70 && vk <= 0x79)
        return 0x3B + (vk - 0x70);
    switch (vk) {
    case 0x0D: return 0x1C;
    case 0x1B: return 0x01;
    case 0x08: return 0x0E;
    case 0x09: return 0x0F;
    case 0x20: return 0x39;
    case 0x10: return 0x2A;
    case 0x11: return 0x1D;
    case 0x12: return 0x38;
    case 0x25: return 0x4B;
    case 0x26: return 0x48;
    case 0x27: return 0x4D;
    case 0x28: return 0x50;
    case 0x2E: return 0x53;
    default: return 0;
    }
}

bool InjectorIsExtended(UINT vk)
{
    return (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x2E || vk == 0x5B || vk == 0x5C || vk == 0x5D;
}

InputEvent InjectorEvent(InputKind kind)
{
    InputEvent event;
    event.kind = kind;
    return event;
}

InputEvent InjectorKeyEvent(InputKind kind, UINT vk)
{
    InputEvent event = InjectorEvent(kind);
    event.vk = vk;
    event.scanCode = InjectorScanCode(vk);
    event.extendedKey = InjectorIsExtended(vk);
    return event;
}

}  // namespace

InputInjector::InputInjector() : queue_(&Display::Instance().Input()) {}

void InputInjector::Send(InputEvent event)
{
    event.pos = pointer_;
    event.modifiers = modifiers_;
    event.timeMs = tw::ProcessClock::NowMs();
    queue_->Push(std::move(event));
}

void InputInjector::MouseMove(int x, int y)
{
    pointer_ = POINT{x, y};
    Send(InjectorEvent(InputKind::MouseMove));
}

void InputInjector::ButtonDown(MouseButton button, int x, int y)
{
    pointer_ = POINT{x, y};
    InputEvent event = InjectorEvent(InputKind::ButtonDown);
    event.button = button;
    Send(std::move(event));
}

void InputInjector::ButtonUp(MouseButton button, int x, int y)
{
    pointer_ = POINT{x, y};
    InputEvent event = InjectorEvent(InputKind::ButtonUp);
    event.button = button;
    Send(std::move(event));
}

void InputInjector::Click(MouseButton button, int x, int y)
{
    MouseMove(x, y);
    ButtonDown(button, x, y);
    ButtonUp(button, x, y);
}

void InputInjector::Drag(MouseButton button, POINT from, POINT to, int steps)
{
    MouseMove(from.x, from.y);
    ButtonDown(button, from.x, from.y);
    steps = steps < 1 ? 1 : steps;
    for (int i = 1; i <= steps; ++i)
        MouseMove(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    ButtonUp(button, to.x, to.y);
}

void InputInjector::Wheel(int delta, bool horizontal)
{
    InputEvent event = InjectorEvent(InputKind::Wheel);
    event.wheelDelta = delta;
    event.wheelHorizontal = horizontal;
    Send(std::move(event));
}

void InputInjector::KeyDown(UINT vk, bool repeat)
{
    InputEvent event = InjectorKeyEvent(InputKind::KeyDown, vk);
    event.repeat = repeat;
    Send(std::move(event));
}

void InputInjector::KeyUp(UINT vk)
{
    Send(InjectorKeyEvent(InputKind::KeyUp, vk));
}

void InputInjector::KeyStroke(UINT vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

void InputInjector::Text(const std::string& utf8)
{
    InputEvent event = InjectorEvent(InputKind::Text);
    event.text = utf8;
    Send(std::move(event));
}

void InputInjector::DropFiles(int x, int y, std::vector<std::string> paths)
{
    pointer_ = POINT{x, y};
    InputEvent event = InjectorEvent(InputKind::DropFiles);
    event.files = std::move(paths);
    Send(std::move(event));
}

void InputInjector::DropText(int x, int y, std::string utf8)
{
    pointer_ = POINT{x, y};
    InputEvent event = InjectorEvent(InputKind::DropText);
    event.text = std::move(utf8);
    Send(std::move(event));
}

}  // namespace tw::display
