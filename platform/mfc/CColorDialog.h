// The colour dialog of the framework. The custom colours are shared by
// every colour dialog of the process, so a colour added in one is offered
// by the next.
#pragma once

#include "platform/mfc/CCommonDialog.h"

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK with the colour in m_cc; IDCANCEL when cancelled or failed.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The process's 16 custom colours.
    static COLORREF* PASCAL GetSavedCustomColors();

    CHOOSECOLOR m_cc{};

private:
    // The dialog works on a copy of the shared colours, so no lock is held
    // while it runs.
    COLORREF m_custColors[16] = {};
};
