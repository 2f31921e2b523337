// The in-place frame of a document object. Present for type tests only, as its base.
#pragma once

#include "platform/mfc/COleIPFrameWnd.h"

class COleDocIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNAMIC(COleDocIPFrameWnd)
};
