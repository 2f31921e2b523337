// A single-line edit with a push button in its non-client area at the right:
// the button (or Alt+Down, Alt+Right) runs the browse action of its mode: a
// derived class's own, a calculator pop-up over the number, the file-open
// dialog or the folder browser.
#pragma once

#include "platform/mfc/CEdit.h"
#include "platform/mfc/CImageList.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringList.h"
#include "platform/mfc/afxmsg.h"

class CDC;
class CKtvPCalculator;
class CKtvPCalculatorPopup;

class CKtvPBrowseEdit : public CEdit {
public:
    enum BrowseMode {
        BrowseMode_None = 0,
        BrowseMode_Default = 1,  // the derived class's own action
        BrowseMode_Calculator = 2,
        BrowseMode_File = 3,
        BrowseMode_Folder = 4,
    };

    CKtvPBrowseEdit();
    ~CKtvPBrowseEdit() override;

    virtual void DoBrowse();
    virtual void DrawBrowseButton(CDC* pDC, CRect rect, BOOL bIsButtonPressed, BOOL bIsButtonHot);
    virtual void RecalcButton();
    virtual void NotifyTextChanged();
    virtual BOOL CheckCalculatorChar(UINT nChar);
    // An extra calculator command (codes from 100 on) was pressed.
    virtual void OnCalculatorCommand(CKtvPCalculator* /*pCalculator*/, UINT /*uiCmd*/) {}

    BOOL PreTranslateMessage(MSG* pMsg) override;

    void EnableBrowseButton(BOOL bEnable = TRUE, LPCTSTR szLabel = "...");
    void EnableFileBrowseButton(LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFilter = nullptr);
    void EnableFolderBrowseButton();
    void EnableCalculatorButton(const CStringList* plstAdditionalCommands = nullptr);

    int GetMode() const { return m_nBrowseMode; }
    // The calculator pop-up tells the edit it closed.
    void OnCalculatorClosed() { m_pCalcPopup = nullptr; }
    CKtvPCalculatorPopup* GetCalculatorPopup() const { return m_pCalcPopup; }

protected:
    void OpenCalculator();
    CRect m_rectBtn;
    BOOL m_bIsButtonPressed;
    BOOL m_bIsButtonHighlighted;
    BOOL m_bIsButtonCaptured;
    int m_nBrowseMode;
    CImageList m_ImageBrowse;
    CSize m_sizeImage;
    CString m_strLabel;
    CString m_strDefFileExt;
    CString m_strFileFilter;
    int m_nBrowseButtonWidth;
    CKtvPCalculatorPopup* m_pCalcPopup;  // not owned
    CStringList m_lstCalcAdditionalCommands;

    static constexpr int kImageSize = 16;

    void LoadBrowseImages();
    CRect ButtonRectOnScreen() const;
    BOOL IsOverButton(CPoint ptScreen) const;
    void RedrawFrame();
    void PressButton();

    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    DECLARE_MESSAGE_MAP()
};
