// The columns page's property view, the collation dialog and the "..."
// button of the Collation box.
#include <string>

#include "app/MainFrame.h"
#include "platform/com/ComError.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "resources/TableDesignIds.h"
#include "tabledesign/TableDesignColumn.h"

IMPLEMENT_DYNCREATE(CTableDesignColPropertyView, CTableDesignPaneView)

BEGIN_MESSAGE_MAP(CTableDesignColPropertyView, CTableDesignPaneView)
    ON_CBN_SELENDOK(IDC_TW_TD_IDENTITY, OnIdentityChosen)
    ON_COMMAND(ID_TW_TD_COLLATION_BUTTON, OnCollationButton)
    ON_EN_KILLFOCUS(IDC_TW_TD_PRECISION, OnPrecisionOrScaleDone)
    ON_EN_KILLFOCUS(IDC_TW_TD_SCALE, OnPrecisionOrScaleDone)
    ON_COMMAND(ID_TW_TD_ADD, OnAdd)
    ON_COMMAND(ID_TW_TD_DELETE, OnDelete)
    ON_COMMAND(ID_TW_TD_SAVE, OnSaveChanges)
    ON_COMMAND(ID_TW_TD_RELOAD, OnReload)
    ON_UPDATE_COMMAND_UI(ID_TW_TD_RELOAD, OnUpdateReload)
END_MESSAGE_MAP()

namespace {

constexpr const char* kTdNotBind = "Not Bind";

CString TdPropText(const _variant_t& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return CString();
    return CString(static_cast<const char*>(_bstr_t(value)));
}

long TdPropNumber(const _variant_t& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return 0;
    return (long)_variant_t(value);
}

void TdSelect(CComboBox& list, const CString& text)
{
    const int found = list.FindStringExact(-1, text);
    list.SetCurSel(found);
}

// Which boxes a type enables: E enabled, D disabled, K kept as the reset left it.
struct TdTypeRow {
    const char* types;
    const char* states;  // Rule Default Scale Precision Collation Identity Seed Increment IsRowGuid Description Owner Formula
};

const TdTypeRow kTdTypeRows[] = {
    {"|bigint|int|smallint|tinyint|", "EEDDDEDDDKKE"},
    {"|bit|binary|varbinary|sql_variant|", "EEDDDDDDDEEE"},
    {"|decimal|numeric|", "EEEEDEDDDEEE"},
    {"|money|smallmoney|datetime|smalldatetime|float|real|", "EEDDDDDDDKKE"},
    {"|char|varchar|nchar|nvarchar|", "EEDDEDDDDKKE"},
    {"|text|ntext|", "DEDDEDDDDEEE"},
    {"|image|", "DEDDDDDDDEEE"},
    {"|timestamp|", "DDDDDDDDDEEE"},
    {"|uniqueidentifier|", "EEDDDDDDEEEE"},
};

}  // namespace

CTableDesignColPropertyView::CTableDesignColPropertyView() : CTableDesignPaneView(IDD_TW_TD_COLUMN_PROPS, 0) {}

CTableDesignColumn* CTableDesignColPropertyView::GetColumnPage() const
{
    return dynamic_cast<CTableDesignColumn*>(GetPage());
}

