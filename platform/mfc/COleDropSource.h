// The source side of a drag: when the drag really starts (the mouse leaves
// a small rectangle around the press, or rests there long enough), whether
// it goes on, and the feedback shown for the target's effect.
#pragma once

#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/CRect.h"
#include "platform/ole/oleidl.h"

class CWnd;

class COleDropSource : public CCmdTarget {
public:
    COleDropSource() = default;
    ~COleDropSource() override = default;

    // Esc or the other button cancels; releasing the dragging button drops.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Holds the capture for pWnd until the mouse leaves m_rectStartDrag (TRUE)
    // or the press ends without a drag: button released, Esc (FALSE). A mouse
    // resting nDragDelay milliseconds starts the drag too.
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    // The interface the drag loop calls; the caller releases it.
    LPDROPSOURCE CreateInterface();

    BOOL m_bDragStarted = FALSE;
    DWORD m_dwButtonCancel = 0;
    DWORD m_dwButtonDrop = 0;
    CRect m_rectStartDrag;

    // Half the size of the rectangle around the press, in pixels.
    static UINT nDragMinDist;
    static UINT nDragDelay;

private:
    void ChooseButtons();
};
