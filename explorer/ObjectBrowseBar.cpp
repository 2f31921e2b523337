#include "explorer/ObjectBrowseBar.h"

IMPLEMENT_DYNAMIC(CObjectBrowseBar, CKtvPDockingControlBar)
