#include "platform/mfc/COleIPFrameWnd.h"

IMPLEMENT_DYNAMIC(COleIPFrameWnd, CFrameWnd)
