// The one drop source of every button drag between command bars: it tells the
// toolbar whether the drag really started or was cancelled, and shows whether
// a drop would move, copy or delete the button.
#pragma once

#include "platform/mfc/COleDropSource.h"

class CKtvPToolbarDropSource : public COleDropSource {
public:
    CKtvPToolbarDropSource();
    ~CKtvPToolbarDropSource() override;
    CKtvPToolbarDropSource(const CKtvPToolbarDropSource&) = delete;
    CKtvPToolbarDropSource& operator=(const CKtvPToolbarDropSource&) = delete;

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    BOOL OnBeginDrag(CWnd* pWnd) override;

    BOOL m_bDeleteOnDrop = TRUE;   // the pointer has left every bar
    BOOL m_bEscapePressed = FALSE;
    BOOL m_bDragStarted = FALSE;   // hides the framework's flag of the same name on purpose
    HCURSOR m_hcurDelete = nullptr;
    HCURSOR m_hcurMove = nullptr;
    HCURSOR m_hcurCopy = nullptr;
};
