// window_demo: opens a main window with a canvas and a status line and runs
// until its window is closed. With TARNWICK_SCREENSHOT=<file.png> it saves
// the screen when first idle and closes by itself.
#include <cstdio>

#include "examples/window_demo/DemoWindows.h"

int main()
{
    if (!demo::RegisterDemoClasses()) {
        std::fprintf(stderr, "window_demo: could not register the window classes\n");
        return 1;
    }
    HWND main = demo::CreateMainWindow();
    if (!main) {
        std::fprintf(stderr, "window_demo: could not create the main window\n");
        return 1;
    }
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}
