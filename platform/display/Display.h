// The process's display: the one virtual screen, the input queue fed by the
// backend and by tests, and the chosen backend (headless or the desktop).
// TARNWICK_DISPLAY=headless forces headless; otherwise the desktop backend is
// used, sized to the desktop's usable area. Without a desktop the program says
// that one is needed and exits with code 1.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/display/DisplayBackend.h"
#include "platform/display/InputQueue.h"
#include "platform/display/Screen.h"

namespace tw::display {

class Display {
public:
    static Display& Instance();
    // Tests: forget the screen, pending input and backend; the next Instance()
    // starts afresh at the default size.
    static void Reset();

    Screen& GetScreen() { return screen_; }
    InputQueue& Input() { return input_; }
    bool IsHeadless() const { return backend_->IsHeadless(); }
    const char* BackendName() const { return backend_->Name(); }

    // Shows what changed and collects native input. The desktop window belongs
    // to the thread that first used the display (the program's main thread);
    // from other threads this does nothing.
    void Pump();
    // Pumps, then pops one event; false when none is waiting.
    bool PollInput(InputEvent& out);
    // Pumps and waits up to timeoutMs for input or a Wake; true when input is waiting.
    bool WaitForInput(int timeoutMs);
    // Ends a WaitForInput early (a message was posted from another thread).
    void Wake();

    bool SetClipboardText(const std::string& text);
    bool GetClipboardText(std::string& text);

    // TARNWICK_SCREENSHOT=<file.png>: the window layer calls this when the
    // program is first idle. It writes the screen to that file (once per
    // process) and answers true, and the program then closes as if its user
    // had closed the main window; false when no screenshot was asked for.
    bool TakeRequestedScreenshot();
    // A requested screenshot could not be written: the program still closes,
    // but its exit code is not 0 (see the message queue's WM_QUIT).
    static void NoteScreenshotFailed();
    static bool ScreenshotFailed();

    explicit Display(std::unique_ptr<DisplayBackend> backend);

private:
    Screen screen_;
    InputQueue input_;
    std::unique_ptr<DisplayBackend> backend_;
    std::atomic<bool> screenshotTaken_{false};
    std::thread::id owner_ = std::this_thread::get_id();
};

// Picks the backend from the environment; null, with what to tell the user in
// message, when the desktop is wanted and none can be opened.
std::unique_ptr<DisplayBackend> ChooseDisplayBackend(std::string& message);

}  // namespace tw::display
