// Text that another program drops on the desktop window: the window system
// reports it at a screen point, and it reaches the drop target of the window
// under that point as a whole drag and drop (enter, over, drop), offered as a
// copy, since the text stays with the program it came from.
#pragma once

#include <string>

#include "platform/ole/oleidl.h"

namespace tw::ole {

class ExternalTextDrop {
public:
    // Makes the window system hand dropped text to the drop targets; done
    // by the first RegisterDragDrop, before which no window takes drops.
    static void Install();

    // The window system's handler: when a target is under the point, the
    // drop is posted to run once the thread reads its queue again (outside
    // the input routing, which a target's own message loop would re-enter).
    static bool Deliver(POINT screenPt, const std::string& utf8);

    // The drop itself, on the target under the point: true when it took the
    // text; a target that refuses it is told DragLeave.
    static bool Perform(POINT screenPt, const std::string& utf8);

    // A new data object holding the text under CF_TEXT; NULL when memory runs out.
    static IDataObject* MakeTextData(const std::string& utf8);
};

}  // namespace tw::ole
