#include "explorer/ProjectBar.h"

IMPLEMENT_DYNAMIC(CProjectBar, CKtvPDockingControlBar)
