#include "platform/comctl/PropertySheet.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/comctl/commctrl.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

namespace tw::comctl {

namespace detail_propsheet {
// Dialog units of the sheet's frame.
constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
// An in-memory page template has no size; the parser stops at its end.
constexpr size_t kIndirectTemplateLimit = 1 << 16;

std::string TextOfResource(HINSTANCE instance, LPCSTR text)
{
    if (!text)
        return {};
    if (!IS_INTRESOURCE(text))
        return text;
    std::string loaded;
    tw::LoadResourceString(instance, UINT(reinterpret_cast<ULONG_PTR>(text)), loaded);
    return loaded;
}

std::optional<tw::res::DialogTemplate> PageTemplate(const PROPSHEETPAGEA& page)
{
    if (page.dwFlags & PSP_DLGINDIRECT)
        return page.pResource ? tw::res::ParseDialogTemplate(page.pResource, kIndirectTemplateLimit) : std::nullopt;
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!tw::FindResourceBytes(page.hInstance, page.pszTemplate, RT_DIALOG, &data, &size))
        return std::nullopt;
    return tw::res::ParseDialogTemplate(data, size);
}

HWND MakeButton(HWND sheet, int id, const char* text, DWORD extraStyle)
{
    HWND button = CreateWindowEx(0, "Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | extraStyle,
                                 0, 0, 10, 10, sheet, reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
    SendMessage(button, WM_SETFONT, SendMessage(sheet, WM_GETFONT, 0, 0), FALSE);
    return button;
}
}  // namespace detail_propsheet

using namespace detail_propsheet;

PropertySheet::PropertySheet(const PROPSHEETHEADER& header) : header_(header)
{
    for (UINT i = 0; i < header.nPages; ++i) {
        if (header.dwFlags & PSH_PROPSHEETPAGE) {
            const auto* page = reinterpret_cast<const PROPSHEETPAGEA*>(reinterpret_cast<const BYTE*>(header.ppsp) +
                                                                      size_t(i) * header.ppsp->dwSize);
            AddPage(CreatePropertySheetPage(page), true);
        } else if (header.phpage) {
            AddPage(header.phpage[i], true);
        }
    }
    startPage_ = (header.dwFlags & PSH_USEPSTARTPAGE) ? 0 : int(header.nStartPage);
    if (header.dwFlags & PSH_USEPSTARTPAGE) {
        const std::string wanted = TextOfResource(header.hInstance, header.pStartPage);
        for (size_t i = 0; i < pages_.size(); ++i) {
            if (pages_[i].title == wanted)
                startPage_ = int(i);
        }
    }
    if (startPage_ < 0 || startPage_ >= int(pages_.size()))
        startPage_ = 0;
}

PropertySheet::~PropertySheet()
{
    for (Page& page : pages_) {
        if (page.owned)
            DestroyPropertySheetPage(page.handle);
    }
}

bool PropertySheet::AddPage(HPROPSHEETPAGE handle, bool owned)
{
    if (!handle)
        return false;
    Page page;
    page.handle = handle;
    page.owned = owned;
    const PROPSHEETPAGEA& info = handle->page;
    const auto parsed = PageTemplate(info);
    if (parsed)
        page.size = SIZE{parsed->cx, parsed->cy};
    page.title = (info.dwFlags & PSP_USETITLE) ? TextOfResource(info.hInstance, info.pszTitle)
                                               : (parsed ? parsed->title : std::string());
    pages_.push_back(page);
    if (tab_) {
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = pages_.back().title.data();
        SendMessage(tab_, TCM_INSERTITEM, pages_.size() - 1, reinterpret_cast<LPARAM>(&item));
    }
    return true;
}

bool PropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= int(pages_.size()))
        return false;
    if (index == current_) {
        // The page that goes cannot refuse: the next page takes over, else the one before.
        const int next = index + 1 < int(pages_.size()) ? index + 1 : -1;
        if (!(next >= 0 && SetCurSel(next, false)) && index > 0)
            SetCurSel(index - 1, false);
    }
    Page page = pages_[size_t(index)];
    if (page.window) {
        changed_.erase(page.window);
        DestroyWindow(page.window);
    }
    if (page.owned)
        DestroyPropertySheetPage(page.handle);
    pages_.erase(pages_.begin() + index);
    if (current_ > index)
        --current_;
    else if (current_ == index)
        current_ = -1;
    SendMessage(tab_, TCM_DELETEITEM, WPARAM(index), 0);
    if (changed_.empty())
        if (HWND apply = GetDlgItem(hwnd_, ID_APPLY_NOW))
            EnableWindow(apply, FALSE);
    if (current_ >= 0)
        SendMessage(tab_, TCM_SETCURSEL, WPARAM(current_), 0);
    return true;
}

