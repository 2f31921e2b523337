// One row of the property grid: its value and text, its tree of sub-items,
// its place in the list, its painting and its in-place editing.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CEdit.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/controls/KtvPMaskEdit.h"
#include "ui/controls/KtvPPropList.h"
#include "ui/controls/KtvPSpinButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNAMIC(CKtvPProp, CObject)

namespace {

constexpr UINT kEditorId = 3;

void CheckHr(HRESULT hr)
{
    if (FAILED(hr)) _com_issue_error(hr);
}

// Reads a whole decimal integer (blanks around it allowed); FALSE for
// anything else or a value outside [lo, hi].
BOOL ReadInteger(const CString& strText, long long lo, long long hi, long long& result)
{
    CString str = strText;
    str.Trim();
    if (str.IsEmpty()) return FALSE;
    const char* p = (LPCTSTR)str;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(p, &end, 10);
    if (end == p || *end != '\0' || errno == ERANGE || v < lo || v > hi) return FALSE;
    result = v;
    return TRUE;
}

BOOL ReadReal(const CString& strText, double& result)
{
    CString str = strText;
    str.Trim();
    if (str.IsEmpty()) return FALSE;
    const char* p = (LPCTSTR)str;
    char* end = nullptr;
    const double v = std::strtod(p, &end);
    if (end == p || *end != '\0' || !std::isfinite(v)) return FALSE;
    result = v;
    return TRUE;
}

BOOL IsIntegerType(VARTYPE vt)
{
    return vt == VT_I2 || vt == VT_I4 || vt == VT_UI2 || vt == VT_UI4 || vt == VT_INT || vt == VT_UINT;
}

// The types that get an edit window.
BOOL IsEditedType(VARTYPE vt)
{
    return IsIntegerType(vt) || vt == VT_R4 || vt == VT_R8 || vt == VT_BSTR || vt == VT_UI1;
}

}  // namespace

CKtvPProp::CKtvPProp(const CString& strName, const VARIANT& varValue, LPCTSTR lpszDescr, DWORD dwData,
                     LPCTSTR lpszEditMask, LPCTSTR lpszEditTemplate, LPCTSTR lpszValidChars)
    : m_strName(strName),
      m_dwData(dwData),
      m_strDescr(lpszDescr == nullptr ? _T("") : lpszDescr),
      m_strEditMask(lpszEditMask == nullptr ? _T("") : lpszEditMask),
      m_strEditTempl(lpszEditTemplate == nullptr ? _T("") : lpszEditTemplate),
      m_strValidChars(lpszValidChars == nullptr ? _T("") : lpszValidChars),
      m_bGroup(FALSE),
      m_bIsValueList(FALSE)
{
    VariantInit(&m_varValue);
    CheckHr(VariantCopy(&m_varValue, &varValue));
    Init();
    if (m_varValue.vt == VT_BOOL) m_bAllowEdit = FALSE;
}

CKtvPProp::CKtvPProp(const CString& strGroupName, DWORD dwData, BOOL bIsValueList)
    : m_strName(strGroupName), m_dwData(dwData), m_bGroup(TRUE), m_bIsValueList(bIsValueList)
{
    VariantInit(&m_varValue);
    Init();
}

void CKtvPProp::Init()
{
    m_pWndList = nullptr;
    m_bInPlaceEdit = FALSE;
    m_pWndInPlace = nullptr;
    m_pWndCombo = nullptr;
    m_pWndSpin = nullptr;
    m_Rect.SetRectEmpty();
    m_rectButton.SetRectEmpty();
    m_bButtonIsDown = FALSE;
    m_bExpanded = !m_bIsValueList;
    m_bEnabled = TRUE;
    m_bAllowEdit = TRUE;
    m_dwFlags = m_varValue.vt == VT_BOOL ? PROP_HAS_LIST : 0;
    m_pParent = nullptr;
    m_bNameIsTrancated = FALSE;
    m_bValueIsTrancated = FALSE;
    m_nMinValue = 0;
    m_nMaxValue = 0;
}

CKtvPProp::~CKtvPProp()
{
    while (!m_lstSubItems.IsEmpty()) delete m_lstSubItems.RemoveHead();
    DestroyEditors();
    m_lstOptions.RemoveAll();
    VariantClear(&m_varValue);
}

// --- tree and options ---------------------------------------------------------------------------------

