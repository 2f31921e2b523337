// A static text whose colours, font, background, flashing and link behaviour
// the dialog sets through chainable setters. The Options sheet draws its
// font sample with it; the About box colours its warning with it.
#pragma once

#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"

class CLabelCtrl : public CStatic {
public:
    // The code of the WM_NOTIFY a label with the notify flag sends on a click.
    static constexpr UINT kClickNotifyCode = 0x8200;
    // The timer that toggles the flashing phase.
    static constexpr UINT_PTR kFlashTimer = 1;

    CLabelCtrl();
    ~CLabelCtrl() override;

    virtual CLabelCtrl& SetBkColor(COLORREF crBkgnd, COLORREF crBkgndHigh = 0, int nFillMode = 0);
    virtual CLabelCtrl& SetTextColor(COLORREF crText);
    virtual CLabelCtrl& SetText(const CString& strText);
    virtual CLabelCtrl& SetFontBold(BOOL bBold);
    virtual CLabelCtrl& SetFontName(const CString& strFont, BYTE byCharSet = ANSI_CHARSET);
    virtual CLabelCtrl& SetFontUnderline(BOOL bSet);
    virtual CLabelCtrl& SetFontItalic(BOOL bSet);
    virtual CLabelCtrl& SetFontSize(int nSize);
    virtual CLabelCtrl& SetStaticEdge(BOOL bSet);
    virtual CLabelCtrl& SetBorder(BOOL bSet);
    virtual CLabelCtrl& SetTransparent(BOOL bSet);
    virtual CLabelCtrl& FlashText(BOOL bActivate);
    virtual CLabelCtrl& FlashBackground(BOOL bActivate);
    virtual CLabelCtrl& SetLink(BOOL bLink, BOOL bNotifyParent);
    virtual CLabelCtrl& SetLinkCursor(HCURSOR hCursor);
    virtual CLabelCtrl& SetText3D(BOOL b3DText, int n3DType = 1);
    virtual CLabelCtrl& SetRotationAngle(int nAngle, BOOL bRotation);
    virtual CLabelCtrl& SetText3DHiliteColor(COLORREF cr3DHiliteColor);
    virtual CLabelCtrl& SetFont(LOGFONT lf);
    virtual CLabelCtrl& SetMailLink(BOOL bEnable, BOOL bNotifyParent);
    virtual CLabelCtrl& SetLinkText(const CString& strLink);

    const LOGFONT& GetLogFont() const { return m_lf; }

protected:
    void PreSubclassWindow() override;

    COLORREF m_crText;
    COLORREF m_crHilite;
    HBRUSH m_hDefaultBrush;
    HBRUSH m_hBackBrush;
    LOGFONT m_lf;
    CFont m_font;
    BOOL m_bFlashState;
    BOOL m_bTimer;
    int m_nLinkMode;
    BOOL m_bTransparent;
    BOOL m_b3DText;
    BOOL m_bNotifyParent;
    BOOL m_bRotation;
    int m_nFlashType;
    HCURSOR m_hLinkCursor;
    int m_n3DType;
    int m_nBackFillMode;
    COLORREF m_crBackHigh;
    COLORREF m_crBack;
    CString m_strLink;

    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSysColorChange();
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void ReconstructFont();
    void RedrawLabel();
    void StartFlashing(BOOL bActivate, int nFlashType);
    void DrawBackground(HDC hDC, const RECT& rcClient) const;
    void DrawLabelText(HDC hDC, const RECT& rcClient);
    UINT TextFormat(const CString& strText) const;
};
