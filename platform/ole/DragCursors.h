// The cursors a drag shows for its effect when the source asks for the
// defaults: an arrow carrying a box, with a plus for a copy and a bent
// arrow for a link; the "no" cursor where nothing takes the drop.
#pragma once

#include "platform/ole/oleidl.h"

namespace tw::ole {

HCURSOR DragCursorFor(DWORD effect);

}  // namespace tw::ole