BOOL CKtvPProp::AddSubItem(CKtvPProp* pProp)
{
    if (!m_bGroup || pProp == nullptr) return FALSE;
    if (pProp->m_pWndList != nullptr) {
        for (POSITION pos = pProp->m_pWndList->m_lstProps.GetHeadPosition(); pos != nullptr;) {
            CKtvPProp* pTop = pProp->m_pWndList->m_lstProps.GetNext(pos);
            if (pTop == pProp || pTop->ContainsItem(pProp)) return FALSE;
        }
    }
    pProp->m_pParent = this;
    m_lstSubItems.AddTail(pProp);
    // The whole subtree gets the owner: a grandchild without one cannot format its value.
    pProp->SetOwnerList(m_pWndList);
    return TRUE;
}

CKtvPProp* CKtvPProp::GetSubItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_lstSubItems.GetCount()) return nullptr;
    return m_lstSubItems.GetAt(m_lstSubItems.FindIndex(nIndex));
}

BOOL CKtvPProp::AddOption(LPCTSTR lpszOption)
{
    if (m_lstOptions.Find(lpszOption) != nullptr) return FALSE;
    m_lstOptions.AddTail(lpszOption);
    m_dwFlags = PROP_HAS_LIST;
    return TRUE;
}

LPCTSTR CKtvPProp::GetOption(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_lstOptions.GetCount()) return nullptr;
    return m_lstOptions.GetAt(m_lstOptions.FindIndex(nIndex));
}

void CKtvPProp::EnableSpinControl(BOOL bEnable, int nMin, int nMax)
{
    if (!IsIntegerType(m_varValue.vt)) return;
    m_nMinValue = nMin;
    m_nMaxValue = nMax;
    if (bEnable)
        m_dwFlags |= PROP_HAS_SPIN;
    else
        m_dwFlags &= ~PROP_HAS_SPIN;
}

BOOL CKtvPProp::ContainsItem(const CKtvPProp* pProp) const
{
    for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != nullptr;) {
        const CKtvPProp* pSub = m_lstSubItems.GetNext(pos);
        if (pSub == pProp || pSub->ContainsItem(pProp)) return TRUE;
    }
    return FALSE;
}

int CKtvPProp::GetLevel() const
{
    int nLevel = 0;
    for (const CKtvPProp* p = m_pParent; p != nullptr; p = p->m_pParent) ++nLevel;
    return nLevel;
}

BOOL CKtvPProp::AreParentsExpanded() const
{
    for (const CKtvPProp* p = m_pParent; p != nullptr; p = p->m_pParent)
        if (!p->m_bExpanded) return FALSE;
    return TRUE;
}

int CKtvPProp::GetExpandedCount() const
{
    if (!m_bExpanded) return 0;
    int nCount = 0;
    for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != nullptr;)
        nCount += 1 + m_lstSubItems.GetNext(pos)->GetExpandedCount();
    return nCount;
}

void CKtvPProp::SetOwnerList(CKtvPPropList* pList)
{
    m_pWndList = pList;
    for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != nullptr;)
        m_lstSubItems.GetNext(pos)->SetOwnerList(pList);
}

// --- value ------------------------------------------------------------------------------------------

CString CKtvPProp::FormatOwnValue(const VARIANT& varIn) const
{
    VARIANT var;
    VariantInit(&var);
    CheckHr(VariantCopy(&var, &varIn));
    if (var.vt == VT_INT) CheckHr(VariantChangeType(&var, &var, 0, VT_I4));
    CString str;
    switch (var.vt) {
    case VT_I2: str.Format("%d", (int)var.iVal); break;
    case VT_I4: str.Format("%ld", (long)var.lVal); break;
    case VT_R4: str.Format("%f", (double)var.fltVal); break;
    case VT_R8: str.Format("%lf", var.dblVal); break;
    case VT_BSTR: str = CString(var.bstrVal); break;
    case VT_BOOL:
        if (m_pWndList != nullptr)
            str = var.boolVal ? m_pWndList->GetTrueText() : m_pWndList->GetFalseText();
        else
            str = var.boolVal ? _T("True") : _T("False");
        break;
    case VT_UI1:
        if (var.bVal != 0) str.Format("%c", (int)var.bVal);
        break;
    case VT_UI2: str.Format("%u", (unsigned)var.uiVal); break;
    case VT_UI4: str.Format("%u", (unsigned)var.ulVal); break;
    case VT_UINT: str.Format("%u", (unsigned)var.uintVal); break;
    default: str = _T("*** error ***"); break;
    }
    VariantClear(&var);
    return str;
}