RECT PropertySheet::PageArea()
{
    RECT area{};
    GetWindowRect(tab_, &area);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&area), 2);
    SendMessage(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

void PropertySheet::Layout()
{
    SIZE largest{0, 0};
    for (const Page& page : pages_) {
        largest.cx = std::max(largest.cx, page.size.cx);
        largest.cy = std::max(largest.cy, page.size.cy);
    }
    RECT units{kMargin, kMargin, largest.cx, largest.cy};
    MapDialogRect(hwnd_, &units);
    RECT button{0, 0, kButtonWidth, kButtonHeight};
    MapDialogRect(hwnd_, &button);
    RECT gap{0, 0, kButtonGap, kButtonGap};
    MapDialogRect(hwnd_, &gap);
    const int margin = units.left;

    // The tab control around the largest page. Its rows of tabs follow its
    // width, so it takes the width first and is then asked for its height.
    RECT tabRect{0, 0, units.right, units.bottom};
    SendMessage(tab_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tabRect));
    const int tabWidth = tabRect.right - tabRect.left;
    MoveWindow(tab_, margin, margin, tabWidth, tabRect.bottom - tabRect.top, FALSE);
    tabRect = RECT{0, 0, units.right, units.bottom};
    SendMessage(tab_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tabRect));
    const int tabHeight = tabRect.bottom - tabRect.top;
    MoveWindow(tab_, margin, margin, tabWidth, tabHeight, TRUE);

    // The buttons in a row under it, to the right.
    const int buttonsTop = margin + tabHeight + gap.right;
    int x = margin + tabWidth;
    for (int id : {IDHELP, ID_APPLY_NOW, IDCANCEL, IDOK}) {
        HWND child = GetDlgItem(hwnd_, id);
        if (!child)
            continue;
        x -= button.right;
        MoveWindow(child, x, buttonsTop, button.right, button.bottom, TRUE);
        x -= gap.right;
    }
    RECT frame{0, 0, margin * 2 + tabWidth, buttonsTop + button.bottom + margin};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLong(hwnd_, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLong(hwnd_, GWL_EXSTYLE)));
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PropertySheet::OnInitDialog()
{
    // The sheet's tabs are a common control: its class is there even when the
    // caller has made no common control before.
    tw::InitCommonControls();
    // Stacked rows of tabs unless the caller's initialisation callback says otherwise.
    tab_ = CreateWindowEx(0, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE,
                          0, 0, 10, 10,
                          hwnd_, reinterpret_cast<HMENU>(INT_PTR(ID_PSTABCONTROL)), nullptr, nullptr);
    SendMessage(tab_, WM_SETFONT, SendMessage(hwnd_, WM_GETFONT, 0, 0), FALSE);
    for (size_t i = 0; i < pages_.size(); ++i) {
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = pages_[i].title.data();
        SendMessage(tab_, TCM_INSERTITEM, i, reinterpret_cast<LPARAM>(&item));
    }
    MakeButton(hwnd_, IDOK, "OK", BS_DEFPUSHBUTTON);
    MakeButton(hwnd_, IDCANCEL, "Cancel", 0);
    if (!(header_.dwFlags & PSH_NOAPPLYNOW))
        EnableWindow(MakeButton(hwnd_, ID_APPLY_NOW, "&Apply", 0), FALSE);
    if (header_.dwFlags & PSH_HASHELP)
        MakeButton(hwnd_, IDHELP, "Help", 0);
    if ((header_.dwFlags & PSH_USECALLBACK) && header_.pfnCallback)
        header_.pfnCallback(hwnd_, PSCB_INITIALIZED, 0);
    Layout();
    return pages_.empty() || SetCurSel(startPage_);
}

bool PropertySheet::CreatePageWindow(Page& page)
{
    PROPSHEETPAGEA& info = page.handle->page;
    if ((info.dwFlags & PSP_USECALLBACK) && info.pfnCallback && !info.pfnCallback(nullptr, PSPCB_CREATE, &info))
        return false;
    auto parsed = PageTemplate(info);
    if (!parsed)
        return false;
    // A page is a control-like child of the sheet, whatever its template says.
    parsed->style = (parsed->style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME |
                                       WS_VISIBLE | WS_DISABLED)) |
                    WS_CHILD | DS_CONTROL;
    const std::vector<BYTE> bytes = tw::res::WriteDialogTemplate(*parsed);
    page.window = CreateDialogIndirectParam(info.hInstance, reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()), hwnd_,
                                            info.pfnDlgProc, reinterpret_cast<LPARAM>(&info));
    if (!page.window)
        return false;
    PlacePage(page.window);
    return true;
}

