// The bytes of an empty visible popup dialog template, for tests that need a
// dialog as the parent of a control or bar.
#pragma once

#include <vector>

#include "platform/win32/user/winuser.h"

std::vector<BYTE> KtvEmptyDialogTemplate(int cx = 200, int cy = 150);
