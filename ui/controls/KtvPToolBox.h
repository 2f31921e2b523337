// A docking palette of tools in pages: an outlook bar whose pages are columns
// of flat check-style buttons, one per image of a bitmap strip. A click
// selects the tool and tells the tool box, which by default sends WM_COMMAND
// to its owner.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CStringList.h"
#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPOutlookBar.h"

class CKtvPButton;
class CKtvPToolBox;

// One page: a column of tool buttons.
class CKtvPToolBoxPage : public CKtvPControlBar {
    DECLARE_DYNCREATE(CKtvPToolBoxPage)
public:
    CKtvPToolBoxPage();
    ~CKtvPToolBoxPage() override;

    BOOL SetImages(UINT uiBmpResID, int cxImage, const CStringList& lstLabels, CRuntimeClass* pButtonClass);
    int GetSelected() const { return m_iSelectedTool; }
    int GetToolsCount() const { return (int)m_arToolButtons.GetSize(); }
    CKtvPButton* GetButton(int iIndex) const;
    void AdjustLayout() override;

    CArray<CKtvPButton*, CKtvPButton*> m_arToolButtons;  // owned, in image order
    CSize m_sizeToolImage;
    int m_iSelectedTool;
    CKtvPToolBox* m_pToolBox;                             // not owned
    int m_iFirstVisibleTool;
    int m_nOverflowRows;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The tool whose press was served; its release notification is not a
    // second click.
    HWND m_hwndPressedTool = nullptr;

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    // Default handling, then the page deletes itself: pages are made with new
    // through their class and nobody else deletes them.
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
};

// The tool box's outlook bar: page changes and page scrolls go to the tool box.
class CKtvPToolBoxOutlookBar : public CKtvPOutlookBar {
public:
    CKtvPToolBoxOutlookBar() = default;
    ~CKtvPToolBoxOutlookBar() override;

    void OnActiveTabChanged(int iNewTab) override;
    void OnPageScroll(BOOL bDown) override;
};

class CKtvPToolBox : public CKtvPDockingControlBar {
    DECLARE_DYNCREATE(CKtvPToolBox)
public:
    CKtvPToolBox();
    ~CKtvPToolBox() override;

    // --- virtual operations added, in slot order ---
    virtual void OnClickTool(int nPage, int nIndex);
    virtual void OnActivatePage(int nPage);
    virtual void ScrollActivePage(BOOL bDown);

    // lpszLabels: one label per tool, separated by '\n'.
    BOOL AddToolsPage(LPCTSTR lpszPageName, UINT uiBmpResID, int nImageWidth, LPCTSTR lpszLabels,
                      CRuntimeClass* pPageClass, CRuntimeClass* pButtonClass);
    BOOL AddToolsPageFromList(LPCTSTR lpszPageName, UINT uiBmpResID, int nImageWidth, const CStringList& lstLabels,
                              CRuntimeClass* pPageClass, CRuntimeClass* pButtonClass);
    int GetActivePage() const;
    int GetPageIndex(CKtvPToolBoxPage* pPage) const;
    CKtvPToolBoxPage* GetPage(int nPage) const;
    // The outlook window that stacks the pages; NULL before creation.
    CKtvPBaseTabWnd* GetPagesBarTabWnd() { return m_wndPagesBar.GetUnderlinedWindow(); }

    // The labels split at '\n': a trailing '\n' adds no empty label, two in a row add one.
    static void SplitLabels(LPCTSTR lpszLabels, CStringList& lstLabels);

protected:
    CKtvPToolBoxOutlookBar m_wndPagesBar;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
