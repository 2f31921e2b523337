// The frame of an object edited in place in another program's window. There is no in-place editing here: the class exists so that the type tests of frames can name it, and no frame is ever one.
#pragma once

#include "platform/mfc/CFrameWnd.h"

class COleIPFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(COleIPFrameWnd)
};