CString CKtvPProp::FormatValue()
{
    if (m_bIsValueList) {
        CString str;
        const TCHAR sep[3] = {m_pWndList != nullptr ? m_pWndList->GetListDelimiter() : _T(','), _T(' '), 0};
        for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != nullptr;) {
            str += m_lstSubItems.GetNext(pos)->FormatValue();
            if (pos != nullptr) str += sep;
        }
        return str;
    }
    return FormatOwnValue(m_varValue);
}

BOOL CKtvPProp::ParseValue(const CString& strText)
{
    // A sub-item of a value list cannot hold the separator: the list would not read back as it shows.
    if (m_pParent != nullptr && m_pParent->m_bIsValueList && m_pWndList != nullptr &&
        strText.Find(m_pWndList->GetListDelimiter()) >= 0)
        return FALSE;

    long long n = 0;
    double d = 0;
    switch (m_varValue.vt) {
    case VT_I2:
        if (!ReadInteger(strText, SHRT_MIN, SHRT_MAX, n)) return FALSE;
        m_varValue.iVal = (SHORT)n;
        return TRUE;
    case VT_I4:
    case VT_INT:
        if (!ReadInteger(strText, INT_MIN, INT_MAX, n)) return FALSE;
        m_varValue.vt = VT_I4;
        m_varValue.lVal = (LONG)n;
        return TRUE;
    case VT_UI2:
        if (!ReadInteger(strText, 0, USHRT_MAX, n)) return FALSE;
        m_varValue.uiVal = (USHORT)n;
        return TRUE;
    case VT_UI4:
        if (!ReadInteger(strText, 0, UINT_MAX, n)) return FALSE;
        m_varValue.ulVal = (ULONG)n;
        return TRUE;
    case VT_UINT:
        if (!ReadInteger(strText, 0, UINT_MAX, n)) return FALSE;
        m_varValue.uintVal = (UINT)n;
        return TRUE;
    case VT_R4:
        if (!ReadReal(strText, d) || std::fabs(d) > 3.402823466e38) return FALSE;
        m_varValue.fltVal = (float)d;
        return TRUE;
    case VT_R8:
        if (!ReadReal(strText, d)) return FALSE;
        m_varValue.dblVal = d;
        return TRUE;
    case VT_BSTR: {
        BSTR b = strText.AllocSysString();
        VariantClear(&m_varValue);
        m_varValue.vt = VT_BSTR;
        m_varValue.bstrVal = b;
        return TRUE;
    }
    case VT_BOOL:
        m_varValue.boolVal = (m_pWndList != nullptr && strText == m_pWndList->GetTrueText()) ? VARIANT_TRUE
                                                                                              : VARIANT_FALSE;
        return TRUE;
    case VT_UI1:
        m_varValue.bVal = strText.IsEmpty() ? 0 : (BYTE)strText[0];
        return TRUE;
    default: return FALSE;
    }
}

void CKtvPProp::SetValue(const VARIANT& varValue)
{
    if (m_varValue.vt != VT_EMPTY && m_varValue.vt != varValue.vt) return;
    if (m_pParent != nullptr && m_pParent->m_bIsValueList && m_pWndList != nullptr && varValue.vt != VT_EMPTY) {
        const CString str = FormatOwnValue(varValue);
        if (str.Find(m_pWndList->GetListDelimiter()) >= 0) return;
    }
    const BOOL bWasEditing = m_bInPlaceEdit;
    if (bWasEditing) EndEdit();
    CheckHr(VariantCopy(&m_varValue, &varValue));
    Redraw();
    if (bWasEditing && m_pWndList != nullptr) m_pWndList->EditItem(this);
}

// --- display ----------------------------------------------------------------------------------------

