// A caption button of a docking bar or floating frame (a small object, not a
// window), and the caption button that drops a popup menu.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"
#include "ui/frames/KtvPCodes.h"

class CDC;
class CWnd;

class CKtvPCaptionButton : public CObject {
public:
    CKtvPCaptionButton();
    explicit CKtvPCaptionButton(UINT nHit, BOOL bLeftAlign = FALSE);
    ~CKtvPCaptionButton() override;

    void Serialize(CArchive& /*ar*/) override {}
    virtual void OnDraw(CDC* pDC, BOOL bActive, BOOL bHorz = TRUE, BOOL bMaximized = TRUE, BOOL bDisabled = FALSE);

    UINT GetHit() const { return m_nHit; }
    // The glyph of the menu images plus the border on each side plus the look's extra size.
    static CSize GetSize();
    // Origin and size, relative to the window's top-left corner; empty while hidden.
    CRect GetRect() const;
    // The same rectangle in the owner window's client coordinates, as its tooltip tools want it.
    CRect GetClientRectIn(const CWnd* pOwner) const;

    BOOL m_bPushed;
    BOOL m_bFocused;
    BOOL m_bHidden;
    BOOL m_bEnabled;
    COLORREF m_clrForeground;
    UINT m_nHit;
    BOOL m_bLeftAlign;
    CPoint m_ptOrigin;

    static int m_nButtonBorder;
};

class CKtvPCaptionMenuButton : public CKtvPCaptionButton {
public:
    CKtvPCaptionMenuButton();
    explicit CKtvPCaptionMenuButton(UINT nHit, BOOL bLeftAlign = FALSE);
    ~CKtvPCaptionMenuButton() override;

    void OnDraw(CDC* pDC, BOOL bActive, BOOL bHorz = TRUE, BOOL bMaximized = TRUE, BOOL bDisabled = FALSE) override;
    void ShowMenu(HMENU hMenu, CWnd* pWndOwner);

    int m_nMenuResult;
    BOOL m_bOSMenu;
    BOOL m_bMenuIsActive;
};
