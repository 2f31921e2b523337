// A body that is not written yet. Reaching one is a fault of the build, not of
// the user: it says which operation is missing and stops the process, so that
// nothing goes on as if the work had been done. tools/not-built lists them.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void KtvNotBuilt(const char* lpszOperation)
{
    std::fprintf(stderr, "not built: %s\n", lpszOperation);
    std::fflush(stderr);
    std::abort();
}

#define KTVP_NOT_BUILT(operation) KtvNotBuilt(operation)
