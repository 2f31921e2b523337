// A group box drawn as a rounded frame: plain (the caption interrupts the
// top line) or with a header band above a body of its own colour.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"

class CXPGroupBox : public CButton {
public:
    enum Align { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };

    CXPGroupBox();

    // The caption's place in the client area for the caption and style set.
    CRect CaptionRect(CDC* pDC) const;

    CString m_strCaption;  // empty: the window text
    COLORREF m_crBorder;
    COLORREF m_crFill;  // the header band, or the gap behind a plain caption
    COLORREF m_crBody;
    COLORREF m_crText;
    BOOL m_bHeaderStyle;
    int m_nAlign;
    CFont m_fontCaption;  // not made: the control's own font

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CString CaptionText() const;
    CFont* CaptionFont() const;
};
