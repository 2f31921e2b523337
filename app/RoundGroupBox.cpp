#include "app/RoundGroupBox.h"

#include "platform/mfc/CDC.h"

BEGIN_MESSAGE_MAP(CXPGroupBox, CButton)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CXPGroupBox::CXPGroupBox()
    : m_crBorder(RGB(0x7f, 0x9d, 0xb9)),
      m_crFill(::GetSysColor(COLOR_BTNFACE)),
      m_crBody(RGB(0xff, 0xff, 0xff)),
      m_crText(RGB(0x00, 0x46, 0xd5)),
      m_bHeaderStyle(FALSE),
      m_nAlign(AlignLeft)
{
}

// The caption with a blank on either side.
CString CXPGroupBox::CaptionText() const
{
    CString caption = m_strCaption;
    if (caption.IsEmpty() && m_hWnd != nullptr)
        GetWindowText(caption);
    return " " + caption + " ";
}

CFont* CXPGroupBox::CaptionFont() const
{
    if (m_fontCaption.GetSafeHandle() != nullptr)
        return const_cast<CFont*>(&m_fontCaption);
    return GetFont();
}

CRect CXPGroupBox::CaptionRect(CDC* pDC) const
{
    CRect frame;
    GetClientRect(frame);
    frame.DeflateRect(1, 1);
    CFont* pOld = nullptr;
    if (CFont* pFont = CaptionFont())
        pOld = pDC->SelectObject(pFont);
    const CSize size = pDC->GetTextExtent(CaptionText());
    if (pOld != nullptr)
        pDC->SelectObject(pOld);

    const int inset = m_bHeaderStyle ? 2 : 10;
    const int top = m_bHeaderStyle ? frame.top + 2 : frame.top;
    int left = frame.left + inset;
    if (m_nAlign == AlignCentre)
        left = frame.left + (frame.Width() - size.cx) / 2;
    else if (m_nAlign == AlignRight)
        left = frame.right - inset - size.cx;
    return CRect(left, top, left + size.cx, top + size.cy);
}

void CXPGroupBox::OnPaint()
{
    CPaintDC dc(this);
    CRect frame;
    GetClientRect(frame);
    frame.DeflateRect(1, 1);
    const CRect caption = CaptionRect(&dc);
    CFont* pOldFont = nullptr;
    if (CFont* pFont = CaptionFont())
        pOldFont = dc.SelectObject(pFont);

    CPen pen(PS_SOLID, 1, m_crBorder);
    CPen* pOldPen = dc.SelectObject(&pen);
    if (m_bHeaderStyle) {
        CBrush fill(m_crFill);
        CBrush body(m_crBody);
        CBrush* pOldBrush = dc.SelectObject(&fill);
        dc.RoundRect(frame, CPoint(10, 10));
        dc.SelectObject(&body);
        dc.Rectangle(frame.left, frame.top + caption.Height() + 4, frame.right, frame.bottom);
        dc.SelectObject(pOldBrush);
    } else {
        HGDIOBJ oldBrush = ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
        dc.RoundRect(CRect(frame.left, frame.top + caption.Height() / 2, frame.right, frame.bottom), CPoint(10, 10));
        ::SelectObject(dc.GetSafeHdc(), oldBrush);
        // The caption interrupts the frame line.
        CRgn clip;
        clip.CreateRectRgnIndirect(caption);
        dc.SelectClipRgn(&clip);
        dc.FillSolidRect(caption, m_crFill);
        dc.SelectClipRgn(nullptr);
    }
    dc.SelectObject(pOldPen);

    dc.SetTextColor(m_crText);
    dc.SetBkMode(TRANSPARENT);
    CRect text = caption;
    dc.DrawText(CaptionText(), -1, text, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}
