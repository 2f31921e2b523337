// Session/Session Properties: the seventeen session SET options of the
// active query window as a two-group property grid. OK sends the changed
// options to that window's own session and keeps them in its record, so the
// dialog opens with the last applied values of the window it acts on.
#pragma once

#include "platform/mfc/CStatic.h"
#include "session/SessionIds.h"
#include "session/SessionOptions.h"
#include "ui/controls/KtvPPropList.h"
#include "ui/frames/KtvPDialog.h"

class CChildFrame;
class CMainFrame;

class CConnectPropertiesDlg : public CKtvPDialog {
public:
    enum { IDD = IDD_TW_CONNECT_PROPERTIES };
    explicit CConnectPropertiesDlg(CWnd* pParent = nullptr);

    CKtvPPropList m_wndPropList;
    CStatic m_wndFrame;
    CMainFrame* m_pMainFrame = nullptr;
    // The window whose session the options apply to; null when no query window is active.
    CChildFrame* m_pQueryWindow = nullptr;
    // What the session runs with now: the window's record, or the main
    // frame's starting values without a window. Reset goes back to it.
    CSessionOptions m_Options;

    void BuildPropertyList();
    void ApplyListLook();
    void SetListColors();
    // The options as the grid shows them. A pending RowCount edit is
    // committed first; when its text is refused RowCount keeps the record's value.
    CSessionOptions GridValues();
    // The SET text from the record to the grid's values.
    CSessionSetText BuildSetText();

    static constexpr const char* kNoQueryWindow =
        "Session options apply to the session of a query window. Open or activate a query window, then choose OK.";

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnReset();
    DECLARE_MESSAGE_MAP()

private:
    CKtvPProp* FindRow(const CSessionOptionRow& row) const;
};
