// The beeps a program asked for. There is no sound device, so MessageBeep
// keeps a record instead: a refusal the user would hear is visible to tests.
#pragma once

#include <vector>

#include "platform/win32/windef.h"

namespace tw::user {

// The types of every MessageBeep since the last reset, oldest first.
std::vector<UINT> BeepTrace();
void ResetBeepTrace();

}  // namespace tw::user
