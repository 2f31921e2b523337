// Tarnwick's entry point. The main window is not built yet: until it is, the
// program says so and points at what can be tried.
#include <cstdio>

int main()
{
    std::puts("Tarnwick: the main window is not built yet.");
    std::puts("What exists so far is listed in README.md: the platform layer, the embedded server with ADO");
    std::puts("and SQL-DMO over it, and the first parts of the UI library and the editor.");
    std::puts("Try the window system's demo: build/examples/window_demo/window_demo");
    std::puts("Run 'make test' to exercise everything.");
    return 0;
}
