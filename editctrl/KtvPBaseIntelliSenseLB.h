// The owner-drawn list of a completion popup: items with an image and a
// text, measured to find the popup's size, and the keys every kind of the
// list shares. Kinds of the list say how the typed word is followed and how
// a chosen item goes into the text.
#pragma once

#include <atomic>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CListBox.h"

class CKtvPEditCtrl;
class CKtvPIntelliSenseData;
class CKtvPIntelliSenseWnd;

class CKtvPBaseIntelliSenseLB : public CListBox {
    DECLARE_DYNCREATE(CKtvPBaseIntelliSenseLB)
public:
    CKtvPBaseIntelliSenseLB();

    static constexpr int nMaxVisibleItems = 10;
    static constexpr int nImageTextGap = 2;
    static constexpr int nTextMarginLeft = 1;
    static constexpr int nTextMarginRight = 3;

    // Taken from the library's colours each time a list is constructed, on
    // whichever thread makes it.
    static std::atomic<COLORREF> s_clrHighlight;
    static std::atomic<COLORREF> s_clrHighlightText;
    static std::atomic<COLORREF> s_clrWindow;
    static std::atomic<COLORREF> s_clrWindowText;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    virtual CSize GetMaxItemSize() const;
    virtual CSize GetImageSize(int nImage) const;
    virtual CSize GetTextSize(const CString& strText);
    virtual void SelectTypedWord() {}
    virtual void InsertSelection() {}
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CKtvPIntelliSenseData* GetItem(int nIndex) const;
    CKtvPIntelliSenseWnd* GetPopup() const;
    // The control the popup serves; NULL once the popup has let it go.
    CKtvPEditCtrl* GetEditCtrl() const;
    void ClosePopup();

    CFont* m_pFont = nullptr;
    int m_nMaxItemWidth = 0;
    int m_nMaxItemHeight = 0;
    int m_nTotalHeight = 0;
    HIMAGELIST m_hImageList = nullptr;

protected:
    void PostNcDestroy() override;
    // Tab, Enter, Space and Escape, as both kinds of the list answer them.
    // FALSE for any other key.
    BOOL HandleChoiceKey(UINT nChar, UINT nRepCnt, UINT nFlags);
    void ForwardKeyToEdit(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags);

    void OnDblClk();
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnKillFocusReflect();
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    int m_nMeasuredItems = 0;
};
