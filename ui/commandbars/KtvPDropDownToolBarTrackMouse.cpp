#include "ui/commandbars/KtvPDropDownToolBar.h"
#include "ui/frames/KtvPNotBuilt.h"

BOOL EmulateTrackMouseEvent(LPTRACKMOUSEEVENT) { KTVP_NOT_BUILT("EmulateTrackMouseEvent"); }