void CTableDesignColPropertyView::DoDataExchange(CDataExchange* pDX)
{
    CTableDesignPaneView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_TD_SEED_SPIN, m_wndSeedSpin);
    DDX_Control(pDX, IDC_TW_TD_INCREMENT_SPIN, m_wndIncrementSpin);
    DDX_Control(pDX, IDC_TW_TD_SCALE_SPIN, m_wndScaleSpin);
    DDX_Control(pDX, IDC_TW_TD_PRECISION_SPIN, m_wndPrecisionSpin);
    DDX_Control(pDX, IDC_TW_TD_SEED, m_wndSeed);
    DDX_Control(pDX, IDC_TW_TD_INCREMENT, m_wndIncrement);
    DDX_Control(pDX, IDC_TW_TD_COLLATION, m_wndCollation);
    DDX_Control(pDX, IDC_TW_TD_SCALE, m_wndScale);
    DDX_Control(pDX, IDC_TW_TD_PRECISION, m_wndPrecision);
    DDX_Control(pDX, IDC_TW_TD_FORMULA, m_wndFormula);
    DDX_Control(pDX, IDC_TW_TD_DESCRIPTION, m_wndDescription);
    DDX_Control(pDX, IDC_TW_TD_RULE, m_wndRule);
    DDX_Control(pDX, IDC_TW_TD_DEFAULT, m_wndDefault);
    DDX_Control(pDX, IDC_TW_TD_OWNER, m_wndOwner);
    DDX_Control(pDX, IDC_TW_TD_ROWGUID, m_wndRowGuid);
    DDX_Control(pDX, IDC_TW_TD_IDENTITY, m_wndIdentity);
    DDX_Text(pDX, IDC_TW_TD_FORMULA, m_strFormula);
    DDV_MaxChars(pDX, m_strFormula, 4096);
    DDX_Text(pDX, IDC_TW_TD_DESCRIPTION, m_strDescription);
    DDV_MaxChars(pDX, m_strDescription, 7500);
    DDX_Text(pDX, IDC_TW_TD_COLLATION, m_strCollation);
    DDV_MaxChars(pDX, m_strCollation, 255);
    DDX_Text(pDX, IDC_TW_TD_PRECISION, m_nPrecision);
    DDV_MinMaxInt(pDX, m_nPrecision, 0, 32000);
    DDX_Text(pDX, IDC_TW_TD_SCALE, m_nScale);
    DDV_MinMaxInt(pDX, m_nScale, 0, 32000);
    DDX_Text(pDX, IDC_TW_TD_INCREMENT, m_nIncrement);
    DDV_MinMaxInt(pDX, m_nIncrement, 0, 32000);
    DDX_Text(pDX, IDC_TW_TD_SEED, m_nSeed);
    DDV_MinMaxInt(pDX, m_nSeed, 0, 32000);
}

void CTableDesignColPropertyView::OnInitialUpdate()
{
    CTableDesignPaneView::OnInitialUpdate();
    m_pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (m_wndIdentity.GetCount() == 0) {
        for (const char* item : {"No", "Yes", "Yes(Not for replication)"})
            m_wndIdentity.AddString(item);
        for (const char* item : {"No", "Yes"})
            m_wndRowGuid.AddString(item);
    }
    m_wndOwner.ResetContent();
    m_wndDefault.ResetContent();
    m_wndRule.ResetContent();
    for (CSpinButtonCtrl* spin : {&m_wndSeedSpin, &m_wndIncrementSpin, &m_wndScaleSpin, &m_wndPrecisionSpin})
        spin->SetRange(0, 100);
    m_wndRule.AddString(kTdNotBind);
    TdSelect(m_wndRule, kTdNotBind);
    m_wndDefault.AddString(kTdNotBind);
    TdSelect(m_wndDefault, kTdNotBind);
    TdSelect(m_wndRowGuid, "No");
    for (CWnd* box : std::initializer_list<CWnd*>{&m_wndRowGuid, &m_wndSeed, &m_wndIncrement, &m_wndPrecision,
                                                  &m_wndScale, &m_wndIdentity})
        box->EnableWindow(FALSE);
    TdSelect(m_wndIdentity, "No");
    // The boxes other than Precision and Scale show their values only.
    for (CEdit* edit : {&m_wndDescription, &m_wndFormula, &m_wndCollation, &m_wndSeed, &m_wndIncrement})
        edit->SetReadOnly(TRUE);
    if (m_pMainFrame != nullptr) {
        try {
            SQLDMO::UsersPtr users = m_pMainFrame->m_Database->GetUsers();
            for (long i = 1; i <= users->GetCount(); ++i) {
                m_pMainFrame->m_User = users->Item(i);
                m_wndOwner.AddString(static_cast<const char*>(m_pMainFrame->m_User->GetName()));
            }
            if (m_wndOwner.GetCount() > 0 && m_pMainFrame->m_Table != nullptr)
                TdSelect(m_wndOwner, static_cast<const char*>(m_pMainFrame->m_Table->GetOwner()));
            SQLDMO::DefaultsPtr defaults = m_pMainFrame->m_Database->GetDefaults();
            for (long i = 1; i <= defaults->GetCount(); ++i) {
                m_pMainFrame->m_BoundDefault = defaults->Item(i);
                m_wndDefault.AddString(static_cast<const char*>(m_pMainFrame->m_BoundDefault->GetName()));
            }
            TdSelect(m_wndDefault, kTdNotBind);
            SQLDMO::RulesPtr rules = m_pMainFrame->m_Database->GetRules();
            for (long i = 1; i <= rules->GetCount(); ++i) {
                m_pMainFrame->m_Rule = rules->Item(i);
                m_wndRule.AddString(static_cast<const char*>(m_pMainFrame->m_Rule->GetName()));
            }
            TdSelect(m_wndRule, kTdNotBind);
        } catch (const _com_error& error) {
            TdReportComError(error);
        }
    }
    if (!m_bCollationButton && InstallEllipsisButton(m_wndCollation.GetSafeHwnd(), ID_TW_TD_COLLATION_BUTTON, 22))
        m_bCollationButton = TRUE;
    m_bReady = TRUE;
    // The row the grid starts on.
    if (CTableDesignColumn* pPage = GetColumnPage())
        if (auto* pGrid = dynamic_cast<CTableDesignColGridView*>(pPage->m_pListView))
            if (pGrid->m_wndGrid.GetSafeHwnd() != nullptr && pGrid->m_wndGrid.GetCount() > 0) {
                try {
                    ShowColumn(pGrid->m_wndGrid.GetNode(0).GetCellText(1));
                } catch (CException* pError) {
                    TdReportException(pError);
                }
            }
}

