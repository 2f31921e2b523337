// A dialog control that shows a colour swatch with a drop-down arrow; a click
// opens a colour popup whose choice comes back to the button, which repaints
// and tells its parent (WM_COMMAND with its id). The popup is a library popup
// menu holding a colour bar; from a colour menu button it can be torn off.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPColorBar.h"

class CKtvPColorButton;

// The popup of a colour button or a colour menu button.
class CColorPopup : public CKtvPPopupMenu {
    DECLARE_DYNAMIC(CColorPopup)
public:
    CColorPopup(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, CList<COLORREF, COLORREF>& lstDocColors,
                int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic, UINT uiCommandID,
                CKtvPColorButton* pParentBtn);
    ~CColorPopup() override;

    CKtvPPopupMenuBar* GetMenuBar() override { return &m_wndColorBar; }
    CKtvPControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) override;

    CKtvPColorBar m_wndColorBar;
    BOOL m_EnabledInCustomizeMode;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CKtvPColorButton : public CKtvPButton {
    DECLARE_DYNAMIC(CKtvPColorButton)
public:
    CKtvPColorButton();
    ~CKtvPColorButton() override;

    virtual void OnShowColorPopup();

    CSize SizeToContent(BOOL bCalcOnly = FALSE) override;

    // A NULL or empty caption: no such entry in the popup. Without enable the
    // entry is removed as well.
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_Color; }
    // A choice made in the popup: stored, painted and reported to the parent.
    void UpdateColor(COLORREF color);
    void RebuildPalette(CPalette* pPalette);
    COLORREF GetAutomaticColor() const { return m_AutomaticColor; }
    CColorPopup* GetPopup() const { return m_Popup; }
    // The popup's bar has taken the mouse from the button.
    void ForgetCapture() { m_Captured = FALSE; }

    BOOL m_EnabledInCustomizeMode;
    BOOL m_FocusPopupOnOpen;
    COLORREF m_Color;             // -1: automatic
    COLORREF m_AutomaticColor;
    CArray<COLORREF, COLORREF> m_Colors;
    CList<COLORREF, COLORREF> m_DocColors;
    int m_Columns;
    CColorPopup* m_Popup;
    CString m_OtherLabel;
    CString m_DocColorsLabel;
    CString m_AutoLabel;
    BOOL m_UseOwnDialog;
    CPalette* m_Palette;

protected:
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
    void OnDrawFocusRect(CDC* pDC, const CRect& rectClient) override;
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
    // The width of the arrow strip at the right.
    static int ArrowWidth();

    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    UINT OnGetDlgCode();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnSysColorChange();
    DECLARE_MESSAGE_MAP()
};
