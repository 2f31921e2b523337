// The drop target of one toolbar: it takes only dragged toolbar buttons, and
// only while the bars are being customised, and hands them to its toolbar.
#pragma once

#include "platform/mfc/COleDropTarget.h"

class CKtvPToolBar;

class CKtvPToolbarDropTarget : public COleDropTarget {
public:
    CKtvPToolbarDropTarget();
    ~CKtvPToolbarDropTarget() override;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;

    // The toolbar that owns this target (bound by the toolbar's constructor).
    CKtvPToolBar* m_pOwner = nullptr;
};