void CTableDesignColPropertyView::Reset()
{
    m_nPrecision = m_nScale = m_nIncrement = m_nSeed = 0;
    m_strCollation.Empty();
    m_strDescription.Empty();
    m_strFormula.Empty();
    TdSelect(m_wndRowGuid, "No");
    TdSelect(m_wndIdentity, "No");
    TdSelect(m_wndRule, kTdNotBind);
    TdSelect(m_wndDefault, kTdNotBind);
    m_wndDescription.EnableWindow(TRUE);
    m_wndOwner.EnableWindow(TRUE);
}

void CTableDesignColPropertyView::ShowColumn(const CString& strName)
{
    if (strName.IsEmpty() || !m_bReady)
        return;
    CString name = strName;
    name.Trim();
    Reset();
    m_strShown.Empty();
    CTableDesignColumn* pPage = GetColumnPage();
    if (pPage != nullptr && pPage->m_pColumnSet != nullptr &&
        pPage->m_pColumnSet->GetState() != ADODB::adStateClosed) {
        try {
            ADODB::_RecordsetPtr set = pPage->m_pColumnSet;
            if (set->GetRecordCount() > 0)
                for (set->MoveFirst(); !set->GetadoEOF(); set->MoveNext())
                    if (TdPropText(set->GetCollect(17L)).CompareNoCase(name) == 0) {
                        m_strShown = TdPropText(set->GetCollect(17L));
                        ShowRecord(set);
                    }
        } catch (const _com_error& error) {
            TdReportComError(error);
        }
    }
    if (m_strShown.IsEmpty()) {
        // No such column: nothing to edit.
        for (CWnd* box : std::initializer_list<CWnd*>{&m_wndRule, &m_wndDefault, &m_wndScale, &m_wndPrecision,
                                                      &m_wndCollation, &m_wndIdentity, &m_wndSeed, &m_wndIncrement,
                                                      &m_wndRowGuid, &m_wndDescription, &m_wndOwner, &m_wndFormula})
            box->EnableWindow(FALSE);
    }
    UpdateData(FALSE);
}

