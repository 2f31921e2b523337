// Tarnwick's entry point. The main window is not built yet: until it is, the
// program says so and lists what of the system exists.
#include <cstdio>

int main()
{
    std::puts("Tarnwick: the main window is not built yet.");
    std::puts("What exists so far: the platform layer's foundation (see README.md).");
    std::puts("Run 'make test' to exercise it.");
    return 0;
}
