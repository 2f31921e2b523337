// The frame a container lends to an object edited in place. Present for type tests only: no frame here is one.
#pragma once

#include "platform/mfc/CFrameWnd.h"

class COleCntrFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(COleCntrFrameWnd)
};
