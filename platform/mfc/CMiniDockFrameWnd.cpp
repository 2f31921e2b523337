#include "platform/mfc/CMiniDockFrameWnd.h"

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CMiniFrameWnd)
