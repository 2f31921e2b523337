// A toolbar or menu item that drops a colour popup instead of a menu, shows
// the current colour as a stripe under its image and runs its command when a
// colour is chosen. Every button of one command, and a torn-off colour bar of
// that command, share the colour.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CString.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"

class CKtvPColorMenuButton : public CKtvPToolbarMenuButton {
    DECLARE_SERIAL(CKtvPColorMenuButton)
public:
    CKtvPColorMenuButton();
    CKtvPColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette = nullptr);
    ~CKtvPColorMenuButton() override;

    // --- overrides ---
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    CKtvPPopupMenu* CreatePopupMenu() override;
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }

    // --- virtual operations added, in slot order ---
    virtual void SetColor(COLORREF color, BOOL bNotify = TRUE);
    virtual BOOL OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes);

    COLORREF GetColor() const { return m_Color; }
    // The colour last chosen for a command; -1 when none was.
    static COLORREF GetColorByCmdID(UINT uiCmdID);
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    void EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable = TRUE);
    void SetColumnsNumber(int nColumns) { m_Columns = nColumns; }
    void EnableTearOff(UINT uiID, int nColumnsDockVert = -1, int nRowsDockHorz = -1);

    COLORREF m_Color = (COLORREF)-1;   // -1: automatic
    COLORREF m_AutomaticColor = RGB(0, 0, 0);
    CArray<COLORREF, COLORREF> m_Colors;
    CPalette m_Palette;
    int m_Columns = -1;
    int m_ColumnsDockVert = -1;
    int m_RowsDockHorz = -1;
    BOOL m_ShowAutomatic = FALSE;
    BOOL m_ShowOther = FALSE;
    BOOL m_ShowDocColors = FALSE;
    CString m_AutoLabel;
    CString m_OtherLabel;
    CString m_DocColorsLabel;
    BOOL m_UseStandardDialog = FALSE;

    // Asked of the main frame at each opening: wParam the command, lParam a
    // CList<COLORREF, COLORREF>* to fill with the document's colours.
    static UINT KTVTOOLBAR_GETDOCUMENTCOLORS;
};
