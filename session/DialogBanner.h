// The header band across the top of a dialog: an icon at the left, a bold
// title and a description line on a coloured background with a lower 3-D
// edge. The dialog grows by the band's height and its own controls move
// down, so the band never covers them.
#pragma once

#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CWnd.h"

class CDialogBanner : public CWnd {
public:
    CDialogBanner();

    void SetTitle(LPCTSTR lpszTitle);
    void SetDescription(LPCTSTR lpszDescription);
    void SetIcon(HICON hIcon);
    void SetBackColor(COLORREF crBack);
    // The band becomes at least as high as its icon and its two lines need.
    void SetBandHeight(int nHeight);
    // Grows the dialog by the band's height and makes the band across its top.
    void CreateInDialog(CWnd* pDialog);
    // Moves every other child of the dialog down by the band's height.
    void MoveSiblingsDown(CWnd* pDialog);

    int GetBandHeight() const { return m_nBandHeight; }

    int m_nTitleHeight = 15;
    int m_nDescHeight = 13;
    int m_nBandHeight = 30;
    int m_nIconWidth;
    int m_nIconHeight;
    int m_nEdge;
    int m_nInset = 1;
    int m_nMargin = 5;
    int m_nTextIndent = 10;
    int m_nDescIndent = 10;
    // The DrawText alignment: 0 left, 1 centre, 2 right.
    int m_nAlign = 0;
    HICON m_hIcon = nullptr;  // not owned
    CFont m_fontTitle;
    CFont m_fontDesc;
    CString m_strTitle;
    CString m_strDescription;
    COLORREF m_crBack;

protected:
    void OnPaint();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void RepaintBand();
};