void PropertySheet::PlacePage(HWND page)
{
    const RECT area = PageArea();
    // Right after the tab control, so that Tab goes from the tabs into the page and on to the buttons.
    SetWindowPos(page, tab_, area.left, area.top, area.right - area.left, area.bottom - area.top, SWP_NOACTIVATE);
}

LRESULT PropertySheet::NotifyPage(HWND page, UINT code, LPARAM lParam)
{
    if (!page)
        return 0;
    PSHNOTIFY nm{};
    nm.hdr.hwndFrom = hwnd_;
    nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID(hwnd_));
    nm.hdr.code = code;
    nm.lParam = lParam;
    SetWindowLongPtr(page, DWLP_MSGRESULT, 0);
    return SendMessage(page, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

bool PropertySheet::SetCurSel(int index, bool askToLeave)
{
    if (index < 0 || index >= int(pages_.size()))
        return false;
    if (index == current_) {
        // Asked again after the sheet moved its tab control: the page follows it.
        PlacePage(pages_[size_t(index)].window);
        return true;
    }
    HWND old = current_ >= 0 ? pages_[size_t(current_)].window : nullptr;
    if (askToLeave && old && NotifyPage(old, PSN_KILLACTIVE))
        return false;  // the page keeps the focus: its data is not valid yet
    Page& page = pages_[size_t(index)];
    if (!page.window && !CreatePageWindow(page))
        return false;
    NotifyPage(page.window, PSN_SETACTIVE);
    HWND focus = GetFocus();
    const bool focusLeaves = old && focus && (focus == old || IsChild(old, focus));
    if (old)
        ShowWindow(old, SW_HIDE);
    current_ = index;
    SendMessage(tab_, TCM_SETCURSEL, WPARAM(index), 0);
    ShowWindow(page.window, SW_SHOW);
    // A hidden control must not keep the keyboard.
    if (focusLeaves)
        FocusFirstControl(page.window);
    return true;
}

void PropertySheet::FocusFirstControl(HWND page)
{
    HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
    SendMessage(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first ? first : tab_), TRUE);
}

bool PropertySheet::IsPageSwitchKey(const MSG& msg, int& step) const
{
    if (msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000))
        return false;
    switch (msg.wParam) {
    case VK_TAB:
        step = (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
        return true;
    case VK_NEXT:
        step = 1;
        return true;
    case VK_PRIOR:
        step = -1;
        return true;
    default:
        return false;
    }
}

void PropertySheet::SetChanged(HWND page, bool changed)
{
    if (changed)
        changed_.insert(page);
    else
        changed_.erase(page);
    if (HWND apply = GetDlgItem(hwnd_, ID_APPLY_NOW))
        EnableWindow(apply, !changed_.empty());
}

bool PropertySheet::Apply(bool closing)
{
    if (current_ >= 0 && NotifyPage(pages_[size_t(current_)].window, PSN_KILLACTIVE))
        return false;
    for (size_t i = 0; i < pages_.size(); ++i) {
        const LRESULT answer = NotifyPage(pages_[i].window, PSN_APPLY, closing);
        if (answer == PSNRET_INVALID || answer == PSNRET_INVALID_NOCHANGEPAGE) {
            if (answer == PSNRET_INVALID)
                ShowRefusingPage(int(i));
            return false;
        }
    }
    applied_ = true;
    changed_.clear();
    if (HWND apply = GetDlgItem(hwnd_, ID_APPLY_NOW))
        EnableWindow(apply, FALSE);
    return true;
}

