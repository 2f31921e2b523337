// The edit control's markers, kept sorted (higher priority first, then
// lower line, then lower type) and owned by the list. The owner's hooks
// may keep a marker from moving or from being deleted.
#pragma once

#include "editctrl/KtvPEditMarker.h"
#include "platform/mfc/CObList.h"

class CKtvPEditMarkerHooks {
public:
    virtual ~CKtvPEditMarkerHooks() = default;
    virtual BOOL CanMoveMarker(CKtvPEditMarker* pMarker);
    virtual BOOL CanDeleteMarker(CKtvPEditMarker* pMarker);
    // Asked before a marker is removed; a FALSE answer keeps it where the
    // removal is a request (DeleteMarker), not where it is a notice.
    virtual BOOL OnRemoveMarker(CKtvPEditMarker* pMarker, POSITION pos);
};

class CKtvPEditMarkerList {
public:
    explicit CKtvPEditMarkerList(CKtvPEditMarkerHooks& hooks) : m_hooks(hooks) {}
    CKtvPEditMarkerList(const CKtvPEditMarkerList&) = delete;
    CKtvPEditMarkerList& operator=(const CKtvPEditMarkerList&) = delete;
    ~CKtvPEditMarkerList();

    const CObList& GetList() const { return m_list; }
    INT_PTR GetCount() const { return m_list.GetCount(); }

    // Takes the marker into sort order. A marker of a reserved type is
    // refused: it is deleted and the result is NULL.
    POSITION Insert(CKtvPEditMarker* pMarker);

    POSITION FindMarker(int nLine, CKtvPEditMarker** ppMarker, DWORD dwTypeMask) const;
    void GetMarkersInRange(int nFirstLine, CObList& list, DWORD dwTypeMask, int nLastLine) const;
    void GetMarkers(CObList& list, DWORD dwTypeMask) const;
    POSITION FindMarkerByData(DWORD dwData) const;
    void GetMarkersByData(CObList& list, DWORD dwData) const;
    BOOL HasMarkers(DWORD dwTypeMask) const;

    // Removes the markers whose own line is the line; reports whether a
    // removed one was a line-colour marker.
    BOOL DeleteMarker(int nLine, DWORD dwTypeMask, BOOL* pRemovedLineColor = nullptr);
    // Mask (DWORD)-1 removes every marker.
    void DeleteAllMarkers(DWORD dwTypeMask);

    void MoveMarkersOnInsert(int nLine, int nDelta);
    void MoveMarkersOnDelete(int nFirstLine, int nLastLine);

    // The marker the caret goes to from its line: the next by list order
    // with a greater line (forward) or the previous with a smaller one,
    // wrapping to the first or last; NULL when no marker has the mask.
    CKtvPEditMarker* FindNextMarker(DWORD dwTypeMask, int nCaretLine, BOOL bForward) const;

private:
    static CKtvPEditMarker* MarkerAt(POSITION pos, const CObList& list);
    static BOOL SortsBefore(const CKtvPEditMarker& a, const CKtvPEditMarker& b);

    CObList m_list{10};
    CKtvPEditMarkerHooks& m_hooks;
};