void CKtvPProp::Expand(BOOL bExpand)
{
    if (m_bExpanded == bExpand || m_lstSubItems.IsEmpty()) return;
    m_bExpanded = bExpand;
    if (m_pWndList != nullptr && m_pWndList->GetSafeHwnd() != nullptr) {
        m_pWndList->AdjustLayout();
        CRect rect = m_pWndList->m_rectList;
        rect.top = m_Rect.top;
        m_pWndList->RedrawWindow(rect, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void CKtvPProp::Redraw()
{
    if (m_pWndList == nullptr || m_pWndList->GetSafeHwnd() == nullptr) return;
    m_pWndList->InvalidateRect(m_Rect);
    if (m_pParent != nullptr && m_pParent->m_bIsValueList) m_pWndList->InvalidateRect(m_pParent->m_Rect);
    if (m_bIsValueList)
        for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != nullptr;)
            m_pWndList->InvalidateRect(m_lstSubItems.GetNext(pos)->m_Rect);
    m_pWndList->UpdateWindow();
}

BOOL CKtvPProp::IsSelected() const { return m_pWndList != nullptr && m_pWndList->m_pSel == this; }

CKtvPProp* CKtvPProp::HitTest(CPoint point, int* pnArea)
{
    if (!m_Rect.PtInRect(point)) {
        for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != nullptr;) {
            CKtvPProp* pHit = m_lstSubItems.GetNext(pos)->HitTest(point, pnArea);
            if (pHit != nullptr) return pHit;
        }
        return nullptr;
    }
    if (pnArea != nullptr) {
        const int nRow = m_pWndList->m_nRowHeight;
        if (m_bGroup && point.x < m_Rect.left + nRow)
            *pnArea = ClickExpandBox;
        else if (HasValueColumn() && point.x > m_pWndList->m_rectList.left + m_pWndList->m_nLeftColumnWidth)
            *pnArea = ClickValue;
        else
            *pnArea = ClickName;
    }
    return this;
}

void CKtvPProp::SetButtonRectFromRow()
{
    m_rectButton = m_Rect;
    m_rectButton.top += 1;
    m_rectButton.left = m_rectButton.right - m_pWndList->m_nRowHeight + 3;
}

void CKtvPProp::Reposition(int& y)
{
    CKtvPPropList* pList = m_pWndList;
    const CRect rectOld = m_Rect;
    const int nRow = pList->m_nRowHeight;
    BOOL bShow = AreParentsExpanded() || pList->m_bAlphabeticMode;
    if (pList->m_bAlphabeticMode && m_pParent != nullptr && m_pParent->m_bIsValueList && !m_pParent->m_bExpanded)
        bShow = FALSE;
    if (bShow) {
        int nIndent = GetLevel() * nRow;
        if (pList->m_bAlphabeticMode) nIndent = m_bIsValueList ? 0 : nRow;
        m_Rect = CRect(pList->m_rectList.left + nIndent, y, pList->m_rectList.right, y + nRow);
        if (!m_rectButton.IsRectEmpty()) {
            m_rectButton.top = m_Rect.top + 1;
            m_rectButton.bottom = m_Rect.bottom;
        }
        y += nRow;
        if (pList->m_ToolTip.GetSafeHwnd() != nullptr) {
            const int xDivider = pList->m_rectList.left + pList->m_nLeftColumnWidth;
            CRect rectName(m_Rect.left, m_Rect.top, xDivider, m_Rect.bottom);
            pList->m_ToolTip.AddTool(pList, LPSTR_TEXTCALLBACK, rectName, ++pList->m_nTooltipsCount);
            if (!m_bGroup) {
                CRect rectValue(xDivider + 1, m_Rect.top, m_Rect.right, m_Rect.bottom);
                pList->m_ToolTip.AddTool(pList, LPSTR_TEXTCALLBACK, rectValue, ++pList->m_nTooltipsCount);
            }
        }
    } else {
        m_Rect.SetRectEmpty();
        m_rectButton.SetRectEmpty();
    }
    for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != nullptr;) m_lstSubItems.GetNext(pos)->Reposition(y);
    OnRectChanged(rectOld);
}

void CKtvPProp::AddToSortedList(CList<CKtvPProp*, CKtvPProp*>& lst)
{
    if (m_bGroup && !m_bIsValueList) {
        m_Rect.SetRectEmpty();
        for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != nullptr;)
            m_lstSubItems.GetNext(pos)->AddToSortedList(lst);
        return;
    }
    for (POSITION pos = lst.GetHeadPosition(); pos != nullptr;) {
        const POSITION posCur = pos;
        if (std::strcmp(lst.GetNext(pos)->m_strName, m_strName) > 0) {
            lst.InsertBefore(posCur, this);
            return;
        }
    }
    lst.AddTail(this);
}

