// A window's drop target: the drag loop's calls arrive as virtual calls with
// the window, the data and the point in the window's client coordinates.
// Near a view's edge the target scrolls the view first (OnDragScroll).
#pragma once

#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/COleDataObject.h"
#include "platform/mfc/CRect.h"

class CWnd;

class COleDropTarget : public CCmdTarget {
public:
    COleDropTarget();
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // FALSE when the window cannot take drops (OLE not initialised, already registered).
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 leaves the drop to OnDrop.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // In a view, within nScrollInset pixels of an edge it can scroll towards:
    // after nScrollDelay milliseconds a line's scroll, then one every
    // nScrollInterval, answering DROPEFFECT_SCROLL with the effect; elsewhere
    // DROPEFFECT_NONE.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    static int nScrollInset;
    static UINT nScrollDelay;
    static UINT nScrollInterval;

    // The drag loop's side, called by this target's interface.
    DROPEFFECT DragEnter(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt, DROPEFFECT allowed);
    DROPEFFECT DragOver(DWORD dwKeyState, POINTL pt, DROPEFFECT allowed);
    void DragLeave();
    DROPEFFECT Drop(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt, DROPEFFECT allowed);

protected:
    HWND m_hWnd = nullptr;
    LPDATAOBJECT m_lpDataObject = nullptr;
    // MAKEWORD(horizontal, vertical) scroll codes while scrolling, 0xFFFF otherwise.
    UINT m_nTimerID = 0xFFFF;
    DWORD m_dwLastTick = 0;
    UINT m_nScrollDelay = 0;

private:
    CWnd* Window() const;
    CPoint ClientPoint(POINTL pt) const;
    void ForgetData();
    // The scroll codes for a point near the edge, 0xFFFF when none applies.
    UINT ScrollCodesAt(CWnd* pWnd, CPoint point) const;
    static bool CanScroll(HWND hWnd, int bar, UINT code);
    static void Scroll(HWND hWnd, UINT codes);

    LPDROPTARGET m_pInterface;
};
