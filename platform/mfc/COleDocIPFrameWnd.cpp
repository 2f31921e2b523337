#include "platform/mfc/COleDocIPFrameWnd.h"

IMPLEMENT_DYNAMIC(COleDocIPFrameWnd, COleIPFrameWnd)