void PropertySheet::ShowRefusingPage(int index)
{
    // The page was left valid earlier, so it shows without asking the active
    // one again; the control it complained about keeps the focus.
    HWND page = pages_[size_t(index)].window;
    HWND focus = GetFocus();
    const bool focusInPage = focus && IsChild(page, focus);
    if (!SetCurSel(index, false))
        return;
    if (focusInPage)
        SendMessage(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    else
        FocusFirstControl(page);
}

void PropertySheet::OnOk()
{
    if (Apply(true))
        End(IDOK);
}

void PropertySheet::OnCancel()
{
    if (current_ >= 0 && NotifyPage(pages_[size_t(current_)].window, PSN_QUERYCANCEL))
        return;
    for (const Page& page : pages_)
        NotifyPage(page.window, PSN_RESET);
    End(IDCANCEL);
}

void PropertySheet::End(INT_PTR result)
{
    if (header_.dwFlags & PSH_MODELESS) {
        // A modeless sheet stays until its owner destroys it; it shows no page any more.
        if (current_ >= 0 && pages_[size_t(current_)].window)
            ShowWindow(pages_[size_t(current_)].window, SW_HIDE);
        current_ = -1;
        ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    EndDialog(hwnd_, result);
}

INT_PTR PropertySheet::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto reply = [this](LRESULT value) {
        SetWindowLongPtr(hwnd_, DWLP_MSGRESULT, value);
        return TRUE;
    };
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk();
            return TRUE;
        case IDCANCEL:
            OnCancel();
            return TRUE;
        case ID_APPLY_NOW:
            Apply(false);
            return TRUE;
        case IDHELP:
            if (current_ >= 0)
                NotifyPage(pages_[size_t(current_)].window, PSN_HELP);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!header || header->hwndFrom != tab_)
            return FALSE;
        if (header->code == TCN_SELCHANGING) {
            // Leaving is asked once here; the change itself follows in TCN_SELCHANGE.
            const bool stay =
                current_ >= 0 && NotifyPage(pages_[size_t(current_)].window, PSN_KILLACTIVE) != 0;
            leaving_ = stay ? -1 : current_;
            return reply(stay ? TRUE : FALSE);
        }
        if (header->code == TCN_SELCHANGE) {
            const int index = int(SendMessage(tab_, TCM_GETCURSEL, 0, 0));
            const bool asked = leaving_ == current_;
            leaving_ = -1;
            // A page that cannot be made leaves the sheet on the page it showed.
            if (!SetCurSel(index, !asked) && current_ >= 0)
                SendMessage(tab_, TCM_SETCURSEL, WPARAM(current_), 0);
            return reply(0);
        }
        return FALSE;
    }
    case PSM_SETCURSEL: {
        int index = int(wParam);
        if (lParam) {
            for (size_t i = 0; i < pages_.size(); ++i) {
                if (pages_[i].handle == reinterpret_cast<HPROPSHEETPAGE>(lParam))
                    index = int(i);
            }
        }
        return reply(SetCurSel(index));
    }
    case PSM_ADDPAGE:
        // The sheet owns every page it holds, however it came.
        return reply(AddPage(reinterpret_cast<HPROPSHEETPAGE>(lParam), true));
    case PSM_REMOVEPAGE: {
        int index = int(wParam);
        if (lParam) {
            for (size_t i = 0; i < pages_.size(); ++i) {
                if (pages_[i].handle == reinterpret_cast<HPROPSHEETPAGE>(lParam))
                    index = int(i);
            }
        }
        RemovePage(index);
        return reply(0);
    }
    case PSM_CHANGED:
        SetChanged(reinterpret_cast<HWND>(wParam), true);
        return reply(0);
    case PSM_UNCHANGED:
        SetChanged(reinterpret_cast<HWND>(wParam), false);
        return reply(0);
    case PSM_CANCELTOCLOSE:
        SetDlgItemText(hwnd_, IDCANCEL, "Close");
        EnableWindow(GetDlgItem(hwnd_, IDOK), FALSE);
        return reply(0);
    case PSM_QUERYSIBLINGS:
        for (const Page& page : pages_) {
            if (!page.window)
                continue;
            const LRESULT answer = SendMessage(page.window, PSM_QUERYSIBLINGS, wParam, lParam);
            if (answer)
                return reply(answer);
        }
        return reply(0);
    case PSM_APPLY:
        return reply(Apply(false));
    case PSM_SETTITLE: {
        const std::string title = TextOfResource(header_.hInstance, reinterpret_cast<LPCSTR>(lParam));
        SetWindowText(hwnd_, (wParam & PSH_PROPTITLE) ? ("Properties for " + title).c_str() : title.c_str());
        return reply(0);
    }
    case PSM_PRESSBUTTON: {
        static const int ids[] = {0, 0, 0, IDOK, ID_APPLY_NOW, IDCANCEL, IDHELP};
        if (wParam < sizeof ids / sizeof ids[0] && ids[wParam] && GetDlgItem(hwnd_, ids[wParam]))
            PostMessage(hwnd_, WM_COMMAND, MAKEWPARAM(ids[wParam], BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(hwnd_, ids[wParam])));
        return reply(0);
    }
    case PSM_GETTABCONTROL:
        return reply(reinterpret_cast<LRESULT>(tab_));
    case PSM_GETCURRENTPAGEHWND:
        return reply(reinterpret_cast<LRESULT>(current_ >= 0 ? pages_[size_t(current_)].window : nullptr));
    case PSM_ISDIALOGMESSAGE: {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (!msg)
            return reply(FALSE);
        int step = 0;
        if (IsPageSwitchKey(*msg, step)) {
            const int count = int(pages_.size());
            if (current_ >= 0 && count > 1)
                SetCurSel((current_ + step + count) % count);
            return reply(TRUE);
        }
        return reply(IsDialogMessage(hwnd_, msg));
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK PropertySheet::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<PropertySheet*>(lParam);
        SetWindowLongPtr(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        if (!self->OnInitDialog()) {
            // No half-built sheet: its maker hears of the failure.
            DestroyWindow(hwnd);
            return FALSE;
        }
        self->started_ = true;
        return TRUE;
    }
    auto* self = reinterpret_cast<PropertySheet*>(GetWindowLongPtr(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, DWLP_USER, 0);
        if ((self->header_.dwFlags & PSH_MODELESS) && self->created_)
            delete self;
        return FALSE;
    }
    return self->Handle(message, wParam, lParam);
}

