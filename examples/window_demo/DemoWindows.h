// The demo's three windows: the main frame, a canvas that draws shapes and
// the points the user clicks, and a line of text showing what was typed.
#pragma once

#include "platform/win32/user/winuser.h"

namespace demo {

constexpr const char* kMainClass = "DemoMain";
constexpr const char* kCanvasClass = "DemoCanvas";
constexpr const char* kStatusClass = "DemoStatus";

bool RegisterDemoClasses();
HWND CreateMainWindow();

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StatusProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace demo