void CTableDesignColPropertyView::ShowRecord(ADODB::_RecordsetPtr set)
{
    const CString type = TdPropText(set->GetCollect(18L));
    CWnd* boxes[12] = {&m_wndRule,     &m_wndDefault, &m_wndScale,    &m_wndPrecision,
                       &m_wndCollation, &m_wndIdentity, &m_wndSeed,   &m_wndIncrement,
                       &m_wndRowGuid,  &m_wndDescription, &m_wndOwner, &m_wndFormula};
    const TdTypeRow* row = nullptr;
    const std::string key = "|" + std::string((LPCTSTR)type) + "|";
    for (const TdTypeRow& candidate : kTdTypeRows)
        if (!type.IsEmpty() && std::string(candidate.types).find(key) != std::string::npos)
            row = &candidate;
    for (int i = 0; i < 12; ++i) {
        const char state = row != nullptr ? row->states[i] : 'D';
        if (state != 'K')
            boxes[i]->EnableWindow(state == 'E');
    }
    if (row == nullptr)
        return;
    auto text = [&](const char* field) { return TdPropText(set->GetCollect(field)); };
    auto number = [&](const char* field) { return TdPropNumber(set->GetCollect(field)); };
    auto bound = [&](CComboBox& list, const char* field) {
        const CString value = text(field);
        TdSelect(list, value.IsEmpty() ? CString(kTdNotBind) : value);
    };
    const bool integer = type == "bigint" || type == "int" || type == "smallint" || type == "tinyint";
    const bool exact = type == "decimal" || type == "numeric";
    const bool ntext = type == "ntext";
    const bool text_ = type == "text" || ntext;
    if (type != "timestamp")
        bound(m_wndDefault, "NewDefault");
    if (type != "timestamp" && type != "image" && (!text_ || ntext)) {
        if (ntext)
            m_wndRule.EnableWindow(TRUE);
        bound(m_wndRule, "NewRule");
    }
    TdSelect(m_wndOwner, text("NewOwner"));
    m_strFormula = text("NewFormula");
    m_strDescription = text("NewDescription");
    if (integer)
        m_nPrecision = type == "bigint" ? 19 : type == "int" ? 10 : type == "smallint" ? 5 : 3;
    if (integer || exact) {
        if (number("NewIdentity") == -1) {
            m_wndSeed.EnableWindow(TRUE);
            m_wndIncrement.EnableWindow(TRUE);
            m_nIncrement = (int)number("NewIdentityIncre");
            m_nSeed = (int)number("NewIdentitySeed");
            TdSelect(m_wndIdentity, "Yes");
        }
    }
    if (exact) {
        m_nPrecision = (int)number("NewPrecision");
        m_nScale = (int)number("NewScale");
    }
    if (type == "money" || type == "smallmoney") {
        m_nPrecision = type == "money" ? 19 : 10;
        m_nScale = 4;
    } else if (type == "float") {
        m_nPrecision = 53;
    } else if (type == "real") {
        m_nPrecision = 24;
    }
    if (type == "char" || type == "varchar" || type == "nchar" || type == "nvarchar" || text_)
        m_strCollation = "<database default>";
    if (type == "uniqueidentifier")
        TdSelect(m_wndRowGuid, number("NewIsRowGuid") == -1 ? "Yes" : "No");
}

void CTableDesignColPropertyView::OnIdentityChosen()
{
    const int index = m_wndIdentity.GetCurSel();
    CString text;
    if (index >= 0)
        m_wndIdentity.GetLBText(index, text);
    const BOOL on = text == "Yes" || text == "Yes(Not for replication)";
    if (on || text == "No") {
        m_wndSeed.EnableWindow(on);
        m_wndIncrement.EnableWindow(on);
    }
}

void CTableDesignColPropertyView::OnCollationButton()
{
    CTableDesignCollationDlg dialog(AfxGetMainWnd());
    dialog.DoModal();
}

void CTableDesignColPropertyView::OnPrecisionOrScaleDone()
{
    CTableDesignColumn* pPage = GetColumnPage();
    if (m_strShown.IsEmpty() || pPage == nullptr || pPage->m_pColumnSet == nullptr)
        return;
    BOOL precisionOk = FALSE;
    BOOL scaleOk = FALSE;
    const UINT precision = GetDlgItemInt(IDC_TW_TD_PRECISION, &precisionOk, FALSE);
    const UINT scale = GetDlgItemInt(IDC_TW_TD_SCALE, &scaleOk, FALSE);
    if (!m_wndPrecision.IsWindowEnabled() || !precisionOk || !scaleOk)
        return;
    try {
        ADODB::_RecordsetPtr set = pPage->m_pColumnSet;
        if (set->GetRecordCount() == 0)
            return;
        for (set->MoveFirst(); !set->GetadoEOF(); set->MoveNext())
            if (TdPropText(set->GetCollect(17L)) == m_strShown) {
                set->PutCollect("NewPrecision", _variant_t((long)precision));
                set->PutCollect("NewScale", _variant_t((long)scale));
                set->Update();
                m_nPrecision = (int)precision;
                m_nScale = (int)scale;
                break;
            }
    } catch (const _com_error& error) {
        TdReportComError(error);
    }
}

void CTableDesignColPropertyView::PassToList(UINT nID)
{
    if (CTableDesignPage* pPage = GetPage())
        if (pPage->m_pListView != nullptr)
            pPage->m_pListView->SendMessage(WM_COMMAND, nID, 0);
}

void CTableDesignColPropertyView::OnUpdateReload(CCmdUI* pCmdUI)
{
    CTableDesignColumn* pPage = GetColumnPage();
    pCmdUI->Enable(pPage != nullptr && !pPage->m_bNewTable);
}

// --- the collation dialog ----------------------------------------------------------------------

CTableDesignCollationDlg::CTableDesignCollationDlg(CWnd* pParent) : CDialog(IDD_TW_TD_COLLATION, pParent) {}

// --- the "..." button ---------------------------------------------------------------------------

