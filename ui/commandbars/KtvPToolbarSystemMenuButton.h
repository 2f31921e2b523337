// The buttons a maximised MDI child puts on the menu bar: its system menu with
// the child's icon at the start, and one caption button (minimise, restore,
// close) per box of the child at the end.
#pragma once

#include "ui/commandbars/KtvPToolbarMenuButton.h"

class CKtvPToolbarSystemMenuButton : public CKtvPToolbarMenuButton {
    DECLARE_SERIAL(CKtvPToolbarSystemMenuButton)
public:
    CKtvPToolbarSystemMenuButton();
    CKtvPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon);
    ~CKtvPToolbarSystemMenuButton() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnDblClick(CWnd* pWnd) override;
    BOOL CanBeStored() const override;
    BOOL HaveHotBorder() const override;
    void OnCancelMode() override;
    void CreateFromMenu(HMENU hMenu) override;
    HMENU CreateMenu() const override;
    BOOL IsConnectedToPopup() const override;

    // Fields, in declared order (neither owned).
    HICON m_hDocIcon = nullptr;
    HMENU m_hSysMenu = nullptr;
};

class CKtvPToolbarMenuButtonsButton : public CKtvPToolbarButton {
    DECLARE_DYNCREATE(CKtvPToolbarMenuButtonsButton)
public:
    CKtvPToolbarMenuButtonsButton();
    explicit CKtvPToolbarMenuButtonsButton(UINT uiSystemCommand);
    ~CKtvPToolbarMenuButtonsButton() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL CanBeStored() const override;
    BOOL HaveHotBorder() const override;

    UINT m_uiSystemCommand = 0;            // SC_MINIMIZE, SC_RESTORE or SC_CLOSE
};