INT_PTR PropertySheet::Run()
{
    tw::res::DialogTemplate sheet;
    sheet.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT;
    const std::string caption = TextOfResource(header_.hInstance, header_.pszCaption);
    sheet.title = (header_.dwFlags & PSH_PROPTITLE) ? "Properties for " + caption : caption;
    sheet.cx = 100;
    sheet.cy = 100;
    sheet.pointSize = 8;
    sheet.typeface = "MS Sans Serif";
    if (header_.dwFlags & PSH_MODELESS)
        sheet.style |= WS_VISIBLE;
    sheetTemplate_ = tw::res::WriteDialogTemplate(sheet);
    auto* bytes = reinterpret_cast<LPDLGTEMPLATE>(sheetTemplate_.data());
    // The caller may change the style of the sheet's window (a child sheet, a hidden one).
    if ((header_.dwFlags & PSH_USECALLBACK) && header_.pfnCallback)
        header_.pfnCallback(nullptr, PSCB_PRECREATE, reinterpret_cast<LPARAM>(bytes));
    if (header_.dwFlags & PSH_MODELESS) {
        HWND window = CreateDialogIndirectParam(header_.hInstance, bytes, header_.hwndParent, &DialogProc,
                                                reinterpret_cast<LPARAM>(this));
        if (!window)
            return -1;
        created_ = true;
        return reinterpret_cast<INT_PTR>(window);
    }
    const INT_PTR result =
        DialogBoxIndirectParam(header_.hInstance, bytes, header_.hwndParent, &DialogProc, reinterpret_cast<LPARAM>(this));
    if (result == -1 || !started_)
        return -1;
    // Saved changes: OK, or an Apply before Cancel.
    return result == IDOK || applied_ ? 1 : 0;
}

}  // namespace tw::comctl

HPROPSHEETPAGE CreatePropertySheetPage(LPCPROPSHEETPAGE page)
{
    if (!page || page->dwSize < offsetof(PROPSHEETPAGEA, pfnCallback))
        return nullptr;
    auto* handle = new _PSP;
    std::memcpy(&handle->page, page, std::min<size_t>(page->dwSize, sizeof(PROPSHEETPAGEA)));
    handle->page.dwSize = sizeof(PROPSHEETPAGEA);
    return handle;
}

BOOL DestroyPropertySheetPage(HPROPSHEETPAGE hPage)
{
    if (!hPage)
        return FALSE;
    if ((hPage->page.dwFlags & PSP_USECALLBACK) && hPage->page.pfnCallback)
        hPage->page.pfnCallback(nullptr, PSPCB_RELEASE, &hPage->page);
    delete hPage;
    return TRUE;
}

INT_PTR PropertySheet(LPCPROPSHEETHEADER lppsph)
{
    if (!lppsph || lppsph->dwSize < offsetof(PROPSHEETHEADERA, pfnCallback))
        return -1;
    PROPSHEETHEADER header{};
    std::memcpy(&header, lppsph, std::min<size_t>(lppsph->dwSize, sizeof header));
    if (header.dwFlags & PSH_MODELESS) {
        auto* sheet = new tw::comctl::PropertySheet(header);
        const INT_PTR window = sheet->Run();
        if (window == -1)
            delete sheet;
        return window;
    }
    tw::comctl::PropertySheet sheet(header);
    return sheet.Run();
}
