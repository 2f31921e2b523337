#include "ui/commandbars/KtvPToolbarDropSource.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPToolbarDropSource::CKtvPToolbarDropSource() = default;

// The cursors are loaded at the first drag and released by the class-wide clean-up.
CKtvPToolbarDropSource::~CKtvPToolbarDropSource() = default;

SCODE CKtvPToolbarDropSource::QueryContinueDrag(BOOL, DWORD)
{
    KTVP_NOT_BUILT("CKtvPToolbarDropSource::QueryContinueDrag");
}

SCODE CKtvPToolbarDropSource::GiveFeedback(DROPEFFECT) { KTVP_NOT_BUILT("CKtvPToolbarDropSource::GiveFeedback"); }
BOOL CKtvPToolbarDropSource::OnBeginDrag(CWnd*) { KTVP_NOT_BUILT("CKtvPToolbarDropSource::OnBeginDrag"); }
