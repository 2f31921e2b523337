#include "platform/mfc/CDockBar.h"

IMPLEMENT_DYNAMIC(CDockBar, CWnd)
