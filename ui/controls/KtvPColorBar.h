// The library's colour palette: a grid of colour cells, optionally headed by
// an automatic button, followed by document colours and closed by an
// other-colour button that opens a colour dialog. Inside a colour popup, as a
// torn-off bar bound to a command, or as a child control in a dialog.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"

class CKtvPColorBar;
class CKtvPColorButton;
class CKtvPColorMenuButton;
class CKtvPPopupMenu;

// One cell of a colour bar; its text is the cell's caption.
class CColorButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CColorButton)
public:
    CColorButton();
    CColorButton(COLORREF color, BOOL bIsAutomatic = FALSE, BOOL bIsOther = FALSE, LPCTSTR lpszColorName = nullptr,
                 BOOL bHighlight = FALSE, BOOL bIsDocument = FALSE, BOOL bIsOtherColor = FALSE);
    ~CColorButton() override;

    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    INT_PTR OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI) override;

    COLORREF m_Color;       // -1 for the text buttons
    BOOL m_Selected;
    BOOL m_IsAutomatic;
    BOOL m_IsOther;
    BOOL m_IsLabel;         // the caption line above the document colours
    BOOL m_IsDocument;
    BOOL m_IsOtherColor;    // the swatch of a colour not in the palette
    CKtvPColorBar* m_ParentBar;
};

class CKtvPColorBar : public CKtvPPopupMenuBar {
    DECLARE_SERIAL(CKtvPColorBar)
public:
    CKtvPColorBar();
    // The content of a colour popup.
    CKtvPColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                  LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, CList<COLORREF, COLORREF>& lstDocColors,
                  int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic, UINT nCommandID,
                  CKtvPColorButton* pParentBtn);
    // A torn-off copy.
    CKtvPColorBar(CKtvPColorBar& src, UINT uiCommandID);
    ~CKtvPColorBar() override;

    // --- virtual operations added after the popup menu bar's, in slot order ---
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette = nullptr, int nColumns = 0,
                        int nRowsDockHorz = 0, int nColDockVert = 0);
    virtual BOOL CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns = -1,
                               CPalette* pPalette = nullptr);
    virtual BOOL OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes);
    virtual void Rebuild();

    // --- overrides ---
    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    CSize CalcMaxButtonSize(BOOL bVertical) override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKtvPToolbarButton* pButton) override;
    BOOL OnKey(UINT nChar) override;
    void ShowCommandMessageString(UINT uiCmdId) override;

    using CKtvPPopupMenuBar::Create;

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_SelectedColor; }
    // The stock default palette without a palette; the number of colours.
    static int InitColors(CPalette* pPalette, CArray<COLORREF, COLORREF>& arColors);
    BOOL IsTearOff() const { return m_IsToolbar; }

    int m_Columns;
    int m_RowsDockHorz;
    int m_ColumnsDockVert;
    CArray<COLORREF, COLORREF> m_Colors;
    CPalette m_Palette;
    int m_BoxWidth;
    int m_BoxHeight;
    int m_TextButtonHeight;
    COLORREF m_SelectedColor;    // -1: automatic
    COLORREF m_AutomaticColor;
    CString m_AutoLabel;         // an empty caption: no such element
    CString m_OtherLabel;
    CString m_DocColorsLabel;
    CList<COLORREF, COLORREF> m_DocColors;
    UINT m_CommandId;            // 0 or -1: none
    BOOL m_UseStandardDialog;
    BOOL m_IsEnabled;
    BOOL m_IsToolbar;            // torn off or standalone, not a popup's content
    BOOL m_ShowDocColorsAlways;
    CKtvPColorButton* m_ParentButton;
    int m_OffsetX;
    int m_OffsetY;
    BOOL m_EnabledInCustomizeMode;
    int m_VertMargin;
    int m_HorzMargin;

    // Colour names for cell tooltips (none unless an owner registers them),
    // and the colour last chosen for each command.
    static CMap<COLORREF, COLORREF, CString, LPCTSTR> m_ColorNames;
    static CMap<UINT, UINT, COLORREF, COLORREF> m_CommandColors;

protected:
    // On an 8-bit screen the parent button's palette, else the bar's own, is
    // selected and realised; the previous palette, or NULL when none was selected.
    CPalette* SelectBarPalette(CDC* pDC);
    // The cells are sized to fill the client area, square and centred if asked.
    void FitCells(BOOL bSquare, BOOL bCenter);
    // The popup window holding the bar, and the colour menu button that opened it.
    CKtvPPopupMenu* GetPopup() const;
    CKtvPColorMenuButton* GetParentMenuButton() const;
    void ChooseForCommand(COLORREF color);
    BOOL IsCustomizeBlocked() const;

    friend class CColorButton;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnQueryNewPalette(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaletteChanged(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
};