namespace {

// One per edit box that carries the button; pointer-sized where it keeps a
// procedure, so it fits any build.
struct TdEllipsisState {
    UINT command = 0;
    BOOL pressed = FALSE;
    BOOL tracking = FALSE;
    WNDPROC previous = nullptr;
    int width = 0;
    int left = 0, right = 0, top = 0, bottom = 0;
};

TdEllipsisState* TdEllipsisOf(HWND hwnd)
{
    return reinterpret_cast<TdEllipsisState*>(::GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

// The button's rectangle in the coordinates of the given window rectangle.
RECT TdEllipsisRect(const TdEllipsisState& state, const RECT& window)
{
    RECT rect;
    rect.right = window.right - state.right;
    rect.top = window.top + state.top;
    rect.bottom = window.bottom - state.bottom;
    rect.left = rect.right - state.width;
    if (state.left < state.right)
        ::OffsetRect(&rect, state.right - state.left, 0);
    return rect;
}

bool TdOnEllipsis(HWND hwnd, const TdEllipsisState& state, POINT screen)
{
    RECT window;
    ::GetWindowRect(hwnd, &window);
    const RECT button = TdEllipsisRect(state, window);
    return ::PtInRect(&button, screen) != FALSE;
}

void TdDrawEllipsis(HWND hwnd, const TdEllipsisState& state)
{
    RECT window;
    ::GetWindowRect(hwnd, &window);
    ::OffsetRect(&window, -window.left, -window.top);
    RECT rect = TdEllipsisRect(state, window);
    HDC dc = ::GetWindowDC(hwnd);
    if (dc == nullptr)
        return;
    if (state.pressed) {
        ::DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_FLAT | BF_ADJUST);
        ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
        ::OffsetRect(&rect, 1, 1);
    } else {
        ::DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
        ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    ::DrawText(dc, "...", 3, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(dc, mode);
    ::ReleaseDC(hwnd, dc);
}

}  // namespace

BOOL InstallEllipsisButton(HWND hwnd, UINT nCommandID, int nButtonWidth)
{
    if (hwnd == nullptr || !::IsWindow(hwnd))
        return FALSE;
    auto* state = static_cast<TdEllipsisState*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(TdEllipsisState)));
    if (state == nullptr)
        return FALSE;
    new (state) TdEllipsisState;
    state->command = nCommandID;
    state->width = nButtonWidth;
    state->previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EllipsisButtonProc)));
    ::SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

LRESULT CALLBACK EllipsisButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TdEllipsisState* state = TdEllipsisOf(hwnd);
    if (state == nullptr)
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    WNDPROC previous = state->previous;
    switch (message) {
    case WM_NCCALCSIZE: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const RECT before = *rect;
        ::CallWindowProc(previous, hwnd, message, wParam, lParam);
        state->left = rect->left - before.left;
        state->right = before.right - rect->right;
        state->top = rect->top - before.top;
        state->bottom = before.bottom - rect->bottom;
        rect->right -= state->width;
        return 0;
    }
    case WM_NCHITTEST: {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (TdOnEllipsis(hwnd, *state, point))
            return HTBORDER;
        break;
    }
    case WM_NCPAINT:
        ::CallWindowProc(previous, hwnd, message, wParam, lParam);
        TdDrawEllipsis(hwnd, *state);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (TdOnEllipsis(hwnd, *state, point)) {
            ::SetCapture(hwnd);
            state->pressed = TRUE;
            state->tracking = TRUE;
            TdDrawEllipsis(hwnd, *state);
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (state->tracking) {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ClientToScreen(hwnd, &point);
            const BOOL pressed = TdOnEllipsis(hwnd, *state, point) ? TRUE : FALSE;
            if (pressed != state->pressed) {
                state->pressed = pressed;
                TdDrawEllipsis(hwnd, *state);
            }
        }
        break;
    case WM_LBUTTONUP:
        if (state->tracking) {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ClientToScreen(hwnd, &point);
            if (TdOnEllipsis(hwnd, *state, point))
                ::PostMessage(::GetParent(hwnd), WM_COMMAND, MAKEWPARAM(LOWORD(state->command), 0), 0);
            ::ReleaseCapture();
            state->pressed = FALSE;
            state->tracking = FALSE;
            TdDrawEllipsis(hwnd, *state);
        }
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        state->~TdEllipsisState();
        ::HeapFree(::GetProcessHeap(), 0, state);
        return ::CallWindowProc(previous, hwnd, message, wParam, lParam);
    default:
        break;
    }
    return ::CallWindowProc(previous, hwnd, message, wParam, lParam);
}
