// A hyperlink: underlined text in the selection colour with a hand cursor;
// a click or Enter opens its address through the shell.
#pragma once

#include "ui/controls/KtvPButton.h"

class CKtvPURLLinkButton : public CKtvPButton {
    DECLARE_DYNAMIC(CKtvPURLLinkButton)
public:
    CKtvPURLLinkButton();

    virtual CSize SizeToContentCentered(BOOL bVCenter = FALSE, BOOL bHCenter = FALSE);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The prefix followed by the address (the caption when m_Url is empty).
    CString GetAddress() const;

    CString m_Url;
    CString m_UrlPrefix;

protected:
    void OnDrawFocusRect(CDC* pDC, const CRect& rectClient) override;
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;

    void OpenLink();
    BOOL OnClicked();
    DECLARE_MESSAGE_MAP()
};
