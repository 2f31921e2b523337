// Helpers of the frame tests that drive windows as a user would: the
// application's message loop, typed text, and a clean input state.
#pragma once

#include <string>

#include "platform/display/InputInjector.h"

namespace tw::mfc::frames_test {

// Handles every waiting message as the application's loop does: through the
// PreTranslateMessage chain first (accelerators, tooltips, help keys).
void PumpThroughApp();
// Text typed as keys on the US layout, Shift where a character needs it.
void TypeKeys(tw::display::InputInjector& input, const std::string& text);
// No queued input, no key held down.
void ClearInput();
std::string CurrentFolder();

}  // namespace tw::mfc::frames_test
