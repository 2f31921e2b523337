// Line markers: a tag on one text line (bookmarks, the owner's marks), a
// line-colour marker that paints whole rows, and a highlight over a stretch
// of text. Lines count line feeds from 0.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/win32/windef.h"

class CArchive;

// Type bits no marker may carry: a marker with any of them is never listed.
constexpr DWORD KTVP_MARKER_RESERVED_MASK = 0xFFE0;
constexpr DWORD KTVP_MARKER_BOOKMARK = 1;
constexpr DWORD KTVP_MARKER_LINE_COLOR = 4;
constexpr DWORD KTVP_MARKER_HILITE = 8;

class CKtvPEditMarker : public CObject {
    DECLARE_DYNAMIC(CKtvPEditMarker)
public:
    CKtvPEditMarker() = default;

    // Line, type, priority, then the data word, as 32-bit integers.
    void Serialize(CArchive& ar) override;

    CKtvPEditMarker& operator=(const CKtvPEditMarker& src);
    virtual void CopyFrom(const CKtvPEditMarker& src);
    // 0: no line of the marker lies in first ... last; 1: all do; 2: some do.
    virtual int CompareRange(int nFirstLine, int nLastLine) const;
    virtual BOOL IsAffectedByRange(int, int) const { return FALSE; }
    // Lines first ... last were deleted and overlap the marker's lines.
    virtual void UpdateForDeletedLines(int nFirstLine, int nLastLine);
    virtual void OnRangeChanged(int, int) {}
    virtual BOOL IsEqualData(DWORD dwData) const { return m_dwData == dwData; }
    virtual void SetData(DWORD dwData) { (void)dwData; }
    virtual void DestroyData() {}
    virtual void SerializeData(CArchive& ar);

    BOOL IsReserved() const { return (m_dwMarkerType & KTVP_MARKER_RESERVED_MASK) != 0; }

    int m_nLine = -1;
    DWORD m_dwMarkerType = 0;
    unsigned int m_unPriority = 0;
    DWORD m_dwData = 0;
};

class CKtvPLineColorMarker : public CKtvPEditMarker {
    DECLARE_DYNAMIC(CKtvPLineColorMarker)
public:
    CKtvPLineColorMarker() { m_dwMarkerType = KTVP_MARKER_LINE_COLOR; }

    void CopyFrom(const CKtvPEditMarker& src) override;
    int CompareRange(int nFirstLine, int nLastLine) const override;
    void UpdateForDeletedLines(int nFirstLine, int nLastLine) override;

    int GetLastLine() const { return m_nLine + m_nLineCount; }

    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    int m_nLineCount = 0;  // the marker covers m_nLine ... m_nLine + m_nLineCount
    BOOL m_bFullLine = FALSE;
};

class CKtvPHiliteMarker : public CKtvPEditMarker {
    DECLARE_DYNAMIC(CKtvPHiliteMarker)
public:
    CKtvPHiliteMarker() { m_dwMarkerType = KTVP_MARKER_HILITE; }

    BOOL ContainsOffset(int nOffset) const { return nOffset >= m_nStart && nOffset < m_nEnd; }

    int m_nStart = -1;
    int m_nEnd = -1;  // excluded
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
};
