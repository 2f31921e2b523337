#include "platform/mfc/COleCntrFrameWnd.h"

IMPLEMENT_DYNAMIC(COleCntrFrameWnd, CFrameWnd)
