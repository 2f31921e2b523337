// Asks for a row number; the result views move their grid to it.
#pragma once

#include "platform/mfc/CDialog.h"

class CGoToDlg : public CDialog {
public:
    enum { IDD = 614, IDC_LINE = 1833 };
    explicit CGoToDlg(CWnd* pParent = nullptr);

    // Any row of a grid can be asked for.
    static constexpr int kMaxLine = 2147483647;
    int m_nLine = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
