// The popup that holds a completion or symbol list under the caret of an
// edit control. It lives from Create until it closes, and tells its control
// when it is gone.
#pragma once

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CMiniFrameWnd.h"
#include "platform/mfc/CGdiObject.h"

class CKtvPBaseIntelliSenseLB;
class CKtvPEditCtrl;
class CObList;

// The style the control opens its lists with: WS_POPUP, WS_VISIBLE,
// MFS_SYNCACTIVE and MFS_4THICKFRAME.
constexpr DWORD KTVP_INTELLISENSE_WND_STYLE = 0x90000300;

class CKtvPIntelliSenseWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CKtvPIntelliSenseWnd)
public:
    CKtvPIntelliSenseWnd() = default;
    ~CKtvPIntelliSenseWnd() override;

    // Takes the items of the list over once the list box exists. The edit
    // control must be a CKtvPEditCtrl; NULL list class: CKtvPIntelliSenseLB.
    virtual BOOL Create(CObList* pList, DWORD dwStyle, int x, int y, CWnd* pEditCtrl, CFont* pFont,
                        HIMAGELIST hImageList, CRuntimeClass* pListBoxClass);

    // The popup stops serving its control: it no longer touches it, now or
    // when it goes.
    void ReleaseEditCtrl() { m_pEditCtrl = nullptr; }

    CKtvPBaseIntelliSenseLB* m_pListBox = nullptr;
    CFont m_Font;
    CKtvPEditCtrl* m_pEditCtrl = nullptr;

protected:
    void PostNcDestroy() override;
    BOOL CreateListBox(CRuntimeClass* pListBoxClass, HIMAGELIST hImageList);
    void CreateListFont(CFont* pFont);
    void FillList(CObList* pList);
    // Text of the items in line with the caret, below its row, or above it
    // where the work area ends.
    void PlaceAt(int x, int y);

    void OnClose();
    LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};
