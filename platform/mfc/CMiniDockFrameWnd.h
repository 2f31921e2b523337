// The framework's floating frame for its own docking bars. Present for type tests only: floating bars here use the UI library's frames.
#pragma once

#include "platform/mfc/CMiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CMiniDockFrameWnd)
};
