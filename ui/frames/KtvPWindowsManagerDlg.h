// The MDI frame's "Windows" dialog: every open child with its icon and title,
// to activate one, or to save, close, minimise, cascade or tile several.
#pragma once

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CListBox.h"

class CMDIFrameWnd;

class CKtvPWindowsManagerDlg : public CDialog {
public:
    CKtvPWindowsManagerDlg(CMDIFrameWnd* pMDIFrame, BOOL bShowHelp);
    ~CKtvPWindowsManagerDlg() override;

    CListBox m_wndList;
    // Only its MDI client is used, so any MDI frame will do.
    CMDIFrameWnd* m_pMDIFrame;
    BOOL m_bShowHelp;
    // Every child has a system menu, so it can be minimised and arranged.
    BOOL m_bMDIActions;
    // Children whose system-menu Close is disabled, grayed or missing.
    CList<HWND, HWND> m_lstCloseDisabled;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void FillWindowList();
    void SelectActive();
    void UpdateButtons();
    // Restores the chosen windows, minimises the others, then arranges what is left.
    void MDIMessage(UINT uMsg, WPARAM wParam);
    HWND GetMDIClient() const;

    void OnActivate();
    void OnSave();
    void OnCloseWindows();
    void OnCascade();
    void OnTileHorz();
    void OnTileVert();
    void OnMinimize();
    void OnSelChange();
    void OnHelpButton();
    LRESULT OnHelpMessage(WPARAM wParam, LPARAM lParam);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()
};
