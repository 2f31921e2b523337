// Files dropped on a window: the handle WM_DROPFILES carries (a global block
// laid out as the platform's DROPFILES header followed by the paths, each
// closed by a zero and the list by one more), and the way a drop at a screen
// point reaches the window that accepts files there.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/windef.h"

DECLARE_HANDLE(HDROP);

typedef struct _DROPFILES {
    DWORD pFiles;  // offset of the first path from the start of the block
    POINT pt;      // drop point in the window's client coordinates
    BOOL fNC;      // the point lies in the non-client area
    BOOL fWide;    // paths are UTF-16; ours are UTF-8 and this stays FALSE
} DROPFILES, *LPDROPFILES;

namespace tw::user {

// A new drop handle (GlobalAlloc, moveable), or null when memory runs out.
HDROP MakeDropHandle(const std::vector<std::string>& paths, POINT clientPt, BOOL nonClient);

// Posts WM_DROPFILES to the window under the point that has WS_EX_ACCEPTFILES,
// or to its nearest ancestor that has it. False when none accepts the drop.
bool DeliverDroppedFiles(POINT screenPt, const std::vector<std::string>& paths);

// Text dropped from another program is a data transfer, which the window
// system leaves to the layer that owns drop targets: that layer installs the
// handler, which answers whether a window took the text. Null removes it.
using DroppedTextHandler = bool (*)(POINT screenPt, const std::string& utf8);
void SetDroppedTextHandler(DroppedTextHandler handler);
// False when no handler is installed or no window took the text.
bool DeliverDroppedText(POINT screenPt, const std::string& utf8);

}  // namespace tw::user
