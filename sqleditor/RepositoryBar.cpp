#include "sqleditor/RepositoryBar.h"

IMPLEMENT_DYNAMIC(CRepositoryBar, CKtvPDockingControlBar)
