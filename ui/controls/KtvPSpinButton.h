// An up-down control painted by the current look: two halves with hot and
// pressed states. Repeat, buddy and range stay the common control's.
#pragma once

#include "platform/mfc/CSpinButtonCtrl.h"
#include "platform/mfc/afxmsg.h"

class CKtvPSpinButton : public CSpinButtonCtrl {
public:
    CKtvPSpinButton();
    ~CKtvPSpinButton() override;

    BOOL IsUpPressed() const { return m_bIsButtonPressedUp; }
    BOOL IsDownPressed() const { return m_bIsButtonPressedDown; }
    BOOL IsUpHighlighted() const { return m_bIsButtonHighligtedUp; }
    BOOL IsDownHighlighted() const { return m_bIsButtonHighligtedDown; }

protected:
    BOOL m_bIsButtonPressedUp;
    BOOL m_bIsButtonPressedDown;
    BOOL m_bIsButtonHighligtedUp;
    BOOL m_bIsButtonHighligtedDown;
    BOOL m_bTracked;

    BOOL IsInUpperHalf(CPoint point) const;
    BOOL IsInLowerHalf(CPoint point) const;
    void ClearStates();

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