CString CKtvPProp::GetNameTip() { return m_bNameIsTrancated ? m_strName : CString(); }
CString CKtvPProp::GetValueTip() { return m_bValueIsTrancated ? FormatValue() : CString(); }

// --- painting ---------------------------------------------------------------------------------------

void CKtvPProp::DrawName(CDC* pDC, CRect rect)
{
    CKtvPPropList* pList = m_pWndList;
    const BOOL bBar = pList->m_bControlBarColors;
    const BOOL bPlainGroup = m_bGroup && !m_bIsValueList;
    COLORREF clrOld = (COLORREF)-1;
    if (IsSelected() && !(pList->m_bVSDotNetLook && bPlainGroup)) {
        CRect rectFill = rect;
        rectFill.top++;
        if (pList->m_bFocused) {
            pDC->FillRect(rectFill, &globalData.brHilite);
            clrOld = pDC->SetTextColor(globalData.clrTextHilite);
        } else {
            pDC->FillRect(rectFill, bBar ? &globalData.brBarFace : &globalData.brBtnFace);
            clrOld = pDC->SetTextColor(globalData.clrBtnText);
        }
    }
    if (pList->m_bVSDotNetLook && bPlainGroup) {
        const COLORREF clr = pList->m_clrGroupText != (COLORREF)-1 ? pList->m_clrGroupText : pList->ShadowColor();
        clrOld = pDC->SetTextColor(clr);
    }
    rect.DeflateRect(4, 0);
    if (m_pParent != nullptr && m_pParent->m_bIsValueList) rect.left += m_Rect.Height();
    pDC->DrawText(m_strName, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    const CSize size = pDC->GetTextExtent(m_strName);
    m_bNameIsTrancated = size.cx > rect.Width();
    if (IsSelected() && pList->m_bVSDotNetLook && bPlainGroup) {
        CRect rectFocus = rect;
        rectFocus.top = rect.CenterPoint().y - size.cy / 2;
        rectFocus.bottom = rectFocus.top + size.cy;
        rectFocus.right = std::min((int)rect.right, (int)(rectFocus.left + size.cx));
        rectFocus.InflateRect(2, 0);
        const COLORREF clrShadow = pList->ShadowColor();
        pDC->Draw3dRect(rectFocus, clrShadow, clrShadow);
    }
    if (clrOld != (COLORREF)-1) pDC->SetTextColor(clrOld);
}

void CKtvPProp::DrawValue(CDC* pDC, CRect rect)
{
    if ((m_bGroup && !m_bIsValueList) || !HasValueColumn()) return;
    const CString str = FormatValue();
    rect.DeflateRect(4, 0);
    pDC->DrawText(str, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    m_bValueIsTrancated = pDC->GetTextExtent(str).cx > rect.Width();
}

void CKtvPProp::DrawExpandBox(CDC* pDC, CRect rect)
{
    CKtvPPropList* pList = m_pWndList;
    const CPoint ptCenter = rect.CenterPoint();
    const int nHalf = std::min(rect.Width(), 9) / 2;
    CRect rectBox(ptCenter.x - nHalf, ptCenter.y - nHalf, ptCenter.x + nHalf + 1, ptCenter.y + nHalf + 1);
    if (m_bIsValueList) pDC->FillRect(rectBox, pList->GetBackgroundBrush());
    COLORREF clrBox = pList->ShadowColor();
    if (pList->m_bVSDotNetLook) clrBox = pList->m_bControlBarColors ? globalData.clrBarText : globalData.clrBtnText;
    CKtvPVisualManager::GetInstance()->OnDrawExpandingBox(pDC, rectBox, m_bExpanded && !m_lstSubItems.IsEmpty(),
                                                          clrBox);
}

void CKtvPProp::DrawButton(CDC* pDC, CRect rect)
{
    const BOOL bBar = m_pWndList->m_bControlBarColors;
    pDC->FillRect(rect, bBar ? &globalData.brBarFace : &globalData.brBtnFace);
    CKtvPToolbarComboBoxButton button;
    if (m_dwFlags & PROP_HAS_LIST) {
        CKtvPVisualManager::GetInstance()->OnDrawComboDropButton(pDC, rect, !m_bEnabled, m_bButtonIsDown,
                                                                 m_bButtonIsDown, &button);
        return;
    }
    pDC->DrawText(_T("..."), rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    if (m_bButtonIsDown)
        CKtvPVisualManager::GetInstance()->OnDrawButtonBorder(pDC, &button, rect, ButtonsIsPressed);
}

// --- editing ----------------------------------------------------------------------------------------

BOOL CKtvPProp::BeginEdit(LPPOINT)
{
    if (!HasValueColumn() || m_pWndList == nullptr) return FALSE;
    CKtvPPropList* pList = m_pWndList;
    const int nRow = pList->m_nRowHeight;
    CRect rectEdit = m_Rect;
    rectEdit.DeflateRect(0, 2);
    rectEdit.left = pList->m_rectList.left + pList->m_nLeftColumnWidth + 5;
    if (HasButton()) {
        SetButtonRectFromRow();
        rectEdit.right = m_rectButton.left;
    }
    CRect rectSpin;
    if (m_dwFlags & PROP_HAS_SPIN) {
        rectSpin = CRect(rectEdit.right - nRow, m_Rect.top + 1, rectEdit.right, m_Rect.bottom);
        rectEdit.right = rectSpin.left;
    }
    BOOL bDefaultFormat = FALSE;
    m_pWndInPlace = CreateEditor(rectEdit, bDefaultFormat);
    if (m_pWndInPlace == nullptr) return FALSE;
    if (bDefaultFormat) m_pWndInPlace->SetWindowText(FormatValue());

    if (m_dwFlags & PROP_HAS_LIST) {
        CRect rectCombo = m_Rect;
        rectCombo.left = rectEdit.left - 4;
        m_pWndCombo = CreateCombo(pList, rectCombo);
        if (m_pWndCombo != nullptr) {
            m_pWndCombo->SetFont(CFont::FromHandle(pList->GetFontHandle()));
            CRect rectClosed;
            m_pWndCombo->GetWindowRect(rectClosed);
            pList->ScreenToClient(rectClosed);
            const int nTop = rectClosed.top + nRow - rectClosed.Height() + 1;
            m_pWndCombo->SetWindowPos(nullptr, rectClosed.left, nTop, -1, -1,
                                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (m_varValue.vt == VT_BOOL) {
                m_lstOptions.AddTail(pList->m_strTrue);
                m_lstOptions.AddTail(pList->m_strFalse);
            }
            for (POSITION pos = m_lstOptions.GetHeadPosition(); pos != nullptr;)
                m_pWndCombo->AddString(m_lstOptions.GetNext(pos));
        }
    }
    if (m_dwFlags & PROP_HAS_SPIN) m_pWndSpin = CreateSpin(rectSpin);

    m_pWndInPlace->SetFont(CFont::FromHandle(pList->GetFontHandle()));
    m_pWndInPlace->SetFocus();
    if (!m_bAllowEdit) ::HideCaret(m_pWndInPlace->GetSafeHwnd());
    m_bInPlaceEdit = TRUE;
    return TRUE;
}

CWnd* CKtvPProp::CreateEditor(CRect rectEdit, BOOL& bDefaultFormat)
{
    if (!m_bIsValueList && !IsEditedType(m_varValue.vt) && m_varValue.vt != VT_BOOL) return nullptr;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (!m_bEnabled || !m_bAllowEdit) dwStyle |= ES_READONLY;
    CEdit* pEdit = nullptr;
    if (!m_strEditMask.IsEmpty() || !m_strEditTempl.IsEmpty() || !m_strValidChars.IsEmpty()) {
        CKtvPMaskEdit* pMaskEdit = new CKtvPMaskEdit;
        pMaskEdit->EnableSelectByGroup();
        if (!m_strEditMask.IsEmpty() && !m_strEditTempl.IsEmpty())
            pMaskEdit->SetFormat(m_strEditMask, m_strEditTempl, _T(' '));
        if (!m_strValidChars.IsEmpty()) pMaskEdit->SetAllowedChars(m_strValidChars);
        pEdit = pMaskEdit;
    } else {
        pEdit = new CEdit;
    }
    if (!pEdit->Create(dwStyle, rectEdit, m_pWndList, kEditorId)) {
        delete pEdit;
        return nullptr;
    }
    bDefaultFormat = TRUE;
    return pEdit;
}

CKtvPSpinButton* CKtvPProp::CreateSpin(CRect rectSpin)
{
    CKtvPSpinButton* pSpin = new CKtvPSpinButton;
    if (!pSpin->Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, rectSpin,
                       m_pWndList, kEditorId)) {
        delete pSpin;
        return nullptr;
    }
    pSpin->SetBuddy(m_pWndInPlace);
    if (m_nMinValue != 0 || m_nMaxValue != 0) pSpin->SetRange32(m_nMinValue, m_nMaxValue);
    return pSpin;
}

CComboBox* CKtvPProp::CreateCombo(CWnd* pWndParent, CRect rect)
{
    rect.bottom = rect.top + 400;
    CComboBox* pCombo = new CComboBox;
    if (!pCombo->Create(WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, rect, pWndParent, kEditorId)) {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}

BOOL CKtvPProp::EndEdit()
{
    m_bInPlaceEdit = FALSE;
    DestroyEditors();
    return TRUE;
}

void CKtvPProp::DestroyEditors()
{
    // An editor that goes while it has the focus hands it to the grid, so the keyboard keeps a window.
    const HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && m_pWndList != nullptr && m_pWndList->GetSafeHwnd() != nullptr &&
        ((m_pWndInPlace != nullptr && hFocus == m_pWndInPlace->GetSafeHwnd()) ||
         (m_pWndCombo != nullptr && hFocus == m_pWndCombo->GetSafeHwnd()) ||
         (m_pWndSpin != nullptr && hFocus == m_pWndSpin->GetSafeHwnd())))
        m_pWndList->SetFocus();
    if (m_pWndCombo != nullptr) {
        m_pWndCombo->DestroyWindow();
        delete m_pWndCombo;
        m_pWndCombo = nullptr;
    }
    if (m_pWndInPlace != nullptr) {
        m_pWndInPlace->DestroyWindow();
        delete m_pWndInPlace;
        m_pWndInPlace = nullptr;
    }
    if (m_pWndSpin != nullptr) {
        m_pWndSpin->DestroyWindow();
        delete m_pWndSpin;
        m_pWndSpin = nullptr;
    }
    if (m_varValue.vt == VT_BOOL) m_lstOptions.RemoveAll();
}

BOOL CKtvPProp::ApplyEditorText()
{
    if (m_pWndInPlace == nullptr) return FALSE;
    CString strText;
    m_pWndInPlace->GetWindowText(strText);
    const BOOL bChanged = strText != FormatValue();
    if (m_bIsValueList) {
        const TCHAR cDelim = m_pWndList->GetListDelimiter();
        // Every token is checked before any sub-item changes, so a refused list changes nothing.
        CStringList tokens;
        CString strRest = strText;
        for (int i = 0; !strRest.IsEmpty() && i < (int)m_lstSubItems.GetCount(); ++i) {
            const int n = strRest.Find(cDelim);
            CString strToken = n < 0 ? strRest : strRest.Left(n);
            strRest = n < 0 ? CString() : strRest.Mid(n + 1);
            strToken.Trim();
            tokens.AddTail(strToken);
        }
        // A refused token puts back every sub-item already read.
        CList<VARIANT*, VARIANT*> saved;
        int i = 0;
        BOOL bOk = TRUE;
        for (POSITION pos = tokens.GetHeadPosition(); pos != nullptr && bOk; ++i) {
            CKtvPProp* pSub = GetSubItem(i);
            VARIANT* pOld = new VARIANT;
            VariantInit(pOld);
            VariantCopy(pOld, &pSub->m_varValue);
            saved.AddTail(pOld);
            bOk = pSub->ParseValue(tokens.GetNext(pos));
        }
        i = 0;
        while (!saved.IsEmpty()) {
            VARIANT* pOld = saved.RemoveHead();
            if (!bOk) VariantCopy(&GetSubItem(i)->m_varValue, pOld);
            VariantClear(pOld);
            delete pOld;
            ++i;
        }
        if (!bOk) return FALSE;
    } else if (!ParseValue(strText)) {
        return FALSE;
    }
    if (bChanged) m_pWndList->OnPropertyChanged(this);
    return TRUE;
}

void CKtvPProp::OnButtonClick(CPoint)
{
    if (m_pWndCombo == nullptr) return;
    m_bButtonIsDown = TRUE;
    Redraw();
    CString str;
    m_pWndInPlace->GetWindowText(str);
    m_pWndCombo->SetCurSel(m_pWndCombo->FindStringExact(-1, str));
    m_pWndCombo->SetFocus();
    m_pWndCombo->ShowDropDown();
}

void CKtvPProp::OnComboSelect()
{
    if (m_pWndCombo == nullptr) return;
    const int n = m_pWndCombo->GetCurSel();
    if (n < 0) return;
    CString str;
    m_pWndCombo->GetLBText(n, str);
    m_pWndInPlace->SetWindowText(str);
    ApplyEditorText();
}

void CKtvPProp::OnComboClose()
{
    m_bButtonIsDown = FALSE;
    Redraw();
    if (m_pWndInPlace != nullptr) m_pWndInPlace->SetFocus();
}

void CKtvPProp::NotifyIfChanged(const CString& strBefore)
{
    if (FormatValue() != strBefore) m_pWndList->OnPropertyChanged(this);
}

BOOL CKtvPProp::OnValueDblClick(CPoint)
{
    if (m_pWndInPlace == nullptr) return FALSE;
    if (m_lstOptions.GetCount() > 1) {
        CString str;
        m_pWndInPlace->GetWindowText(str);
        POSITION pos = m_lstOptions.Find(str);
        if (pos == nullptr) return FALSE;
        m_lstOptions.GetNext(pos);
        if (pos == nullptr) pos = m_lstOptions.GetHeadPosition();
        m_pWndInPlace->SetWindowText(m_lstOptions.GetAt(pos));
        ApplyEditorText();
        return TRUE;
    }
    if (m_dwFlags & PROP_HAS_BUTTON) {
        m_pWndList->BeginWaitCursor();
        const CString strBefore = FormatValue();
        OnButtonClick(CPoint(-1, -1));
        m_pWndList->EndWaitCursor();
        NotifyIfChanged(strBefore);
        return TRUE;
    }
    return FALSE;
}

BOOL CKtvPProp::OnTypedChar(UINT nChar)
{
    if (m_bAllowEdit && m_bEnabled &&
        ((m_bIsValueList && nChar != '+' && nChar != '-') || (!m_bIsValueList && IsEditedType(m_varValue.vt)))) {
        m_pWndInPlace->SetWindowText(_T(""));
        m_pWndInPlace->SendMessage(WM_CHAR, (WPARAM)nChar);
        return TRUE;
    }
    if (!m_bAllowEdit) {
        if (nChar == _T(' ')) {
            OnValueDblClick(CPoint(-1, -1));
        } else if (m_lstOptions.GetCount() > 1) {
            CString str;
            m_pWndInPlace->GetWindowText(str);
            const POSITION posCur = m_lstOptions.Find(str);
            if (posCur == nullptr) return FALSE;
            const TCHAR chUpper = (TCHAR)toupper((int)nChar);
            POSITION pos = posCur;
            m_lstOptions.GetNext(pos);
            for (;;) {
                if (pos == nullptr) pos = m_lstOptions.GetHeadPosition();
                if (pos == posCur) break;
                const CString& strOption = m_lstOptions.GetAt(pos);
                if (!strOption.IsEmpty() && toupper((unsigned char)strOption[0]) == chUpper) {
                    m_pWndInPlace->SetWindowText(strOption);
                    ApplyEditorText();
                    break;
                }
                m_lstOptions.GetNext(pos);
            }
        }
    }
    EndEdit();
    if (m_pWndList != nullptr && ::GetCapture() == m_pWndList->GetSafeHwnd()) ReleaseCapture();
    return FALSE;
}

BOOL CKtvPProp::SetValueCursor() const
{
    if (m_bInPlaceEdit) return FALSE;
    if (m_bIsValueList || IsEditedType(m_varValue.vt)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
        return TRUE;
    }
    return FALSE;
}

HBRUSH CKtvPProp::GetEditorBrush(CDC* pDC, UINT)
{
    CKtvPPropList* pList = m_pWndList;
    if (pList->m_clrText != (COLORREF)-1) pDC->SetTextColor(pList->m_clrText);
    if (pList->m_brBackground.GetSafeHandle() != nullptr) {
        pDC->SetBkColor(pList->m_clrBackground);
        return (HBRUSH)pList->m_brBackground.GetSafeHandle();
    }
    if ((IsEditedType(m_varValue.vt) || m_varValue.vt == VT_BOOL) && (!m_bEnabled || !m_bAllowEdit)) {
        pDC->SetBkColor(globalData.clrWindow);
        return (HBRUSH)globalData.brWindow.GetSafeHandle();
    }
    return nullptr;
}
